#!/usr/bin/env bash
# Usage: with-display.sh COMMAND [ARGS...]
# Runs COMMAND with DISPLAY set: the caller's display, or else a private Xvfb
# screen that is stopped afterwards.
set -u
if [ -n "${DISPLAY:-}" ]; then
    exec "$@"
fi
exec 7< <(Xvfb -displayfd 1 -screen 0 1024x768x24 -nolisten tcp 2>/dev/null & echo "$!"; wait)
read -r xvfb <&7
# The screen goes with this script, also when it is interrupted or stopped.
trap 'kill "$xvfb" 2>/dev/null' EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
read -r number <&7
export DISPLAY=":$number"
"$@"
