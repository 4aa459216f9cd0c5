#!/usr/bin/env python3
"""Lists the longest function bodies of a library and fails when one is over the limit.

Usage: longest-functions.py ROOT [--limit N] [--top N] [LIBRARY ...]   (default: VozudOzev, 90 lines)

A body's length is the number of lines from its opening brace to its closing one. Lambdas
and blocks count towards the function that holds them; member functions defined inside a
class count on their own. The reading is lexical (comments, strings and preprocessor lines
are skipped), which is enough for this code base's layout.
"""
import argparse
import pathlib
import re
import sys

# Long functions that their owners are still splitting: reported, not failed. Each entry
# is "path:name"; remove it once the function is short.
KNOWN_LONG: set[str] = set()

INITIALIZER = re.compile(r"\)\s*(?:noexcept\s*)?:[^:].*[A-Za-z_0-9>]\s*$", re.S)
CONTROL = {"if", "for", "while", "switch", "catch", "do", "else", "try"}
NAME = re.compile(r"((?:[A-Za-z_~][A-Za-z_0-9]*\s*::\s*)*(?:operator\s*[^\s(]+|~?[A-Za-z_][A-Za-z_0-9]*))\s*(?:<[^()]*>)?\s*$")


def code_only(text: str) -> str:
    """The text with comments, string and character literals and preprocessor lines blanked,
    newlines kept so that line numbers stay."""
    out = []
    i, n = 0, len(text)
    line_start = True
    while i < n:
        c = text[i]
        if line_start and c == "#":
            while i < n and text[i] != "\n":
                if text[i] == "\\" and i + 1 < n and text[i + 1] == "\n":
                    out.append("\n")
                    i += 2
                    continue
                i += 1
            continue
        if c == "/" and text.startswith("//", i):
            while i < n and text[i] != "\n":
                i += 1
            continue
        if c == "/" and text.startswith("/*", i):
            end = text.find("*/", i + 2)
            end = n if end < 0 else end + 2
            out.append("\n" * text.count("\n", i, end))
            i = end
            continue
        raw = re.match(r'(?:u8|u|U|L)?R"([^(\s]*)\(', text[i:i + 24]) if c in "uULR" else None
        if raw and (i == 0 or not (text[i - 1].isalnum() or text[i - 1] == "_")):
            close = ")" + raw.group(1) + '"'
            end = text.find(close, i + raw.end())
            end = n if end < 0 else end + len(close)
            out.append('""' + "\n" * text.count("\n", i, end))
            i = end
            continue
        if c in "\"'":
            # A digit separator (1'000) is no character literal.
            if c == "'" and i > 0 and text[i - 1].isalnum() and i + 1 < n and text[i + 1].isalnum():
                out.append(" ")
                i += 1
                continue
            j = i + 1
            while j < n and text[j] != c and text[j] != "\n":
                j += 2 if text[j] == "\\" else 1
            out.append(c + c)
            i = j + 1
            continue
        out.append(c)
        line_start = c == "\n" or (line_start and c in " \t")
        i += 1
    return "".join(out)


def function_name(head: str) -> str | None:
    """The name of the function whose body a brace after `head` opens, or None."""
    head = " ".join(head.split())
    if not head or re.search(r"\b(namespace|class|struct|union|enum)\b", head.split("(")[0]):
        return None
    # Cut a constructor's initializer list and trailing qualifiers back to the parameters.
    depth = 0
    close = -1
    for k, ch in enumerate(head):
        if ch == "(":
            if depth == 0 and close >= 0 and re.search(r"\)\s*:", head[close:k]):
                break
            depth += 1
        elif ch == ")":
            depth -= 1
            if depth == 0:
                close = k
    if close < 0:
        return None
    depth = 0
    for k in range(close, -1, -1):
        if head[k] == ")":
            depth += 1
        elif head[k] == "(":
            depth -= 1
            if depth == 0:
                m = NAME.search(head[:k])
                if not m:
                    return None
                name = re.sub(r"\s+", "", m.group(1))
                if name in CONTROL or name.endswith("]") or "=" in head[:m.start()].split("(")[-1]:
                    return None
                return name
    return None


def functions(path: pathlib.Path):
    """(name, first line, length) of every function body in the file."""
    text = code_only(path.read_text(encoding="utf-8", errors="replace"))
    stack = []  # per open brace: ("fn", name, line) or ("scope", None, line) or ("block", None, line)
    head = []
    line = 1
    for ch in text:
        if ch == "\n":
            line += 1
        if ch == "{":
            inside_function = any(kind in ("fn", "init") for kind, _, _ in stack)
            text_head = "".join(head)
            if not inside_function and INITIALIZER.search(text_head):
                # a_{a} in a constructor's initializer list: still the head.
                stack.append(("init", None, line))
                head.append(ch)
                continue
            name = None if inside_function else function_name(text_head)
            stack.append(("fn", name, line) if name else ("block" if inside_function else "scope", None, line))
            head = []
        elif ch == "}":
            if stack:
                kind, name, start = stack.pop()
                if kind == "fn":
                    yield name, start, line - start
                if kind == "init":
                    head.append(ch)
                    continue
            head = []
        elif ch == ";":
            head = []
        else:
            head.append(ch)


def main() -> int:
    ap = argparse.ArgumentParser()
    ap.add_argument("root")
    ap.add_argument("libraries", nargs="*", default=["VozudOzev"])
    ap.add_argument("--limit", type=int, default=90)
    ap.add_argument("--top", type=int, default=0, help="also list the N longest")
    a = ap.parse_intermixed_args()
    root = pathlib.Path(a.root)

    found = []
    for library in a.libraries:
        for path in sorted((root / library).rglob("*.cpp")):
            rel = path.relative_to(root).as_posix()
            for name, start, length in functions(path):
                found.append((length, rel, start, name))
    found.sort(key=lambda f: (-f[0], f[1], f[2]))
    for length, rel, start, name in found[: a.top]:
        print(f"{length:4d} {rel}:{start} {name}")

    over = [f for f in found if f[0] > a.limit]
    known = {f"{rel}:{name}" for _, rel, _, name in over} & KNOWN_LONG
    failing = [f for f in over if f"{f[1]}:{f[3]}" not in KNOWN_LONG]
    for length, rel, start, name in over:
        tag = "known, being split" if f"{rel}:{name}" in KNOWN_LONG else "too long"
        print(f"{rel}:{start}: {name} has {length} lines (limit {a.limit}): {tag}")
    checked = {entry for entry in KNOWN_LONG if entry.split("/")[0] in a.libraries}
    for entry in sorted(checked - known):
        print(f"note: {entry} is no longer over the limit; take it off KNOWN_LONG")
    return 1 if failing else 0


if __name__ == "__main__":
    sys.exit(main())
