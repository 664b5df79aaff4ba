// The host's refusal boxes pressed away, and its welcome window found,
// hidden and shown.
#include <gtest/gtest.h>

#include "host/dialogs.h"
#include "host/toolbar.h"
#include "hostsim/hostsim.h"
#include "tests/support.h"

using hostsim::Describe;
using hostsim::Host;
using hostsim::Inputs;
using hostsim::Of;

namespace {

const char kFullRoom[] = "aol://2719:2-2-Crowded";

HWND VisibleBox() {
    for (HWND box = FindWindowA("#32770", "America Online"); box;
         box = FindWindowExA(nullptr, box, "#32770", "America Online"))
        if (IsWindowVisible(box)) return box;
    return nullptr;
}

int g_ticks = 0;
void CALLBACK CountTick(HWND, UINT, UINT_PTR, DWORD) { ++g_ticks; }

std::string Presses(const Host& host) { return Describe(Of(host.Log(), "box")); }

const char kTwoPresses[] =
    "box.ok WM_KEYDOWN 32 0\nbox.ok WM_KEYUP 32 0\n"
    "box.ok WM_KEYDOWN 32 0\nbox.ok WM_KEYUP 32 0\n";

}  // namespace

TEST(DismissHostDialog, PressesOkTwiceWithTheSpaceBarAndTheBoxGoes) {
    Host host;
    host.MakeRoomFull("Crowded", 1);
    GotoKeyword(kFullRoom);
    ASSERT_TRUE(PumpUntil([] { return VisibleBox() != nullptr; }));

    DismissHostDialog();

    EXPECT_EQ(kTwoPresses, Presses(host));
    EXPECT_EQ(nullptr, FindWindowA("#32770", "America Online"));

    // The room lets the next try in.
    GotoKeyword(kFullRoom);
    EXPECT_TRUE(PumpUntil([&] {
        std::vector<std::string> documents = host.Documents();
        return !documents.empty() && documents.front() == "Crowded";
    }));
}

TEST(DismissHostDialog, PressesABoxThatFollowsStraightAfterInTheSameCall) {
    Host host;
    host.MakeRoomFull("Crowded", 1, 2);
    GotoKeyword(kFullRoom);
    ASSERT_TRUE(PumpUntil([] { return VisibleBox() != nullptr; }));

    DismissHostDialog();

    EXPECT_EQ(std::string(kTwoPresses) + kTwoPresses, Presses(host));
    EXPECT_EQ(nullptr, VisibleBox());
}

TEST(DismissHostDialog, LooksOnceWhenNoBoxIsUpYetAndPressesItNextTime) {
    Host host;
    host.MakeRoomFull("Crowded", 1);
    host.SetAnswerDelay(300);
    GotoKeyword(kFullRoom);

    DismissHostDialog();  // the host has not answered yet
    EXPECT_EQ("", Presses(host));

    ASSERT_TRUE(PumpUntil([] { return VisibleBox() != nullptr; }));
    DismissHostDialog();
    EXPECT_EQ(kTwoPresses, Presses(host));
}

TEST(DismissHostDialog, GivesUpOnABoxWithoutOkAndHandlesMessagesMeanwhile) {
    Host host;
    host.Execute("box yesno");
    ASSERT_TRUE(PumpUntil([] { return VisibleBox() != nullptr; }));
    g_ticks = 0;
    UINT_PTR timer = SetTimer(nullptr, 0, 50, CountTick);

    DismissHostDialog();

    KillTimer(nullptr, timer);
    EXPECT_NE(nullptr, VisibleBox());  // still up: someone else must close it
    EXPECT_EQ("", Presses(host));      // a box without "OK" gets no presses
    EXPECT_GE(g_ticks, 5);             // the bound is spent handling messages
}

TEST(WelcomeWindow, FoundSecondInChildOrderAndNotInOtherLetterCase) {
    Host host;
    host.OpenDocument("Welcome, Guest", {"_AOL_Static"});
    host.OpenDocument("welcome, Other", {"_AOL_Static"});  // comes first: not the one
    host.OpenRoom("Lobby");

    char caption[64] = {};
    GetWindowTextA(FindWelcomeWindow(), caption, sizeof caption);
    EXPECT_STREQ("Welcome, Guest", caption);

    host.Close("Welcome, Guest");
    EXPECT_EQ(nullptr, FindWelcomeWindow());
}

TEST(WelcomeWindow, HideThenShowLeavesItVisibleAgain) {
    Host host;
    host.Execute("welcome Guest");
    host.OpenRoom("Lobby");
    host.ClearLog();

    HideWelcomeWindow();
    ASSERT_TRUE(PumpUntil([&] { return host.Documents().back() == "Welcome, Guest (hidden)"; }));
    // Hidden windows are found like visible ones.
    ShowWelcomeWindow();
    ASSERT_TRUE(PumpUntil([&] { return host.Documents().back() == "Welcome, Guest"; }));
    EXPECT_EQ("Welcome, Guest WM_SHOWWINDOW 0 0\nWelcome, Guest WM_SHOWWINDOW 1 0\n",
              Describe(Inputs(Of(host.Log(), "Welcome, Guest"))));
}

TEST(HostDialogs, WithoutAHostReturnQuietly) {
    ASSERT_EQ(nullptr, FindWindowA("AOL Frame25", nullptr));
    DismissHostDialog();
    EXPECT_EQ(nullptr, FindWelcomeWindow());
    HideWelcomeWindow();
    ShowWelcomeWindow();
}

TEST(DismissHostDialog, AHungHostHoldsTheProgramOnlyBriefly) {
    Host host;
    host.Execute("box ok");
    ASSERT_TRUE(PumpUntil([] { return VisibleBox() != nullptr; }));
    host.Hang(4000);
    DWORD start = GetTickCount();

    DismissHostDialog();

    // One wait for the unanswered press, then the box counts as stuck.
    EXPECT_LT(GetTickCount() - start, 3000u);
}
