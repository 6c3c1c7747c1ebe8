# The rows of scripts/bench-tests from scripts/test's output: CTest's own
# line for each test (its name, its status, its seconds), and its total for
# each run of it.
/Test +#[0-9]+: / {
    for (i = 1; i <= NF; i++)
        if ($i ~ /^#[0-9]+:$/)
            name = $(i + 1)
    for (i = NF; i > 0; i--)
        if ($i == "sec") {
            st = $(i - 2)
            sub(/^[.*]+/, "", st)
            print "| " name " (" st ") | " int($(i - 1) + 0.5) " |"
            break
        }
}
/^Total Test time \(real\)/ { n++; print "| CTest run " n ", wall | " int($(NF - 1) + 0.5) " |" }
