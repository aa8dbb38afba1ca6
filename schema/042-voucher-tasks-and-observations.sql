-- The task lines and the observations of a voucher, keyed as its lines are (type, id, complement for
-- sales, account for purchases). As with the headers, the ERP keeps each in a base table and shows it
-- through a V_ (sales) and a C_ (purchases) view; the voucher screens only read them.

CREATE TABLE MV_CPTETAREAS (
    ID                   INTEGER PRIMARY KEY AUTOINCREMENT,
    TC                   char(4)      COLLATE SQLSRV,
    IDCOMPROBANTE        char(13)     COLLATE SQLSRV,
    IDCOMPLEMENTO        int,
    CUENTA               varchar(15)  COLLATE SQLSRV,
    IDTAREA              char(4)      COLLATE SQLSRV,
    DESCRIPCION          varchar(100) COLLATE SQLSRV,
    HORAS                int,                      -- minutes
    VALORHORA            money,
    VALORHORA_S_IVA      money,
    TOTAL                money,
    DESCRIPCIONADICIONAL varchar(255) COLLATE SQLSRV,
    FECHAESTINICIO       datetime,
    FECHAESTFIN          datetime,
    IDTECNICO            char(4)      COLLATE SQLSRV,
    FECHAREALINICIO      datetime,
    FECHAREALFIN         datetime
);
CREATE INDEX MV_CPTETAREAS_TC_IDCOMPROBANTE ON MV_CPTETAREAS (TC, IDCOMPROBANTE);

CREATE VIEW V_MV_CPTETAREAS AS SELECT * FROM MV_CPTETAREAS;
CREATE VIEW C_MV_CPTETAREAS AS SELECT * FROM MV_CPTETAREAS;

-- Observations by kind; 'OC' rows are the voucher's other concepts, with their amounts.
CREATE TABLE MV_CPTE_Observ (
    ID            INTEGER PRIMARY KEY AUTOINCREMENT,
    TC            char(4)      COLLATE SQLSRV,
    IDCOMPROBANTE char(13)     COLLATE SQLSRV,
    IDCOMPLEMENTO int,
    CUENTA        varchar(15)  COLLATE SQLSRV,
    TIPO_OBS      char(2)      COLLATE SQLSRV,
    OBSERVACION   varchar(255) COLLATE SQLSRV,
    IMPORTE       money,
    IMPORTE_S_IVA money
);
CREATE INDEX MV_CPTE_Observ_TC_IDCOMPROBANTE ON MV_CPTE_Observ (TC, IDCOMPROBANTE);

CREATE VIEW V_MV_CPTE_Observ AS SELECT * FROM MV_CPTE_Observ;
CREATE VIEW C_MV_CPTE_Observ AS SELECT * FROM MV_CPTE_Observ;
