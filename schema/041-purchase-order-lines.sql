-- Purchase voucher lines and the order states.
-- As with the headers (040-vouchers.sql), the ERP keeps the lines in a base table, MV_CPTEINSUMOS, and this
-- program reads and writes them through C_MV_CPTEINSUMOS, whose triggers carry inserts, updates and deletes
-- to the base table. A line belongs to the voucher of its TC and IDCOMPROBANTE; one voucher may list an
-- article more than once, so the three make no unique key.

CREATE TABLE MV_CPTEINSUMOS (
    ID             INTEGER PRIMARY KEY AUTOINCREMENT,
    TC             char(4)      COLLATE SQLSRV,
    IDCOMPROBANTE  char(13)     COLLATE SQLSRV,
    CUENTA         varchar(15)  COLLATE SQLSRV,
    IDARTICULO     char(25)     COLLATE SQLSRV,
    DESCRIPCION    varchar(100) COLLATE SQLSRV,
    IDUNIDAD       char(4)      COLLATE SQLSRV,   -- the unit the quantity is in: bulks or units
    CANTIDAD       decimal(18,4),
    CANTIDADUD     decimal(18,4),                 -- the same quantity in the base unit
    COSTO          money,
    IMPORTE        money,
    IMPORTE_S_IVA  money,
    IMPUESTOS      money,
    TOTAL          money,
    DESC1          decimal(18,4),
    DESC2          decimal(18,4),
    DESC3          decimal(18,4),
    DESC4          decimal(18,4),
    DESC5          decimal(18,4),
    DESC6          decimal(18,4),
    DESC7          decimal(18,4),
    DESC8          decimal(18,4),
    DESC9          decimal(18,4),
    REC1           decimal(18,4),
    REC2           decimal(18,4),
    REC3           decimal(18,4),
    IDUNIDADBASE   char(4)      COLLATE SQLSRV,
    EQUIV_UDBASE   decimal(18,4),                 -- base units per unit of the quantity
    CONTROLADOPOR  varchar(50)  COLLATE SQLSRV,   -- marks of the receptions that took the line
    -- What the voucher screens load back into the article grid
    IDCOMPLEMENTO      int,
    PALLETS            int,                      -- the order's own ordering of its lines
    EXENTO             bit,
    NRO_LOTE           text         COLLATE SQLSRV,   -- pipe lists "|L1|L2|"
    NRO_SERIE          text         COLLATE SQLSRV,
    IDLISTA            char(4)      COLLATE SQLSRV,
    IDORIGEN           char(4)      COLLATE SQLSRV,
    UD_PR              char(4)      COLLATE SQLSRV,
    CODIGOARTPROVEEDOR varchar(25)  COLLATE SQLSRV,
    PRESENTACION       varchar(50)  COLLATE SQLSRV,
    PORCDTO            decimal(18,4),
    ALICIVA            decimal(18,4),
    PRECIO_LISTA       money,
    ESPESOR            decimal(18,4),
    ANCHO              decimal(18,4),
    IMPORTE_UD         money
);

-- The order imports ask for an order's lines of one article, and for a voucher by its type and id.
CREATE INDEX MV_CPTEINSUMOS_TC_IDCOMPROBANTE_IDARTICULO ON MV_CPTEINSUMOS (TC, IDCOMPROBANTE, IDARTICULO);
CREATE INDEX MV_CPTE_TC_IDCOMPROBANTE ON MV_CPTE (TC, IDCOMPROBANTE);

CREATE VIEW C_MV_CPTEINSUMOS AS SELECT * FROM MV_CPTEINSUMOS;

-- Every column is copied, so a row inserted through the view is the row the base table gets (ID included
-- when given; otherwise the base table numbers it).
CREATE TRIGGER C_MV_CPTEINSUMOS_INSERT INSTEAD OF INSERT ON C_MV_CPTEINSUMOS
BEGIN
    INSERT INTO MV_CPTEINSUMOS (ID,
        TC, IDCOMPROBANTE, CUENTA, IDARTICULO, DESCRIPCION, IDUNIDAD, CANTIDAD, CANTIDADUD, COSTO, IMPORTE,
        IMPORTE_S_IVA, IMPUESTOS, TOTAL, DESC1, DESC2, DESC3, DESC4, DESC5, DESC6, DESC7, DESC8, DESC9, REC1,
        REC2, REC3, IDUNIDADBASE, EQUIV_UDBASE, CONTROLADOPOR, IDCOMPLEMENTO, PALLETS, EXENTO, NRO_LOTE,
        NRO_SERIE, IDLISTA, IDORIGEN, UD_PR, CODIGOARTPROVEEDOR, PRESENTACION, PORCDTO, ALICIVA, PRECIO_LISTA,
        ESPESOR, ANCHO, IMPORTE_UD)
    VALUES (NEW.ID,
        NEW.TC, NEW.IDCOMPROBANTE, NEW.CUENTA, NEW.IDARTICULO, NEW.DESCRIPCION, NEW.IDUNIDAD, NEW.CANTIDAD,
        NEW.CANTIDADUD, NEW.COSTO, NEW.IMPORTE, NEW.IMPORTE_S_IVA, NEW.IMPUESTOS, NEW.TOTAL, NEW.DESC1,
        NEW.DESC2, NEW.DESC3, NEW.DESC4, NEW.DESC5, NEW.DESC6, NEW.DESC7, NEW.DESC8, NEW.DESC9, NEW.REC1,
        NEW.REC2, NEW.REC3, NEW.IDUNIDADBASE, NEW.EQUIV_UDBASE, NEW.CONTROLADOPOR, NEW.IDCOMPLEMENTO,
        NEW.PALLETS, NEW.EXENTO, NEW.NRO_LOTE, NEW.NRO_SERIE, NEW.IDLISTA, NEW.IDORIGEN, NEW.UD_PR,
        NEW.CODIGOARTPROVEEDOR, NEW.PRESENTACION, NEW.PORCDTO, NEW.ALICIVA, NEW.PRECIO_LISTA, NEW.ESPESOR,
        NEW.ANCHO, NEW.IMPORTE_UD);
END;

CREATE TRIGGER C_MV_CPTEINSUMOS_UPDATE INSTEAD OF UPDATE ON C_MV_CPTEINSUMOS
BEGIN
    UPDATE MV_CPTEINSUMOS SET
        TC = NEW.TC, IDCOMPROBANTE = NEW.IDCOMPROBANTE, CUENTA = NEW.CUENTA, IDARTICULO = NEW.IDARTICULO,
        DESCRIPCION = NEW.DESCRIPCION, IDUNIDAD = NEW.IDUNIDAD, CANTIDAD = NEW.CANTIDAD,
        CANTIDADUD = NEW.CANTIDADUD, COSTO = NEW.COSTO, IMPORTE = NEW.IMPORTE,
        IMPORTE_S_IVA = NEW.IMPORTE_S_IVA, IMPUESTOS = NEW.IMPUESTOS, TOTAL = NEW.TOTAL, DESC1 = NEW.DESC1,
        DESC2 = NEW.DESC2, DESC3 = NEW.DESC3, DESC4 = NEW.DESC4, DESC5 = NEW.DESC5, DESC6 = NEW.DESC6,
        DESC7 = NEW.DESC7, DESC8 = NEW.DESC8, DESC9 = NEW.DESC9, REC1 = NEW.REC1, REC2 = NEW.REC2,
        REC3 = NEW.REC3, IDUNIDADBASE = NEW.IDUNIDADBASE, EQUIV_UDBASE = NEW.EQUIV_UDBASE,
        CONTROLADOPOR = NEW.CONTROLADOPOR, IDCOMPLEMENTO = NEW.IDCOMPLEMENTO, PALLETS = NEW.PALLETS,
        EXENTO = NEW.EXENTO, NRO_LOTE = NEW.NRO_LOTE, NRO_SERIE = NEW.NRO_SERIE, IDLISTA = NEW.IDLISTA,
        IDORIGEN = NEW.IDORIGEN, UD_PR = NEW.UD_PR, CODIGOARTPROVEEDOR = NEW.CODIGOARTPROVEEDOR,
        PRESENTACION = NEW.PRESENTACION, PORCDTO = NEW.PORCDTO, ALICIVA = NEW.ALICIVA,
        PRECIO_LISTA = NEW.PRECIO_LISTA, ESPESOR = NEW.ESPESOR, ANCHO = NEW.ANCHO, IMPORTE_UD = NEW.IMPORTE_UD
    WHERE ID = OLD.ID;
END;

CREATE TRIGGER C_MV_CPTEINSUMOS_DELETE INSTEAD OF DELETE ON C_MV_CPTEINSUMOS
BEGIN
    DELETE FROM MV_CPTEINSUMOS WHERE ID = OLD.ID;
END;

-- The lines as the sales side reads them.
CREATE VIEW V_MV_CPTEINSUMOS AS SELECT * FROM MV_CPTEINSUMOS;

-- The states an order passes through. The order import makes sure of the state '  99' ('OTROS').
CREATE TABLE TA_ESTADOS (
    CODIGO      char(4)      COLLATE SQLSRV NOT NULL PRIMARY KEY,
    DESCRIPCION varchar(100) COLLATE SQLSRV
);
