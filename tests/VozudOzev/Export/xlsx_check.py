"""Opens a workbook with openpyxl and prints what a spreadsheet user would see, as JSON.

Usage: xlsx_check.py FILE. Prints {"title", "freeze", "merged", "cells"}, where cells
maps a reference to [value, data type, bold] for every cell that holds a value or is bold.
Fails unless every entry matches its CRC and every part is well-formed XML.
"""
import json
import sys
import xml.etree.ElementTree as ElementTree
import zipfile

import openpyxl

with zipfile.ZipFile(sys.argv[1]) as archive:
    assert archive.testzip() is None
    for name in archive.namelist():
        ElementTree.fromstring(archive.read(name))

book = openpyxl.load_workbook(sys.argv[1])
assert len(book.worksheets) == 1
sheet = book.worksheets[0]
cells = {}
for row in sheet.iter_rows():
    for cell in row:
        if cell.value is not None or cell.font.b:
            cells[cell.coordinate] = [cell.value, cell.data_type, bool(cell.font.b)]
print(json.dumps({
    "title": sheet.title,
    "freeze": sheet.freeze_panes,
    "merged": sorted(str(r) for r in sheet.merged_cells.ranges),
    "cells": cells,
}, ensure_ascii=False))
