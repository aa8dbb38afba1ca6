-- Articles, price lists and stock-shortage reports.
-- Article codes are 25 characters, right-aligned with leading blanks; barcodes are looked up padded the
-- same way, so they are stored that way too.

-- The article master. The program only reads it, through the views V_MA_ARTICULOS, VT_MA_ARTICULOS and
-- STK_MA_ARTICULOS (090-views.sql), so it carries the base name.
CREATE TABLE MA_ARTICULOS (
    IDARTICULO         char(25)     COLLATE SQLSRV NOT NULL PRIMARY KEY,
    DESCRIPCION        varchar(100) COLLATE SQLSRV,
    IDUNIDAD           char(4)      COLLATE SQLSRV,  -- the unit stock is counted in
    IDTIPO             char(4)      COLLATE SQLSRV,
    PRESENTACION       varchar(50)  COLLATE SQLSRV,
    -- Barcodes: the article's own, the bulk (DUN) one with its unit, and four more, each with its unit.
    CODIGOBARRA        char(25)     COLLATE SQLSRV,
    CODIGOBARRADUN     char(25)     COLLATE SQLSRV,
    UD_TTE             char(4)      COLLATE SQLSRV,
    CODIGOBARRA1       char(25)     COLLATE SQLSRV,
    UMCB1              char(4)      COLLATE SQLSRV,
    CODIGOBARRA2       char(25)     COLLATE SQLSRV,
    UMCB2              char(4)      COLLATE SQLSRV,
    CODIGOBARRA3       char(25)     COLLATE SQLSRV,
    UMCB3              char(4)      COLLATE SQLSRV,
    CODIGOBARRA4       char(25)     COLLATE SQLSRV,
    UMCB4              char(4)      COLLATE SQLSRV,
    SUSPENDIDO         bit,                          -- suspended for sale: out of lookups, no sale prices
    SUSPENDIDOC        bit,                          -- suspended for purchase: out of the purchase lists
    PUNTOPEDIDO        decimal(18,4),                -- reorder point; with the stock it colours lookup rows
    -- Supplier side: the usual supplier, his code for the article, cost and the purchase discounts.
    CUENTAPROVEEDOR    varchar(15)  COLLATE SQLSRV,
    CODIGOARTPROVEEDOR varchar(25)  COLLATE SQLSRV,
    COSTO              money,
    CUENTACONTABLEC    varchar(15)  COLLATE SQLSRV,  -- cost account of the stock entries
    PORCSEGURO         decimal(18,4),
    DTO1               decimal(18,4),
    DTO2               decimal(18,4),
    DTO3               decimal(18,4),
    DTO4               decimal(18,4),
    DTO5               decimal(18,4),
    DTO6               decimal(18,4),
    DTO7               decimal(18,4),
    DTO8               decimal(18,4),
    DTO9               decimal(18,4),
    REC1               decimal(18,4),
    REC2               decimal(18,4),
    -- Price classes; the list window heads them with the names in NOM_PCLASE1..8.
    PRECIO1            money,
    PRECIO2            money,
    PRECIO3            money,
    PRECIO4            money,
    PRECIO5            money,
    PRECIO6            money,
    PRECIO7            money,
    PRECIO8            money,
    -- How the article is tracked and entered on voucher lines.
    USASERIE           bit,
    USALOTE            bit,
    PERECEDERO         bit,
    USATALLE           bit,
    PESABLE            bit,
    PIDEMEDIDAS        bit
);

-- Price-list headers, one row per list: sale lists 'A1' to 'A6' (type 'V') and one purchase list per supplier
-- (type 'C', id = the last 4 characters of the supplier's account). A plain table under the ERP's view
-- name, since the program writes it and no other name reads its rows.
CREATE TABLE V_MA_PRECIOSCAB (
    IDLISTA   char(4)      COLLATE SQLSRV NOT NULL PRIMARY KEY,
    NOMBRE    varchar(100) COLLATE SQLSRV,  -- a purchase list takes the supplier's business name
    TIPOLISTA char(1)      COLLATE SQLSRV
);

-- Price-list rows, one per list and article. No unique key: duplicate rows of a list and article do occur
-- and "Elimina duplicado lista" removes them, keeping the lowest ID. Columns an insert leaves out stay Null.
CREATE TABLE V_MA_PRECIOS (
    ID                  INTEGER PRIMARY KEY AUTOINCREMENT,
    IDLISTA             char(4)      COLLATE SQLSRV,
    NOMBRE              varchar(100) COLLATE SQLSRV,
    IDARTICULO          char(25)     COLLATE SQLSRV,
    TIPOLISTA           char(1)      COLLATE SQLSRV,  -- 'V' sale, 'C' purchase
    CUENTAPROVEEDOR     varchar(15)  COLLATE SQLSRV,
    IDARTICULOPROVEEDOR varchar(25)  COLLATE SQLSRV,
    IDMONEDA            char(4)      COLLATE SQLSRV,
    CONIVA              bit,
    COSTO               money,
    PRECIO1             money,
    PRECIO2             money,
    PORCSEGURO          decimal(18,4),
    DTO1                decimal(18,4),
    DTO2                decimal(18,4),
    DTO3                decimal(18,4),
    DTO4                decimal(18,4),
    DTO5                decimal(18,4),
    DTO6                decimal(18,4),
    DTO7                decimal(18,4),
    DTO8                decimal(18,4),
    DTO9                decimal(18,4),
    REC1                decimal(18,4),
    REC2                decimal(18,4),
    UTILIDAD            decimal(18,4),
    PRECIO4             money,  -- the list's price
    PRECIO5             money,  -- offer price, valid from FHOFERTADESDE to FHOFERTAHASTA
    PRECIO6             money,
    PRECIO7             money,
    PRECIO8             money,
    FHOFERTADESDE       datetime,
    FHOFERTAHASTA       datetime,
    GRUPO               char(4)      COLLATE SQLSRV
);

-- Articles an operator reported short from an article lookup (F12). A plain table: only the program writes
-- it and no other name reads it.
CREATE TABLE V_MV_FALTANTES (
    FechaHora   datetime,
    IdArticulo  char(25)     COLLATE SQLSRV,
    Descripcion varchar(100) COLLATE SQLSRV,
    Usuario     varchar(128) COLLATE SQLSRV
);
