#!/bin/sh
# Opens or closes the desk of a build folder: the virtual display, sound
# server and wineserver its tests share. CTest opens it before the first test
# that needs it and closes it after the last (tests/CMakeLists.txt), so a
# ctest run by hand in a build folder works as scripts/test.sh does.
#   desk.sh open|close TREE ARCH
set -eu
. "$(dirname "$0")/common.sh"
[ $# = 3 ] || fail "usage: desk.sh open|close TREE ARCH"
[ "$3" = i686 ] && ! runs_32bit &&
    fail "this kernel runs no 32-bit programs, so the tests of the 32-bit build cannot run here; those of the 64-bit build can: sh scripts/test.sh"
use_tree "$2" "$3"
case $1 in
open)
    [ -f "$WINEPREFIX/.norq-ready" ] ||
        fail "$2 has no Wine prefix yet; sh scripts/test.sh makes it (and installs, builds and tests)."
    open_desk ;;
close) close_desk ;;
*) fail "usage: desk.sh open|close TREE ARCH" ;;
esac
