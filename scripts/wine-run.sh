#!/usr/bin/env bash
# Usage: wine-run.sh --wine-root DIR PROGRAM.exe [ARGS...]
#        wine-run.sh --wine-root DIR --prepare     (only creates the prefix)
# Runs a Windows program under Wine in the project's own world: the prefix and a
# HOME of their own below DIR (created once and reused; a fresh prefix's Desktop
# is that HOME), the GBK locale, no menu entries written to the real desktop.
# Without a DISPLAY it runs on a private Xvfb screen (scripts/with-display.sh).
set -u
if [ "${1:-}" != "--wine-root" ] || [ $# -lt 3 ]; then
    echo "usage: $0 --wine-root DIR PROGRAM.exe [ARGS...] | --prepare" >&2
    exit 2
fi
root=$2
shift 2
mkdir -p "$root/home"
root=$(cd "$root" && pwd)

export WINEPREFIX="$root/prefix"
export HOME="$root/home"
export XDG_CONFIG_HOME="$root/home/.config" XDG_DATA_HOME="$root/home/.local/share" XDG_CACHE_HOME="$root/home/.cache"
export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
# No menu entries on the real desktop, no Mono or Gecko download prompts.
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"
export WINEDEBUG=-all
export WINELOADER=/usr/lib/wine/wine64

if [ -z "${DISPLAY:-}" ]; then
    # A private screen, one at a time per Wine root (the prefix's desktop process
    # belongs to the display it first saw); Wine is stopped before the screen.
    exec 8>"$root/.display.lock"
    flock 8
    exec "$(dirname "$0")/with-display.sh" bash -c '"$0" "$@"; rc=$?; wineserver -k 2>/dev/null; exit $rc' \
        "$0" --wine-root "$root" "$@"
fi

if [ ! -f "$WINEPREFIX/.ready" ]; then
    (
        flock 9
        if [ ! -f "$WINEPREFIX/.ready" ]; then
            /usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1 && wineserver -w && touch "$WINEPREFIX/.ready"
        fi
    ) 9>"$root/.prefix.lock"
fi

[ "$1" = "--prepare" ] && exit 0
exec /usr/lib/wine/wine64 "$@"
