# Counting test results from the gtest XML reports of every suite.

# count_results DIR...: prints "passed failed" summed over the reports.
count_results() {
    local passed=0 failed=0 f head tests failures errors disabled skipped
    for f in $(find "$@" -name '*.xml' 2>/dev/null); do
        head=$(tr -d '\r' < "$f" | grep -m1 -o '<testsuites [^>]*>') || continue
        tests=$(attr "$head" tests); failures=$(attr "$head" failures); errors=$(attr "$head" errors)
        disabled=$(attr "$head" disabled); skipped=$(attr "$head" skipped)
        failed=$((failed + failures + errors))
        passed=$((passed + tests - failures - errors - disabled - skipped))
    done
    echo "$passed $failed"
}

attr() { local v; v=$(printf '%s' "$1" | grep -o " $2=\"[0-9]*\"" | grep -o '[0-9]\+'); echo "${v:-0}"; }
