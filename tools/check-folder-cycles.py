#!/usr/bin/env python3
"""Fails when the include graph between the folders of a library has a cycle.

Usage: check-folder-cycles.py ROOT [LIBRARY ...]   (default libraries: VozudOzev KestrowEditor)
"""
import pathlib
import re
import sys

INCLUDE = re.compile(r'#include\s+"([^"]+)"')


def folder_graph(root: pathlib.Path, library: str) -> dict[str, set[str]]:
    graph: dict[str, set[str]] = {}
    base = root / library
    for path in base.rglob("*"):
        if path.suffix not in (".hpp", ".cpp"):
            continue
        here = str(path.parent.relative_to(root))
        graph.setdefault(here, set())
        for target in INCLUDE.findall(path.read_text(encoding="utf-8", errors="replace")):
            if not target.startswith(library + "/"):
                continue
            there = str(pathlib.PurePosixPath(target).parent)
            if there != here:
                graph[here].add(there)
                graph.setdefault(there, set())
    return graph


def find_cycle(graph: dict[str, set[str]]) -> list[str] | None:
    state: dict[str, int] = {}
    stack: list[str] = []

    def visit(node: str) -> list[str] | None:
        state[node] = 1
        stack.append(node)
        for nxt in sorted(graph[node]):
            if state.get(nxt) == 1:
                return stack[stack.index(nxt):] + [nxt]
            if nxt not in state:
                found = visit(nxt)
                if found:
                    return found
        stack.pop()
        state[node] = 2
        return None

    for node in sorted(graph):
        if node not in state:
            found = visit(node)
            if found:
                return found
    return None


def main() -> int:
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else ".")
    libraries = sys.argv[2:] or ["VozudOzev", "KestrowEditor"]
    failed = False
    for library in libraries:
        cycle = find_cycle(folder_graph(root, library))
        if cycle:
            print(f"{library}: folder cycle: {' -> '.join(cycle)}")
            failed = True
    if not failed:
        print("no folder cycles")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
