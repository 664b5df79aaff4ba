#!/bin/sh
# The tests of the pure logic (chat lines, transfer texts, UTF-8, the chat
# backlog, auto idle, pauses, dragging, the player's commands, folder
# entries), built natively with the machine's own g++ and run at once: no
# Wine, no display, a few seconds once built. Installs what is missing first
# (as root). Arguments go to the test program:
#   sh scripts/logic.sh --gtest_filter='ChatBacklog.*'
set -eu
. "$(dirname "$0")/common.sh"

sh "$top/scripts/install.sh" logic
logic_tests "$@"
