#!/usr/bin/env bash
# A private MariaDB server: data folder and socket under DIR, listening on
# 127.0.0.1 only. No system service is touched.
#   db.sh start DIR      starts it (creating the data folder once) and prints its port
#   db.sh stop DIR       stops it
#   db.sh schema DIR     creates the schema from app/schema.sql (safe to repeat)
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
cmd=${1:?usage: db.sh start|stop|schema DIR}
dir=$(mkdir -p "${2:?usage: db.sh start|stop|schema DIR}" && cd "$2" && pwd)
sock=$dir/mysqld.sock
MARIADB_SBIN=/usr/sbin

free_port() {
  python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1]); s.close()'
}

running() { [[ -S $sock ]] && mariadb-admin --no-defaults -S "$sock" -uroot ping >/dev/null 2>&1; }

case $cmd in
start)
  if running; then cat "$dir/port"; exit 0; fi
  if [[ ! -d $dir/data/mysql ]]; then
    mariadb-install-db --no-defaults --datadir="$dir/data" --user="$(id -un)" \
      --auth-root-authentication-method=normal --skip-test-db \
      --lower-case-table-names=1 >"$dir/install.log" 2>&1
  fi
  port=$(free_port)
  echo "$port" >"$dir/port"
  "$MARIADB_SBIN/mariadbd" --no-defaults --datadir="$dir/data" --socket="$sock" \
    --port="$port" --bind-address=127.0.0.1 --user="$(id -un)" \
    --lower-case-table-names=1 --skip-log-bin --pid-file="$dir/mysqld.pid" \
    --innodb-buffer-pool-size=256M --innodb-flush-log-at-trx-commit=2 \
    --character-set-server=utf8mb4 --collation-server=utf8mb4_general_ci \
    --max-connections=500 --log-error="$dir/error.log" >/dev/null 2>&1 &
  for _ in $(seq 1 300); do
    running && { echo "$port"; exit 0; }
    sleep 0.1
  done
  echo "MariaDB did not start; see $dir/error.log" >&2
  tail -20 "$dir/error.log" >&2 || true
  exit 1
  ;;
stop)
  if running; then mariadb-admin --no-defaults -S "$sock" -uroot shutdown || true; fi
  ;;
schema)
  mariadb --no-defaults -S "$sock" -uroot <"$ROOT/app/schema.sql"
  ;;
*)
  echo "usage: db.sh start|stop|schema DIR" >&2
  exit 2
  ;;
esac
