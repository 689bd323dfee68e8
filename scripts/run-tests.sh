#!/usr/bin/env bash
# Runs every test: starts a private PostgreSQL server under /tmp on a private port for
# the server-database runs, runs CTest, and stops the server it started.
set -u
BUILD=${1:-build}
PORT=${WJ_TEST_PGPORT_WANTED:-54329}
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
  R=$(mktemp -d /tmp/wjpg.XXXX); chmod 755 "$R"
  install -d -o postgres -g postgres -m 755 "$R/sock"
  install -d -o postgres -g postgres -m 700 "$R/data"
  runuser -u postgres -- "$PGBIN/initdb" -D "$R/data" -U postgres -A trust -E UTF8 --locale=C.UTF-8 >/dev/null || return 1
  runuser -u postgres -- "$PGBIN/pg_ctl" -D "$R/data" -l "$R/sock/server.log" -w -t 60 \
    -o "-c listen_addresses=127.0.0.1 -p $PORT -k $R/sock -c fsync=off -c synchronous_commit=off -c max_connections=50" \
    start >/dev/null || { cat "$R/sock/server.log"; return 1; }
  "$PGBIN/createdb" -h 127.0.0.1 -p "$PORT" -U postgres shop_test || return 1
}

if [ "$(id -u)" -eq 0 ] && command -v runuser >/dev/null; then
  start_pg || { echo "could not start the PostgreSQL test server"; exit 1; }
  export WJ_TEST_PGHOST=127.0.0.1 WJ_TEST_PGPORT=$PORT WJ_TEST_PGUSER=postgres WJ_TEST_PGDATABASE=shop_test
  export WJ_TEST_PG_REQUIRED=1
else
  echo "not root: the PostgreSQL runs are skipped"
fi
export QT_QPA_PLATFORM=offscreen
cd "$BUILD" && ctest --output-on-failure -j2 --timeout 900 "${@:2}"
