#!/usr/bin/env bash
# The rebar follows the main window's width: widened, narrowed and at the
# smallest size it spans the whole client width, the search field stays in
# view, every menu-bar title stays whole, and the tool bar's band shows a
# chevron, whose pop-up offers the buttons it hides, only when it is too
# narrow for them.
#   rebar_resize_test.sh BIN_DIR DATA_DIR
set -u
bin=$1 data=$2
here=$(cd "$(dirname "$0")" && pwd)
. "$here/e2e_lib.sh"

bar_colour=535353      # the grey mode's rebar background
gripper_colour=373C43  # its gripper dots, which the chevron's arrows share

e2e_start "$bin/Tavrel.exe" "$data" || exit 1
win=$(e2e_wait_window "^Untitled - Tavrel$" 40) || e2e_fail "no window titled 'Untitled - Tavrel'"
xdotool windowmove --sync "$win" 0 0 2>/dev/null
xdotool windowfocus --sync "$win" 2>/dev/null
xdotool mousemove 1270 1010
sleep 1
idle=$(e2e_windows | wc -l)

# run_length FILE X: how many pixels from the top (below the first row) of
# column X are rebar background without a break.
run_length() {
  convert "$e2e_dir/$1" -crop "1x200+$2+1" +repage txt:- 2>/dev/null |
    awk -v c="#$bar_colour" 'NR > 1 { if ($3 != c) exit; n++ } END { print n + 0 }'
}

# Column groups (first-last) holding gripper-coloured pixels in the rebar's
# first row: the bands' grippers and, between them, a chevron.
gripper_groups() {
  convert "$e2e_dir/$1" -crop "x24+0+1" +repage txt:- 2>/dev/null | grep -i "#$gripper_colour" |
    cut -d, -f1 | sort -n | uniq |
    awk 'NR == 1 { s = $1 } NR > 1 && $1 > p + 3 { print s "-" p; s = $1 } { p = $1 } END { if (NR) print s "-" p }'
}

# The box of the "Help" title, highlighted from the keyboard (Alt, then Left
# wraps round to the last title), once the same in two captures in a row:
# a capture taken while the highlight is being drawn sees part of it.
help_box() {
  e2e_strip "$win" titles-idle.png 1 24
  xdotool key alt Left
  local i box="" last=""
  for i in $(seq 1 25); do
    e2e_strip "$win" titles-hot.png 1 24
    box=$(e2e_diff_box titles-idle.png titles-hot.png)
    [ -n "$box" ] && [ "$box" = "$last" ] && break
    last=$box
    sleep 0.2
  done
  xdotool key Escape
  echo "$box"
}

help_width=""
for width in 1100 450 363; do
  xdotool windowsize "$win" "$width" 300
  shot=shot-$width.png
  # Settled: the new width, and the bars (right of the caret's column) the
  # same in two screenshots in a row.
  for i in $(seq 1 50); do
    e2e_screenshot "$win" "$shot"
    convert "$e2e_dir/$shot" -crop "x64+20+0" +repage "$e2e_dir/bars-now.png"
    [ "$(identify -format %w "$e2e_dir/$shot" 2>/dev/null)" = "$width" ] && [ -f "$e2e_dir/bars-before.png" ] &&
      [ -z "$(e2e_diff_box bars-before.png bars-now.png)" ] && break
    mv "$e2e_dir/bars-now.png" "$e2e_dir/bars-before.png"
    sleep 0.2
  done
  rm -f "$e2e_dir/bars-before.png"
  cp "$e2e_dir/$shot" "$e2e_dir/shot.png"
  height=$(run_length "$shot" 1)
  [ "$height" -ge 20 ] || e2e_fail "no rebar at the left edge at $width px"
  right=$(run_length "$shot" $((width - 2)))
  [ "$right" = "$height" ] || e2e_fail "at $width px the rebar does not reach the right edge ($right of $height rows)"

  # The search field's white box lies inside the rebar.
  white=$(convert "$e2e_dir/$shot" -crop "x$height+0+1" +repage -fill black +opaque white -fill white -opaque white \
    -format "%[fx:int(mean*w*h)]" info:)
  [ "$white" -ge 2000 ] || e2e_fail "the search field is not in view at $width px ($white white pixels)"

  box=$(help_box)
  [ -n "$box" ] || e2e_fail "no Help title to highlight at $width px"
  IFS='x+' read -r box_w box_h box_x box_y <<<"$box"
  [ $((box_x + box_w)) -lt "$width" ] || e2e_fail "the Help title is cut by the window's edge at $width px ($box)"
  help_width=${help_width:-$box_w}
  [ "$box_w" = "$help_width" ] || e2e_fail "the Help title is $box_w px wide at $width px, $help_width px when wide"

  mapfile -t groups < <(gripper_groups "$shot")
  if [ "$width" = 1100 ]; then
    [ ${#groups[@]} = 2 ] || e2e_fail "expected two grippers and no chevron at $width px, saw: ${groups[*]}"
    continue
  fi
  [ ${#groups[@]} = 3 ] || e2e_fail "expected a chevron between the two grippers at $width px, saw: ${groups[*]}"
  chevron_x=$(( (${groups[1]%-*} + ${groups[1]#*-}) / 2 ))
  xdotool mousemove "$chevron_x" 13 click 1
  e2e_wait_window_count $((idle + 1)) 10 || e2e_fail "the chevron at x $chevron_x opened no pop-up at $width px"
  xdotool key Escape
  e2e_wait_window_count "$idle" 10 || e2e_fail "the chevron's pop-up stayed open"
  xdotool mousemove 1270 1010
done

e2e_close_window "$win" 20 || e2e_fail "the window did not close"
e2e_pass
