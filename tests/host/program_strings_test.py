#!/usr/bin/env python3
"""No script holds a program of another language in a string.

A multi-line awk, sed, Python or Perl program, or a `bash -c` body, in a
quoted string is code no linter, editor or test reads as code: it belongs
in a file of its own. A one-line filter is fine. A line that opens a single-
or double-quoted string it does not close, where that string is the program
argument of such a command, is a finding: FILE:LINE: the line.

First the checker is tried on planted lines (each row: a script's text and
the lines it must flag), then it reads every script named on the command
line. Usage: program_strings_test.py SCRIPT...
"""
import re
import sys

# A command that runs its program text from an argument, at a command's
# place: the line's start, or after a pipe, a list operator, an opening
# parenthesis or brace, or a command substitution.
AT_COMMAND = re.compile(
    r"(?:^|[|;&({]|\$\()\s*(?:(?:exec|command|env|nice(?: -n \S+)?|[A-Z_]+=\S*)\s+)*"
    r"(?:g|m)?awk\b|(?:^|[|;&({]|\$\()\s*(?:(?:exec|command|env|[A-Z_]+=\S*)\s+)*sed\b"
)
# Anywhere on the line: a shell, Python or Perl given its program by -c or -e.
ANYWHERE = re.compile(r"\b(?:ba|da|busybox )?sh\s+-c\b|\bpython3?\s+-c\b|\bperl\s+-[A-Za-z]*e\b")


HEREDOC = re.compile(r"<<-?\s*(['\"]?)(\w+)\1")


def findings(text):
    """The numbers of the lines that open a program's string and leave it open.

    Shell quoting, line by line with what is open carried over: single
    quotes hold everything; double quotes take backslash escapes and command
    substitutions, inside which quoting starts afresh; a # at a word's start
    outside quotes is a comment; a here-document's lines are data.
    """
    found, stack, heredoc, carried = [], [], None, ""
    for number, line in enumerate(text.splitlines(), 1):
        if heredoc:
            if line.strip() == heredoc:
                heredoc = None
            continue
        i = 0
        while i < len(line):
            c, top = line[i], stack[-1][0] if stack else None
            if top == "'":
                if c == "'":
                    stack.pop()
            elif top == '"' and c == '"':
                stack.pop()
            elif c == "\\":
                i += 1
            elif line.startswith("$(", i):
                stack.append(("(", number, ""))
                i += 1
            elif top == '"':
                pass
            elif c in "'\"":
                stack.append((c, number, carried + line[:i]))
            elif c == "(":
                stack.append(("(", number, ""))
            elif c == ")" and top == "(":
                stack.pop()
            elif c == "#" and (i == 0 or line[i - 1] in " \t;|&("):
                break
            elif c == "<" and not stack and HEREDOC.match(line, i):
                heredoc = HEREDOC.match(line, i).group(2)
                i = HEREDOC.match(line, i).end() - 1
            i += 1
        # The outermost string this line opened and left open, if any.
        opened = [before for kind, at, before in stack if kind in "'\"" and at == number]
        if opened and (AT_COMMAND.search(opened[0]) or ANYWHERE.search(opened[0])):
            found.append(number)
        # A line continued with a backslash is one command with the next.
        continued = line.endswith("\\") and not line.endswith("\\\\") and all(k == "(" for k, _, _ in stack)
        carried = carried + line[:-1] if continued else ""
    return found


# A script's lines, and which of them the checker must flag.
PLANTED = [
    ("awk -F' [|] ' -v x=1 '/^a/ {\n  print\n}' file", [1]),
    ("awk '{ print $1 }' file\nsed -n '2p' file", []),
    ("x=$(sort | awk '\n{ a[NR] = $1 }\n')", [1]),
    ("bash -c 'cd /tmp\n  ls'", [1]),
    ('"$helper" "$dir" sh -c "wine cmd\n  exit"', [1]),
    ("python3 -c 'import sys\nprint(1)'", [1]),
    ("perl -ne 'print\n'", [1]),
    ("sed -n '/a/{\n  p\n}' f", [1]),
    # The shell's own strings: a trap, a check's condition, a message.
    ("trap 'rm -f \"$x\"\n  wine net start spooler' EXIT", []),
    ("check \"the awk reads it\" '[ -s f ] &&\n  grep -q x f'", []),
    ("echo 'sed it\n  later'", []),
    # Quotes in a comment, an escaped quote, and a string closed on its line.
    ("# with sed's edits\nawk 'BEGIN { print \"'\"'\"'\" }'", []),
    ("echo \\'\nawk '{ print }'", []),
    # Quotes within a command substitution within double quotes, a here-document.
    ('check "m" "$(sed -n "/^a/,/^b/p" f |\n  sort)"', []),
    ("cat <<'EOF'\ndon't\nEOF\nawk '\n'", [4]),
    ("env X=1 bash -c \\\n  'cd /tmp\n  ls'", [2]),
    # Once a string opened on an earlier line closes, the line is read on.
    ("trap 'a\n  b'; awk '\n{ print }'", [2]),
]


def main(paths):
    failed = 0
    for text, want in PLANTED:
        got = findings(text)
        if got != want:
            failed += 1
            print(f"FAIL: the checker flags lines {got}, not {want}, of:\n{text}")
    for path in paths:
        with open(path, encoding="utf-8", errors="replace") as f:
            lines = f.read()
        for number in findings(lines):
            failed += 1
            print(f"{path}:{number}: {lines.splitlines()[number - 1].strip()}")
    if failed:
        print(f"FAIL: {failed} findings: a program of another language in a string belongs in a file")
        return 1
    print(f"{len(PLANTED)} planted rows, {len(paths)} scripts: no program in a string")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
