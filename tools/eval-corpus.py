#!/usr/bin/env python3
"""Runs the extraction driver over a folder of corpus cases and prints how well the
recognised tables match the ground truth.

usage: eval-corpus.py [--driver PATH] [--by style|locale|scale] [--verbose] [-- DRIVER ARGS...] FOLDER

A case is case_NNN.png with its ground truth case_NNN.json. Texts are compared after
collapsing white space; a recognised grid shifted by whole rows or columns is aligned
by the offset that matches the most cells.
"""
import argparse
import json
import os
import statistics
import subprocess
import sys
import time
from concurrent.futures import ThreadPoolExecutor

HERE = os.path.dirname(os.path.abspath(__file__))
DEFAULT_DRIVER = os.path.join(HERE, "..", "build", "tools", "vozudozev-extract")


def norm(text):
    return " ".join(text.split())


def anchor_grid(rows, cols, cells, text_key="text"):
    grid = [["" for _ in range(max(cols, 0))] for _ in range(max(rows, 0))]
    for c in cells:
        r, k = c["row"], c["col"]
        if 0 <= r < rows and 0 <= k < cols:
            t = norm(c.get(text_key, ""))
            grid[r][k] = (grid[r][k] + " " + t).strip() if grid[r][k] else t
    return grid


def best_match(truth, got):
    """Number of non-empty truth slots matched exactly, at the best whole-row/column offset."""
    tr, tc = len(truth), len(truth[0]) if truth else 0
    gr, gc = len(got), len(got[0]) if got else 0
    best = 0
    for dr in range(-gr + 1, tr):
        for dc in range(-gc + 1, tc):
            n = 0
            for r in range(tr):
                for c in range(tc):
                    t = truth[r][c]
                    if not t:
                        continue
                    rr, cc = r - dr, c - dc
                    if 0 <= rr < gr and 0 <= cc < gc and got[rr][cc] == t:
                        n += 1
            best = max(best, n)
    return best


def run_case(driver, extra, png):
    start = time.monotonic()
    p = subprocess.run([driver, *extra, png], capture_output=True, text=True)
    wall = (time.monotonic() - start) * 1000
    return p, wall


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--driver", default=DEFAULT_DRIVER)
    ap.add_argument("--by", choices=["style", "locale", "scale", "ruled"])
    ap.add_argument("--verbose", action="store_true")
    ap.add_argument("--jobs", type=int, default=1, help="cases run at once (timings are then less exact)")
    ap.add_argument("folder")
    ap.add_argument("driver_args", nargs="*")
    a = ap.parse_args()

    cases = sorted(f[:-5] for f in os.listdir(a.folder) if f.startswith("case_") and f.endswith(".json"))
    if not cases:
        print("no cases in " + a.folder, file=sys.stderr)
        return 2

    def one(name):
        truth = json.load(open(os.path.join(a.folder, name + ".json"), encoding="utf-8"))
        p, wall = run_case(a.driver, a.driver_args, os.path.join(a.folder, name + ".png"))
        res = {"name": name, "truth": truth, "wall": wall, "ok": p.returncode == 0}
        tgrid = anchor_grid(truth["rows"], truth["cols"], truth["cells"])
        res["nonempty"] = sum(1 for row in tgrid for t in row if t)
        res["found"] = False
        res["shape"] = False
        res["exact"] = 0
        if p.returncode == 0:
            out = json.loads(p.stdout)
            sel = out.get("selected_table")
            if sel is not None and 0 <= sel < len(out["tables"]):
                t = out["tables"][sel]
                res["found"] = True
                res["got_shape"] = (t["rows"], t["cols"])
                res["shape"] = (t["rows"], t["cols"]) == (truth["rows"], truth["cols"])
                ggrid = anchor_grid(t["rows"], t["cols"], t["cells"])
                res["exact"] = best_match(tgrid, ggrid)
        else:
            res["error"] = p.stderr.strip()
        return res

    with ThreadPoolExecutor(max_workers=max(1, a.jobs)) as ex:
        results = list(ex.map(one, cases))

    def group_key(r):
        t = r["truth"]
        if a.by == "ruled":
            return "ruled" if t["style"] in ("ruled", "spreadsheet", "dark") else "unruled"
        return str(t.get(a.by))

    def summary(label, rs):
        n = len(rs)
        found = sum(r["found"] for r in rs)
        shape = sum(r["shape"] for r in rs)
        cells = sum(r["nonempty"] for r in rs)
        exact = sum(r["exact"] for r in rs)
        walls = [r["wall"] for r in rs]
        print(f"{label}: {n} images, tables found {found}/{n}, shapes right {shape}/{n}, "
              f"cells exact {exact}/{cells} ({100.0 * exact / max(cells, 1):.1f}%), "
              f"time median {statistics.median(walls):.0f} ms, max {max(walls):.0f} ms")

    if a.verbose:
        for r in results:
            t = r["truth"]
            print(f"  {r['name']} {t['style']:<11} {t['locale']} x{t['scale']} truth {t['rows']}x{t['cols']} "
                  f"got {r.get('got_shape')} exact {r['exact']}/{r['nonempty']} {r.get('error', '')}")
    if a.by:
        for key in sorted({group_key(r) for r in results}):
            summary(f"{a.by}={key}", [r for r in results if group_key(r) == key])
    summary("all", results)
    return 0


if __name__ == "__main__":
    sys.exit(main())
