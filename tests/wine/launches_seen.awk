# The launch records of the tool doubles (launches.txt, with -F'|'), as the
# installer test compares them: each start's tool, show and command line,
# then how many of the starts ended with exit code 0.
# A record is <tick>|<pid>|<tool>|<show>|<command line>, or <tick>|<pid>|end|<exit code>.
$3 == "end" {
    ended += $4 == "0"
    next
}
{
    sub(/^[^|]*\|[^|]*\|/, "")
    print
}
END { print ended + 0 " ended with 0" }
