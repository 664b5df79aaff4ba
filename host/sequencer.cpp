#include "host/sequencer.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "host/timing.h"

namespace {

constexpr wchar_t kClassName[] = L"norq idle steps";
constexpr UINT_PTR kStepTimer = 1;
// A timer counts whole milliseconds: less than one left is no wait.
constexpr double kTimerGrain = 0.001;

class LocalTime : public StepClock {
public:
    LocalTime() { QueryPerformanceFrequency(&frequency_); }

    float SinceMidnight() override {
        SYSTEMTIME t;
        GetLocalTime(&t);
        return (float)(t.wHour * 3600 + t.wMinute * 60 + t.wSecond + t.wMilliseconds / 1000.0);
    }

    double Now() override {
        LARGE_INTEGER count;
        QueryPerformanceCounter(&count);
        return (double)count.QuadPart / (double)frequency_.QuadPart;
    }

private:
    LARGE_INTEGER frequency_;
};

StepClock* g_clock = nullptr;

}  // namespace

void StepClock::Wake(HWND window, UINT_PTR id, double seconds, Wait) {
    SetTimer(window, id, (UINT)std::ceil(std::max(seconds, 0.0) * 1000), nullptr);
}

StepClock& SystemStepClock() {
    static LocalTime clock;
    return clock;
}

void SetStepClock(StepClock* clock) { g_clock = clock; }

StepClock& CurrentStepClock() { return g_clock ? *g_clock : SystemStepClock(); }

HostOperation& HostOperation::Then(std::function<void()> step) {
    return ThenIf([step = std::move(step)] {
        step();
        return true;
    });
}

HostOperation& HostOperation::ThenIf(std::function<bool()> step) {
    Step acting;
    acting.run = std::move(step);
    steps_.push_back(std::move(acting));
    return *this;
}

HostOperation& HostOperation::PauseToSecond(int seconds) {
    Step step;
    step.seconds = seconds;
    steps_.push_back(std::move(step));
    return *this;
}

HostOperation& HostOperation::Until(std::function<bool()> done, unsigned boundMs,
                                    unsigned everyMs) {
    Step step;
    step.done = std::move(done);
    step.boundMs = boundMs;
    step.everyMs = everyMs;
    steps_.push_back(std::move(step));
    return *this;
}

// The one place that decides what joins the queue and what it ends.
bool Sequencer::Add(HostOperation op) {
    switch (op.kind()) {
    case HostOp::kBusterStart:
    case HostOp::kAttempt:
        if (Has(op.kind())) return false;
        break;
    case HostOp::kExit:
        if (Has(HostOp::kExit)) return false;
        // The program ends: nothing queued will run, and the operation under
        // way ends after its step.
        queue_.clear();
        if (current_ && stepping_) dropCurrent_ = true;
        else if (current_) Drop();
        queue_.push_front(std::move(op));
        Advance();
        return true;
    case HostOp::kPlain:
    case HostOp::kStartUp:
        break;
    }
    queue_.push_back(std::move(op));
    Advance();
    return true;
}

void Sequencer::Cancel(HostOp kind) {
    queue_.erase(std::remove_if(queue_.begin(), queue_.end(),
                                [kind](const HostOperation& op) { return op.kind() == kind; }),
                 queue_.end());
    if (!current_ || current_->kind() != kind) return;
    if (stepping_) {
        dropCurrent_ = true;
        return;
    }
    Drop();
    Advance();
}

bool Sequencer::Has(HostOp kind) const {
    if (current_ && !dropCurrent_ && current_->kind() == kind) return true;
    return std::any_of(queue_.begin(), queue_.end(),
                       [kind](const HostOperation& op) { return op.kind() == kind; });
}

void Sequencer::Drop() {
    current_.reset();
    dropCurrent_ = waiting_ = false;
    if (hwnd()) KillTimer(hwnd(), kStepTimer);
}

void Sequencer::Advance() {
    // A step that starts or ends operations: they run once it is over.
    if (stepping_) return;
    for (;;) {
        if (!current_) {
            if (queue_.empty()) return;
            current_ = std::move(queue_.front());
            queue_.pop_front();
            next_ = 0;
        }
        if (dropCurrent_ || next_ >= current_->steps_.size()) {
            Drop();
            continue;
        }
        const HostOperation::Step& step = current_->steps_[next_];
        if (step.run) {
            stepping_ = true;
            const bool goOn = step.run();
            stepping_ = false;
            if (!goOn) dropCurrent_ = true;
            ++next_;
            continue;
        }
        if (!Waited(step)) return;
        waiting_ = false;
        ++next_;
    }
}

bool Sequencer::Waited(const HostOperation::Step& step) {
    StepClock& clock = CurrentStepClock();
    if (!waiting_) {
        waiting_ = true;
        waitStart_ = clock.Now();
        waitSpan_ = step.seconds ? WaitSpan(clock.SinceMidnight(), *step.seconds)
                                 : step.boundMs / 1000.0;
    }
    if (step.done) {
        stepping_ = true;
        const bool done = step.done();
        stepping_ = false;
        if (done || dropCurrent_) return true;
    }
    const double left = waitSpan_ - (clock.Now() - waitStart_);
    if (left < kTimerGrain) return true;
    if (step.done)
        clock.Wake(Handle(), kStepTimer, std::min(left, step.everyMs / 1000.0),
                   StepClock::Wait::kLook);
    else
        clock.Wake(Handle(), kStepTimer, left, StepClock::Wait::kPause);
    return false;
}

void Sequencer::Create() { CreateMessageOnly(kClassName); }

LRESULT Sequencer::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER && wParam == kStepTimer) {
        KillTimer(hwnd(), kStepTimer);
        CurrentStepClock().Woken();
        Advance();
        return 0;
    }
    return Window::HandleMessage(message, wParam, lParam);
}

Sequencer& HostSequencer() {
    static Sequencer sequencer;
    return sequencer;
}
