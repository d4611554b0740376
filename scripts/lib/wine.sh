# Wine on a private prefix and a private virtual display. Source after common.sh.

WINE64=/usr/lib/wine/wine64
export WINEPREFIX="${WINEPREFIX:-$PELLWISE_ROOT/build/wineprefix}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64

PELLWISE_XVFB_PID=""

# start_display: a private Xvfb display for Wine's windows, stopped by stop_display.
start_display() {
    local n
    for n in $(seq 91 140); do
        [ -e "/tmp/.X${n}-lock" ] && continue
        Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
        PELLWISE_XVFB_PID=$!
        local i
        for i in $(seq 1 50); do
            [ -e "/tmp/.X11-unix/X$n" ] && break
            sleep 0.1
        done
        if kill -0 "$PELLWISE_XVFB_PID" 2>/dev/null; then
            export DISPLAY=":$n"
            return 0
        fi
    done
    say "Could not start Xvfb"
    return 1
}

stop_display() {
    "$(dirname "$WINE64")/wineserver" -k >/dev/null 2>&1 || true
    [ -n "$PELLWISE_XVFB_PID" ] && kill "$PELLWISE_XVFB_PID" 2>/dev/null || true
    PELLWISE_XVFB_PID=""
}

# init_wine: creates the prefix once, keeps one wineserver alive for speed and
# makes windows unmanaged so they close at once.
init_wine() {
    local server
    server="$(dirname "$WINE64")/wineserver"
    [ -x "$server" ] || server=$(command -v wineserver || echo /usr/lib/wine/wineserver64)
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        say "Creating the Wine prefix $WINEPREFIX"
        mkdir -p "$WINEPREFIX"
        timeout 300 "$WINE64" wineboot --init >/dev/null 2>&1 || true
    fi
    "$server" -p >/dev/null 2>&1 || true
    timeout 120 "$WINE64" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
}
