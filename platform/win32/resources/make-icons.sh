#!/usr/bin/env bash
# Draws the program's icons with ImageMagick: a small game pad whose cross lights one arm at a time.
#   pwstd.ico   the program's own icon (32x32 and 16x16): the pad in colour
#   paused.ico  the tray icon while the pad is paused (32x32 and 16x16): the pad in grey
#   run1..4.ico the four 16x16 tray frames while the pad runs: the lit arm goes up, right, down, left
# Each image has at most 16 colours and no anti-aliasing, so the icons are 4-bit like their
# classic counterparts. The .ico files are committed; run this only to change the drawing.
set -euo pipefail
cd "$(dirname "$0")"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# pad SCALE BODY CROSS BUTTON1 BUTTON2 LIT OUT: the glyph on a 16-unit grid, SCALE pixels a unit.
# LIT is the arm drawn in yellow (up, right, down, left) or "none".
pad() {
  local s=$1 body=$2 cross=$3 b1=$4 b2=$5 lit=$6 out=$7
  local size=$((16 * s))
  r() { echo "rectangle $(($1 * s)),$(($2 * s)) $((($3 + 1) * s - 1)),$((($4 + 1) * s - 1))"; }
  local up right down left
  up=$(r 4 4 5 6) right=$(r 6 7 8 8) down=$(r 4 9 5 11) left=$(r 1 7 3 8)
  local arms=(-fill "$cross" -draw "$up" -draw "$right" -draw "$down" -draw "$left" -draw "$(r 4 7 5 8)")
  case "$lit" in
    up) arms+=(-fill yellow -draw "$up") ;;
    right) arms+=(-fill yellow -draw "$right") ;;
    down) arms+=(-fill yellow -draw "$down") ;;
    left) arms+=(-fill yellow -draw "$left") ;;
  esac
  convert -size "${size}x${size}" xc:none +antialias \
    -fill black -draw "roundrectangle 0,$((2 * s)) $((size - 1)),$((14 * s - 1)) $((3 * s)),$((3 * s))" \
    -fill "$body" -draw "roundrectangle $s,$((3 * s)) $((size - 1 - s)),$((13 * s - 1)) $((2 * s)),$((2 * s))" \
    "${arms[@]}" \
    -fill "$b1" -draw "$(r 10 5 11 6)" -fill "$b2" -draw "$(r 12 8 13 9)" \
    "$out"
}

colour=('#000080' white red lime)
grey=('#808080' '#c0c0c0' '#404040' '#404040')

pad 2 "${colour[@]}" none "$tmp/main32.png"
pad 1 "${colour[@]}" none "$tmp/main16.png"
convert "$tmp/main32.png" "$tmp/main16.png" -colors 16 -type palettealpha pwstd.ico

pad 2 "${grey[@]}" none "$tmp/paused32.png"
pad 1 "${grey[@]}" none "$tmp/paused16.png"
convert "$tmp/paused32.png" "$tmp/paused16.png" -colors 16 -type palettealpha paused.ico

n=1
for arm in up right down left; do
  pad 1 "${colour[@]}" "$arm" "$tmp/run$n.png"
  convert "$tmp/run$n.png" -colors 16 -type palettealpha "run$n.ico"
  n=$((n + 1))
done
