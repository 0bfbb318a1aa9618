# shellcheck shell=bash
# The PASS/FAIL lines and the closing "N passed, M failed" of the scripts
# that check the program from outside. Source it; `tally_end` prints the
# count and returns non-zero when a check failed.
passed=0
failed=0

pass() {
    passed=$((passed + 1))
    echo "PASS: $1"
}

# fail WHAT [WHY]
fail() {
    failed=$((failed + 1))
    echo "FAIL: $1${2:+: $2}"
}

tally_end() {
    echo "$passed passed, $failed failed"
    [ "$failed" -eq 0 ]
}
