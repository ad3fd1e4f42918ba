#!/usr/bin/env bash
# Usage: fetch-source.sh PACKAGE TARBALL SHA256 CACHE_DIR
# Puts Debian's upstream tarball TARBALL of source package PACKAGE into CACHE_DIR,
# unless a copy with the right checksum is there already, and checks its SHA-256.
set -u
package=$1 tarball=$2 want=$3 cache=$4

fail() { echo "fetch-source: $tarball ($package): $*" >&2; exit 1; }
sum_of() { sha256sum "$1" | cut -d' ' -f1; }

mkdir -p "$cache" || fail "cannot create the cache folder $cache"
if [ -f "$cache/$tarball" ] && [ "$(sum_of "$cache/$tarball")" = "$want" ]; then
    exit 0
fi

work=$(mktemp -d "$cache/.fetch.XXXXXX") || fail "cannot create a work folder in $cache"
trap 'rm -rf "$work"' EXIT
# apt-get source may exit non-zero (signature or unpack noise) while the tarball
# still arrives, so judge by the tarball, not by the exit code.
(cd "$work" && apt-get source --download-only -q "$package" >"$work/apt.log" 2>&1)
if [ ! -f "$work/$tarball" ]; then
    sed 's/^/  apt-get: /' "$work/apt.log" >&2
    fail "apt-get source did not deliver it (is there a deb-src entry? run scripts/setup.sh as root)"
fi
got=$(sum_of "$work/$tarball")
[ "$got" = "$want" ] || fail "checksum mismatch: expected $want, got $got"
mv "$work/$tarball" "$cache/$tarball" || fail "cannot move it into $cache"
