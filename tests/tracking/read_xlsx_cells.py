"""Prints every cell of the first sheet of a workbook, as an independent reader (openpyxl) sees
it: name, number format and the value's UTF-8 bytes in hex, one cell a line."""
import sys

import openpyxl

book = openpyxl.load_workbook(sys.argv[1])
sheet = book.worksheets[0]
for row in sheet.iter_rows():
    for cell in row:
        value = "" if cell.value is None else str(cell.value)
        print(cell.coordinate, cell.number_format, value.encode("utf-8").hex() or "-", sep="\t")
