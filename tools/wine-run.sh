#!/usr/bin/env bash
# Runs one Windows program under Wine with a time-out, in the data folder so
# that relative paths resolve as they do for the editor.
#   wine-run.sh SECONDS PROGRAM [ARGS...]
set -u
limit=$1; shift
cd "${TAVREL_DATA:-$(dirname "$0")/../data}" || exit 2
timeout -k 5 "$limit" wine "$@"
rc=$?
[ $rc = 124 ] && echo "wine-run: $(basename "$1") timed out after ${limit}s" >&2
exit $rc
