#!/usr/bin/python3
"""Writes a real .xls (BIFF8) from the cells a statement test made.

    write_xls.py CELLS OUT.xls

CELLS is UTF-8: one line per row, cells separated by tabs, each cell its
type ('n' a number, 't' a text) followed by its text."""
import sys

import xlwt


def main(cells_path, out_path):
    book = xlwt.Workbook(encoding="utf-8")
    sheet = book.add_sheet("交割单")
    with open(cells_path, encoding="utf-8") as cells:
        for row, line in enumerate(cells.read().split("\n")[:-1]):
            for column, cell in enumerate(line.split("\t")):
                kind, text = cell[:1], cell[1:]
                if kind == "n":
                    sheet.write(row, column, float(text.replace(",", "")))
                elif text:
                    sheet.write(row, column, text)
    book.save(out_path)


if __name__ == "__main__":
    main(*sys.argv[1:])
