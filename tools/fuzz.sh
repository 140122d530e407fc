#!/usr/bin/env bash
# Builds the fuzz targets of the portable parsers with clang's libFuzzer and
# runs each for a while (default 60 s). Not part of the test suite.
#   tools/fuzz.sh [SECONDS] [TARGET...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
shift || true
out=${TAVREL_FUZZ_DIR:-/tmp/tavrel-fuzz}
mkdir -p "$out"
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=($(cd "$root/tests/fuzz" && ls *_fuzz.cpp | sed 's/\.cpp$//'))
portable="$(cd "$root" && find toolkit -name '*.cpp' ! -name '*_win32.cpp' | sort) platform/error_log.cpp app/recent_files_list.cpp"
for t in "${targets[@]}"; do
  echo "== $t"
  (cd "$root" && clang++ -std=c++20 -g -O1 -I. -fsanitize=fuzzer,address,undefined \
     -fno-sanitize-recover=all "tests/fuzz/$t.cpp" $portable -o "$out/$t")
  mkdir -p "$out/$t.corpus"
  "$out/$t" -max_total_time="$seconds" -print_final_stats=1 "$out/$t.corpus" 2>&1 | tail -n 4
done
