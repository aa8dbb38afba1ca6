#!/usr/bin/python3
"""The legacy purchase-order tables of the demo folder, FORCOMPR (one row per order) and FDEORCOM (one row
per order line), written with Debian's python3-dbf. They feed the entry "ORDENES DE COMPRA PENDIENTE": a
dozen orders of the demo suppliers on the demo articles, the awkward ones among them (a supplier code with
blanks around it, a supplier without extension row, no supplier at all, a lower-case finished state,
comments longer than 90 characters with "ñ" and an apostrophe, no delivery or reception date, the number
pairs (1, 23) and (12, 3) that join to one number, a nine-digit number, a deleted order), and their lines
(bulks and units, no quantity at all, an article code with an apostrophe, an article twice in one order, a
line whose order is missing, lines already received).

    order_tables.py <folder> [--orders N]

--orders N writes N generated orders of four lines each instead, every second one received, for the
import benchmark.

Other programs import this module: FIELDS and FILES give the layout, write_table writes given rows, and
forcompr and fdeorcom write the demo or generated rows; these two take the folder and the demo generator's
options, so they can stand in its list of tables.
"""

import argparse
import datetime
import decimal
import os
import sys

import dbf

import dbf_files

D = decimal.Decimal

# Field lists as python-dbf takes them. The supplier code may be Null; being the only nullable field it
# comes first, where python-dbf and Visual FoxPro agree on its null flag. Empty numbers and dates read as Null.
FIELDS = {
    'FORCOMPR': '; '.join(
        ['CODP_FOC C(10) NULL', 'NUME_FOC N(8,0)', 'NUMS_FOC N(4,0)', 'FECH_FOC D', 'FENT_FOC D', 'FREC_FOC D',
         'NOMB_FOC C(40)', 'GLOS_FOC C(60)', 'GLOR_FOC C(60)', 'TTOT_FOC N(14,2)', 'DES1_FOC N(12,2)',
         'DES2_FOC N(12,2)', 'DES3_FOC N(12,2)', 'PLAZ_FOC N(3,0)', 'ESTA_FOC C(1)']),
    'FDEORCOM': '; '.join(
        ['CODP_FOD C(10) NULL', 'NUME_FOD N(8,0)', 'NUMS_FOD N(4,0)', 'CODI_FOD C(13)', 'PIEZ_FOD N(10,2)',
         'UNID_FOD N(12,2)', 'TPRE_FOD N(12,2)', 'PRET_FOD N(14,2)'] +
        ['DES%d_FOD N(6,2)' % n for n in range(1, 4)] +
        ['D_S%d_FOD N(6,2)' % n for n in range(1, 4)] +
        ['REC%d_FOD N(6,2)' % n for n in range(1, 4)] +
        ['ESTA_FOD C(1)', 'ZREC_FOD N(10,2)', 'CREC_FOD N(12,2)']),
}

# The file each table is written to.
FILES = {'FORCOMPR': 'FORCOMPR.DBF', 'FDEORCOM': 'FDEORCOM.DBF'}


def write_table(folder, table, rows, deleted=()):
    """Writes `rows` into the table's file in `folder`, replacing it (see dbf_files.write_table); codes with
    blanks in front are kept as they are."""
    dbf_files.write_table(os.path.join(folder, FILES[table]), FIELDS[table], rows, deleted,
                          finish=lambda written: dbf_files.keep_leading_blanks(written, rows))


# --- orders -----------------------------------------------------------------------------------------------

def order(supplier, number, suffix, total, name, date=datetime.date(2026, 2, 16), **other):
    row = dict(CODP_FOC=supplier, NUME_FOC=number, NUMS_FOC=suffix, FECH_FOC=date,
               FENT_FOC=date + datetime.timedelta(days=10), FREC_FOC=date + datetime.timedelta(days=12),
               NOMB_FOC=name, GLOS_FOC='Entregar en depósito central', GLOR_FOC='', TTOT_FOC=D(total),
               PLAZ_FOC=30, ESTA_FOC='P')
    row.update(other)
    return row


LONG_COMMENT = ("Entregar en el depósito de Ruta 3 km 1840 de lunes a viernes; traer remito firmado por el "
                "señor D'Angelo")

# Suppliers are the demo's legacy supplier codes (make_legacy_folder.py), articles its FARTICUL codes
# (price_tables.py).
DEMO_ORDERS = [
    order('123', 100, 1, '125000.00', 'Aceros Patagonia S.A.', DES1_FOC=D('6250.00')),
    order('  45  ', 101, 1, '180000.00', "Distribuidora O'Neill", PLAZ_FOC=0, ESTA_FOC='C'),
    # A supplier code the supplier import never wrote: no extension row.
    order('999', 102, 1, '5000.00', 'Proveedor sin ficha'),
    # No supplier, no delivery and no reception date.
    order(dbf.Null, 103, 1, '750.50', 'Sin proveedor', FENT_FOC=None, FREC_FOC=None),
    order('78', 104, 1, '98765.43', 'Maderera Ñire', ESTA_FOC='c', GLOS_FOC=LONG_COMMENT[:60],
          GLOR_FOC=LONG_COMMENT[60:]),
    # (1, 23) and (12, 3) join to the same number: the second is reported, not merged.
    order('300', 1, 23, '1200.00', 'Transportes Cañadón'),
    order('305', 12, 3, '3400.00', 'Gomería El Pehuén'),
    # Nine digits joined: reported, never cut.
    order('PROV123456', 12345678, 9, '64000.00', 'Importadora del Atlántico'),
    order('123', 105, 1, '10.00', 'Orden borrada'),
    order('PROV123456', 106, 1, '0', 'Orden sin total', DES1_FOC=D('100.00')),
]
DELETED_ORDERS = {i for i, row in enumerate(DEMO_ORDERS) if row['NUME_FOC'] == 105}


def line(supplier, number, suffix, article, bulks, units, price, **other):
    row = dict(CODP_FOD=supplier, NUME_FOD=number, NUMS_FOD=suffix, CODI_FOD=article, PIEZ_FOD=D(bulks),
               UNID_FOD=D(units), TPRE_FOD=D(price), PRET_FOD=(D(price) * D(units)).quantize(D('0.01')),
               ESTA_FOD='P')
    row.update(other)
    return row


def received(row, bulks, units):
    row.update(ESTA_FOD='C', ZREC_FOD=D(bulks), CREC_FOD=D(units))
    return row


DEMO_LINES = [
    received(line('123', 100, 1, '1001', 4, 48, '12.40'), 4, 48),
    line('123', 100, 1, '1002', 0, 10, '3.15', DES1_FOD=D('5')),
    line('123', 100, 1, '1003', 3, 10, '1.05'),
    line('  45  ', 101, 1, "D'ALE-01", 0, 2, '61000.00'),
    # The same article twice in one order: both lines are kept.
    line('  45  ', 101, 1, '4001', 0, 5, '8900.00'),
    received(line('  45  ', 101, 1, '4001', 0, 3, '8900.00'), 0, 3),
    line('999', 102, 1, '1004', 0, 0, '9.80'),
    line(dbf.Null, 103, 1, '5001', 0, 1, '2900.00'),
    received(line('78', 104, 1, '2001', 10, 30, '2350.00', REC1_FOD=D('3')), 10, 30),
    line('300', 1, 23, '5002', 0, 2, '5600.00'),
    line('305', 12, 3, '6001', 0, 1, '12500.00'),
    line('PROV123456', 12345678, 9, '3001', 0, 1, '38500.00'),
    # An order FORCOMPR does not have.
    line('123', 200, 1, '1001', 0, 6, '12.40'),
]


# --- generated orders -------------------------------------------------------------------------------------

GENERATED_SUPPLIERS = ['123', '  45  ', '78', 'PROV123456', '300', '305']
GENERATED_ARTICLES = ['1001', '1002', '1003', '1004', '2001', '2002', '2003', '3001', '3002', '4001', '4002',
                      "D'ALE-01", '5001', '5002', '6001']


def generated_orders(count):
    """Orders 1 to count, numbered (n, 1) so that no two join to one number."""
    first = datetime.date(2025, 1, 1)
    return [order(GENERATED_SUPPLIERS[n % len(GENERATED_SUPPLIERS)], n, 1, '%d.50' % (1000 + n % 9000),
                  'Orden generada %d' % n, date=first + datetime.timedelta(days=n % 365),
                  DES1_FOC=D(n % 50)) for n in range(1, count + 1)]


def generated_lines(count):
    """Four lines of four different articles per order; every second order received."""
    rows = []
    for n in range(1, count + 1):
        supplier = GENERATED_SUPPLIERS[n % len(GENERATED_SUPPLIERS)]
        for k in range(4):
            article = GENERATED_ARTICLES[(n + k * 4) % len(GENERATED_ARTICLES)]
            bulks, units = (k % 2) * 2, 4 + k * 6
            row = line(supplier, n, 1, article, bulks, units, '%d.25' % (10 + k))
            if n % 2 == 0:
                received(row, bulks, units)
            rows.append(row)
    return rows


def forcompr(folder, options=None):
    count = getattr(options, 'orders', None)
    if count is None:
        write_table(folder, 'FORCOMPR', DEMO_ORDERS, deleted=DELETED_ORDERS)
    else:
        write_table(folder, 'FORCOMPR', generated_orders(count))


def fdeorcom(folder, options=None):
    count = getattr(options, 'orders', None)
    write_table(folder, 'FDEORCOM', DEMO_LINES if count is None else generated_lines(count))


# The tables this module writes, in the demo generator's form.
TABLES = [forcompr, fdeorcom]


def main():
    parser = argparse.ArgumentParser(description=__doc__.split('\n\n')[0])
    parser.add_argument('folder')
    parser.add_argument('--orders', type=int, help='generate this many orders instead of the demo ones')
    arguments = parser.parse_args()
    os.makedirs(arguments.folder, exist_ok=True)
    for table in TABLES:
        table(arguments.folder, arguments)


if __name__ == '__main__':
    sys.exit(main())
