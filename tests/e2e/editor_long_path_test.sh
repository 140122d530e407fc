#!/usr/bin/env bash
# Paths of more than 300 characters typed into the real dialogs: the Open
# dialog opens such a file (the title names it), an edit is saved with
# Ctrl+S, Save As (which starts from the long path) writes to another long
# path and asks before replacing an existing one, a long name of no file is
# refused with the editor's error box while the dialog stays, and the
# recent-files list keeps the long path.
#   editor_long_path_test.sh BIN_DIR DATA_DIR
set -u
bin=$1 data=$2
here=$(cd "$(dirname "$0")" && pwd)
. "$here/e2e_lib.sh"

deep=$e2e_dir/long/$(printf 'a%.0s' $(seq 120))/$(printf 'b%.0s' $(seq 120))
mkdir -p "$deep"
first_name=$(printf 'n%.0s' $(seq 60)).txt
second_name=$(printf 'o%.0s' $(seq 250))
first=$deep/$first_name second=$deep/$second_name
printf 'first line\r\n' >"$first"
[ "$(e2e_winpath "$first" | wc -c)" -gt 300 ] || e2e_fail "the test path is not long enough"

# wait_bytes FILE TEXT SECONDS: FILE holds exactly TEXT (printf escapes).
wait_bytes() {
  local i
  for i in $(seq 1 $(($3 * 5))); do
    [ "$(od -An -c "$1" 2>/dev/null)" = "$(printf "$2" | od -An -c)" ] && return 0
    sleep 0.2
  done
  return 1
}

# save_as_dialog WINDOW -> prints the Save As dialog, opened from the File menu.
save_as_dialog() {
  e2e_keys "$1" alt+f a
  e2e_wait_window "^Save As$" 20
}

e2e_start "$bin/Tavrel.exe" "$data" || exit 1
win=$(e2e_wait_window "^Untitled - Tavrel$" 40) || e2e_fail "no window titled 'Untitled - Tavrel'"

# A long name of no file: the error box, and the dialog stays with the name.
e2e_keys "$win" ctrl+o
dialog=$(e2e_wait_window "^Open$" 20) || e2e_fail "Ctrl+O did not open the Open dialog"
e2e_keys "$dialog" ctrl+a
e2e_type "$dialog" "$(e2e_winpath "$deep/missing-$first_name")"
e2e_keys "$dialog" Return
box=$(e2e_wait_window "^Tavrel$" 20) || e2e_fail "a long name of no file was not refused"
e2e_keys "$box" Return
e2e_wait_gone "^Tavrel$" 20 || e2e_fail "the error box stayed open"
kill -0 "$e2e_pid" 2>/dev/null || e2e_fail "the editor ended"
e2e_wait_window "^Open$" 5 >/dev/null || e2e_fail "the Open dialog closed on a name of no file"
e2e_keys "$dialog" Escape
e2e_wait_gone "^Open$" 20 || e2e_fail "the Open dialog did not close"

# Opened through the dialog, edited and saved in place.
win=$(e2e_open "$win" "$first") || e2e_fail "the long path did not open (editor alive: $(kill -0 "$e2e_pid" 2>/dev/null && echo yes || echo no))"
e2e_keys "$win" ctrl+Home
e2e_type "$win" "X"
e2e_keys "$win" ctrl+s
wait_bytes "$first" 'Xfirst line\r\n' 20 || e2e_fail "Ctrl+S did not write the edit: '$(cat "$first")'"
[ "$(ls -A "$deep" | wc -l)" = 1 ] || e2e_fail "files left beside the document: $(ls -A "$deep")"

# Save As starts from the long path and writes to another one.
e2e_type "$win" "Y"
dialog=$(save_as_dialog "$win") || e2e_fail "Save As did not open from the long path"
e2e_keys "$dialog" ctrl+a
e2e_type "$dialog" "$(e2e_winpath "$second")"
e2e_keys "$dialog" Return
e2e_wait_gone "^Save As$" 20 || e2e_fail "Save As to a long path stayed open"
win=$(e2e_wait_window "^$second_name - Tavrel$" 20) || e2e_fail "the title did not follow Save As"
wait_bytes "$second" 'XYfirst line\r\n' 20 || e2e_fail "Save As wrote '$(cat "$second" 2>/dev/null)'"

# Save As over the existing long file asks first (a second window titled
# as the dialog); Yes replaces it.
e2e_type "$win" "Z"
dialog=$(save_as_dialog "$win") || e2e_fail "Save As did not open a second time"
e2e_keys "$dialog" ctrl+a
e2e_type "$dialog" "$(e2e_winpath "$first")"
e2e_keys "$dialog" Return
for i in $(seq 1 100); do
  [ "$(xdotool search --onlyvisible --name "^Save As$" 2>/dev/null | wc -l)" -ge 2 ] && break
  sleep 0.2
done
question=$(xdotool search --onlyvisible --name "^Save As$" 2>/dev/null | grep -v "^$dialog$" | head -n 1)
[ -n "$question" ] || e2e_fail "replacing an existing long file was not asked"
e2e_keys "$question" y
e2e_wait_gone "^Save As$" 20 || e2e_fail "Save As stayed open after Yes"
e2e_wait_window "^$first_name - Tavrel$" 20 >/dev/null || e2e_fail "the title did not follow the replaced file"
wait_bytes "$first" 'XYZfirst line\r\n' 20 || e2e_fail "the replaced file holds '$(cat "$first")'"

# The recent-files list, written at the end, keeps both long paths.
e2e_close_window "$win" 30 || e2e_fail "the editor did not end"
for name in "$first_name" "$second_name"; do
  grep -q "$name" "$e2e_work/RecentFiles.dat" 2>/dev/null || e2e_fail "$name is not in the recent-files list"
done
e2e_pass
