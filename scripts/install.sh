#!/bin/sh
# Installs what building and testing need on Debian 12, as root. Does nothing
# for packages that are already there, so every entry point can call it.
set -eu

need=""
have() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'ok installed'; }

for p in cmake make g++-mingw-w64-i686 mingw-w64-i686-dev googletest clang libclang-rt-14-dev \
         xvfb xauth xdotool x11-utils imagemagick fonts-wine fonts-liberation \
         wine wine32:i386 gstreamer1.0-plugins-good:i386 pulseaudio pulseaudio-utils; do
    have "$p" || need="$need $p"
done
[ -z "$need" ] && exit 0

if [ "$(id -u)" != 0 ]; then
    echo "install.sh: missing packages:$need; run as root to install them" >&2
    exit 1
fi

export DEBIAN_FRONTEND=noninteractive
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
fi
apt-get update -qq
apt-get install -y -qq --no-install-recommends $need >/dev/null
