#!/usr/bin/env bash
# Fails on any #include that points up the layer order
#   platform <- toolkit/image <- toolkit/base <- toolkit/style <- toolkit/bars
#            <- toolkit/menus <- toolkit/controls <- app
# A file may include its own layer and those below it. tests/, bench/ and
# tools/ sit outside the order and may include anything.
# Also fails on a file without "_win32" in its name that includes a Windows
# header or one of our "_win32" headers: such files are built and tested
# natively too, so they must compile without the platform.
set -uo pipefail
root=${1:-$(cd "$(dirname "$0")/.." && pwd)}
cd "$root" || exit 2

layers=(platform toolkit/image toolkit/base toolkit/style toolkit/bars toolkit/menus toolkit/controls app)

# The index of the layer a path belongs to, or -1.
layer_of() {
  local path=$1 i
  for i in "${!layers[@]}"; do
    [[ $path == "${layers[$i]}"/* ]] && { echo "$i"; return; }
  done
  echo -1
}

# The Windows-only headers, as included in this tree and their kin.
windows_headers='windows|windowsx|winuser|wingdi|winbase|winnt|winspool|commctrl|commdlg|dlgs|uxtheme|vssym32|vsstyle|shlwapi|shlobj|shellapi|objbase|ole2|oleidl|dwmapi|gdiplus|mmsystem|richedit|winerror'
windows_header_pattern="^(${windows_headers})\\.h$"

failures=0
while IFS= read -r file; do
  if [[ $(basename "$file") != *_win32* ]]; then
    while IFS= read -r line; do
      number=${line%%:*}
      target=$(sed -E 's/^[0-9]+:[[:space:]]*#[[:space:]]*include[[:space:]]*["<]([^">]+)[">].*/\1/' <<<"$line")
      lower=${target,,}
      if [[ $lower =~ $windows_header_pattern ]]; then
        echo "check-layers: $file:$number includes <$target>, a Windows header; only _win32 files may" >&2
        failures=$((failures + 1))
      elif [[ $(basename "$target") == *_win32* ]]; then
        echo "check-layers: $file:$number includes \"$target\", Win32 glue; only _win32 files may" >&2
        failures=$((failures + 1))
      fi
    done < <(grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]*["<]' "$file")
  fi
done < <(find platform toolkit app -type f \( -name '*.h' -o -name '*.hpp' -o -name '*.c' -o -name '*.cpp' -o -name '*.cc' \) | sort)

while IFS= read -r file; do
  from=$(layer_of "$file")
  if ((from < 0)); then
    echo "check-layers: $file lies in no layer folder (${layers[*]})" >&2
    failures=$((failures + 1))
    continue
  fi
  while IFS= read -r line; do
    number=${line%%:*}
    target=$(sed -E 's/^[0-9]+:[[:space:]]*#[[:space:]]*include[[:space:]]*["<]([^">]+)[">].*/\1/' <<<"$line")
    case $target in
      platform/* | toolkit/* | app/* | tests/* | bench/* | tools/*) ;;
      *) continue ;;  # system, dependency and standard headers
    esac
    to=$(layer_of "$target")
    if ((to < 0)); then
      echo "check-layers: $file:$number includes \"$target\", which lies in no layer" >&2
      failures=$((failures + 1))
    elif ((to > from)); then
      echo "check-layers: $file:$number includes \"$target\": ${layers[$from]} may not include ${layers[$to]}, which lies above it" >&2
      failures=$((failures + 1))
    fi
  done < <(grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]*["<]' "$file")
done < <(find platform toolkit app -type f \( -name '*.h' -o -name '*.hpp' -o -name '*.c' -o -name '*.cpp' -o -name '*.cc' \) | sort)

if ((failures > 0)); then
  echo "check-layers: $failures include(s) against the layer order or the _win32 rule" >&2
  exit 1
fi
echo "check-layers: every include follows the layer order and the _win32 rule"
