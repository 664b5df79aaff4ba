// The room buster's figures (room_buster_bench.cpp).
#pragma once

#include <string>

#include "hostsim/hostsim.h"

// Prints the watcher's cost against a 1 ms polling timer, the box-to-press
// latency, and the cost of busting; the costs come from this benchmark run
// again in a role.
void BenchRoomBuster(hostsim::Host& host);
// The part a second run of the benchmark plays ("idle", "watcher", "poll" or
// "bust") for settle seconds and then `seconds` more. Returns its CPU over
// those last seconds in milliseconds, the run's exit code.
int RunRoomBusterRole(const std::string& role, int settle, int seconds);
