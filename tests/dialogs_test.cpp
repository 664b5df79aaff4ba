// The host's refusal boxes pressed away, and its welcome window found,
// hidden and shown.
#include <gtest/gtest.h>

#include "host/refusal_box.h"
#include "host/welcome.h"
#include "host/toolbar.h"
#include "hostsim/hostsim.h"
#include "tests/support.h"

using hostsim::Describe;
using hostsim::Host;
using hostsim::Of;

// The box's "OK" takes the space bar twice, and the box goes; a box is known
// by its class and its caption.
TEST(RefusalBox, KnownByClassAndCaptionAndPressedAwayWithTwoSpaces) {
    Host host;
    host.Execute("box ok");
    HWND box = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (box = VisibleRefusalBox()) != nullptr; }));
    EXPECT_TRUE(IsRefusalBox(box));
    EXPECT_FALSE(IsRefusalBox(FindHostFrame()));
    EXPECT_TRUE(PressRefusalBox(box));
    EXPECT_EQ(BoxPresses(1), Describe(Of(host.Log(), "box")));
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(box); }));
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
