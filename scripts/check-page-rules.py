#!/usr/bin/python3
"""Check data/tables/dt_logic.csv, the page logic rules of the entry dialog.

Each rule's expression is true when a record breaks the rule.  The entry
dialog puts the value of every named field into the text and runs
"select <text> as rt"; this script does the same on an in-memory SQLite
database, and also evaluates the expression over a dt_data table with one
column per field, and requires both readings to agree.

Checks:
  - file format: UTF-8 without BOM, LF line ends, the expected header;
  - page_id is a survey page 1..13, focus is a field of that page and is
    named in the expression;
  - every name in an expression is AND, OR, NOT or a survey field;
  - every expression runs on a record of zeros and on the record
    c904=4, z001=1 (all else 0);
  - on the all-zero record exactly the rules that genuinely fail for
    zeros are broken, and none is broken on the second record.

Usage: scripts/check-page-rules.py [path/to/dt_logic.csv]
Exit status 0 when every check passes.
"""
import csv
import io
import os
import sqlite3
import sys

PAGE_FIELDS = {
    1: [('z', 1, 11)],
    2: [('x', 1, 18)],
    3: [('b', 1, 27)],
    4: [('b', 28, 35)],
    5: [('f', 1, 18)],
    6: [('l', 1, 7)],
    7: [('j', 1, 19)],
    8: [('s', 1, 21)],
    9: [('w', 1, 5), ('e', 1, 4)],
    10: [('n', 1, 3), ('g', 1, 4)],
    11: [('d', 1, 23)],
    12: [('d', 24, 41)],
    13: [('y', 1, 12)],
}
PAGE_OF = {f'{p}{i:03d}': page
           for page, ranges in PAGE_FIELDS.items()
           for p, lo, hi in ranges for i in range(lo, hi + 1)}
FIELDS = ['c904'] + list(PAGE_OF)
KEYWORDS = {'and', 'or', 'not'}
SEPARATORS = set(' ()*+-/<=>')
HEADER = ['page_id', 'expression', 'rule', 'explain', 'focus']

# The rules that a record of zeros (level code 0) really breaks: a union
# must have cadres at all, and the rules of the upper levels (c904<=3) on
# x001, d017, d024+d029 and d031 cannot hold for empty fields.
BROKEN_BY_ZEROS = {
    'z001 + z003 [>] 0',
    'c904[<]4 and x001[>]0)or c904 [>]3',
    '要么c904>3，d023[>=]20，要么c904[<=]3 并且 d017[>=]20',
    '(c904[>]3) or (c904[<=]3 and d024+d029+1[<=]d007)',
    '如果c904<=3，d031[>=]20',
}


def names_in(expression):
    """Names as the entry dialog's substitution reads them."""
    names, name = [], ''
    for ch in expression:
        if ch.isascii() and ch.isalpha():
            name += ch
        elif ch in SEPARATORS:
            if name:
                names.append(name)
            name = ''
        elif name:
            name += ch
    if name:
        names.append(name)
    return names


def substitute(expression, record):
    """Put the record's values into the text, as the entry dialog does."""
    out, name = [], ''

    def flush():
        if name:
            out.append(name if name.lower() in KEYWORDS
                       else str(record.get(name.lower(), 0)))
    for ch in expression:
        if ch.isascii() and ch.isalpha():
            name += ch
        elif ch in SEPARATORS:
            flush()
            name = ''
            out.append(ch)
        elif name:
            name += ch
        else:
            out.append(ch)
    flush()
    return ''.join(out)


def read_rows(path, errors):
    data = open(path, 'rb').read()
    if data.startswith(b'\xef\xbb\xbf'):
        errors.append('file starts with a byte order mark')
    if b'\r' in data:
        errors.append('file contains CR characters')
    text = data.decode('utf-8')
    rows = list(csv.reader(io.StringIO(text, newline='')))
    if not rows or rows[0] != HEADER:
        errors.append(f'header is {rows[0] if rows else None}, expected {HEADER}')
        return []
    return rows[1:]


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    path = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        root, 'data', 'tables', 'dt_logic.csv')
    errors = []
    rows = read_rows(path, errors)

    db = sqlite3.connect(':memory:')
    db.execute('create table dt_data (' +
               ', '.join(f + ' numeric' for f in FIELDS) + ')')
    zeros = {f: 0 for f in FIELDS}
    upper = dict(zeros, c904=4, z001=1)
    records = {'zeros': zeros, 'c904=4,z001=1': upper}
    broken = {label: [] for label in records}

    for line, row in enumerate(rows, start=2):
        where = f'line {line}'
        if len(row) != 5:
            errors.append(f'{where}: {len(row)} fields, expected 5')
            continue
        page_id, expression, rule, explain, focus = row
        if not page_id.isdigit() or int(page_id) not in PAGE_FIELDS:
            errors.append(f'{where}: page_id {page_id!r} is not 1..13')
            continue
        page = int(page_id)
        for column, value in zip(HEADER, row):
            if value.strip() == '' or value != value.strip():
                errors.append(f'{where}: {column} is empty or padded')
        names = [n.lower() for n in names_in(expression)]
        unknown = sorted({n for n in names
                          if n not in KEYWORDS and n not in FIELDS})
        if unknown:
            errors.append(f'{where}: unknown names {unknown}')
            continue
        if PAGE_OF.get(focus) != page:
            errors.append(f'{where}: focus {focus} is not on page {page}')
        if focus not in names:
            errors.append(f'{where}: focus {focus} is not in the expression')

        for label, record in records.items():
            db.execute('delete from dt_data')
            db.execute(f'insert into dt_data ({", ".join(FIELDS)}) values (' +
                       ', '.join('?' * len(FIELDS)) + ')',
                       [record[f] for f in FIELDS])
            try:
                by_text = db.execute(
                    f'select {substitute(expression, record)} as rt'
                ).fetchone()[0]
                by_column = db.execute(
                    f'select ({expression}) as rt from dt_data').fetchone()[0]
            except sqlite3.Error as e:
                errors.append(f'{where}: {label}: {e}: {expression}')
                continue
            if bool(by_text) != bool(by_column):
                errors.append(f'{where}: {label}: substituted text gives '
                              f'{by_text}, columns give {by_column}')
            if by_text:
                broken[label].append((page, focus, explain))

    got = {explain for _, _, explain in broken['zeros']}
    if got != BROKEN_BY_ZEROS:
        errors.append('zero record: unexpectedly broken '
                      f'{sorted(got - BROKEN_BY_ZEROS)}, unexpectedly kept '
                      f'{sorted(BROKEN_BY_ZEROS - got)}')
    if broken['c904=4,z001=1']:
        errors.append(f'record c904=4,z001=1 breaks {broken["c904=4,z001=1"]}')

    counts = {}
    for row in rows:
        counts[row[0]] = counts.get(row[0], 0) + 1
    print(f'{len(rows)} rules; per page: ' +
          ', '.join(f'{p}: {n}' for p, n in sorted(counts.items(),
                                                   key=lambda kv: int(kv[0]))))
    print('broken by a record of zeros:')
    for page, focus, explain in broken['zeros']:
        print(f'  page {page:2} {focus}: {explain}')
    for e in errors:
        print('ERROR', e)
    return 1 if errors else 0


if __name__ == '__main__':
    sys.exit(main())
