// The idle clock: idling on or off, started by hand or by auto idle, and the
// minutes idled in this run. Turning it on or off announces itself, and every
// tick, once a minute, posts the time idled, the reason and any file
// transfer. Auto idle starts it after the set minutes without keyboard or
// mouse and ends what it started at the user's first input. The main window
// only shows it.
#pragma once

#include <cstdint>
#include <functional>

#include "idler/auto_idle.h"
#include "lines/lines.h"
#include "lines/settings.h"
#include "ui/window.h"

// The clock's window, of messages only, and the timer of its tick there.
inline constexpr wchar_t kIdleClockClass[] = L"norq idle clock";
inline constexpr UINT_PTR kIdleTickTimer = 1;

class IdleClock : public Window {
public:
    // changed runs after every change of the state or the count, for the
    // main window to show them; ticking at every tick, before its lines, for
    // the main window to come on top.
    IdleClock(Settings& settings, std::function<void()> changed, std::function<void()> ticking);

    void On();   // the menu's "idler on": a tick a minute from now on
    void Off();  // "idler off": the total
    // One minute idled, as the timer gives it.
    void Tick();
    // Looks at the system's last-input time: auto idle starts or ends idling,
    // or waits. Also whenever the setting may have changed.
    void CheckAutoIdle();

    bool idling() const { return idling_; }
    bool byItself() const { return idling_ && byItself_; }
    // Every idle minute of the run: never reset.
    const IdleCount& count() const { return count_; }
    // Where the count stands, as after a long idle.
    void SetCount(const IdleCount& count);
    void UseInputClock(InputClock& clock) { input_ = &clock; }

protected:
    void Create() override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Show(bool idling, bool byItself);

    Settings& settings_;
    std::function<void()> changed_, ticking_;
    bool idling_ = false;
    bool byItself_ = false;
    IdleCount count_;
    uint32_t inputAtStart_ = 0;
    InputClock* input_ = &SystemInputClock();
};
