#!/usr/bin/env bash
# The real editor driven with real keystrokes: its title, typing and saving
# through the Save As dialog, the unsaved-changes question on New and on
# closing, and the skinned File menu.
#   editor_document_test.sh BIN_DIR DATA_DIR
set -u
bin=$1 data=$2
here=$(cd "$(dirname "$0")" && pwd)
. "$here/e2e_lib.sh"

e2e_start "$bin/Tavrel.exe" "$data" || exit 1
win=$(e2e_wait_window "^Untitled - Tavrel$" 40) || e2e_fail "no window titled 'Untitled - Tavrel'"
sleep 1

# Alt+F opens the skinned File menu: its background is the grey mode's.
e2e_keys "$win" alt+f
sleep 1
e2e_screenshot root menu.png
e2e_keys "$win" Escape Escape
sleep 0.5
menu_pixels=$(convert "$e2e_dir/menu.png" -fill black +opaque "rgb(246,246,246)" -format "%[fx:int(mean*w*h)]" info:)
[ "${menu_pixels:-0}" -gt 2000 ] || e2e_fail "no skinned menu background seen after Alt+F ($menu_pixels pixels)"
separator_pixels=$(convert "$e2e_dir/menu.png" -fill black +opaque "rgb(145,153,164)" -fill white -opaque "rgb(145,153,164)" -format "%[fx:int(mean*w*h)]" info:)
[ "${separator_pixels:-0}" -gt 100 ] || e2e_fail "no menu separators in the grey mode's colour ($separator_pixels pixels)"

# Typing, then Ctrl+S: Save As asks for a name; a name without extension is
# used exactly as typed.
e2e_type "$win" "hello world"
e2e_keys "$win" ctrl+s
dialog=$(e2e_wait_window "^Save As$" 20) || e2e_fail "Ctrl+S did not open Save As"
target="$e2e_dir/notes"
sleep 0.5
e2e_keys "$dialog" ctrl+a
e2e_type "$dialog" "$(e2e_winpath "$target")"
e2e_keys "$dialog" Return
e2e_wait_gone "^Save As$" 20 || e2e_fail "Save As stayed open"
win=$(e2e_wait_window "^notes - Tavrel$" 20) || e2e_fail "the title did not follow the saved name"
[ -f "$target" ] || e2e_fail "no file named exactly 'notes' was created"
[ "$(cat "$target")" = "hello world" ] || e2e_fail "saved bytes differ: '$(cat "$target")'"
[ ! -e "$target.txt" ] || e2e_fail "an extension was added"

# New (File menu, by keyboard) on a modified document asks; Cancel keeps the text.
e2e_type "$win" " again"
e2e_keys "$win" alt+f n
box=$(e2e_wait_window "^Tavrel$" 20) || e2e_fail "New did not ask about unsaved changes"
e2e_keys "$box" Escape
e2e_wait_gone "^Tavrel$" 20 || e2e_fail "the question stayed open"
e2e_wait_window "^notes - Tavrel$" 5 >/dev/null || e2e_fail "Cancel did not keep the document"

# Closing with unsaved changes asks too; No discards and ends the program.
e2e_keys "$win" alt+F4
box=$(e2e_wait_window "^Tavrel$" 20) || e2e_fail "closing did not ask about unsaved changes"
e2e_keys "$box" n
e2e_wait_exit 30 || e2e_fail "the program did not end after No"
[ "$(cat "$target")" = "hello world" ] || e2e_fail "the file changed without being saved"
e2e_pass
