#!/usr/bin/env bash
# Usage: run.sh [BUILD_DIR]
# Sets up and builds as the test command does, then starts the wizard under the
# project's Wine set-up on your display. Without a display it runs on a virtual
# one, saves a screenshot of the window and closes it again.
set -u
src=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$src/build}
bash "$src/scripts/build.sh" "$build" || exit 1

exe="$build/wizard/Tavrimo - 安装向导.exe"
# A Wine world of its own: its desktop, where the wizard installs by default, is BUILD_DIR/wine-run/home.
run=("$src/scripts/wine-run.sh" --wine-root "$build/wine-run" "$exe")
if [ -n "${DISPLAY:-}" ]; then
    exec "${run[@]}"
fi

shot="$build/wizard-screenshot.png"
export WINEPREFIX="$build/wine-run/prefix"
SHOT="$shot" exec "$src/scripts/with-display.sh" bash -c '
    "$@" & wizard=$!
    window=$(xdotool search --sync --onlyvisible --name "^Tavrimo1.1 - 安装向导\$" | head -n 1)
    sleep 1
    import -window root "$SHOT" && echo "screenshot of the wizard: $SHOT"
    xdotool windowfocus --sync "$window" key Escape
    wait $wizard; rc=$?
    wineserver -k 2>/dev/null
    exit $rc' run "${run[@]}"
