#!/bin/sh
# One run of hostsim and norq idle on the current display; called by run.sh.
#   session.sh OUT interactive   waits until you close both programs
#   session.sh OUT automatic     acts as a newcomer (gives a handle, starts
#                                idling, plays a file in the player, waits
#                                for the first idle status line, leaves) and
#                                ends by itself
set -u
. "$(dirname "$0")/common.sh"
out=$1 mode=$2
# hostsim writes the chat log; it ends at once when it cannot.
chatlog="$out/chat.log"

lines() { cat "$chatlog" 2>/dev/null | wc -l; }
# Waits up to $2 seconds for the chat log to hold $1 lines.
wait_lines() {
    i=0
    while [ "$(lines)" -lt "$1" ] && [ $i -lt $(($2 * 10)) ]; do sleep 0.1; i=$((i + 1)); done
}

wine "$build/hostsim.exe" --room "Lobby" --chat-log "$(wine winepath -w "$chatlog")" &
host=$!
# The host is up once it takes a command; a host that ended has said why.
i=0
until wine "$build/hostsim.exe" --control clear-log >/dev/null 2>&1; do
    kill -0 $host 2>/dev/null && [ $i -lt 60 ] ||
        fail "the substitute host (hostsim.exe) did not start; what it said, if anything, is above."
    sleep 0.5; i=$((i + 1))
done
# The program's current drive is n:, so its settings stay in $out/root.
(cd "$out/root" && exec wine "$build/norqidle.exe") &
idler=$!

# The windows the newcomer meets, by their captions.
dialog="norq idle" main="norq idle - v¹·º - by vonk" player="norq idler v¹ - mp3 player - by vonk"
# Clicks the middle of what reads $2 (a control's name, or a list's entry) in
# the window captioned $1, where scripts/point_at.cpp finds it.
click() {
    at=$(wine "$build/point_at.exe" "$1" "$2") || return 1
    # shellcheck disable=SC2086
    xdotool mousemove $at sleep 0.2 click 1
}
# Chooses an entry of the command menu by its texts ("misc > mp3 player"),
# with the keys written for it, which a test checks against the real menu.
choose() {
    keys=$(awk -F '\t' -v entry="$1" '$1 == entry { print $2 }' "$top/scripts/menu-keys.txt")
    [ -n "$keys" ] || { echo "session.sh: no keys written for \"$1\" in scripts/menu-keys.txt" >&2; return 1; }
    click "$main" options || return 1
    sleep 0.5
    # shellcheck disable=SC2086
    xdotool key --delay 100 $keys
}

if [ "$mode" = automatic ]; then
    # A first start: the handle dialog asks for a handle. Type one, click "ok".
    wait_lines 2 60
    sleep 1
    if click "$dialog" "user:"; then
        sleep 0.3
        xdotool type --delay 60 "norqfan"
        click "$dialog" ok
        sleep 0.5
    fi
    # Start idling from the menu, as a user would.
    choose "idler opts > idler on"
    wait_lines 3 10
    # The player, from the same menu: play the file, look, stop it, and back
    # to the main window with "hide".
    choose "misc > mp3 player"
    sleep 0.5
    if click "$player" "a tone.mp3"; then
        sleep 0.3
        click "$player" play
        wait_lines 4 10
        sleep 1
        click "$player" stop
        wait_lines 5 10
        click "$player" hide
        sleep 0.5
    fi
    # The idle clock's first tick, a minute after "idler on": the status
    # line and the reason line.
    echo "waiting for the first idle status line (a minute after \"idler on\")..."
    wait_lines 7 80
    sleep 0.5
    import -window root "$out/screenshot.png"
    click "$main" exit
    wait_lines 9 30
    i=0
    while kill -0 $idler 2>/dev/null && [ $i -lt 100 ]; do sleep 0.1; i=$((i + 1)); done
fi
wait $idler 2>/dev/null
# The host's frame takes no clicks, so it ends with the program.
wine "$build/hostsim.exe" --control quit >/dev/null 2>&1
wait $host 2>/dev/null

echo
echo "Lines that arrived in the room, as a reader sees them (mark-up left out),"
echo "each with its exact bytes in code page 1252 below it:"
iconv -f CP1252 -t UTF-8 "$chatlog" | sed 's/^Lobby: //; s/<[^>]*>//g' >"$out/readable.txt"
sed 's/^Lobby: //' "$chatlog" |
    perl -pe 's/([^\x20-\x7e\n])/sprintf("\\x%02X", ord $1)/ge; s/^/    bytes: /' >"$out/bytes.txt"
sed 's/^/  /' "$out/readable.txt" | paste -d '\n' - "$out/bytes.txt"
echo
echo "Settings file:"
if [ -f "$out/root/norqidle.ini" ]; then sed 's/^/  /' "$out/root/norqidle.ini"; else echo "  (none)"; fi
[ -f "$out/screenshot.png" ] && echo && echo "Screenshot: $out/screenshot.png"
[ "$mode" = automatic ] || exit 0

# What the newcomer's visit must have brought, as a reader sees each line.
missing=""
expect() { grep -Eq -e "$2" "$out/readable.txt" || missing="$missing
  $1"; }
expect "the load line" '-  inLoad $'
expect "the user line" '^ by: vonk  -  user: '
expect "the line that idling started" ' started idle\. $'
expect "the player's playing line" ' - playing: a tone\.mp3 $'
expect "the player's stopped line" ' - stopped: a tone\.mp3 $'
expect "the first idle status line" ' vonk \( 0d/0h/1m \) $'
expect "the reason line" '^ re: '
expect "the unload line" '-  unLoad $'
expect "the farewell line" '^ by: vonk -  user: norqfan $'
[ -z "$missing" ] && exit 0
echo
fail "these lines never arrived in the room:$missing"
