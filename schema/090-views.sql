-- Views the program only reads. In the ERP these names are views too; here each is a plain view over the
-- base table of the earlier files.

-- Articles. V_MA_ARTICULOS is the master as the lookups and imports read it; VT_MA_ARTICULOS (the list the
-- article lookup shows) and STK_MA_ARTICULOS add the article's stock, summed over its balances by warehouse,
-- position and lot, so the list window can colour rows against the reorder point. Null when the article has
-- no balance, which the window reads as 0.
CREATE VIEW V_MA_ARTICULOS AS
    SELECT * FROM MA_ARTICULOS;

CREATE VIEW VT_MA_ARTICULOS AS
    SELECT a.*,
           (SELECT SUM(s.SALDO) FROM AC_SaldosLayout s WHERE s.IDARTICULO = a.IDARTICULO) AS Stock
    FROM MA_ARTICULOS a;

CREATE VIEW STK_MA_ARTICULOS AS
    SELECT a.*,
           (SELECT SUM(s.SALDO) FROM AC_SaldosLayout s WHERE s.IDARTICULO = a.IDARTICULO) AS Stock
    FROM MA_ARTICULOS a;

-- Customers and suppliers: the accounts under their chart prefix, with the extension row when there is one.
-- RAZON_SOCIAL is the account's description. The lookups hide accounts with DADA_DE_BAJA set.
CREATE VIEW VT_CLIENTES AS
    SELECT c.CODIGO,
           c.DESCRIPCION AS RAZON_SOCIAL,
           c.CODIGOOPCIONAL,
           c.DADA_DE_BAJA,
           a.CONTACTO
    FROM MA_CUENTAS c
    LEFT JOIN MA_CUENTASADIC a ON a.CODIGO = c.CODIGO
    WHERE c.CODIGO LIKE '1140101%';

CREATE VIEW VT_PROVEEDORES AS
    SELECT c.CODIGO,
           c.DESCRIPCION AS RAZON_SOCIAL,
           c.CODIGOOPCIONAL,
           c.DADA_DE_BAJA,
           a.CONTACTO,
           a.PROVEEDORLOCAL,
           a.DTO1,
           a.DTO2,
           a.DTO3
    FROM MA_CUENTAS c
    LEFT JOIN MA_CUENTASADIC a ON a.CODIGO = c.CODIGO
    WHERE c.CODIGO LIKE '2110101%';

-- Code tables offered by the built-in lookups and the tree pick-list.
CREATE VIEW V_TA_VENDEDORES AS
    SELECT * FROM TA_VENDEDORES;

CREATE VIEW V_TA_TECNICOS AS
    SELECT * FROM TA_TECNICOS;

CREATE VIEW V_MA_MANTENIMIENTOS AS
    SELECT * FROM MA_MANTENIMIENTOS;

CREATE VIEW V_TA_FAMILIAS AS
    SELECT * FROM TA_FAMILIAS;

CREATE VIEW V_ta_Rubros AS
    SELECT * FROM TA_RUBROS;

CREATE VIEW V_TA_TipoArticulo AS
    SELECT * FROM TA_TIPOARTICULO;

CREATE VIEW V_TA_DEPOSITO AS
    SELECT * FROM TA_DEPOSITO;

CREATE VIEW V_TA_CAJAS AS
    SELECT * FROM TA_CAJAS;

-- Per-user synonyms: for a user who is not an administrator the data-access object reads these instead of
-- MA_CUENTAS, V_TA_DEPOSITO, V_TA_FAMILIAS, V_TA_CAJAS, AC_CuentasDiario and AC_CuentasDiario_CCosto. They
-- show every row, which is the form the script runner gives SS_MA_CUENTAS while the setting
-- SS_Confidencialidad is not SI (with it, only the accounts of the user's group through MA_CUENTAS_USUARIOS).
CREATE VIEW SS_MA_CUENTAS AS
    SELECT * FROM MA_CUENTAS;

CREATE VIEW SS_V_TA_DEPOSITO AS
    SELECT * FROM V_TA_DEPOSITO;

CREATE VIEW SS_V_TA_FAMILIAS AS
    SELECT * FROM V_TA_FAMILIAS;

CREATE VIEW SS_V_TA_CAJAS AS
    SELECT * FROM V_TA_CAJAS;

CREATE VIEW SS_AC_CUENTASDIARIO AS
    SELECT * FROM AC_CuentasDiario;

CREATE VIEW SS_AC_CUENTAS_DIARIO_CCOSTO AS
    SELECT * FROM AC_CuentasDiario_CCosto;

-- Stock and sales motives and the article components, as the stock entry and the component discharge read
-- them.
CREATE VIEW V_TA_MOTIVOSTOCK AS
    SELECT * FROM TA_MOTIVOSTOCK;

CREATE VIEW V_TA_MotivoVta AS
    SELECT * FROM TA_MOTIVOVTA;

CREATE VIEW V_TA_Input_Ventas AS
    SELECT * FROM TA_INPUT_VENTAS;

CREATE VIEW V_MA_INSUMOS AS
    SELECT * FROM MA_INSUMOS;

-- Vouchers still open: neither finished nor void. The voucher query window lists pending delivery notes,
-- work orders and budgets from these; the ERP's own views also weigh deliveries, which this program never
-- records, so an open voucher is one not marked finished.
CREATE VIEW V_RemitosPendientes AS
    SELECT CUENTA, ANULADA, NOMBRE, APROBADO, TC, IDCOMPROBANTE, IDCOMPLEMENTO, ID, FECHA, IMPORTE
    FROM MV_CPTE
    WHERE IFNULL(FINALIZADO, 0) = 0 AND IFNULL(ANULADA, 0) = 0;

CREATE VIEW C_RemitosPendientes AS
    SELECT CUENTA, ANULADA, NOMBRE, TC, IDCOMPROBANTE, IDCOMPLEMENTO, ID, FECHA, IMPORTE
    FROM MV_CPTE
    WHERE IFNULL(FINALIZADO, 0) = 0 AND IFNULL(ANULADA, 0) = 0;

CREATE VIEW V_OT_Pendientes AS
    SELECT CUENTA, ANULADA, NOMBRE, APROBADO, TC, IDCOMPROBANTE, IDCOMPLEMENTO, ID, FECHA, IMPORTE
    FROM MV_CPTE
    WHERE IFNULL(FINALIZADO, 0) = 0 AND IFNULL(ANULADA, 0) = 0;

CREATE VIEW V_PR_PENDIENTES AS
    SELECT CUENTA, ANULADA, NOMBRE, APROBADO, TC, IDCOMPROBANTE, IDCOMPLEMENTO, ID, FECHA, IMPORTE, COMENTARIOS
    FROM MV_CPTE
    WHERE IFNULL(FINALIZADO, 0) = 0 AND IFNULL(ANULADA, 0) = 0;

-- Vouchers sent to and received from third parties, as the voucher query window lists them.
CREATE TABLE V_MV_CPTETERCEROS (
    ID            INTEGER PRIMARY KEY AUTOINCREMENT,
    FECHA         datetime,
    IDCOMPROBANTE char(13) COLLATE SQLSRV,
    IDCOMPLEMENTO int,
    FECHAENVIADO  datetime,
    FECHARECIBIDO datetime
);
-- What the loading of a delivery note or an order reads to know what is still to deliver, one row per
-- voucher and article: its quantity on the voucher, what the voucher's own stock movements moved (exits
-- are stored negative, so the absolute quantities), and what later vouchers made from it applied. Lines
-- and movements of one article may be in different units (boxes on the note, units on the invoice), so
-- each adds up base units: CANTIDADUD, or where it is Null the quantity times its own equivalence (1 when
-- that is Null or 0). The first two are read once per article of a voucher: written as the first row of
-- each key with its sum, the engine looks the key up in the index instead of grouping the whole table (a
-- grouped view over columns with their own collation is not narrowed by the reader's condition).
CREATE VIEW VT_V_MV_CPTEINSUMOS_CONS2 AS
    SELECT l.TC, l.IDCOMPROBANTE, l.IDARTICULO,
           (SELECT SUM(COALESCE(x.CANTIDADUD, x.CANTIDAD * COALESCE(NULLIF(x.EQUIV_UDBASE, 0), 1)))
            FROM MV_CPTEINSUMOS x
            WHERE x.TC = l.TC AND x.IDCOMPROBANTE = l.IDCOMPROBANTE AND x.IDARTICULO = l.IDARTICULO) AS Cantidad
    FROM MV_CPTEINSUMOS l
    WHERE l.ID = (SELECT MIN(f.ID) FROM MV_CPTEINSUMOS f
                  WHERE f.TC = l.TC AND f.IDCOMPROBANTE = l.IDCOMPROBANTE AND f.IDARTICULO = l.IDARTICULO);

CREATE VIEW VT_V_MV_Stock_Cons AS
    SELECT s.TC, s.IDCOMPROBANTE, s.IDARTICULO,
           (SELECT SUM(ABS(COALESCE(x.CANTIDADUD, x.CANTIDAD * COALESCE(NULLIF(x.EQUIV_UDBASE, 0), 1))))
            FROM V_MV_STOCK x
            WHERE x.TC = s.TC AND x.IDCOMPROBANTE = s.IDCOMPROBANTE AND x.IDARTICULO = s.IDARTICULO) AS Cantidad
    FROM V_MV_STOCK s
    WHERE s.ID = (SELECT MIN(f.ID) FROM V_MV_STOCK f
                  WHERE f.TC = s.TC AND f.IDCOMPROBANTE = s.IDCOMPROBANTE AND f.IDARTICULO = s.IDARTICULO);

CREATE VIEW VT_V_MV_INSUMOS_APLICACION AS
    SELECT h.TCORIGEN AS TCO_ORIGEN, h.COMPROBANTEORIGEN AS IDCOMPROBANTEORIGEN, l.IDARTICULO,
           SUM(COALESCE(l.CANTIDADUD, l.CANTIDAD * COALESCE(NULLIF(l.EQUIV_UDBASE, 0), 1))) AS CantidadAplicada
    FROM MV_CPTE h
    JOIN MV_CPTEINSUMOS l ON l.TC = h.TC AND l.IDCOMPROBANTE = h.IDCOMPROBANTE
                         AND IFNULL(l.IDCOMPLEMENTO, 0) = IFNULL(h.IDCOMPLEMENTO, 0)
                         AND IFNULL(l.CUENTA, '') = IFNULL(h.CUENTA, '')
    WHERE IFNULL(h.ANULADA, 0) = 0 AND h.TCORIGEN IS NOT NULL
    GROUP BY h.TCORIGEN, h.COMPROBANTEORIGEN, l.IDARTICULO;
