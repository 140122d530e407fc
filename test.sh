#!/usr/bin/env bash
# Builds everything and runs every test: native unit tests, Win32 tests under
# Wine and end-to-end tests of the real programs, in one CTest run.
set -uo pipefail
root=$(cd "$(dirname "$0")" && pwd)
cd "$root"
# Includes against the layer order fail the run before anything is built.
./tools/check-layers.sh || { echo "test.sh: layer check failed" >&2; exit 1; }
./tools/build-all.sh --with-native || { echo "test.sh: build failed" >&2; exit 1; }

. tools/wine-session.sh
trap wine_session_stop EXIT
wine_session_start yes

# One CTest run over both build trees.
cat > build/CTestTestfile.cmake <<CTEST
subdirs("native")
subdirs("cross")
CTEST
cd build
ctest -j"$(nproc)" --output-on-failure --timeout 300 "$@"
