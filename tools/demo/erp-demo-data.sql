-- Rows a demo ERP database needs before the migration tool starts on it: the settings start-up and the
-- import window read, the demo's database user, and the ledger accounts the import window offers for its
-- balancing entries. Safe to run again: a row already there is left as it is.

-- The VAT rate the import window takes at load; the purchase-order import prices with it.
IF NOT EXISTS (SELECT CLAVE FROM TA_CONFIGURACION WHERE CLAVE = 'PIVA')
    INSERT INTO TA_CONFIGURACION (CLAVE, VALOR, VALORAUX) VALUES ('PIVA', '21', '')

-- The demo logs in as "demo": an administrator of business unit 1.
IF NOT EXISTS (SELECT NOMBRE FROM TA_USUARIOS WHERE NOMBRE = 'demo')
    INSERT INTO TA_USUARIOS (NOMBRE, ADMINISTRADOR, UNEGOCIO, GRUPO) VALUES ('demo', 1, '   1', '')

-- The import window's default balancing accounts: adjustments, and cheques in portfolio.
IF NOT EXISTS (SELECT CODIGO FROM MA_CUENTAS WHERE CODIGO = '71104')
    INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, TITULO, DADA_DE_BAJA) VALUES ('71104', 'AJUSTES DE MIGRACION', 0, 0)
IF NOT EXISTS (SELECT CODIGO FROM MA_CUENTAS WHERE CODIGO = '1110102')
    INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, TITULO, DADA_DE_BAJA) VALUES ('1110102', 'CHEQUES EN CARTERA', 0, 0)

-- The voucher engine's settings: the surcharge VAT rate, no accounting entry per stock movement, and the
-- voucher grids' switches all off. A blank article name captions the article column "Código".
IF NOT EXISTS (SELECT CLAVE FROM TA_CONFIGURACION WHERE CLAVE = 'PIVARec')
    INSERT INTO TA_CONFIGURACION (CLAVE, VALOR, VALORAUX) VALUES ('PIVARec', '0', '')
IF NOT EXISTS (SELECT CLAVE FROM TA_CONFIGURACION WHERE CLAVE = 'AsientosXStock')
    INSERT INTO TA_CONFIGURACION (CLAVE, VALOR, VALORAUX) VALUES ('AsientosXStock', 'NO', '')
IF NOT EXISTS (SELECT CLAVE FROM TA_CONFIGURACION WHERE CLAVE = 'PideDepositoEnCptes')
    INSERT INTO TA_CONFIGURACION (CLAVE, VALOR, VALORAUX) VALUES ('PideDepositoEnCptes', 'NO', '')
IF NOT EXISTS (SELECT CLAVE FROM TA_CONFIGURACION WHERE CLAVE = 'NoMostrarImportesEnOT')
    INSERT INTO TA_CONFIGURACION (CLAVE, VALOR, VALORAUX) VALUES ('NoMostrarImportesEnOT', 'NO', '')
IF NOT EXISTS (SELECT CLAVE FROM TA_CONFIGURACION WHERE CLAVE = 'NombreArticulos')
    INSERT INTO TA_CONFIGURACION (CLAVE, VALOR, VALORAUX) VALUES ('NombreArticulos', '', '')
IF NOT EXISTS (SELECT CLAVE FROM TA_CONFIGURACION WHERE CLAVE = 'ConfirmaUDEquiv')
    INSERT INTO TA_CONFIGURACION (CLAVE, VALOR, VALORAUX) VALUES ('ConfirmaUDEquiv', 'NO', '')
IF NOT EXISTS (SELECT CLAVE FROM TA_CONFIGURACION WHERE CLAVE = 'V_ListaPreciosPorItemArticulos')
    INSERT INTO TA_CONFIGURACION (CLAVE, VALOR, VALORAUX) VALUES ('V_ListaPreciosPorItemArticulos', 'NO', '')
IF NOT EXISTS (SELECT CLAVE FROM TA_CONFIGURACION WHERE CLAVE = 'V_DescuentoPorArticulos')
    INSERT INTO TA_CONFIGURACION (CLAVE, VALOR, VALORAUX) VALUES ('V_DescuentoPorArticulos', 'NO', '')
