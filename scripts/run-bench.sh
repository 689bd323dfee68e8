#!/usr/bin/env bash
# Runs the benchmarks of the release build. As root it also starts a private PostgreSQL
# server under /tmp on a private port for the server-database figures, and stops it
# afterwards; otherwise those figures are skipped (or measured on the server that
# WJ_BENCH_PGHOST/PGPORT/PGUSER/PGDATABASE name).
set -u
BUILD=${1:-build-release}
PORT=${WJ_BENCH_PGPORT_WANTED:-54339}
PGBIN=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -1)
R=""
cleanup() {
  if [ -n "$R" ] && [ -d "$R/data" ]; then
    runuser -u postgres -- "$PGBIN/pg_ctl" -D "$R/data" -m fast -w stop >/dev/null 2>&1 || true
    rm -rf "$R"
  fi
}
trap cleanup EXIT

start_pg() {
  [ -n "$PGBIN" ] || { echo "PostgreSQL is not installed"; return 1; }
  R=$(mktemp -d /tmp/wjbenchpg.XXXX); chmod 755 "$R"
  install -d -o postgres -g postgres -m 755 "$R/sock"
  install -d -o postgres -g postgres -m 700 "$R/data"
  runuser -u postgres -- "$PGBIN/initdb" -D "$R/data" -U postgres -A trust -E UTF8 --locale=C.UTF-8 >/dev/null || return 1
  # Durable commits, as a shop's server runs.
  runuser -u postgres -- "$PGBIN/pg_ctl" -D "$R/data" -l "$R/sock/server.log" -w -t 60 \
    -o "-c listen_addresses=127.0.0.1 -p $PORT -k $R/sock" start >/dev/null || { cat "$R/sock/server.log"; return 1; }
  "$PGBIN/createdb" -h 127.0.0.1 -p "$PORT" -U postgres shop_bench || return 1
}

if [ -z "${WJ_BENCH_PGPORT:-}" ] && [ "$(id -u)" -eq 0 ] && command -v runuser >/dev/null; then
  if start_pg; then
    export WJ_BENCH_PGHOST=127.0.0.1 WJ_BENCH_PGPORT=$PORT WJ_BENCH_PGUSER=postgres WJ_BENCH_PGDATABASE=shop_bench
  else
    echo "could not start a PostgreSQL server: its figures are skipped"
  fi
fi
export QT_QPA_PLATFORM=offscreen
status=0
for b in "$BUILD"/bench/*; do
  if [ -x "$b" ] && [ -f "$b" ]; then
    "$b" || status=1
  fi
done
exit $status
