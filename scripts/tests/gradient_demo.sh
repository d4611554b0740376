#!/usr/bin/env bash
# Runs the gradient demo (a panel and the four looks of a button) under Wine,
# screenshots its window into build/screenshots/gradient-demo.png, checks a few
# pixels of the picture and writes a gtest-style report into $1.
set -uo pipefail
source "$(dirname "$0")/../lib/common.sh"
source "$(dirname "$0")/../lib/wine.sh"
source "$(dirname "$0")/../lib/results.sh"
cd "$PELLWISE_ROOT"

results="${1:?results directory}"
mkdir -p "$results" build/screenshots
shot=build/screenshots/gradient-demo.png
demo=${GRADIENT_DEMO:-build/win64/tests/window/gradient_demo.exe}

if [ -z "${DISPLAY:-}" ]; then
    start_display || exit 1
    trap stop_display EXIT
    init_wine
fi

report_to "$results/gradient_demo.xml" gradient_demo GradientDemo

pixel() { convert "$shot" -format "%[hex:u.p{$1,$2}]" info: 2>/dev/null | cut -c1-6; }

window=""
if [ -f "$demo" ]; then
    timeout 60 "$WINE64" "$demo" 10000 >/dev/null 2>&1 &
    demo_pid=$!
    for _ in $(seq 1 120); do
        window=$(xdotool search --name "^Gradient demo$" 2>/dev/null | head -1)
        [ -n "$window" ] && break
        sleep 0.25
    done
fi
if [ -z "$window" ]; then
    record DemoWindowAppears "no window named Gradient demo (built: $demo)"
else
    record DemoWindowAppears ""
    sleep 2  # the Over and Down fades take 200 ms; give Wine time to paint
    eval "$(xdotool getwindowgeometry --shell "$window")"
    import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$shot"
    size=$(identify -format '%wx%h' "$shot" 2>/dev/null)
    [ "$size" = "560x200" ] && record ScreenshotHasTheFormsSize "" ||
        record ScreenshotHasTheFormsSize "size $size, expected 560x200"
    # Top borders: Default #A0A0A4, Over #A0A0A4 (blended inside 3 pixels
    # only), Down #808080 (blended in but the border lies outside the blend),
    # Disabled #808080.
    normal=$(pixel 80 80); disabled=$(pixel 476 80)
    [ "$normal" = "A0A0A4" ] && [ "$disabled" = "808080" ] && record ButtonBordersShowTheirLooks "" ||
        record ButtonBordersShowTheirLooks "borders $normal and $disabled"
    # Middles of the four bodies differ from each other.
    mids="$(pixel 80 112) $(pixel 212 112) $(pixel 344 112) $(pixel 476 112)"
    distinct=$(tr ' ' '\n' <<<"$mids" | sort -u | wc -l)
    [ "$distinct" -eq 4 ] && record FourLooksDifferInTheMiddle "" ||
        record FourLooksDifferInTheMiddle "middles $mids"
    say "Screenshot: $shot"
fi
[ -n "${demo_pid:-}" ] && wait "$demo_pid" 2>/dev/null

write_report
