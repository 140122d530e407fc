#!/usr/bin/env bash
# Lays out the run-time folders the program reads relative to its working
# directory: the spelling dictionary and the tool-bar icons, converted from
# Debian's packaged dictionary and icon themes. Idempotent.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
data=${1:-$root/data}
im=/usr/bin/convert
tango=/usr/share/icons/Tango/16x16
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

# A 16x16 icon with one 32-bit image (alpha kept) from a PNG; $3 are extra
# ImageMagick operations (the hot and pressed looks are lighter and darker).
to_ico() {
  local src=$1 dst=$2; shift 2
  "$im" "$src" -background none -resize 16x16 "$@" -alpha on -depth 8 \
    -define icon:auto-resize=16 "PNG32:$dst.png"
  "$im" "$dst.png" -define icon:auto-resize=16 "$dst"
  rm -f "$dst.png"
}

while read -r name source; do
  to_ico "$source" "$icons/$name.ico"
done <<MAP
09276 $tango/actions/edit-find.png
00018 $tango/actions/document-new.png
00023 $tango/actions/document-open.png
00003 $tango/actions/document-save.png
00004 $tango/actions/document-print.png
00002 $adwaita/24x24/legacy/tools-check-spelling.png
00021 $tango/actions/edit-cut.png
00019 $tango/actions/edit-copy.png
00022 $tango/actions/edit-paste.png
00128 $tango/actions/edit-undo.png
00129 $tango/actions/edit-redo.png
00253 $tango/apps/preferences-desktop-font.png
00984 $tango/apps/help-browser.png
MAP

to_ico "$tango/actions/system-search.png" "$icons/search_small.ico"
to_ico "$tango/actions/system-search.png" "$icons/search_small_h.ico" -modulate 115,110
to_ico "$tango/actions/system-search.png" "$icons/search_small_p.ico" -modulate 80,100
to_ico "$tango/actions/process-stop.png" "$icons/x.ico"
to_ico "$tango/actions/process-stop.png" "$icons/x_h.ico" -modulate 115,110
to_ico "$tango/actions/process-stop.png" "$icons/x_p.ico" -modulate 80,100
echo "$script_sum" > "$stamp"
