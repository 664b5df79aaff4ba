#!/bin/sh
# Opens or closes the desk of a build folder: the virtual display, sound
# server and wineserver its tests share. CTest opens it before the first test
# that needs it and closes it after the last (tests/CMakeLists.txt), so a
# ctest run by hand in a build folder works as scripts/test.sh does.
#   desk.sh open|close TREE ARCH
set -eu
. "$(dirname "$0")/common.sh"
[ $# = 3 ] || fail "usage: desk.sh open|close TREE ARCH"
use_built_tree "$2" "$3"
case $1 in
open) open_desk ;;
close) close_desk ;;
*) fail "usage: desk.sh open|close TREE ARCH" ;;
esac
