#!/usr/bin/env bash
# Renders the splash picture (600 x 371, baseline JFIF, three components) from
# shapes and text: a night skyline of the 1930s and the mod's name. The result
# is checked in as resources/loadscreen.jpg; run this only to change it.
set -euo pipefail
out="${1:-$(dirname "$0")/loadscreen.jpg}"
draw=()
x=0
RANDOM=1931
while [ "$x" -lt 600 ]; do
    w=$((18 + RANDOM % 38)); h=$((60 + RANDOM % 131))
    draw+=(-fill '#0b0d12' -draw "rectangle $x,$((371 - h)) $((x + w)),371")
    for ((wy = 371 - h + 8; wy < 361; wy += 14)); do
        for ((wx = x + 4; wx < x + w - 6; wx += 9)); do
            [ $((RANDOM % 100)) -lt 28 ] && draw+=(-fill '#d9b25a' -draw "rectangle $wx,$wy $((wx + 4)),$((wy + 6))")
        done
    done
    x=$((x + w + RANDOM % 7))
done
/usr/bin/convert -size 600x371 gradient:'#1b2433'-'#6b4a2b' \
    -fill '#e8d9a8' -draw 'circle 470,90 470,118' \
    "${draw[@]}" \
    -font Bookman-Demi -pointsize 64 -fill '#000000' -annotate +63+213 'TARNWICK' \
    -fill '#f0d890' -annotate +60+210 'TARNWICK' \
    -font Helvetica-Narrow -pointsize 18 -fill '#c8c0b0' -annotate +64+240 'a modification for Mafia - Lost Heaven, 1930' \
    -interlace none -sampling-factor 2x2 -quality 88 -type TrueColor -strip "JPEG:$out"
