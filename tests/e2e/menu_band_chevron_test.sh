#!/usr/bin/env bash
# A menu band narrower than its titles: with the system's menu font made
# large (the way a user enlarges menu text), the window at its smallest
# width cannot show every title. The band then shows a chevron, every title
# it shows is whole (as wide as in a wide window) and left of the chevron,
# the rest are hidden; Alt+F opens File's menu under its title; Alt+H, for
# the hidden Help, opens Help's menu from the chevron, its right edge inside
# the window; the chevron's pop-up, inside the window too, offers Help, and
# choosing it opens Help's menu. The font is set in the registry of a Wine
# of the test's own (a prefix sharing the C: drive), so that no other test
# sees it.
#   menu_band_chevron_test.sh BIN_DIR DATA_DIR
set -u
bin=$1 data=$2
here=$(cd "$(dirname "$0")" && pwd)
. "$here/e2e_lib.sh"

e2e_private_prefix

# The menu font as Wine keeps it, a LOGFONTW whose first four bytes are its
# height: -44 pixels, four times the usual height.
metrics='HKCU\Control Panel\Desktop\WindowMetrics'
font=$(wine reg query "$metrics" /v MenuFont 2>/dev/null | tr -d '\r' | awk '$1 == "MenuFont" { print $3 }')
[ ${#font} = 184 ] || e2e_fail "no menu font in the registry: '$font'"
wine reg add "$metrics" /v MenuFont /t REG_BINARY /d "D4FFFFFF${font:8}" /f >/dev/null 2>&1 ||
  e2e_fail "could not set the menu font"
wineserver -k 2>/dev/null

gripper_colour=373C43  # the bands' gripper dots, which the chevron's arrows share
win_x=100              # the window's left edge on screen
bar_colour=535353      # the grey mode's rebar background
bar_h=130              # the rebar's height, measured at each width

e2e_start "$bin/Tavrel.exe" "$data" || exit 1
win=$(e2e_wait_window "^Untitled - Tavrel$" 40) || e2e_fail "no window titled 'Untitled - Tavrel'"
xdotool windowmove --sync "$win" "$win_x" 0 2>/dev/null
xdotool mousemove 1270 1010
idle_list=$(e2e_windows)
idle=$(echo "$idle_list" | wc -l)

# bars FILE: the strip of the window's bars, above the text and its caret.
bars() {
  import -window "$win" "$e2e_dir/$1.full.png" 2>/dev/null || return 1
  convert "$e2e_dir/$1.full.png" -crop "x$bar_h+0+0" +repage "$e2e_dir/$1"
}

# resize WIDTH: the window that wide, once its bars look the same in two
# screenshots in a row.
resize() {
  local i
  xdotool windowsize "$win" "$1" 300
  rm -f "$e2e_dir/bars-before.png"
  for i in $(seq 1 50); do
    bars bars-now.png
    [ "$(identify -format %w "$e2e_dir/bars-now.png.full.png" 2>/dev/null)" = "$1" ] && [ -f "$e2e_dir/bars-before.png" ] &&
      [ -z "$(e2e_diff_box bars-before.png bars-now.png)" ] && break
    mv "$e2e_dir/bars-now.png" "$e2e_dir/bars-before.png"
    sleep 0.2
  done
  cp "$e2e_dir/bars-now.png.full.png" "$e2e_dir/shot.png"
  # The rebar spans the window: its height is the run of its background
  # down the right edge.
  bar_h=$(convert "$e2e_dir/shot.png" -crop "1x200+$(($1 - 2))+1" +repage txt:- 2>/dev/null |
    awk -v c="#$bar_colour" 'NR > 1 { if ($3 != c) exit; n++ } END { print n + 1 }')
  [ "$bar_h" -ge 20 ] || e2e_fail "no rebar along the right edge at $1 pixels"
}

# title_boxes: the box (WxH+X+Y, window x) of each title, lit in turn from
# the keyboard (Alt, then Right); "-" for a title nothing lights, as for a
# hidden one. Each box once the same in two captures in a row.
title_boxes() {
  local k i box last
  bars idle.png
  xdotool windowfocus --sync "$win" 2>/dev/null
  xdotool key --clearmodifiers alt
  for k in 0 1 2 3; do
    [ "$k" = 0 ] || xdotool key Right
    last=none
    for i in $(seq 1 25); do
      bars hot.png
      box=$(e2e_diff_box idle.png hot.png)
      [ "$box" = "$last" ] && break
      last=$box
      sleep 0.2
    done
    if [ -z "$box" ]; then
      echo -n "- "
    else
      echo -n "$box "
    fi
  done
  xdotool key Escape
}

popup_x=0 popup_y=0 popup_w=0 popup_h=0  # the open menu's box on screen
# wait_popup [NOT_THIS]: one menu window open, whose box (X,Y,W,H) is not
# NOT_THIS (at most 10 seconds).
wait_popup() {
  local i popup X Y WIDTH HEIGHT WINDOW SCREEN
  for i in $(seq 1 50); do
    popup=$(comm -13 <(echo "$idle_list") <(e2e_windows))
    if [ "$(echo "$popup" | grep -c .)" = 1 ]; then
      HEIGHT=""
      eval "$(xdotool getwindowgeometry --shell "$popup" 2>/dev/null)"
      if [ -n "$HEIGHT" ] && [ "$X,$Y,$WIDTH,$HEIGHT" != "${1:-}" ]; then
        popup_x=$X popup_y=$Y popup_w=$WIDTH popup_h=$HEIGHT
        return 0
      fi
    fi
    sleep 0.2
  done
  return 1
}

close_menus() {
  xdotool key Escape Escape
  e2e_wait_window_count "$idle" 10 || e2e_fail "$1: Esc did not close the menu"
  xdotool mousemove 1270 1010
}

# Wide, every title shows: their widths.
resize 1100
read -r -a wide <<<"$(title_boxes)"
for k in 0 1 2 3; do
  [ "${wide[k]:--}" != - ] || e2e_fail "title $k is not lit from the keyboard in a wide window: ${wide[*]}"
done

# At the smallest width the titles do not fit in the band.
width=363
resize "$width"
read -r -a narrow <<<"$(title_boxes)"
[ "${narrow[0]:--}" != - ] || e2e_fail "the File title is not shown: ${narrow[*]}"
IFS='x+' read -r file_w file_h file_x file_y <<<"${narrow[0]}"
row_top=$file_y row_bottom=$((file_y + file_h))

# The chevron: the gripper-coloured columns of the titles' row right of File
# (the band's gripper is left of it).
chevron=$(convert "$e2e_dir/shot.png" -crop "x$file_h+0+$row_top" +repage txt:- 2>/dev/null |
  grep -i "#$gripper_colour" | cut -d, -f1 | sort -n | uniq |
  awk -v from=$((file_x + file_w)) '$1 > from { if (!n++) s = $1; e = $1 } END { if (n) print s "-" e }')
[ -n "$chevron" ] || e2e_fail "the menu band, narrower than its titles, shows no chevron (titles: ${narrow[*]})"
chevron_left=${chevron%-*} chevron_right=${chevron#*-}

hidden=0
for k in 0 1 2 3; do
  if [ "${narrow[k]}" = - ]; then
    hidden=$((hidden + 1))
    continue
  fi
  IFS='x+' read -r w h x y <<<"${narrow[k]}"
  [ "$w" = "${wide[k]%%x*}" ] ||
    e2e_fail "title $k is cut: $w pixels wide in the narrow band, ${wide[k]%%x*} in a wide window"
  [ $((x + w)) -le "$chevron_left" ] || e2e_fail "title $k (${narrow[k]}) runs into the chevron at $chevron"
done
[ "$hidden" -ge 1 ] && [ "${narrow[3]}" = - ] ||
  e2e_fail "Help should be the hidden title at $width pixels: ${narrow[*]}"

# Alt+F: File's menu hangs under its title.
e2e_keys "$win" alt+f
wait_popup || e2e_fail "Alt+F opened no menu"
[ $((popup_x - win_x)) -ge $((file_x - 2)) ] && [ $((popup_x - win_x)) -le $((file_x + 2)) ] &&
  [ "$popup_y" -ge $((row_bottom - 2)) ] ||
  e2e_fail "File's menu is at $popup_x,$popup_y, not under its title at $((win_x + file_x)),$row_bottom"
file_menu_h=$popup_h
close_menus "Alt+F"

# Alt+H: the hidden Help's menu opens from the chevron, its right edge
# inside the window.
e2e_keys "$win" alt+h
wait_popup || e2e_fail "Alt+H opened no menu"
[ $((popup_x + popup_w)) -le $((win_x + width)) ] ||
  e2e_fail "Help's menu, at x $popup_x and $popup_w wide, reaches past the window's right edge $((win_x + width))"
[ "$popup_h" -lt "$file_menu_h" ] || e2e_fail "Alt+H opened a menu as tall as File's"
help_menu_h=$popup_h
close_menus "Alt+H"

# The chevron's pop-up lies inside the window and offers Help; choosing it
# opens Help's menu, inside the window too.
xdotool mousemove $((win_x + (chevron_left + chevron_right) / 2)) $(((row_top + row_bottom) / 2)) click 1
wait_popup || e2e_fail "the chevron at $chevron opened no pop-up"
chevron_popup=$popup_x,$popup_y,$popup_w,$popup_h
[ $((popup_x + popup_w)) -le $((win_x + width)) ] && [ "$popup_x" -ge "$win_x" ] ||
  e2e_fail "the chevron's pop-up, at x $popup_x and $popup_w wide, is not inside the window"
xdotool mousemove $((popup_x + popup_w / 2)) $((popup_y + popup_h / 2)) click 1
wait_popup "$chevron_popup" || e2e_fail "choosing the chevron's item opened no menu"
[ "$popup_h" = "$help_menu_h" ] || e2e_fail "the chevron's item opened a menu $popup_h tall, Help's is $help_menu_h"
[ $((popup_x + popup_w)) -le $((win_x + width)) ] ||
  e2e_fail "Help's menu from the chevron reaches past the window's right edge"
close_menus "the chevron's Help"

e2e_close_window "$win" 20 || e2e_fail "the window did not close"
e2e_pass
