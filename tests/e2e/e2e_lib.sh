# Helpers for end-to-end tests: start a real program under Wine on the test
# run's display, find its window with xdotool, look at its pixels, and
# always clean up. Every wait is bounded.
e2e_dir=$(mktemp -d /tmp/tavrel-e2e.XXXXXX)
e2e_pid=""

e2e_cleanup() {
  if [ -n "$e2e_pid" ] && kill -0 "$e2e_pid" 2>/dev/null; then
    kill "$e2e_pid" 2>/dev/null
    sleep 0.5
    kill -9 "$e2e_pid" 2>/dev/null
  fi
  rm -rf "$e2e_dir"
}
trap e2e_cleanup EXIT

# e2e_private_prefix: the rest of the test runs in a Wine of its own, a
# prefix with a copy of the session's registry that shares its C: drive, so
# that what the test sets in the registry (or cuts off) reaches no other
# test. Its server is stopped at the end.
e2e_prefix=""
e2e_private_prefix() {
  local base=${WINEPREFIX:?the Wine session names the prefix}
  e2e_prefix=$e2e_dir/prefix
  mkdir -p "$e2e_prefix"
  cp "$base"/*.reg "$base/.update-timestamp" "$e2e_prefix/" || e2e_fail "could not copy the prefix's registry"
  cp -a "$base/dosdevices" "$e2e_prefix/"
  ln -s "$base/drive_c" "$e2e_prefix/drive_c"
  export WINEPREFIX=$e2e_prefix
  trap 'WINEPREFIX=$e2e_prefix wineserver -k 2>/dev/null; e2e_cleanup' EXIT
}

e2e_fail() {
  echo "FAIL: $*" >&2
  [ -f "$e2e_dir/shot.png" ] && cp "$e2e_dir/shot.png" "/tmp/tavrel-e2e-failed-$(basename "$0" .sh).png" 2>/dev/null
  exit 1
}

e2e_pass() {
  echo "PASS"
  exit 0
}

# e2e_start PROGRAM WORKING_DIR [ARGS...]: the program runs in $e2e_work,
# the test's own folder that shows WORKING_DIR's entries through links, so
# that what it writes there ("RecentFiles.dat") stays with the test. A
# second start in the same test finds what the first one left.
e2e_work=$e2e_dir/work
e2e_start() {
  local program cwd entry
  program=$(realpath "$1") cwd=$(realpath "$2")
  shift 2
  [ -f "$program" ] || { echo "FAIL: no $program" >&2; return 1; }
  if [ ! -d "$e2e_work" ]; then
    mkdir -p "$e2e_work"
    for entry in "$cwd"/*; do
      [ -e "$entry" ] && ln -s "$entry" "$e2e_work/"
    done
  fi
  (cd "$e2e_work" && exec wine "$program" "$@" >"$e2e_dir/program.log" 2>&1) &
  e2e_pid=$!
}

# e2e_wait_window NAME_REGEX SECONDS -> prints the X window id
e2e_wait_window() {
  local name=$1 limit=$2 i id
  for i in $(seq 1 $((limit * 5))); do
    id=$(xdotool search --onlyvisible --name "$name" 2>/dev/null | head -n 1)
    if [ -n "$id" ]; then
      echo "$id"
      return 0
    fi
    sleep 0.2
  done
  return 1
}

# e2e_keys WINDOW KEY...: real key presses into the focused window.
e2e_keys() {
  local win=$1
  shift
  xdotool windowfocus --sync "$win" 2>/dev/null
  xdotool key --clearmodifiers --delay 40 "$@"
}

# e2e_type WINDOW TEXT
e2e_type() {
  xdotool windowfocus --sync "$1" 2>/dev/null
  xdotool type --clearmodifiers --delay 30 "$2"
}

e2e_screenshot() {
  import -window "$1" "$e2e_dir/$2" 2>/dev/null || import -window root "$e2e_dir/$2"
}

# e2e_pixel_is FILE X Y R G B TOLERANCE: true when the pixel is that colour.
e2e_pixel_is() {
  local x=$2 y=$3 r=$4 g=$5 b=$6 tol=$7
  set -- $(convert "$e2e_dir/$1" -format "%[fx:int(255*p{$x,$y}.r)] %[fx:int(255*p{$x,$y}.g)] %[fx:int(255*p{$x,$y}.b)]" info: 2>/dev/null)
  [ $# = 3 ] || return 1
  local dr=$(( $1 - r )) dg=$(( $2 - g )) db=$(( $3 - b ))
  [ ${dr#-} -le "$tol" ] && [ ${dg#-} -le "$tol" ] && [ ${db#-} -le "$tol" ]
}

# e2e_screenshot_painted WINDOW FILE X Y R G B TOLERANCE: screenshots until
# the window's paint shows that pixel (at most 10 seconds); the checks that
# follow report what the last one saw.
e2e_screenshot_painted() {
  local win=$1 file=$2 i
  shift 2
  for i in $(seq 1 50); do
    e2e_screenshot "$win" "$file"
    e2e_pixel_is "$file" "$@" && return 0
    sleep 0.2
  done
}

# e2e_expect_pixel FILE X Y R G B TOLERANCE
e2e_expect_pixel() {
  e2e_pixel_is "$@" || e2e_fail "pixel $2,$3 is $(convert "$e2e_dir/$1" -format "%[pixel:p{$2,$3}]" info: 2>/dev/null), expected $4 $5 $6"
}

# e2e_close_window WINDOW SECONDS: asks the window to close like its close box.
e2e_close_window() {
  local win=$1 limit=$2 i
  # Alt+F4 reaches the program as the system close command, the same road
  # as the close box; there is no window manager to ask.
  xdotool windowfocus --sync "$win" 2>/dev/null
  xdotool key --clearmodifiers alt+F4 2>/dev/null
  for i in $(seq 1 $((limit * 5))); do
    kill -0 "$e2e_pid" 2>/dev/null || return 0
    sleep 0.2
  done
  return 1
}

# e2e_wait_gone WINDOW_NAME_REGEX SECONDS
e2e_wait_gone() {
  local name=$1 limit=$2 i
  for i in $(seq 1 $((limit * 5))); do
    [ -z "$(xdotool search --onlyvisible --name "$name" 2>/dev/null | head -n 1)" ] && return 0
    sleep 0.2
  done
  return 1
}

# e2e_wait_exit SECONDS: the program ended by itself.
e2e_wait_exit() {
  local limit=$1 i
  for i in $(seq 1 $((limit * 5))); do
    kill -0 "$e2e_pid" 2>/dev/null || return 0
    sleep 0.2
  done
  return 1
}

# e2e_wait_same FILE EXPECTED_FILE SECONDS: until FILE holds exactly the
# bytes of EXPECTED_FILE (a save is done when the file on disk says so).
e2e_wait_same() {
  local i
  for i in $(seq 1 $(($3 * 5))); do
    cmp -s "$1" "$2" && return 0
    sleep 0.2
  done
  return 1
}

# The Windows form of a path in the test's folder (drive Z: is the root).
e2e_winpath() {
  echo "Z:$1" | tr '/' '\\'
}

# e2e_windows: ids of the visible windows on the display, one a line (a
# popup menu is a window of its own).
e2e_windows() {
  xdotool search --onlyvisible --name '' 2>/dev/null | sort
}

# e2e_wait_window_count N SECONDS: until exactly N windows are visible.
e2e_wait_window_count() {
  local want=$1 limit=$2 i
  for i in $(seq 1 $((limit * 5))); do
    [ "$(e2e_windows | wc -l)" -eq "$want" ] && return 0
    sleep 0.2
  done
  return 1
}

# e2e_strip WINDOW FILE TOP HEIGHT: a screenshot of a band of rows of the
# window, for comparing states.
e2e_strip() {
  import -window "$1" "$e2e_dir/$2.full.png" 2>/dev/null || return 1
  convert "$e2e_dir/$2.full.png" -crop "x$4+0+$3" +repage "$e2e_dir/$2"
}

# e2e_diff_box A B: the box (WxH+X+Y) in which two screenshots of the same
# size differ; empty when they are the same.
e2e_diff_box() {
  local count
  count=$(compare -metric AE "$e2e_dir/$1" "$e2e_dir/$2" null: 2>&1)
  [ "${count%% *}" = 0 ] && return 0
  convert "$e2e_dir/$1" "$e2e_dir/$2" -compose difference -composite -format "%@" info: 2>/dev/null
}

# e2e_save_as WINDOW PATH: Ctrl+S on a document never saved, and PATH typed
# into the Save As dialog; fails when the dialog does not come or go.
e2e_save_as() {
  local dialog
  e2e_keys "$1" ctrl+s
  dialog=$(e2e_wait_window "^Save As$" 20) || return 1
  e2e_keys "$dialog" ctrl+a
  e2e_type "$dialog" "$(e2e_winpath "$2")"
  e2e_keys "$dialog" Return
  e2e_wait_gone "^Save As$" 20
}

# e2e_open WINDOW PATH -> prints the editor's window id once PATH is open:
# Ctrl+O and PATH typed into the Open dialog; fails when the dialog does not
# come or go, or the title does not name the file.
e2e_open() {
  local dialog name
  name=$(basename "$2")
  e2e_keys "$1" ctrl+o
  dialog=$(e2e_wait_window "^Open$" 20) || return 1
  e2e_keys "$dialog" ctrl+a
  e2e_type "$dialog" "$(e2e_winpath "$2")"
  e2e_keys "$dialog" Return
  e2e_wait_gone "^Open$" 20 || return 1
  e2e_wait_window "^${name//./\\.} - Tavrel$" 20
}
