-- Work and accumulator tables of the ERP. "Vacia movimientos..." empties all eleven after the movement
-- tables, and the ERP's accumulator program ("Actualizar estatisticas/acumuladores") fills them again.
-- This program reads only AC_SaldosLayout (stock by warehouse, position and lot, which also gives the
-- article lookups their Stock column); for the others it needs nothing but the table, so they carry just a
-- row number until someone reads them.

CREATE TABLE AC_SaldosLayout (
    IDDEPOSITO   char(4)     COLLATE SQLSRV,
    IDPOSICION   varchar(15) COLLATE SQLSRV,  -- Null: stock kept without a position
    IDARTICULO   char(25)    COLLATE SQLSRV,
    NROLOTE      varchar(25) COLLATE SQLSRV,
    IDUNIDADBASE char(4)     COLLATE SQLSRV,
    SALDO        float
);

-- The article lookups add up an article's balance on every row they show.
CREATE INDEX AC_SaldosLayout_IDARTICULO ON AC_SaldosLayout (IDARTICULO);

CREATE TABLE Control_Acceso (ID INTEGER PRIMARY KEY AUTOINCREMENT);
CREATE TABLE Control_Mv_Calculo (ID INTEGER PRIMARY KEY AUTOINCREMENT);
CREATE TABLE Em_C15 (ID INTEGER PRIMARY KEY AUTOINCREMENT);
CREATE TABLE Em_LibroRojo (ID INTEGER PRIMARY KEY AUTOINCREMENT);
CREATE TABLE aux_mayores (ID INTEGER PRIMARY KEY AUTOINCREMENT);
CREATE TABLE aux_mv_cpte (ID INTEGER PRIMARY KEY AUTOINCREMENT);
CREATE TABLE AC_CuentasDiario (ID INTEGER PRIMARY KEY AUTOINCREMENT);
CREATE TABLE AC_CuentasDiario_CCosto (ID INTEGER PRIMARY KEY AUTOINCREMENT);
CREATE TABLE AC_Saldos (ID INTEGER PRIMARY KEY AUTOINCREMENT);
CREATE TABLE AC_SaldosDiario (ID INTEGER PRIMARY KEY AUTOINCREMENT);
