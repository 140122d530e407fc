#!/usr/bin/env bash
# The recent-files list across a restart: three files opened through the
# Open dialog are written to "RecentFiles.dat" on exit, newest first; the
# next start lists them in the File menu, numbered, and choosing entry 2
# (by its number, the item's mnemonic) opens the second newest.
#   recent_files_test.sh BIN_DIR DATA_DIR
set -u
bin=$1 data=$2
here=$(cd "$(dirname "$0")" && pwd)
. "$here/e2e_lib.sh"

docs=$e2e_dir/docs
mkdir -p "$docs"
for name in alpha beta gamma; do printf '%s text\r\n' "$name" >"$docs/$name.txt"; done

e2e_start "$bin/Tavrel.exe" "$data" || exit 1
win=$(e2e_wait_window "^Untitled - Tavrel$" 40) || e2e_fail "no window titled 'Untitled - Tavrel'"
for name in alpha beta gamma; do
  win=$(e2e_open "$win" "$docs/$name.txt") || e2e_fail "$name.txt did not open through the Open dialog"
done
e2e_close_window "$win" 30 || e2e_fail "the program did not end on Alt+F4"

# Where the editor started, not where the dialog last looked.
list=$e2e_work/RecentFiles.dat
[ -f "$list" ] || e2e_fail "no RecentFiles.dat in the working folder"
expected=$(for name in gamma beta alpha; do printf '%s\r\n' "$(e2e_winpath "$docs/$name.txt")"; done | od -c)
[ "$(od -c <"$list")" = "$expected" ] || e2e_fail "RecentFiles.dat holds: $(od -c <"$list" | head -5)"
[ -z "$(ls "$docs" | grep -v '^[a-z]*\.txt$')" ] || e2e_fail "files left beside the documents: $(ls "$docs")"

e2e_start "$bin/Tavrel.exe" "$data" || exit 1
win=$(e2e_wait_window "^Untitled - Tavrel$" 40) || e2e_fail "no window titled 'Untitled - Tavrel' on the second start"
xdotool windowmove --sync "$win" 0 0 2>/dev/null
# e2e_open_file_menu: Alt+F, then until the menu's window shows.
e2e_open_file_menu() {
  local before i
  before=$(e2e_windows | wc -l)
  e2e_keys "$win" alt+f
  e2e_wait_window_count $((before + 1)) 10 || e2e_fail "Alt+F showed no menu"
}
e2e_open_file_menu
e2e_screenshot root menu.png
cp "$e2e_dir/menu.png" /tmp/tavrel-e2e-recent-menu.png 2>/dev/null
# The menu has the keyboard: no refocusing, which would close it.
xdotool key --clearmodifiers 2
win=$(e2e_wait_window "^beta.txt - Tavrel$" 20) || e2e_fail "entry 2 did not open beta.txt"
# Opened again, beta is now entry 1: entry 3 is alpha, the oldest.
e2e_open_file_menu
xdotool key --clearmodifiers 3
win=$(e2e_wait_window "^alpha.txt - Tavrel$" 20) || e2e_fail "entry 3 did not open alpha.txt"
e2e_close_window "$win" 30 || e2e_fail "the program did not end on Alt+F4 after the second start"
first=$(head -n 1 "$list" | tr -d '\r')
[ "$first" = "$(e2e_winpath "$docs/alpha.txt")" ] || e2e_fail "the list did not follow: first line '$first'"
e2e_pass
