#!/usr/bin/env bash
# The real editor with real keys: Ctrl with a letter no command takes writes
# nothing, Return follows the file's own line ends, the Font dialog opens on
# the font in use so that OK changes nothing on screen, and neither closing
# nor Exit loses the text when the save they ask for fails.
#   editor_keys_and_closing_test.sh BIN_DIR DATA_DIR
set -u
bin=$1 data=$2
here=$(cd "$(dirname "$0")" && pwd)
. "$here/e2e_lib.sh"

# Pixels of the dialog face colour in a screenshot.
face_pixels() {
  convert "$e2e_dir/$1" -fill black +opaque "rgb(245,245,245)" -fill white -opaque "rgb(245,245,245)" \
    -format "%[fx:int(mean*w*h)]" info: 2>/dev/null
}

# Waits until the screen shows a dialog (or no dialog) over the editor.
wait_dialog() {
  local want=$1 i n
  for i in $(seq 1 60); do
    e2e_screenshot root poll.png
    n=$(face_pixels poll.png)
    if [ "$want" = open ] && [ "${n:-0}" -gt 20000 ]; then return 0; fi
    if [ "$want" = closed ] && [ "${n:-0}" -lt 20000 ]; then return 0; fi
    sleep 0.25
  done
  return 1
}

target="$e2e_dir/lf.txt"
printf 'one\ntwo\n' >"$target"

e2e_start "$bin/Tavrel.exe" "$data" || exit 1
win=$(e2e_wait_window "^Untitled - Tavrel$" 40) || e2e_fail "no editor window"
sleep 1
win=$(e2e_open "$win" "$target") || e2e_fail "the file did not open through the Open dialog"
sleep 0.5

# Typed at the end: every Ctrl+letter without a command in between.
e2e_keys "$win" ctrl+End
e2e_type "$win" "three"
e2e_keys "$win" Return ctrl+n ctrl+b ctrl+e ctrl+h ctrl+k ctrl+q ctrl+r ctrl+i ctrl+m
e2e_type "$win" "four"
e2e_keys "$win" Tab ctrl+s
expected=$(printf 'one\ntwo\nthree\nfour\t' | od -An -c)
for i in $(seq 1 50); do
  [ "$(od -An -c <"$target")" = "$expected" ] && break
  sleep 0.2
done
[ "$(od -An -c <"$target")" = "$expected" ] || e2e_fail "saved bytes are$(od -An -c <"$target"), expected$expected"

# The Font dialog, confirmed without a change, leaves the text as it was.
e2e_screenshot "$win" before.png
e2e_keys "$win" alt+v f
wait_dialog open || e2e_fail "the Font dialog did not open"
e2e_keys "$win" Return
wait_dialog closed || e2e_fail "the Font dialog did not close"
sleep 0.5
e2e_screenshot "$win" after.png
changed=$(compare -metric AE "$e2e_dir/before.png" "$e2e_dir/after.png" null: 2>&1)
# The blinking caret alone may differ.
[ "${changed%% *}" -lt 60 ] || e2e_fail "OK in the Font dialog changed the text's look ($changed pixels)"

# A save that fails (the file became read-only) keeps the program and the
# text, whether the question came from Exit or from closing the window.
e2e_type "$win" " five"
chmod 444 "$target"
for way in exit close; do
  if [ $way = exit ]; then e2e_keys "$win" alt+f x; else e2e_keys "$win" alt+F4; fi
  box=$(e2e_wait_window "^Tavrel$" 20) || e2e_fail "$way did not ask about unsaved changes"
  question=$(xdotool getwindowgeometry "$box" 2>/dev/null | grep Geometry)
  e2e_keys "$box" y
  # The question goes and the error message takes its place: another
  # window, or (should the window be reused) one of another size.
  error=""
  for i in $(seq 1 100); do
    error=$(e2e_wait_window "^Tavrel$" 1) &&
      { [ "$error" != "$box" ] || [ "$(xdotool getwindowgeometry "$error" 2>/dev/null | grep Geometry)" != "$question" ]; } &&
      break
    error=""
    sleep 0.2
  done
  [ -n "$error" ] || e2e_fail "$way: no message about the failed save"
  e2e_keys "$error" Return
  e2e_wait_gone "^Tavrel$" 20 || e2e_fail "$way: the message stayed open"
  kill -0 "$e2e_pid" 2>/dev/null || e2e_fail "$way ended the program although the save failed"
  e2e_wait_window "^lf.txt - Tavrel$" 5 >/dev/null || e2e_fail "$way: the editor window is gone"
done
[ "$(od -An -c <"$target")" = "$expected" ] || e2e_fail "the read-only file changed"

# The text is still there: a save to a writable file keeps every byte.
chmod 644 "$target"
e2e_keys "$win" ctrl+s
for i in $(seq 1 50); do
  [ "$(tail -c 5 "$target")" = " five" ] && break
  sleep 0.2
done
[ "$(tail -c 5 "$target")" = " five" ] || e2e_fail "the text typed before the failed saves was lost"
e2e_keys "$win" alt+F4
e2e_wait_exit 30 || e2e_fail "the program did not end after a successful save"
e2e_pass
