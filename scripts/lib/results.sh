# Counting test results from the gtest XML reports of every suite.

# count_results DIR...: prints "passed failed" summed over the reports.
count_results() {
    local passed=0 failed=0 f head tests failures errors disabled skipped
    for f in $(find "$@" -name '*.xml' 2>/dev/null); do
        # grep reads the file itself: a pipe into "grep -m1" kills its writer
        # with SIGPIPE on a large report, which pipefail turned into a skip.
        head=$(grep -m1 -o '<testsuites [^>]*>' "$f" | tr -d '\r')
        [ -n "$head" ] || continue
        tests=$(attr "$head" tests); failures=$(attr "$head" failures); errors=$(attr "$head" errors)
        disabled=$(attr "$head" disabled); skipped=$(attr "$head" skipped)
        failed=$((failed + failures + errors))
        passed=$((passed + tests - failures - errors - disabled - skipped))
    done
    echo "$passed $failed"
}

attr() { local v; v=$(printf '%s' "$1" | grep -o " $2=\"[0-9]*\"" | grep -o '[0-9]\+'); echo "${v:-0}"; }

# The cases of a script suite, reported as gtest-style XML so that
# count_results counts them with the rest.
# report_to FILE SUITE CLASS: starts an empty report.
report_to() { report_file=$1 report_suite=$2 report_class=$3; cases=(); failures=0; }

xml_escape() { local s=${1//&/&amp;}; s=${s//\"/&quot;}; s=${s//</&lt;}; printf '%s' "$s"; }

# record NAME [FAILURE-MESSAGE] [INNER-XML] [ATTRIBUTES]: one case; a message
# makes it a failure.
record() {
    local xml="    <testcase name=\"$1\" classname=\"$report_class\"${4:+ $4}>${3:-}"
    if [ -n "${2:-}" ]; then
        xml+="<failure message=\"$(xml_escape "$2")\"/>"
        failures=$((failures + 1))
        say "FAILED: $1: $2"
    else
        say "passed: $1"
    fi
    cases+=("$xml</testcase>")
}

# write_report: writes the report; fails when a case failed.
write_report() {
    {
        echo '<?xml version="1.0" encoding="UTF-8"?>'
        echo "<testsuites tests=\"${#cases[@]}\" failures=\"$failures\" errors=\"0\" disabled=\"0\" name=\"$report_suite\">"
        echo "  <testsuite name=\"$report_class\" tests=\"${#cases[@]}\" failures=\"$failures\" errors=\"0\" disabled=\"0\">"
        [ ${#cases[@]} -eq 0 ] || printf '%s\n' "${cases[@]}"
        echo "  </testsuite>"
        echo "</testsuites>"
    } >"$report_file"
    [ "$failures" -eq 0 ]
}
