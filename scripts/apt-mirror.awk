# Prints the first Debian archive that this machine's apt takes SUITE from,
# and the file that names it: "URI FILE". Reads sources.list files in the
# one-line form ("deb [options] URI SUITE COMPONENT...") and in the deb822
# form (stanzas of Types:, URIs:, Suites:, separated by blank lines).
# An archive on this machine's loopback (a local cache or proxy) is passed
# over: the guest that makes its second stage itself cannot reach it there.
# Usage: awk -v suite=SUITE -f apt-mirror.awk FILE...
function usable(uri) {
  return uri ~ /^https?:\/\// && uri !~ /^https?:\/\/(127\.|localhost|\[::1\])/
}
function stanza_end(   n, i, u, s) {
  if (types ~ /(^| )deb( |$)/ && (" " suites " ") ~ (" " suite " ")) {
    n = split(uris, u, " ")
    for (i = 1; i <= n; i++) if (usable(u[i])) { print u[i], FILENAME; found = 1; exit }
  }
  types = uris = suites = ""
}
FNR == 1 { if (deb822) stanza_end(); deb822 = FILENAME ~ /\.sources$/ }
deb822 && /^[ \t]*$/ { stanza_end(); next }
deb822 && /^Types:/ { sub(/^Types:[ \t]*/, ""); types = $0; next }
deb822 && /^URIs:/ { sub(/^URIs:[ \t]*/, ""); uris = $0; next }
deb822 && /^Suites:/ { sub(/^Suites:[ \t]*/, ""); suites = $0; next }
!deb822 && $1 == "deb" {
  i = 2
  if ($i ~ /^\[/) while ($i !~ /\]$/ && i < NF) i++
  if ($i ~ /^\[/ || $i ~ /\]$/) i++
  if (usable($i) && $(i + 1) == suite) { print $i, FILENAME; found = 1; exit }
}
END { if (!found && deb822) stanza_end() }
