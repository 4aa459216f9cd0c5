"""Reads a file the way its usual consumer does and prints its rows as JSON.

Usage: read_back.py KIND PATH, KIND one of xlsx, csv, html, md.
Markdown goes through cmark-gfm with its table extension, then through the HTML reader.
"""
import csv
import html.parser
import json
import subprocess
import sys


class Rows(html.parser.HTMLParser):
    def __init__(self):
        super().__init__()
        self.rows, self.cell, self.header_cells = [], None, 0

    def handle_starttag(self, tag, attrs):
        if tag == "tr":
            self.rows.append([])
        elif tag in ("td", "th"):
            self.cell = []
            if tag == "th":
                self.header_cells += 1

    def handle_endtag(self, tag):
        if tag in ("td", "th") and self.cell is not None:
            self.rows[-1].append("".join(self.cell))
            self.cell = None

    def handle_data(self, data):
        if self.cell is not None:
            self.cell.append(data)


def html_rows(text):
    reader = Rows()
    reader.feed(text)
    return {"rows": reader.rows, "header_cells": reader.header_cells}


def main():
    kind, path = sys.argv[1], sys.argv[2]
    if kind == "xlsx":
        import openpyxl
        book = openpyxl.load_workbook(path)
        sheet = book.active
        rows = [["" if v is None else v for v in row] for row in sheet.iter_rows(values_only=True)]
        out = {"rows": rows, "sheet": sheet.title, "freeze": sheet.freeze_panes,
               "merged": sorted(str(r) for r in sheet.merged_cells.ranges)}
    elif kind == "csv":
        with open(path, newline="", encoding="utf-8-sig") as f:
            out = {"rows": list(csv.reader(f))}
    elif kind == "html":
        with open(path, encoding="utf-8") as f:
            out = html_rows(f.read())
    elif kind == "md":
        rendered = subprocess.run(["cmark-gfm", "-e", "table", path], check=True, capture_output=True,
                                  text=True).stdout
        out = html_rows(rendered)
    else:
        raise SystemExit("unknown kind " + kind)
    json.dump(out, sys.stdout, ensure_ascii=False, default=str)


main()
