#!/usr/bin/env python3
"""Reads an exported results file with a reader of its own (openpyxl for
.xlsx, odfpy for .ods, the csv module for .csv) and prints what a spreadsheet
shows: a first line "frozen=ROWS,COLUMNS" (none for CSV), then one line per
row, cells separated by "|": a number as "#" and its value, a text as it is
(line breaks as "/"), an empty cell as nothing; empty cells at a row's end
left out."""
import csv
import sys


def number(value):
    return "#" + ("%.15g" % value)


def text(value):
    return value.replace("\n", "/")


def print_rows(rows):
    for row in rows:
        while row and row[-1] == "":
            row.pop()
        print("|".join(row))


def read_xlsx(path):
    import openpyxl
    sheet = openpyxl.load_workbook(path).active
    frozen = sheet.freeze_panes  # "C4": rows above 4, columns left of C
    column = ord(frozen[0]) - ord("A")
    print("frozen=%d,%d" % (int(frozen[1:]) - 1, column))
    rows = []
    for row in sheet.iter_rows():
        cells = []
        for cell in row:
            if cell.value is None:
                cells.append("")
            elif isinstance(cell.value, (int, float)):
                cells.append(number(cell.value))
            else:
                cells.append(text(str(cell.value)))
        rows.append(cells)
    print_rows(rows)


def read_ods(path):
    from odf import teletype
    from odf.config import ConfigItem
    from odf.namespaces import OFFICENS, TABLENS
    from odf.opendocument import load
    from odf.table import Table, TableRow
    from odf.text import P
    document = load(path)
    items = {item.getAttribute("name"): teletype.extractText(item)
             for item in document.settings.getElementsByType(ConfigItem)}
    print("frozen=%s,%s" % (items["VerticalSplitPosition"], items["HorizontalSplitPosition"]))
    table = document.spreadsheet.getElementsByType(Table)[0]
    rows = []
    for table_row in table.getElementsByType(TableRow):
        cells = []
        for cell in table_row.childNodes:
            if cell.qname[1] not in ("table-cell", "covered-table-cell"):
                continue
            repeated = int(cell.getAttrNS(TABLENS, "number-columns-repeated") or 1)
            kind = cell.getAttrNS(OFFICENS, "value-type")
            if kind == "float":
                value = number(float(cell.getAttrNS(OFFICENS, "value")))
            elif kind == "string":
                value = "/".join(teletype.extractText(p) for p in cell.getElementsByType(P))
            else:
                value = ""
            cells += [value] * repeated
        rows.append(cells)
    print_rows(rows)


def read_csv(path):
    with open(path, encoding="utf-8", newline="") as file:
        if file.read(1) != "\ufeff":
            sys.exit("no byte-order mark")
        print("frozen=none")
        print_rows([[text(cell) for cell in row] for row in csv.reader(file, delimiter=";")])


path = sys.argv[1]
{"xlsx": read_xlsx, "ods": read_ods, "csv": read_csv}[path.rsplit(".", 1)[1]](path)
