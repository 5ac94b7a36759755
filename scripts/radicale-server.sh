#!/usr/bin/env bash
# Starts or stops a throwaway CardDAV server (Debian's radicale) on 127.0.0.1 for the tests and
# the benchmark:
#   radicale-server.sh start DIR   users file (alice / secret, bob / other, dora / explorer,
#                                  erin / pässwörd) and a self-signed certificate under DIR; a plain server whose
#                                  port goes to DIR/port and a TLS one (same storage) whose
#                                  port goes to DIR/tls-port
#   radicale-server.sh stop DIR    stops the two servers started for DIR and removes DIR
# The storage lives on /dev/shm when there is one: the server syncs every card it writes, and
# on a disk that alone would take most of the time of filling a large address book.
set -euo pipefail

command=${1:?start or stop}
dir=${2:?folder}

free_port() {
  python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'
}

stop_servers() {
  for name in plain tls; do
    if [ -f "$dir/$name.pid" ]; then
      kill "$(cat "$dir/$name.pid")" 2>/dev/null || true
      rm -f "$dir/$name.pid"
    fi
  done
}

write_config() {  # name port ssl
  cat >"$dir/$1.config" <<EOF
[server]
hosts = 127.0.0.1:$2
ssl = $3
certificate = $dir/cert.pem
key = $dir/key.pem
[auth]
type = htpasswd
htpasswd_filename = $dir/users
htpasswd_encryption = plain
delay = 0
[rights]
type = owner_only
[storage]
filesystem_folder = $(cat "$dir/storage-path")
[web]
type = none
[logging]
level = warning
EOF
}

answers() {  # port
  python3 -c 'import socket, sys; socket.create_connection(("127.0.0.1", int(sys.argv[1])), 1)' \
    "$1" 2>/dev/null
}

start_server() {  # name ssl
  local name=$1 port
  for _ in 1 2 3 4 5; do
    port=$(free_port)
    write_config "$name" "$port" "$2"
    # Detached from the caller's output, so that the test runner does not wait for it.
    setsid radicale --config "$dir/$name.config" </dev/null >>"$dir/$name.log" 2>&1 &
    echo $! >"$dir/$name.pid"
    for _ in $(seq 1 100); do
      if answers "$port"; then
        echo "$port" >"$dir/$name.port"
        return 0
      fi
      if ! kill -0 "$(cat "$dir/$name.pid")" 2>/dev/null; then
        break  # the port was taken meanwhile: try another
      fi
      sleep 0.1
    done
    kill "$(cat "$dir/$name.pid")" 2>/dev/null || true
  done
  echo "radicale did not start; see $dir/$name.log" >&2
  return 1
}

case "$command" in
  start)
    if [ -d "$dir" ]; then bash "$0" stop "$dir"; fi
    mkdir -p "$dir"
    if [ -d /dev/shm ] && [ -w /dev/shm ]; then
      mktemp -d /dev/shm/quillmark-radicale.XXXXXX >"$dir/storage-path"
    else
      mkdir -p "$dir/storage" && echo "$dir/storage" >"$dir/storage-path"
    fi
    printf 'alice:secret\nbob:other\ndora:explorer\nerin:p\xc3\xa4ssw\xc3\xb6rd\n' >"$dir/users"
    openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj /CN=localhost \
      -keyout "$dir/key.pem" -out "$dir/cert.pem" 2>/dev/null
    start_server plain False
    start_server tls True
    mv "$dir/plain.port" "$dir/port"
    mv "$dir/tls.port" "$dir/tls-port"
    ;;
  stop)
    stop_servers
    if [ -f "$dir/storage-path" ]; then rm -rf "$(cat "$dir/storage-path")"; fi
    rm -rf "$dir"
    ;;
  *)
    echo "usage: $0 start|stop DIR" >&2
    exit 2
    ;;
esac
