#!/usr/bin/env bash
# The endurance run of the real main window: CYCLES (default 1000) cycles
# of opening a recent file, searching, the File menu and spell checking,
# with the owners' handle counts and the process's private memory printed
# after the warm-up and at the end; it fails when a count moves or memory
# grows by more than 5 %. test.sh runs the same test with 20 cycles.
#   tools/endurance.sh [CYCLES]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cycles=${1:-1000}
cd "$root"
[ -d build/cross ] || ./tools/build-all.sh
cmake --build build/cross -j2 --target wine_app_endurance_test
. tools/wine-session.sh
trap wine_session_stop EXIT
wine_session_start auto
cd data
# About 0.7 s a cycle: a time-out of two seconds a cycle.
TAVREL_ENDURANCE_CYCLES=$cycles timeout $((cycles * 2 + 120)) wine ../build/cross/bin/wine_app_endurance_test.exe
