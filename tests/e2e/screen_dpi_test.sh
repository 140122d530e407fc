#!/usr/bin/env bash
# The editor on screens of 96, 120, 144 and 192 DPI: the menu titles show
# in their band, the tool-bar icons are drawn at the size the scale asks
# for (16, 16, 24, 32), and after typing a word that has no match the search
# field shows its magnifier, the red counter and the clear button, each
# whole, none over another and none a dark square. The DPI is set in the
# registry of a Wine of the test's own (a prefix sharing the C: drive), as
# each program reads it when it starts, so that no other test sees it.
#   screen_dpi_test.sh BIN_DIR DATA_DIR
set -u
bin=$1 data=$2
here=$(cd "$(dirname "$0")" && pwd)
. "$here/e2e_lib.sh"

e2e_private_prefix

# Pixels of a colour (within a few steps) in a screenshot's region WxH+X+Y.
count_colour() {
  convert "$e2e_dir/$1" -crop "$2" +repage -fuzz "${4:-4%}" -fill black +opaque "rgb($3)" -fill white \
    -opaque "rgb($3)" -format "%[fx:int(mean*w*h+0.5)]" info: 2>/dev/null
}
# Coloured pixels in a region: the icons' colours, not the bars' greys,
# the text's white nor the disabled icons' greys.
count_saturated() {
  convert "$e2e_dir/$1" -crop "$2" +repage -colorspace HSL -channel G -separate +channel -threshold 30% \
    -format "%[fx:int(mean*w*h+0.5)]" info: 2>/dev/null
}
scaled() { echo $((($1 * $2 + 48) / 96)); }

span96=""
for dpi in 96 120 144 192; do
  case $dpi in 96 | 120) icon=16 ;; 144) icon=24 ;; 192) icon=32 ;; esac
  wineserver -k 2>/dev/null
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d $dpi /f >/dev/null 2>&1 ||
    e2e_fail "could not set the DPI to $dpi"
  e2e_start "$bin/Tavrel.exe" "$data" || exit 1
  win=$(e2e_wait_window "^Untitled - Tavrel$" 40) || e2e_fail "no editor window at $dpi DPI"
  eval "$(xdotool getwindowgeometry --shell "$win")"
  bar_height=$(scaled 22 $dpi)
  row=$(scaled 12 $dpi)
  # The search field is the rebar's last band, against the window's right
  # edge; all else on the bar lies left of it.
  field_left=$((WIDTH - $(scaled 204 $dpi))) field_right=$((WIDTH - $(scaled 24 $dpi)))
  bar="$((field_left - $(scaled 8 $dpi)))x${bar_height}+0+0"
  # The pointer away from the bars: nothing hot, no tooltip.
  xdotool mousemove --window "$win" $((WIDTH / 2)) $((HEIGHT - 20))
  e2e_screenshot_painted "$win" "bar-$dpi.png" $((field_left + $(scaled 100 $dpi))) "$row" 255 255 255 8

  # The menu titles are white text between the tool bar and the field. The
  # bands paint one by one: the field's being painted does not mean the
  # titles are, so the screen is looked at again until they are (at most
  # 5 seconds).
  want_titles=$(scaled $(scaled 120 $dpi) $dpi)
  for _ in $(seq 1 25); do
    titles=$(count_colour "bar-$dpi.png" "$bar" "255,255,255" 2%)
    [ "${titles:-0}" -ge "$want_titles" ] && break
    sleep 0.2
    e2e_screenshot "$win" "bar-$dpi.png"
  done
  [ "${titles:-0}" -ge "$want_titles" ] ||
    e2e_fail "the menu titles are missing at $dpi DPI: $titles white pixels on the bar, at least $want_titles wanted"

  # The tool bar's coloured icons, from New's to Spell Check's, span five
  # buttons and two separators: a width that grows with the icons' side
  # (each button is its icon and a fixed padding).
  span=$(convert "$e2e_dir/bar-$dpi.png" -crop "$bar" +repage -colorspace HSL -channel G -separate +channel \
    -threshold 15% -format "%@" info: 2>/dev/null | cut -dx -f1)
  [ -n "$span96" ] || span96=$span
  expected=$((span96 * (icon + 7) / 23))
  [ "${span:-0}" -ge $((expected * 90 / 100)) ] && [ "${span:-0}" -le $((expected * 110 / 100)) ] ||
    e2e_fail "the tool-bar icons are not ${icon}-pixel ones at $dpi DPI: they span $span pixels, about $expected expected"

  # A word without a match: the red counter and the clear button come up.
  xdotool mousemove --window "$win" $(((field_left + field_right) / 2)) "$row" click 1
  xdotool mousemove --window "$win" $((WIDTH / 2)) $((HEIGHT - 20))
  e2e_type "$win" "zqx"
  red_min=$(scaled $(scaled 150 $dpi) $dpi)
  field="$((field_right - field_left + 1))x$(scaled 16 $dpi)+${field_left}+$((row - $(scaled 8 $dpi)))"
  for i in $(seq 1 50); do
    sleep 0.2
    e2e_screenshot "$win" "typed-$dpi.png"
    red=$(count_colour "typed-$dpi.png" "$field" "255,100,100")
    [ "${red:-0}" -ge "$red_min" ] && break
  done
  [ "${red:-0}" -ge "$red_min" ] || e2e_fail "no red counter in the field at $dpi DPI ($red pixels)"
  # No part inside the field is drawn as a square of the bar's dark grey;
  # the frames' thin lines of that grey wear away in the erosion.
  dark=$(convert "$e2e_dir/typed-$dpi.png" -crop "$field" +repage -fuzz 4% -fill black +opaque "rgb(83,83,83)" \
    -fill white -opaque "rgb(83,83,83)" -virtual-pixel black -morphology Erode Square:2 -format "%[fx:int(mean*w*h+0.5)]" info: 2>/dev/null)
  [ "${dark:-0}" -eq 0 ] || e2e_fail "dark squares in the search field at $dpi DPI ($dark pixels)"
  # The magnifier at the field's left end and the clear button right of
  # the counter, each with its own colours; the counter does not cover
  # the clear button.
  magnifier=$(count_saturated "typed-$dpi.png" "$(scaled 28 $dpi)x$(scaled 16 $dpi)+${field_left}+$((row - $(scaled 8 $dpi)))")
  [ "${magnifier:-0}" -ge $((icon * icon / 8)) ] || e2e_fail "no magnifier at $dpi DPI ($magnifier coloured pixels)"
  # Where each lies in the field, as WxH+X+Y: the clear button by its deep
  # reds (the counter's fill and the edges of its text keep the counter's
  # hue, green 0.4 of red).
  counter_box=$(convert "$e2e_dir/typed-$dpi.png" -crop "$field" +repage -fuzz 2% -fill black \
    +opaque "rgb(255,100,100)" -format "%@" info: 2>/dev/null)
  clear_box=$(convert "$e2e_dir/typed-$dpi.png" -crop "$field" +repage -fx "r > 0.4 && g < 0.25 * r && b < 0.25 * r" \
    -format "%@ %[fx:int(mean*w*h+0.5)]" info: 2>/dev/null)
  # (The clear button's image has a few pixels of the counter's colour.)
  counter_left=$(echo "$counter_box" | awk -F'[x+]' '{ print $3 }')
  clear_left=$(echo "$clear_box" | awk -F'[x+ ]' '{ print $3 }')
  clear_red=${clear_box##* }
  [ "${clear_red:-0}" -ge $((icon * icon / 8)) ] || e2e_fail "no clear button in the field at $dpi DPI ($clear_red red pixels)"
  [ "${clear_left:-0}" -ge $((${counter_left:-9999} + $(scaled 28 $dpi))) ] ||
    e2e_fail "the clear button ($clear_box) is not right of the counter ($counter_box) at $dpi DPI"
  echo "$dpi DPI: titles $titles, icons span $span (~$expected), counter $red, dark $dark, magnifier $magnifier, clear $clear_red"

  e2e_close_window "$win" 20 || e2e_fail "the editor did not close at $dpi DPI"
done
e2e_pass
