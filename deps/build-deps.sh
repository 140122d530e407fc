#!/usr/bin/env bash
# Builds the Windows dependencies from Debian's source packages into a cache
# folder outside the clone, keyed by the package versions and these scripts,
# and prints that folder. A second run with the same key builds nothing.
#   bin/Scintilla64.dll  bin/Hunspellx64.dll
#   lib/libpng16.a  lib/libjpeg.a  include/...
#   include/scintilla/  (the component's published headers: message numbers,
#                        ILoader; the program loads the DLL at run time)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
cache=${TAVREL_CACHE:-$HOME/.cache/tavrel}
jobs=$(nproc)
log() { echo "deps: $*" >&2; }

src_version() {
  apt-cache showsrc "$1" 2>/dev/null | sed -n 's/^Version: //p' | sort -V | tail -n 1
}

packages=(scite hunspell libpng1.6 libjpeg-turbo)
stamp=""
for p in "${packages[@]}"; do
  v=$(src_version "$p")
  [ -n "$v" ] || { log "no source package $p (is a deb-src entry configured?)"; exit 1; }
  stamp+="$p=$v;"
done
stamp+="zlib=$(dpkg-query -W -f='${Version}' libz-mingw-w64-dev);"
stamp+="gcc=$(x86_64-w64-mingw32-g++-posix -dumpversion);"
stamp+=$(cat "$here"/build-deps.sh "$here"/hunspell/* "$here"/scintilla/* | sha1sum | cut -c1-12)
key=$(echo "$stamp" | sha1sum | cut -c1-16)
prefix=$cache/deps-$key
if [ -f "$prefix/.complete" ]; then
  echo "$prefix"
  exit 0
fi

log "building dependencies into $prefix"
work=$cache/build-$key
rm -rf "$work" "$prefix"
mkdir -p "$work" "$prefix"/{bin,lib,include}
cd "$work"
# apt-get source drops privileges to _apt for the download when it can.
chmod 755 "$work" 2>/dev/null || true
apt-get source -qq "${packages[@]}" >/dev/null 2>"$work/apt-source.log" || { cat "$work/apt-source.log" >&2; exit 1; }

cross=x86_64-w64-mingw32
toolchain=$here/../cmake/mingw-w64.cmake

# Scintilla: its own makefile, with the cross tools. Debian's source lays
# out a whole line after every change to it, which makes a line of many
# megabytes take seconds a keystroke; our patch (its head says what it
# changes) measures a long line again only around the edit and draws only
# its visible part.
build_scintilla() {
  local dir; dir=$(ls -d "$work"/scite-*/scintilla)
  patch -s -p1 -d "$dir" <"$here/scintilla/long_line_layout.patch" >"$work/scintilla-patch.log" 2>&1 \
    || { cat "$work/scintilla-patch.log" >&2; return 1; }
  make -s -C "$dir/win32" -j"$jobs" CXX=$cross-g++-posix AR=$cross-ar RANLIB=$cross-ranlib \
       WINDRES=$cross-windres ../bin/Scintilla.dll >"$work/scintilla.log" 2>&1 \
    || { tail -30 "$work/scintilla.log" >&2; return 1; }
  cp "$dir/bin/Scintilla.dll" "$prefix/bin/Scintilla64.dll"
  mkdir -p "$prefix/include/scintilla"
  cp "$dir"/include/*.h "$prefix/include/scintilla/"
}

# Hunspell: the library sources and our shim straight into one DLL.
build_hunspell() {
  local dir; dir=$(ls -d "$work"/hunspell-*/src/hunspell)
  perl "$here/hunspell/wide_open.pl" < "$dir/csutil.cxx" > "$dir/csutil.wide.cxx"
  mv "$dir/csutil.wide.cxx" "$dir/csutil.cxx"
  local objs=() pids=()
  for f in affentry affixmgr csutil filemgr hashmgr hunspell hunzip phonet replist suggestmgr; do
    $cross-g++-posix -O2 -std=c++11 -DHUNSPELL_STATIC -DBUILDING_LIBHUNSPELL -I"$dir" \
      -c "$dir/$f.cxx" -o "$work/hs_$f.o" &
    pids+=($!)
    objs+=("$work/hs_$f.o")
  done
  $cross-g++-posix -O2 -DHUNSPELL_STATIC -I"$dir" -c "$here/hunspell/shim.cxx" -o "$work/hs_shim.o"
  for pid in "${pids[@]}"; do wait "$pid"; done
  $cross-g++-posix -shared -static -s -o "$prefix/bin/Hunspellx64.dll" \
    "${objs[@]}" "$work/hs_shim.o" "$here/hunspell/Hunspellx64.def"
}

build_png() {
  local dir; dir=$(ls -d "$work"/libpng1.6-*)
  cmake -S "$dir" -B "$work/png-build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF \
    -DZLIB_USE_STATIC_LIBS=ON >"$work/png.log" 2>&1
  cmake --build "$work/png-build" -j"$jobs" --target install >>"$work/png.log" 2>&1 \
    || { tail -30 "$work/png.log" >&2; return 1; }
}

build_jpeg() {
  local dir; dir=$(ls -d "$work"/libjpeg-turbo-*)
  cmake -S "$dir" -B "$work/jpeg-build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF \
    -DCMAKE_ASM_NASM_COMPILER=nasm >"$work/jpeg.log" 2>&1
  cmake --build "$work/jpeg-build" -j"$jobs" --target install >>"$work/jpeg.log" 2>&1 \
    || { tail -30 "$work/jpeg.log" >&2; return 1; }
}

build_scintilla; log "Scintilla64.dll done"
build_hunspell; log "Hunspellx64.dll done"
build_png; log "libpng done"
build_jpeg; log "libjpeg done"
echo "$stamp" > "$prefix/.complete"
rm -rf "$work"
echo "$prefix"
