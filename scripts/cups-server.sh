#!/usr/bin/env bash
# Starts or stops a throwaway print server (Debian's cupsd, run as root) for the print tests:
#   cups-server.sh start DIR   a cupsd listening on DIR/cups.sock only, its configuration,
#                              spool and logs in a temporary folder, and one queue,
#                              "quillmark-pdf", the default printer: the cups-pdf backend with
#                              A4 as its default paper, writing each job's PDF into DIR/pdf.
#                              Point a program at it with CUPS_SERVER=DIR/cups.sock.
#                              Where cupsd cannot start (not root, cups not installed), DIR/skip
#                              says why in one line and the script still succeeds, so that the
#                              tests that need the server skip with that line.
#   cups-server.sh stop DIR    stops that cupsd and removes DIR and the temporary folder.
# The queue turns a job into PostScript with poppler's cairo renderer, whose fonts keep their
# letters, so that pdftotext reads the words of the PDF the queue writes (Ghostscript's own
# turns them into Type 3 glyphs without a usable text mapping).
# cups-pdf reads its settings from /etc/cups/cups-pdf-NAME.conf for a queue whose device is
# cups-pdf:/NAME (the folder is built into it): the script writes one under a name of its own
# and removes it again on stop.
set -euo pipefail

command=${1:?start or stop}
dir=${2:?folder}
queue=quillmark-pdf

stop_server() {
  if [ -f "$dir/cupsd.pid" ]; then
    kill "$(cat "$dir/cupsd.pid")" 2>/dev/null || true
    for _ in $(seq 1 50); do
      kill -0 "$(cat "$dir/cupsd.pid")" 2>/dev/null || break
      sleep 0.1
    done
    rm -f "$dir/cupsd.pid"
  fi
  if [ -f "$dir/instance" ]; then rm -f "/etc/cups/cups-pdf-$(cat "$dir/instance").conf"; fi
  if [ -f "$dir/root-path" ]; then rm -rf "$(cat "$dir/root-path")"; fi
}

skip() {
  echo "$1" >"$dir/skip"
  echo "cups-server.sh: $1" >&2
  exit 0
}

write_config() {  # root
  local root=$1
  cat >"$root/cupsd.conf" <<EOF
Listen $dir/cups.sock
LogLevel warn
ErrorPolicy abort-job
Browsing No
WebInterface No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order allow,deny
    Allow all
  </Limit>
</Policy>
EOF
  cat >"$root/cups-files.conf" <<EOF
ServerRoot $root
RequestRoot $root/spool
TempDir $root/tmp
CacheDir $root/cache
StateDir $root/state
ServerBin /usr/lib/cups
DataDir /usr/share/cups
DocumentRoot /usr/share/cups/doc-root
AccessLog $root/access_log
ErrorLog $root/error_log
PageLog $root/page_log
SystemGroup root
User lp
Group lp
Sandboxing relaxed
EOF
  mkdir -p "$root/spool/tmp" "$root/tmp" "$root/cache" "$root/state" "$root/ppd"
  chown root:lp "$root/spool" "$root/spool/tmp" "$root/tmp" "$root/cache" "$root/state"
  chmod 0710 "$root/spool"
  chmod 1770 "$root/spool/tmp" "$root/tmp"
  chmod 0770 "$root/cache" "$root/state"
}

write_pdf_config() {  # instance
  cat >"/etc/cups/cups-pdf-$1.conf" <<EOF
Out $dir/pdf
AnonDirName $dir/pdf
AnonUser root
Grp root
Label 0
TitlePref 0
Log $root
LogType 1
EOF
}

answers() {
  CUPS_SERVER="$dir/cups.sock" lpstat -r 2>/dev/null | grep -q "is running"
}

case "$command" in
  start)
    if [ -d "$dir" ]; then bash "$0" stop "$dir"; fi
    mkdir -p "$dir"
    [ "$(id -u)" -eq 0 ] || skip "the print server needs root to start cupsd; print-server tests skipped"
    command -v cupsd >/dev/null && command -v lpadmin >/dev/null ||
      skip "cupsd or lpadmin is not installed (cups, cups-bsd); print-server tests skipped"
    [ -x /usr/lib/cups/backend/cups-pdf ] && [ -f /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd ] ||
      skip "the cups-pdf backend is not installed (printer-driver-cups-pdf); print-server tests skipped"
    root=$(mktemp -d /tmp/quillmark-cups.XXXXXX)
    chmod 0755 "$root"
    echo "$root" >"$dir/root-path"
    instance="quillmark-$(basename "$root" | cut -d. -f2)"
    echo "$instance" >"$dir/instance"
    mkdir -p "$dir/pdf"
    chmod 0777 "$dir/pdf"
    write_config "$root"
    write_pdf_config "$instance"
    # Detached from the caller's output, so that the test runner does not wait for it.
    setsid cupsd -f -c "$root/cupsd.conf" -s "$root/cups-files.conf" </dev/null \
      >>"$root/cupsd.out" 2>&1 &
    echo $! >"$dir/cupsd.pid"
    for _ in $(seq 1 100); do
      answers && break
      kill -0 "$(cat "$dir/cupsd.pid")" 2>/dev/null || break
      sleep 0.1
    done
    answers || skip "cupsd did not start: $(tail -n 1 "$root/error_log" "$root/cupsd.out" 2>/dev/null | tr '\n' ' ')"
    CUPS_SERVER="$dir/cups.sock" lpadmin -p "$queue" -E -v "cups-pdf:/$instance" \
      -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd -o PageSize=A4 -o printer-is-shared=false \
      -o pdftops-renderer-default=pdftocairo
    CUPS_SERVER="$dir/cups.sock" lpadmin -d "$queue"
    ;;
  stop)
    stop_server
    rm -rf "$dir"
    ;;
  *)
    echo "usage: $0 start|stop DIR" >&2
    exit 2
    ;;
esac
