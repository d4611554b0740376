#!/usr/bin/env bash
# Adds the large images of the program's icon (64, 128 and 256 pixels, for
# screens at 150 % to 400 %) to resources/pellwise.ico, drawn from the same
# shapes as its 16, 32 and 48 pixel images, which it keeps as they are. The
# result is checked in; run this only to change it.
set -euo pipefail
icon="${1:-$(dirname "$0")/pellwise.ico}"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# draw SIZE: the 48-pixel design (rounded body, play triangle) at SIZE.
draw() {
    local s=$1
    at() { awk -v v="$1" -v s="$s" 'BEGIN { printf "%.2f", v * s / 48 }'; }
    local a b r w
    a=$(at 1.5) b=$(at 46.5) r=$(at 8) w=$(at 1)
    convert -size "${s}x${s}" gradient:'#FAFBFC-#B4C2D4' \
        \( -size "${s}x${s}" xc:none -fill white -draw "roundrectangle $a,$a $b,$b $r,$r" \) \
        -compose DstIn -composite \
        -fill none -stroke '#505A6E' -strokewidth "$w" -draw "roundrectangle $a,$a $b,$b $r,$r" \
        -fill '#2E8B3E' -stroke '#1E5A28' -strokewidth "$w" \
        -draw "polygon $(at 17.5),$(at 12.5) $(at 17.5),$(at 35.5) $(at 36.5),$(at 24)" \
        -depth 8 "PNG32:$work/$s.png"
}

for s in 256 128 64; do draw "$s"; done
originals=()
while read -r index size; do
    [ "$size" -le 48 ] && originals+=("$icon[$index]")
done < <(identify -format '%p %w\n' "$icon")
convert "$work/256.png" "$work/128.png" "$work/64.png" "${originals[@]}" "$work/pellwise.ico"
mv "$work/pellwise.ico" "$icon"
