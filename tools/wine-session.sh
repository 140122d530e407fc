# Sourced by test.sh and run.sh: one Xvfb display and one persistent
# wineserver for every Wine command of a run. A wineserver started without a
# display makes later window creation fail, and one per command costs seconds.
#   wine_session_start [need_xvfb]   wine_session_stop
# A private print server (print-server.sh) started in the session is
# stopped with it.
export WINEDEBUG=${WINEDEBUG:--all}
export WINEARCH=win64
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml="}
export WINEPREFIX=${TAVREL_WINEPREFIX:-${TAVREL_CACHE:-$HOME/.cache/tavrel}/wine-$(wine --version 2>/dev/null | tr -c 'a-zA-Z0-9.\n' _)}

_tavrel_xvfb_pid=""
. "$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/print-server.sh"

wine_session_start() {
  local want_xvfb=${1:-auto}
  if [ "$want_xvfb" = yes ] || { [ "$want_xvfb" = auto ] && [ -z "${DISPLAY:-}" ]; }; then
    local n=110
    while [ -e /tmp/.X$n-lock ] || [ -e /tmp/.X11-unix/X$n ]; do n=$((n + 1)); done
    Xvfb :$n -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    _tavrel_xvfb_pid=$!
    export DISPLAY=:$n
    local i
    for i in $(seq 1 100); do
      [ -e /tmp/.X11-unix/X$n ] && break
      sleep 0.1
    done
  fi
  mkdir -p "$WINEPREFIX"
  wineserver -p
  # The first start builds the prefix; later ones only start Wine's services,
  # which must be up before a test runs or the first test can hang.
  timeout 300 wine wineboot -u >/dev/null 2>&1 || echo "wine: wineboot did not finish" >&2
  # The editor's default face is not among Wine's fonts; without a stand-in
  # the text falls back to a proportional face and columns do not line up.
  timeout 60 wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Lucida Console' /t REG_SZ \
    /d 'DejaVu Sans Mono' /f >/dev/null 2>&1 || echo "wine: could not map Lucida Console" >&2
}

wine_session_stop() {
  wineserver -k 2>/dev/null || true
  print_server_stop
  if [ -n "$_tavrel_xvfb_pid" ]; then
    kill "$_tavrel_xvfb_pid" 2>/dev/null || true
    wait "$_tavrel_xvfb_pid" 2>/dev/null || true
    _tavrel_xvfb_pid=""
  fi
}
