#!/usr/bin/env bash
# One lit item at a time in a menu driven from the keyboard while the
# pointer rests over it: Left from the Edit menu opens the File menu under a
# pointer that has not moved, and File's first item, not the item under the
# pointer, is the lit one; Down moves that light alone. Then the pointer
# really moves and its item takes over.
#   menu_resting_pointer_test.sh BIN_DIR DATA_DIR
set -u
bin=$1 data=$2
here=$(cd "$(dirname "$0")" && pwd)
. "$here/e2e_lib.sh"

e2e_start "$bin/Tavrel.exe" "$data" || exit 1
win=$(e2e_wait_window "^Untitled - Tavrel$" 40) || e2e_fail "no window titled 'Untitled - Tavrel'"
xdotool windowmove --sync "$win" 0 0 2>/dev/null
xdotool mousemove 1270 1010
idle_list=$(e2e_windows)
idle=$(echo "$idle_list" | wc -l)

popup=""  # the open menu's window and its box on screen
popup_x=0 popup_y=0 popup_w=0 popup_h=0
find_popup() {
  popup=$(comm -13 <(echo "$idle_list") <(e2e_windows) | head -n 1)
  [ -n "$popup" ] || return 1
  local X="" Y="" WIDTH="" HEIGHT="" WINDOW="" SCREEN=""
  eval "$(xdotool getwindowgeometry --shell "$popup" 2>/dev/null)"
  [ -n "$HEIGHT" ] || return 1
  popup_x=$X popup_y=$Y popup_w=$WIDTH popup_h=$HEIGHT
}

# lit_rows: the runs of rows (first-last, screen y) of the open menu lit in
# the menu's highlight colours, read down a column near its right edge, past
# the items' text. A disabled item lit shows only its border, two runs of
# one row.
lit_rows() {
  import -window root "$e2e_dir/shot.png" 2>/dev/null || return 1
  convert "$e2e_dir/shot.png" -crop "1x$popup_h+$((popup_x + popup_w - 12))+$popup_y" +repage txt:- 2>/dev/null |
    awk -F'[(),: ]+' -v top="$popup_y" 'NR > 1 {
      lit = $3 >= 250 && $4 >= 170 && $5 <= 215
      if (lit && !run) { first = $2; run = 1 }
      if (!lit && run) { printf "%d-%d ", top + first, top + $2 - 1; run = 0 }
    } END { if (run) printf "%d-%d ", top + first, top + $2 }'
}

# settled_lit_rows: lit_rows once two readings in a row agree and something
# is lit (at most 10 seconds).
settled_lit_rows() {
  local i now last="-"
  for i in $(seq 1 50); do
    now=$(lit_rows)
    [ -n "$now" ] && [ "$now" = "$last" ] && { echo "$now"; return 0; }
    last=$now
    sleep 0.2
  done
  echo "$now"
  return 1
}

# The File menu's items, lit one after the other from the keyboard with the
# pointer away: New, Open, Save and Save As.
e2e_keys "$win" alt+f
e2e_wait_window_count $((idle + 1)) 10 || e2e_fail "Alt+F opened no menu"
find_popup || e2e_fail "no File menu window"
rows=()
for step in 1 2 3 4; do
  [ "$step" = 1 ] || xdotool key Down
  for i in $(seq 1 50); do
    lit=$(settled_lit_rows)
    [ "$step" = 1 ] || [ "$lit" != "${rows[-1]}" ] && break
    sleep 0.2
  done
  [[ "$lit" =~ ^[0-9]+-[0-9]+\ $ ]] || e2e_fail "item $step of File is not lit alone from the keyboard: '$lit'"
  rows+=("$lit")
done
xdotool key Escape Escape
e2e_wait_window_count "$idle" 10 || e2e_fail "Esc did not close the File menu"
file_x=$popup_x
first=${rows[0]} second=${rows[1]} target=${rows[3]}
target_top=${target%-*} target_bottom=${target#*-}
target_bottom=${target_bottom% }
rest_x=$((popup_x + popup_w / 2)) rest_y=$(((target_top + target_bottom) / 2))

# The pointer rests where File's fourth item will appear, over the Edit menu
# too. Edit opens from the keyboard, then Left swaps it for File under the
# resting pointer.
xdotool mousemove "$rest_x" "$rest_y"
e2e_keys "$win" alt+e
e2e_wait_window_count $((idle + 1)) 10 || e2e_fail "Alt+E opened no menu"
find_popup && settled_lit_rows >/dev/null
xdotool key Left
for i in $(seq 1 50); do
  find_popup && [ "$popup_x" = "$file_x" ] && break
  sleep 0.2
done
[ "$popup_x" = "$file_x" ] || e2e_fail "Left from the Edit menu did not open the File menu"
lit=$(settled_lit_rows)
[ "$lit" = "$first" ] ||
  e2e_fail "with the pointer resting on row $target, Left to File lit '$lit' instead of its first item alone ($first)"
xdotool key Down
for i in $(seq 1 50); do
  lit=$(settled_lit_rows)
  [ "$lit" != "$first" ] && break
  sleep 0.2
done
[ "$lit" = "$second" ] || e2e_fail "Down under the resting pointer lit '$lit' instead of the second item alone ($second)"

# A pointer that really moves takes over, a few pixels are enough.
xdotool mousemove $((rest_x + 4)) "$rest_y"
for i in $(seq 1 50); do
  lit=$(settled_lit_rows)
  [ "$lit" = "$target" ] && break
  sleep 0.2
done
[ "$lit" = "$target" ] || e2e_fail "the moved pointer did not light its item alone: '$lit', expected '$target'"
xdotool key Escape Escape
e2e_wait_window_count "$idle" 10 || e2e_fail "Esc did not close the menu"
xdotool mousemove 1270 1010

e2e_close_window "$win" 20 || e2e_fail "the window did not close"
e2e_pass
