#!/usr/bin/env bash
# Documents that are not tidy UTF-8 text, through the real editor: NUL
# bytes, invalid UTF-8, a UTF-8 byte-order mark, CR-only line ends, a UTF-16
# file and a 50 MB single line. Each is opened, edited (typing, a new line,
# Delete), undone to the start and saved: the file must come out byte for
# byte as it went in.
#   editor_odd_documents_test.sh BIN_DIR DATA_DIR
set -u
bin=$1 data=$2
here=$(cd "$(dirname "$0")" && pwd)
. "$here/e2e_lib.sh"

docs=$e2e_dir/docs kept=$e2e_dir/kept
mkdir -p "$docs" "$kept"
printf 'before\0after\0\0end\r\nsecond line\0\r\n' >"$docs/zeros.txt"
printf 'caf\xe9 \xc3\x28 \xa0\xa1 \xf0\x28\x8c\x28 \xed\xa0\x80 \xc0\xaf end\n\xff' >"$docs/invalid.txt"
printf '\xef\xbb\xbfwith a mark\r\nsecond\r\n' >"$docs/bom.txt"
printf 'one\rtwo\rthree\r\rfive' >"$docs/cr.txt"
printf '\xff\xfeU\0T\0F\0-\0\x31\0\x36\0\r\0\n\0\x3d\xd8\x00\xde\r\0\n\0' >"$docs/utf16.txt"
yes 'one long line of fifty megabytes without any line end, ' | tr -d '\n' | head -c 50M >"$docs/long.txt"
cp "$docs"/* "$kept/"

e2e_start "$bin/Tavrel.exe" "$data" || exit 1
win=$(e2e_wait_window "^Untitled - Tavrel$" 40) || e2e_fail "no window titled 'Untitled - Tavrel'"
sleep 1

for name in zeros.txt invalid.txt bom.txt cr.txt utf16.txt long.txt; do
  file=$docs/$name
  touch -d '1 hour ago' "$file"
  touch -d '30 minutes ago' "$e2e_dir/marker"
  win=$(e2e_open "$win" "$file") || e2e_fail "$name did not open"
  # Edits in the middle of the first line and at the end of the text.
  e2e_keys "$win" ctrl+Home Right Right Right
  e2e_type "$win" "typed"
  e2e_keys "$win" Return Delete
  # The end of the text too, except on the long line: the component lays
  # out the whole of the caret's line for every keystroke there, which
  # takes minutes on 50 MB (see README, known limits).
  if [ "$name" != long.txt ]; then
    e2e_keys "$win" ctrl+End BackSpace
    e2e_type "$win" "more"
  fi
  # Undo to the start: more presses than edits, the extra ones do nothing.
  e2e_keys "$win" ctrl+z ctrl+z ctrl+z ctrl+z ctrl+z ctrl+z ctrl+z ctrl+z ctrl+z ctrl+z
  e2e_keys "$win" ctrl+s
  # Every key on the 50 MB line waits for its layout, so on a loaded
  # machine the save comes long after the keys were sent.
  tries=150
  [ "$name" = long.txt ] && tries=600
  for i in $(seq 1 $tries); do
    [ "$file" -nt "$e2e_dir/marker" ] && cmp -s "$file" "$kept/$name" && break
    sleep 0.2
  done
  [ "$file" -nt "$e2e_dir/marker" ] || e2e_fail "$name was not saved"
  cmp -s "$file" "$kept/$name" ||
    e2e_fail "$name changed: $(cmp "$file" "$kept/$name" 2>&1 | head -1), $(stat -c %s "$file") bytes now"
done

e2e_close_window "$win" 30 || e2e_fail "the program did not end"
e2e_pass
