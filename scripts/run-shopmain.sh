#!/usr/bin/env bash
# Starts ShopMain from the program folder on the embedded database (demo data on a
# new database). Without a display it says so in one line and exits.
set -u
BUILD=${1:-build}
BIN="$BUILD/bin"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "ShopMain: no display available (DISPLAY is not set); built in $BIN, start it from a desktop session."
  exit 0
fi
cd "$BIN" && exec ./ShopMain
