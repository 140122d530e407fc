#!/usr/bin/env bash
# Start-up time of the real editor next to Wine's Notepad and SciTE: launch
# to the first visible window, interleaved rounds on a warm Wine desktop,
# min/median/max per program, the ratios, and the editor's start-up trace.
# The floor, launched in the same rounds, is the least program that shows a
# window (bench/startup_floor_win32.cpp): what the system itself costs.
#   bench/startup_bench.sh [--rounds N] [--csv FILE] [--no-trace]
# --csv appends rows "name,program,min_ms,median_ms,max_ms" (a header first
# when the file is new): name "startup" is launch to the first visible
# window, "startup_ready" launch to the first message the program answers
# after showing it.
# Builds what is missing (the editor, the launcher, SciTE through
# tools/build-scite.sh); without a display it runs on a private Xvfb.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
rounds=15
csv=""
trace=1
while [ $# -gt 0 ]; do
  case $1 in
    --rounds) rounds=$2; shift 2 ;;
    --csv) csv=$(realpath -m "$2"); shift 2 ;;
    --no-trace) trace=0; shift ;;
    *) echo "usage: $0 [--rounds N] [--csv FILE] [--no-trace]" >&2; exit 2 ;;
  esac
done

cd "$root"
if [ -f build/cross/CMakeCache.txt ]; then
  cmake --build build/cross -j2 --target Tavrel startup_launch startup_floor >/dev/null
else
  ./tools/build-all.sh >&2
fi
bin=$root/build/cross/bin
scite=$(./tools/build-scite.sh | tail -n 1)
[ -f "$scite" ] || { echo "startup_bench: no SciTE ($scite)" >&2; exit 1; }

. tools/wine-session.sh
work=$(mktemp -d)
finish() {
  # A session of our own (on our own display) ends with us; one the caller
  # runs in stays.
  if [ -n "$_tavrel_xvfb_pid" ]; then wine_session_stop; fi
  rm -rf "$work"
}
trap finish EXIT
# Not under errexit: it starts what is missing and carries on. Its servers
# outlive the script and must not hold the caller's output open.
wine_session_start auto </dev/null >/dev/null 2>&1 || true

# Each program starts in a folder of its own, so that nothing the editor
# writes on closing (its recent-files list) lands in the data folder.
mkdir -p "$work/tavrel" "$work/notepad" "$work/scite" "$work/floor"
ln -s "$root/data/icons" "$work/tavrel/icons"
ln -s "$root/data/Dictionaries" "$work/tavrel/Dictionaries"
win() { winepath -w "$1" 2>/dev/null; }
args=(--rounds "$rounds")
[ $trace = 1 ] && args+=(--trace "$(win "$work")\\trace.txt")
args+=(Tavrel "$(win "$bin/Tavrel.exe")" "$(win "$work/tavrel")")
args+=(Notepad 'C:\windows\system32\notepad.exe' "$(win "$work/notepad")")
args+=(SciTE "$(win "$scite")" "$(win "$work/scite")")
# The floor: what any program's first window costs on this system.
args+=(Floor "$(win "$bin/startup_floor.exe")" "$(win "$work/floor")")

limit=$((120 + rounds * 4 * 40))
timeout -k 5 "$limit" wine "$bin/startup_launch.exe" "${args[@]}" 2>&1 | tr -d '\r' >"$work/out.txt" || {
  cat "$work/out.txt" >&2
  echo "startup_bench: the launcher failed" >&2
  exit 1
}
grep -v '^result ' "$work/out.txt"

median() { awk -v p="$1" -v k="$2" '$1 == "result" && $2 == p && $3 == k { print $5 }' "$work/out.txt"; }
echo
for peer in Notepad:1.5 SciTE:0.8; do
  name=${peer%%:*} target=${peer##*:}
  awk -v t="$(median Tavrel shown)" -v p="$(median "$name" shown)" -v n="$name" -v target="$target" \
    'BEGIN { r = t / p; printf "target Tavrel <= %.1fx %s: %.2fx, %s\n", target, n, r, (r <= target ? "met" : "missed") }'
done

if [ -n "$csv" ]; then
  [ -s "$csv" ] || echo "name,program,min_ms,median_ms,max_ms" >"$csv"
  awk '$1 == "result" { printf "%s,%s,%s,%s,%s\n", ($3 == "shown" ? "startup" : "startup_ready"), $2, $4, $5, $6 }' \
    "$work/out.txt" >>"$csv"
fi
