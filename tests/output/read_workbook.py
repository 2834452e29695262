#!/usr/bin/python3
"""Prints a workbook as JSON, read with openpyxl (a reader that Quellist does not share):
[{"sheet": name, "rows": [[[value, data_type], ...], ...]}, ...]. Empty rows stay as []."""
import json
import sys

import openpyxl

book = openpyxl.load_workbook(sys.argv[1])
sheets = []
for sheet in book.worksheets:
    rows = []
    for row in sheet.iter_rows(min_row=1, max_row=sheet.max_row):
        cells = [[cell.value, cell.data_type] for cell in row]
        while cells and cells[-1][0] is None:
            cells.pop()
        rows.append(cells)
    widths = {key: dim.width for key, dim in sheet.column_dimensions.items()}
    sheets.append({"sheet": sheet.title, "rows": rows, "widths": widths})
json.dump(sheets, sys.stdout)
