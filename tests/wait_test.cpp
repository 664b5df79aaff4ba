// WaitSeconds: its rounding, its length across midnight, and the messages
// it handles while it waits, with the real clock.
#include <gtest/gtest.h>

#include "host/wait.h"
#include "tests/support.h"

namespace {

// A timer's tick that waits in its turn, as idle ticks do.
int g_ticks = 0, g_waitsDone = 0;
void CALLBACK TickThatWaits(HWND, UINT, UINT_PTR, DWORD) {
    if (++g_ticks == 1) {
        WaitSeconds(0);
        ++g_waitsDone;
    }
}

}  // namespace

// The wait ends when the clock reads its start, rounded to a whole second
// with halves going to the even one, plus its length.
TEST(WaitSeconds, EndsAtTheRoundedSecondPlusItsLengthInOneIdle) {
    const struct { float start; int seconds; double length; } cases[] = {
        {100.4f, 2, 1.6},  // ends when the clock reads 102.0
        {100.6f, 2, 2.4},  // and here at 103.0
        {100.5f, 2, 1.5},  // a half goes to the even second, 100
        {101.5f, 1, 1.5},  // and here to 102
        {100.4f, 0, 0.0},
        {100.6f, 0, 0.4},  // at the next whole second
        {100.6f, -3, 0.0},
        // The time of day falls back to 0 at midnight; the wait still ends
        // about two seconds after it began, rather than never.
        {86399.7f, 2, 2.3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.start << " + " << c.seconds);
        FakeClock clock(c.start);
        clock.Install();
        WaitSeconds(c.seconds);
        EXPECT_NEAR(c.length, clock.elapsed(), 1e-2);
        // Each idle is asked for the whole time that is left: with nothing
        // arriving, one is enough, and none for no time at all.
        EXPECT_EQ(c.length > 0 ? 1 : 0, clock.idles());
    }
}

// A tick (a message) runs inside the wait, not after it; it may wait in turn.
TEST(WaitSeconds, TimerTicksRunInsideTheWaitAndMayWaitThemselves) {
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, TickThatWaits);

    WaitSeconds(1);  // the real clock: between half a second and a second and a half

    KillTimer(nullptr, timer);
    EXPECT_GE(g_ticks, 3);
    EXPECT_EQ(1, g_waitsDone);
}
