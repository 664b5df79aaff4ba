#include "idler/idle_clock.h"

#include <memory>

#include "host/chat.h"
#include "host/sequencer.h"
#include "host/transfer.h"
#include "idler/transfer.h"
#include "settings/auto_idle_setting.h"

namespace {

constexpr UINT kTickMs = 60000;
// Auto idle's look at the system's last-input time, while the setting is on
// or idling that started by itself runs.
constexpr UINT_PTR kAutoIdleTimer = 2;
// The tick's search for a transfer window: a part at a time, and a bound for
// a host that keeps changing its documents.
constexpr DWORD kSearchPartMs = 50;
constexpr unsigned kSearchBoundMs = 5000;

}  // namespace

IdleClock::IdleClock(Settings& settings, std::function<void()> changed,
                     std::function<void()> ticking)
    : settings_(settings), changed_(std::move(changed)), ticking_(std::move(ticking)) {}

// The clock's timers ride on a window of its own.
void IdleClock::Create() { CreateMessageOnly(kIdleClockClass); }

void IdleClock::On() {
    if (idling_) return;  // auto idle may have started it while the menu was up
    // The first tick comes a full minute later: nothing for this minute.
    SetTimer(Handle(), kIdleTickTimer, kTickMs, nullptr);
    Show(true, false);
    QueueChat([this] { return StartLine(settings_); });
}

void IdleClock::Off() {
    if (!idling_) return;
    KillTimer(Handle(), kIdleTickTimer);
    Show(false, false);
    HostSequencer().Add(HostOperation()
                            .Then([this] { SendChat(StopLine(settings_)); })
                            .PauseToSecond(0)
                            .Then([this] { SendChat(TotalLine(settings_, count_)); }));
}

// What else sends to the host in the tick's pause (idling stopped, a menu
// choice) waits until the tick's lines are out. A tick that waited behind
// "idler off" posts nothing.
void IdleClock::Tick() {
    // One search of the host's documents serves the test and all three
    // readers: beside a crowded host each search is a question per document.
    auto search = std::make_shared<TransferSearch>();
    HostSequencer().Add(
        HostOperation()
            .ThenIf([this] {
                if (!idling_) return false;
                if (ticking_) ticking_();
                count_.AddMinute();
                if (changed_) changed_();
                SendChat(StatusLine(settings_, count_), ChatKind::kTickStatus);
                return true;
            })
            .PauseToSecond(0)
            .Then([this] { SendChat(ReasonLine(settings_), ChatKind::kTickDetail); })
            .Until([search] { return search->Continue(kSearchPartMs); }, kSearchBoundMs, 0)
            .Then([this, search] {
                if (HostWindowHandle transfer = search->found())
                    SendChat(TransferLine(settings_, TransferFileName(transfer),
                                          TransferPercent(transfer), TransferMinutesLeft(transfer)),
                             ChatKind::kTickDetail);
            }));
}

// No hook, and no look more often than the decision asks for.
void IdleClock::CheckAutoIdle() {
    AutoIdleState state;
    state.minutes = AutoIdleMinutes(settings_.autoIdle);
    state.idling = idling_;
    state.byItself = byItself_;
    state.lastInput = input_->LastInput();
    state.now = input_->Now();  // after the input: never older than it
    state.inputAtStart = inputAtStart_;
    const AutoIdleDecision decision = DecideAutoIdle(state);
    if (decision.nextCheckMs) SetTimer(Handle(), kAutoIdleTimer, decision.nextCheckMs, nullptr);
    else KillTimer(Handle(), kAutoIdleTimer);
    if (decision.step == AutoIdleStep::kStart) {
        On();
        Show(true, true);
        // Whatever the start itself stirred is not the user coming back.
        inputAtStart_ = input_->LastInput();
    } else if (decision.step == AutoIdleStep::kStop) {
        Off();
    }
}

void IdleClock::SetCount(const IdleCount& count) {
    count_ = count;
    if (changed_) changed_();
}

void IdleClock::Show(bool idling, bool byItself) {
    idling_ = idling;
    byItself_ = byItself;
    if (changed_) changed_();
}

LRESULT IdleClock::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER) {
        if (wParam == kIdleTickTimer) Tick();
        if (wParam == kAutoIdleTimer) CheckAutoIdle();
        return 0;
    }
    return Window::HandleMessage(message, wParam, lParam);
}
