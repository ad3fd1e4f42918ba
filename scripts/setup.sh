#!/usr/bin/env bash
# Installs what building, running and testing need, when it is missing:
# Debian packages, the zh_CN.UTF-8 locale (Wine's code page 936) and a deb-src
# entry for fetching third-party sources. Quick when everything is there.
set -eu

packages=(
    cmake ninja-build g++ pkg-config
    g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
    mingw-w64-tools libz-mingw-w64-dev googletest
    wine wine64 xvfb xauth xdotool x11-utils imagemagick fonts-wqy-microhei locales
    dpkg-dev xz-utils python3 iproute2 liblnk-utils nginx-light libminizip-dev zlib1g-dev zip unzip openssl
)

missing_packages() {
    local p
    for p in "${packages[@]}"; do
        dpkg-query -W -f='${Status}\n' "$p" 2>/dev/null | grep -q '^install ok installed$' || echo "$p"
    done
}
has_locale() { locale -a 2>/dev/null | grep -qix 'zh_CN.utf8'; }
has_sources() { apt-cache showsrc minizip 2>/dev/null | grep -q '^Package: minizip'; }

missing=$(missing_packages)
if [ -z "$missing" ] && has_locale && has_sources; then
    exit 0
fi

if [ "$(id -u)" != 0 ]; then
    echo "setup: some of what the build needs is missing${missing:+ (packages: $(echo $missing))}." >&2
    echo "setup: run as root:  bash $(cd "$(dirname "$0")" && pwd)/setup.sh" >&2
    exit 1
fi

export DEBIAN_FRONTEND=noninteractive
if ! has_sources; then
    # The same archive the machine installs from, for source packages too.
    if [ -f /etc/apt/sources.list.d/debian.sources ]; then
        sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources \
            > /etc/apt/sources.list.d/tavrimo-deb-src.sources
    else
        grep -h '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' > /etc/apt/sources.list.d/tavrimo-deb-src.list
    fi
fi
apt-get update -qq
missing=$(missing_packages)
if [ -n "$missing" ]; then
    apt-get install -y -qq --no-install-recommends $missing >/dev/null
fi
if ! has_locale; then
    sed -i 's/^# *\(zh_CN.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' >> /etc/locale.gen
    locale-gen >/dev/null
fi
has_sources || { echo "setup: no source packages available after adding a deb-src entry" >&2; exit 1; }
