#!/usr/bin/env bash
# The editing keys and the Edit menu act on the control being typed in: in
# the search field, Ctrl+A, Ctrl+V, Ctrl+X, Ctrl+Z and the menu's Select All
# and Copy edit the field, and the document, which the user is not looking
# at, keeps every byte. What the field holds at the end is copied out of it
# into the document and saved, so the saved file shows both.
#   search_field_editing_keys_test.sh BIN_DIR DATA_DIR
set -u
bin=$1 data=$2
here=$(cd "$(dirname "$0")" && pwd)
. "$here/e2e_lib.sh"

target="$e2e_dir/field.txt"
printf 'alpha beta gamma\nsecond line\n' >"$target"

e2e_start "$bin/Tavrel.exe" "$data" || exit 1
win=$(e2e_wait_window "^Untitled - Tavrel$" 40) || e2e_fail "no editor window"
sleep 1
win=$(e2e_open "$win" "$target") || e2e_fail "the file did not open through the Open dialog"
sleep 0.5

# The first line goes to the clipboard from the text.
e2e_keys "$win" ctrl+Home shift+End ctrl+c

# The strip's field is the rebar's last band, against the window's right edge.
eval "$(xdotool getwindowgeometry --shell "$win")"
xdotool mousemove --window "$win" $((WIDTH - 147)) 13 click 1
sleep 0.3
xdotool mousemove --window "$win" $((WIDTH / 2)) $((HEIGHT - 20))
e2e_type "$win" "abc"
# Paste over the typed text, cut it all, and undo the cut: the field holds
# the pasted line again, and a character typed at its end follows it (the
# keys of a command whose item is disabled go nowhere, so each must be
# enabled for the field as it is then).
e2e_keys "$win" ctrl+a ctrl+v ctrl+a ctrl+x ctrl+z End
e2e_type "$win" "!"
# The same through the Edit menu: Select All, Copy.
e2e_keys "$win" alt+e a alt+e c

# Back in the text, the field's text is pasted at the end and saved.
xdotool mousemove --window "$win" $((WIDTH / 2)) $((HEIGHT / 2)) click 1
sleep 0.3
e2e_keys "$win" ctrl+End ctrl+v ctrl+s
expected=$(printf 'alpha beta gamma\nsecond line\nalpha beta gamma!' | od -An -c)
for i in $(seq 1 50); do
  [ "$(od -An -c <"$target")" = "$expected" ] && break
  sleep 0.2
done
[ "$(od -An -c <"$target")" = "$expected" ] || e2e_fail "saved bytes are$(od -An -c <"$target"), expected$expected"
e2e_pass
