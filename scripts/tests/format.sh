#!/usr/bin/env bash
# Checks that every C++ file the repository tracks is formatted as
# .clang-format says, so the style does not drift file by file. One case per
# file that drifts (or one passing case for the tree); fix with
# `clang-format -i FILE`. Writes RESULTS-DIR/format.xml.
#
#   scripts/tests/format.sh RESULTS-DIR
set -uo pipefail
source "$(dirname "$0")/../lib/common.sh"
source "$(dirname "$0")/../lib/results.sh"
cd "$PELLWISE_ROOT"

results="${1:?results directory}"
mkdir -p "$results"
ensure_packages clang-format || exit 1

report_to "$results/format.xml" format Format
drifting=0
while IFS= read -r file; do
    if ! clang-format --dry-run --Werror "$file" >/dev/null 2>&1; then
        record "${file//[^A-Za-z0-9]/_}IsFormatted" "$file differs from clang-format's output"
        drifting=$((drifting + 1))
    fi
done < <(git ls-files '*.cpp' '*.h')
[ "$drifting" -gt 0 ] || record EveryTrackedSourceIsFormatted
write_report
