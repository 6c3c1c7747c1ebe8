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

# The text before a string, when the string is the program of awk or sed at
# a command's place (a line's start, after a separator, a keyword, `!`, or a
# runner such as env, nice, timeout or xargs), or the -c/-e body of a shell,
# Python or Perl anywhere: the string is that command's argument, not a
# later one's on the same line.
_PLACE = r"(?:^|[|;&({`]|\$\(|\b(?:if|then|else|elif|do|while|until)\s|!\s)\s*"
_RUNNER = (
    r"(?:(?:exec|command|builtin|sudo|busybox|time(?:\s+-p)?|env(?:\s+-\S+)*|nice(?:\s+-n\s*\S+|\s+-\d+)?"
    r"|xargs(?:\s+-\S+)*|timeout(?:\s+-\S+)*\s+\S+|\w+=\S*)\s+)*"
)
_ARG = r"""(?:'[^']*'|"(?:[^"\\]|\\.)*"|\\.|[^\s'"|;&()`])+"""
PROGRAM = re.compile(
    _PLACE + _RUNNER + r"(?:\S*/)?(?:[gmn]?awk|sed)(?:\s+" + _ARG + r")*\s+$"
    r"|(?:^|[\s/\"'(`])(?:(?:ba|da|z|k)?sh|\"?\$\{?SHELL\}?\"?)\s+(?:[-+]\w+\s+(?:pipefail\s+)?)*-\w*c\w*\s+$"
    r"|\bpython[\d.]*\s+(?:-\w+\s+)*-\w*c\s+$|\bperl\s+(?:-\S+\s+)*-\w*[eE]\s+$"
)

# A here-document's opening: <<WORD, <<-WORD, <<'WORD', <<"WORD", <<\WORD.
HEREDOC = re.compile(r"""<<-?\s*(?:\\?([^\s'"<>|;&()]+)|'([^']+)'|"([^"]+)")""")


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
            if top in ("'", "$'"):
                if c == "'":
                    stack.pop()
                elif c == "\\" and top == "$'":
                    i += 1
            elif top == '"' and c == '"':
                stack.pop()
            elif c == "\\":
                i += 1
            elif line.startswith("$(", i):
                stack.append(("(", number, ""))
                i += 1
            elif c == "`":
                if top == "`":
                    stack.pop()
                else:
                    stack.append(("`", number, ""))
            elif top == '"':
                pass
            elif line.startswith("$'", i):
                stack.append(("$'", number, carried + line[:i]))
                i += 1
            elif c in "'\"":
                stack.append((c, number, carried + line[:i]))
            elif c == "(":
                stack.append(("(", number, ""))
            elif c == ")" and top == "(":
                stack.pop()
            elif c == "#" and (i == 0 or line[i - 1] in " \t;|&(`"):
                break
            elif line.startswith("<<<", i):
                i += 2
            elif c == "<" and top in (None, "(", "`") and HEREDOC.match(line, i):
                match = HEREDOC.match(line, i)
                heredoc = next(g for g in match.groups() if g)
                i = match.end() - 1
            i += 1
        # Each string this line opened and left open.
        opened = [before for kind, at, before in stack if kind in ("'", '"', "$'") and at == number]
        if any(PROGRAM.search(before) for before in opened):
            found.append(number)
        # A line continued with a backslash is one command with the next.
        continued = line.endswith("\\") and not line.endswith("\\\\") and all(k in "(`" for k, _, _ in stack)
        carried = carried + line[:-1] if continued else ""
    if stack or heredoc:
        found.append(0)  # lost: a string or here-document never closes
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
    # The program's own command, not an earlier one on the line; runners and keywords.
    ("x=$(awk '{ print }' f); trap 'rm a\n  rm b' EXIT", []),
    ("check \"m\" \"$(sed -n '\n/a/p\n' f)\"", [1]),
    ("if ! timeout 5 awk -v a=1 '\n{ exit }' f; then :; fi", [1]),
    ("ls | xargs -r awk '\n{ print }'", [1]),
    ("bash -euo pipefail -c 'cd /tmp\n  ls'\nperl -0777 -pe '\ns/a/b/'", [1, 3]),
    # $'...' escapes its quote; <<< is no here-document; one inside $( ) is.
    ("echo $'it\\'s'\nawk '{ print }' f", []),
    ("grep x <<<yes\nawk '\n'", [2]),
    ("x=$(cat <<\\EOF\nit's\nEOF\n)\nawk '{ print }' f", []),
    # Quoting it cannot follow to the end is a finding, not a silent pass.
    ("echo 'a", [0]),
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
            said = lines.splitlines()[number - 1].strip() if number else "a string or here-document never closes"
            print(f"{path}:{number}: {said}")
    if failed:
        print(f"FAIL: {failed} findings: a program of another language in a string belongs in a file")
        return 1
    print(f"{len(PLANTED)} planted rows, {len(paths)} scripts: no program in a string")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
