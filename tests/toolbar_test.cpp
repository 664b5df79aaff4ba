// The toolbar's menus, icons and instant messages, as hostsim records them;
// and what happens without a host, with a hung one (its box up too), and with
// another program's menu open. The keyword box's record is checked whole
// with every room buster attempt.
#include <gtest/gtest.h>

#include "host/dialogs.h"
#include "host/toolbar.h"
#include "hostsim/hostsim.h"
#include "tests/support.h"

const std::string kImIcon = ShortPress("toolbar.icon5");

TEST(PickToolbarMenu, ClicksTheIconThenTypesTheLettersIntoTheHostsMenu) {
    // The host's record after the click: the letters and the pick.
    // Two letters, on the first icon, cross processes in the cross-process test.
    const std::pair<const char*, const char*> kPicks[] = {
        {"N", "menu WM_CHAR 78 0\ntoolbar PICK 0 0 \"chat now\"\n"},
        // A lower-case letter is typed as it is; the menu takes either.
        {"s", "menu WM_CHAR 115 0\ntoolbar PICK 0 0 \"start your own chat\"\n"}};
    hostsim::Host host;
    for (const auto& [letter, typed] : kPicks) {
        host.ClearLog();
        PickToolbarMenu(3, letter);
        PumpUntil([&] { return Typed(host).find(" PICK ") != std::string::npos; });
        EXPECT_EQ(Clicked("toolbar.icon4") + typed, Typed(host));
    }
}

TEST(HungHost, NoOperationWaitsForItAndNoLetterReachesAnotherProgramsMenu) {
    // Another program with a menu up that the host's letters would pick from;
    // it ends as soon as one reaches it.
    ChildProcess other("norq_tests.exe", "--show-popup-menu");
    // No host runs yet, so the only menu up is the other program's.
    ASSERT_TRUE(PumpUntil([] { return IsWindowVisible(FindWindowA("#32768", nullptr)); }));
    DWORD start = GetTickCount();
    PickToolbarMenu(0, "R", "O");
    EXPECT_LT(GetTickCount() - start, 1000u);  // nothing clicked, nothing to wait for

    hostsim::Host host;
    host.Execute("box ok");
    ASSERT_TRUE(PumpUntil([] { return VisibleRefusalBox() != nullptr; }));
    host.Hang(6000);  // the host would show its menu, or close its box, only after this
    start = GetTickCount();
    PickToolbarMenu(3, "N");
    // One wait for the first unanswered message, none for the rest.
    GotoKeyword("private chat");
    PressToolbarIcon(2);
    DismissHostDialog();  // then the box counts as stuck
    EXPECT_LT(GetTickCount() - start, 5500u);  // each gave up before the host went on
    Pump(200);
    EXPECT_TRUE(other.Running());  // nothing was picked in its menu
}

TEST(SendInstantMessage, PressesTheIconWaitsAndFillsTheHostsWindowUnlessItComesTooLateOrCloses) {
    hostsim::Host host;
    SendInstantMessage("$IM_OFF", "norq idle.");
    const std::string im = "Send Instant Message";
    EXPECT_EQ(kImIcon + im + ".edit1 WM_SETTEXT 0 0 \"$IM_OFF\"\n" + im +
                  ".rich1 WM_SETTEXT 0 0 \"norq idle.\"\n" + ShortPress(im + ".icon10") + im +
                  " IM 0 0 \"$IM_OFF: norq idle.\"\n",
              Typed(host));

    // A host too slow for the pause gets no text.
    host.SetAnswerDelay(2500);
    ASSERT_TRUE(PumpUntil([&] { return host.Documents().empty(); }));  // the last window closed
    host.ClearLog();
    SendInstantMessage("brimwold", "lost");
    EXPECT_EQ(kImIcon, Typed(host));

    host.SetAnswerDelay(0);
    host.ClearLog();
    PressToolbarIcon(5);  // a short press and nothing else, and the window opens
    EXPECT_EQ(kImIcon, hostsim::Describe(host.Log()));
    ASSERT_TRUE(PumpUntil([&] { return host.Documents() == Lines{"Send Instant Message"}; }));
    host.SetAnswerDelay(3000);  // the host's next window comes too late to matter
    host.ClearLog();
    SendInstantMessage("brimwold", "wuttup \u00BA");
    EXPECT_EQ(0u, Typed(host).find(kImIcon)) << Typed(host);
    EXPECT_NE(std::string::npos, Typed(host).find("\"brimwold: wuttup \\xBA\"")) << Typed(host);

    // The window closes during the pause.
    host.ClearLog();
    FakeClock clock(100.0f);
    clock.OnIdle([&] { host.Close("Send Instant Message"); });
    clock.Install();
    SendInstantMessage("brimwold", "gone");
    EXPECT_EQ(kImIcon, Typed(host));
}
