#!/usr/bin/env bash
# Runs the benchmarks of the release build. As root it also starts a private PostgreSQL
# server for the server-database figures (durable commits, as a shop's server runs) and
# stops it afterwards; otherwise those figures are skipped, or measured on the server
# that WJ_BENCH_PGHOST/PGPORT/PGUSER/PGDATABASE name.
set -u
BUILD=${1:-build-release}
PORT=${WJ_BENCH_PGPORT_WANTED:-54339}
. "$(dirname "$0")/pgserver.sh"

if [ -z "${WJ_BENCH_PGPORT:-}" ]; then
  if pg_start "$PORT" shop_bench; then
    export WJ_BENCH_PGHOST=127.0.0.1 WJ_BENCH_PGPORT=$PORT WJ_BENCH_PGUSER=postgres WJ_BENCH_PGDATABASE=shop_bench
  else
    echo "no PostgreSQL server: its figures are skipped"
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
