#!/usr/bin/env bash
# Names typed into the real dialogs with dots or spaces at their end, which
# the system drops on the way to the file: "held.txt..." opens held.txt and
# Save As to "saved.txt  " writes saved.txt. The title and the recent-files
# list name the file itself, and opening it by its plain name after its
# dotted one leaves one entry in the list, not two.
#   editor_trailing_dots_test.sh BIN_DIR DATA_DIR
set -u
bin=$1 data=$2
here=$(cd "$(dirname "$0")" && pwd)
. "$here/e2e_lib.sh"

docs=$e2e_dir/docs
mkdir -p "$docs"
printf 'held text\r\n' >"$docs/held.txt"
printf 'other text\r\n' >"$docs/other.txt"
list=$e2e_work/RecentFiles.dat

# title: the editor's window title now, for messages.
title() { xdotool search --onlyvisible --name ' - Tavrel$' getwindowname 2>/dev/null | head -n 1; }

# through_dialog WINDOW TITLE TEXT: TEXT typed into the dialog opened by
# the key or menu keys in the rest, then Return; the dialog must go.
through_dialog() {
  local win=$1 name=$2 text=$3 dialog
  shift 3
  e2e_keys "$win" "$@"
  dialog=$(e2e_wait_window "^$name$" 20) || e2e_fail "no $name dialog"
  e2e_keys "$dialog" ctrl+a
  e2e_type "$dialog" "$text"
  e2e_keys "$dialog" Return
  e2e_wait_gone "^$name$" 20 || e2e_fail "the $name dialog stayed open on '$text'"
}

e2e_start "$bin/Tavrel.exe" "$data" || exit 1
win=$(e2e_wait_window "^Untitled - Tavrel$" 40) || e2e_fail "no window titled 'Untitled - Tavrel'"

through_dialog "$win" Open "$(e2e_winpath "$docs/held.txt")..." ctrl+o
win=$(e2e_wait_window "^held\.txt - Tavrel$" 20) || e2e_fail "opening held.txt... gave the title '$(title)'"
win=$(e2e_open "$win" "$docs/other.txt") || e2e_fail "other.txt did not open"
win=$(e2e_open "$win" "$docs/held.txt") || e2e_fail "held.txt did not open by its plain name"

e2e_type "$win" "Y"
through_dialog "$win" "Save As" "$(e2e_winpath "$docs/saved.txt")  " alt+f a
win=$(e2e_wait_window "^saved\.txt - Tavrel$" 20) || e2e_fail "Save As to 'saved.txt  ' gave the title '$(title)'"
for i in $(seq 1 100); do
  [ "$(cat "$docs/saved.txt" 2>/dev/null)" = "$(printf 'Yheld text\r\n')" ] && break
  sleep 0.2
done
[ "$(cat "$docs/saved.txt" 2>/dev/null)" = "$(printf 'Yheld text\r\n')" ] || e2e_fail "saved.txt holds '$(cat "$docs/saved.txt" 2>/dev/null)'"
[ "$(ls "$docs" | tr '\n' ' ')" = "held.txt other.txt saved.txt " ] || e2e_fail "the folder holds: $(ls -Q "$docs")"

e2e_close_window "$win" 30 || e2e_fail "the editor did not end"
expected=$(for name in saved held other; do printf '%s\r\n' "$(e2e_winpath "$docs/$name.txt")"; done | od -c)
[ "$(od -c <"$list")" = "$expected" ] || e2e_fail "RecentFiles.dat holds: $(tr '\r\n' '|#' <"$list")"
e2e_pass
