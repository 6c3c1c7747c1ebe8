#!/usr/bin/env python3
"""Holds the setup authors' table of registry values to the program's code.

The table in docs/setup-authors.md ("The registry values it reads") names
each value the program reads, the buffer size it is read into and the log
line a failed read writes. Here the same facts are taken from src/: every
ReadRunValue call with its key, value name, size constant and failure line,
and the constants' values. A value read but not in the table, a size or a
log line that differs, or a row for a value no longer read, fails.

Usage: registry_reference_test.py SOURCE_DIR
"""
import re
import sys
from pathlib import Path

SECTION = "## The registry values it reads"
# Which key a ReadRunValue call reads, by the variable holding its path, and
# the words that name that key in the table's first column.
KEYS = {
    "values.keyPath": "printer key",
    "installRoot": "install root",
    "values->faxKeyPath": "fax key",
}
COLUMNS = ["key", "value", "type", "limit", "at most", "failed", "no key", "empty"]


def table_rows(page):
    """The rows of the first table after SECTION, as dicts by COLUMNS."""
    lines = page[page.index(SECTION) :].splitlines()
    first = next(i for i, line in enumerate(lines) if line.startswith("|"))
    table = []
    for line in lines[first:]:
        if not line.startswith("|"):
            break
        table.append(line)
    # The heading row and the line under it are not rows.
    return [dict(zip(COLUMNS, (cell.strip() for cell in line.strip("|").split("|")))) for line in table[2:]]


def constants(source):
    """NAME = number, from every enum of src/."""
    found = {}
    for path in source.rglob("*"):
        if path.suffix in (".h", ".cpp"):
            for name, value in re.findall(r"\b([A-Z][A-Z0-9_]+)\s*=\s*(\d+)", path.read_text()):
                found[name] = int(value)
    return found


def log_texts(source):
    text = (source / "support" / "log_texts.h").read_text()
    return {name: value.replace('\\"', '"').replace("\\\\", "\\")
            for name, value in re.findall(r'#define (LOG_\w+) "((?:[^"\\]|\\.)*)"', text)}


def reads(source):
    """(key words, value name, size constant, failure line macro) of each read."""
    calls = []
    for path in (source / "install").glob("*.cpp"):
        for key, name, size, line in re.findall(
            r'ReadRunValue\(\s*([\w.>-]+),\s*"([^"]+)",\s*[\w.>-]+,\s*(\w+),\s*[&\w.>-]+,\s*(\w+)\)',
            path.read_text(),
        ):
            calls.append((KEYS.get(key, key), name, size, line))
    return calls


def main():
    top = Path(sys.argv[1])
    source = top / "src"
    sizes = constants(source)
    texts = log_texts(source)
    rows = table_rows((top / "docs" / "setup-authors.md").read_text())
    failures = []

    def check(what, ok):
        if not ok:
            failures.append(what)

    def limits_hold(row, size, line):
        name = f"{row['key'][:30]!r} {row['value'][:30]!r}"
        check(f"{name}: limit {row['limit']} is {size}", row["limit"] == str(size))
        check(f"{name}: at most {row['at most']!r} starts with {size - 1} bytes",
              row["at most"].startswith(f"{size - 1} bytes"))
        check(f"{name}: names the log line {texts[line]!r}", f"`{texts[line]}`" in row["failed"])

    calls = reads(source)
    # Every call is understood: one this test cannot read fails it.
    sites = sum(path.read_text().count("ReadRunValue(") for path in (source / "install").glob("*.cpp")
                if path.name != "registry_text.cpp")
    check(f"each of the {sites} reads is understood ({len(calls)})", calls and len(calls) == sites)
    for key, name, size, line in calls:
        matching = [row for row in rows if f"`{name}`" in row["value"] and key in row["key"]]
        check(f"a row for {name!r} under the {key}", len(matching) == 1)
        if matching:
            limits_hold(matching[0], sizes[size], line)
    # The command tail, which is no registry value but is read the same way.
    tail = [row for row in rows if "command tail" in row["value"]]
    check("a row for the command tail", len(tail) == 1)
    if tail:
        limits_hold(tail[0], sizes["KEY_PATH_SIZE"], "LOG_KEY_PATH_TOO_LONG")
    check(f"no row but the {len(calls) + 1} read ({len(rows)})", len(rows) == len(calls) + 1)

    # "<ProgramDir>\zqntadd.exe" <key>: two quotes, the tool's name, a blank.
    together = sizes["ADD_PRINTER_LINE_SIZE"] - 1 - len('"' + texts["LOG_ADD_PRINTER_TOOL"])
    program_dir = [row for row in rows if "`ProgramDir`" in row["value"]]
    check(f"ProgramDir's row says {together} bytes together",
          bool(program_dir) and f"{together} bytes together" in program_dir[0]["at most"])
    page = (top / "docs" / "setup-authors.md").read_text()
    check(f"the page says {together} bytes together", f"may have {together} bytes together" in page)

    for failure in failures:
        print(f"FAIL: {failure}")
    print(f"{len(failures)} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
