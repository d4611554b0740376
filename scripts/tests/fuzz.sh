#!/usr/bin/env bash
# Builds the fuzz preset and runs every libFuzzer target for a short time
# (PELLWISE_FUZZ_SECONDS, default 25) through scripts/fuzz. Any crash, leak,
# hang or sanitizer report fails the target's test case. Writes
# RESULTS-DIR/fuzz.xml.
#
#   scripts/tests/fuzz.sh RESULTS-DIR
set -uo pipefail
source "$(dirname "$0")/../lib/common.sh"
source "$(dirname "$0")/../lib/results.sh"
cd "$PELLWISE_ROOT"

results="${1:?results directory}"
mkdir -p "$results"
seconds=${PELLWISE_FUZZ_SECONDS:-25}
build=${PELLWISE_FUZZ_BUILD:-build/fuzz}
summary="$build/summary.tsv"
rm -f "$summary"
PELLWISE_FUZZ_BUILD="$build" scripts/fuzz "$seconds"

report_to "$results/fuzz.xml" fuzz Fuzz
if [ ! -s "$summary" ]; then
    record FuzzTargetsBuildAndRun "no summary: the build or the seeds failed"
else
    while IFS=$'\t' read -r target outcome executions rate corpus took; do
        [ "$target" = target ] && continue
        properties="<properties><property name=\"executions\" value=\"$executions\"/>"
        properties+="<property name=\"executions_per_second\" value=\"$rate\"/><property name=\"corpus\" value=\"$corpus\"/></properties>"
        failure=""
        [ "$outcome" = ok ] || failure="$outcome (see $build/$target.log and $build/crashes/)"
        record "${target}RunsCleanFor${seconds}Seconds" "$failure" "$properties" "time=\"$took\""
    done <"$summary"
fi
write_report
