#!/usr/bin/env bash
# Draws the program's icons with ImageMagick: a small game pad whose cross lights one arm at a time.
#   pwstd.ico   the program's own icon: the pad in colour
#   paused.ico  the tray icon while the pad is paused: the pad in grey
#   run1..4.ico the four tray frames while the pad runs: the lit arm goes up, right, down, left
# Each icon holds an image of 16, 20, 24 and 32 pixels (the program's own also one of 48): the
# sizes the system asks for at display scales of 100 to 200 %, each drawn at its size rather than
# stretched from another. Each image has at most 16 colours and no anti-aliasing, so the icons are
# 4-bit like their classic counterparts. The .ico files are committed; run this only to change the
# drawing.
set -euo pipefail
cd "$(dirname "$0")"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# pad SIZE BODY CROSS BUTTON1 BUTTON2 LIT OUT: the glyph drawn on a 16-unit grid at SIZE pixels.
# Every place and every length in units is rounded to whole pixels on its own, so parts of one
# length keep one thickness at every size (the cross stays symmetric at 20 and 24 pixels).
# LIT is the arm drawn in yellow (up, right, down, left) or "none".
pad() {
  local size=$1 body=$2 cross=$3 b1=$4 b2=$5 lit=$6 out=$7
  px() { echo $((($1 * size + 8) / 16)); }
  # r X1 Y1 X2 Y2: the rectangle of the units X1..X2 across and Y1..Y2 down.
  r() {
    local x y
    x=$(px "$1") y=$(px "$2")
    echo "rectangle $x,$y $((x + $(px $(($3 - $1 + 1))) - 1)),$((y + $(px $(($4 - $2 + 1))) - 1))"
  }
  # rounded X1 Y1 X2 Y2 RADIUS: the same with rounded corners.
  rounded() {
    local x y
    x=$(px "$1") y=$(px "$2")
    echo "roundrectangle $x,$y $((x + $(px $(($3 - $1 + 1))) - 1)),$((y + $(px $(($4 - $2 + 1))) - 1))" \
      "$(px "$5"),$(px "$5")"
  }
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
    -fill black -draw "$(rounded 0 2 15 13 3)" \
    -fill "$body" -draw "$(rounded 1 3 14 12 2)" \
    "${arms[@]}" \
    -fill "$b1" -draw "$(r 10 5 11 6)" -fill "$b2" -draw "$(r 12 8 13 9)" \
    "$out"
}

# icon NAME "SIZES" COLOURS... LIT: NAME.ico with an image of each size, largest first.
icon() {
  local name=$1 sizes=$2 lit=${*: -1}
  local colours=("${@:3:4}") images=()
  for size in $sizes; do
    pad "$size" "${colours[@]}" "$lit" "$tmp/$name-$size.png"
    images+=("$tmp/$name-$size.png")
  done
  convert "${images[@]}" -colors 16 -type palettealpha "$name.ico"
}

colour=('#000080' white red lime)
grey=('#808080' '#c0c0c0' '#404040' '#404040')
tray_sizes="32 24 20 16"

icon pwstd "48 $tray_sizes" "${colour[@]}" none
icon paused "$tray_sizes" "${grey[@]}" none
n=1
for arm in up right down left; do
  icon "run$n" "$tray_sizes" "${colour[@]}" "$arm"
  n=$((n + 1))
done
