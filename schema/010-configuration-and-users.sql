-- Settings, users, the error table of failed batches and the fiscal years.
-- Every text column carries COLLATE SQLSRV: the ERP runs on SQL Server's default collation, which ignores
-- letter case and trailing blanks, and keys such as CLAVE = 'piva' or padded codes rely on it.

-- One row per setting. Switches hold the texts 'SI' and 'NO'; a key without a row reads as one blank.
CREATE TABLE TA_CONFIGURACION (
    CLAVE    varchar(50)  COLLATE SQLSRV NOT NULL PRIMARY KEY,
    VALOR    varchar(255) COLLATE SQLSRV,
    VALORAUX varchar(255) COLLATE SQLSRV
);

-- Database users. ADMINISTRADOR is a number on purpose: the log-in takes the leading number of its text and
-- only 1 makes an administrator (a bit would read back as 'Verdadero'). UNEGOCIO is the business unit,
-- right-aligned in 4. GRUPO ties the user to the accounts his group may see (MA_CUENTAS_USUARIOS).
CREATE TABLE TA_USUARIOS (
    NOMBRE        varchar(128) COLLATE SQLSRV NOT NULL PRIMARY KEY,
    ADMINISTRADOR int,
    UNEGOCIO      char(4)      COLLATE SQLSRV,
    GRUPO         varchar(50)  COLLATE SQLSRV
);

-- One row per failed batch. The batch runner adds rows through an updatable recordset, hence the ID.
-- Descripcion is cut to 250 by the writer; SQL keeps the whole batch.
CREATE TABLE AUX_ERR (
    ID          INTEGER PRIMARY KEY AUTOINCREMENT,
    Proceso     varchar(100) COLLATE SQLSRV,
    Fecha       datetime,
    Error       int,
    Descripcion varchar(250) COLLATE SQLSRV,
    SQL         text         COLLATE SQLSRV,
    PC          varchar(100) COLLATE SQLSRV,
    Usuario     varchar(128) COLLATE SQLSRV
);

-- Fiscal years the migrated balances and movements belong to; the balance imports seed periods 0 and 1 when
-- the table is empty. "Vacia movimientos..." empties it with the other MV_ tables.
CREATE TABLE MV_EJERCICIOS (
    PERIODO       int NOT NULL PRIMARY KEY,
    DESCRIPCION   varchar(50) COLLATE SQLSRV,
    [FECHA DESDE] datetime,
    [FECHA HASTA] datetime
);
