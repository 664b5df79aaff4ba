// The player's figures: CPU while playing, paused and stopped, the time from
// a click on play or on resume to the first sample out, and the listing of a
// big folder.
#pragma once

#include <string>

// Starts the program built beside the benchmark in folder (the root of a
// drive of the benchmark's own) beside host, a hostsim with a room open.
namespace hostsim { class Host; }
void MeasurePlayer(hostsim::Host& host, const std::string& program, const std::string& folder);
