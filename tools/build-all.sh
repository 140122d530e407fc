#!/usr/bin/env bash
# Everything both README commands need before they run anything: tools from
# Debian's archive, dependencies from its source packages (cached outside the
# clone), the run-time data folder, and the builds.
#   build-all.sh [--with-native] [--package]
# --package also writes the release package, build/cross/Tavrel-VERSION-win64.zip.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
with_native=0 package=0
for arg in "$@"; do
  case $arg in
    --with-native) with_native=1 ;;
    --package) package=1 ;;
    *) echo "build-all.sh: unknown option $arg" >&2; exit 2 ;;
  esac
done

if [ "$(id -u)" = 0 ]; then
  ./deps/install-tools.sh
else
  sudo ./deps/install-tools.sh
fi
deps=$(./deps/build-deps.sh)
licenses=$(./deps/collect-licenses.sh)
./tools/make-data.sh "$root/data"

jobs=$(nproc)
mkdir -p build
cmake -S . -B build/cross -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DTAVREL_DEPS="$deps" -DTAVREL_DATA="$root/data" -DTAVREL_LICENSES="$licenses" >build/cross.configure.log 2>&1 \
  || { cat build/cross.configure.log; exit 1; }
cmake --build build/cross -j"$jobs" >build/cross.build.log 2>&1 \
  || { grep -v -E '^\[ *[0-9]+%\]' build/cross.build.log | tail -60; exit 1; }

if [ $package = 1 ]; then
  (cd build/cross && cpack) >build/package.log 2>&1 || { cat build/package.log; exit 1; }
fi

if [ $with_native = 1 ]; then
  cmake -S . -B build/native -DCMAKE_BUILD_TYPE=Debug >build/native.configure.log 2>&1 \
    || { cat build/native.configure.log; exit 1; }
  cmake --build build/native -j"$jobs" >build/native.build.log 2>&1 \
    || { grep -v -E '^\[ *[0-9]+%\]' build/native.build.log | tail -60; exit 1; }
fi
