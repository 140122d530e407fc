#!/usr/bin/env bash
# The release package as a user gets it: unpacked into an empty folder and
# started from there in a Wine prefix made for this test alone, which the
# project's set-up never touched. The archive holds what it should and no
# more; the program carries its icon, its version (the project's) and a
# manifest that gets it version 6 of the common controls; its window shows,
# with the tool-bar icons and spelling read from the package's own folders.
#   package_test.sh BIN_DIR DATA_DIR
set -u
bin=$1
here=$(cd "$(dirname "$0")" && pwd)
. "$here/e2e_lib.sh"

version=$(sed -n 's/^project(Tavrel VERSION \([0-9.]*\) .*/\1/p' "$here/../../CMakeLists.txt")
[ -n "$version" ] || e2e_fail "no version in CMakeLists.txt"
zip=$(realpath "$bin/..")/Tavrel-$version-win64.zip
[ -f "$zip" ] || e2e_fail "no $zip (tools/build-all.sh --package makes it)"
[ "$zip" -nt "$bin/Tavrel.exe" ] || e2e_fail "$zip is older than the program (tools/build-all.sh --package)"

unpacked=$e2e_dir/unpacked
mkdir -p "$unpacked"
unzip -q "$zip" -d "$unpacked" || e2e_fail "the package does not unpack"
folder=$unpacked/Tavrel-$version-win64
[ "$(ls "$unpacked")" = "Tavrel-$version-win64" ] || e2e_fail "the package's top level: $(ls "$unpacked")"

# Exactly these entries: the program, the two DLLs it loads, its run-time
# folders, the README and the licences.
expected="Dictionaries Hunspellx64.dll README.txt Scintilla64.dll Tavrel.exe icons licenses"
[ "$(ls "$folder" | tr '\n' ' ')" = "$expected " ] || e2e_fail "the package holds: $(ls "$folder" | tr '\n' ' ')"
[ "$(ls "$folder/Dictionaries" | tr '\n' ' ')" = "en_GB.aff en_GB.dic " ] ||
  e2e_fail "Dictionaries holds: $(ls "$folder/Dictionaries" | tr '\n' ' ')"
# Icons of 16 pixels, and a folder for each larger size the screen may ask.
[ "$(find "$folder/icons/Office Icons" -type f ! -name '*.ico' | wc -l)" = 0 ] &&
  [ "$(find "$folder/icons/Office Icons" -maxdepth 1 -name '*.ico' | wc -l)" -ge 19 ] &&
  [ "$(cd "$folder/icons/Office Icons" && find . -mindepth 1 -type d | sort | tr '\n' ' ')" = "./24x24 ./32x32 ./48x48 " ] ||
  e2e_fail "the icons folder holds: $(ls "$folder/icons/Office Icons" | tr '\n' ' ')"
for size in 24x24 32x32 48x48; do
  cmp -s <(ls "$folder/icons/Office Icons/$size") <(ls "$folder/icons/Office Icons" | grep '\.ico$') ||
    e2e_fail "the $size icons are not the same set as the 16-pixel ones"
done
for component in Scintilla Hunspell libpng libjpeg-turbo zlib en_GB-dictionary Tango-icons Adwaita-icons \
  mingw-w64-runtime; do
  [ -s "$folder/licenses/$component/copyright" ] || e2e_fail "no licence of $component"
done
grep -q "RecentFiles.dat" "$folder/README.txt" && grep -q 'Dictionaries\\en_GB.dat' "$folder/README.txt" ||
  e2e_fail "the README does not say which files the program writes"
# Nothing but the system's own DLLs is imported: no compiler run time to ship.
for file in "$folder"/*.exe "$folder"/*.dll; do
  imports=$(x86_64-w64-mingw32-objdump -p "$file" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z')
  for dll in $imports; do
    case $dll in
      advapi32.dll|comctl32.dll|gdi32.dll|imm32.dll|kernel32.dll|msimg32.dll|msvcrt.dll|ole32.dll|oleaut32.dll|\
      user32.dll) ;;
      *) e2e_fail "$(basename "$file") imports $dll, which the package does not hold" ;;
    esac
  done
done

# A Wine of the test's own, made from nothing; its server goes with the test.
prefix=$e2e_dir/prefix
export WINEPREFIX=$prefix
cleanup() {
  [ -n "$e2e_pid" ] && kill "$e2e_pid" 2>/dev/null
  wineserver -k 2>/dev/null
  e2e_cleanup
}
trap cleanup EXIT
mkdir -p "$prefix"
timeout 360 wine wineboot -i >"$e2e_dir/wineboot.log" 2>&1 && [ -f "$prefix/drive_c/windows/system32/kernel32.dll" ] ||
  e2e_fail "a fresh Wine prefix was not made: $(tail -5 "$e2e_dir/wineboot.log")"
wineserver -p

inspect() {
  timeout 60 wine "$bin/program-facts.exe" "$@" 2>/dev/null | tr -d '\r'
}
file_facts=$(inspect file "$(winepath -w "$folder/Tavrel.exe" 2>/dev/null)")
fact() { sed -n "s/^$1=//p" <<<"$2"; }
[ "$(fact icons "$file_facts")" -ge 1 ] 2>/dev/null || e2e_fail "no icon in the program: $file_facts"
[ "$(fact large_icon "$file_facts")" = yes ] && [ "$(fact small_icon "$file_facts")" = yes ] ||
  e2e_fail "no large or small icon: $file_facts"
[ "$(fact huge_icon "$file_facts")" = 256x256 ] || e2e_fail "no 256-pixel icon: $file_facts"
[ "$(fact file_version "$file_facts")" = "$version.0" ] && [ "$(fact FileVersion "$file_facts")" = "$version" ] &&
  [ "$(fact ProductVersion "$file_facts")" = "$version" ] && [ "$(fact ProductName "$file_facts")" = Tavrel ] ||
  e2e_fail "version information is not $version: $file_facts"

# Started from its own folder, as the README tells users to.
(cd "$folder" && exec wine ./Tavrel.exe >"$e2e_dir/program.log" 2>&1) &
e2e_pid=$!
win=$(e2e_wait_window "^Untitled - Tavrel$" 90) || e2e_fail "the editor's window did not show"

# The main window's class icon is the one the desktop shows: Wine hands it
# to X as the window's _NET_WM_ICON. Its 32-pixel image is the theme's own.
x_icon_differences() {
  xprop -notype -id "$win" 32c _NET_WM_ICON | python3 -c '
import sys
values = [int(v) for v in sys.stdin.read().split("=", 1)[1].replace("\n", " ").split(",") if v.strip()]
i = 0
while i + 2 <= len(values):
    w, h = values[i], values[i + 1]
    if (w, h) == (32, 32):
        rgba = bytearray()
        for p in values[i + 2:i + 2 + w * h]:
            rgba += bytes(((p >> 16) & 255, (p >> 8) & 255, p & 255, p >> 24 & 255))
        open(sys.argv[1], "wb").write(rgba)
    i += 2 + w * h
' "$e2e_dir/icon.rgba" 2>/dev/null
  [ -s "$e2e_dir/icon.rgba" ] || { echo "no 32-pixel icon"; return; }
  compare -metric AE -fuzz 10% -size 32x32 -depth 8 "rgba:$e2e_dir/icon.rgba" \
    /usr/share/icons/Tango/32x32/apps/accessories-text-editor.png null: 2>&1
}
differences=$(x_icon_differences)
[ "$differences" = 0 ] || e2e_fail "the window does not show the program's icon ($differences pixels differ)"

# Version 6 of the common controls is loaded from its assembly's folder in
# the side-by-side store, and only for a program whose manifest asks for it;
# without one the system folder's version 5 is loaded. (Wine's library
# reports version 5.81 from either place, so the path is what tells.)
controls=$(inspect comctl Tavrel.exe)
path=$(fact comctl32 "$controls")
[[ "${path,,}" == *\\winsxs\\*microsoft.windows.common-controls_*_6.0.*\\comctl32.dll ]] ||
  e2e_fail "the program has not loaded common controls 6: $controls"

# The tool-bar icons: Tango's colours in the tool bar, which the grey skin
# alone never shows (counted as strongly saturated pixels).
colourful() {
  e2e_screenshot "$win" shot.png
  convert "$e2e_dir/shot.png" -crop 400x28+0+0 +repage -colorspace HSL -channel G -separate +channel \
    -threshold 50% -format "%[fx:int(mean*w*h)]" info:
}
for i in $(seq 1 50); do
  count=$(colourful)
  [ "${count:-0}" -ge 60 ] && break
  sleep 0.2
done
[ "${count:-0}" -ge 60 ] || e2e_fail "the tool bar shows no icons ($count coloured pixels)"

# Spelling: switched on from the tool bar, a misspelt word gets its red
# squiggle (below the bars: the tool bar's own icons hold red).
xdotool mousemove --window "$win" 126 13 click 1
xdotool mousemove --window "$win" 500 300 click 1
e2e_type "$win" "Hello wrold "
red=0
for i in $(seq 1 40); do
  e2e_screenshot "$win" shot.png
  red=$(convert "$e2e_dir/shot.png" -crop +0+30 +repage -fuzz 10% -fill black +opaque red -fill white -opaque red \
    -format "%[fx:int(mean*w*h)]" info:)
  [ "${red:-0}" -gt 0 ] && break
  sleep 0.25
done
[ "${red:-0}" -gt 0 ] || e2e_fail "no squiggle under a misspelt word: spelling does not work from the package"
# The edited document would ask to be saved; the Wine goes, the program with it.
e2e_pass
