#!/usr/bin/env bash
# The kill test, at the level of the whole game tree: installs a large
# generated mod (loose files included) into a large generated game through
# the console and kills the process with SIGKILL at random moments from
# start-up to its end, then runs "pellwise recover". After every recovery
# each file of the game folder outside pellwise-backup must equal the
# untouched tree or the fully installed tree, all of them the same one (no
# journal, no staged or temporary file left). When it is the installed tree,
# "pellwise restore" must give back the untouched tree byte for byte; that
# is also how the next kill starts from the untouched game.
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

if [ ! -x "$pellwise" ]; then
    cmake --preset release >/dev/null && cmake --build --preset release --target pellwise_console >/dev/null
fi

report_to "$results/kill.xml" kill KillTest
abort() {
    record "$1" "$2"
    write_report
    exit 1
}

# tree DIR: "md5 ./relative/path" for every file below DIR outside
# pellwise-backup, sorted: the game as a player sees it.
tree() {
    (cd "$1" && find . -path ./pellwise-backup -prune -o -type f -print0 | sort -z | xargs -0 -r md5sum |
        sed 's/^\([0-9a-f]*\)  /\1 /')
}
# The whole mod into every mission, no questions; an array rather than a
# function, so that $! of a run in the background is the console itself.
install=("$pellwise" install --all-missions --overwrite yes --replace-files yes)
now_ms() { echo $(($(date +%s%N) / 1000000)); }

rm -rf "$work"
mkdir -p "$work"
say "Kill test: $kills kills, seed $seed, console $pellwise"
"$pellwise" sample "$work/pristine" --missions 20 --scene-size 4000000 --entries 100000 --collisions 200 \
    >"$work/sample.txt" || abort GeneratesTheLargeGame "the sample generator failed"
[ -d "$work/pristine/Tarnwick/files" ] || abort GeneratesTheLargeGame "the sample mod has no loose files"
cp -a "$work/pristine" "$work/reference"
start=$(now_ms)
"${install[@]}" --game "$work/reference" --mod "$work/reference/Tarnwick" >"$work/reference.txt" 2>&1
status=$?
duration=$(($(now_ms) - start))
[ "$status" -eq 0 ] || abort UninterruptedInstallSucceeds "exit status $status (see $work/reference.txt)"
record UninterruptedInstallSucceeds ""

tree "$work/pristine" >"$work/untouched.tree"
tree "$work/reference" >"$work/installed.tree"
changed=$(diff "$work/untouched.tree" "$work/installed.tree" | grep -c '^>')
"$pellwise" restore --game "$work/reference" >"$work/reference-restore.txt" 2>&1
if [ $? -eq 0 ] && diff -q "$work/untouched.tree" <(tree "$work/reference") >/dev/null &&
    [ ! -e "$work/reference/pellwise-backup" ]; then
    record RestoreAfterAnInstallGivesBackTheUntouchedTree ""
else
    record RestoreAfterAnInstallGivesBackTheUntouchedTree "see $work/reference-restore.txt"
fi
say "Uninterrupted install: $duration ms; $changed files differ from the untouched tree"

cp -a "$work/pristine" "$work/game"
declare -A outcomes
mixed=() restores_failed=() recover_failed=()
# Half the moments anywhere in the run, half in its last fifth, where the
# backups are made and the staged files are put in place (every fourth run
# is instead killed just after the switch has begun, see below).
delays=$(awk -v seed="$seed" -v n="$kills" -v t="$duration" 'BEGIN { srand(seed);
    for (i = 0; i < n; i++) { r = rand(); if (i % 2) r = 0.8 + 0.25 * r; printf "%.3f\n", r * t / 1000 } }')
kill_number=0
for delay in $delays; do
    kill_number=$((kill_number + 1))
    "${install[@]}" --game "$work/game" --mod "$work/game/Tarnwick" >/dev/null 2>&1 &
    pid=$!
    if [ $((kill_number % 4)) -eq 0 ]; then
        # Every fourth kill waits for the journal to say the switch has begun
        # and lands within its first 20 ms, where random moments rarely fall.
        for ((poll = 0; poll < 5000; poll++)); do
            grep -qs 'state.switching' "$work/game/pellwise-journal.txt" && break
            kill -0 "$pid" 2>/dev/null || break
        done
        delay=$(awk -v r="$RANDOM" 'BEGIN { printf "%.4f", r / 32768 * 0.02 }')
        where_from="the switch"
    else
        where_from="the start"
    fi
    sleep "$delay"
    kill -KILL "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    run_status=$?
    where="kill $kill_number at ${delay}s after $where_from"

    "$pellwise" recover --game "$work/game" >"$work/recover.txt" 2>&1 ||
        recover_failed+=("$where: $(head -1 "$work/recover.txt")")
    tree "$work/game" >"$work/now.tree"
    if diff -q "$work/now.tree" "$work/untouched.tree" >/dev/null; then
        state=untouched
    elif diff -q "$work/now.tree" "$work/installed.tree" >/dev/null; then
        state=installed
    else
        state=mixed
        differing=$(diff "$work/untouched.tree" "$work/now.tree" | grep '^>' | cut -d' ' -f3)
        mixed+=("$where: $(wc -l <<<"$differing") files differ from the untouched tree, first $(head -1 <<<"$differing")")
    fi
    if [ "$run_status" -eq 0 ]; then
        outcome="finished before the kill"
    elif grep -q "finished the interrupted" "$work/recover.txt"; then
        outcome="killed in the switch, finished"
    elif grep -q "undid the interrupted" "$work/recover.txt"; then
        outcome="killed while staging, undone"
    elif [ "$state" = installed ]; then
        outcome="killed after the switch"
    else
        outcome="killed before the journal"
    fi
    outcomes[$outcome]=$((${outcomes[$outcome]:-0} + 1))

    if [ "$state" = installed ]; then
        "$pellwise" restore --game "$work/game" >"$work/restore.txt" 2>&1
        restore_status=$?
        if [ "$restore_status" -ne 0 ] || ! diff -q <(tree "$work/game") "$work/untouched.tree" >/dev/null; then
            restores_failed+=("$where: $(head -1 "$work/restore.txt")")
        fi
    fi
    if [ "$state" = mixed ] || ! diff -q <(tree "$work/game") "$work/untouched.tree" >/dev/null; then
        rm -rf "$work/game" && cp -a "$work/pristine" "$work/game"
    fi
done

[ ${#recover_failed[@]} -eq 0 ] && record RecoverSucceedsAfterEveryKill "" ||
    record RecoverSucceedsAfterEveryKill "${#recover_failed[@]} failed, first: ${recover_failed[0]}"
[ ${#mixed[@]} -eq 0 ] && record EveryKillLeavesTheUntouchedOrTheInstalledTree "" ||
    record EveryKillLeavesTheUntouchedOrTheInstalledTree "${#mixed[@]} mixed trees, first: ${mixed[0]}"
[ ${#restores_failed[@]} -eq 0 ] && record RestoreAfterRecoveryGivesBackTheUntouchedTree "" ||
    record RestoreAfterRecoveryGivesBackTheUntouchedTree "${#restores_failed[@]} failed, first: ${restores_failed[0]}"
finished=${outcomes["killed in the switch, finished"]:-0}
[ "$finished" -gt 0 ] && record KillsLandWhileTheStagedFilesArePutInPlace "" ||
    record KillsLandWhileTheStagedFilesArePutInPlace "no kill interrupted the switch"
undone=${outcomes["killed while staging, undone"]:-0}
[ "$undone" -gt 0 ] && record KillsLandWhileTheRunIsStaging "" ||
    record KillsLandWhileTheRunIsStaging "no kill interrupted the staging"

{
    echo "Kill test, seed $seed: $kills kills over an uninterrupted install of $duration ms"
    echo "(20 missions of about 4 MB, a 100 000-entry text database, loose files; $changed files change)"
    for outcome in "${!outcomes[@]}"; do printf '  %-32s %d\n' "$outcome" "${outcomes[$outcome]}"; done | sort
    echo "  mixed trees: ${#mixed[@]}; failed recoveries: ${#recover_failed[@]}; failed restores: ${#restores_failed[@]}"
} | tee "$work/report.txt" >&2
# The large game is not needed once the figures are out.
rm -rf "$work/pristine" "$work/reference" "$work/game"
write_report
