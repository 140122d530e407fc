#!/usr/bin/env bash
# Installs the build and test tools from Debian's archive and makes source
# packages reachable. Idempotent: installs only what is missing.
set -euo pipefail

packages=(
  g++-mingw-w64-x86-64-posix mingw-w64-tools libz-mingw-w64-dev
  cmake make nasm dpkg-dev patch g++ googletest clang libclang-rt-14-dev libpng-dev libjpeg-dev
  wine64 wine xvfb xdotool x11-utils imagemagick strace
  hunspell-en-gb tango-icon-theme adwaita-icon-theme fonts-dejavu-core
  librsvg2-bin icoutils
)
# A private print server with a PDF queue (tools/print-server.sh), the
# library through which Wine reaches it, and the PDF readers of the tests.
# Without the recommended extras: no printer discovery, nothing that
# starts printing services of its own.
print_packages=(libcups2 cups-daemon cups-client cups-filters ghostscript poppler-utils)

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }
missing=()
for p in "${packages[@]}"; do
  installed "$p" || missing+=("$p")
done
missing_print=()
for p in "${print_packages[@]}"; do
  installed "$p" || missing_print+=("$p")
done

# Source packages need a deb-src entry; derive it from the binary entry so
# that the same mirror serves both.
need_src=0
if ! grep -rqs '^Types:.*deb-src' /etc/apt/sources.list.d/ && ! grep -qs '^deb-src' /etc/apt/sources.list; then
  if [ -f /etc/apt/sources.list.d/debian.sources ]; then
    awk 'BEGIN{RS=""; ORS="\n\n"} /Suites:[^\n]*bookworm( |\n|$)/ {sub(/Types: deb/, "Types: deb-src"); print}' \
      /etc/apt/sources.list.d/debian.sources > /etc/apt/sources.list.d/tavrel-src.sources
  elif [ -f /etc/apt/sources.list ]; then
    grep -E '^deb .* bookworm main' /etc/apt/sources.list | sed 's/^deb /deb-src /' > /etc/apt/sources.list.d/tavrel-src.list
  fi
  need_src=1
fi

if [ ${#missing[@]} -gt 0 ] || [ ${#missing_print[@]} -gt 0 ] || [ $need_src = 1 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
fi
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  apt-get install -y -qq "${missing[@]}" >/dev/null
fi
if [ ${#missing_print[@]} -gt 0 ]; then
  echo "Installing: ${missing_print[*]}"
  apt-get install -y -qq --no-install-recommends "${missing_print[@]}" >/dev/null
fi
