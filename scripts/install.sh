#!/bin/sh
# Installs what building and testing need on Debian 12, as root, for the
# architecture whose Wine runs the tests: i686 (the default) or x86_64. The
# 32-bit compilers come either way, since the 32-bit program is always built.
# "package" installs only what scripts/package.sh needs: no Wine, no tests.
# Does nothing for packages that are already there, so every entry point can
# call it.
set -eu
arch=${1:-i686}

need=""
have() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'ok installed'; }

program="cmake make g++-mingw-w64-i686 mingw-w64-i686-dev"
common="$program googletest clang libclang-rt-14-dev
        xvfb xauth xdotool x11-utils imagemagick fonts-wine fonts-liberation
        pulseaudio pulseaudio-utils"
case $arch in
i686) wine="wine wine32:i386 gstreamer1.0-plugins-good:i386" ;;
x86_64) wine="g++-mingw-w64-x86-64 mingw-w64-x86-64-dev wine64 gstreamer1.0-plugins-good:amd64" ;;
package) common="$program zip" wine="" ;;
*) echo "install.sh: the architecture is i686 or x86_64 (or package), not '$arch'" >&2; exit 2 ;;
esac
for p in $common $wine; do
    have "$p" || need="$need $p"
done
[ -z "$need" ] && exit 0

if [ "$(id -u)" != 0 ]; then
    echo "install.sh: missing packages:$need; run as root to install them" >&2
    exit 1
fi

export DEBIAN_FRONTEND=noninteractive
if [ "$arch" = i686 ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
fi
echo "installing:$need"
apt-get update -qq
apt-get install -y -qq --no-install-recommends $need >/dev/null
