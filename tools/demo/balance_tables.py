#!/usr/bin/python3
"""The legacy current-account balances of the demo folder, SALDCLIE (customers' open items) and SALDPROV
(suppliers' open items, with their net taxable amounts), written with Debian's python3-dbf. They feed the
entries "Saldos de Clientes" and "Saldos de Proveedores" and the button "Updatea NETO_FTE en Prov.": open
items of every voucher type the side rule knows and one it does not, the awkward ones among them (a
voucher without a number, a blank letter, a "-" among the digits, the last day of the old fiscal year and
the first of the new one, no due date, purchases marked "cpas" in lower case, "ñ" and an apostrophe in a
name, one account with two vouchers, a deleted record).

    balance_tables.py <folder> [--balances N]

--balances N writes N generated open items into each table instead, every one of which the imports take
(for the import benchmark); every tenth has no number of its own.

Other programs import this module: FIELDS and FILES give the layout, write_table writes given rows, and
saldclie and saldprov write the demo or generated rows; these two take the folder and the demo generator's
options, so they can stand in its list of tables.
"""

import argparse
import datetime
import decimal
import os
import sys

import dbf_files

D = decimal.Decimal

COMMON = ['cuen_fte C(15)', 'Nomb_fte C(40)', 'DH_fte C(1)', 'tipo_fte C(3)', 'FECH_FTE D', 'Subd_fte C(4)',
          'Impo_fte N(14,2)', 'Ccue_fte C(15)', 'CTot_fte N(14,2)', 'Nume_fte C(15)', 'Venc_fte D',
          'Cuit_fte C(13)', 'CIva_fte C(2)', 'Glos_fte C(40)']

# Field lists as python-dbf takes them. Empty numbers and dates read as Null.
FIELDS = {
    'SALDCLIE': '; '.join(COMMON + ['codv_fte C(3)']),
    'SALDPROV': '; '.join(COMMON + ['NETO_FTE N(14,2)']),
}

# The file each table is written to.
FILES = {'SALDCLIE': 'SALDCLIE.DBF', 'SALDPROV': 'SALDPROV.DBF'}


def write_table(folder, table, rows, deleted=()):
    """Writes `rows` into the table's file in `folder`, replacing it (see dbf_files.write_table); codes with
    blanks in front are kept as they are."""
    dbf_files.write_table(os.path.join(folder, FILES[table]), FIELDS[table], rows, deleted,
                          finish=lambda written: dbf_files.keep_leading_blanks(written, rows))


def item(account, name, kind, number, date, amount, side='D', **other):
    row = dict(cuen_fte=account, Nomb_fte=name, DH_fte=side, tipo_fte=kind, FECH_FTE=date, Subd_fte='VTAS',
               Impo_fte=D(amount), Ccue_fte=account, CTot_fte=D(amount), Nume_fte=number,
               Venc_fte=date + datetime.timedelta(days=30), Cuit_fte='30712345678', CIva_fte='1',
               Glos_fte='Saldo al cierre')
    row.update(other)
    return row


OLD_YEAR_END = datetime.date(2005, 6, 30)
NEW_YEAR = datetime.date(2005, 7, 1)

DEMO_CUSTOMERS = [
    item('1120101', 'Ferretería Núñez', 'FC', '0001-00001234-A', OLD_YEAR_END, '1210.00', codv_fte='7'),
    item('1120101', 'Ferretería Núñez', 'NC', '0001-00000045-A', NEW_YEAR, '121.00', side='D', codv_fte='7'),
    item('1120102', "Distribuidora O'Neill", 'ND', '0002-00000310-B', NEW_YEAR, '50.00', codv_fte='12'),
    item('1120102', "Distribuidora O'Neill", 'CB', '0002-00000311-B', NEW_YEAR, '300.00', codv_fte='12'),
    # A voucher without a number of its own, one without a letter, one with a "-" among its digits.
    item('1120103', 'Almacén El Ñandú', 'FC', '0001-00000000-A', OLD_YEAR_END, '99.90', Venc_fte=None),
    item('1120103', 'Almacén El Ñandú', 'FC', '0003-00000077', NEW_YEAR, '10.00'),
    item('1120104', 'Kiosco 24', 'FC', '0004-0000-456-B', NEW_YEAR, '75.50', CIva_fte='4'),
    # A type the side rule does not know: the legacy side stands.
    item('1120104', 'Kiosco 24', 'AJ', '0004-00000457-X', NEW_YEAR, '12.00', side='H'),
    item('1120105', 'Cliente dado de baja', 'FC', '0005-00000001-A', NEW_YEAR, '1.00'),
]
DELETED_CUSTOMERS = [8]

DEMO_SUPPLIERS = [
    item('2110101', 'Aceros Patagonia S.A.', 'FCC', '0001-00001234-A', OLD_YEAR_END, '12100.00', side='D',
         Subd_fte='cpas', NETO_FTE=D('10000.00')),
    item('2110101', 'Aceros Patagonia S.A.', 'NCC', '0001-00000050-A', NEW_YEAR, '242.00', Subd_fte='CPAS',
         NETO_FTE=D('200.00')),
    item('2110102', "Distribuidora O'Neill", 'NDC', '0002-00000020-B', NEW_YEAR, '60.50', Subd_fte='CPAS',
         NETO_FTE=D('50.00')),
    item('2110102', "Distribuidora O'Neill", 'PG', '0002-00000021-X', NEW_YEAR, '500.00', Subd_fte='CPAS'),
    # The same voucher key as a customer's: a voucher of its own all the same.
    item('2110103', 'Maderas del Ñire', 'FCC', '0001-00001234-A', OLD_YEAR_END, '363.00', Subd_fte='CPAS',
         NETO_FTE=D('300.00')),
    item('2110103', 'Maderas del Ñire', 'FCC', '0006-00000000-C', NEW_YEAR, '36.30', Subd_fte='CPAS',
         Venc_fte=None, NETO_FTE=D('30.00')),
    item('2110104', 'Proveedor dado de baja', 'FCC', '0007-00000001-A', NEW_YEAR, '1.00', Subd_fte='CPAS'),
]
DELETED_SUPPLIERS = [6]


def generated(count, prefix, kinds, **other):
    """Open items 1 to count over fifty accounts, numbered so that no two share a voucher; every tenth has a
    zero number part, so the import numbers it among the others' numbers."""
    first = datetime.date(2005, 1, 1)
    return [item('%s%03d' % (prefix, n % 50), 'Cuenta generada %d' % (n % 50), kinds[n % len(kinds)],
                 '%04d-%08d-A' % (1 + n // 10000000, 0 if n % 10 == 0 else n % 10000000),
                 first + datetime.timedelta(days=n % 365), '%d.25' % (100 + n % 900), **other)
            for n in range(1, count + 1)]


def saldclie(folder, options=None):
    count = getattr(options, 'balances', None)
    if count is None:
        write_table(folder, 'SALDCLIE', DEMO_CUSTOMERS, deleted=DELETED_CUSTOMERS)
    else:
        write_table(folder, 'SALDCLIE', generated(count, '1129', ['FC', 'NC', 'ND'], codv_fte='7'))


def saldprov(folder, options=None):
    count = getattr(options, 'balances', None)
    if count is None:
        write_table(folder, 'SALDPROV', DEMO_SUPPLIERS, deleted=DELETED_SUPPLIERS)
    else:
        write_table(folder, 'SALDPROV', generated(count, '2119', ['FCC', 'NCC', 'NDC'], Subd_fte='CPAS',
                                                  NETO_FTE=D('80.00')))


# The tables this module writes, in the demo generator's form.
TABLES = [saldclie, saldprov]


def main():
    parser = argparse.ArgumentParser(description=__doc__.split('\n\n')[0])
    parser.add_argument('folder')
    parser.add_argument('--balances', type=int, help='generate this many open items per table instead of the demo ones')
    arguments = parser.parse_args()
    os.makedirs(arguments.folder, exist_ok=True)
    for table in TABLES:
        table(arguments.folder, arguments)


if __name__ == '__main__':
    sys.exit(main())
