// Host operations as steps, run one operation at a time from the program's
// one message loop. An operation that pauses (two lines a second apart, a
// menu pick that waits for the host's menu, the room buster's start) is a
// short list of steps; between them the program is back in its message loop,
// sleeping, and nothing of another operation comes in between. Every command
// that sends to the host joins the one queue, and what a second start, a stop
// or an exit does to the operations queued or under way is decided in one
// place, Sequencer::Add and Sequencer::Cancel. host/OPERATIONS.md lists each
// operation and its steps.
#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include "ui/window.h"

// The clock that steps are timed by: the system's, or a test's own.
class StepClock {
public:
    virtual ~StepClock() = default;
    // Local time of day in seconds: pauses end at whole seconds of it. Single
    // precision, as the pause's rounding to the whole second is defined on
    // it: a half second rounds to the even neighbour.
    virtual float SinceMidnight() = 0;
    // Monotonic seconds: how long a step has waited.
    virtual double Now() = 0;
    // Has WM_TIMER `id` reach window once `seconds` of this clock have
    // passed. A pause has a known end; a look at the host waits for the
    // host, which takes real time.
    enum class Wait { kPause, kLook };
    virtual void Wake(HWND window, UINT_PTR id, double seconds, Wait wait);
    // The timer came: the clock stands where Wake asked.
    virtual void Woken() {}
};
StepClock& SystemStepClock();
// Installs clock for the steps (the system's when null).
void SetStepClock(StepClock* clock);
StepClock& CurrentStepClock();

// What an operation is to the queue; what each kind does there is decided in
// Sequencer::Add and Cancel.
enum class HostOp {
    kPlain,        // joins the end of the queue
    kStartUp,      // the about window's pause: a click on the window ends it
    kBusterStart,  // one at a time: a second while one is queued or under way is ignored; a stop ends it
    kAttempt,      // one at a time, so attempts never pile up behind another operation; a stop ends it
    kExit,         // once; ends the operation under way after its step, and all that is queued
};

class HostOperation {
public:
    explicit HostOperation(HostOp kind = HostOp::kPlain) : kind_(kind) {}

    // A step that sends, presses or looks.
    HostOperation& Then(std::function<void()> step);
    // The same; the operation ends after it when it returns false.
    HostOperation& ThenIf(std::function<bool()> step);
    // A pause until `seconds` after the start rounded to the whole second
    // (halves to the even one): between half a second shorter and half a
    // second longer than asked, and none when that is already past.
    HostOperation& PauseToSecond(int seconds);
    // Looks at the host every everyMs until done() holds or boundMs have
    // passed; the operation goes on either way. done() is asked at once
    // first, and with everyMs 0 the program's messages are handled between
    // two asks (for a long search made in parts).
    HostOperation& Until(std::function<bool()> done, unsigned boundMs, unsigned everyMs = 10);

    HostOp kind() const { return kind_; }

private:
    friend class Sequencer;
    struct Step {
        std::function<bool()> run;    // a step that acts; false ends the operation
        std::optional<int> seconds;   // a pause to a whole second
        std::function<bool()> done;   // a look, with its bound and interval
        unsigned boundMs = 0, everyMs = 0;
    };
    HostOp kind_;
    std::vector<Step> steps_;
};

class Sequencer : public Window {
public:
    // Takes op as its kind decides: false when it is refused (a second start,
    // an attempt while one waits, a second exit). Its first steps run at once
    // when nothing else is under way, up to its first pause.
    bool Add(HostOperation op);
    // Ends every operation of that kind: those queued, and the one under way
    // after the step it is in.
    void Cancel(HostOp kind);
    // Whether an operation of that kind is queued or under way.
    bool Has(HostOp kind) const;
    // Nothing under way and nothing queued.
    bool idle() const { return !current_ && queue_.empty(); }

protected:
    void Create() override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // Runs steps until one has to wait or nothing is left.
    void Advance();
    // Whether the step at next_ has waited long enough; if not, sets the timer.
    bool Waited(const HostOperation::Step& step);
    void Drop();

    std::deque<HostOperation> queue_;
    std::optional<HostOperation> current_;
    size_t next_ = 0;           // the current operation's next step
    bool waiting_ = false;      // that step has begun to wait, since waitStart_
    double waitStart_ = 0, waitSpan_ = 0;
    bool stepping_ = false;     // inside a step: what it starts runs after it
    bool dropCurrent_ = false;  // the current operation ends after the step under way
};

// The program's one sequencer, on the user-interface thread.
Sequencer& HostSequencer();
