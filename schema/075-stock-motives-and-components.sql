-- Stock and sales motives, and the components of the articles the ERP produces.
-- A stock movement is valued in the accounts against its motive's account; the cost of goods of a sale
-- against the cost-of-goods account of its sales motive. The program reads these tables only, through the
-- views of 090-views.sql.

CREATE TABLE TA_MOTIVOSTOCK (
    IDMOTIVOSTOCK  char(4)      COLLATE SQLSRV NOT NULL PRIMARY KEY,
    DESCRIPCION    varchar(100) COLLATE SQLSRV,
    CUENTACONTABLE varchar(15)  COLLATE SQLSRV
);

CREATE TABLE TA_MOTIVOVTA (
    IDMOTIVOVTA char(4)      COLLATE SQLSRV NOT NULL PRIMARY KEY,
    DESCRIPCION varchar(100) COLLATE SQLSRV
);

-- The accounts a sales motive books to; the stock entry reads only the cost of goods.
CREATE TABLE TA_INPUT_VENTAS (
    IDMOTIVOVTA      char(4)     COLLATE SQLSRV NOT NULL PRIMARY KEY,
    COSTO_MERCADERIA varchar(15) COLLATE SQLSRV
);

-- Bill of materials: the quantity of each component per unit of the article (or its percentage, for
-- articles whose voucher lines say so).
CREATE TABLE MA_INSUMOS (
    IDARTICULO       char(25) COLLATE SQLSRV NOT NULL,
    IDARTICULOINSUMO char(25) COLLATE SQLSRV NOT NULL,
    IDUNIDADINSUMO   char(4)  COLLATE SQLSRV,
    CANTIDAD         float,
    PRIMARY KEY (IDARTICULO, IDARTICULOINSUMO)
);
