#!/usr/bin/env bash
# Without "Hunspellx64.dll" beside the program, the editor says so in a box
# titled "Error!" at start and then works as ever: the spell-check toggle
# marks nothing, and typing and saving go on.
#   spell_missing_library_test.sh BIN_DIR DATA_DIR
set -u
bin=$1 data=$2
here=$(cd "$(dirname "$0")" && pwd)
. "$here/e2e_lib.sh"

mkdir -p "$e2e_dir/bin"
cp "$bin/Tavrel.exe" "$bin/Scintilla64.dll" "$e2e_dir/bin/"

e2e_start "$e2e_dir/bin/Tavrel.exe" "$data" || exit 1
box=$(e2e_wait_window "^Error!$" 40) || e2e_fail "no 'Error!' box without the spelling library"
# Its OK button, clicked (Wine's box may take keys only a while after it
# shows); again until the box goes.
for i in $(seq 1 40); do
  [ -z "$(xdotool search --onlyvisible --name "^Error!$" 2>/dev/null)" ] && break
  size=$(xdotool getwindowgeometry "$box" 2>/dev/null | sed -n 's/.*Geometry: //p')
  [ -n "$size" ] && xdotool mousemove --window "$box" $((${size%x*} / 2)) $((${size#*x} - 20)) click 1
  sleep 0.25
done
e2e_wait_gone "^Error!$" 1 || e2e_fail "the 'Error!' box stayed open"
win=$(e2e_wait_window "^Untitled - Tavrel$" 40) || e2e_fail "no editor after the 'Error!' box"

# text_pixels: dark pixels on the first line of the editing area.
text_pixels() {
  import -window "$win" "$e2e_dir/line.png" 2>/dev/null || { echo 0; return; }
  convert "$e2e_dir/line.png" -crop 300x16+20+32 +repage -threshold 50% -negate -format "%[fx:int(mean*w*h)]" info:
}
xdotool mousemove --window "$win" 126 13 click 1
xdotool mousemove --window "$win" 500 300 click 1
# Keys reach the text once the window is active after the box: a probe
# letter is typed until it shows, then taken back.
for i in $(seq 1 20); do
  e2e_type "$win" "x"
  for j in 1 2 3 4; do [ "$(text_pixels)" -gt 0 ] && break 2; sleep 0.25; done
done
[ "$(text_pixels)" -gt 0 ] || e2e_fail "typing shows nothing in the editor"
e2e_keys "$win" ctrl+a BackSpace
e2e_type "$win" "Hello wrold "
e2e_save_as "$win" "$e2e_dir/text" || e2e_fail "Save As did not come and go"
win=$(e2e_wait_window "^text - Tavrel$" 20) || e2e_fail "the document was not saved"
[ "$(cat "$e2e_dir/text")" = "Hello wrold " ] || e2e_fail "saved text: '$(cat "$e2e_dir/text")'"
e2e_screenshot "$win" shot.png
red=$(convert "$e2e_dir/shot.png" -crop +0+30 +repage -fuzz 10% -fill black +opaque red -fill white -opaque red \
  -format "%[fx:int(mean*w*h)]" info:)
[ "$red" = 0 ] || e2e_fail "words were marked without a spelling library ($red red pixels)"
e2e_close_window "$win" 30 || e2e_fail "the editor did not close"
e2e_pass
