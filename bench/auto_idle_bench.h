// Auto idle's figures (auto_idle_bench.cpp).
#pragma once

#include <string>

namespace hostsim { class Host; }
// Prints the program's CPU while it waits for a quiet spell, beside the same
// without the setting, each for `seconds`; and the delay from the first
// input after an automatic start to the stop line (median of 10).
void BenchAutoIdle(hostsim::Host& host, const std::string& program, const std::string& folder,
                   int seconds);
