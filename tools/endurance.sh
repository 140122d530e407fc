#!/usr/bin/env bash
# The endurance run of the real main window: CYCLES (default 1000) cycles
# of opening a recent file, searching, the File menu, spell checking and
# printing to PDF, with the owners' handle counts and the process's private
# memory printed after the warm-up and at the end; it fails when a count
# moves or memory grows by more than 5 %. test.sh runs the same test with 20 cycles.
#   tools/endurance.sh [CYCLES]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cycles=${1:-1000}
cd "$root"
[ -d build/cross ] || ./tools/build-all.sh
cmake --build build/cross -j2 --target wine_app_endurance_test
. tools/wine-session.sh
# Each cycle prints to a private PDF queue, up before Wine looks for printers.
printed=$(mktemp -d)
trap 'wine_session_stop; rm -rf "$printed"' EXIT
print_server_start "$printed" Tavrel_PDF || echo "endurance: no print server: the cycles print nothing" >&2
wine_session_start auto
cd data
# About 1 s a cycle with printing: a time-out of four seconds a cycle.
TAVREL_ENDURANCE_CYCLES=$cycles timeout $((cycles * 4 + 120)) wine ../build/cross/bin/wine_app_endurance_test.exe
