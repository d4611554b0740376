#!/usr/bin/env bash
# The kill test: installs a large generated mod into a large generated game
# through the console and kills the process with SIGKILL at random moments
# from start-up to the last file copied. After every kill each file of the
# game folder must be byte-identical to its original or to its installed
# form, and anything else must be a temporary file named as one. The game is
# put back to its original files before the next kill (temporaries stay, for
# the next run to clean up). At the end the install runs to completion on
# what the last kill left and must equal an uninterrupted install.
#
#   scripts/tests/kill.sh RESULTS-DIR
#
# PELLWISE_KILLS (default 120) and PELLWISE_KILL_SEED choose the number of
# kills and the random moments; the seed is printed, so a failure can be
# replayed. Writes RESULTS-DIR/kill.xml and build/kill-test/report.txt.
set -uo pipefail
source "$(dirname "$0")/../lib/common.sh"
source "$(dirname "$0")/../lib/results.sh"
cd "$PELLWISE_ROOT"

results="${1:?results directory}"
mkdir -p "$results"
kills=${PELLWISE_KILLS:-120}
seed=${PELLWISE_KILL_SEED:-$(($(date +%s) % 100000))}
pellwise=${PELLWISE_CONSOLE:-build/release/pellwise}
work=build/kill-test
temporary_suffix=.pellwise-tmp

if [ ! -x "$pellwise" ]; then
    cmake --preset release >/dev/null && cmake --build --preset release --target pellwise_console >/dev/null
fi

report_to "$results/kill.xml" kill KillTest
abort() {
    record "$1" "$2"
    write_report
    exit 1
}

# manifest DIR: "md5 ./relative/path" for every file below DIR, sorted.
manifest() { (cd "$1" && find . -type f -print0 | sort -z | xargs -0 -r md5sum | sed 's/^\([0-9a-f]*\)  /\1 /'); }
# The whole mod into every mission, no questions; an array rather than a
# function, so that $! of a run in the background is the console itself.
install=("$pellwise" install --all-missions --overwrite yes --replace-files yes)
now_ms() { echo $(($(date +%s%N) / 1000000)); }

rm -rf "$work"
mkdir -p "$work"
say "Kill test: $kills kills, seed $seed, console $pellwise"
"$pellwise" sample "$work/pristine" --missions 20 --scene-size 4000000 --entries 100000 --collisions 200 \
    >"$work/sample.txt" || abort GeneratesTheLargeGame "the sample generator failed"
cp -a "$work/pristine" "$work/reference"
start=$(now_ms)
"${install[@]}" --game "$work/reference" --mod "$work/reference/Tarnwick" >"$work/reference.txt" 2>&1
status=$?
duration=$(($(now_ms) - start))
[ "$status" -eq 0 ] || abort UninterruptedInstallSucceeds "exit status $status (see $work/reference.txt)"
record UninterruptedInstallSucceeds ""

declare -A original installed
while read -r hash path; do original[$path]=$hash; done < <(manifest "$work/pristine")
while read -r hash path; do installed[$path]=$hash; done < <(manifest "$work/reference")
scenes=()
for path in "${!original[@]}"; do [[ $path == ./MISSIONS/*/scene2.bin ]] && scenes+=("$path"); done
database=$(cd "$work/pristine" && find ./tables -name 'textdb_*.def')
changed=0
for path in "${!installed[@]}"; do [ "${installed[$path]}" != "${original[$path]:-}" ] && changed=$((changed + 1)); done
say "Uninterrupted install: $duration ms; ${#scenes[@]} scenes, $changed files change"

cp -a "$work/pristine" "$work/game"
declare -A outcomes
damaged=() unexpected=() missing=()
temporaries_seen=0 most_scenes=0
delays=$(awk -v seed="$seed" -v n="$kills" -v t="$duration" \
    'BEGIN { srand(seed); for (i = 0; i < n; i++) printf "%.3f\n", rand() * t / 1000 }')
kill_number=0
for delay in $delays; do
    kill_number=$((kill_number + 1))
    "${install[@]}" --game "$work/game" --mod "$work/game/Tarnwick" >/dev/null 2>&1 &
    pid=$!
    sleep "$delay"
    kill -KILL "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    run_status=$?

    # What the kill left, file by file.
    declare -A seen=()
    scenes_done=0 database_done=0 files_changed=0
    restore=()
    while read -r hash path; do
        seen[$path]=1
        [ "$hash" = "${original[$path]:-}" ] || restore+=("$path")
        if [[ $path == *"$temporary_suffix" ]]; then
            temporaries_seen=$((temporaries_seen + 1))
        elif [ "$hash" = "${original[$path]:-}" ]; then
            :
        elif [ "$hash" = "${installed[$path]:-}" ]; then
            files_changed=$((files_changed + 1))
            [[ $path == ./MISSIONS/*/scene2.bin ]] && scenes_done=$((scenes_done + 1))
            [ "$path" = "$database" ] && database_done=1
        elif [ -n "${original[$path]:-}${installed[$path]:-}" ]; then
            damaged+=("kill $kill_number at ${delay}s: $path")
        else
            unexpected+=("kill $kill_number at ${delay}s: $path")
        fi
    done < <(manifest "$work/game")
    for path in "${!original[@]}"; do
        [ -n "${seen[$path]:-}" ] || missing+=("kill $kill_number at ${delay}s: $path")
    done
    [ "$scenes_done" -gt "$most_scenes" ] && most_scenes=$scenes_done
    if [ "$run_status" -eq 0 ]; then
        outcome="finished before the kill"
    elif [ "$files_changed" -eq 0 ]; then
        outcome="killed, nothing written yet"
    elif [ "$files_changed" -eq "$changed" ]; then
        outcome="killed after the last file"
    elif [ "$database_done" -eq 1 ]; then
        outcome="killed while copying files"
    else
        outcome="killed while patching missions"
    fi
    outcomes[$outcome]=$((${outcomes[$outcome]:-0} + 1))

    # Back to the original files for the next kill, except after the last:
    # the final run resumes from what it left. Temporaries stay either way.
    [ "$kill_number" -eq "$kills" ] && break
    for path in "${restore[@]}"; do
        [[ $path == *"$temporary_suffix" ]] && continue
        if [ -n "${original[$path]:-}" ]; then
            cp -p "$work/pristine/$path" "$work/game/$path"
        else
            rm -f "$work/game/$path"
        fi
    done
done

[ ${#damaged[@]} -eq 0 ] && record EveryKillLeavesEachGameFileOriginalOrInstalled "" ||
    record EveryKillLeavesEachGameFileOriginalOrInstalled "${#damaged[@]} damaged, first: ${damaged[0]}"
[ ${#missing[@]} -eq 0 ] && record NoKillRemovesAGameFile "" ||
    record NoKillRemovesAGameFile "${#missing[@]} missing, first: ${missing[0]}"
[ ${#unexpected[@]} -eq 0 ] && record TemporaryFilesAreNamedAsTemporaries "" ||
    record TemporaryFilesAreNamedAsTemporaries "${#unexpected[@]} unexpected files, first: ${unexpected[0]}"
partial=${outcomes["killed while patching missions"]:-0}
[ "$partial" -gt 0 ] && [ "$most_scenes" -gt 1 ] && record KillsLandWhileMissionsArePatched "" ||
    record KillsLandWhileMissionsArePatched "$partial kills mid-run, at most $most_scenes scenes installed"

left=$(find "$work/game" -name "*$temporary_suffix" | wc -l)
"${install[@]}" --game "$work/game" --mod "$work/game/Tarnwick" >"$work/resumed.txt" 2>&1
status=$?
[ "$status" -eq 0 ] && record ResumedInstallSucceeds "" ||
    record ResumedInstallSucceeds "exit status $status (see $work/resumed.txt)"
if diff <(manifest "$work/reference") <(manifest "$work/game") >"$work/resumed.diff"; then
    record ResumedInstallEqualsUninterruptedInstall ""
else
    record ResumedInstallEqualsUninterruptedInstall "differs (see $work/resumed.diff)"
fi
remaining=$(find "$work/game" -name "*$temporary_suffix" | wc -l)
[ "$remaining" -eq 0 ] && record NextRunCleansUpTemporaryFiles "" ||
    record NextRunCleansUpTemporaryFiles "$remaining temporary files remain"

{
    echo "Kill test, seed $seed: $kills kills over an uninterrupted install of $duration ms"
    echo "(${#scenes[@]} missions of about 4 MB, a 100 000-entry text database, $changed files changed by the install)"
    for outcome in "${!outcomes[@]}"; do printf '  %-32s %d\n' "$outcome" "${outcomes[$outcome]}"; done | sort
    echo "  most scenes installed when killed: $most_scenes of ${#scenes[@]}"
    echo "  damaged files: ${#damaged[@]}; missing: ${#missing[@]}; unexpected names: ${#unexpected[@]}"
    echo "  temporary files seen after kills: $temporaries_seen; left before the resumed run: $left; after it: $remaining"
} | tee "$work/report.txt" >&2
# The large game is not needed once the figures are out.
rm -rf "$work/pristine" "$work/reference" "$work/game"
write_report
