#!/usr/bin/env bash
# Printing through the real print dialog onto a private PDF printer (a
# print server of the test's own, whose default A4 queue writes each job
# into the test's folder as a PDF named after the job): a document of 150
# numbered lines comes out as three pages holding every line once and in
# order, non-ASCII letters included, in a job named after the file; a
# cancelled dialog sends nothing; a new document prints as one blank page
# in a job named "Untitled"; a job the queue refuses is reported in the
# editor's error box and nothing is printed.
#   print_to_pdf_test.sh BIN_DIR DATA_DIR
set -u
bin=$1 data=$2
here=$(cd "$(dirname "$0")" && pwd)
. "$here/e2e_lib.sh"
. "$here/../../tools/print-server.sh"
trap 'print_server_stop; e2e_cleanup' EXIT

pdf=$e2e_dir/pdf
print_server_start "$pdf" E2E_PDF || e2e_fail "the private print server did not start"

doc=$e2e_dir/numbered.txt
for i in $(seq 1 150); do printf 'line %03d Grüße Ελλάδα Привет\n' "$i"; done >"$doc"

# e2e_print WINDOW ANSWER KEY...: KEY... (Ctrl+P, or Alt+F P for the File
# menu's item) and ANSWER (Return or Escape) into the print dialog. Print
# stays disabled until the printer look-up after start-up has answered, so
# the keys are repeated until the dialog comes.
e2e_print() {
  local win=$1 answer=$2 dialog="" i
  shift 2
  for i in $(seq 1 10); do
    e2e_keys "$win" "$@"
    dialog=$(e2e_wait_window "^Print$" 5) && break
  done
  [ -n "$dialog" ] || return 1
  e2e_keys "$dialog" "$answer"
  e2e_wait_gone "^Print$" 20
}

# wait_file PATH SECONDS: the queue has written the job.
wait_file() {
  local i
  for i in $(seq 1 $(($2 * 5))); do
    [ -s "$1" ] && return 0
    sleep 0.2
  done
  return 1
}

pages_of() { pdfinfo "$1" 2>/dev/null | sed -n 's/^Pages: *//p'; }

e2e_start "$bin/Tavrel.exe" "$data" || exit 1
win=$(e2e_wait_window "^Untitled - Tavrel$" 40) || e2e_fail "no window titled 'Untitled - Tavrel'"
win=$(e2e_open "$win" "$doc") || e2e_fail "$doc did not open"

e2e_print "$win" Return ctrl+p || e2e_fail "the print dialog did not come or go"
out=$pdf/numbered.txt.pdf
wait_file "$out" 60 || e2e_fail "no job named numbered.txt reached the printer: $(ls -A "$pdf" 2>&1)"
[ "$(pages_of "$out")" = 3 ] || e2e_fail "150 lines on A4 gave $(pages_of "$out") pages, expected 3"
pdfinfo "$out" | grep -q '^Page size:.*(A4)' || e2e_fail "not printed on A4: $(pdfinfo "$out" | grep 'Page size')"
text=$(pdftotext "$out" -)
[ "$(printf '%s\n' "$text" | grep -o 'line [0-9]\{3\}' | awk '{ print $2 + 0 }' | tr '\n' ' ')" = "$(seq -s ' ' 1 150) " ] ||
  e2e_fail "the pages do not hold lines 1 to 150 once each and in order"
[ "$(printf '%s\n' "$text" | grep -c 'Grüße Ελλάδα Привет')" = 150 ] ||
  e2e_fail "non-ASCII letters were lost: $(printf '%s\n' "$text" | head -n 3)"

# A new document: a cancelled dialog sends no job, a confirmed one a blank page.
e2e_keys "$win" alt+f n
win=$(e2e_wait_window "^Untitled - Tavrel$" 20) || e2e_fail "New did not give an untitled document"
e2e_print "$win" Escape ctrl+p || e2e_fail "the print dialog did not come or go on Escape"
e2e_print "$win" Return alt+f p || e2e_fail "the File menu's Print did not bring the print dialog, or it did not go"
out=$pdf/Untitled.pdf
wait_file "$out" 60 || e2e_fail "no job named Untitled reached the printer: $(ls -A "$pdf" 2>&1)"
[ "$(pages_of "$out")" = 1 ] || e2e_fail "an empty document gave $(pages_of "$out") pages, expected 1"
[ -z "$(pdftotext "$out" - | tr -d '[:space:]')" ] || e2e_fail "the empty document's page is not blank"
jobs=$(ls "$pdf" | grep -c '\.pdf$')
[ "$jobs" = 2 ] || e2e_fail "the cancelled dialog sent a job: $(ls "$pdf")"

# A queue that takes no jobs: the job is aborted and the user is told.
PATH=$PATH:/usr/sbin cupsreject E2E_PDF || e2e_fail "could not make the queue reject jobs"
e2e_print "$win" Return ctrl+p || e2e_fail "the print dialog did not come or go before the refused job"
box=$(e2e_wait_window "^Tavrel$" 30) || e2e_fail "a job the printer refused went unreported"
e2e_keys "$box" Return
e2e_wait_gone "^Tavrel$" 20 || e2e_fail "the error box did not go"
[ "$(ls "$pdf" | grep -c '\.pdf$')" = 2 ] || e2e_fail "the refused job was printed: $(ls "$pdf")"

e2e_close_window "$win" 30 || e2e_fail "the program did not end"
e2e_pass
