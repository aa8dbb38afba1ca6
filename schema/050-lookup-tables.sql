-- Small code tables behind the lookup dialogs. The program reads them only, through the ERP's V_ views
-- (090-views.sql) where it names a view, and picks from them in the list and tree pick-list windows.

-- Sellers (V_TA_VENDEDORES); the customer import writes their codes into MA_CUENTASADIC.IDVENDEDOR1..5.
CREATE TABLE TA_VENDEDORES (
    IDVENDEDOR char(4)      COLLATE SQLSRV NOT NULL PRIMARY KEY,
    NOMBRE     varchar(100) COLLATE SQLSRV
);

-- Service technicians (V_TA_TECNICOS).
CREATE TABLE TA_TECNICOS (
    IDTECNICO char(4)      COLLATE SQLSRV NOT NULL PRIMARY KEY,
    NOMBRE    varchar(100) COLLATE SQLSRV
);

-- Maintenance contracts (V_MA_MANTENIMIENTOS).
CREATE TABLE MA_MANTENIMIENTOS (
    CODIGO      varchar(15)  COLLATE SQLSRV NOT NULL PRIMARY KEY,
    DESCRIPCION varchar(100) COLLATE SQLSRV
);

-- The three coded hierarchies of the tree pick-list: a code is the child of the nearest preceding shorter
-- code, so these codes are left-aligned, unlike the right-aligned 4-character codes elsewhere.

-- Article families (V_TA_FAMILIAS).
CREATE TABLE TA_FAMILIAS (
    IDFAMILIA   varchar(15)  COLLATE SQLSRV NOT NULL PRIMARY KEY,
    DESCRIPCION varchar(100) COLLATE SQLSRV
);

-- Warehouses (V_TA_DEPOSITO), by their code right-aligned in 4: the article grid's warehouse cell looks its
-- code up here.
CREATE TABLE TA_DEPOSITO (
    IDDEPOSITO  char(4)      COLLATE SQLSRV NOT NULL PRIMARY KEY,
    DESCRIPCION varchar(100) COLLATE SQLSRV
);

-- Cash registers (V_TA_CAJAS), by their code right-aligned in 4, as the start-up's "@Caja" names one.
CREATE TABLE TA_CAJAS (
    IDCAJA      char(4)      COLLATE SQLSRV NOT NULL PRIMARY KEY,
    DESCRIPCION varchar(100) COLLATE SQLSRV
);

-- Storage positions inside a warehouse; a position is known by its warehouse and its code, which is how the
-- stock balances by position join them.
CREATE TABLE MA_POSICIONES (
    IDDEPOSITO   char(4)      COLLATE SQLSRV NOT NULL,
    IDPOSICION   varchar(15)  COLLATE SQLSRV NOT NULL,
    DESCRIPCION  varchar(100) COLLATE SQLSRV,
    ORDENINGRESO int,                          -- order in which positions are filled
    PRIMARY KEY (IDDEPOSITO, IDPOSICION)
);

-- Cost centres.
CREATE TABLE TA_CCOSTO (
    CODIGO      varchar(15)  COLLATE SQLSRV NOT NULL PRIMARY KEY,
    DESCRIPCION varchar(100) COLLATE SQLSRV
);

-- Article rubros (V_ta_Rubros), the grouping of the voucher screens' control totals.
CREATE TABLE TA_RUBROS (
    IDRUBRO     char(4)      COLLATE SQLSRV NOT NULL PRIMARY KEY,
    DESCRIPCION varchar(100) COLLATE SQLSRV
);

-- Article types (V_TA_TipoArticulo).
CREATE TABLE TA_TIPOARTICULO (
    TIPO        char(4)      COLLATE SQLSRV NOT NULL PRIMARY KEY,
    DESCRIPCION varchar(100) COLLATE SQLSRV
);

-- Banks, by their code right-aligned in 4.
CREATE TABLE V_TA_BANCOS (
    IDBANCO     char(4)     COLLATE SQLSRV NOT NULL PRIMARY KEY,
    DESCRIPCION varchar(50) COLLATE SQLSRV
);
