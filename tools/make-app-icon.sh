#!/usr/bin/env bash
# Makes the program's icon file from the Tango icon theme's text-editor
# icon: the theme's hand-drawn 16, 24 and 32 pixel images, and its scalable
# drawing rendered at 48 and 256 pixels (the 256 one stored as PNG, as
# Windows expects of that size).
#   make-app-icon.sh OUTPUT.ico
set -euo pipefail
out=$1
tango=/usr/share/icons/Tango
name=apps/accessories-text-editor
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
for size in 16 24 32; do
  cp "$tango/${size}x$size/$name.png" "$tmp/$size.png"
done
for size in 48 256; do
  rsvg-convert -w $size -h $size "$tango/scalable/$name.svg" -o "$tmp/$size.png"
done
mkdir -p "$(dirname "$out")"
icotool -c -o "$out.tmp" "$tmp/16.png" "$tmp/24.png" "$tmp/32.png" "$tmp/48.png" -r "$tmp/256.png"
mv "$out.tmp" "$out"
