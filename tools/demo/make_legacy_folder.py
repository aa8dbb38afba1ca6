#!/usr/bin/python3
"""The demo legacy folder: the dBase tables and the employee workbook the import window reads, with a few
dozen realistic rows, the awkward ones among them (codes the customer import leaves out, Null postal codes,
apostrophes and "ñ" in names, a city name longer than 50 characters, every VAT variant, tax numbers already
written with hyphens, one-character and Null provinces, deleted records, an employee row without LEGAJO). Written with Debian's python3-dbf and python3-xlwt.

    make_legacy_folder.py <folder> [--customers N] [--orders N] [--balances N] [--stock N] [--cheques N]
                          [--cheque-file FOLDER] [--seed S]

--customers N replaces the demo customers with N generated ones, every one of which the customer import
takes (for the import benchmark); --orders N likewise the demo purchase orders (order_tables.py),
--balances N the demo open items of the current accounts (balance_tables.py), and --stock N the demo stock
balances and sales (stock_tables.py). Each table has its own function below, listed in TABLES; a table
added later adds its function there.

Other programs import this module for its field lists (FIELDS) and its writers (write_dbf, write_workbook),
so their tables have the same layout as the demo's.
"""

import argparse
import datetime
import decimal
import itertools
import os
import random
import sys

import dbf
import xlwt

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import dbf_files  # noqa: E402  (beside this script)
import balance_tables  # noqa: E402  (SALDCLIE and SALDPROV)
import order_tables  # noqa: E402  (FORCOMPR and FDEORCOM)
import price_tables  # noqa: E402  (FARTICUL and FCOSTEOS)
import stock_tables  # noqa: E402  (SALDOSTK, VENTAS, COMPRAS and MOVSTK)
import cheque_tables  # noqa: E402  (CHEQUES)

D = decimal.Decimal

# Field lists of the legacy tables, as python-dbf takes them. Visual FoxPro tables where a column can be
# Null; the nullable fields come first because python-dbf numbers their null flags by field position and
# Visual FoxPro by nullable field, and the two agree only that way.
FIELDS = {
    'fciudade': 'CODP_FCI C(2); CODI_FCI C(4); NOMB_FCI C(80)',
    'FCLIENTE': '; '.join(
        ['CASI_FCL C(8) NULL', 'CTRI_FCL C(2) NULL', 'RUTT_FCL C(13) NULL', 'CODP_FCL C(2) NULL',
         'RAMO_FCL C(2) NULL', 'CODI_FCL C(6)', 'ESTA_FCL C(1)', 'NFAN_FCL C(40)', 'DIRE_FCL C(40)', 'CODC_FCL C(4)',
         'FONO_FCL C(20)'] +
        ['VEN%d_FCL C(3)' % n for n in range(1, 6)] +
        ['TVT%d_FCL C(2)' % n for n in range(1, 6)] +
        ['LCRE_FCL N(12,2)'] +
        ['LCR%d_FCL N(12,2)' % n for n in range(1, 6)]),
    'FPROVEED': '; '.join(
        ['CASI_FPR C(8) NULL', 'LEAD_FPR C(1) NULL', 'CODP_FPR C(2) NULL', 'CODI_FPR C(10)', 'ESTA_FPR C(1)',
         'CODC_FPR C(4)', 'NOMB_FPR C(40)', 'DIRE_FPR C(40)', 'FONO_FPR C(20)', 'RUTT_FPR C(13)',
         'CPAG_FPR N(3,0)', 'DES1_FPR N(6,2)', 'DES2_FPR N(6,2)', 'DES3_FPR N(6,2)', 'FECH_FPR D',
         'RETG_FPR C(2)', 'CONT_FPR C(40)', 'SOBR_FPR C(1)', 'IMPU_FPR C(3)']),
}

# The file each table is written to: the legacy folder names them so.
FILES = {'fciudade': 'fciudade.dbf', 'FCLIENTE': 'FCLIENTE.DBF', 'FPROVEED': 'FPROVEED.DBF'}

EMPLOYEE_COLUMNS = ['LEGAJO', 'APELLIDO Y NOMBRE', 'Direccion', 'cuil']


def write_dbf(folder, table, rows, deleted=()):
    """Writes `rows` into the table's file in `folder` (see dbf_files.write_table), codes with blanks in
    front kept as they are."""
    dbf_files.write_table(os.path.join(folder, FILES[table]), FIELDS[table], rows, deleted,
                          finish=lambda written: dbf_files.keep_leading_blanks(written, rows))


def write_workbook(folder, employees):
    """EMPLEADOSTEMO.xls with the sheet MIG: a header row, then one row per employee (a list in the order of
    EMPLOYEE_COLUMNS; None leaves the cell empty)."""
    book = xlwt.Workbook(encoding='utf-8')
    sheet = book.add_sheet('MIG')
    for column, name in enumerate(EMPLOYEE_COLUMNS):
        sheet.write(0, column, name)
    for line, employee in enumerate(employees, start=1):
        for column, value in enumerate(employee):
            if value is not None:
                sheet.write(line, column, value)
    book.save(os.path.join(folder, 'EMPLEADOSTEMO.xls'))


# --- cities -----------------------------------------------------------------------------------------------

CITIES = [
    ('23', '9000', 'Comodoro Rivadavia'),
    ('23', '9100', 'Trelew'),
    ('23', '9103', 'Rawson'),
    ('23', '9120', 'Puerto Madryn'),
    ('23', '9200', 'Esquel'),
    ('23', '9210', 'Trevelin'),
    ('01', '1000', 'Capital Federal'),
    ('02', '1900', 'La Plata'),
    ('02', '7600', 'Mar del Plata'),
    ('02', '1814', 'Cañuelas'),
    ('02', '6748', "O'Higgins"),
    ('02', '2760', 'Capitán Sarmiento - Estación Ferrocarril General Bartolomé Mitre'),
    ('05', '5000', 'Córdoba'),
    ('21', '9400', 'Río Gallegos'),
    ('21', '9405', 'El Calafate'),
    ('24', '9410', 'Ushuaia'),
    ('3', '8500', 'Viedma'),
]


def fciudade(folder, options):
    write_dbf(folder, 'fciudade', [dict(CODP_FCI=p, CODI_FCI=c, NOMB_FCI=n) for p, c, n in CITIES])


# --- customers --------------------------------------------------------------------------------------------

def customer(code, name, street, province='23', city='9000', **other):
    row = dict(CODI_FCL=code, ESTA_FCL='A', NFAN_FCL=name, DIRE_FCL=street, CODP_FCL=province, CODC_FCL=city,
               CASI_FCL=city, CTRI_FCL='01', FONO_FCL='0297 444-1234', RUTT_FCL='30712345678', RAMO_FCL='01',
               VEN1_FCL='1', TVT1_FCL='1')
    row.update(other)
    return row


DEMO_CUSTOMERS = [
    customer('000001', 'Consumidor Final', 'Mostrador', CTRI_FCL='05', RUTT_FCL='', CASI_FCL=dbf.Null),
    customer('000123', 'Ferretería El Tornillo', 'San Martín 1250', FONO_FCL='0297 446-2210',
             RUTT_FCL='30654321987', CTRI_FCL='01', LCRE_FCL=D('150000.00'), LCR1_FCL=D('50000.50')),
    customer('000245', "O'Connor Hnos. S.R.L.", "Av. Hipólito Yrigoyen 3456", CTRI_FCL='03',
             LCRE_FCL=D('80000'), LCR2_FCL=D('12500.75')),
    customer('000310', 'Peña y Cía.', 'Belgrano 77', province='02', city='1814', CTRI_FCL='02'),
    customer('000311', 'Almacén Doña Ñata', "Pasaje D'Angelo 12", province='02', city='6748', CTRI_FCL='5'),
    customer('000412', 'Distribuidora del Golfo', 'Ruta 3 km 1840', city='9120', CTRI_FCL=dbf.Null,
             CASI_FCL=dbf.Null, RUTT_FCL=dbf.Null),
    customer('000500', 'Transportes Patagónicos', 'Av. Roca 1001', province='02', city='2760', CTRI_FCL='  ',
             VEN2_FCL='12', TVT2_FCL='30', LCRE_FCL=D('1234567.89')),
    customer('000777', 'Estancia La Sureña', 'Camino Vecinal s/n', province='21', city='9405',
             RUTT_FCL='2012345678', VEN1_FCL='3', VEN5_FCL='4', TVT5_FCL='60'),
    customer('001024', 'Supermercado Austral', 'Rivadavia 500', province='24', city='9410', RAMO_FCL='07'),
    customer('001500', 'Cliente de ciudad desconocida', 'Sin datos 1', province='99', city='0000'),
    customer('002001', 'Hotel Las Lengas', 'Perito Moreno 220', city='9200', LCRE_FCL=D('25000'),
             LCR3_FCL=D('1000'), LCR4_FCL=D('2000'), LCR5_FCL=D('3000')),
    customer('003300', 'Cooperativa Eléctrica', 'Alem 50', province='3', city='8500', CTRI_FCL='03', RAMO_FCL='7',
             RUTT_FCL='30-54667834-1'),
    customer('004998', 'Kiosco La Esquina', "9 de Julio y Mitre", province=dbf.Null, CTRI_FCL='02', RUTT_FCL='20',
             RAMO_FCL=dbf.Null),
    customer('004999', 'Último del rango', 'Sarmiento 4999', CTRI_FCL='01'),
    customer('00', 'Código corto', 'Moreno 12', CTRI_FCL='01'),
    customer('005000', 'Primer código fuera del rango', 'Fuera 5000'),
    customer(' 5000', 'Código con blanco adelante', 'Fuera 5001'),
    customer('000900', 'Cliente dado de baja', 'Borrado 900'),
    customer('000901', 'Metalúrgica Sur', 'Güemes 901', city='9103', CTRI_FCL='03', LCRE_FCL=D('0.5')),
]
DELETED_CUSTOMERS = {17}

# Characters 3 to 6 of a generated code: the third below "4" keeps every code inside the range the customer
# import reads (at most "004999", a number at most 4999); letters in the fourth to sixth give room for more
# than the 5,000 numeric codes.
CODE_CHARACTERS = '0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ'


def generated_codes():
    for number in range(1, 5000):
        yield '00%04d' % number
    for third in '0123':
        for rest in itertools.product(CODE_CHARACTERS, repeat=3):
            if not all(c.isdigit() for c in rest):
                yield '00' + third + ''.join(rest)


FIRST_NAMES = ['Agropecuaria', 'Comercial', 'Distribuidora', 'Ferretería', 'Panadería', 'Farmacia', 'Taller',
               'Constructora', 'Librería', 'Autoservicio', 'Estación de Servicio', 'Corralón']
SECOND_NAMES = ['del Sur', 'Patagonia', 'Los Andes', 'San Jorge', 'El Ñandú', "D'Alessandro", 'Atlántica',
                'La Meseta', 'Santa Lucía', 'Chubut', 'Del Valle', 'Río Senguer']
STREETS = ['San Martín', 'Rivadavia', 'Belgrano', 'Mitre', 'Sarmiento', 'Moreno', 'Alem', 'Güemes',
           'Av. Roca', "Pasaje O'Brien", 'Yrigoyen', 'España']


def generated_customers(count, generator):
    codes = generated_codes()
    rows = []
    for index in range(count):
        try:
            code = next(codes)
        except StopIteration:
            sys.exit('at most %d customers fit the legacy code' % index)
        province, city, _ = generator.choice(CITIES)
        row = customer(code, '%s %s' % (generator.choice(FIRST_NAMES), generator.choice(SECOND_NAMES)),
                       '%s %d' % (generator.choice(STREETS), generator.randint(1, 5000)), province, city,
                       CTRI_FCL=generator.choice(['01', '01', '01', '03', '05', '02']),
                       RUTT_FCL='%011d' % generator.randint(20000000000, 30999999999),
                       FONO_FCL='0297 4%02d-%04d' % (generator.randint(0, 99), generator.randint(0, 9999)),
                       VEN1_FCL=str(generator.randint(1, 9)), TVT1_FCL=generator.choice(['1', '30', '60']),
                       LCRE_FCL=D(generator.randint(0, 500000)) / 100)
        if index % 10 == 0:
            row['CASI_FCL'] = dbf.Null
        rows.append(row)
    return rows


def fcliente(folder, options):
    if options.customers is None:
        write_dbf(folder, 'FCLIENTE', DEMO_CUSTOMERS, deleted=DELETED_CUSTOMERS)
    else:
        write_dbf(folder, 'FCLIENTE', generated_customers(options.customers, options.generator))


# --- suppliers --------------------------------------------------------------------------------------------

def supplier(code, name, street, province='23', city='9000', **other):
    row = dict(CODI_FPR=code, ESTA_FPR='A', NOMB_FPR=name, DIRE_FPR=street, CODP_FPR=province, CODC_FPR=city,
               CASI_FPR=city, LEAD_FPR='1', FONO_FPR='0297 447-0000', RUTT_FPR='30700000001', CPAG_FPR=30,
               RETG_FPR='1', CONT_FPR='Transferencia', SOBR_FPR='N', IMPU_FPR='N')
    row.update(other)
    return row


DEMO_SUPPLIERS = [
    supplier('123', 'Aceros Patagonia S.A.', 'Parque Industrial Lote 4', LEAD_FPR='1', CPAG_FPR=30,
             DES1_FPR=D('5'), DES2_FPR=D('2.5'), FECH_FPR=datetime.date(2026, 12, 31), SOBR_FPR='S'),
    supplier('  45  ', "Distribuidora O'Neill", 'Av. Libertador 2020', province='01', city='1000', LEAD_FPR='5',
             CPAG_FPR=0, CASI_FPR=dbf.Null, SOBR_FPR='s', IMPU_FPR=' S '),
    supplier('78', 'Maderera Ñire', 'Ruta 259 km 3', city='9200', LEAD_FPR='3', CPAG_FPR=60,
             DES3_FPR=D('1.25'), RETG_FPR='2', IMPU_FPR='s'),
    supplier('PROV123456', 'Importadora del Atlántico', 'Puerto 1', province='02', city='7600', LEAD_FPR='2',
             CPAG_FPR=45, CONT_FPR="Cheque a nombre de D'Amico"),
    supplier('300', 'Transportes Cañadón', 'Kennedy 300', city='9100', LEAD_FPR='4', RUTT_FPR='2033'),
    supplier('301', 'Servicios Petroleros del Golfo', 'Ruta 3 km 8', LEAD_FPR=dbf.Null, RUTT_FPR='',
             FECH_FPR=datetime.date(2025, 6, 30)),
    supplier('302', 'Librería Técnica', 'Sarmiento 12', province='02', city='2760', LEAD_FPR=' '),
    supplier('303', 'Proveedor de ciudad desconocida', 'Sin datos', province='99', city='0000'),
    supplier('304', 'Proveedor dado de baja', 'Borrado 1'),
    supplier('305', 'Gomería El Pehuén', 'Mitre 1500', province='3', city='8500', CPAG_FPR=15, SOBR_FPR=' ',
             RUTT_FPR='30-70000005-9'),
]
DELETED_SUPPLIERS = {8}


def fproveed(folder, options):
    write_dbf(folder, 'FPROVEED', DEMO_SUPPLIERS, deleted=DELETED_SUPPLIERS)


# --- employees --------------------------------------------------------------------------------------------

DEMO_EMPLOYEES = [
    [12, 'Pérez, Juan Carlos', 'San Martín 100', 20123456789],
    [345, 'Núñez, María del Carmen', 'Belgrano 45 1° B', '27-23456789-4'],
    [12345, "D'Onofrio, Luis", 'Ruta 3 km 5', 20987654321],
    [None, 'Fila sin legajo', 'Ninguna 0', None],
    [7, 'Cañete, Ana', None, None],
]


def empleados(folder, options):
    write_workbook(folder, DEMO_EMPLOYEES)


# The tables of the demo folder, in the order they are written; each takes the folder and the options
# (the command line's, and `generator`, the random generator of generated values).
TABLES = [fciudade, fcliente, fproveed, empleados, price_tables.farticul, price_tables.fcosteos,
          order_tables.forcompr, order_tables.fdeorcom, balance_tables.saldclie, balance_tables.saldprov,
          stock_tables.saldostk, stock_tables.ventas, stock_tables.compras, stock_tables.movstk,
          cheque_tables.cheques, cheque_tables.libro5]


def main():
    parser = argparse.ArgumentParser(description=__doc__.split('\n\n')[0])
    parser.add_argument('folder')
    parser.add_argument('--customers', type=int, help='generate this many customers instead of the demo ones')
    parser.add_argument('--orders', type=int,
                        help='generate this many orders of four lines, every second one received, instead of the '
                             'demo ones')
    parser.add_argument('--balances', type=int,
                        help='generate this many open items per balance table (balance_tables.py) instead of the '
                             'demo ones')
    parser.add_argument('--stock', type=int,
                        help='generate this many SALDOSTK and VENTAS records instead of the demo ones')
    parser.add_argument('--cheques', type=int, help='generate this many cheques instead of the demo ones')
    parser.add_argument('--cheque-file', help='the folder the opening cheque balance file libro5.txt goes into')
    parser.add_argument('--seed', type=int, default=1, help='seed of the generated values')
    arguments = parser.parse_args()
    os.makedirs(arguments.folder, exist_ok=True)
    arguments.generator = random.Random(arguments.seed)
    for table in TABLES:
        table(arguments.folder, arguments)


if __name__ == '__main__':
    main()
