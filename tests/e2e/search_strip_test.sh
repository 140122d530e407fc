#!/usr/bin/env bash
# The search strip with real keys and clicks: a word that occurs three times
# is marked three times (the current match green, the others yellow) and
# counted; F3 and the magnifier step through the matches and wrap; the
# clear button empties everything; a word without matches shows the
# no-match counter and leaves the caret; Find Next on an empty field keeps
# the focus in the field.
#   search_strip_test.sh BIN_DIR DATA_DIR
set -u
bin=$1 data=$2
here=$(cd "$(dirname "$0")" && pwd)
. "$here/e2e_lib.sh"

# Pixels of a colour (within a few steps) in a screenshot's region WxH+X+Y.
count_colour() {
  convert "$e2e_dir/$1" -crop "$2" +repage -fuzz 4% -fill black +opaque "rgb($3)" -fill white -opaque "rgb($3)" \
    -format "%[fx:int(mean*w*h+0.5)]" info: 2>/dev/null
}
# The bounding box of a colour's pixels in the text area.
colour_box() {
  convert "$e2e_dir/$1" -crop "$text_area" +repage -fuzz 4% -fill black +opaque "rgb($2)" \
    -format "%@" info: 2>/dev/null
}
# Marks under the text: indicator 1 fill (0,230,0 at alpha 150 on white),
# indicator 2 fill (230,230,0 at alpha 120 on white).
green="105,240,105"
yellow="243,243,135"

target="$e2e_dir/words.txt"
printf 'alpha beta gamma\nBeta delta\nepsilon bETa end\n' >"$target"

e2e_start "$bin/Tavrel.exe" "$data" || exit 1
win=$(e2e_wait_window "^Untitled - Tavrel$" 40) || e2e_fail "no editor window"
sleep 1
win=$(e2e_open "$win" "$target") || e2e_fail "the file did not open through the Open dialog"
sleep 0.5

# The strip's field is the rebar's last band, against the window's right edge.
eval "$(xdotool getwindowgeometry --shell "$win")"
field=$((WIDTH - 207))
text_area="$((WIDTH - 40))x200+0+30"
counter="56x14+$((field + 108))+6"
click() {
  xdotool mousemove --window "$win" "$1" "$2" click 1
  sleep 0.3
  # Away from the strip, so that no tooltip covers it.
  xdotool mousemove --window "$win" $((WIDTH / 2)) $((HEIGHT - 20))
}
# Polls until the screenshot shows the wanted number of green pixels (more
# than 0, or 0).
shot_until() {
  local name=$1 want=$2 i n
  for i in $(seq 1 25); do
    sleep 0.2
    e2e_screenshot "$win" "$name"
    n=$(count_colour "$name" "$text_area" "$green")
    if [ "$want" = some ] && [ "${n:-0}" -gt 20 ]; then return 0; fi
    if [ "$want" = none ] && [ "${n:-1}" -eq 0 ]; then return 0; fi
  done
  return 1
}

click $((field + 60)) 13
xdotool type --delay 40 "beta"
shot_until first.png some || e2e_fail "typing a word with matches marked nothing"
g=$(count_colour first.png "$text_area" "$green")
y=$(count_colour first.png "$text_area" "$yellow")
# Three equal words: twice as many yellow pixels as green ones.
[ $((y * 10)) -ge $((g * 17)) ] && [ $((y * 10)) -le $((g * 23)) ] ||
  e2e_fail "expected one green and two yellow marks, got $g green and $y yellow pixels"
[ "$(count_colour first.png "$counter" "130,130,130")" -gt 5 ] || e2e_fail "the counter shows no grey text"
first_box=$(colour_box first.png "$green")
convert "$e2e_dir/first.png" -crop "$counter" +repage "$e2e_dir/counter1.png"

# Return in the field, the magnifier, F3: the second, the third, and the
# first again.
boxes="$first_box" box=$first_box
for step in Return magnifier F3; do
  previous=$box
  case $step in
    Return) xdotool key Return ;;
    F3) e2e_keys "$win" F3 ;;
    *) click $((field + 8)) 13 ;;
  esac
  for i in $(seq 1 25); do
    sleep 0.2
    e2e_screenshot "$win" step.png
    box=$(colour_box step.png "$green")
    [ -n "$box" ] && [ "$box" != "$previous" ] && break
  done
  boxes="$boxes $box"
done
set -- $boxes
[ "$1" != "$2" ] && [ "$2" != "$3" ] && [ "$1" != "$3" ] || e2e_fail "stepping did not visit three matches: $boxes"
[ "$4" = "$1" ] || e2e_fail "the fourth step did not wrap to the first match: $boxes"
convert "$e2e_dir/step.png" -crop "$counter" +repage "$e2e_dir/counter4.png"
[ "$(e2e_diff_box counter1.png counter4.png)" = "" ] || e2e_fail "after wrapping the counter differs from 1 of 3"

# The clear button: no text, no marks, no counter, and it disables itself.
convert "$e2e_dir/step.png" -crop "16x18+$((field + 166))+2" +repage "$e2e_dir/clear_on.png"
click $((field + 174)) 13
shot_until cleared.png none || e2e_fail "the clear button left marks"
[ "$(count_colour cleared.png "$text_area" "$yellow")" -eq 0 ] || e2e_fail "the clear button left yellow marks"
[ "$(count_colour cleared.png "$counter" "130,130,130")" -eq 0 ] || e2e_fail "the counter was not emptied"
convert "$e2e_dir/cleared.png" -crop "16x18+$((field + 166))+2" +repage "$e2e_dir/clear_off.png"
[ -n "$(e2e_diff_box clear_on.png clear_off.png)" ] || e2e_fail "the clear button did not change to disabled"

# No match: light red counter, no marks, and the caret stays where the
# stepping left it (on the first "beta"): F3 moves the focus to the text
# without finding anything, and what is typed lands at the caret.
click $((field + 60)) 13
xdotool type --delay 40 "zzz"
for i in $(seq 1 25); do
  sleep 0.2
  e2e_screenshot "$win" nomatch.png
  [ "$(count_colour nomatch.png "$counter" "255,100,100")" -gt 50 ] && break
done
[ "$(count_colour nomatch.png "$counter" "255,100,100")" -gt 50 ] || e2e_fail "no light red no-match counter"
[ "$(count_colour nomatch.png "$text_area" "$green")" -eq 0 ] || e2e_fail "a search without matches marked text"
e2e_keys "$win" F3
xdotool type --delay 40 "X"
e2e_keys "$win" ctrl+s
expected=$(printf 'alpha Xbeta gamma\nBeta delta\nepsilon bETa end\n' | od -An -c)
for i in $(seq 1 50); do
  [ "$(od -An -c <"$target")" = "$expected" ] && break
  sleep 0.2
done
[ "$(od -An -c <"$target")" = "$expected" ] || e2e_fail "the caret moved: saved$(od -An -c <"$target")"

# Find Next with an empty field does nothing and the field keeps the focus:
# what is typed next is a search again.
click $((field + 174)) 13
click $((field + 60)) 13
e2e_keys "$win" F3
xdotool type --delay 40 "delta"
shot_until last.png some || e2e_fail "after F3 on an empty field the typing did not reach the field"
e2e_pass
