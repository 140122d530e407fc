#!/usr/bin/env bash
# The start-up benchmark's launcher starts the real editor, sees its window
# and closes it again, and the editor's start-up trace shows the steps in the
# order the user must get them: everything the window shows is built before
# it is shown, and what waits (recent files, dictionary, clipboard, printer)
# comes after it is painted. No timing is checked here.
#   startup_trace_test.sh BIN_DIR DATA_DIR
set -u
bin=$1 data=$2
here=$(cd "$(dirname "$0")" && pwd)
. "$here/e2e_lib.sh"

mkdir -p "$e2e_work"
for entry in "$data"/*; do ln -s "$(realpath "$entry")" "$e2e_work/"; done
trace_dir=$(winepath -w "$e2e_dir")
timeout -k 5 120 wine "$bin/startup_launch.exe" --rounds 1 --trace "$trace_dir\\trace.txt" \
  Tavrel "$(winepath -w "$bin/Tavrel.exe")" "$(winepath -w "$e2e_work")" >"$e2e_dir/out.txt" 2>&1 \
  || { cat "$e2e_dir/out.txt" >&2; e2e_fail "the launcher failed"; }
grep -q '^result Tavrel shown ' "$e2e_dir/out.txt" || e2e_fail "no timing of the editor: $(cat "$e2e_dir/out.txt")"
grep -q 'did not close' "$e2e_dir/out.txt" && e2e_fail "the editor did not close on WM_CLOSE"

# The marks as printed after the table, in the order they were taken.
steps=$(sed -n '/^start-up trace of Tavrel/,$p' "$e2e_dir/out.txt" | awk 'NR > 1 && NF { print $1 }' | tr -d '\r' | tr '\n' ' ')
expected="static-init entry toolkit-initialised toolkit-started main-window-created images-loaded menus-built \
main-toolbar-built search-strip-built rebar-built editor-created window-built shown painted recent-files \
dictionary-started clipboard-monitor printer-look-up-started event-loop "
[ "$steps" = "$expected" ] || e2e_fail "start-up steps: '$steps'"
e2e_pass
