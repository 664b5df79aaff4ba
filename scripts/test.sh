#!/bin/sh
# Installs what is missing, builds, and runs every test: GoogleTest under
# Wine on a virtual display, one Wine process per test. One at a time: the
# program finds the host by its top-level window, so two tests with a host
# each on one desktop would find each other's.
set -eu
. "$(dirname "$0")/common.sh"

prepare
with_audio on_virtual_display ctest --test-dir "$build" --output-on-failure "$@"
