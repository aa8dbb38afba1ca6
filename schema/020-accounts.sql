-- Accounts of the chart: customers, suppliers and employees share this row shape. The code is a
-- seven-character chart prefix ('1140101' customers, '2110101' suppliers, '2130101' employees) followed by an
-- identifier from the legacy record, at most 15 characters in all.

-- The account itself. Only the employee import inserts here; the supplier and customer imports write
-- MA_CUENTASADIC alone. ID and the two time stamps are the ERP's bookkeeping columns: nothing here writes
-- them, and the generated account lookup (F5 in a balancing-account box) leaves them out of its columns.
CREATE TABLE MA_CUENTAS (
    ID                     int,
    CODIGO                 varchar(15)  COLLATE SQLSRV NOT NULL PRIMARY KEY,
    DESCRIPCION            varchar(100) COLLATE SQLSRV,
    TIPOVISTA              char(2)      COLLATE SQLSRV,  -- 'PE' employee, 'CL' customer
    TITULO                 bit,
    MONEDA                 char(4)      COLLATE SQLSRV,
    LIBRO_IVA_VENTAS       bit,
    DADA_DE_BAJA           bit,
    CODIGOOPCIONAL         varchar(15)  COLLATE SQLSRV,  -- second code the account lookups try
    BLOQUEO                bit,
    FECHAHORA_GRABACION    datetime,
    FECHAHORA_MODIFICACION datetime
);

-- Extension data of an account, one row per account code. No foreign key to MA_CUENTAS: the supplier and
-- customer imports write these rows for accounts that MA_CUENTAS does not hold yet, and nothing relies on
-- the reference being refused.
-- Codes into the ERP's lookup tables (province, country, VAT condition, document type, conditions, motives,
-- sellers, retention, category) are 4 characters, right-aligned with leading blanks.
CREATE TABLE MA_CUENTASADIC (
    CODIGO                 varchar(15)  COLLATE SQLSRV NOT NULL PRIMARY KEY,
    CONTACTO               varchar(100) COLLATE SQLSRV,  -- supplier or employee name, customer's trade name
    CALLE                  varchar(100) COLLATE SQLSRV,
    NUMERO                 varchar(10)  COLLATE SQLSRV,  -- street number, floor and flat: read by the order import
    PISO                   varchar(10)  COLLATE SQLSRV,
    DEPARTAMENTO           varchar(10)  COLLATE SQLSRV,
    CPOSTAL                varchar(10)  COLLATE SQLSRV,
    LOCALIDAD              varchar(50)  COLLATE SQLSRV,  -- the imports cut city names to 50
    PROVINCIA              char(4)      COLLATE SQLSRV,
    PAIS                   char(4)      COLLATE SQLSRV,
    TELEFONO               varchar(50)  COLLATE SQLSRV,
    IVA                    char(4)      COLLATE SQLSRV,
    DOCUMENTO_TIPO         char(4)      COLLATE SQLSRV,
    NUMERO_DOCUMENTO       varchar(20)  COLLATE SQLSRV,  -- tax number as 'nn-nnnnnnnn-n'
    CLASE                  smallint,                     -- 1 supplier, 4 customer or employee
    IdMotivoCpra           char(4)      COLLATE SQLSRV,
    IDMOTIVOVTA            char(4)      COLLATE SQLSRV,
    IDCOND_CPRA_VTA        char(4)      COLLATE SQLSRV,
    -- Wider than a price-list id: the supplier import stores the whole trimmed legacy supplier code here.
    IDLISTA                varchar(15)  COLLATE SQLSRV,
    DTO1                   decimal(18,4),
    DTO2                   decimal(18,4),
    DTO3                   decimal(18,4),
    FhVtoExento            datetime,
    RETGAN_IdRetencion     char(4)      COLLATE SQLSRV,
    DatosPago              varchar(100) COLLATE SQLSRV,
    FCC_Sin_OC             bit,
    OCCambiaCosto          bit,
    EmiteSobresPorOP       bit,
    -- The article import takes the text of this flag and compares it with 'Verdadero'; a bit gives that text.
    ProveedorLocal         bit,
    ProveedorCompartido    bit,
    idDepositoEntregaOC    char(4)      COLLATE SQLSRV,
    IDVENDEDOR1            char(4)      COLLATE SQLSRV,
    IDVENDEDOR2            char(4)      COLLATE SQLSRV,
    IDVENDEDOR3            char(4)      COLLATE SQLSRV,
    IDVENDEDOR4            char(4)      COLLATE SQLSRV,
    IDVENDEDOR5            char(4)      COLLATE SQLSRV,
    LIMITE_CREDITO         money,
    LIMITE_CREDITO1        money,
    LIMITE_CREDITO2        money,
    LIMITE_CREDITO3        money,
    LIMITE_CREDITO4        money,
    LIMITE_CREDITO5        money,
    idCond_Cpra_Vta_Vdor1  char(4)      COLLATE SQLSRV,
    idCond_Cpra_Vta_Vdor2  char(4)      COLLATE SQLSRV,
    idCond_Cpra_Vta_Vdor3  char(4)      COLLATE SQLSRV,
    idCond_Cpra_Vta_Vdor4  char(4)      COLLATE SQLSRV,
    idCond_Cpra_Vta_Vdor5  char(4)      COLLATE SQLSRV,
    IDCATEGORIA            char(4)      COLLATE SQLSRV
);

-- Branches of an account. The branch is a number: the lookup compares it unquoted (SUCURSAL = 2).
CREATE TABLE MA_CUENTASSUC (
    CODIGO   varchar(15) COLLATE SQLSRV NOT NULL,
    SUCURSAL int         NOT NULL,
    PRIMARY KEY (CODIGO, SUCURSAL)
);

-- Which user groups may see which accounts; the confidential form of SS_MA_CUENTAS joins it with
-- TA_USUARIOS.GRUPO.
CREATE TABLE MA_CUENTAS_USUARIOS (
    Cuenta    varchar(15) COLLATE SQLSRV,
    GrupoUser varchar(50) COLLATE SQLSRV
);

-- Contacts, offered by the built-in CONTACTOS lookup.
CREATE TABLE MA_CONTACTOS (
    Nombre_y_Apellido varchar(100) COLLATE SQLSRV,
    Domicilio         varchar(100) COLLATE SQLSRV,
    Localidad         varchar(50)  COLLATE SQLSRV,
    Telefono          varchar(50)  COLLATE SQLSRV
);
