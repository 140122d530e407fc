#!/usr/bin/env bash
# Spell checking in the real editor, with real keys and clicks: switched on
# from the tool bar, a misspelt word gets its red squiggle once a space
# follows it; right-clicking it offers the correction, and choosing it
# replaces the word; "Add to Dictionary" appends exactly one CR LF line to
# the personal word list, and after a restart the word is not marked.
#   spell_check_test.sh BIN_DIR DATA_DIR
set -u
bin=$1 data=$2
here=$(cd "$(dirname "$0")" && pwd)
. "$here/e2e_lib.sh"

# A working folder of its own, since the word list is written beside the
# dictionary.
work=$e2e_dir/work
mkdir -p "$work/Dictionaries"
cp "$data/Dictionaries/en_GB.aff" "$data/Dictionaries/en_GB.dic" "$work/Dictionaries/"
ln -s "$(realpath "$data")/icons" "$work/icons"
list=$work/Dictionaries/en_GB.dat

# The spell-check toggle on the main tool bar, then a click into the text.
switch_on_and_click_text() {
  xdotool mousemove --window "$1" 126 13 click 1
  xdotool mousemove --window "$1" 500 300 click 1
}

# red_box WINDOW: "count W H X Y" of the squiggles' red in the editing area
# (window coordinates); count 0 when there is none.
red_box() {
  import -window "$1" "$e2e_dir/shot.png" 2>/dev/null || return 1
  convert "$e2e_dir/shot.png" -crop +0+30 +repage -fuzz 10% -fill black +opaque red -fill white -opaque red \
    "$e2e_dir/red.png"
  local count box
  count=$(convert "$e2e_dir/red.png" -format "%[fx:int(mean*w*h)]" info:)
  [ "$count" -gt 0 ] || { echo 0; return 0; }
  box=$(convert "$e2e_dir/red.png" -trim -format "%w %h %X %Y" info:)
  set -- $box
  echo "$count $1 $2 ${3#+} $((${4#+} + 30))"
}

# wait_red WINDOW SECONDS present|absent
wait_red() {
  local i box
  for i in $(seq 1 $(($2 * 4))); do
    box=$(red_box "$1")
    if [ "$3" = present ] && [ "${box%% *}" != 0 ]; then echo "$box"; return 0; fi
    if [ "$3" = absent ] && [ "$box" = 0 ]; then return 0; fi
    sleep 0.25
  done
  return 1
}

# right_click_red WINDOW "count W H X Y": a right-click just above the
# middle of the squiggle, then waits for the context menu to show.
right_click_red() {
  local before
  set -- "$1" $2
  before=$(e2e_windows | wc -l)
  xdotool mousemove --window "$1" $(($5 + $3 / 2)) $(($6 - 6)) click 3
  e2e_wait_window_count $((before + 1)) 10 || e2e_fail "right-clicking the marked word showed no menu"
}

# start_and_type TEXT: the editor started afresh, spell checking switched
# on, and TEXT typed into it; sets win.
start_and_type() {
  e2e_start "$bin/Tavrel.exe" "$work" || exit 1
  win=$(e2e_wait_window "^Untitled - Tavrel$" 40) || e2e_fail "no window titled 'Untitled - Tavrel'"
  switch_on_and_click_text "$win"
  e2e_type "$win" "$1"
}

start_and_type "Hello wrold "
box=$(wait_red "$win" 10 present) || e2e_fail "no squiggle under 'wrold'"
set -- $box
# Under the second word only: it starts six characters in and is five wide.
[ "$4" -gt 40 ] && [ "$2" -gt 25 ] && [ "$2" -lt 60 ] && [ "$3" -le 4 ] ||
  e2e_fail "the squiggle is not under 'wrold' alone (box $box)"

# The suggestion comes first; Down and Return choose it.
right_click_red "$win" "$box"
e2e_keys "$win" Down Return
wait_red "$win" 10 absent || e2e_fail "the chosen suggestion did not replace the marked word"

# A word the dictionary has no suggestion for: the menu starts with
# Ignore All, then Add to Dictionary. (The caret stays after the corrected
# word, before the space.)
e2e_keys "$win" End
e2e_type "$win" "zqxjkvw "
box=$(wait_red "$win" 10 present) || e2e_fail "no squiggle under 'zqxjkvw'"
right_click_red "$win" "$box"
e2e_keys "$win" Down Down Return
wait_red "$win" 10 absent || e2e_fail "Add to Dictionary left the word marked"
for i in $(seq 1 20); do [ -f "$list" ] && break; sleep 0.25; done
[ "$(od -An -c "$list" | tr -s ' ')" = " z q x j k v w \r \n" ] ||
  e2e_fail "the word list is not exactly one CR LF line: $(od -An -c "$list" 2>&1)"

# The text itself: the correction is in place, word for word.
e2e_save_as "$win" "$e2e_dir/text" || e2e_fail "Save As did not come and go"
win=$(e2e_wait_window "^text - Tavrel$" 20) || e2e_fail "the document was not saved"
[ "$(cat "$e2e_dir/text")" = "Hello world zqxjkvw " ] || e2e_fail "saved text: '$(cat "$e2e_dir/text")'"
e2e_close_window "$win" 30 || e2e_fail "the editor did not close"

# After a restart the added word is accepted; a misspelt one still is not.
start_and_type "zqxjkvw wrold "
box=$(wait_red "$win" 10 present) || e2e_fail "no squiggle under 'wrold' after the restart"
set -- $box
[ "$4" -gt 50 ] || e2e_fail "the added word is marked after a restart (box $box)"
[ "$(od -An -c "$list" | tr -s ' ')" = " z q x j k v w \r \n" ] || e2e_fail "the word list changed on its own"
e2e_pass
