-- Voucher types and their numbering booklets.
-- V_TA_CPTE holds one row per voucher type and booklet (TALONARIO): the type's accounting data and, per
-- voucher letter, the booklet's default branch, its number range, the last number used and its expiry
-- (Null: none). The numbering writes it, so it is a plain table.

CREATE TABLE V_TA_CPTE (
    CODIGO                 char(4)     COLLATE SQLSRV NOT NULL,
    TALONARIO              int         NOT NULL,
    UNEGOCIO               char(4)     COLLATE SQLSRV,
    LETRAS                 varchar(20) COLLATE SQLSRV,
    SISTEMA                varchar(20) COLLATE SQLSRV,
    DEBEHABER              char(1)     COLLATE SQLSRV,
    ES                     char(1)     COLLATE SQLSRV,
    SIGNO                  int,
    EXTERNO                bit         DEFAULT 0,
    MODIFICANUMERACION     bit         DEFAULT 0,
    FECHAHORA_MODIFICACION datetime,
    A_SUC_DEFAULT int, A_NRO_DESDE int, A_NRO_HASTA int, A_ULTIMO_NRO int, VENCEA datetime,
    B_SUC_DEFAULT int, B_NRO_DESDE int, B_NRO_HASTA int, B_ULTIMO_NRO int, VENCEB datetime,
    C_SUC_DEFAULT int, C_NRO_DESDE int, C_NRO_HASTA int, C_ULTIMO_NRO int, VENCEC datetime,
    E_SUC_DEFAULT int, E_NRO_DESDE int, E_NRO_HASTA int, E_ULTIMO_NRO int, VENCEE datetime,
    R_SUC_DEFAULT int, R_NRO_DESDE int, R_NRO_HASTA int, R_ULTIMO_NRO int, VENCER datetime,
    X_SUC_DEFAULT int, X_NRO_DESDE int, X_NRO_HASTA int, X_ULTIMO_NRO int, VENCEX datetime,
    M_SUC_DEFAULT int, M_NRO_DESDE int, M_NRO_HASTA int, M_ULTIMO_NRO int, VENCEM datetime,
    PRIMARY KEY (CODIGO, TALONARIO)
);

-- The voucher-type table: a type's accounting data and, when its numbering is kept here rather than in
-- V_TA_CPTE, its booklet with the same per-letter columns.
CREATE TABLE TA_COMPROBANTES (
    CODIGO                 char(4)     COLLATE SQLSRV NOT NULL PRIMARY KEY,
    TALONARIO              int,
    SISTEMA                varchar(20) COLLATE SQLSRV,
    [DEBE-HABER]           char(1)     COLLATE SQLSRV,
    ES                     char(1)     COLLATE SQLSRV,
    FECHAHORA_MODIFICACION datetime,
    A_SUC_DEFAULT int, A_NRO_DESDE int, A_NRO_HASTA int, A_ULTIMO_NRO int, VENCEA datetime,
    B_SUC_DEFAULT int, B_NRO_DESDE int, B_NRO_HASTA int, B_ULTIMO_NRO int, VENCEB datetime,
    C_SUC_DEFAULT int, C_NRO_DESDE int, C_NRO_HASTA int, C_ULTIMO_NRO int, VENCEC datetime,
    E_SUC_DEFAULT int, E_NRO_DESDE int, E_NRO_HASTA int, E_ULTIMO_NRO int, VENCEE datetime,
    R_SUC_DEFAULT int, R_NRO_DESDE int, R_NRO_HASTA int, R_ULTIMO_NRO int, VENCER datetime,
    X_SUC_DEFAULT int, X_NRO_DESDE int, X_NRO_HASTA int, X_ULTIMO_NRO int, VENCEX datetime,
    M_SUC_DEFAULT int, M_NRO_DESDE int, M_NRO_HASTA int, M_ULTIMO_NRO int, VENCEM datetime
);

-- Voucher numbers recorded as used, one row per number: a number is recorded once.
CREATE TABLE V_MV_CTROL_CPTE (
    TC       char(4) COLLATE SQLSRV NOT NULL,
    SUCURSAL char(4) COLLATE SQLSRV NOT NULL,
    NUMERO   char(8) COLLATE SQLSRV NOT NULL,
    LETRA    char(1) COLLATE SQLSRV NOT NULL,
    PRIMARY KEY (TC, SUCURSAL, NUMERO, LETRA)
);

-- Trips: only their voucher keys matter to the numbering, which steps over numbers already taken.
CREATE TABLE MV_VIAJES (
    TC            char(4)  COLLATE SQLSRV,
    IDCOMPROBANTE char(13) COLLATE SQLSRV
);
CREATE INDEX MV_VIAJES_COMPROBANTE ON MV_VIAJES (TC, IDCOMPROBANTE);

-- The voucher headers as the sales side reads them; the sales side calls the finished mark FINALIZADA.
CREATE VIEW V_MV_CPTE AS SELECT *, FINALIZADO AS FINALIZADA FROM MV_CPTE;
