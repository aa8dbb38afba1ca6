"""Writing a legacy dBase table with Debian's python3-dbf: the one writer behind the demo folder's tables
and the test fixtures made from their layouts."""

import os
import struct

import dbf


def write_table(path, layout, rows, deleted=(), finish=None):
    """Writes `rows` (dicts by field name; a missing key or None is an empty field, dbf.Null a Null one) into
    the Visual FoxPro table `path` with the fields of `layout` (as python-dbf takes them), replacing the file
    only once it is whole; rows whose index is in `deleted` are marked deleted. `finish`, when given, gets
    the written file before it takes its place."""
    table = os.path.splitext(os.path.basename(path))[0]
    names = [part.split()[0] for part in layout.split(';')]
    scratch = os.path.join(os.path.dirname(path), table.lower() + '.tmp.dbf')
    output = dbf.Table(scratch, layout, dbf_type='vfp', codepage='cp1252')
    output.open(dbf.READ_WRITE)
    for index, row in enumerate(rows):
        unknown = set(row) - set(names)
        if unknown:
            raise ValueError('%s has no field %s' % (table, ', '.join(sorted(unknown))))
        output.append(tuple(row.get(name) for name in names))
        if index in deleted:
            dbf.delete(output[-1])
    output.close()
    if finish:
        finish(scratch)
    os.replace(scratch, path)


def keep_leading_blanks(path, rows):
    """python-dbf strips the texts it stores; legacy files hold codes with blanks in front (" 5000"), so
    those values are written again into the file's bytes as they are."""
    with open(path, 'r+b') as table:
        header = table.read(32)
        header_length, record_length = struct.unpack('<HH', header[8:12])
        offsets, position = {}, 1  # byte 0 of a record is its deletion flag
        while True:
            descriptor = table.read(32)
            if not descriptor or descriptor[0] == 0x0D:
                break
            name = descriptor[:11].split(b'\0')[0].decode('ascii')
            offsets[name.upper()] = (position, descriptor[16])
            position += descriptor[16]
        for index, row in enumerate(rows):
            for name, value in row.items():
                if isinstance(value, str) and value[:1] == ' ' and value.strip():
                    offset, length = offsets[name.upper()]
                    table.seek(header_length + index * record_length + offset)
                    table.write(value.encode('cp1252').ljust(length, b' ')[:length])
