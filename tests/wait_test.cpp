// WaitSeconds: its rounding, its length across midnight, and the messages
// it handles while it waits.
#include <gtest/gtest.h>

#include "host/timing.h"
#include "host/wait.h"
#include "tests/support.h"

namespace {

// A window of the test's own that counts what reaches it.
class Counter {
public:
    Counter() {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = Proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"norq wait test";
        RegisterClassW(&wc);
        window_ = CreateWindowExW(0, wc.lpszClassName, nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE,
                                  nullptr, wc.hInstance, nullptr);
        SetWindowLongPtrW(window_, GWLP_USERDATA, (LONG_PTR)this);
    }
    ~Counter() { DestroyWindow(window_); }

    HWND window() const { return window_; }
    int posted = 0, ticks = 0, nestedDone = 0;
    bool waitInside = false;  // a tick waits in its turn, as idle ticks do

private:
    static LRESULT CALLBACK Proc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
        auto* self = (Counter*)GetWindowLongPtrW(w, GWLP_USERDATA);
        if (self && m == WM_APP) {
            ++self->posted;
            return 0;
        }
        if (self && m == WM_TIMER) {
            ++self->ticks;
            if (self->waitInside && self->ticks == 1) {
                WaitSeconds(0);
                ++self->nestedDone;
            }
            return 0;
        }
        return DefWindowProcW(w, m, wp, lp);
    }
    HWND window_;
};

}  // namespace

TEST(WaitRounding, HalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(100, RoundHalfEven(100.4));
    EXPECT_EQ(100, RoundHalfEven(100.5));
    EXPECT_EQ(101, RoundHalfEven(100.6));
    EXPECT_EQ(102, RoundHalfEven(101.5));
    EXPECT_EQ(0, RoundHalfEven(0.5));
    EXPECT_EQ(2, RoundHalfEven(2.5));
    EXPECT_EQ(86400, RoundHalfEven(86399.5));
}

TEST(WaitSeconds, StartsFromTheRoundedSecond) {
    // Started at 100.4 s past midnight, two seconds end when the clock reads
    // 102.0; started at 100.6 they end at 103.0.
    FakeClock early(100.4f);
    early.Install();
    WaitSeconds(2);
    EXPECT_NEAR(1.6, early.elapsed(), 1e-4);
    EXPECT_NEAR(102.0, early.SinceMidnight(), 1e-3);

    FakeClock late(100.6f);
    late.Install();
    WaitSeconds(2);
    EXPECT_NEAR(2.4, late.elapsed(), 1e-4);
    EXPECT_NEAR(103.0, late.SinceMidnight(), 1e-3);
}

TEST(WaitSeconds, ZeroSecondsEndsAtOnceOrAtTheNextWholeSecond) {
    FakeClock early(100.4f);
    early.Install();
    WaitSeconds(0);
    EXPECT_EQ(0, early.idles());
    EXPECT_EQ(0, early.elapsed());

    FakeClock late(100.6f);
    late.Install();
    WaitSeconds(0);
    EXPECT_NEAR(0.4, late.elapsed(), 1e-4);
}

TEST(WaitSeconds, LastsItsLengthAcrossMidnight) {
    // The time of day falls back to 0 at midnight; the wait still ends about
    // two seconds after it began, rather than never.
    FakeClock clock(86399.7f);
    clock.Install();
    WaitSeconds(2);
    EXPECT_NEAR(2.3, clock.elapsed(), 1e-2);
    EXPECT_LT(clock.SinceMidnight(), 3.0f);
}

TEST(WaitSeconds, NegativeSecondsDoNotWait) {
    FakeClock clock(100.6f);
    clock.Install();
    WaitSeconds(-3);
    EXPECT_EQ(0, clock.idles());
}

TEST(WaitSeconds, SleepsUntilAMessageOrTheEndInsteadOfSpinning) {
    // Each idle is asked for the whole time that is left: one idle is enough
    // when nothing arrives.
    FakeClock clock(100.0f);
    clock.Install();
    WaitSeconds(3);
    EXPECT_EQ(1, clock.idles());
    EXPECT_NEAR(3.0, clock.elapsed(), 1e-4);
}

TEST(WaitSeconds, HandlesMessagesThatArriveWhileItWaits) {
    Counter counter;
    FakeClock clock(100.0f);
    clock.SetIdleStep(0.25);
    clock.OnIdle([&] {
        if (clock.elapsed() < 1.0) PostMessageW(counter.window(), WM_APP, 0, 0);
    });
    clock.Install();

    PostMessageW(counter.window(), WM_APP, 0, 0);
    WaitSeconds(1);

    // The one posted before, and one after each of the three idles that left
    // the wait unfinished.
    EXPECT_EQ(4, counter.posted);
    EXPECT_EQ(4, clock.idles());
}

TEST(WaitSeconds, TimerTicksRunInsideTheWaitAndMayWaitThemselves) {
    Counter counter;
    counter.waitInside = true;
    SetTimer(counter.window(), 1, 20, nullptr);

    WaitSeconds(1);  // the real clock: between half a second and a second and a half

    KillTimer(counter.window(), 1);
    EXPECT_GE(counter.ticks, 3);
    EXPECT_EQ(1, counter.nestedDone);
}
