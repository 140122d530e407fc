#!/usr/bin/env bash
# Where the editor stands, in one table: every figure next to its floor
# (the least the same work can cost, measured in the same run) and, where
# they are at hand, the same figure for Wine's Notepad and for SciTE, with
# the least, middle and greatest value over several runs. Builds what it
# needs, runs everything under its own Wine session and display, prints
# the table and writes it as CSV and as a PNG chart.
#
#   bench/run.sh [--quick] [--runs N] [--out DIR]
#
# --quick: small sizes and one run, to see that everything works (a few
# minutes). The full run (open and save 200 MiB and 1 GiB, search 100 MiB,
# spell check 10 MiB, switching spelling on in 10 and 100 MiB, keys in a
# 10 MiB line and the 100 MiB line's open-to-save, peers on 200 MiB) takes
# about 30 minutes on two idle
# cores, half of it Notepad opening 200 MiB (over two minutes each
# time). Needs about 3 GB of free disk for the documents, which are deleted
# afterwards.
#
# SciTE comes from tools/build-scite.sh when the clone has it (or from
# $TAVREL_SCITE, the path of a SciTE.exe); start-up figures from
# bench/startup_bench.sh when the clone has it. Without them those rows are
# left out with a note.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

quick=0 runs="" out=$root/build/bench
while [ $# -gt 0 ]; do
  case $1 in
    --quick) quick=1; shift ;;
    --runs) runs=$2; shift 2 ;;
    --out) out=$2; shift 2 ;;
    -h|--help) sed -n '2,23p' "$0"; exit 0 ;;
    *) echo "unknown argument $1" >&2; exit 2 ;;
  esac
done
if [ $quick = 1 ]; then
  big=16 huge=32 search_mib=8 typed_mib=1 spell_mib=1 spell_big_mib=8 peer_mib=8 runs=${runs:-1} peer_runs=1
  line_mib=1 long_line_mib=8
else
  big=200 huge=1024 search_mib=100 typed_mib=10 spell_mib=10 spell_big_mib=100 peer_mib=200 runs=${runs:-5} peer_runs=3
  line_mib=10 long_line_mib=100
fi
huge_runs=$(( runs < 3 ? runs : 3 ))
peer_runs=$(( runs < peer_runs ? runs : peer_runs ))

mkdir -p "$out"
rows=$out/rows.txt notes=$out/notes.txt log=$out/run.log work=$out/documents
: >"$rows"
: >"$notes"
: >"$log"
note() { echo "$*" | tee -a "$notes" >&2; }
started=$(date +%s)

# ------------------------------------------------------------------ building
if [ ! -f build/cross/CMakeCache.txt ] || [ ! -d data/Dictionaries ]; then
  echo "building everything (first run)..." >&2
  ./tools/build-all.sh >>"$log" 2>&1 || { tail -30 "$log"; exit 1; }
fi
echo "building the program and the benchmarks..." >&2
cmake --build build/cross -j"$(nproc)" --target Tavrel open_save_bench search_bench spell_check_bench long_line_bench >>"$log" 2>&1 ||
  { tail -30 "$log"; exit 1; }
bin=$root/build/cross/bin

# The chart's library (Debian's, so Debian's interpreter) and the tools
# that drive whole programs.
py=/usr/bin/python3
[ -x $py ] || py=python3
missing=()
$py -c 'import matplotlib' 2>/dev/null || missing+=(python3-matplotlib)
command -v xdotool >/dev/null || missing+=(xdotool)
command -v import >/dev/null || missing+=(imagemagick)
if [ ${#missing[@]} -gt 0 ]; then
  echo "installing ${missing[*]}..." >&2
  if [ "$(id -u)" = 0 ]; then apt_get=(apt-get); else apt_get=(sudo apt-get); fi
  { "${apt_get[@]}" update && DEBIAN_FRONTEND=noninteractive "${apt_get[@]}" install -y --no-install-recommends "${missing[@]}"; } \
    >>"$log" 2>&1 || note "could not install ${missing[*]}"
fi

scite=""
if [ -x tools/build-scite.sh ]; then
  echo "building SciTE..." >&2
  scite=$(./tools/build-scite.sh 2>>"$log" | tail -n 1)
  [ -f "$scite" ] || { note "SciTE: tools/build-scite.sh gave no program; its rows are left out"; scite=""; }
elif [ -n "${TAVREL_SCITE:-}" ] && [ -f "$TAVREL_SCITE" ]; then
  scite=$TAVREL_SCITE
else
  note "SciTE: no tools/build-scite.sh in this clone (nor \$TAVREL_SCITE); its rows are left out"
fi

# ------------------------------------------------------------ the session
. tools/wine-session.sh
cleanup() {
  wine_session_stop
  rm -rf "$work"
}
trap cleanup EXIT
echo "starting Wine..." >&2
wine_session_start yes >>"$log" 2>&1
mkdir -p "$work"
winwork="Z:$(echo "$work" | tr '/' '\\')"

# step NAME COMMAND...: runs a benchmark, its output to the log, its rows
# to the table; a failure is noted and the run goes on.
step() {
  local name=$1 status
  shift
  echo "[$(( $(date +%s) - started ))s] $name..." >&2
  echo "=== $name: $*" >>"$log"
  "$@" >"$out/step.out" 2>&1
  status=$?
  cat "$out/step.out" >>"$log"
  grep '^row,' "$out/step.out" >>"$rows"
  [ $status = 0 ] || note "$name failed (exit $status); see $log"
  return 0
}

# A document of English-like lines mixing in some non-ASCII letters.
make_document() {
  python3 - "$1" "$2" <<'EOF'
import random, sys
path, mib = sys.argv[1], int(sys.argv[2])
random.seed(1)
words = ["editor", "caf\u00e9", "na\u00efve", "text", "line", "bytes", "stra\u00dfe", "window", "value", "count"]
lines, n = [], 0
while n < 4 << 20:
    line = " ".join(random.choice(words) for _ in range(random.randint(3, 20))) + "\r\n"
    lines.append(line)
    n += len(line.encode())
block = "".join(lines).encode()[: 4 << 20]
with open(path, "wb") as f:
    for _ in range(mib // 4):
        f.write(block)
    f.write(block[: (mib % 4) << 20])
EOF
}

cd data
step "open and save $big MiB" wine "$bin/open_save_bench.exe" "$big" "$winwork" "$runs"
step "open and save $huge MiB" wine "$bin/open_save_bench.exe" "$huge" "$winwork" "$huge_runs"
step "search keystroke $search_mib MiB" wine "$bin/search_bench.exe" "$search_mib" "$typed_mib" "$runs"
step "spell check $spell_mib MiB" wine "$bin/spell_check_bench.exe" "$spell_mib" "$runs"
step "spell on $spell_big_mib MiB" wine "$bin/spell_check_bench.exe" "$spell_big_mib" "$huge_runs" idle
cd "$root"

if [ -f bench/startup_bench.sh ]; then
  rm -f "$out/startup.csv"
  step "start-up" bash bench/startup_bench.sh --rounds "$(( runs < 3 ? 3 : runs ))" --csv "$out/startup.csv"
  # name,program,min_ms,median_ms,max_ms
  [ -f "$out/startup.csv" ] && awk -F, '$3 ~ /^[0-9.]+$/ {
      figure = $1 == "startup" ? "start-up to a shown window" : $1 == "startup_ready" ? "start-up until it answers" : $1
      printf "row,%s,%s,ms,%s,%s,%s,launch to the window (bench/startup_bench.sh)\n", figure, $2, $3, $4, $5 }' \
    "$out/startup.csv" >>"$rows"
else
  note "start-up: no bench/startup_bench.sh in this clone; its rows are left out"
fi

# One line of many megabytes (records of a minified dump, words with a
# misspelling now and then, a two-byte letter here and there), in the real
# programs: keys at its end, start and middle, word wrap off and on, and
# Tavrel's spelling on and off; then, in a fresh program each run, a longer
# line opened, gone to its end, a key typed and undone, and saved. Tavrel
# starts in a folder of its own (with the data's icons and dictionary) so
# that its recent-files list lands there.
make_line() {
  python3 - "$1" "$2" <<'EOF'
import random, sys
path, mib = sys.argv[1], int(sys.argv[2])
random.seed(3)
words = ["editor", "value", "line", "text", "window", "count", "caf\u00e9", "bytes", "recieve", "name", "teh", "item"]
target, parts, n = mib << 20, [], 0
while n < target:
    record = '{"id":%d,"name":"%s","text":"%s"},' % (random.randint(0, 99999), random.choice(words),
             " ".join(random.choice(words) for _ in range(random.randint(2, 9))))
    parts.append(record)
    n += len(record.encode())
data = "".join(parts).encode()[:target]
while data and data[-1] >= 0x80:
    data = data[:-1]
open(path, "wb").write(data)
EOF
}
line_folder=$work/line-program
mkdir -p "$line_folder"
ln -sfn "$root/data/icons" "$line_folder/icons"
ln -sfn "$root/data/Dictionaries" "$line_folder/Dictionaries"
winpath() { winepath -w "$1" 2>/dev/null; }
key_runs=$(( runs < 5 ? 5 : runs ))
make_line "$work/line-$line_mib.txt" "$line_mib"
line_file=$(winpath "$work/line-$line_mib.txt")
tavrel=(Tavrel "$(winpath "$bin/Tavrel.exe")" "$(winpath "$line_folder")")
step "keys in a $line_mib MiB line" wine "$bin/long_line_bench.exe" keys "${tavrel[@]}" "$line_file" "$key_runs"
step "keys in a $line_mib MiB line, spelling on" wine "$bin/long_line_bench.exe" keys "${tavrel[@]}" "$line_file" \
  "$key_runs" spelling
[ -n "$scite" ] && step "SciTE, keys in a $line_mib MiB line" wine "$bin/long_line_bench.exe" keys SciTE \
  "$(winpath "$scite")" "$(winpath "$(dirname "$scite")")" "$line_file" "$key_runs"
rm -f "$work/line-$line_mib.txt"
make_line "$work/line-$long_line_mib.txt" "$long_line_mib"
line_file=$(winpath "$work/line-$long_line_mib.txt")
step "open to save of a $long_line_mib MiB line" wine "$bin/long_line_bench.exe" workflow "${tavrel[@]}" \
  "$line_file" "$huge_runs"
# SciTE can take many minutes over a line this long: a run of more than
# ten minutes is stopped and noted.
[ -n "$scite" ] && step "SciTE, open to save of a $long_line_mib MiB line" timeout -k 5 600 wine \
  "$bin/long_line_bench.exe" workflow SciTE "$(winpath "$scite")" "$(winpath "$(dirname "$scite")")" "$line_file" 1
rm -rf "$work/line-$long_line_mib.txt" "$line_folder"

# Whole programs on their display: Tavrel on 1 GiB with a search, then the
# peers and Tavrel on the same file of the peers' size.
make_document "$work/whole-$huge.txt" "$huge"
step "Tavrel, whole program, $huge MiB" bash bench/program_bench.sh Tavrel "$bin/Tavrel.exe" "$work/whole-$huge.txt" \
  --runs "$huge_runs" --search editor --data "$root/data"
rm -f "$work/whole-$huge.txt"
make_document "$work/peer-$peer_mib.txt" "$peer_mib"
step "Tavrel, whole program, $peer_mib MiB" bash bench/program_bench.sh Tavrel "$bin/Tavrel.exe" \
  "$work/peer-$peer_mib.txt" --runs "$peer_runs" --data "$root/data"
step "Notepad, whole program, $peer_mib MiB" bash bench/program_bench.sh Notepad notepad "$work/peer-$peer_mib.txt" \
  --runs "$peer_runs"
[ -n "$scite" ] && step "SciTE, whole program, $peer_mib MiB" bash bench/program_bench.sh SciTE "$scite" \
  "$work/peer-$peer_mib.txt" --runs "$peer_runs"
[ -n "$scite" ] && note "SciTE: its whole-program open row is left out: it names the file and answers while it still loads the text in the background, and nothing seen from outside marks the end"
grep -h '^seen while busy' "$log" | sort -u >>"$notes"

# ------------------------------------------------------------ the table
$py bench/table.py "$rows" "$notes" "$out/bench.csv" "$out/bench.png" || exit 1
echo "took $(( ($(date +%s) - started) / 60 )) min; CSV $out/bench.csv, chart $out/bench.png, log $log" >&2
