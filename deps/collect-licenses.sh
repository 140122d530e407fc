#!/usr/bin/env bash
# Gathers the licence texts of everything the release package ships, from
# Debian's source packages of the components built into it and the
# copyright files of the binary packages it takes files or libraries from,
# into a cache folder keyed by the package versions, and prints that folder.
# Licences that a copyright file only names by its Debian path are copied
# beside it, since that path means nothing on Windows.
set -euo pipefail
cache=${TAVREL_CACHE:-$HOME/.cache/tavrel}
log() { echo "licences: $*" >&2; }

# Components built from source packages: the folder in the package, the
# source package, and the upstream licence files in its tree.
sources=(
  "Scintilla scite scintilla/License.txt"
  "Hunspell hunspell COPYING COPYING.LESSER COPYING.MPL license.hunspell license.myspell"
  "libpng libpng1.6 LICENSE"
  "libjpeg-turbo libjpeg-turbo LICENSE.md README.ijg"
)
# Components taken from binary packages: folder and package.
binaries=(
  "zlib libz-mingw-w64-dev"
  "en_GB-dictionary hunspell-en-gb"
  "Tango-icons tango-icon-theme"
  "Adwaita-icons adwaita-icon-theme"
  "mingw-w64-runtime mingw-w64-x86-64-dev"
)

stamp=$(sha1sum "$0" | cut -c1-12)
for entry in "${sources[@]}"; do
  set -- $entry
  stamp+=";$2=$(apt-cache showsrc "$2" 2>/dev/null | sed -n 's/^Version: //p' | sort -V | tail -n 1)"
done
for entry in "${binaries[@]}"; do
  set -- $entry
  stamp+=";$2=$(dpkg-query -W -f='${Version}' "$2")"
done
out=$cache/licenses-$(echo "$stamp" | sha1sum | cut -c1-16)
if [ -f "$out/.complete" ]; then
  echo "$out"
  exit 0
fi

log "collecting into $out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
rm -rf "$out"
mkdir -p "$out"
chmod 755 "$work"
(cd "$work" && apt-get source -qq --download-only $(for e in "${sources[@]}"; do set -- $e; echo "$2"; done) \
   >/dev/null 2>"$work/apt.log") || { cat "$work/apt.log" >&2; exit 1; }

for entry in "${sources[@]}"; do
  set -- $entry
  folder=$1 package=$2
  shift 2
  mkdir -p "$out/$folder"
  # The upstream tarball holds the licence files, Debian's part its copyright.
  # Upstream's files lie at the top of its tarball or in its one folder.
  upstream=$(ls "$work"/${package}_*.orig.tar.*)
  for file in "$@"; do
    target=$out/$folder/$(basename "$file")
    tar -xOf "$upstream" --wildcards --no-wildcards-match-slash "$file" "*/$file" >"$target" 2>/dev/null || true
    [ -s "$target" ] || rm -f "$target"
  done
  tar -xOf "$(ls "$work"/${package}_*.debian.tar.*)" debian/copyright >"$out/$folder/copyright"
done
for entry in "${binaries[@]}"; do
  set -- $entry
  mkdir -p "$out/$1"
  cp "/usr/share/doc/$2/copyright" "$out/$1/copyright"
done

for copyright in "$out"/*/copyright; do
  grep -o '/usr/share/common-licenses/[A-Za-z0-9.+-]*' "$copyright" | sort -u | while read -r path; do
    [ -f "$path" ] && cp "$path" "$(dirname "$copyright")/$(basename "$path").txt"
  done || true
done
echo "$stamp" >"$out/.complete"
echo "$out"
