#!/usr/bin/env bash
# Saving keeps what makes a file that file: a document opened through a
# symbolic link into another folder is saved into the file the link points
# to and the link stays a link; a file reached by one of two hard links is
# updated for both names; the permission bits (600, 755) and the owner stay
# as they were.
#   editor_save_identity_test.sh BIN_DIR DATA_DIR
set -u
bin=$1 data=$2
here=$(cd "$(dirname "$0")" && pwd)
. "$here/e2e_lib.sh"

real=$e2e_dir/real links=$e2e_dir/links
mkdir -p "$real" "$links"
printf 'private old\n' >"$real/private.txt"
chmod 600 "$real/private.txt"
ln -s "$real/private.txt" "$links/private.txt"
printf 'echo old\n' >"$real/tool.sh"
chmod 755 "$real/tool.sh"
ln "$real/tool.sh" "$links/tool.sh"
inode=$(stat -c %i "$real/tool.sh")
# Run by root, the file belongs to someone else: a new file would be root's.
[ "$(id -u)" = 0 ] && chown 1:1 "$real/private.txt"
owner=$(stat -c %u:%g "$real/private.txt")

# wait_content FILE TEXT SECONDS: the save has reached the disk.
wait_content() {
  local file=$1 want=$2 limit=$3 i
  for i in $(seq 1 $((limit * 5))); do
    [ "$(cat "$file" 2>/dev/null)" = "$want" ] && return 0
    sleep 0.2
  done
  return 1
}

e2e_start "$bin/Tavrel.exe" "$data" || exit 1
win=$(e2e_wait_window "^Untitled - Tavrel$" 40) || e2e_fail "no window titled 'Untitled - Tavrel'"
sleep 1

# Through the symbolic link: the caret starts at the beginning of the text.
e2e_open "$win" "$links/private.txt" >/dev/null || e2e_fail "$links/private.txt did not open through the Open dialog"
e2e_type "$win" "new "
e2e_keys "$win" ctrl+s
wait_content "$real/private.txt" "new private old" 20 ||
  e2e_fail "the linked file does not hold the saved text: '$(cat "$real/private.txt" 2>&1)'"
[ -L "$links/private.txt" ] || e2e_fail "the link was replaced by a plain file"
[ "$(readlink "$links/private.txt")" = "$real/private.txt" ] || e2e_fail "the link points elsewhere now"
[ "$(stat -c %a "$real/private.txt")" = 600 ] ||
  e2e_fail "a 600 file became $(stat -c %a "$real/private.txt")"
[ "$(stat -c %u:%g "$real/private.txt")" = "$owner" ] ||
  e2e_fail "the file's owner changed from $owner to $(stat -c %u:%g "$real/private.txt")"

# Through the second of two hard links: both names still name one file.
e2e_open "$win" "$links/tool.sh" >/dev/null || e2e_fail "$links/tool.sh did not open through the Open dialog"
e2e_type "$win" "# "
e2e_keys "$win" ctrl+s
wait_content "$real/tool.sh" "# echo old" 20 ||
  e2e_fail "the other name of the hard-linked file does not see the save: '$(cat "$real/tool.sh")'"
[ "$(stat -c %i "$links/tool.sh")" = "$inode" ] || e2e_fail "the hard link was replaced by a new file"
[ "$(stat -c %h "$real/tool.sh")" = 2 ] || e2e_fail "the file lost a name"
[ "$(stat -c %a "$real/tool.sh")" = 755 ] || e2e_fail "a 755 file became $(stat -c %a "$real/tool.sh")"

leftovers=$(ls -A "$real" "$links" | grep -c '~' || true)
[ "$leftovers" = 0 ] || e2e_fail "side files were left: $(ls -A "$real" "$links")"

e2e_close_window "$win" 30 || e2e_fail "the program did not end"
e2e_pass
