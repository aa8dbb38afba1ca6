#!/usr/bin/python3
"""The legacy article and costing tables of the demo folder, FARTICUL and FCOSTEOS, written with Debian's
python3-dbf. They feed "PROV.LO" and the article and cost imports: a few dozen articles of the demo
suppliers with their costing records, the awkward ones among them (an article some list is closed to, a
lower-case flag, no costing record, a list price of 0 beside a positive one for list A4, offers of 0, below
0, without days, a code with an apostrophe, an article without supplier, a second costing record for one
code, empty amounts, a deleted article).

    price_tables.py <folder>

Other programs import this module: FIELDS and FILES give the layout, write_table writes given rows, and
farticul and fcosteos write the demo rows; these two take the folder and the demo generator's options, so
they can stand in its list of tables.
"""

import datetime
import decimal
import os
import sys

import dbf_files

D = decimal.Decimal

# Field lists as python-dbf takes them. An empty number or date is read as Null by the import window.
FIELDS = {
    'FARTICUL': '; '.join(
        ['CODI_FAR C(13)', 'DESC_FAR C(40)', 'PROV_FAR C(10)', 'UNID_FAR C(4)'] +
        ['PED%d_FAR C(1)' % n for n in range(1, 7)]),
    'FCOSTEOS': '; '.join(
        ['CODI_FCO C(13)', 'COSB_FCO N(12,2)', 'PPRO_FCO N(12,2)', 'IFLE_FCO N(12,2)', 'SEGU_FCO N(6,2)',
         'DES1_FCO N(6,2)', 'DES2_FCO N(6,2)', 'DES3_FCO N(6,2)', 'REC1_FCO N(6,2)', 'REC2_FCO N(6,2)',
         'NPR1_FCO N(12,2)', 'NPR2_FCO N(12,2)', 'MAR2_FCO N(7,2)', 'MAR3_FCO N(7,2)', 'POFE_FCO N(12,2)',
         'DOFE_FCO D', 'HOFE_FCO D']),
}

# The file each table is written to.
FILES = {'FARTICUL': 'FARTICUL.DBF', 'FCOSTEOS': 'FCOSTEOS.DBF'}


def write_table(folder, table, rows, deleted=()):
    """Writes `rows` into the table's file in `folder`, replacing it (see dbf_files.write_table)."""
    dbf_files.write_table(os.path.join(folder, FILES[table]), FIELDS[table], rows, deleted)


# --- articles ---------------------------------------------------------------------------------------------

def article(code, description, supplier, unit='UN', flags='NNNNNN'):
    row = dict(CODI_FAR=code, DESC_FAR=description, PROV_FAR=supplier, UNID_FAR=unit)
    row.update({'PED%d_FAR' % n: flag for n, flag in enumerate(flags, start=1)})
    return row


# Suppliers are the demo's legacy supplier codes (make_legacy_folder.py): 123, 45, 78, PROV123456, 300...
DEMO_ARTICLES = [
    article('1001', 'Tornillo autoperforante 8x1"', '123'),
    article('1002', 'Tuerca hexagonal 1/4"', '123'),
    article('1003', 'Arandela plana 1/4"', '123'),
    article('1004', 'Bulón cabeza redonda 5/16 x 2"', '123'),
    article('2001', 'Tirante pino 2x4" x 3,05 m', '78', unit='M'),
    article('2002', 'Machimbre eucalipto 1/2"', '78', unit='M2'),
    article('2003', 'Fenólico 18 mm 1,22 x 2,44', '78'),
    article('3001', 'Cable unipolar 2,5 mm rollo 100 m', 'PROV123456'),
    article('3002', 'Llave térmica bipolar 25 A', 'PROV123456'),
    article('3003', 'Disyuntor diferencial 40 A', 'PROV123456'),
    article('4001', 'Cemento portland 50 kg', '45', unit='BOL'),
    article('4002', 'Cal hidratada 25 kg', '45', unit='BOL'),
    article('4003', 'Arena fina (m3)', '45', unit='M3'),
    article("D'ALE-01", "Pintura látex D'Alessandro 20 l", '45'),
    article('5001', 'Guante de descarne', '300', unit='PAR'),
    article('5002', 'Casco de seguridad blanco', '300'),
    article('5003', 'Antiparras policarbonato', '300'),
    article('6001', 'Manguera riego 1/2" x 25 m', '305'),
    article('6002', 'Pico de regadera bronce', '305'),
    article('6003', 'Aspersor plástico', '305'),
    # Closed to list 3: not one of the articles with all six lists.
    article('7001', 'Amoladora angular 115 mm', '123', flags='NNSNNN'),
    # A lower-case flag: the legacy folder compares texts exactly, so it is left out too.
    article('7002', 'Taladro percutor 13 mm', '123', flags='NNNNNn'),
    # No supplier at all.
    article('7003', 'Artículo sin proveedor', ''),
    # No costing record.
    article('7004', 'Artículo sin costeo', '78'),
    # Only list A4 has a price: no rows from "PROV.LO".
    article('7005', 'Sólo precio mayorista', '78'),
    # Its costing record has empty amounts.
    article('7006', 'Costeo incompleto', '300'),
    # Deleted in the legacy table.
    article('7007', 'Artículo borrado', '123'),
    # A supplier that is not among the ERP's (code never migrated).
    article('7008', 'Proveedor desconocido', '999'),
]
DELETED_ARTICLES = {i for i, row in enumerate(DEMO_ARTICLES) if row['CODI_FAR'] == '7007'}


def farticul(folder, options=None):
    write_table(folder, 'FARTICUL', DEMO_ARTICLES, deleted=DELETED_ARTICLES)


# --- costs ------------------------------------------------------------------------------------------------

def costing(code, cost, list_price, wholesale_price=None, margin=D('35'), wholesale_margin=D('20'), offer=None,
            offer_from=None, offer_to=None, **other):
    """A costing record: list_price goes to lists A1, A2, A3, A5 and A6, wholesale_price to A4."""
    cost = D(cost)
    row = dict(CODI_FCO=code, COSB_FCO=cost, PPRO_FCO=(cost * D('1.05')).quantize(D('0.01')),
               IFLE_FCO=(cost * D('0.03')).quantize(D('0.01')), SEGU_FCO=D('0.5'), DES1_FCO=D('5'),
               DES2_FCO=D('0'), DES3_FCO=D('0'), REC1_FCO=D('0'), REC2_FCO=D('0'), NPR1_FCO=D(list_price),
               NPR2_FCO=D(wholesale_price if wholesale_price is not None else list_price), MAR2_FCO=margin,
               MAR3_FCO=wholesale_margin, POFE_FCO=None if offer is None else D(offer), DOFE_FCO=offer_from,
               HOFE_FCO=offer_to)
    row.update(other)
    return row


DEMO_COSTS = [
    costing('1001', '12.40', '18.90', '16.50'),
    costing('1002', '3.15', '4.80', '4.10', DES2_FCO=D('2.5')),
    costing('1003', '1.05', '1.60', '1.40'),
    costing('1004', '9.80', '14.90', '12.70', offer='12.99', offer_from=datetime.date(2026, 3, 1),
            offer_to=datetime.date(2026, 3, 31)),
    costing('2001', '2350.00', '3290.00', '2990.00', REC1_FCO=D('3')),
    costing('2002', '4100.50', '5740.70', '5200.00'),
    costing('2003', '18900.00', '26460.00', '23900.00', offer='0', offer_from=datetime.date(2026, 1, 1),
            offer_to=datetime.date(2026, 1, 31)),
    costing('3001', '38500.00', '53900.00', '49000.00', DES3_FCO=D('1.5')),
    costing('3002', '8700.00', '12180.00', '11000.00', offer='-1'),
    costing('3003', '21400.00', '29960.00', '27000.00'),
    costing('4001', '8900.00', '11570.00', '10680.00', offer='10990.00', offer_from=datetime.date(2026, 4, 1),
            offer_to=datetime.date(2026, 4, 15)),
    costing('4002', '4200.00', '5460.00', '5040.00'),
    costing('4003', '28000.00', '36400.00', '33600.00', REC2_FCO=D('10')),
    costing("D'ALE-01", '61000.00', '85400.00', '79300.00', margin=D('40')),
    costing('5001', '2900.00', '4350.00', '3770.00'),
    costing('5002', '5600.00', '8400.00', '7280.00', offer='7490.00'),  # an offer without days
    costing('5003', '1800.00', '2700.00', '2340.00'),
    costing('6001', '12500.00', '18750.00', '16250.00'),
    costing('6002', '3100.00', '4650.00', '4030.00'),
    costing('6003', '950.00', '1425.00', '1235.00'),
    costing('7001', '98000.00', '137200.00', '127400.00'),
    costing('7002', '76000.00', '106400.00', '98800.00'),
    costing('7003', '100.00', '150.00', '130.00'),
    costing('7005', '700.00', '0', '910.00'),
    dict(CODI_FCO='7006', COSB_FCO=D('450.00'), NPR1_FCO=D('630.00')),
    costing('7007', '10.00', '15.00', '13.00'),
    costing('7008', '500.00', '700.00', '650.00'),
    # A second record for one code: the first one is the one read.
    costing('1001', '99.00', '99.00', '99.00'),
    # A costing record whose article the legacy table no longer has.
    costing('9999', '1.00', '1.50', '1.30'),
]


def fcosteos(folder, options=None):
    write_table(folder, 'FCOSTEOS', DEMO_COSTS)


# The tables this module writes, in the demo generator's form.
TABLES = [farticul, fcosteos]


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    os.makedirs(sys.argv[1], exist_ok=True)
    for table in TABLES:
        table(sys.argv[1], None)


if __name__ == '__main__':
    main()
