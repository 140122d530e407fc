#!/usr/bin/env bash
# The toolkit's demonstration program starts under Wine, shows its window
# with the grey bar colours, and closes on request.
#   demo_window_test.sh BIN_DIR DATA_DIR
set -u
bin=$1 data=$2
here=$(cd "$(dirname "$0")" && pwd)
. "$here/e2e_lib.sh"

e2e_start "$bin/LumoraDemo.exe" "$data" || exit 1
win=$(e2e_wait_window "^Lumora$" 30) || e2e_fail "no window titled Lumora appeared"
e2e_screenshot "$win" shot.png
# The title band is painted with the rebar colours of the grey mode.
e2e_expect_pixel shot.png 300 5 83 83 83 6
# The page background of the grey mode.
e2e_expect_pixel shot.png 300 250 246 246 246 4
e2e_close_window "$win" 20 || e2e_fail "the window did not close"
e2e_pass
