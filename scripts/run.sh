#!/bin/sh
# The main job: builds, then runs hostsim with one open chat room and
# norq idle beside it. On the current display it runs until you close both;
# without one it runs on a virtual display, plays the part of the user (waits
# for the start-up, takes a screenshot, clicks the window's "x") and ends by
# itself. Either way it prints the lines that arrived in the room.
set -eu
. "$(dirname "$0")/common.sh"

prepare run

out="$build/run"
rm -rf "$out"; mkdir -p "$out/root"
# The program keeps its settings in the root of its current drive: give it a
# drive of its own, so nothing is written in the root of this machine.
ln -sfn "$out/root" "$WINEPREFIX/dosdevices/n:"
# Something for the player to play: it lists the program's current folder.
cp "$top/tests/media/tone880.mp3" "$out/root/a tone.mp3"

# On your display the player plays through the sound server of your session
# when there is one, else through a private one (heard by nobody, but it
# plays).
rc=0
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    if pactl info >/dev/null 2>&1; then
        sh "$top/scripts/session.sh" "$out" interactive || rc=$?
    else
        open_desk here
        sh "$top/scripts/session.sh" "$out" interactive || rc=$?
        close_desk
    fi
else
    open_desk
    sh "$top/scripts/session.sh" "$out" automatic || rc=$?
    close_desk
fi
exit $rc
