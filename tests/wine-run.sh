#!/bin/sh
# Runs one Windows program of the build folder TREE (architecture ARCH) under
# that folder's Wine, on its desk (scripts/desk.sh), with a drive letter of
# its own mapped to a fresh folder: the settings file, which lives in the root
# of the current drive, then never lands in the root of this machine, and
# tests running side by side never share one. The letter is in
# NORQ_TEST_DRIVE ("m:"). A second letter, in NORQ_LOCKED_DRIVE, stands on
# this run's folder in /proc: a root that nobody, root included, can create a
# file in, gone with the run.
#   wine-run.sh TREE ARCH PROGRAM [ARGUMENTS...]
tree=$1 arch=$2
shift 2
. "$(dirname "$0")/../scripts/common.sh"
use_built_tree "$tree" "$arch"
# Without the desk, as when ctest lists the tests, the program runs with no
# display and no sound server.
[ -f "$tree/desk/env" ] && . "$tree/desk/env"

dosdevices="$WINEPREFIX/dosdevices"
root=$(mktemp -d "${TMPDIR:-/tmp}/norq-test.XXXXXX")
# Letters left behind by runs that were killed.
for link in "$dosdevices"/?:; do
    [ -L "$link" ] && [ ! -e "$link" ] && rm -f "$link"
done
# n: belongs to the main job; ln -sn is atomic and never follows a letter
# already taken into its folder, so two tests never share one.
map() {
    for l in d e f g h i j k l m o p q r s t u v w x y; do
        if ln -sn "$1" "$dosdevices/$l:" 2>/dev/null; then echo $l; return; fi
    done
}
drive=$(map "$root")
locked=$(map /proc/$$)
[ -n "$drive" ] && [ -n "$locked" ] || {
    echo "wine-run.sh: no free drive letter in $dosdevices" >&2
    rm -f "$dosdevices/$drive:" "$dosdevices/$locked:"; rm -rf "$root"; exit 1
}
NORQ_TEST_DRIVE="$drive:" NORQ_LOCKED_DRIVE="$locked:" wine "$@"
rc=$?
rm -f "$dosdevices/$drive:" "$dosdevices/$locked:"
rm -rf "$root"
exit $rc
