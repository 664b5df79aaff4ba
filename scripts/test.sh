#!/bin/sh
# Installs what is missing, builds, and runs every test: first the tests of
# the pure logic, natively (scripts/logic.sh; a failure there ends the run
# before anything is built for Windows), then GoogleTest under Wine on a
# virtual display beside a sound server (the desk that CTest opens,
# scripts/desk.sh), one Wine process per test, and the fuzzers briefly. One at
# a time: the program finds the host by its top-level window, so two tests
# with a host each on one desktop would find each other's. Arguments go to
# ctest: sh scripts/test.sh -R Player
set -eu
. "$(dirname "$0")/common.sh"

prepare test
[ "$arch" = x86_64 ] && check_64bit_wine
ctest --test-dir "$build" --output-on-failure "$@"
