#!/usr/bin/env bash
# Two copies of the editor in the same working folder share
# "RecentFiles.dat": each opens its own file, and whichever ends last, or
# when both are killed right after opening, the file holds both copies'
# files, the last writer's first, above what was there before.
#   recent_files_two_copies_test.sh BIN_DIR DATA_DIR
set -u
bin=$1 data=$2
here=$(cd "$(dirname "$0")" && pwd)
. "$here/e2e_lib.sh"

docs=$e2e_dir/docs
mkdir -p "$docs"
for name in alpha beta gamma delta; do printf '%s text\r\n' "$name" >"$docs/$name.txt"; done
list=$e2e_work/RecentFiles.dat

# The library cleans up the copy in e2e_pid; both are ours.
pid_first="" pid_second=""
trap 'kill -9 $pid_first $pid_second 2>/dev/null; e2e_cleanup' EXIT

# wait_list_head NAME: until the list file starts with NAME.txt's path (the
# title changes just before the list is written).
wait_list_head() {
  local path i
  path=$(e2e_winpath "$docs/$1.txt")
  for i in $(seq 1 50); do
    [ -f "$list" ] && [ "$(head -n 1 "$list" | tr -d '\r')" = "$path" ] && return 0
    sleep 0.2
  done
  e2e_fail "opening $1.txt did not write it to RecentFiles.dat"
}

# two_copies_open FIRST SECOND: a copy opens FIRST.txt, then a second copy,
# started while the first runs, opens SECOND.txt. Leaves both running:
# pid_first and win_first, pid_second (also e2e_pid) and win_second.
two_copies_open() {
  local win
  e2e_start "$bin/Tavrel.exe" "$data" || exit 1
  pid_first=$e2e_pid
  win=$(e2e_wait_window "^Untitled - Tavrel$" 40) || e2e_fail "the first copy showed no window"
  win_first=$(e2e_open "$win" "$docs/$1.txt") || e2e_fail "the first copy did not open $1.txt"
  wait_list_head "$1"
  e2e_start "$bin/Tavrel.exe" "$data" || exit 1
  win=$(e2e_wait_window "^Untitled - Tavrel$" 40) || e2e_fail "the second copy showed no window"
  pid_second=$e2e_pid
  win_second=$(e2e_open "$win" "$docs/$2.txt") || e2e_fail "the second copy did not open $2.txt"
  wait_list_head "$2"
}

# close_copy PID WINDOW: Alt+F4 into the window; the process must end.
# Without a window manager, keyboard focus alone does not move between
# processes: a click into the text makes the window the active one.
close_copy() {
  local pid_kept=$e2e_pid
  xdotool windowraise "$2" 2>/dev/null
  xdotool mousemove --window "$2" 200 200 click 1 2>/dev/null
  e2e_pid=$1
  e2e_close_window "$2" 30 || e2e_fail "a copy did not end on Alt+F4"
  e2e_pid=$pid_kept
}

# expect_list NAME...: the file holds these documents' paths, in order.
expect_list() {
  local expected
  expected=$(for name in "$@"; do printf '%s\r\n' "$(e2e_winpath "$docs/$name.txt")"; done | od -c)
  [ "$(od -c <"$list")" = "$expected" ] ||
    e2e_fail "after '$*' was due, RecentFiles.dat holds: $(tr -d '\r' <"$list" | tr '\n' ' ')"
}

# The first copy ends first: the second, ending last, puts its file on top.
two_copies_open alpha beta
close_copy "$pid_first" "$win_first"
close_copy "$pid_second" "$win_second"
expect_list beta alpha

# The second copy ends first: the first, ending last, puts its file on top
# of the second's, both above the list they started with.
two_copies_open gamma delta
close_copy "$pid_second" "$win_second"
close_copy "$pid_first" "$win_first"
expect_list gamma delta beta alpha

# Both killed without a chance to write anything at the end: what each
# wrote when it opened its file is there, the later opener's first.
two_copies_open alpha beta
kill -9 "$pid_first" "$pid_second"
e2e_wait_gone "^(alpha|beta)\.txt - Tavrel$" 20 || e2e_fail "the killed copies' windows stayed"
expect_list beta alpha gamma delta
[ -z "$(ls -A "$e2e_work" | grep -i '^RecentFiles.dat.')" ] || e2e_fail "side files left: $(ls "$e2e_work")"
e2e_pass
