# The rows run and skipped on one version, as docs/checks.md's table gives
# them: a row "| NT 4.0, 2000 | 47 | 10 |" prints "47|10" for each version
# its first cell names (a "(and X)" in the cell names X too). Run with
# -F' [|] ' -v label=LABEL, the version as the table names it (95, NT 4.0, 10).
/^\| / && NF == 3 {
  cell = substr($1, 3)
  gsub(/\(and /, ", ", cell)
  gsub(/\)/, "", cell)
  n = split(cell, names, /, /)
  for (i = 1; i <= n; ++i)
    if (names[i] == label) {
      sub(/ \|$/, "", $3)
      print $2 "|" $3
    }
}
