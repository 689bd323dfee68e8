# Sourced by the test and benchmark scripts: a private PostgreSQL server under /tmp on a
# private port, owned by the postgres user (the server refuses to run as root), stopped
# when the calling script exits.
#   pg_start PORT DATABASE [server options...]   -> 0 when the server runs with DATABASE
PGBIN=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -1)
PG_ROOT=""

pg_stop() {
  if [ -n "$PG_ROOT" ] && [ -d "$PG_ROOT/data" ]; then
    runuser -u postgres -- "$PGBIN/pg_ctl" -D "$PG_ROOT/data" -m fast -w stop >/dev/null 2>&1 || true
    rm -rf "$PG_ROOT"
  fi
  PG_ROOT=""
}

pg_start() {
  local port=$1 db=$2
  shift 2
  [ "$(id -u)" -eq 0 ] && command -v runuser >/dev/null || { echo "not root: no private PostgreSQL server"; return 1; }
  [ -n "$PGBIN" ] || { echo "PostgreSQL is not installed"; return 1; }
  PG_ROOT=$(mktemp -d /tmp/wjpg.XXXX); chmod 755 "$PG_ROOT"
  trap pg_stop EXIT
  install -d -o postgres -g postgres -m 755 "$PG_ROOT/sock"
  install -d -o postgres -g postgres -m 700 "$PG_ROOT/data"
  runuser -u postgres -- "$PGBIN/initdb" -D "$PG_ROOT/data" -U postgres -A trust -E UTF8 --locale=C.UTF-8 >/dev/null || return 1
  runuser -u postgres -- "$PGBIN/pg_ctl" -D "$PG_ROOT/data" -l "$PG_ROOT/sock/server.log" -w -t 60 \
    -o "-c listen_addresses=127.0.0.1 -p $port -k $PG_ROOT/sock $*" start >/dev/null \
    || { cat "$PG_ROOT/sock/server.log"; return 1; }
  "$PGBIN/createdb" -h 127.0.0.1 -p "$port" -U postgres "$db" || return 1
}
