#include "idler/auto_idle.h"

#include <algorithm>

namespace {

constexpr uint32_t kMinuteMs = 60000;

// How long until the quiet spell is over; 0 once it is.
uint32_t UntilQuiet(const AutoIdleState& s) {
    uint32_t quiet = s.now - s.lastInput;
    // Input newer than the clock read before it: it came just now.
    if (quiet > UINT32_MAX / 2) quiet = 0;
    const uint32_t spell = (uint32_t)s.minutes * kMinuteMs;
    return quiet >= spell ? 0 : spell - quiet;
}

}  // namespace

AutoIdleDecision DecideAutoIdle(const AutoIdleState& s) {
    if (s.idling && s.byItself) {
        // Any input since the start: the user is back. The program's own
        // messages to the host are no input, so they never end it.
        if (s.lastInput == s.inputAtStart) return {AutoIdleStep::kWait, kReturnCheckMs};
        if (s.minutes == 0) return {AutoIdleStep::kStop, 0};
        return {AutoIdleStep::kStop, std::clamp(UntilQuiet(s), uint32_t{1}, kQuietCheckMs)};
    }
    if (s.minutes == 0) return {AutoIdleStep::kWait, 0};
    // Idling started by hand is the user's to end; keep looking, slowly, for
    // when it has been ended.
    if (s.idling) return {AutoIdleStep::kWait, kQuietCheckMs};
    const uint32_t left = UntilQuiet(s);
    if (left == 0) return {AutoIdleStep::kStart, kReturnCheckMs};
    // Looks again when the spell would be over, or sooner.
    return {AutoIdleStep::kWait, std::min(left, kQuietCheckMs)};
}
