#!/bin/sh
# Builds, then prints the figures we watch: the size of norqidle.exe, its
# start-up time beside hostsim, its CPU and memory while idling (for
# NORQ_BENCH_IDLE_MINUTES, 3 by default), and the CPU a wait costs. Figures
# only: what is too slow or too big is for a person to judge.
set -eu
. "$(dirname "$0")/common.sh"

prepare run

echo
echo "norqidle.exe: $(stat -c %s "$build/norqidle.exe") bytes"
echo
# wine-run.sh gives the program a drive of its own, so its settings file never
# lands in the root of this machine.
open_desk
rc=0
sh "$top/tests/wine-run.sh" "$build" "$arch" "$build/norq_bench.exe" || rc=$?
close_desk
exit $rc
