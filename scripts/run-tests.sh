#!/usr/bin/env bash
# Runs every test: starts a private PostgreSQL server for the server-database runs,
# runs CTest (extra arguments go to ctest), and stops the server it started.
set -u
BUILD=${1:-build}
PORT=${WJ_TEST_PGPORT_WANTED:-54329}
. "$(dirname "$0")/pgserver.sh"

if [ "$(id -u)" -eq 0 ]; then
  # Speed over durability: the test server's data is thrown away.
  pg_start "$PORT" shop_test -c fsync=off -c synchronous_commit=off -c max_connections=50 \
    || { echo "could not start the PostgreSQL test server"; exit 1; }
  export WJ_TEST_PGHOST=127.0.0.1 WJ_TEST_PGPORT=$PORT WJ_TEST_PGUSER=postgres WJ_TEST_PGDATABASE=shop_test
  export WJ_TEST_PG_REQUIRED=1
else
  echo "not root: the PostgreSQL runs are skipped"
fi
export QT_QPA_PLATFORM=offscreen
cd "$BUILD" && ctest --output-on-failure -j2 --timeout 900 "${@:2}"
