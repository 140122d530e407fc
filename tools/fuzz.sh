#!/usr/bin/env bash
# Builds the fuzz targets of the portable parsers with clang's libFuzzer and
# runs each for a while (default 60 s).
#   tools/fuzz.sh [SECONDS] [TARGET...]
# A target may name the sources it needs in a line "// Fuzz sources: ..."
# (built faster), the libraries it links in a line "// Fuzz libraries:
# ...", and options of its own in "// Fuzz options: ..." (they come after,
# and so win over, the defaults); otherwise every portable source is built
# with it. Seeds
# in tests/fuzz/corpus/TARGET/ are read, new inputs go to TAVREL_FUZZ_DIR.
# Exits 77 (skipped) when clang or libFuzzer is missing.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
shift || true
out=${TAVREL_FUZZ_DIR:-/tmp/tavrel-fuzz}
mkdir -p "$out"
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=($(cd "$root/tests/fuzz" && ls *_fuzz.cpp | sed 's/\.cpp$//'))
if ! command -v clang++ >/dev/null ||
   ! echo 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long) { return 0; }' |
     clang++ -x c++ -fsanitize=fuzzer - -o "$out/.probe" 2>/dev/null; then
  echo "fuzz.sh: clang++ with libFuzzer not found; skipped"
  exit 77
fi
portable="$(cd "$root" && find toolkit -name '*.cpp' ! -name '*_win32.cpp' | sort) platform/error_log.cpp app/recent/recent_files_list.cpp"
for t in "${targets[@]}"; do
  echo "== $t"
  sources=$(sed -n 's|^// Fuzz sources: ||p' "$root/tests/fuzz/$t.cpp")
  libraries=$(sed -n 's|^// Fuzz libraries: ||p' "$root/tests/fuzz/$t.cpp")
  # The whole portable toolkit holds the image decoders too.
  [ -n "$sources" ] || { sources=$portable; libraries="$libraries -lpng -ljpeg"; }
  (cd "$root" && clang++ -std=c++20 -g -O1 -I. -fsanitize=fuzzer,address,undefined \
     -fno-sanitize-recover=all "tests/fuzz/$t.cpp" $sources $libraries -o "$out/$t")
  mkdir -p "$out/$t.corpus"
  seeds=()
  [ -d "$root/tests/fuzz/corpus/$t" ] && seeds=("$root/tests/fuzz/corpus/$t")
  options=$(sed -n 's|^// Fuzz options: ||p' "$root/tests/fuzz/$t.cpp")
  "$out/$t" -max_total_time="$seconds" -rss_limit_mb=1024 -print_final_stats=1 $options \
    "$out/$t.corpus" "${seeds[@]}" 2>&1 | grep -E '^(stat::number_of_executed_units|stat::peak_rss_mb|#[0-9]+ *DONE)|ERROR|SUMMARY|crash-|leak-|timeout-|oom-'
done
