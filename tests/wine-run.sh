#!/bin/sh
# Runs one test program under Wine with a drive letter of its own, mapped to
# a fresh folder: the settings file, which lives in the root of the current
# drive, then never lands in the root of this machine, and tests running side
# by side never share one. The letter is in NORQ_TEST_DRIVE ("m:").
dosdevices="$WINEPREFIX/dosdevices"
root=$(mktemp -d "${TMPDIR:-/tmp}/norq-test.XXXXXX")
# Letters left behind by runs that were killed.
for link in "$dosdevices"/?:; do
    [ -L "$link" ] && [ ! -e "$link" ] && rm -f "$link"
done
drive=
# n: belongs to the main job; ln -s is atomic, so two tests never share one.
for l in d e f g h i j k l m o p q r s t u v w x y; do
    if ln -s "$root" "$dosdevices/$l:" 2>/dev/null; then drive=$l; break; fi
done
[ -n "$drive" ] || { echo "wine-run.sh: no free drive letter" >&2; rm -rf "$root"; exit 1; }
NORQ_TEST_DRIVE="$drive:" wine "$@"
rc=$?
rm -f "$dosdevices/$drive:"
rm -rf "$root"
exit $rc
