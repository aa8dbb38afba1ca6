-- Who did what to a voucher, how many lines a voucher's printed form holds, and the charges applied to an
-- account.

-- One row per action on a voucher: A added, M changed, B removed. The voucher screens write it, in the
-- voucher's own transaction or at once; nothing here reads it back. The ERP shows it as a view; here it is
-- the table itself, since rows are written through its name.
CREATE TABLE V_MV_CPTEACCIONES (
    ID             INTEGER PRIMARY KEY AUTOINCREMENT,
    TC             char(4)      COLLATE SQLSRV,
    IdComprobante  char(13)     COLLATE SQLSRV,
    IdComplemento  int,
    Tipo_accion    char(1)      COLLATE SQLSRV,
    FECHAHORA      datetime,
    Usuario        varchar(128) COLLATE SQLSRV,
    PC             varchar(100) COLLATE SQLSRV,
    SYSTEMUSER     varchar(128) COLLATE SQLSRV,
    NUMEROASIENTO  int
);

-- The lines the printed form of a voucher type and letter holds; the first row by ID counts, and 0 means
-- no limit.
CREATE TABLE TA_CONFIG_IMP_CPTE (
    ID         INTEGER PRIMARY KEY AUTOINCREMENT,
    TC         char(4) COLLATE SQLSRV,
    LETRA      char(1) COLLATE SQLSRV,
    CANTLINEAS int
);

-- The balance of charges applied to an account, one row per charge. The ERP derives it; here it is a table
-- the tests and the demo fill.
CREATE TABLE V_MV_CargosAplicados (
    CUENTA varchar(15) COLLATE SQLSRV,
    SALDO  money
);
