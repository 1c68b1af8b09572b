# A private print service for the test run; sourced, never run.
#
#   . tools/print-service.sh
#   brixen_print_start   starts a CUPS daemon of its own (configuration, spool and logs under
#                        $BUILD/cups, its socket in a fresh folder under /tmp), adds the queue $BRIXEN_TEST_PRINTER, which writes to a file
#                        ($BUILD/cups/printed), makes it the service's default and exports
#                        CUPS_SERVER, through which Wine's spooler finds it
#   brixen_print_stop    stops that daemon
#
# The machine's own print service and its configuration are left alone: this daemon listens only
# on its own socket and reads only its own folder, made anew for each run.

export BRIXEN_TEST_PRINTER=BrixenFilePrinter
BRIXEN_CUPS_DIR=$BUILD/cups

brixen_print_start() {
  [ -n "${BRIXEN_CUPSD_PID:-}" ] && return 0
  local dir=$BRIXEN_CUPS_DIR
  rm -rf "$dir"
  # The socket goes where the X server's and Wine's sockets go: a checkout's file system need not
  # take a Unix socket.
  BRIXEN_CUPS_SOCKET_DIR=$(mktemp -d /tmp/brixen-cups.XXXXXX) || return 1
  chmod 755 "$BRIXEN_CUPS_SOCKET_DIR"
  mkdir -p "$dir/conf" "$dir/spool" "$dir/cache" "$dir/state" "$dir/tmp" "$dir/log" || return 1
  # The daemon runs its jobs as lp: their temporary files and the queue's file are written there.
  chown root:lp "$dir/tmp" && chmod 1770 "$dir/tmp" && : >"$dir/printed" && chmod 666 "$dir/printed" || return 1
  cat >"$dir/conf/cups-files.conf" <<CONF
ServerRoot $dir/conf
RequestRoot $dir/spool
CacheDir $dir/cache
StateDir $dir/state
TempDir $dir/tmp
AccessLog $dir/log/access_log
ErrorLog $dir/log/error_log
PageLog $dir/log/page_log
FileDevice Yes
User lp
Group lp
SystemGroup root
CONF
  cat >"$dir/conf/cupsd.conf" <<CONF
Listen $BRIXEN_CUPS_SOCKET_DIR/cups.sock
Browsing No
WebInterface No
DefaultAuthType None
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
  /usr/sbin/cupsd -f -c "$dir/conf/cupsd.conf" -s "$dir/conf/cups-files.conf" </dev/null >"$dir/log/cupsd.out" 2>&1 &
  BRIXEN_CUPSD_PID=$!
  export CUPS_SERVER=$BRIXEN_CUPS_SOCKET_DIR/cups.sock
  local tries
  for tries in $(seq 300); do
    # lpstat -r succeeds either way; only its text tells whether the daemon answers yet.
    [ "$(LC_ALL=C lpstat -r 2>/dev/null)" = "scheduler is running" ] && break
    kill -0 "$BRIXEN_CUPSD_PID" 2>/dev/null || break
    sleep 0.1
  done
  # A queue without a driver (raw): the tests never print, they read and change its settings.
  if ! lpadmin -p "$BRIXEN_TEST_PRINTER" -E -v "file://$dir/printed" -m drv:///sample.drv/generic.ppd >>"$dir/log/lpadmin.out" 2>&1 ||
    ! lpadmin -d "$BRIXEN_TEST_PRINTER" >>"$dir/log/lpadmin.out" 2>&1 ||
    [ "$(LC_ALL=C lpstat -d 2>/dev/null)" != "system default destination: $BRIXEN_TEST_PRINTER" ]; then
    echo "print-service: cannot set up the queue $BRIXEN_TEST_PRINTER (logs in $dir/log)" >&2
    brixen_print_stop
    brixen_print_show_logs >&2
    return 1
  fi
}

brixen_print_stop() {
  [ -n "${BRIXEN_CUPSD_PID:-}" ] || return 0
  kill "$BRIXEN_CUPSD_PID" 2>/dev/null
  wait "$BRIXEN_CUPSD_PID" 2>/dev/null
  BRIXEN_CUPSD_PID=
  unset CUPS_SERVER
  rm -rf "$BRIXEN_CUPS_SOCKET_DIR"
}

# What the daemon and lpadmin said, for a run whose log is all there is to read.
brixen_print_show_logs() {
  local dir=$BRIXEN_CUPS_DIR
  echo "-- cupsd:"; cat "$dir/log/cupsd.out" 2>/dev/null
  echo "-- lpadmin:"; cat "$dir/log/lpadmin.out" 2>/dev/null
  echo "-- error_log (errors and worse):"; grep -E '^[EACX] ' "$dir/log/error_log" 2>/dev/null | tail -20
}
