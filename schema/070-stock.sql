-- Stock: unit equivalences and the balances the ERP keeps. The program reads these tables and writes none
-- of them (the ERP's rebuild tool maintains the balances), so they are plain tables.

-- One row per equivalence of an article: one IDUNIDAD is COEFICIENTE IDUNIDAD_EQUIV.
CREATE TABLE S_TA_EQUIV (
    IDARTICULO     char(25) COLLATE SQLSRV NOT NULL,
    IDUNIDAD       char(4)  COLLATE SQLSRV NOT NULL,
    IDUNIDAD_EQUIV char(4)  COLLATE SQLSRV NOT NULL,
    COEFICIENTE    float,
    PRIMARY KEY (IDARTICULO, IDUNIDAD, IDUNIDAD_EQUIV)
);

-- Stock by article, warehouse, lot, serial number and storage position; a lot or serial the article does
-- not track is Null.
CREATE TABLE STK_SERIES_Y_LOTES (
    ID         INTEGER PRIMARY KEY AUTOINCREMENT,
    IDARTICULO char(25)      COLLATE SQLSRV,
    IDDEPOSITO char(4)       COLLATE SQLSRV,
    NROLOTE    char(25)      COLLATE SQLSRV,
    NROSERIE   char(25)      COLLATE SQLSRV,
    IDPOSICION char(15)      COLLATE SQLSRV,
    CANTIDAD   decimal(18,4)
);
CREATE INDEX STK_SERIES_Y_LOTES_IDARTICULO ON STK_SERIES_Y_LOTES (IDARTICULO);

-- Stock by article, unit and warehouse.
CREATE TABLE STK_SALDOS_UNIDADES (
    IDARTICULO   char(25)      COLLATE SQLSRV NOT NULL,
    EQUIVALENCIA char(4)       COLLATE SQLSRV NOT NULL,
    IDDEPOSITO   char(4)       COLLATE SQLSRV NOT NULL,
    STOCK        decimal(18,4),
    PRIMARY KEY (IDARTICULO, EQUIVALENCIA, IDDEPOSITO)
);

-- Stock by article and warehouse in units, read instead of the balances by unit where USA_STK_STOCK_UDKG
-- is set.
CREATE TABLE STK_STOCK_UDKG (
    IDARTICULO char(25)      COLLATE SQLSRV,
    IDDEPOSITO char(4)       COLLATE SQLSRV,
    CANTIDADUD decimal(18,4)
);

-- Stock movements, one row per voucher line, lot or serial number. IDCOMPROBANTE is 13 characters: branch
-- (4), number (8), letter (1). No unique key on TC and IDCOMPROBANTE: two suppliers' vouchers may carry the
-- same number. The program writes it, so it is a plain table under the ERP's view name.
CREATE TABLE V_MV_STOCK (
    ID                   INTEGER PRIMARY KEY AUTOINCREMENT,
    TC                   char(4)      COLLATE SQLSRV,
    IDCOMPROBANTE        char(13)     COLLATE SQLSRV,
    SECUENCIA            int,
    -- The movement
    IDCOMPLEMENTO        int,
    FECHA                datetime,
    IDCAJA               char(4)      COLLATE SQLSRV,
    IDDEPOSITO           char(4)      COLLATE SQLSRV,
    IDDEPOSITO_DESTINO   char(4)      COLLATE SQLSRV,
    IDARTICULO           char(25)     COLLATE SQLSRV,
    DESCRIPCION          varchar(100) COLLATE SQLSRV,
    NROLOTE              char(25)     COLLATE SQLSRV,
    CONTROLADOPOR        varchar(25)  COLLATE SQLSRV,
    IDORIGEN             char(4)      COLLATE SQLSRV,
    NROSERIE             char(25)     COLLATE SQLSRV,
    IDUNIDAD             char(4)      COLLATE SQLSRV,
    CANTIDAD             decimal(18,4),
    CANTIDADUD           decimal(18,4),
    IDUNIDADBASE         char(4)      COLLATE SQLSRV,
    CUENTAPROVEEDOR      varchar(15)  COLLATE SQLSRV,
    IDMOTIVOSTOCK        char(4)      COLLATE SQLSRV,
    PRECIOVENTA          decimal(18,4),
    IMPORTE_S_IVA        decimal(18,4),
    COSTO                decimal(18,4),
    IMPUESTOS            decimal(18,4),
    DTOITEM              decimal(18,4),
    TC_ORIGEN            char(4)      COLLATE SQLSRV,
    IDCOMPROBANTE_ORIGEN char(13)     COLLATE SQLSRV,
    ID_ORIGEN            decimal(18,4),
    IVARI                decimal(18,4),
    IVARNI               decimal(18,4),
    IDTECNICO            char(4)      COLLATE SQLSRV,
    EQUIV_UDBASE         decimal(18,4),
    IDINSERT             decimal(18,4),
    IDCOMPULSA           decimal(18,4),
    OFERTA               decimal(18,4),
    IDVENDEDOR           char(4)      COLLATE SQLSRV,
    IMPORTE_UD           decimal(18,4),
    UD_PR                char(4)      COLLATE SQLSRV,
    ENCOMODATO           decimal(18,4),
    REVISADO             bit,
    ANULADO              bit,
    USUARIO              varchar(128) COLLATE SQLSRV
);
CREATE INDEX V_MV_STOCK_COMPROBANTE ON V_MV_STOCK (TC, IDCOMPROBANTE);
-- What a voucher moved of one article, read per line when a delivery note is loaded.
CREATE INDEX V_MV_STOCK_COMPROBANTE_ARTICULO ON V_MV_STOCK (TC, IDCOMPROBANTE, IDARTICULO);
-- The movements that came from a voucher: a purchase order's receptions, a reception's component discharge.
CREATE INDEX V_MV_STOCK_ORIGEN ON V_MV_STOCK (TC_ORIGEN, IDCOMPROBANTE_ORIGEN);

-- The stock history of the legacy system: its sales, purchase and other movements as they were, one row per
-- legacy record. The ERP reads it beside V_MV_STOCK and never posts it again, so nothing refers to it.
CREATE TABLE V_MV_STOCKHIS (
    ID              INTEGER PRIMARY KEY AUTOINCREMENT,
    TC              char(4)       COLLATE SQLSRV,
    IDCOMPROBANTE   char(13)      COLLATE SQLSRV,
    CUENTAPROVEEDOR varchar(15)   COLLATE SQLSRV,
    SECUENCIA       int,
    FECHA           datetime,
    IDARTICULO      char(25)      COLLATE SQLSRV,
    DESCRIPCION     varchar(100)  COLLATE SQLSRV,
    IDUNIDAD        char(4)       COLLATE SQLSRV,
    IDUNIDADBASE    char(4)       COLLATE SQLSRV,
    CANTIDAD        decimal(18,4),
    CANTIDADUD      decimal(18,4),
    CLASEPRECIO     int,
    IDCAJA          char(4)       COLLATE SQLSRV,
    IDDEPOSITO      char(4)       COLLATE SQLSRV,
    COSTO           decimal(18,4),
    IVARI           decimal(18,4),
    PRECIOVENTA     decimal(18,4),
    IMPORTE_S_IVA   decimal(18,4),
    UNEGOCIO        char(4)       COLLATE SQLSRV,
    IDMOTIVOSTOCK   char(4)       COLLATE SQLSRV,
    TRANSMISION     int,
    REVISADO        bit,
    ANULADO         bit,
    USUARIO         varchar(128)  COLLATE SQLSRV
);
CREATE INDEX V_MV_STOCKHIS_COMPROBANTE ON V_MV_STOCKHIS (TC, IDCOMPROBANTE);
