# Sourced by wine-session.sh, run.sh and tests: a private CUPS server with
# one PDF queue, so that the editor has a real printer without touching the
# system's own printing. The server has its own folder (configuration,
# spool, logs, its own backend) and listens only on a socket in it; Wine's
# printing finds it through CUPS_SERVER, which libcups reads.
#   print_server_start PDF_FOLDER [QUEUE]   print_server_stop
# The queue is the server's default and writes each job as a PDF file named
# after the job's title into PDF_FOLDER.
_tavrel_print_tools=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/print
_tavrel_cups_dir=""
_tavrel_cups_pid=""

print_server_start() {
  local out=$1 queue=${2:-Tavrel_PDF} dir part i
  # The server's programs live in the administrator's folders.
  local PATH=$PATH:/usr/sbin:/sbin
  command -v cupsd >/dev/null && command -v lpadmin >/dev/null ||
    { echo "print server: cupsd or lpadmin is missing" >&2; return 1; }
  mkdir -p "$out" && out=$(cd "$out" && pwd) || return 1
  dir=$(mktemp -d /tmp/tavrel-cups.XXXXXX) || return 1
  # Filters run as the unprivileged user "lp" when the server runs as root:
  # they must reach their programs and the spool.
  chmod 755 "$dir"
  mkdir -p "$dir/bin/backend" "$dir/spool/tmp" "$dir/cache" "$dir/state" "$dir/log" "$dir/ppd"
  for part in filter daemon cgi-bin monitor notifier driver; do
    [ -e "/usr/lib/cups/$part" ] && ln -s "/usr/lib/cups/$part" "$dir/bin/$part"
  done
  # Run by root only when no group or other may change it, which is also
  # how it can write into a user's own folder.
  cp "$_tavrel_print_tools/tavrel-pdf" "$dir/bin/backend/tavrel-pdf"
  chmod 700 "$dir/bin/backend/tavrel-pdf"
  cat >"$dir/cupsd.conf" <<CONF
Listen $dir/cups.sock
Browsing No
LogLevel warn
DefaultAuthType None
WebInterface No
MaxJobs 0
PreserveJobHistory Yes
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF
  cat >"$dir/cups-files.conf" <<CONF
ServerRoot $dir
ServerBin $dir/bin
RequestRoot $dir/spool
TempDir $dir/spool/tmp
CacheDir $dir/cache
StateDir $dir/state
ErrorLog $dir/log/error_log
AccessLog $dir/log/access_log
PageLog $dir/log/page_log
SystemGroup root
CONF
  cupsd -f -c "$dir/cupsd.conf" -s "$dir/cups-files.conf" >"$dir/log/cupsd.out" 2>&1 &
  _tavrel_cups_pid=$!
  _tavrel_cups_dir=$dir
  export CUPS_SERVER=$dir/cups.sock
  for i in $(seq 1 100); do
    [ -S "$CUPS_SERVER" ] && lpstat -r >/dev/null 2>&1 && break
    kill -0 "$_tavrel_cups_pid" 2>/dev/null || break
    sleep 0.1
  done
  if ! lpstat -r >/dev/null 2>&1 ||
     ! lpadmin -p "$queue" -E -v "tavrel-pdf:$out" -P "$_tavrel_print_tools/tavrel-pdf.ppd" \
       -D "PDF files in $out" >>"$dir/log/cupsd.out" 2>&1 ||
     ! lpadmin -d "$queue" >>"$dir/log/cupsd.out" 2>&1; then
    echo "print server: could not start (see $dir/log)" >&2
    cat "$dir/log/cupsd.out" "$dir/log/error_log" 2>/dev/null | tail -20 >&2
    print_server_stop
    return 1
  fi
}

print_server_stop() {
  if [ -n "$_tavrel_cups_pid" ]; then
    kill "$_tavrel_cups_pid" 2>/dev/null
    local i
    for i in $(seq 1 50); do
      kill -0 "$_tavrel_cups_pid" 2>/dev/null || break
      sleep 0.1
    done
    kill -9 "$_tavrel_cups_pid" 2>/dev/null
    wait "$_tavrel_cups_pid" 2>/dev/null
    _tavrel_cups_pid=""
  fi
  [ -n "$_tavrel_cups_dir" ] && rm -rf "$_tavrel_cups_dir"
  _tavrel_cups_dir=""
  unset CUPS_SERVER
}
