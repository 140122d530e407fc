#!/usr/bin/env bash
# A save of a big document that never finishes leaves its new text beside
# the document in a side file. Killed mid-save, the editor's side file is
# deleted by the next copy that opens the document; a copy frozen mid-save
# is still at work: a second copy opening and saving the same document
# leaves its side file alone, and once it runs again its save completes.
# Each time the document is wholly old or wholly new.
#   editor_interrupted_save_test.sh BIN_DIR DATA_DIR
set -u
bin=$1 data=$2
here=$(cd "$(dirname "$0")" && pwd)
. "$here/e2e_lib.sh"

docs=$e2e_dir/docs
mkdir -p "$docs"
doc=$docs/big.txt
yes 'A line of the big document, long enough to make its save take a while.' | head -c 100M >"$doc"
# What the document holds now, and the document with one letter put first.
cp "$doc" "$e2e_dir/now"

copies=""
trap 'for p in $copies; do kill -CONT "$p"; kill -9 "$p"; done 2>/dev/null; e2e_cleanup' EXIT

# start_copy -> sets pid and win: a new copy of the editor, shown.
start_copy() {
  e2e_start "$bin/Tavrel.exe" "$data" || exit 1
  pid=$e2e_pid copies="$copies $e2e_pid"
  e2e_wait_window "^Untitled - Tavrel$" 40 >/dev/null || e2e_fail "a copy of the editor showed no window"
  win=$(copy_window "^Untitled - Tavrel$" 5) || e2e_fail "the new copy's window is not its own"
}

# copy_window TITLE_REGEX SECONDS -> the window of copy $pid so titled.
copy_window() {
  local i id
  for i in $(seq 1 $(($2 * 5))); do
    id=$(xdotool search --all --onlyvisible --pid "$pid" --name "$1" 2>/dev/null | head -n 1)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.2
  done
  return 1
}

# activate: keyboard focus does not move between processes without a
# window manager; a click into the text makes the window the active one.
activate() {
  xdotool windowraise "$win" 2>/dev/null
  xdotool mousemove --window "$win" 200 200 click 1 2>/dev/null
}

open_doc() {
  local dialog
  activate
  e2e_keys "$win" ctrl+o
  dialog=$(e2e_wait_window "^Open$" 20) || e2e_fail "no Open dialog"
  e2e_keys "$dialog" ctrl+a
  e2e_type "$dialog" "$(e2e_winpath "$doc")"
  e2e_keys "$dialog" Return
  e2e_wait_gone "^Open$" 20 || e2e_fail "the Open dialog stayed"
  win=$(copy_window "^big\.txt - Tavrel$" 60) || e2e_fail "the document did not open"
}

# save_caught LETTER SIGNAL -> sets caught: LETTER typed at the start and
# Ctrl+S; SIGNAL sent to the copy as soon as a side file has bytes. Fails
# (to be tried again) when the save had finished by then; the document is
# then checked to be new, and "now" follows it.
save_caught() {
  local letter=$1 signal=$2 name deadline
  { printf '%s' "$letter"; cat "$e2e_dir/now"; } >"$e2e_dir/new"
  activate
  e2e_keys "$win" ctrl+Home
  e2e_type "$win" "$letter"
  e2e_keys "$win" ctrl+s
  caught=""
  deadline=$((SECONDS + 60))
  while [ -z "$caught" ] && [ $SECONDS -lt $deadline ]; do
    for name in "$docs"/big.txt.~saving-*; do
      [ -s "$name" ] && caught=${name##*/}
    done
  done
  kill "-$signal" "$pid"
  [ -n "$caught" ] || e2e_fail "the save of $letter never started writing"
  [ -e "$docs/$caught" ] && { cmp -s "$doc" "$e2e_dir/now" || e2e_fail "mid-save the document is no longer old"; return 0; }
  # Finished just before the signal.
  [ "$signal" = STOP ] && kill -CONT "$pid"
  e2e_wait_same "$doc" "$e2e_dir/new" 60 || e2e_fail "killed after its save of $letter, the document is neither old nor new"
  mv "$e2e_dir/new" "$e2e_dir/now"
  return 1
}

# A copy killed mid-save, at most three tries: its side file stays behind.
for try in 1 2 3; do
  start_copy
  open_doc
  save_caught A KILL && break
  e2e_wait_exit 20 || e2e_fail "the killed copy did not end"
  [ "$try" = 3 ] && e2e_fail "three saves ended before the kill"
done
e2e_wait_exit 20 || e2e_fail "the killed copy did not end"
stale=$caught
cmp -s "$doc" "$e2e_dir/now" || e2e_fail "killed mid-save, the document is not wholly old"

# The next copy's open deletes it.
start_copy
open_doc
for i in $(seq 1 25); do [ -e "$docs/$stale" ] || break; sleep 0.2; done
[ -e "$docs/$stale" ] && e2e_fail "opening the document left the killed save's $stale"
cmp -s "$doc" "$e2e_dir/now" || e2e_fail "opening the document changed it"

# That copy frozen mid-save: its side file is a running copy's.
for try in 1 2 3; do
  save_caught B STOP && break
  [ "$try" = 3 ] && e2e_fail "three saves ended before the freeze"
done
frozen_pid=$pid live=$caught
live_size=$(stat -c %s "$docs/$live")
cp "$e2e_dir/new" "$e2e_dir/frozen-new"

# A third copy opens and saves the same document; the frozen copy's file
# stays as it was.
start_copy
open_doc
[ -e "$docs/$live" ] || e2e_fail "opening the document deleted the side file of a copy still saving"
{ printf C; cat "$e2e_dir/now"; } >"$e2e_dir/third-new"
activate
e2e_keys "$win" ctrl+Home
e2e_type "$win" C
e2e_keys "$win" ctrl+s
e2e_wait_same "$doc" "$e2e_dir/third-new" 60 || e2e_fail "the third copy's save did not complete"
[ -e "$docs/$live" ] || e2e_fail "saving the document deleted the side file of a copy still saving"
[ "$(stat -c %s "$docs/$live")" = "$live_size" ] || e2e_fail "the frozen copy's side file changed"

# Running again, the frozen copy finishes its save: its text is the
# document's, and nothing is left beside it.
kill -CONT "$frozen_pid"
e2e_wait_same "$doc" "$e2e_dir/frozen-new" 60 || e2e_fail "the frozen copy's save did not complete once it ran again"
for i in $(seq 1 25); do [ "$(ls "$docs")" = big.txt ] && break; sleep 0.2; done
[ "$(ls "$docs")" = big.txt ] || e2e_fail "files left beside the document: $(ls "$docs")"
e2e_pass
