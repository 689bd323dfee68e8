#!/usr/bin/env bash
# Runs the benchmarks of the release build.
set -eu
BUILD=${1:-build-release}
export QT_QPA_PLATFORM=offscreen
for b in "$BUILD"/bench/*; do
  [ -x "$b" ] && [ -f "$b" ] && "$b"
done
