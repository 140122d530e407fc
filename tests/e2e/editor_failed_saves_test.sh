#!/usr/bin/env bash
# Saves that fail, through the real editor, in one session: a read-only
# file, a file another program holds open without sharing, a file whose
# folder was removed, a full disk (a small tmpfs), and last the editor
# killed while it writes a large file. After each the old file holds
# exactly its old bytes; where the editor lives on it has shown an error and
# still holds the edited text, which Save As then writes elsewhere.
#   editor_failed_saves_test.sh BIN_DIR DATA_DIR
set -u
bin=$1 data=$2
here=$(cd "$(dirname "$0")" && pwd)
. "$here/e2e_lib.sh"

cases=$e2e_dir/cases kept=$e2e_dir/kept small=$e2e_dir/small
mkdir -p "$cases" "$kept" "$cases/gone"
holder_pid="" mounted=""
cleanup() {
  rm -f "$e2e_dir/held"
  [ -n "$holder_pid" ] && kill "$holder_pid" 2>/dev/null
  [ -n "$mounted" ] && { umount "$small" 2>/dev/null || umount -l "$small"; }
  e2e_cleanup
}
trap cleanup EXIT

# keep FILE: a copy of its bytes to compare with afterwards.
keep() { cp "$1" "$kept/$(basename "$1")"; }
unchanged() { cmp -s "$1" "$kept/$(basename "$1")"; }

printf 'read-only old\r\nsecond line\r\n' >"$cases/ro.txt"
printf 'locked old\nsecond line\n' >"$cases/locked.txt"
printf 'gone old\r\n' >"$cases/gone/g.txt"
for f in "$cases/ro.txt" "$cases/locked.txt" "$cases/gone/g.txt"; do keep "$f"; done
chmod 444 "$cases/ro.txt"

# refused WINDOW FILE WHAT [absent]: "X" typed at the start and Ctrl+S: an
# error box comes and goes with Return, FILE keeps its bytes (or, absent,
# stays absent), and Save As writes the edited text to a new file.
refused() {
  local win=$1 file=$2 what=$3 absent=${4:-} box dialog name rescue
  name=$(basename "$file")
  e2e_keys "$win" ctrl+Home
  e2e_type "$win" "X"
  e2e_keys "$win" ctrl+s
  box=$(e2e_wait_window "^Tavrel$" 20) || e2e_fail "$what: no error was shown"
  e2e_keys "$box" Return
  e2e_wait_gone "^Tavrel$" 20 || e2e_fail "$what: the error box stayed open"
  e2e_wait_window "^${name//./\\.} - Tavrel$" 5 >/dev/null || e2e_fail "$what: the title changed"
  if [ -n "$absent" ]; then
    [ ! -e "$file" ] || e2e_fail "$what: the save made the file again"
  else
    unchanged "$file" || e2e_fail "$what: the old file changed"
  fi
  [ "$(ls -A "$(dirname "$file")" 2>/dev/null | grep -c '~')" = 0 ] ||
    e2e_fail "$what: side files were left: $(ls -A "$(dirname "$file")")"

  rescue=$e2e_dir/rescued-$name
  { printf X; cat "$kept/$name"; } >"$kept/rescued-$name"
  e2e_keys "$win" alt+f a
  dialog=$(e2e_wait_window "^Save As$" 20) || e2e_fail "$what: Save As did not open"
  e2e_keys "$dialog" ctrl+a
  e2e_type "$dialog" "$(e2e_winpath "$rescue")"
  e2e_keys "$dialog" Return
  e2e_wait_gone "^Save As$" 20 || e2e_fail "$what: Save As stayed open"
  e2e_wait_same "$rescue" "$kept/rescued-$name" 20 || e2e_fail "$what: the edited text was not kept in the editor"
}

e2e_start "$bin/Tavrel.exe" "$data" || exit 1
win=$(e2e_wait_window "^Untitled - Tavrel$" 40) || e2e_fail "no window titled 'Untitled - Tavrel'"
sleep 1

# A read-only file.
win=$(e2e_open "$win" "$cases/ro.txt") || e2e_fail "ro.txt did not open"
refused "$win" "$cases/ro.txt" "read-only file"
[ "$(stat -c %a "$cases/ro.txt")" = 444 ] || e2e_fail "the read-only file's mode changed"

# A file another program holds open without sharing.
win=$(e2e_open "$win" "$cases/locked.txt") || e2e_fail "locked.txt did not open"
(exec wine "$bin/hold-file.exe" "$(e2e_winpath "$cases/locked.txt")" "$(e2e_winpath "$e2e_dir/held")" \
  >/dev/null 2>&1) &
holder_pid=$!
for i in $(seq 1 100); do [ -e "$e2e_dir/held" ] && break; sleep 0.2; done
[ -e "$e2e_dir/held" ] || e2e_fail "the other program did not get hold of locked.txt"
refused "$win" "$cases/locked.txt" "file held by another program"
rm -f "$e2e_dir/held"

# A file whose folder was removed after it was opened.
win=$(e2e_open "$win" "$cases/gone/g.txt") || e2e_fail "g.txt did not open"
rm -rf "$cases/gone"
refused "$win" "$cases/gone/g.txt" "folder removed" absent
[ ! -e "$cases/gone" ] || e2e_fail "folder removed: the save made the folder again"

# A full disk: a tmpfs of 256 KiB holding the old file (100 KiB) and a
# filler that leaves 40 KiB free, less than the new text needs.
mkdir -p "$small"
if mount -t tmpfs -o size=256k tavrel-full "$small" 2>"$e2e_dir/mount.err"; then
  mounted=yes
  head -c 102400 /dev/urandom | base64 -w 76 | head -c 102400 >"$small/full.txt"
  keep "$small/full.txt"
  dd if=/dev/zero of="$small/filler" bs=4k 2>/dev/null
  truncate -s -40K "$small/filler"
  win=$(e2e_open "$win" "$small/full.txt") || e2e_fail "full.txt did not open"
  refused "$win" "$small/full.txt" "full disk"
else
  echo "SKIPPED (loudly): the full-disk case needs a tmpfs, and mount was refused here: $(cat "$e2e_dir/mount.err")" >&2
fi

# Killed while it writes: a 48 MB document, killed as soon as the new text
# starts reaching the disk: the new file beside the old one gains bytes, or
# the old file itself is written to (a copy of its old bytes made first is
# not yet the new text).
yes 'A line of the large document, long enough to make the write take a while.' | head -c 48M >"$cases/big.txt"
keep "$cases/big.txt"
touch -d '1 hour ago' "$cases/big.txt"
touch -d '30 minutes ago' "$e2e_dir/marker"
win=$(e2e_open "$win" "$cases/big.txt") || e2e_fail "big.txt did not open"
e2e_type "$win" "X"
e2e_keys "$win" ctrl+s
caught=""
deadline=$((SECONDS + 60))
while [ -z "$caught" ] && [ $SECONDS -lt $deadline ]; do
  for f in "$cases"/big.txt.~saving*; do
    [ -s "$f" ] && caught=$f
  done
  [ "$cases/big.txt" -nt "$e2e_dir/marker" ] && caught=$cases/big.txt
done
kill -9 "$e2e_pid"
e2e_wait_exit 20 || e2e_fail "the killed editor did not end"
[ -n "$caught" ] || e2e_fail "the save never started writing"
# The kill can land just after the save has finished: then the file is
# wholly new. Anything else than wholly old or wholly new is a fault.
{ printf X; cat "$kept/big.txt"; } >"$e2e_dir/big.new"
unchanged "$cases/big.txt" || cmp -s "$cases/big.txt" "$e2e_dir/big.new" ||
  e2e_fail "killed while writing $(basename "$caught"), the file is neither wholly old nor wholly new ($(stat -c %s "$cases/big.txt") bytes now)"
e2e_pass
