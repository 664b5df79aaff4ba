// The host's refusal boxes pressed away, and its welcome window found,
// hidden and shown.
#include <gtest/gtest.h>

#include "host/dialogs.h"
#include "host/toolbar.h"
#include "hostsim/hostsim.h"
#include "tests/support.h"

using hostsim::Describe;
using hostsim::Host;
using hostsim::Of;

namespace {

HWND VisibleBox() {
    for (HWND box = FindWindowA("#32770", "America Online"); box;
         box = FindWindowExA(nullptr, box, "#32770", "America Online"))
        if (IsWindowVisible(box)) return box;
    return nullptr;
}

std::string Presses(const Host& host) { return Describe(Of(host.Log(), "box")); }

int g_ticks = 0;
void CALLBACK CountTick(HWND, UINT, UINT_PTR, DWORD) { ++g_ticks; }

}  // namespace

TEST(DismissHostDialog, LooksOnceWhenNoBoxIsUpYetThenPressesOkTwiceOnEachBoxInARow) {
    Host host;
    host.MakeRoomFull("Crowded", 1, 2);  // two boxes, the second straight after the first
    host.SetAnswerDelay(300);
    GotoKeyword("aol://2719:2-2-Crowded");
    DismissHostDialog();  // the host has not answered yet
    EXPECT_EQ("", Presses(host));

    ASSERT_TRUE(PumpUntil([] { return VisibleBox() != nullptr; }));
    host.SetAnswerDelay(30);  // a pressed box goes this long after
    DismissHostDialog();
    const std::string kTwoPresses = "box.ok WM_KEYDOWN 32 0\nbox.ok WM_KEYUP 32 0\n"
                                    "box.ok WM_KEYDOWN 32 0\nbox.ok WM_KEYUP 32 0\n";
    EXPECT_EQ(kTwoPresses + kTwoPresses, Presses(host));
    EXPECT_EQ(nullptr, VisibleBox());
}

TEST(DismissHostDialog, GivesUpOnABoxWithoutOkAndHandlesMessagesMeanwhile) {
    Host host;
    host.Execute("box yesno");
    ASSERT_TRUE(PumpUntil([] { return VisibleBox() != nullptr; }));
    UINT_PTR timer = SetTimer(nullptr, 0, 50, CountTick);
    DismissHostDialog();
    KillTimer(nullptr, timer);
    EXPECT_NE(nullptr, VisibleBox());  // still up: someone else must close it
    EXPECT_EQ("", Presses(host));      // a box without "OK" gets no presses
    EXPECT_GE(g_ticks, 5);             // the bound is spent handling messages
}

TEST(DismissHostDialog, AHungHostWithABoxUpHoldsTheProgramOnlyBriefly) {
    Host host;
    host.Execute("box ok");
    ASSERT_TRUE(PumpUntil([] { return VisibleBox() != nullptr; }));
    host.Hang(4000);
    DWORD start = GetTickCount();
    DismissHostDialog();
    // One wait for the unanswered press, then the box counts as stuck.
    EXPECT_LT(GetTickCount() - start, 3000u);
}

TEST(WelcomeWindow, FoundSecondInChildOrderOnlyInItsLetterCaseThenHiddenAndShown) {
    Host host;
    host.Execute("welcome Guest");
    host.OpenDocument("welcome, Other", {"_AOL_Static"});  // comes first: not the one
    EXPECT_EQ("Welcome, Guest", GetCaption(FindWelcomeWindow()));

    HideWelcomeWindow();
    ASSERT_TRUE(PumpUntil([&] { return host.Documents().back() == "Welcome, Guest (hidden)"; }));
    // Hidden windows are found like visible ones.
    ShowWelcomeWindow();
    ASSERT_TRUE(PumpUntil([&] { return host.Documents().back() == "Welcome, Guest"; }));
    EXPECT_EQ("Welcome, Guest WM_SHOWWINDOW 0 0\nWelcome, Guest WM_SHOWWINDOW 1 0\n",
              Describe(hostsim::Inputs(Of(host.Log(), "Welcome, Guest"))));

    host.Close("Welcome, Guest");
    EXPECT_EQ(nullptr, FindWelcomeWindow());
}
