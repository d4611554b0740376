#!/usr/bin/env bash
# End-to-end test of the installer's window, pellwise.exe, under Wine on a
# virtual display: it is driven with xdotool like a player would, read from
# outside with window_probe.exe and compared with an install by the console
# front end. Screenshots go to build/screenshots/gui-e2e/; the gtest-style
# report to $1/gui_e2e.xml.
#
# PELLWISE_WIN_BUILD names the Windows build to test (default build/win64).
set -uo pipefail
source "$(dirname "$0")/../lib/common.sh"
source "$(dirname "$0")/../lib/wine.sh"
source "$(dirname "$0")/../lib/results.sh"
source "$(dirname "$0")/gui_driver.bash"
cd "$PELLWISE_ROOT"

results="${1:?results directory}"
gui_suite gui-e2e
mkdir -p "$results"

gui_own_display || exit 1

report_to "$results/gui_e2e.xml" gui_e2e GuiEndToEnd
check() {  # check NAME FAILURE-MESSAGE COMMAND...: passes when the command succeeds
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

run_buttons_disabled() { disabled RADEV_BUTTON Next && disabled RADEV_BUTTON eXit; }
mission_page_stays() { visible SysListView32 "" && enabled RADEV_BUTTON Next; }
run_buttons_back() { enabled RADEV_BUTTON "Start GAME" && enabled RADEV_BUTTON eXit; }

# ---- The whole road: picture, missions, run, start of the game ------------
game="$work/game"
twin="$work/twin"
if ! make_game "$game"; then
    record SampleGameIsMade "pellwise-cli sample failed"
    write_report
    exit 1
fi
cp -a "$game" "$twin"
start_gui "$game"
# Wine may have to start its own services first, which takes long on a
# loaded machine.
if ! wait_until 120 has_main_window; then
    record TheWindowOpens "no window named Tarnwick within 120 s"
else
    geometry
    check TheWindowOpensCentredAt633x505 "at $X,$Y size ${WIDTH}x$HEIGHT" \
        test "$WIDTH,$HEIGHT,$X,$Y" = "633,505,$(((1280 - 633) / 2)),$(((1024 - 505) / 2))"
    sleep 1  # the first paint of the picture
    shot 01-picture-page
    moon=$(pixel 01-picture-page 487 131)
    check ThePicturePageShowsThePicture "moon pixel $moon, expected near E8D9A8" near "$moon" E8D9A8

    # A second copy, started while this one runs, ends at once and shows nothing.
    started=$(date +%s)
    (cd "$game/Tarnwick" && timeout --kill-after=5 60 "$WINE64" pellwise.exe >/dev/null 2>&1)
    second=$?
    windows=$(xdotool search --onlyvisible --name '^Tarnwick$' 2>/dev/null | wc -l)
    check ASecondCopyExitsAtOnceWithoutAWindow \
        "exit $second after $(($(date +%s) - started)) s, $windows windows, box: $(has_box && echo yes || echo no)" \
        test "$second" = 0 -a "$windows" = 1 -a "$(($(date +%s) - started))" -lt 30

    # A double click on Next is one press: the mission list stays, the run
    # does not start.
    geometry
    xdotool mousemove $((X + 548)) $((Y + 441)) click --repeat 2 --delay 80 1
    xdotool mousemove 1 1
    wait_until 30 visible SysListView32 ""
    sleep 1
    check ADoubleClickOnNextLeavesTheMissionListShown "list visible: $(visible SysListView32 "" && echo yes || echo no)" \
        mission_page_stays
    shot 02-mission-list
    column=$(probe_main | awk -F'\t' '$1 == "column" { print $2 }')
    check TheMissionListColumnIs205PixelsWide "column width $column" test "$column" = 205
    check TheMissionListShowsCyrillicUnderAnEnglishLocale "the label reads: $(control_line STATIC "" | cut -f9)" \
        visible obj_STATIC "Выберите миссии в которые вы желаете установить мод"

    items=$(probe_main | grep '^item')
    mapfile -t picked < <(awk -F'\t' '$2 == 0 || $2 == 2' <<<"$items")
    missions=()
    for line in "${picked[@]}"; do
        missions+=("$(cut -f6 <<<"$line")")
        xdotool mousemove "$(cut -f4 <<<"$line")" "$(cut -f5 <<<"$line")" click 1
        sleep 0.3
    done
    xdotool mousemove 1 1
    states=$(probe_main | awk -F'\t' '$1 == "item" { printf "%s", $3 }')
    check ClickingTwoCheckBoxesTicksTwoMissions "check states $states (items: ${missions[*]})" test "$states" = 1010
    shot 03-two-missions-ticked

    click_at 548 441
    overwrite=0
    replace=0
    other=""
    shot_taken=""
    deadline=$(($(date +%s) + 120))
    while [ "$(date +%s)" -lt "$deadline" ] && ! enabled RADEV_BUTTON "Start GAME"; do
        boxes=$(probe_boxes)
        if ! grep -q '^box' <<<"$boxes"; then
            sleep 0.3
            continue
        fi
        if grep -q 'Перезаписывать эти обьекты' <<<"$boxes"; then
            overwrite=$((overwrite + 1))
            if [ -z "$shot_taken" ]; then
                shot 04-run-overwrite-question
                check NextAndExitAreDisabledDuringTheRun "Next or eXit enabled while the run waits" \
                    run_buttons_disabled
                # The dots tick every 300 ms inside the box's own loop; a loaded
                # machine may be slow to show it, so look for up to 4 s.
                dots_a=$("$convert" "$shots/04-run-overwrite-question.png" -crop 300x30+16+431 +repage \
                    -format '%#' info:)
                dots_b=$dots_a
                for _ in $(seq 1 10); do
                    sleep 0.4
                    shot 04b-run-overwrite-question-later
                    dots_b=$("$convert" "$shots/04b-run-overwrite-question-later.png" -crop 300x30+16+431 \
                        +repage -format '%#' info:)
                    [ "$dots_a" != "$dots_b" ] && break
                done
                check ThePleaseWaitDotsMoveWhileAQuestionIsOpen "the label did not change in 4 s" \
                    test "$dots_a" != "$dots_b"
                shot_taken=1
            fi
        elif grep -q 'Заменить их' <<<"$boxes"; then
            replace=$((replace + 1))
            shot 05-run-replace-question
        else
            other+=$(grep '^text' <<<"$boxes" | cut -f2 | tr '\n' ' ')
            shot 05-run-unexpected-box
        fi
        click_box_button '&Yes' || click_box_button OK
        sleep 0.5
    done
    # Two ticked missions with collisions, one game file to replace: each
    # question once, and no other box.
    check TheRunAsksEachQuestionOnceAndShowsNoOtherBox \
        "overwrite asked $overwrite times, replace $replace times, other boxes: $other" \
        test "$overwrite,$replace,$other" = "1,1,"
    shot 06-start-game
    check StartGameAndExitAreOfferedAfterTheRun "Next does not read Start GAME or eXit is disabled" run_buttons_back

    args=()
    for m in "${missions[@]}"; do args+=(--mission "$m"); done
    wine_run 120 "$cli" install --game "$(winpath "$twin")" --mod "$(winpath "$twin/Tarnwick")" "${args[@]}" \
        --overwrite yes --replace-files yes >"$work/twin-report.txt" 2>&1
    # The backup ledger records each install's own time, and the installer,
    # still open, holds its lock file; the backups themselves are compared.
    differences=$(diff -r -x ledger.txt -x pellwise.lock "$game" "$twin" 2>&1)
    # The console install of the same missions also shows that only the ticked ones changed.
    check TheGameFolderEqualsTheConsoleInstallByteForByte "$(head -3 <<<"$differences" | tr '\n' ' ')" \
        test -z "$differences"

    click_at 548 441
    wait_until 30 gui_ended
    ended=$(gui_ended && echo yes || echo no)
    wait_until 30 test -f "$game/game-ran.txt"
    check StartGameStartsTheGameAndClosesTheInstaller \
        "installer ended: $ended, game ran: $(cat "$game/game-ran.txt" 2>/dev/null || echo no)" \
        test "$ended" = yes -a -f "$game/game-ran.txt"
fi
stop_gui

# ---- A long run without questions: the window stays alive ------------------
# No collision and no file to replace, so no box runs a loop of its own: the
# dots move only because the run hands paint and timer messages on.
long="$work/long-run"
tick_all_and_run() {  # on the mission list: ticks every mission and presses Next
    while IFS=$'\t' read -r _ _ _ x y _; do
        xdotool mousemove "$x" "$y" click 1
        sleep 0.1
    done < <(probe_main | grep '^item')
    geometry
    click_at 548 441
}
if wine_run 300 "$cli" sample "$(winpath "$long")" --missions 40 --scene-size 32000000 --collisions 0 \
    --no-replaced-file >/dev/null 2>&1 && cp "$gui" "$long/Tarnwick/pellwise.exe" &&
    cp -a "$long" "$long-timed" && cp -a "$long" "$long-cli"; then
    start_gui "$long"
    if wait_until 60 has_main_window; then
        click_at 548 441
        wait_until 30 visible SysListView32 ""
        tick_all_and_run
        # Three different pictures (the label appearing, then at least one tick).
        # The run takes a second or two, so the pictures are taken as fast as
        # the display gives them and compared only afterwards.
        for i in $(seq 1 30); do
            "$import" -window root -crop "300x30+$((X + 16))+$((Y + 431))" +repage "$work/dots-$i.png"
            sleep 0.05
        done
        frames=()
        for i in $(seq 1 30); do frames+=("$("$convert" "$work/dots-$i.png" -format '%#' info:)"); done
        distinct=$(printf '%s\n' "${frames[@]}" | sort -u | wc -l)
        check TheDotsMoveDuringALongRunWithoutQuestions "$distinct different label pictures in 30" \
            test "$distinct" -ge 3
        wait_until 120 enabled RADEV_BUTTON "Start GAME"
        shot 09-long-run-done
        check ALongRunEndsWithStartGame "no Start GAME after the run" enabled RADEV_BUTTON "Start GAME"
        click_at 587 12  # eXit
        wait_until 30 gui_ended
    else
        record TheDotsMoveDuringALongRunWithoutQuestions "no window"
    fi
    stop_gui

    # The same run again without screenshots, timed from the press of Next to
    # the ledger the run writes last, beside the console's install of a third
    # copy, whose report gives its run's time. Reported, not asserted.
    gui_seconds=""
    start_gui "$long-timed"
    if wait_until 60 has_main_window; then
        click_at 548 441
        wait_until 30 visible SysListView32 ""
        tick_all_and_run
        started=$(date +%s.%N)
        ledger="$long-timed/pellwise-backup/ledger.txt"
        for _ in $(seq 1 2400); do
            [ -f "$ledger" ] && break
            sleep 0.05
        done
        [ -f "$ledger" ] && gui_seconds=$(awk -v a="$started" -v b="$(date +%s.%N)" 'BEGIN { printf "%.2f", b - a }')
        wait_until 60 enabled RADEV_BUTTON "Start GAME"
        click_at 587 12  # eXit
        wait_until 30 gui_ended
    fi
    stop_gui
    wine_run 300 "$cli" install --game "$(winpath "$long-cli")" --mod "$(winpath "$long-cli/Tarnwick")" \
        --all-missions --overwrite yes --replace-files yes >"$work/long-run-cli.txt" 2>&1
    cli_seconds=$(tr -d '\r' <"$work/long-run-cli.txt" | sed -n 's/^Time: \([0-9.]*\) s$/\1/p')
    if [ -n "$gui_seconds" ] && [ -n "$cli_seconds" ]; then
        say "The long run: the window ${gui_seconds} s, the console ${cli_seconds} s"
        record TheWindowsRunIsTimedBesideTheConsoles "" \
            "<properties><property name=\"gui_seconds\" value=\"$gui_seconds\"/><property name=\"cli_seconds\" value=\"$cli_seconds\"/></properties>"
    else
        record TheWindowsRunIsTimedBesideTheConsoles "no time: window ${gui_seconds:-none}, console ${cli_seconds:-none}"
    fi
fi
rm -rf "$long" "$long-timed" "$long-cli"

# ---- A game folder without its text database --------------------------------
# The folder's name is in the system's code page (1252 here), the box's words
# in windows-1251: each must be converted with its own.
nodb="$work/no-textdb-jürgen"
make_game "$nodb"
rm -f "$nodb"/tables/textdb_*.def
start_gui "$nodb"
if ! wait_until 60 has_box; then
    record AGameWithoutItsTextDatabaseShowsTheNoFileBox "no message box within 60 s"
else
    boxes=$(probe_boxes)
    "$import" -window root -crop 640x400+320+312 +repage "$shots/07-no-file-box.png"
    check AGameWithoutItsTextDatabaseShowsTheNoFileBox "box text: $(grep '^text' <<<"$boxes" | cut -f2)" \
        bash -c 'grep -q "^text	Файл не найден или не может быть прочитан: Z:.*no-textdb-jürgen.*textdb_.*\.def$" <<<"$1"' _ "$boxes"
    check TheNoFileBoxComesBeforeTheWindow "the window is already shown" bash -c '! xdotool search --onlyvisible --name "^Tarnwick$" >/dev/null 2>&1'
    click_box_button OK
    wait_until 30 has_main_window
    sleep 1
    shot 08-no-file-next-disabled
    click_at 587 12  # eXit
    wait_until 30 gui_ended
    check ExitClosesTheInstaller "still running" gui_ended
fi
stop_gui

say "Screenshots: $shots"
write_report
