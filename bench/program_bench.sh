#!/usr/bin/env bash
# Whole programs driven as a user drives them, on the display and in the
# Wine prefix of the caller's session (bench/run.sh starts one): open a big
# file through the program's Open dialog, save it with Ctrl+S, and, in
# Tavrel, type a word into the search field. Prints rows for bench/run.sh's
# table and what the user saw meanwhile.
#
#   program_bench.sh PROGRAM EXE FILE [--runs N] [--search WORD] [--data DIR]
#
# PROGRAM is Tavrel, Notepad or SciTE; EXE the program's path ("notepad" for
# Wine's own); FILE the document, opened by every run and saved in place.
#
# How long a command took is seen from outside the program: the time from
# the key press until the program answers the next command, an Open dialog
# asked for right behind it (a program that is busy answers only when it is
# done), less the time the same dialog takes right afterwards, the program
# idle (the first dialog of a run comes slower than the later ones, so a
# dialog timed at the start would be taken off too much). Opening ends when
# the title names the file and the program answers; saving when the file on
# disk has its new size and last byte (the letter typed at its end) and the
# program answers. A figure below nothing fails the run. SciTE shows the
# file's name and answers while it still loads the text in the background,
# which nothing seen from outside marks the end of: its open row is left
# out.
# Peak memory is the resident high-water mark of the program's process.
# The floor of opening is the same program opening a one-line file through
# the same dialog: the dialog's and the program's own share.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
program=$1 exe=$2 file=$3
shift 3
runs=3 search="" data=""
while [ $# -gt 0 ]; do
  case $1 in
    --runs) runs=$2; shift 2 ;;
    --search) search=$2; shift 2 ;;
    --data) data=$2; shift 2 ;;
    *) echo "unknown argument $1" >&2; exit 2 ;;
  esac
done
# shellcheck source=../tests/e2e/e2e_lib.sh
. "$here/../tests/e2e/e2e_lib.sh"
watcher="" pid=""
trap '[ -n "$watcher" ] && kill "$watcher" 2>/dev/null; [ -n "$pid" ] && kill "$pid" 2>/dev/null; e2e_cleanup' EXIT

name=$(basename "$file")
name_re=${name//./\\.}
size_mib=$(( $(stat -c %s "$file") / 1048576 ))
case $program in
  Tavrel) idle_title="^Untitled - Tavrel$" open_dialog="^Open$" opened="^$name_re - Tavrel$" exe_name=Tavrel.exe ;;
  Notepad) idle_title="^Untitled - Notepad$" open_dialog="^Open$" opened="^$name_re - Notepad$" exe_name=notepad.exe ;;
  SciTE) idle_title="SciTE$" open_dialog="^Open File$" opened="^$name_re [-*] SciTE$" exe_name=SciTE.exe ;;
  *) echo "unknown program $program" >&2; exit 2 ;;
esac

now_ms() { date +%s%3N; }

# The program's own process (Wine may start it through start.exe): found by
# its name among the processes of this session's prefix.
program_pid() {
  local d cmd
  for d in /proc/[0-9]*; do
    cmd=$(tr '\0' '\n' <"$d/cmdline" 2>/dev/null | head -n 1) || continue
    cmd=${cmd##*[\\/]}
    [ "${cmd,,}" = "${exe_name,,}" ] || continue
    tr '\0' '\n' <"$d/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX" || continue
    echo "${d#/proc/}"
    return 0
  done
  return 1
}

peak_mib() {
  awk '/^VmHWM:/ { printf "%.1f", $2 / 1024 }' "/proc/$1/status" 2>/dev/null
}

# The window's title until it matches REGEX or SECONDS pass.
wait_title() {
  local win=$1 re=$2 limit=$3 t end
  end=$(( $(now_ms) + limit * 1000 ))
  while [ "$(now_ms)" -lt $end ]; do
    t=$(xdotool getwindowname "$win" 2>/dev/null)
    [[ $t =~ $re ]] && return 0
    sleep 0.02
  done
  return 1
}

# Every title the window shows while a piece of work runs, with the
# milliseconds since the work began: what the user could see of it.
watch_titles() {
  local win=$1 start=$2
  : >"$e2e_dir/titles"
  (
    last=""
    while :; do
      t=$(xdotool getwindowname "$win" 2>/dev/null)
      [ "$t" != "$last" ] && echo "$(( $(date +%s%3N) - start )) $t" >>"$e2e_dir/titles"
      last=$t
      sleep 0.05
    done
  ) &
  watcher=$!
}
# The first busy title seen ("Opening big.txt 3%") and when, after the
# watcher is stopped.
first_sign() {
  kill "$watcher" 2>/dev/null
  wait "$watcher" 2>/dev/null
  grep -m1 -E "^[0-9]+ $1 .*%" "$e2e_dir/titles" | sed -E 's/^([0-9]+) (.*)$/"\2" after \1 ms/'
}

# Ctrl+O into the main window: milliseconds from SINCE (or now) until the
# Open dialog shows; the dialog is closed again.
answer_ms() {
  local win=$1 start=${2:-$(now_ms)} dialog took
  e2e_keys "$win" ctrl+o
  dialog=$(e2e_wait_window "$open_dialog" 600) || return 1
  took=$(( $(now_ms) - start ))
  e2e_keys "$dialog" Escape
  e2e_wait_gone "$open_dialog" 20 || return 1
  echo "$took"
}

# busy_ms WINDOW START [DONE]: milliseconds from START until the program
# answers, the dialog's own idle time taken off, or DONE (a time already
# known to have passed) should that be later. Fails on a figure that cannot
# be.
busy_ms() {
  local win=$1 start=$2 done=${3:-0} answered idle_after took
  answered=$(answer_ms "$win" "$start") || return 1
  idle_after=$(answer_ms "$win") || return 1
  took=$(( answered - idle_after ))
  [ "$done" -gt "$took" ] && took=$done
  if [ "$took" -le 0 ]; then
    echo "$program: impossible figure ${took} ms (answered after $answered ms, the idle dialog takes $idle_after ms)" >&2
    return 1
  fi
  echo "$took"
}

# wait_saved PATH SIZE LIMIT_SECONDS: until the file at PATH is SIZE bytes
# long and ends with an x; prints the milliseconds since $start.
wait_saved() {
  local path=$1 size=$2 end
  end=$(( $(now_ms) + $3 * 1000 ))
  while [ "$(now_ms)" -lt $end ]; do
    if [ "$(stat -c %s "$path" 2>/dev/null)" = "$size" ] && [ "$(tail -c 1 "$path" 2>/dev/null)" = x ]; then
      echo $(( $(now_ms) - start ))
      return 0
    fi
    sleep 0.01
  done
  return 1
}

opens=() tiny_opens=() saves=() searches=() peaks=() signs=()
tiny=$e2e_dir/one-line.txt
printf 'one line\r\n' >"$tiny"

# open_through_dialog WINDOW PATH TITLE_REGEX: sets took to the
# milliseconds from Return in the dialog (began) until the title names the
# file.
open_through_dialog() {
  local win=$1 path=$2 re=$3 dialog start
  e2e_keys "$win" ctrl+o
  dialog=$(e2e_wait_window "$open_dialog" 20) || return 1
  e2e_keys "$dialog" ctrl+a
  e2e_type "$dialog" "$(e2e_winpath "$path")"
  # The name's completion list may still be coming up.
  sleep 0.5
  start=$(now_ms)
  began=$start
  watch_titles "$win" "$start"
  e2e_keys "$dialog" Return
  if ! wait_title "$win" "$re" 900; then
    first_sign x >/dev/null
    import -window root /tmp/program-bench-failed.png 2>/dev/null
    echo "$program: $path did not open (screenshot /tmp/program-bench-failed.png)" >&2
    return 1
  fi
  took=$(( $(now_ms) - start ))
}
for run in $(seq 1 "$runs"); do
  if [ "$exe" = notepad ]; then
    (cd "$e2e_dir" && exec wine notepad >"$e2e_dir/program.log" 2>&1) &
    e2e_pid=$!
  else
    e2e_start "$exe" "${data:-$(dirname "$exe")}" || exit 1
  fi
  win=$(e2e_wait_window "$idle_title" 60) || { echo "$program: no window" >&2; exit 1; }
  sleep 1
  pid=$(program_pid) || { echo "$program: process not found" >&2; exit 1; }
  # The first dialog of a run, slower than any after it, is not timed.
  answer_ms "$win" >/dev/null || { echo "$program: no Open dialog" >&2; exit 1; }

  # Open, through the dialog like a user: a one-line file, then the big one.
  open_through_dialog "$win" "$tiny" "^one-line\.txt [-*] " || exit 1
  took=$(busy_ms "$win" "$began" "$took") || exit 1
  first_sign x >/dev/null
  tiny_opens+=("$took")
  sleep 0.5
  open_through_dialog "$win" "$file" "$opened" || exit 1
  took=$(busy_ms "$win" "$began" "$took") || exit 1
  [ "$program" = SciTE ] || opens+=("$took")
  sign=$(first_sign Opening)
  [ -n "$sign" ] && signs+=("open: $sign")
  sleep 0.5
  eval "$(xdotool getwindowgeometry --shell "$win")"

  if [ -n "$search" ] && [ "$program" = Tavrel ]; then
    # The field is the rebar's last band, against the window's right edge;
    # all but the last letter first, then the last one timed.
    xdotool mousemove --window "$win" $((WIDTH - 147)) 13 click 1
    sleep 0.3
    xdotool type --delay 40 "${search%?}"
    answer_ms "$win" >/dev/null || exit 1
    xdotool mousemove --window "$win" $((WIDTH - 147)) 13 click 1
    xdotool key End
    sleep 0.3
    start=$(now_ms)
    watch_titles "$win" "$start"
    xdotool type "${search: -1}"
    took=$(busy_ms "$win" "$start") || exit 1
    searches+=("$took")
    sign=$(first_sign Searching)
    [ -n "$sign" ] && signs+=("search: $sign")
  fi

  # One letter typed at the end of the text, then saved in place: the time
  # until the file holds it and the program answers again.
  xdotool mousemove --window "$win" $((WIDTH / 2)) $((HEIGHT / 2)) click 1
  sleep 0.3
  xdotool key --clearmodifiers ctrl+End
  answer_ms "$win" >/dev/null || exit 1
  saved_size=$(( $(stat -c %s "$file") + 1 ))
  xdotool key x
  # (Ctrl+O would ask about the change now: a moment's wait instead.)
  sleep 1
  start=$(now_ms)
  watch_titles "$win" "$start"
  xdotool key --clearmodifiers ctrl+s
  on_disk=$(wait_saved "$file" "$saved_size" 600) || { echo "$program: the saved file never had its new end" >&2; exit 1; }
  took=$(busy_ms "$win" "$start" "$on_disk") || { echo "$program: no answer after saving" >&2; exit 1; }
  saves+=("$took")
  sign=$(first_sign Saving)
  [ -n "$sign" ] && signs+=("save: $sign")
  peaks+=("$(peak_mib "$pid")")

  kill "$pid" 2>/dev/null
  pid=""
  kill "$e2e_pid" 2>/dev/null
  wait "$e2e_pid" 2>/dev/null
  e2e_pid=""
  rm -rf "$e2e_work"
done

# row FIGURE UNIT NOTE VALUE...
row() {
  local figure=$1 unit=$2 note=$3
  shift 3
  [ $# -gt 0 ] || return 0
  printf '%s\n' "$@" | sort -g | awk -v f="$figure" -v p="$program" -v u="$unit" -v note="$note" '
    { v[NR] = $1 }
    END { m = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
          printf "row,%s,%s,%s,%.3f,%.3f,%.3f,%s\n", f, p, u, v[1], m, v[NR], note }'
}
whole="(whole program)"
row "open $size_mib MiB $whole" ms "Return in the Open dialog until the title names the file and the program answers" "${opens[@]}"
# Tavrel's one-line open is the floor of the figure; the peers' own go
# beside it.
if [ "$program" = Tavrel ]; then tiny_name=floor; else tiny_name="$program one-line file"; fi
program=$tiny_name row "open $size_mib MiB $whole" ms "$program opening a one-line file the same way" "${tiny_opens[@]}"
row "save $size_mib MiB $whole" ms "Ctrl+S until the file has its new end and the program answers" "${saves[@]}"
[ ${#searches[@]} -gt 0 ] &&
  row "search keystroke $size_mib MiB $whole" ms "last letter of \"$search\" until it answers the next command" "${searches[@]}"
row "peak memory open+save $size_mib MiB $whole" MiB "resident high-water mark of the process" "${peaks[@]}"
for s in "${signs[@]}"; do echo "seen while busy: $s"; done
exit 0
