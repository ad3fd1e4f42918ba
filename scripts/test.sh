#!/usr/bin/env bash
# Usage: test.sh [BUILD_DIR]
# The whole check on a fresh machine: set-up, build, every test under Wine on a
# virtual screen. Ends with ctest's summary.
set -u
src=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$src/build}

bash "$src/scripts/build.sh" "$build" || exit 1
# Wine's processes are stopped before the screen they use.
export WINEPREFIX="$build/wine/prefix"
exec "$src/scripts/with-display.sh" bash -c \
    'ctest --test-dir "$0" --output-on-failure -j 2; rc=$?; wineserver -k 2>/dev/null; exit $rc' "$build"
