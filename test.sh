#!/usr/bin/env bash
# Builds everything and runs every test: native unit tests, Win32 tests under
# Wine and end-to-end tests of the real programs, in one CTest run.
set -uo pipefail
root=$(cd "$(dirname "$0")" && pwd)
cd "$root"
# Includes against the layer order fail the run before anything is built.
./tools/check-layers.sh || { echo "test.sh: layer check failed" >&2; exit 1; }
./tools/build-all.sh --with-native --package || { echo "test.sh: build failed" >&2; exit 1; }

. tools/wine-session.sh
trap wine_session_stop EXIT
# A real printer for the printing tests: a private print server whose
# default queue writes PDF files, up before Wine first looks for printers.
# Tests that read what was printed start a server of their own.
rm -rf build/printed
if print_server_start build/printed Tavrel_PDF; then
  export TAVREL_PRINT_QUEUE=Tavrel_PDF
else
  echo "test.sh: no print server; the printing tests will fail or skip" >&2
fi
wine_session_start yes

# One CTest run over both build trees.
cat > build/CTestTestfile.cmake <<CTEST
subdirs("native")
subdirs("cross")
CTEST
cd build
ctest -j"$(nproc)" --output-on-failure --timeout 300 "$@"
