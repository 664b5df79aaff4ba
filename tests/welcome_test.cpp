// The host's welcome window found, hidden and shown.
#include <gtest/gtest.h>

#include "host/welcome.h"
#include "hostsim/hostsim.h"
#include "tests/support.h"

using hostsim::Describe;
using hostsim::Host;
using hostsim::Of;

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
