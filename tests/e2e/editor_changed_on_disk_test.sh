#!/usr/bin/env bash
# Another program changes the open document's file: the real editor asks
# before Ctrl+S writes over it. No keeps the file as the other program left
# it and the text in the editor, still unsaved; Yes writes the text; what
# the editor wrote is what later saves compare with, so they ask nothing; a
# file that has vanished is written anew without a question; and No behind
# the unsaved-changes question on closing keeps the program open.
#   editor_changed_on_disk_test.sh BIN_DIR DATA_DIR
set -u
bin=$1 data=$2
here=$(cd "$(dirname "$0")" && pwd)
. "$here/e2e_lib.sh"

file=$e2e_dir/notes.txt want=$e2e_dir/want
title='^notes\.txt - Tavrel$'
printf 'first line\r\n' >"$file"

# expect_bytes BYTES WHAT: the file holds exactly BYTES (printf format),
# within 20 seconds.
expect_bytes() {
  local i
  printf "$1" >"$want"
  for i in $(seq 1 100); do
    cmp -s "$file" "$want" && return 0
    sleep 0.2
  done
  e2e_fail "$2: the file holds '$(cat -v "$file" 2>&1)'"
}

# answer_box KEY WHAT [OLD_BOX]: a box titled like the editor's questions
# comes (another than OLD_BOX), takes KEY, and goes; prints its id.
answer_box() {
  local key=$1 what=$2 old=${3:-} box="" i
  for i in $(seq 1 100); do
    box=$(xdotool search --onlyvisible --name '^Tavrel$' 2>/dev/null | grep -vx "${old:-none}" | head -n 1)
    [ -n "$box" ] && break
    sleep 0.2
  done
  [ -n "$box" ] || e2e_fail "$what: no question was asked"
  e2e_keys "$box" "$key"
  for i in $(seq 1 100); do
    xdotool search --onlyvisible --name '^Tavrel$' 2>/dev/null | grep -qx "$box" || { echo "$box"; return 0; }
    sleep 0.2
  done
  e2e_fail "$what: the question stayed open"
}

no_box() {
  [ -z "$(xdotool search --onlyvisible --name '^Tavrel$' 2>/dev/null)" ] || e2e_fail "$1: a question was asked"
}

e2e_start "$bin/Tavrel.exe" "$data" || exit 1
win=$(e2e_wait_window "^Untitled - Tavrel$" 40) || e2e_fail "no window titled 'Untitled - Tavrel'"
sleep 1
win=$(e2e_open "$win" "$file") || e2e_fail "notes.txt did not open"

# Another program appends a line while the editor has the file open.
printf 'their line\r\n' >>"$file"
e2e_type "$win" "mine "
e2e_keys "$win" ctrl+s
answer_box n "No" >/dev/null
expect_bytes 'first line\r\ntheir line\r\n' "No"
e2e_wait_window "$title" 5 >/dev/null || e2e_fail "No: the title changed"

# Still unsaved and the file still changed: asked again; Yes writes the text.
e2e_keys "$win" ctrl+s
answer_box y "Yes" >/dev/null
expect_bytes 'mine first line\r\n' "Yes"
e2e_wait_window "$title" 5 >/dev/null || e2e_fail "Yes: the title changed"

# What the editor wrote itself is no change by another program.
e2e_type "$win" "again "
e2e_keys "$win" ctrl+s
expect_bytes 'mine again first line\r\n' "a save after a save"
no_box "a save after a save"

# A file that has vanished is written anew.
rm -f "$file"
e2e_type "$win" "new "
e2e_keys "$win" ctrl+s
expect_bytes 'mine again new first line\r\n' "a vanished file"
no_box "a vanished file"

# Closing: Yes to saving, then No to writing over the other program's line:
# the closing stops there.
printf 'theirs again\r\n' >>"$file"
e2e_type "$win" "x"
e2e_keys "$win" alt+F4
first=$(answer_box y "closing: saving changes") || exit 1
answer_box n "closing: overwriting" "$first" >/dev/null
expect_bytes 'mine again new first line\r\ntheirs again\r\n' "closing"
e2e_wait_window "$title" 5 >/dev/null || e2e_fail "closing: the title changed"

# Still running with its text unsaved: closing asks once more.
e2e_keys "$win" alt+F4
answer_box n "closing without saving" >/dev/null
e2e_wait_exit 30 || e2e_fail "the program did not end after No"
expect_bytes 'mine again new first line\r\ntheirs again\r\n' "closed without saving"
e2e_pass
