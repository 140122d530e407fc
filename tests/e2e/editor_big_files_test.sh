#!/usr/bin/env bash
# Files past 2 GiB and past 4 GiB through the real editor: each is opened
# through the Open dialog, Ctrl+End and a typed word reach its very end,
# the save writes it byte for byte, the search strip counts a word placed
# at the start, just past 2 GiB, just past 4 GiB and at the end, and the
# program's peak memory stays within 1.15 times the file. Skipped (exit
# 77) where the disk or the memory cannot take the files.
#   editor_big_files_test.sh BIN_DIR DATA_DIR
set -u
bin=$1 data=$2
here=$(cd "$(dirname "$0")" && pwd)
. "$here/e2e_lib.sh"

# The files lie in the test's folder, which goes at the end whatever
# happens: gigabytes left behind would fail the next run's disk check. A
# time-out's signal ends the script through the same exit.
docs=$e2e_dir/docs
mkdir -p "$docs"
trap 'exit 1' TERM INT HUP

two=$((2 * 1024 * 1024 * 1024)) four=$((4 * 1024 * 1024 * 1024))
sizes="$((two + two / 4)) $((four + 1024 * 1024))"

# The word has no byte in common with the filler, so that the search
# strip's first keystroke finds only its own few places.
word='#tavmark'
filler() {
  yes 'The quick brown fox jumps over the lazy dog; a line of text about one hundred bytes long, for tests.' |
    head -c "$1"
}
# A document of SIZE bytes: lines of 100 bytes, the word in the first line,
# in the first line past 2 GiB and, where the size reaches, past 4 GiB.
document() {
  local size=$1 at=0 mark
  for mark in 0 "$two" "$four"; do
    [ "$mark" -lt "$size" ] || break
    filler $((mark - at))
    printf '%s here\n' "$word"
    at=$((mark + ${#word} + 6))
  done
  filler $((size - at))
}

largest=${sizes##* }
avail_disk=$(df -B1 --output=avail "$docs" | tail -n 1 | tr -d ' ')
# The file, and the new file a save writes beside it before it replaces it.
if [ "$avail_disk" -lt $((3 * largest)) ]; then
  echo "SKIPPED: $((avail_disk >> 20)) MiB free on the disk, the test needs $((3 * largest >> 20)) MiB" >&2
  exit 77
fi
avail_memory=$(awk '/^MemAvailable:/ {printf "%.0f\n", $2 * 1024}' /proc/meminfo)
if [ "${avail_memory:-0}" -lt $((largest + largest / 4 + (512 << 20))) ]; then
  echo "SKIPPED: $((${avail_memory:-0} >> 20)) MiB of memory available, the test needs $(((largest + largest / 4 + (512 << 20)) >> 20)) MiB" >&2
  exit 77
fi

facts=$(realpath "$bin/program-facts.exe")
# The search strip's counter as the program shows it, e.g. " 2 of 4 ".
wait_counter() {
  local want=$1 i
  for i in $(seq 1 150); do
    wine "$facts" texts "$title" 2>/dev/null | tr -d '\r' | grep -qx "text= *$want *" && return 0
    sleep 0.4
  done
  return 1
}

checked=0
for size in $sizes; do
  name=big-$size.txt file=$docs/$name title="$name - Tavrel"
  document "$size" >"$file"
  [ "$(stat -c %s "$file")" = "$size" ] || e2e_fail "$name was made with $(stat -c %s "$file") bytes"
  expected_marks=3
  [ "$size" -gt "$four" ] && expected_marks=4

  e2e_start "$bin/Tavrel.exe" "$data" || exit 1
  win=$(e2e_wait_window "^Untitled - Tavrel$" 40) || e2e_fail "no editor window"
  e2e_keys "$win" ctrl+o
  dialog=$(e2e_wait_window "^Open$" 20) || e2e_fail "no Open dialog"
  e2e_keys "$dialog" ctrl+a
  e2e_type "$dialog" "$(e2e_winpath "$file")"
  e2e_keys "$dialog" Return
  # Reading gigabytes takes a while; the title counts it and then names
  # the file. A crash ends the process.
  for i in $(seq 1 600); do
    [ "$(xdotool getwindowname "$win" 2>/dev/null)" = "$title" ] && break
    kill -0 "$e2e_pid" 2>/dev/null || e2e_fail "the program ended while opening $name: $(tail -5 "$e2e_dir/program.log")"
    sleep 0.5
  done
  [ "$(xdotool getwindowname "$win" 2>/dev/null)" = "$title" ] ||
    e2e_fail "$name did not open: the title is '$(xdotool getwindowname "$win" 2>/dev/null)'"

  # The word typed at the very end, then saved.
  e2e_keys "$win" ctrl+End
  e2e_type "$win" "$word"
  e2e_keys "$win" ctrl+s
  for i in $(seq 1 600); do
    [ "$(stat -c %s "$file")" = $((size + ${#word})) ] && [ "$(xdotool getwindowname "$win")" = "$title" ] && break
    kill -0 "$e2e_pid" 2>/dev/null || e2e_fail "the program ended while saving $name"
    sleep 0.5
  done
  [ "$(stat -c %s "$file")" = $((size + ${#word})) ] ||
    e2e_fail "$name was not saved with the typed word: $(stat -c %s "$file") bytes"
  # Compared with the same bytes made again, streamed, never held whole.
  cmp "$file" <(document "$size"; printf '%s' "$word") >"$e2e_dir/cmp.txt" 2>&1 ||
    e2e_fail "$name saved differs: $(head -c 200 "$e2e_dir/cmp.txt")"

  # The strip counts every place of the word, the last one at the end.
  eval "$(xdotool getwindowgeometry --shell "$win")"
  xdotool mousemove --window "$win" $((WIDTH - 147)) 13 click 1
  xdotool type --delay 40 "$word"
  wait_counter "1 of $expected_marks" || e2e_fail "$name: the counter does not show 1 of $expected_marks"
  for n in $(seq 2 "$expected_marks"); do
    e2e_keys "$win" Return
    wait_counter "$n of $expected_marks" || e2e_fail "$name: Find Next did not reach $n of $expected_marks"
  done
  e2e_keys "$win" Return
  wait_counter "1 of $expected_marks" || e2e_fail "$name: Find Next after the last match did not wrap to the first"

  peak=$(awk '/^VmHWM:/ {printf "%.0f\n", $2 * 1024}' "/proc/$e2e_pid/status")
  echo "$name: peak memory $((peak >> 20)) MiB for $((size >> 20)) MiB of text"
  [ "${peak:-0}" -gt 0 ] || e2e_fail "no peak memory for the program"
  [ $((peak * 100)) -le $((size * 115)) ] ||
    e2e_fail "$name: peak memory $((peak >> 20)) MiB is more than 1.15 times the file's $((size >> 20)) MiB"

  e2e_close_window "$win" 60 || e2e_fail "the program did not end after $name"
  e2e_pid=""
  rm -f "$file"
  checked=$((checked + 1))
done
# An error in the shell's own arithmetic leaves the loop early, not the test.
[ "$checked" = 2 ] || e2e_fail "only $checked of the 2 files were checked"
e2e_pass
