# The address of the first instruction of objdump -d's output that is n bytes
# long (awk -v n=BYTES), without blanks or colon: the footprint test plants
# an instruction of the same length there.
!found && NF >= 3 && split($2, b, " ") == n {
    gsub(/[ :]/, "", $1)
    print $1
    found = 1
}
