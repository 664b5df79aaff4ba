// Auto idle: idling that starts by itself after a quiet spell and ends when
// the user is back. The decision is plain code over times the caller reads;
// only the reader of the system's last-input time touches Windows.
#pragma once

#include <cstdint>

// Milliseconds on the system's tick clock. It wraps after 49.7 days, so
// only differences are taken.
struct AutoIdleState {
    int minutes = 0;            // the setting; 0 is off
    bool idling = false;
    bool byItself = false;      // the idling that runs was started by auto idle
    uint32_t now = 0;
    uint32_t lastInput = 0;     // the last keyboard or mouse input of the desktop
    uint32_t inputAtStart = 0;  // lastInput as read once the automatic start was done
};

enum class AutoIdleStep { kWait, kStart, kStop };

struct AutoIdleDecision {
    AutoIdleStep step;
    // When to look again, for the state after the step; 0: no need (off).
    uint32_t nextCheckMs;
};

// Waiting for the quiet spell costs a look every 15 s at most; idling that
// started by itself is looked at twice a second, so the user's return ends
// it at once.
inline constexpr uint32_t kQuietCheckMs = 15000;
inline constexpr uint32_t kReturnCheckMs = 500;

AutoIdleDecision DecideAutoIdle(const AutoIdleState& state);

// Where the decision's times come from; tests put their own in.
class InputClock {
public:
    virtual ~InputClock() = default;
    virtual uint32_t Now() = 0;
    virtual uint32_t LastInput() = 0;
};

// The system's tick count and last-input time (no hook: the system keeps it).
InputClock& SystemInputClock();
