# regedit's export (UTF-8, no CR) as the pack's test compares it before and
# after a run: each value on one line with its key, so that a difference
# names where it is; less the display that Wine registers for each new X
# display it meets, which is Wine's own doing, not the run's, and the service
# manager's count of service starts, which the spooler's restart moves on, as
# every start of a service does on Windows too.
/^\[/ {
    key = $0
    wine = index($0, "[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Control\\Video\\") == 1 ||
        $0 == "[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Control\\ServiceCurrent]"
}
!wine { print (/^\[/ ? $0 : key " " $0) }
