#!/usr/bin/env bash
# Lays out the run-time folders the program reads relative to its working
# directory: the spelling dictionary and the tool-bar icons, converted from
# Debian's packaged dictionary and icon themes. Idempotent.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
data=${1:-$root/data}
im=/usr/bin/convert
theme=/usr/share/icons/Tango
adwaita=/usr/share/icons/Adwaita

mkdir -p "$data/Dictionaries" "$data/icons/Office Icons"
for ext in dic aff; do
  cmp -s /usr/share/hunspell/en_GB.$ext "$data/Dictionaries/en_GB.$ext" ||
    cp /usr/share/hunspell/en_GB.$ext "$data/Dictionaries/en_GB.$ext"
done

icons="$data/icons/Office Icons"
stamp="$icons/.generated"
script_sum=$(sha1sum "$0" | cut -c1-12)
if [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$script_sum" ]; then
  exit 0
fi

# An icon of one 32-bit image of SIZE pixels (alpha kept) from a PNG or SVG;
# $4 are extra ImageMagick operations (the hot and pressed looks are lighter
# and darker).
to_ico() {
  local size=$1 src=$2 dst=$3; shift 3
  # ImageMagick's own reader gets the theme's drawings wrong (black fills).
  case $src in
    *.svg) rsvg-convert -w "$size" -h "$size" "$src" -o "$dst.svg.png"; src=$dst.svg.png ;;
  esac
  "$im" -background none "$src" -resize "${size}x${size}" "$@" -alpha on -depth 8 \
    -define icon:auto-resize="$size" "PNG32:$dst.png"
  "$im" "$dst.png" -define icon:auto-resize="$size" "$dst"
  rm -f "$dst.png" "$dst.svg.png"
}

# The theme's drawing of an icon at SIZE: its own image of that size, the
# scalable drawing where it has none, never a smaller image blown up.
source_of() {
  local size=$1 base=$2 dir
  case $base in
    /*) dir=$(dirname "$base"); base=$(basename "$base") ;;
    *) dir=$theme/${size}x${size} ;;
  esac
  if [ "$size" = 16 ] || [ "$size" = 24 ] || [ "$size" = 32 ]; then
    [ -f "$dir/$base.png" ] && { echo "$dir/$base.png"; return; }
  fi
  echo "$theme/scalable/$base.svg"
}

# The images at 96 DPI are 16 pixels; larger screens read the same names
# from the folder of the icon size they use (24x24, 32x32, 48x48).
for size in 16 24 32 48; do
  out=$icons
  [ $size = 16 ] || { out=$icons/${size}x${size}; mkdir -p "$out"; }
  while read -r name base; do
    if [ "$name" = 00002 ]; then
      # The spelling icon is in the other theme, whose smallest is 24.
      spell=$adwaita/24x24/legacy/tools-check-spelling.png
      [ $size -ge 32 ] && spell=$adwaita/48x48/legacy/tools-check-spelling.png
      to_ico $size "$spell" "$out/$name.ico"
    else
      to_ico $size "$(source_of $size "$base")" "$out/$name.ico"
    fi
  done <<MAP
09276 actions/edit-find
00018 actions/document-new
00023 actions/document-open
00003 actions/document-save
00004 actions/document-print
00002 -
00021 actions/edit-cut
00019 actions/edit-copy
00022 actions/edit-paste
00128 actions/edit-undo
00129 actions/edit-redo
00253 apps/preferences-desktop-font
00984 apps/help-browser
MAP
  search=$(source_of $size actions/system-search)
  stop=$(source_of $size actions/process-stop)
  to_ico $size "$search" "$out/search_small.ico"
  to_ico $size "$search" "$out/search_small_h.ico" -modulate 115,110
  to_ico $size "$search" "$out/search_small_p.ico" -modulate 80,100
  to_ico $size "$stop" "$out/x.ico"
  to_ico $size "$stop" "$out/x_h.ico" -modulate 115,110
  to_ico $size "$stop" "$out/x_p.ico" -modulate 80,100
done
echo "$script_sum" > "$stamp"
