#!/usr/bin/env bash
# Builds the fuzz preset and runs every libFuzzer target for a short time
# (PELLWISE_FUZZ_SECONDS, default 25) through scripts/fuzz. Any crash, leak,
# hang or sanitizer report fails the target's test case. Writes
# RESULTS-DIR/fuzz.xml.
#
#   scripts/tests/fuzz.sh RESULTS-DIR
set -uo pipefail
source "$(dirname "$0")/../lib/common.sh"
cd "$PELLWISE_ROOT"

results="${1:?results directory}"
mkdir -p "$results"
seconds=${PELLWISE_FUZZ_SECONDS:-25}
build=${PELLWISE_FUZZ_BUILD:-build/fuzz}
summary="$build/summary.tsv"
rm -f "$summary"
PELLWISE_FUZZ_BUILD="$build" scripts/fuzz "$seconds"

cases=()
failures=0
if [ ! -s "$summary" ]; then
    cases+=("    <testcase name=\"FuzzTargetsBuildAndRun\" classname=\"Fuzz\"><failure message=\"no summary: the build or the seeds failed\"/></testcase>")
    failures=1
else
    while IFS=$'\t' read -r target outcome executions rate corpus took; do
        [ "$target" = target ] && continue
        xml="    <testcase name=\"${target}RunsCleanFor${seconds}Seconds\" classname=\"Fuzz\" time=\"$took\">"
        xml+="<properties><property name=\"executions\" value=\"$executions\"/>"
        xml+="<property name=\"executions_per_second\" value=\"$rate\"/><property name=\"corpus\" value=\"$corpus\"/></properties>"
        if [ "$outcome" != ok ]; then
            xml+="<failure message=\"$outcome (see $build/$target.log and $build/crashes/)\"/>"
            failures=$((failures + 1))
        fi
        cases+=("$xml</testcase>")
    done <"$summary"
fi

{
    echo '<?xml version="1.0" encoding="UTF-8"?>'
    echo "<testsuites tests=\"${#cases[@]}\" failures=\"$failures\" errors=\"0\" disabled=\"0\" name=\"fuzz\">"
    echo "  <testsuite name=\"Fuzz\" tests=\"${#cases[@]}\" failures=\"$failures\" errors=\"0\" disabled=\"0\">"
    printf '%s\n' "${cases[@]}"
    echo "  </testsuite>"
    echo "</testsuites>"
} >"$results/fuzz.xml"
[ "$failures" -eq 0 ]
