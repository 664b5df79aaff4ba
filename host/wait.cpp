#include "host/wait.h"

#include <windows.h>

#include <cmath>
#include <vector>

#include "host/timing.h"
#include "ui/window.h"

namespace {

class SystemClock : public WaitClock {
public:
    SystemClock() { QueryPerformanceFrequency(&frequency_); }

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

    void Idle(double seconds) override { SleepForMessage((DWORD)std::ceil(seconds * 1000)); }

private:
    LARGE_INTEGER frequency_;
};

WaitClock* g_clock = nullptr;
int g_steps = 0;  // HostSteps under way, nested
std::vector<std::function<void()>> g_afterSteps;

}  // namespace

WaitClock& SystemWaitClock() {
    static SystemClock clock;
    return clock;
}

void SetWaitClock(WaitClock* clock) { g_clock = clock; }

void HandlePendingEvents() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            // Leave it for the message loop that owns the program's end.
            PostQuitMessage((int)msg.wParam);
            return;
        }
        if (HandleWindowKeys(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void SleepForMessage(unsigned long ms) {
    MsgWaitForMultipleObjectsEx(0, nullptr, ms, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
}

bool WaitUntil(const std::function<bool()>& done, unsigned long ms) {
    constexpr DWORD kPollMs = 10;
    const DWORD start = GetTickCount();
    for (;;) {
        HandlePendingEvents();
        if (done()) return true;
        const DWORD spent = GetTickCount() - start;
        if (spent >= ms) return false;
        SleepForMessage(ms - spent < kPollMs ? ms - spent : kPollMs);
    }
}

void WaitSeconds(int seconds) {
    WaitClock& clock = g_clock ? *g_clock : SystemWaitClock();
    const double span = WaitSpan(clock.SinceMidnight(), seconds);
    const double start = clock.Now();
    for (;;) {
        if (clock.Now() - start >= span) return;
        HandlePendingEvents();
        double left = span - (clock.Now() - start);
        if (left <= 0) return;
        clock.Idle(left);
    }
}

HostSteps::HostSteps() { ++g_steps; }

HostSteps::~HostSteps() {
    if (--g_steps > 0) return;
    // Each may start an operation of its own and so queue more behind it.
    while (!g_afterSteps.empty() && g_steps == 0) {
        std::function<void()> next = std::move(g_afterSteps.front());
        g_afterSteps.erase(g_afterSteps.begin());
        next();
    }
}

bool InHostSteps() { return g_steps > 0; }

void WhenHostFree(std::function<void()> action) {
    if (InHostSteps()) g_afterSteps.push_back(std::move(action));
    else action();
}
