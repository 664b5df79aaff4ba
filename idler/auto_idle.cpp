#include "idler/auto_idle.h"

#include <algorithm>

namespace {
constexpr uint32_t kMinuteMs = 60000;
}  // namespace

int AutoIdleMinutes(const std::string& value) {
    // Four digits at most: 1440 fits, and nothing long can overflow.
    if (value.empty() || value.size() > 4) return 0;
    int minutes = 0;
    for (char c : value) {
        if (c < '0' || c > '9') return 0;
        minutes = minutes * 10 + (c - '0');
    }
    return minutes <= kAutoIdleMaxMinutes ? minutes : 0;
}

AutoIdleDecision DecideAutoIdle(const AutoIdleState& s) {
    if (s.idling && s.byItself) {
        // Any input since the start: the user is back. The program's own
        // messages to the host are no input, so they never end it.
        if (s.lastInput != s.inputAtStart)
            return {AutoIdleStep::kStop, s.minutes ? kQuietCheckMs : 0};
        return {AutoIdleStep::kWait, kReturnCheckMs};
    }
    if (s.minutes == 0) return {AutoIdleStep::kWait, 0};
    // Idling started by hand is the user's to end; keep looking, slowly, for
    // when it has been ended.
    if (s.idling) return {AutoIdleStep::kWait, kQuietCheckMs};
    uint32_t quiet = s.now - s.lastInput;
    // Input newer than the clock read before it: it came just now.
    if (quiet > UINT32_MAX / 2) quiet = 0;
    const uint32_t spell = (uint32_t)s.minutes * kMinuteMs;
    if (quiet >= spell) return {AutoIdleStep::kStart, kReturnCheckMs};
    // Looks again when the spell would be over, or sooner.
    return {AutoIdleStep::kWait, std::min(spell - quiet, kQuietCheckMs)};
}
