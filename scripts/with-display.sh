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
read -r number <&7
export DISPLAY=":$number"
"$@"
rc=$?
kill "$xvfb" 2>/dev/null
exit $rc
