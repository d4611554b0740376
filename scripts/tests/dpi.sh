#!/usr/bin/env bash
# The installer's window at the display scales players use, under Wine, which
# takes the DPI from the prefix's LogPixels. At 96, 144 and 120 DPI: the
# client size is 633 x 505 scaled, the Next button's box (read by pixel) is
# its box scaled, its caption is drawn in a font as much larger (read by
# pixel), and the mission list's column is 205 pixels scaled; a run with no
# mission ticked then shows the read-me page. Screenshots go to
# build/screenshots/dpi/; the gtest-style report to $1/dpi.xml.
#
# PELLWISE_WIN_BUILD names the Windows build to test (default build/win64).
set -uo pipefail
source "$(dirname "$0")/../lib/common.sh"
source "$(dirname "$0")/../lib/wine.sh"
source "$(dirname "$0")/../lib/results.sh"
source "$(dirname "$0")/gui_driver.bash"
cd "$PELLWISE_ROOT"

results="${1:?results directory}"
gui_suite dpi
mkdir -p "$results"

own_display=""
if [ -z "${DISPLAY:-}" ]; then
    start_display || exit 1
    own_display=yes
    init_wine
fi
set_dpi() {
    timeout --kill-after=5 60 "$WINE64" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f \
        >/dev/null 2>&1
}
# The prefix is shared with the other suites, which expect 96 DPI.
finish() {
    stop_gui
    set_dpi 96
    [ -n "$own_display" ] && stop_display
}
trap finish EXIT

report_to "$results/dpi.xml" dpi DisplayScale
check() {  # check NAME FAILURE-MESSAGE COMMAND...: passes when the command succeeds
    local name=$1 message=$2
    shift 2
    if "$@"; then record "$name"; else record "$name" "$message"; fi
}

# No file of the game to replace and no name collision: the run asks nothing.
# Each scale starts from a copy, as the run copies the mod's files in.
fresh="$work/fresh"
game="$work/game"
if ! wine_run 120 "$cli" sample "$(winpath "$fresh")" --missions 4 --collisions 0 --no-replaced-file >/dev/null 2>&1 ||
    ! cp "$gui" "$fresh/Tarnwick/pellwise.exe"; then
    record SampleGameIsMade "pellwise-cli sample failed"
    write_report
    exit 1
fi

scaled() { echo $((($1 * dpi + 48) / 96)); }
black() { [ "$1" = 000000 ]; }
# edges_read SHOT L T R B: the button's border lies exactly on the box's edges:
# black on the inside of each edge, not black just outside.
edges_read() {
    local shot=$1 l=$2 t=$3 r=$4 b=$5
    local mx=$(((l + r) / 2)) my=$(((t + b) / 2))
    black "$(pixel "$shot" "$l" "$my")" && black "$(pixel "$shot" $((r - 1)) "$my")" &&
        black "$(pixel "$shot" "$mx" "$t")" && black "$(pixel "$shot" "$mx" $((b - 1)))" &&
        ! black "$(pixel "$shot" $((l - 1)) "$my")" && ! black "$(pixel "$shot" "$r" "$my")" &&
        ! black "$(pixel "$shot" "$mx" $((t - 1)))" && ! black "$(pixel "$shot" "$mx" "$b")"
}
# caption_size SHOT L T R B: width and height of the dark caption inside the box.
caption_size() {
    local shot=$1 l=$2 t=$3 r=$4 b=$5 inset
    inset=$(scaled 4)
    "$convert" "$shots/$shot.png" -crop "$((r - l - 2 * inset))x$((b - t - 2 * inset))+$((l + inset))+$((t + inset))" \
        +repage -colorspace Gray -threshold 40% -trim -format '%w %h' info: 2>/dev/null
}
# within PERCENT A B: A is B * PERCENT / 100, give or take a fifth.
within() { [ $(($2 * 100)) -ge $(($3 * $1 * 8 / 10)) ] && [ $(($2 * 100)) -le $(($3 * $1 * 12 / 10)) ]; }

base_w="" base_h=""
for dpi in 96 144 120; do
    set_dpi "$dpi"
    rm -rf "$game"
    cp -a "$fresh" "$game"
    start_gui "$game"
    if ! wait_until 120 has_main_window; then
        record "TheWindowOpensAt${dpi}Dpi" "no window named Tarnwick within 120 s"
        stop_gui
        continue
    fi
    sleep 1
    geometry
    check "TheClientIs633x505ScaledAt${dpi}Dpi" "size ${WIDTH}x$HEIGHT" \
        test "$WIDTH,$HEIGHT" = "$(scaled 633),$(scaled 505)"
    shot "picture-$dpi"
    box=("$(scaled 480)" "$(scaled 426)" "$(scaled 617)" "$(scaled 457)")
    check "TheNextButtonsBorderLiesOnItsScaledBoxAt${dpi}Dpi" "box ${box[*]}" edges_read "picture-$dpi" "${box[@]}"
    read -r cw ch < <(caption_size "picture-$dpi" "${box[@]}")
    if [ "$dpi" = 96 ]; then
        base_w=${cw:-0} base_h=${ch:-0}
        check TheNextCaptionIsReadAt96Dpi "caption ${cw:-?}x${ch:-?}" test "${cw:-0}" -gt 10 -a "${ch:-0}" -gt 5
    elif [ -n "$base_w" ]; then
        percent=$((dpi * 100 / 96))
        check "TheNextCaptionIsDrawnInTheLargerFontAt${dpi}Dpi" \
            "caption ${cw:-?}x${ch:-?}, at 96 DPI ${base_w}x$base_h, expected about $percent %" \
            bash -c "$(declare -f within); within $percent ${cw:-0} $base_w && within $percent ${ch:-0} $base_h"
    fi

    click_at "$(scaled 548)" "$(scaled 441)"
    wait_until 30 visible SysListView32 ""
    shot "missions-$dpi"
    column=$(probe_main | awk -F'\t' '$1 == "column" { print $2 }')
    check "TheMissionColumnIs205PixelsScaledAt${dpi}Dpi" "column width ${column:-none}, expected $(scaled 205)" \
        test "${column:-0}" = "$(scaled 205)"
    click_at "$(scaled 548)" "$(scaled 441)"
    wait_until 60 enabled RADEV_BUTTON "Start GAME"
    shot "readme-$dpi"
    check "TheRunEndsOnTheReadmePageAt${dpi}Dpi" "no Start GAME after the run" enabled RADEV_BUTTON "Start GAME"
    click_at "$(scaled 587)" "$(scaled 12)"  # eXit
    wait_until 30 gui_ended
    stop_gui
done

say "Screenshots: $shots"
write_report
