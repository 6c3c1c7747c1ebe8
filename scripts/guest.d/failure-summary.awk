# Reads the console of the guest's failed second stage and prints one line:
# the command that failed, with the last apt error before it; else the last
# error, else the last line that is not the kernel's. "unreached " leads the
# line when an apt-get failed because the mirror could not be reached.
/^\[ *[0-9.]+\]/ || !NF { next }
{ last = $0 }
/^(E:|W: Failure)/ { err = $0 }
/Temporary failure resolving|Could not resolve|Could not connect|Failed to fetch/ { unreached = 1 }
/^zq: the second stage failed at: / && !at { at = substr($0, 33); at_err = err }
END {
  if (at)
    print (unreached && at ~ /apt-get/ ? "unreached " : "") at (at_err ? " (" at_err ")" : "")
  else
    print (err ? err : last)
}
