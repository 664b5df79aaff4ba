#!/bin/sh
# Installs what is missing on Debian 12 (or a derivative), as root.
#   install.sh [ARCH [PURPOSE]]
#   install.sh package
#   install.sh logic
# ARCH is the architecture whose Wine runs the program: i686 (the default) or
# x86_64; the 32-bit compilers come either way, since the 32-bit program is
# always built. PURPOSE is "run" (build and run the program beside the
# substitute host, the default) or "test" (also the machine's own compiler for
# the logic tests, the fuzzers, and the tracer that checks which Wine the
# 64-bit path starts). "package" installs only what scripts/package.sh needs:
# no Wine, no tests; "logic" only what scripts/logic.sh needs: the machine's
# own compiler and GoogleTest. Does nothing for packages that are already
# there, so every entry point can call it.
set -eu
arch=${1:-i686} purpose=${2:-run}

program="cmake make g++-mingw-w64-i686 mingw-w64-i686-dev"
run="$program googletest
     xvfb xdotool x11-utils imagemagick fonts-wine fonts-liberation pulseaudio pulseaudio-utils"
case $arch in
package) run="$program zip" wine="" trace="" purpose=run ;;
logic) run="cmake make g++ googletest" wine="" trace="" purpose=run ;;
i686) wine="wine wine32:i386 gstreamer1.0-plugins-good:i386" trace="" ;;
x86_64) wine="g++-mingw-w64-x86-64 mingw-w64-x86-64-dev wine64 gstreamer1.0-plugins-good:amd64"
        trace=strace ;;
*) echo "install.sh: the architecture is i686 or x86_64, not '$arch'" >&2; exit 2 ;;
esac
case $purpose in
run) extra="" ;;
test) extra="g++ clang libclang-rt-14-dev $trace" ;;
*) echo "install.sh: the purpose is run or test, not '$purpose'" >&2; exit 2 ;;
esac
packages=$(echo $run $wine $extra)

# The package names are Debian's: elsewhere they mean nothing, and dpkg would
# call every one of them missing.
. /etc/os-release 2>/dev/null || true
case "${ID:-} ${ID_LIKE:-}" in
*debian*) ;;
*)
    cat >&2 <<EOF
install.sh: this machine is ${PRETTY_NAME:-not one that says what it is}, not Debian 12 or a
derivative, so nothing was installed. Install by hand what your system calls
these Debian packages$([ "$arch" = i686 ] && echo ' (":i386": the 32-bit one, beside the 64-bit system)'):
$(echo "$packages" | tr ' ' '\n' | sed 's/^/  /')
then run the command again.
EOF
    exit 1 ;;
esac

need=""
have() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'ok installed'; }
for p in $packages; do
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
