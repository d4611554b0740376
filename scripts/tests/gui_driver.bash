# Drives pellwise.exe under Wine on an X display, for the GUI suites and the
# GUI demo. Source it after common.sh and wine.sh, then call gui_suite NAME
# (or set gui, cli, probe, stand_in and shots yourself).
# Every Wine run and every wait has a time limit.

convert=/usr/bin/convert
import=/usr/bin/import
gui_pid=""

# gui_suite NAME: the programs of the Windows build PELLWISE_WIN_BUILD (default
# build/win64), empty folders build/NAME (work) and build/screenshots/NAME
# (shots), and Wine under code page 1252: the program's texts are
# windows-1251, and the Cyrillic must survive a Wine whose code page is not.
gui_suite() {
    build="${PELLWISE_WIN_BUILD:-build/win64}"
    gui="$build/pellwise.exe"
    cli="$build/pellwise-cli.exe"
    probe="$build/tests/gui/window_probe.exe"
    stand_in="$build/tests/gui/stand_in_game.exe"
    work="$PELLWISE_ROOT/build/$1"
    shots="$PELLWISE_ROOT/build/screenshots/$1"
    export LANG=en_US.UTF-8
    rm -rf "$work" "$shots"
    mkdir -p "$work" "$shots"
}

# A virtual display and the Wine prefix, unless the caller runs the suite on a
# display of its own (scripts/test starts one for every suite); stopped on exit.
gui_own_display() {
    [ -n "${DISPLAY:-}" ] && return 0
    start_display || return 1
    trap stop_display EXIT
    init_wine
}

winpath() { printf 'Z:%s' "${1//\//\\}"; }
wine_run() {  # wine_run SECONDS PROGRAM ARGS...
    local seconds=$1
    shift
    timeout --kill-after=5 "$seconds" "$WINE64" "$@"
}
probe_boxes() { wine_run 30 "$probe" boxes 2>/dev/null; }
probe_main() { wine_run 30 "$probe" controls Tarnwick 2>/dev/null; }

# wait_until SECONDS COMMAND...: polls until the command succeeds.
wait_until() {
    local deadline=$(($(date +%s) + $1))
    shift
    while [ "$(date +%s)" -lt "$deadline" ]; do
        "$@" && return 0
        sleep 0.3
    done
    return 1
}

main_window() { xdotool search --onlyvisible --name '^Tarnwick$' 2>/dev/null | head -1; }
has_main_window() { [ -n "$(main_window)" ]; }
has_box() { probe_boxes | grep -q '^box'; }
# The controls line of one control, found by its class and text.
control_line() { probe_main | awk -F'\t' -v c="$1" -v t="$2" '$1 == "control" && index($2, c) && $9 == t'; }
enabled() { [ "$(control_line "$1" "$2" | cut -f4)" = "1" ]; }
disabled() { [ "$(control_line "$1" "$2" | cut -f4)" = "0" ]; }
visible() { [ "$(control_line "$1" "$2" | cut -f3)" = "1" ]; }

geometry() {  # sets X Y WIDTH HEIGHT of the main window
    local window
    window=$(main_window)
    [ -n "$window" ] || return 1
    eval "$(xdotool getwindowgeometry --shell "$window")"
}
click_at() {  # click_at X Y (within the main window)
    geometry || return 1
    xdotool mousemove $((X + $1)) $((Y + $2)) click 1
    sleep 0.2
    xdotool mousemove 1 1
}
click_box_button() {  # click_box_button LABEL: a button of the open message box
    local line
    line=$(probe_boxes | awk -F'\t' -v l="$1" '$1 == "button" && $2 == l' | head -1)
    [ -n "$line" ] || return 1
    xdotool mousemove "$(cut -f3 <<<"$line")" "$(cut -f4 <<<"$line")" click 1
    sleep 0.2
    xdotool mousemove 1 1
}
shot() {  # shot NAME: the main window's area (message boxes over it included)
    xdotool mousemove 1 1
    sleep 0.4
    if geometry; then
        "$import" -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$shots/$1.png"
    else
        "$import" -window root "$shots/$1.png"
    fi
}
pixel() { "$convert" "$shots/$1.png" -format "%[hex:u.p{$2,$3}]" info: 2>/dev/null | cut -c1-6; }
near() {  # near RRGGBB RRGGBB: every channel within 32
    local a=$1 b=$2 i
    [ ${#a} -eq 6 ] || return 1
    for i in 0 2 4; do
        local d=$((16#${a:i:2} - 16#${b:i:2}))
        [ "${d#-}" -le 32 ] || return 1
    done
}

# make_game FOLDER: a sample game with a collision in every mission and a
# file of the game that the mod's files\ replaces, with pellwise.exe in its
# mod folder and the stand-in as its game.exe.
make_game() {
    wine_run 120 "$cli" sample "$(winpath "$1")" --missions 4 --collisions 1 >/dev/null 2>&1 &&
        cp "$gui" "$1/Tarnwick/pellwise.exe" && cp "$stand_in" "$1/game.exe"
}
start_gui() {  # start_gui GAME-FOLDER: runs the installer from its mod folder
    (cd "$1/Tarnwick" && exec timeout --kill-after=5 300 "$WINE64" pellwise.exe >/dev/null 2>&1) &
    gui_pid=$!
}
stop_gui() {  # ends the installer started by start_gui, if it still runs
    [ -n "$gui_pid" ] && kill "$gui_pid" 2>/dev/null
    [ -n "$gui_pid" ] && wait "$gui_pid" 2>/dev/null
    gui_pid=""
}
gui_ended() { ! kill -0 "$gui_pid" 2>/dev/null; }
