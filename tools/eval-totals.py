#!/usr/bin/env python3
"""Runs the driver with --trust over the corpus cases that have a total row and counts how
many deliberately wrong totals are flagged "total_mismatch" and how many correct totals
are flagged so wrongly.

usage: eval-totals.py [--driver PATH] FOLDER [-- DRIVER ARGS...]
"""
import argparse
import importlib.util
import json
import os
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
spec = importlib.util.spec_from_file_location("evalcorpus", os.path.join(HERE, "eval-corpus.py"))
ev = importlib.util.module_from_spec(spec)
spec.loader.exec_module(ev)


def flag_grid(table):
    grid = [[None] * table["cols"] for _ in range(table["rows"])]
    for c in table["cells"]:
        if 0 <= c["row"] < table["rows"] and 0 <= c["col"] < table["cols"]:
            grid[c["row"]][c["col"]] = c.get("flags", [])
    return grid


def best_offset(truth, got):
    tr, tc = len(truth), len(truth[0]) if truth else 0
    gr, gc = len(got), len(got[0]) if got else 0
    best, at = -1, (0, 0)
    for dr in range(-gr + 1, tr):
        for dc in range(-gc + 1, tc):
            n = sum(1 for r in range(tr) for c in range(tc)
                    if truth[r][c] and 0 <= r - dr < gr and 0 <= c - dc < gc and got[r - dr][c - dc] == truth[r][c])
            if n > best:
                best, at = n, (dr, dc)
    return at


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--driver", default=ev.DEFAULT_DRIVER)
    ap.add_argument("folder")
    ap.add_argument("driver_args", nargs="*")
    a = ap.parse_args()
    wrong_flagged = wrong_total = right_flagged = right_total = 0
    for f in sorted(os.listdir(a.folder)):
        if not (f.startswith("case_") and f.endswith(".json")):
            continue
        truth = json.load(open(os.path.join(a.folder, f), encoding="utf-8"))
        if truth.get("total_row") is None:
            continue
        p = subprocess.run([a.driver, "--trust", *a.driver_args, os.path.join(a.folder, f[:-5] + ".png")],
                           capture_output=True, text=True)
        if p.returncode != 0:
            continue
        out = json.loads(p.stdout)
        if out.get("selected_table") is None:
            continue
        table = out["tables"][out["selected_table"]]
        tgrid = ev.anchor_grid(truth["rows"], truth["cols"], truth["cells"])
        ggrid = ev.anchor_grid(table["rows"], table["cols"], table["cells"])
        flags = flag_grid(table)
        dr, dc = best_offset(tgrid, ggrid)
        r = truth["total_row"]
        wrong = tuple(truth["wrong_total"]) if "wrong_total" in truth else None
        for c in range(truth["cols"]):
            text = tgrid[r][c]
            if not text or not any(ch.isdigit() for ch in text):
                continue
            gr, gc = r - dr, c - dc
            flagged = 0 <= gr < len(flags) and 0 <= gc < len(flags[0]) and flags[gr][gc] is not None \
                and "total_mismatch" in flags[gr][gc]
            if wrong == (r, c):
                wrong_total += 1
                wrong_flagged += flagged
            else:
                right_total += 1
                right_flagged += flagged
    print(f"wrong totals flagged {wrong_flagged}/{wrong_total}, correct totals flagged wrongly {right_flagged}/{right_total}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
