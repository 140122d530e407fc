#!/usr/bin/env bash
# A power cut while the editor puts a saved file in place, simulated by
# killing Wine itself, its server and every Wine process at once. The
# server runs under strace, which holds it still for a while just after
# any rename that moves the file away from its name, the moment at which a
# replacement made of two moves (the old file aside, then the new one in)
# has no file under the name; the cut comes then, or once the save is
# done. Either way the file must be whole afterwards: exactly the old bytes
# or exactly the new ones. The editor runs in a Wine of its own (a prefix
# sharing the C: drive) so that nothing else is cut off.
#   editor_power_cut_test.sh BIN_DIR DATA_DIR
set -u
bin=$1 data=$2
here=$(cd "$(dirname "$0")" && pwd)
. "$here/e2e_lib.sh"

strace_pid="" prefix=""
# cut_power: kills this test's Wine server and every process of its prefix.
cut_power() {
  local server environ pid
  if [ -n "$strace_pid" ]; then
    server=$(pgrep -P "$strace_pid")
    [ -n "$server" ] && kill -9 $server 2>/dev/null
  fi
  # The editor itself, whatever its environment looks like by now: a process
  # caught between its launcher's exec steps can escape the sweep below.
  [ -n "${e2e_pid:-}" ] && kill -9 "$e2e_pid" 2>/dev/null
  [ -n "$prefix" ] || return 0
  for environ in /proc/[0-9]*/environ; do
    pid=${environ#/proc/}
    pid=${pid%/environ}
    # Wine's own programs only: this script has the prefix in its
    # environment too.
    case $(readlink "/proc/$pid/exe" 2>/dev/null) in */wine/*) ;; *) continue ;; esac
    tr '\0' '\n' <"$environ" 2>/dev/null | grep -qx "WINEPREFIX=$prefix" && kill -9 "$pid" 2>/dev/null
  done
  return 0
}
cleanup() {
  cut_power
  [ -n "$strace_pid" ] && kill -9 "$strace_pid" 2>/dev/null
  e2e_cleanup
}
trap cleanup EXIT

if ! command -v strace >/dev/null; then
  echo "SKIPPED (loudly): the power cut is timed with strace, which is not installed" >&2
  e2e_pass
fi

base=${WINEPREFIX:?the Wine session names the prefix}
prefix=$e2e_dir/prefix
mkdir -p "$prefix"
cp "$base"/*.reg "$base/.update-timestamp" "$prefix/" || e2e_fail "could not copy the prefix's registry"
cp -a "$base/dosdevices" "$prefix/"
ln -s "$base/drive_c" "$prefix/drive_c"
export WINEPREFIX=$prefix

doc=$e2e_dir/doc.txt

# The server runs under strace from its start. (strace matches only the
# first path of a rename, the one moved away.)
strace -f -qq -o /dev/null -P "$doc" -e trace=rename,renameat,renameat2 \
  -e inject=rename,renameat,renameat2:delay_exit=8000000 wineserver -f -p >"$e2e_dir/server.log" 2>&1 &
strace_pid=$!
# Its socket lies in a folder named after the prefix's device and inode,
# under /tmp/.wine-UID or, as Debian builds it, a /tmp/wine-XXXXXX.
key=server-$(printf %x "$(stat -c %d "$prefix")")-$(printf %x "$(stat -c %i "$prefix")")
listening() {
  local socket
  for socket in /tmp/.wine-"$(id -u)"/$key/socket /tmp/wine-*/$key/socket; do
    [ -S "$socket" ] && return 0
  done
  return 1
}
for i in $(seq 1 100); do listening && break; sleep 0.1; done
if ! listening; then
  echo "SKIPPED (loudly): Wine's server could not be run under strace here: $(cat "$e2e_dir/server.log")" >&2
  e2e_pass
fi

yes 'A line of the document as it was before the save.' | head -c 4M >"$doc"
cp "$doc" "$e2e_dir/old"
{ printf X; cat "$doc"; } >"$e2e_dir/new"

e2e_start "$bin/Tavrel.exe" "$data" || exit 1
win=$(e2e_wait_window "^Untitled - Tavrel$" 60) || e2e_fail "no window titled 'Untitled - Tavrel'"
sleep 1
win=$(e2e_open "$win" "$doc") || e2e_fail "doc.txt did not open"
e2e_type "$win" "X"
e2e_keys "$win" ctrl+s

# The cut: while no file has the name, or once the save is done.
for i in $(seq 1 150); do
  [ -e "$doc" ] || break
  cmp -s "$doc" "$e2e_dir/new" && break
  sleep 0.2
done
# A power cut stops every process at once: the server, if it still runs,
# and every program of this Wine, found by its prefix.
cut_power
e2e_wait_exit 30 || e2e_fail "the editor lived on after the cut"
if cmp -s "$doc" "$e2e_dir/old"; then
  echo "cut before the save was in place: the old file is whole"
elif cmp -s "$doc" "$e2e_dir/new"; then
  echo "cut after the save was in place: the new file is whole"
elif [ -e "$doc" ]; then
  e2e_fail "after the cut the file holds neither the old nor the new bytes ($(stat -c %s "$doc") bytes)"
else
  e2e_fail "after the cut no file is left under the name: $(ls -A "$e2e_dir" | tr '\n' ' ')"
fi
e2e_pass
