"""Writing a legacy dBase table with Debian's python3-dbf: the one writer behind the demo folder's tables
and the test fixtures made from their layouts."""

import os

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
