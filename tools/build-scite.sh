#!/usr/bin/env bash
# Builds SciTE for Windows x86-64 with mingw-w64 from Debian's `scite` source
# package, the peer the start-up benchmark measures against. The result is
# cached outside the clone, keyed by the source version, the compiler and this
# script; a second run builds nothing. The last line of stdout is the path of
# SciTE.exe, which sits with its DLLs and properties files:
#   tools/build-scite.sh            ->  .../scite-KEY/SciTE.exe
# Works on a clean Debian machine as root (or with sudo), without a display.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cache=${TAVREL_CACHE:-$HOME/.cache/tavrel}
log() { echo "scite: $*" >&2; }

# The compilers and a deb-src entry. The editing component is built here
# too, from this very source package as it stands: the peer runs the
# component its users get, not ours with the long-line patch.
if [ "$(id -u)" = 0 ]; then
  "$root"/deps/install-tools.sh >&2
else
  sudo "$root"/deps/install-tools.sh >&2
fi

version=$(apt-cache showsrc scite 2>/dev/null | sed -n 's/^Version: //p' | sort -V | tail -n 1)
[ -n "$version" ] || { log "no source package scite (is a deb-src entry configured?)"; exit 1; }
cross=x86_64-w64-mingw32
stamp="scite=$version;gcc=$($cross-g++-posix -dumpversion);"
stamp+=$(sha1sum <"$root/tools/build-scite.sh" | cut -c1-12)
key=$(echo "$stamp" | sha1sum | cut -c1-16)
prefix=$cache/scite-$key
if [ -f "$prefix/.complete" ]; then
  echo "$prefix/SciTE.exe"
  exit 0
fi

log "building SciTE $version into $prefix"
work=$cache/scite-build-$key
rm -rf "$prefix"
mkdir -p "$prefix"
# An interrupted build resumes: make rebuilds only what is missing.
if [ ! -f "$work/.fetched" ]; then
  rm -rf "$work"
  mkdir -p "$work"
  # apt-get source drops privileges to _apt for the download when it can.
  chmod 755 "$work" 2>/dev/null || true
  (cd "$work" && apt-get source -qq scite >/dev/null 2>"$work/apt-source.log") \
    || { cat "$work/apt-source.log" >&2; exit 1; }
  touch "$work/.fetched"
fi
src=$(ls -d "$work"/scite-*/ | head -n 1)

# Two jobs at most: the machines this runs on are small and shared.
jobs=$(( $(nproc) < 2 ? $(nproc) : 2 ))
tools=(CXX=$cross-g++-posix CC=$cross-gcc-posix AR=$cross-ar RANLIB=$cross-ranlib WINDRES=$cross-windres)
# Statically linked, so that no compiler run-time DLL has to travel along;
# appended to by the makefiles' own flags.
export LDFLAGS="-static -s"
# Debian's reproducible-build change to the About box expects the date of
# the package's last change.
build_date=$(date --utc --date="@$(dpkg-parsechangelog -l "$src/debian/changelog" -S Timestamp)" "+%b %d %Y %T")
export CPPFLAGS="-DBUILD_DATE=\"\\\"$build_date\\\"\""
make -s -C "$src/scintilla/win32" -j"$jobs" "${tools[@]}" ../bin/Scintilla.dll >"$work/scintilla.log" 2>&1 \
  || { tail -30 "$work/scintilla.log" >&2; exit 1; }
log "Scintilla.dll done"
make -s -C "$src/lexilla/src" -j"$jobs" "${tools[@]}" windir=1 ../bin/lexilla.dll >"$work/lexilla.log" 2>&1 \
  || { tail -30 "$work/lexilla.log" >&2; exit 1; }
log "lexilla.dll done"
make -s -C "$src/scite/win32" -j"$jobs" "${tools[@]}" ../bin/SciTE.exe >"$work/scite.log" 2>&1 \
  || { tail -30 "$work/scite.log" >&2; exit 1; }
log "SciTE.exe done"

cp "$src/scite/bin/SciTE.exe" "$src/lexilla/bin/lexilla.dll" "$prefix/"
cp "$src/scintilla/bin/Scintilla.dll" "$prefix/Scintilla.dll"
# Its global and language properties, as a user's installation has them.
for f in "$src"/scite/src/*.properties; do
  case $(basename "$f") in SciTE.properties | Embedded.properties) ;; *) cp "$f" "$prefix/" ;; esac
done
echo "$stamp" >"$prefix/.complete"
rm -rf "$work"
echo "$prefix/SciTE.exe"
