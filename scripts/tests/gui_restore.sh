#!/usr/bin/env bash
# The player's way back, under Wine on a virtual display: "pellwise.exe
# /restore" asks in a box, holds the game folder while it asks, and undoes
# the last install of its mod byte for byte. While it holds the folder, the
# installer's wizard start and the console's install stop with the lock's
# message. Screenshots go to build/screenshots/gui-restore/; the gtest-style
# report to $1/gui_restore.xml.
#
# PELLWISE_WIN_BUILD names the Windows build to test (default build/win64).
set -uo pipefail
source "$(dirname "$0")/../lib/common.sh"
source "$(dirname "$0")/../lib/wine.sh"
source "$(dirname "$0")/../lib/results.sh"
source "$(dirname "$0")/gui_driver.bash"
cd "$PELLWISE_ROOT"

results="${1:?results directory}"
gui_suite gui-restore
mkdir -p "$results"

gui_own_display || exit 1

report_to "$results/gui_restore.xml" gui_restore GuiRestore
check() {  # check NAME FAILURE-MESSAGE COMMAND...
    local name=$1 message=$2
    shift 2
    if "$@"; then record "$name"; else record "$name" "$message"; fi
}
for f in "$gui" "$cli" "$probe" "$stand_in"; do
    if [ ! -f "$f" ]; then
        record ProgramsAreBuilt "missing $f"
        write_report
        exit 1
    fi
done

tree() { (cd "$1" && find . -type f -print0 | sort -z | xargs -0 -r md5sum); }
box_says() { probe_boxes | grep -F -q "$1"; }

game="$work/game"
if ! make_game "$game"; then
    record SampleGameIsMade "pellwise-cli sample failed"
    write_report
    exit 1
fi
tree "$game" >"$work/untouched.tree"
wine_run 300 "$cli" install --game "$(winpath "$game")" --mod "$(winpath "$game/Tarnwick")" --all-missions \
    --overwrite yes --replace-files yes >"$work/install.txt" 2>&1
check TheConsoleInstalls "status $? (see $work/install.txt)" grep -q "Result: installed" "$work/install.txt"

(cd "$game/Tarnwick" && exec timeout --kill-after=5 300 "$WINE64" pellwise.exe /restore >/dev/null 2>&1) &
restore_pid=$!
if ! wait_until 120 box_says "Restore the game as it was before the last install of Tarnwick?"; then
    record RestoreAsksFirst "no question box within 120 s"
else
    record RestoreAsksFirst
    shot 01-restore-question

    # The restore holds the game folder while it asks: nobody installs meanwhile.
    wine_run 120 "$cli" install --game "$(winpath "$game")" --mod "$(winpath "$game/Tarnwick")" --all-missions \
        >"$work/second.txt" 2>&1
    status=$?
    check TheConsoleStopsWhileTheFolderIsHeld "status $status: $(head -2 "$work/second.txt")" \
        grep -q "another installation is running in this game folder" "$work/second.txt"
    start_gui "$game"
    check TheWizardStartShowsTheLockBox "no box with the lock's message" \
        wait_until 120 box_says "another installation is running in this game folder"
    shot 02-lock-box
    click_box_button OK
    wait_until 60 has_main_window && check TheWizardStaysStopped "Next is enabled" disabled RADEV_BUTTON Next
    stop_gui

    click_box_button '&Yes'
    check RestoreReportsInABox "no box saying it restored" \
        wait_until 120 box_says "Restored the game as it was before install 1 (Tarnwick"
    shot 03-restored
    click_box_button OK
fi
wait "$restore_pid" 2>/dev/null
restore_status=$?
check RestoreEndsWithStatus0 "status $restore_status" test "$restore_status" -eq 0
check RestoreGivesBackTheUntouchedTree "the trees differ" diff -q "$work/untouched.tree" <(tree "$game")
write_report
