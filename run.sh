#!/usr/bin/env bash
# Builds everything and starts the program under Wine. Without a display it
# runs on a private Xvfb display and leaves a screenshot behind.
set -uo pipefail
root=$(cd "$(dirname "$0")" && pwd)
cd "$root"
./tools/build-all.sh || { echo "run.sh: build failed" >&2; exit 1; }

program=$root/build/cross/bin/Tavrel.exe
[ -f "$program" ] || program=$root/build/cross/bin/LumoraDemo.exe

. tools/wine-session.sh
trap wine_session_stop EXIT
# Print works for a new user too: when the system knows no printer, a
# private print server (stopped with the program) offers one that writes
# each printed document as a PDF file into TAVREL_PDF_DIR.
if [ -z "$(timeout 10 lpstat -e 2>/dev/null)" ]; then
  pdf_dir=${TAVREL_PDF_DIR:-$HOME/Tavrel-PDF}
  print_server_start "$pdf_dir" Tavrel_PDF &&
    echo "run.sh: no printer found; Print writes PDF files into $pdf_dir"
fi
if [ -n "${DISPLAY:-}" ]; then
  wine_session_start no
  cd "$root/data" && wine "$program"
else
  wine_session_start yes
  (cd "$root/data" && wine "$program" >/dev/null 2>&1) &
  sleep "${TAVREL_SCREENSHOT_DELAY:-6}"
  shot=$root/build/screenshot.png
  import -window root "$shot" && echo "run.sh: no display; the program ran on Xvfb $DISPLAY, screenshot: $shot"
fi
