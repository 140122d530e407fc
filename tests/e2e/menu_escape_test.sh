#!/usr/bin/env bash
# Esc in a menu opened from the menu bar closes the menu but keeps the bar
# in keyboard mode, its title highlighted, so that Down reopens it and the
# arrows move along the bar; a second Esc leaves the bar. Checked for a
# menu opened with Alt+F and for one opened with a click on its title.
#   menu_escape_test.sh BIN_DIR DATA_DIR
set -u
bin=$1 data=$2
here=$(cd "$(dirname "$0")" && pwd)
. "$here/e2e_lib.sh"

e2e_start "$bin/Tavrel.exe" "$data" || exit 1
win=$(e2e_wait_window "^Untitled - Tavrel$" 40) || e2e_fail "no window titled 'Untitled - Tavrel'"
xdotool windowmove --sync "$win" 0 0 2>/dev/null
# The pointer rests away from the window: hovering would highlight titles too.
xdotool mousemove 1270 1010
sleep 1
idle=$(e2e_windows | wc -l)
# The menu bar's titles lie within the rebar's first rows.
e2e_strip "$win" idle.png 1 24 || e2e_fail "no screenshot"

# e2e_wait_strip CHANGED|SAME SECONDS: the title strip differs from (or
# matches) the idle one; prints the box in which it differs.
e2e_wait_strip() {
  local want=$1 limit=$2 i box
  for i in $(seq 1 $((limit * 5))); do
    e2e_strip "$win" now.png 1 24
    box=$(e2e_diff_box idle.png now.png)
    if { [ "$want" = CHANGED ] && [ -n "$box" ]; } || { [ "$want" = SAME ] && [ -z "$box" ]; }; then
      echo "$box"
      return 0
    fi
    sleep 0.2
  done
  return 1
}

e2e_keys "$win" alt+f
e2e_wait_window_count $((idle + 1)) 10 || e2e_fail "Alt+F opened no menu"
xdotool key Escape
e2e_wait_window_count "$idle" 10 || e2e_fail "Esc did not close the File menu"
file_box=$(e2e_wait_strip CHANGED 5) || e2e_fail "one Esc left the menu bar: no title stays highlighted"
xdotool key Down
e2e_wait_window_count $((idle + 1)) 10 || e2e_fail "Down after one Esc did not reopen the menu"
xdotool key Escape
e2e_wait_window_count "$idle" 10 || e2e_fail "Esc did not close the reopened menu"
xdotool key Escape
e2e_wait_strip SAME 5 >/dev/null || e2e_fail "a second Esc left the title highlighted"

# A click on the title opens the menu; Esc keeps the bar, Right moves to the
# next title and Down opens its menu, to the right of the File title.
IFS='x+' read -r box_w box_h box_x box_y <<<"$file_box"
xdotool mousemove $((box_x + box_w / 2)) $((1 + box_y + box_h / 2)) click 1
e2e_wait_window_count $((idle + 1)) 10 || e2e_fail "a click on File opened no menu"
xdotool key Escape
e2e_wait_window_count "$idle" 10 || e2e_fail "Esc did not close the clicked menu"
before=$(e2e_windows)
xdotool key Right Down
e2e_wait_window_count $((idle + 1)) 10 || e2e_fail "Right and Down after Esc opened no menu"
popup=$(comm -13 <(echo "$before") <(e2e_windows) | head -n 1)
popup_x=$(xdotool getwindowgeometry --shell "$popup" 2>/dev/null | sed -n 's/^X=//p')
[ "${popup_x:-0}" -ge $((box_x + box_w)) ] || e2e_fail "Right did not move to the next title (menu at x ${popup_x:-?})"
xdotool key Escape Escape

e2e_close_window "$win" 20 || e2e_fail "the window did not close"
e2e_pass
