# The registry as prefix_state saves it (Wine's text format: a key's line
# with its time, then its values), as the pack's test compares it before and
# after a run: each value on one line with its key, so that a difference
# names where it is, root (HKLM or HKU) first. Left out: the format's header
# and the keys' times, which a value written back as it was moves on, and
# what Wine keeps for itself where a restart keeps it: the display it
# registers for each new X display it meets, and the service manager's count
# of service starts, which every start of a service moves on.
/^\[/ {
    key = $0
    sub(/\] [0-9]+$/, "]", key)
    wine = index(key, "[System\\\\ControlSet001\\\\Control\\\\Video\\\\") == 1 ||
        key == "[System\\\\ControlSet001\\\\Control\\\\ServiceCurrent]"
    if (!wine)
        print root " " key
    next
}
key == "" || wine || /^#time=/ || /^$/ { next }
{ print root " " key " " $0 }
