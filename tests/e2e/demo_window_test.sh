#!/usr/bin/env bash
# The toolkit's demonstration program starts under Wine, shows its window
# with the grey bar colours, opens a skinned menu with its shadows, and
# closes on request.
#   demo_window_test.sh BIN_DIR DATA_DIR
set -u
bin=$1 data=$2
here=$(cd "$(dirname "$0")" && pwd)
. "$here/e2e_lib.sh"

e2e_start "$bin/LumoraDemo.exe" "$data" || exit 1
win=$(e2e_wait_window "^Lumora$" 30) || e2e_fail "no window titled Lumora appeared"
# The disabled button is the last thing the first paint reaches.
e2e_screenshot_painted "$win" shot.png 408 300 240 240 240 6
# The title band is painted with the rebar colours of the grey mode.
e2e_expect_pixel shot.png 300 5 83 83 83 6
# The page background of the grey mode.
e2e_expect_pixel shot.png 300 250 246 246 246 4
# The panel of skinned buttons: the selected one in its amber gradient, the
# disabled one in its flat grey.
e2e_expect_pixel shot.png 206 290 255 207 114 30
e2e_expect_pixel shot.png 408 300 240 240 240 6
# Alt+F opens the skinned File menu; the demonstration casts menu shadows
# whatever the desktop setting, each a window of its own beside the popup.
before=$(xdotool search --onlyvisible --name '' 2>/dev/null | wc -l)
e2e_keys "$win" alt+f
sleep 1.5
e2e_screenshot root menu.png
after=$(xdotool search --onlyvisible --name '' 2>/dev/null | wc -l)
e2e_keys "$win" Escape Escape
sleep 0.5
# The menu's separators are the only new pixels in the grey mode's
# separator colour.
count_colour() {
  convert "$e2e_dir/$1" -fill black +opaque "rgb($2)" -fill white -opaque "rgb($2)" -format "%[fx:int(mean*w*h)]" info:
}
e2e_screenshot root closed.png
new_separators=$(( $(count_colour menu.png 145,153,164) - $(count_colour closed.png 145,153,164) ))
[ "$new_separators" -gt 100 ] || e2e_fail "no skinned menu separators after Alt+F ($new_separators pixels)"
[ $((after - before)) -ge 3 ] || e2e_fail "expected the popup and two shadow windows, saw $((after - before)) new windows"
e2e_close_window "$win" 20 || e2e_fail "the window did not close"
e2e_pass
