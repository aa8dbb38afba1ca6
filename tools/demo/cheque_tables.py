#!/usr/bin/python3
"""The legacy cheques in portfolio of the demo folder, written with Debian's python3-dbf: CHEQUES, one row per
cheque held. They feed the entry "Cheques en Cartera", with the awkward rows among them: bank codes "007",
"7" and "0150" (the first two the same bank), own and third-party cheques, a cheque dated 30/06/2005 and due
15/07/2005, an apostrophe in a name, a deleted record.

    cheque_tables.py <folder> [--cheques N] [--cheque-file FOLDER]

--cheques N writes N generated cheques (and file lines, with the closing line that balances them) instead, for
the import benchmark; --cheque-file FOLDER writes the opening cheque balance file libro5.txt there.

Other programs import this module: FIELDS and FILES give the layout, write_table writes given rows, and
cheques writes the demo or generated rows; it takes the folder and the demo generator's options, so it can
stand in its list of tables.
"""

import argparse
import datetime
import decimal
import os
import sys

import dbf_files

D = decimal.Decimal

# Empty numbers and dates read as Null.
FIELDS = {
    'CHEQUES': 'FECH_FTE D; VENC_FTE D; IMPO_FTE N(14,2); CORI_FTE C(15); DESC_FTE C(60); SERI_FTE C(20); '
               'PROP_FTE L; CLEA_FTE N(4,0); BANC_FTE C(6)',
}

FILES = {'CHEQUES': 'CHEQUES.DBF'}


def write_table(folder, table, rows, deleted=()):
    """Writes `rows` into the table's file in `folder`, replacing it (see dbf_files.write_table)."""
    dbf_files.write_table(os.path.join(folder, FILES[table]), FIELDS[table], rows, deleted)


def cheque(number, bank, amount, own=False, date=datetime.date(2005, 5, 2), due=datetime.date(2005, 6, 1),
           origin='2110101', name='Cliente demo'):
    return dict(FECH_FTE=date, VENC_FTE=due, IMPO_FTE=D(amount), CORI_FTE=origin, DESC_FTE=name,
                SERI_FTE=number, PROP_FTE=own, CLEA_FTE=D(48), BANC_FTE=bank)


DEMO_CHEQUES = [
    cheque('10001', '007', '1500.50'),
    cheque('10002', '7', '200', own=True),
    cheque('20001', '0150', '3200', date=datetime.date(2005, 6, 30), due=datetime.date(2005, 7, 15)),
    cheque('20002', '0150', '75.25', name="O'Brien Hnos."),
    cheque('30001', '7', '999'),
]
DELETED_CHEQUES = [4]


def generated_cheques(count):
    return [cheque(str(100000 + index), str(index % 50 + 1), str(index % 900 + 100),
                   own=index % 2 == 0, date=datetime.date(2005, 1 + index % 12, 1 + index % 28),
                   due=datetime.date(2005, 1 + (index + 1) % 12, 1 + index % 28)) for index in range(count)]


def cheques(folder, options=None):
    count = getattr(options, 'cheques', None)
    if count is None:
        write_table(folder, 'CHEQUES', DEMO_CHEQUES, DELETED_CHEQUES)
    else:
        write_table(folder, 'CHEQUES', generated_cheques(count))


# The opening cheque balance file, one line per cheque, tab-separated (account, date, due date, four unused
# fields, bank, cheque number, debit, credit and an optional narrative), in the system's code page with CR LF.
# The file is one entry: its last line balances it, on the opening account.
DEMO_FILE = [
    ['1110102', '30/06/2005', '15/07/2005', '', '', '', '', '7', '123456', '150', '0', 'Cheque de Nuñez'],
    ['1110102', '30/06/2005', '20/07/2005', '', '', '', '', '', '', '0', '150'],
    ['1110102', '01/07/2005', '', '', '', '', '', '0150', '77', '-5', '20', "Cheque de O'Brien"],
    ['1110102', '', '', '', '', '', '', '', '', '10', '0'],
    ['nota', 'breve'],
    ['71104', '01/07/2005', '', '', '', '', '', '', '', '20', '0', 'Cierre del saldo inicial'],
]


def generated_file(count):
    """`count` cheques debited over the year, then the closing line that credits their sum."""
    lines = [['1110102', '%02d/%02d/2005' % (1 + index % 28, 1 + index % 12), '', '', '', '', '',
              str(index % 50 + 1) if index % 2 else '', str(index), str(index % 900 + 100), '0']
             for index in range(count)]
    total = sum(index % 900 + 100 for index in range(count))
    return lines + [['71104', '31/12/2005', '', '', '', '', '', '', '', '0', str(total), 'Cierre del saldo inicial']]


def libro5(folder, options=None):
    """Writes libro5.txt into the folder `options.cheque_file` names (nothing when it names none); with
    `options.cheques` set, that many generated lines and the closing one."""
    target = getattr(options, 'cheque_file', None)
    if not target:
        return
    count = getattr(options, 'cheques', None)
    lines = DEMO_FILE if count is None else generated_file(count)
    os.makedirs(target, exist_ok=True)
    with open(os.path.join(target, 'libro5.txt'), 'w', encoding='cp1252', newline='') as out:
        for line in lines:
            out.write('\t'.join(line) + '\r\n')


def main():
    parser = argparse.ArgumentParser(description=__doc__.split('\n\n')[0])
    parser.add_argument('folder')
    parser.add_argument('--cheques', type=int, help='generate this many cheques and file lines instead of the demo ones')
    parser.add_argument('--cheque-file', help='the folder libro5.txt is written into')
    arguments = parser.parse_args()
    os.makedirs(arguments.folder, exist_ok=True)
    cheques(arguments.folder, arguments)
    libro5(arguments.folder, arguments)
    return 0


if __name__ == '__main__':
    sys.exit(main())
