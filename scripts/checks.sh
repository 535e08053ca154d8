# The checks of a test script, sourced by it: `check NAME CONDITION...` runs the condition and
# prints one line, ok or FAILED; `checks_summary` prints the count and fails if any check did.
passed=0
failed=0
check() { # NAME CONDITION...
    local name="$1"
    shift
    if "$@"; then
        passed=$((passed + 1))
        echo "ok      $name"
    else
        failed=$((failed + 1))
        echo "FAILED  $name"
    fi
}
checks_summary() {
    echo "$passed passed, $failed failed"
    [ "$failed" -eq 0 ]
}
