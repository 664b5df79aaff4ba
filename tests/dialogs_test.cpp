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

TEST(DismissHostDialog, LooksOnceWhenNoBoxIsUpYetThenPressesOkTwiceOnEachBoxInARow) {
    Host host;
    host.MakeRoomFull("Crowded", 1, 2);  // two boxes, the second straight after the first
    host.SetAnswerDelay(300);
    GotoKeyword("aol://2719:2-2-Crowded");
    DismissHostDialog();  // the host has not answered yet
    EXPECT_EQ("", Describe(Of(host.Log(), "box")));

    ASSERT_TRUE(PumpUntil([] { return VisibleRefusalBox() != nullptr; }));
    host.SetAnswerDelay(30);  // a pressed box goes this long after
    DismissHostDialog();
    EXPECT_EQ(BoxPresses(2), Describe(Of(host.Log(), "box")));
    EXPECT_EQ(nullptr, VisibleRefusalBox());
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
