#!/usr/bin/env bash
# Usage: build.sh [BUILD_DIR] [CMAKE_ARGS...]
# Sets up the machine when needed, configures (Ninja, mingw-w64 toolchain) and builds.
set -eu
src=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$src/build}
shift || true

bash "$src/scripts/setup.sh"
if [ ! -f "$build/CMakeCache.txt" ] || [ $# -gt 0 ]; then
    cmake -S "$src" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$src/cmake/mingw-w64-x86_64.cmake" "$@"
fi
cmake --build "$build" -j "$(nproc)"
