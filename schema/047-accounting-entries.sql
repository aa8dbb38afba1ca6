-- Accounting entries.
-- MV_ASIENTOS holds one row per line of an entry; an entry is the lines that share the voucher key and
-- [NUMERO ASIENTO], which is unique within MES_OPERATIVO, PERIODO and TIPO_REG (the sub-journal, four
-- blanks or the reserved 'ÿRS' for none). The voucher key is written as everywhere: TC right-aligned in 4,
-- SUCURSAL "0000", NUMERO "00000000", LETRA.

CREATE TABLE MV_ASIENTOS (
    ID               INTEGER PRIMARY KEY AUTOINCREMENT,
    TC               char(4)     COLLATE SQLSRV,
    SUCURSAL         char(4)     COLLATE SQLSRV,
    NUMERO           char(8)     COLLATE SQLSRV,
    LETRA            char(1)     COLLATE SQLSRV,
    CUENTA           varchar(15) COLLATE SQLSRV,
    MES_OPERATIVO    int,
    [NUMERO ASIENTO] int,
    TIPO_REG         char(4)     COLLATE SQLSRV,
    PERIODO          int,
    -- The line as the stock entry writes it: its place in the entry, dates, side and amount, and the entry's
    -- head (total, motive account and motive) repeated on every line; a cost of goods also names its sale.
    SECUENCIA           int,
    FECHA               datetime,
    FECHASUBDIARIO      datetime,
    DETALLE             varchar(100) COLLATE SQLSRV,
    [DEBE-HABER]        char(1)      COLLATE SQLSRV,
    FECHAHORA_GRABACION datetime,
    USUARIO_LOGEADO     varchar(128) COLLATE SQLSRV,
    IMPORTE             money,
    MONEDA              char(4)      COLLATE SQLSRV,
    COTIZACION          decimal(18,4),
    CABIMPORTE          money,
    CABCUENTA           varchar(15)  COLLATE SQLSRV,
    CABNOMBRE           varchar(100) COLLATE SQLSRV,
    UNEGOCIO            char(4)      COLLATE SQLSRV,
    IDCAJAS             char(4)      COLLATE SQLSRV,
    TC_ORIGEN           char(4)      COLLATE SQLSRV,
    CPTE_ORIGEN         char(13)     COLLATE SQLSRV,
    -- A customer's or supplier's open item: its VAT book kind, total and taxable net, due date and the
    -- party's tax id and VAT condition on the voucher's first line; the salesperson on both.
    LIVA_TIPO           varchar(10)  COLLATE SQLSRV,
    LIVA_TOTAL          money,
    LIVA_IMPNETOGRAV    money,
    VENCIMIENTO         datetime,
    CABCUIT             varchar(20)  COLLATE SQLSRV,
    CABCONDIVA          char(4)      COLLATE SQLSRV,
    IDVENDEDOR          char(4)      COLLATE SQLSRV,
    -- What kind of line it is, and where it came from (4: the balance and history imports).
    ESRESUMEN           bit,
    ES_SALDO_APERTURA   bit,
    ESAJUSTE            bit,
    CHPROPIO            bit,
    TRANSMISION         int,
    -- A cheque in portfolio: the account it came from, its number, clearing term and bank.
    CUENTAORIGEN           varchar(15) COLLATE SQLSRV,
    NROCOMPROBANTEBANCARIO varchar(20) COLLATE SQLSRV,
    CLEARING               int,
    IDBANCO                char(4)     COLLATE SQLSRV
);
-- The voucher's lines are looked up by its key; the next entry number by month and period.
CREATE INDEX MV_ASIENTOS_COMPROBANTE ON MV_ASIENTOS (TC, SUCURSAL, NUMERO, LETRA);
CREATE INDEX MV_ASIENTOS_NUMERACION ON MV_ASIENTOS (MES_OPERATIVO, PERIODO, TIPO_REG, [NUMERO ASIENTO]);

-- The per-user synonym a user who is not an administrator reads instead of MV_ASIENTOS; it shows every line.
CREATE VIEW SS_MV_ASIENTOS AS SELECT * FROM MV_ASIENTOS;

-- Sub-journals, and the sub-journal in which each voucher type's entries are registered.
CREATE TABLE MA_SUBDIARIOS (
    CODIGO char(4) COLLATE SQLSRV NOT NULL PRIMARY KEY
);

CREATE TABLE MA_SUBDIARIOSCOMPROBANTES (
    TC        char(4) COLLATE SQLSRV NOT NULL PRIMARY KEY,
    SUBDIARIO char(4) COLLATE SQLSRV
);

-- The days the entries are dated on, and whether each is a working day.
CREATE TABLE MA_CALENDARIO (
    FECHA       datetime NOT NULL PRIMARY KEY,
    NOLABORABLE bit
);
-- A day is looked up with the server's text comparison, which the key's binary order cannot serve: without
-- this index every entry written would read the whole calendar.
CREATE INDEX MA_CALENDARIO_DIA ON MA_CALENDARIO (FECHA COLLATE SQLSRV);
