// Waiting while the program's own windows stay alive.
#pragma once

#include <functional>

// The clock WaitSeconds reads and the idle it spends between pumps; tests
// install their own to check the timing without waiting for real.
class WaitClock {
public:
    virtual ~WaitClock() = default;
    virtual float SinceMidnight() = 0;  // local time of day, seconds
    virtual double Now() = 0;           // monotonic seconds, for the length of the wait
    virtual void Idle(double seconds) = 0;  // until a message arrives, at most this long
};

WaitClock& SystemWaitClock();
// Installs clock for later waits (the system clock when clock is null).
void SetWaitClock(WaitClock* clock);

// Handles every message now pending in this thread's queue, then returns.
void HandlePendingEvents();
// Sleeps until a message arrives for this thread, or ms have passed.
void SleepForMessage(unsigned long ms);
// Handles this thread's messages until done() holds (true) or ms have
// passed (false), looking again every few milliseconds: for what the host
// does, which sends no message of ours.
bool WaitUntil(const std::function<bool()>& done, unsigned long ms);

// Waits about `seconds` from the current whole second, handling the program's
// own messages meanwhile, so handlers may run (and wait) inside the wait.
void WaitSeconds(int seconds);

// A host operation in steps with a wait between them (two lines, a menu
// pick, an instant message). While one is under way, what else would send to
// the host waits for its end: nothing comes between its steps. Nested scopes
// are one operation.
class HostSteps {
public:
    HostSteps();
    ~HostSteps();  // the operation's end: what waited runs now, in order
    HostSteps(const HostSteps&) = delete;
    HostSteps& operator=(const HostSteps&) = delete;
};
bool InHostSteps();
// Runs action now, or once the host operation under way is done.
void WhenHostFree(std::function<void()> action);
