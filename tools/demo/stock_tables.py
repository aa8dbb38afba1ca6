#!/usr/bin/python3
"""The legacy stock tables of the demo folder, written with Debian's python3-dbf: SALDOSTK (the stock on hand
by article and warehouse) and the movement history VENTAS, COMPRAS and MOVSTK (one layout, one row per
voucher line). They feed the entries "Saldos Stock" and the three stock movement entries, with the awkward
rows among them: quantities 0 and negative, decimals, units "kg", " KG ", "LT" and blank, an apostrophe in a
description, credit notes typed "NC" and "nc", legacy numbers with and without their letter or empty, an
account with a "/" suffix, VAT figures 0, empty and 1.21, articles the ERP does not have (in the history
only), a deleted record.

    stock_tables.py <folder> [--stock N]

--stock N writes N generated SALDOSTK records (on articles the demo has) and N generated VENTAS records
(half of them on articles the demo has) instead, for the import benchmark.

Other programs import this module: FIELDS and FILES give the layout, write_table writes given rows, and
saldostk, ventas, compras and movstk write the demo or generated rows; these take the folder and the demo
generator's options, so they can stand in its list of tables.
"""

import argparse
import datetime
import decimal
import os
import sys

import dbf_files

D = decimal.Decimal

# The movement tables share one layout. Empty numbers and dates read as Null.
MOVEMENTS = '; '.join(
    ['FECH_FTE D', 'TC_FTE C(3)', 'IDCO_FTE C(15)', 'CCLI_FTE C(20)', 'SECU_FTE N(4,0)', 'CODI_FTE C(30)',
     'UNID_FTE C(4)', 'CANT_FTE N(12,3)', 'DEPO_FTE C(6)', 'COST_FTE N(14,4)', 'ALIC_FTE N(6,2)',
     'PVEN_FTE N(14,4)', 'UNNE_FTE C(4)', 'IDMO_FTE C(4)'])

FIELDS = {
    'SALDOSTK': 'CODI_FTE C(30); DESC_FTE C(60); UNID_FTE C(4); CANT_FTE N(12,3); DEPO_FTE C(6)',
    'VENTAS': MOVEMENTS,
    'COMPRAS': MOVEMENTS,
    'MOVSTK': MOVEMENTS,
}

FILES = {'SALDOSTK': 'SALDOSTK.DBF', 'VENTAS': 'VENTAS.DBF', 'COMPRAS': 'COMPRAS.DBF', 'MOVSTK': 'MOVSTK.DBF'}


def write_table(folder, table, rows, deleted=()):
    """Writes `rows` into the table's file in `folder`, replacing it (see dbf_files.write_table); codes with
    blanks in front are kept as they are."""
    dbf_files.write_table(os.path.join(folder, FILES[table]), FIELDS[table], rows, deleted,
                          finish=lambda written: dbf_files.keep_leading_blanks(written, rows))


# --- stock on hand ----------------------------------------------------------------------------------------

def balance(code, description, quantity, unit='UN', warehouse='1'):
    return dict(CODI_FTE=code, DESC_FTE=description, UNID_FTE=unit, CANT_FTE=D(quantity), DEPO_FTE=warehouse)


# The articles are the demo's FARTICUL codes (price_tables.py), every one of them known to the ERP once the
# article import ran: an unknown one would refuse the whole opening voucher.
DEMO_BALANCES = [
    balance('1001', 'Tornillo autoperforante 8x1"', '5'),
    balance('1002', 'Tuerca hexagonal 1/4"', '0'),
    balance('1003', 'Arandela plana 1/4"', '-2'),
    balance('3001', 'Cable unipolar 2,5 mm rollo 100 m', '12.5', unit='kg'),
    balance("D'ALE-01", "Pintura látex D'Alessandro 20 l", '3.250', unit=' KG '),
    balance('2001', 'Tirante pino 2x4" x 3,05 m', '4', unit='LT'),
    balance('2002', 'Machimbre eucalipto 1/2"', '1', unit=''),
    balance('1001', 'Tornillo dado de baja', '99'),
]
DELETED_BALANCES = {7}


# --- movement history -------------------------------------------------------------------------------------

def movement(kind, number, article, quantity, date=datetime.date(2005, 3, 14), **other):
    row = dict(FECH_FTE=date, TC_FTE=kind, IDCO_FTE=number, CCLI_FTE='2110101', SECU_FTE=1, CODI_FTE=article,
               UNID_FTE='UN', CANT_FTE=D(quantity), DEPO_FTE='1', COST_FTE=D('10.5'), ALIC_FTE=D('1.21'),
               PVEN_FTE=D('121'), UNNE_FTE='1', IDMO_FTE='1')
    row.update(other)
    return row


DEMO_SALES = [
    movement('FC', '0001-00001234', '1001', '5', CCLI_FTE='2110101/3'),
    movement('FC', '0001-00001234', '1003', '2.5', SECU_FTE=2, UNID_FTE='kg', ALIC_FTE=D('0')),
    movement('NC', '0001-00000045A', '1001', '1', ALIC_FTE=None),
    movement('nc', '0002-00000046b', '1004', '0.75', UNID_FTE=' KG '),
    movement('FC', '', '123', '3', UNID_FTE='LT'),
    # An article the ERP does not have: the history keeps it, its code as description.
    movement('FC', '0001-00001235', 'X-99', '1', UNID_FTE=''),
    movement('FC', '0001-00001236', '1001', '1'),
]
DELETED_SALES = {6}

DEMO_PURCHASES = [
    movement('FC', '0003-00000777A', '1001', '100', CCLI_FTE='123', PVEN_FTE=D('0')),
    movement('NC', '0003-00000778A', '1002', '10', CCLI_FTE='123/1', PVEN_FTE=D('0')),
    movement('FC', '0003-00000779', 'ZZ-1', '2', CCLI_FTE="  45 ", PVEN_FTE=D('0')),
]

DEMO_OTHERS = [
    movement('AJ', '0001-00000001', '4002', '-1.5', CCLI_FTE='', ALIC_FTE=None, PVEN_FTE=None, IDMO_FTE='7'),
    movement('TR', '0001-00000002X', '2003', '4', CCLI_FTE='', UNNE_FTE='2'),
]


# Demo articles the ERP has (erp-demo-data.sql), for the generated records.
KNOWN_CODES = ['1001', '1002', '1003', '1004', '2001', '2002']


def generated_code(index):
    """Every second code is a demo article; the others the ERP does not have. At most six characters."""
    return KNOWN_CODES[index // 2 % len(KNOWN_CODES)] if index % 2 == 0 else 'G%05d' % (index % 100000)


def generated_balances(count):
    """Known articles only: one the ERP lacks would refuse the whole opening voucher."""
    return [balance(KNOWN_CODES[index % len(KNOWN_CODES)], 'Saldo %d' % index, str(index % 50 + 1),
                    warehouse=str(index % 3 + 1)) for index in range(count)]


def generated_sales(count):
    return [movement('NC' if index % 10 == 0 else 'FC', '0001-%08d' % (index + 1), generated_code(index),
                     str(index % 20 + 1)) for index in range(count)]


def saldostk(folder, options=None):
    count = getattr(options, 'stock', None)
    if count is None:
        write_table(folder, 'SALDOSTK', DEMO_BALANCES, DELETED_BALANCES)
    else:
        write_table(folder, 'SALDOSTK', generated_balances(count))


def ventas(folder, options=None):
    count = getattr(options, 'stock', None)
    if count is None:
        write_table(folder, 'VENTAS', DEMO_SALES, DELETED_SALES)
    else:
        write_table(folder, 'VENTAS', generated_sales(count))


def compras(folder, options=None):
    write_table(folder, 'COMPRAS', DEMO_PURCHASES)


def movstk(folder, options=None):
    write_table(folder, 'MOVSTK', DEMO_OTHERS)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split('\n\n')[0])
    parser.add_argument('folder')
    parser.add_argument('--stock', type=int,
                        help='generate this many SALDOSTK and VENTAS records instead of the demo ones')
    arguments = parser.parse_args()
    os.makedirs(arguments.folder, exist_ok=True)
    for table in (saldostk, ventas, compras, movstk):
        table(arguments.folder, arguments)
    return 0


if __name__ == '__main__':
    sys.exit(main())
