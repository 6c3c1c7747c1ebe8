#!/usr/bin/env python3
"""Turns checks-pack result files (format 1) into the support matrix's
real-machines column, as a Markdown table on standard output.

  matrix.py --released FILE PATH...

Each PATH is a result file or a folder, whose zqcheck-*.txt files are read.
Per Windows version, edition and user interface language it counts the rows
that passed, failed, were skipped and could not be set up (error), and the
machines the results came from. A row that failed on any machine of a group
counts as failed there; one that could not be set up on any, and failed on
none, as an error; one that passed on any other, as passed; else skipped.

It refuses, in one line and with status 2, before writing anything: a file of
another format, a file cut short, a run stopped by hand, a run under Wine, and a program whose
SHA-256 is not among the released ones (FILE: "version sha256" a line).
"""
import os
import sys

FORMAT = "1"
HEADER = ("pack", "program-sha256", "windows", "version", "build", "service-pack", "product-type", "edition",
          "code-page", "ui-language", "machine")
OUTCOMES = ("pass", "FAIL", "skip", "error")
# A group's outcome of a row: the first of these that any machine gave.
PRECEDENCE = ("FAIL", "error", "pass", "skip")
# The support matrix's order; names it does not know come after, by name.
ORDER = ("win95", "win98", "winme", "nt351", "nt40", "win2k", "winxp", "winxp64", "win2003", "vista", "win2008",
         "win7", "win2008r2", "win8", "win2012", "win81", "win2012r2", "win10", "win2016", "win2019", "win2022",
         "win2025", "win11", "winserver")


class Refused(Exception):
    pass


def released_hashes(path):
    hashes = set()
    try:
        with open(path, encoding="ascii") as lines:
            for number, line in enumerate(lines, 1):
                line = line.strip()
                if not line or line.startswith("#"):
                    continue
                fields = line.split()
                if len(fields) != 2 or len(fields[1]) != 64:
                    raise Refused(f"{path}:{number}: not \"version sha256\"")
                hashes.add(fields[1].lower())
    except (OSError, UnicodeDecodeError) as error:
        raise Refused(f"{path}: cannot be read ({error})")
    return hashes


def read_result(path, released):
    """The header's fields and {row id: outcome} of one result file."""
    try:
        with open(path, "rb") as file:
            text = file.read().decode("ascii", "replace")
    except OSError as error:
        raise Refused(f"{path}: cannot be read ({error.strerror})")
    lines = text.replace("\r\n", "\n").split("\n")
    first = lines[0].split(" ", 1)
    if first[0] != "zqcheck-result-format":
        raise Refused(f"{path}: not a zqcheck result file")
    if len(first) != 2 or first[1] != FORMAT:
        raise Refused(f"{path}: a result of format {first[1] if len(first) == 2 else '?'}; this reads format {FORMAT}")
    if "end" not in lines:
        if "stopped" in lines:
            raise Refused(f"{path}: a run stopped before its last row (stopped, no end line): not a whole result")
        raise Refused(f"{path}: cut short (no end line)")
    header, at = {}, 1
    while at < len(lines) and lines[at]:
        line = lines[at]
        name = "UNDER WINE" if line.startswith("UNDER WINE") else line.partition(" ")[0]
        header[name] = line[len(name) + 1:]
        at += 1
    if "UNDER WINE" in header:
        raise Refused(f"{path}: a run under Wine {header['UNDER WINE']}, not a real machine")
    missing = [field for field in HEADER if not header.get(field)]
    if missing:
        raise Refused(f"{path}: no {missing[0]} in the header")
    if header["program-sha256"].lower() not in released:
        raise Refused(f"{path}: its program {header['program-sha256'][:12]} is not a released one")
    if at + 1 >= len(lines) or lines[at + 1] != "rows":
        raise Refused(f"{path}: no rows section after the header")
    rows = {}
    for line in lines[at + 2:]:
        if not line:
            break
        if line.startswith("    "):
            continue  # what differed, under a FAIL or error line
        fields = line.split(None, 2)
        if len(fields) < 2 or fields[0] not in OUTCOMES:
            raise Refused(f"{path}: not a row line: {line[:60]}")
        rows[fields[1]] = fields[0]
    if not rows:
        raise Refused(f"{path}: no rows")
    return header, rows


def result_files(paths):
    for path in paths:
        if os.path.isdir(path):
            names = sorted(name for name in os.listdir(path) if name.startswith("zqcheck-") and name.endswith(".txt"))
            if not names:
                raise Refused(f"{path}: no zqcheck-*.txt result files in it")
            yield from (os.path.join(path, name) for name in names)
        else:
            yield path


def order_key(group):
    name = group[0]
    return (ORDER.index(name) if name in ORDER else len(ORDER), name, group[1], group[2])


def matrix(results):
    groups = {}
    for header, rows in results:
        key = (header["windows"], header["edition"], header["ui-language"])
        group = groups.setdefault(key, {"machines": set(), "rows": {}})
        group["machines"].add(header["machine"])
        for row, outcome in rows.items():
            seen = group["rows"].get(row)
            if seen is None or PRECEDENCE.index(outcome) < PRECEDENCE.index(seen):
                group["rows"][row] = outcome
    lines = ["| Windows | edition | language | machines | passed | failed | skipped | error |",
             "|---|---|---|---|---|---|---|---|"]
    for key in sorted(groups, key=order_key):
        group = groups[key]
        counts = [sum(1 for outcome in group["rows"].values() if outcome == name) for name in OUTCOMES]
        lines.append(f"| {key[0]} | {key[1]} | {key[2]} | {len(group['machines'])} | "
                     + " | ".join(str(count) for count in counts) + " |")
    return "\n".join(lines) + "\n"


def main(argv):
    if len(argv) < 3 or argv[0] != "--released":
        raise Refused("usage: matrix [--released FILE] DIR|FILE...")
    released = released_hashes(argv[1])
    results = [read_result(path, released) for path in result_files(argv[2:])]
    sys.stdout.write(matrix(results))
    return 0


if __name__ == "__main__":
    try:
        sys.exit(main(sys.argv[1:]))
    except Refused as refusal:
        print(f"matrix: {refusal}", file=sys.stderr)
        sys.exit(2)
