// The toolbar's menus, icons and instant messages, as hostsim records them;
// and what happens without a host, with a hung one (its box up too), and with
// another program's menu open. The keyword box's record is checked whole
// with every room buster attempt.
#include <gtest/gtest.h>

#include "host/refusal_box.h"
#include "host/sequencer.h"
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
        HostSequencer().Add(PickToolbarMenu(3, letter));
        ASSERT_TRUE(RunHostSteps());
        PumpUntil([&] { return Typed(host).find(" PICK ") != std::string::npos; });
        EXPECT_EQ(Clicked("toolbar.icon4") + typed, Typed(host));
    }
}

// Letters go only into the host's own menu, whatever other program has one
// up; a host that does not answer holds no step for long, and a pick that
// waited its 3 s for the host's menu in vain types nothing.
TEST(HungHost, NoStepWaitsLongForItAndNoLetterReachesAnotherProgramsMenu) {
    // Another program with a menu up that the host's letters would pick from;
    // it ends as soon as one reaches it.
    ChildProcess other("norq_tests.exe", "--show-popup-menu");
    // No host runs yet, so the only menu up is the other program's.
    ASSERT_TRUE(PumpUntil([] { return IsWindowVisible(FindWindowA("#32768", nullptr)); }));
    HostSequencer().Add(PickToolbarMenu(0, "R", "O"));
    EXPECT_TRUE(HostSequencer().idle());  // nothing clicked, nothing to wait for

    FakeClock clock(100.0f);
    clock.SetLookSpeed(10);
    clock.Install();
    hostsim::Host host;
    // The host's menu: hostsim runs in this process, the other program in its own.
    auto hostMenu = [] {
        HWND m = nullptr;
        while ((m = FindWindowExA(nullptr, m, "#32768", nullptr)) &&
               !(IsWindowVisible(m) && ProcessOf(m) == GetCurrentProcessId())) {}
        return m;
    };
    // The host shows its menu after the hang: in time, or after the 3 s the
    // pick waits for it, which pass in 0.3 s here.
    for (int hangMs : {100, 1000}) {
        host.Execute("box ok");
        ASSERT_TRUE(PumpUntil([] { return VisibleRefusalBox() != nullptr; }));
        host.ClearLog();
        host.Hang(hangMs);
        Pump(20);  // the host takes the hang before anything of ours
        hostsim::ResponseWatch watch;
        HostSequencer().Add(PickToolbarMenu(3, "N"));
        HostSequencer().Add(HostOperation().Then([] {
            // One wait for the first unanswered message, none for the rest.
            GotoKeyword("private chat");
            PressToolbarIcon(2);
            PressRefusalBox(VisibleRefusalBox());
        }));
        ASSERT_TRUE(RunHostSteps(hangMs + 1000));
        EXPECT_LT(watch.LongestMs(), 700.0) << hangMs;
        const bool inTime = hangMs < 300;
        if (inTime) {
            EXPECT_TRUE(PumpUntil([&] { return Typed(host).find("toolbar PICK 0 0 \"chat now\"") !=
                                               std::string::npos; }));
        } else {
            // Its menu shows once it goes on, and stays without a letter.
            ASSERT_TRUE(PumpUntil(hostMenu, 2000));
            Pump(100);
            EXPECT_EQ(std::string::npos, Typed(host).find("menu WM_CHAR")) << Typed(host);
            PostMessageW(hostMenu(), WM_KEYDOWN, VK_ESCAPE, 0);
            EXPECT_TRUE(PumpUntil([&] { return !hostMenu(); }));
        }
        PumpUntil([] { return VisibleRefusalBox() == nullptr; });
    }
    Pump(200);
    EXPECT_TRUE(other.Running());  // nothing was picked in its menu
}

TEST(SendInstantMessage, PressesTheIconWaitsAndFillsTheHostsWindowUnlessItComesTooLateOrCloses) {
    hostsim::Host host;
    host.SetAnswerDelay(0);  // the window opens within the pause, which takes no time here
    FakeClock clock(100.0f);
    clock.Install();
    auto send = [](const std::string& to, const std::string& text) {
        HostSequencer().Add(SendInstantMessage(to, text));
        return RunHostSteps();
    };
    ASSERT_TRUE(send("$IM_OFF", "norq idle."));
    // The pause to the next whole second and one more.
    EXPECT_DOUBLE_EQ(1.0, clock.elapsed());
    const std::string im = "Send Instant Message";
    EXPECT_EQ(kImIcon + im + ".edit1 WM_SETTEXT 0 0 \"$IM_OFF\"\n" + im +
                  ".rich1 WM_SETTEXT 0 0 \"norq idle.\"\n" + ShortPress(im + ".icon10") + im +
                  " IM 0 0 \"$IM_OFF: norq idle.\"\n",
              Typed(host));

    // A host whose window comes after the pause gets no text.
    host.SetAnswerDelay(600);
    ASSERT_TRUE(PumpUntil([&] { return host.Documents().empty(); }));  // the last window closed
    host.ClearLog();
    ASSERT_TRUE(send("brimwold", "lost"));
    EXPECT_EQ(kImIcon, Typed(host));

    host.SetAnswerDelay(0);
    host.ClearLog();
    PressToolbarIcon(5);  // a short press and nothing else, and the window opens
    EXPECT_EQ(kImIcon, hostsim::Describe(host.Log()));
    ASSERT_TRUE(PumpUntil([&] { return host.Documents() == Lines{"Send Instant Message"}; }));
    host.SetAnswerDelay(600);  // the host's next window comes too late to matter
    host.ClearLog();
    ASSERT_TRUE(send("brimwold", "wuttup \u00BA"));
    EXPECT_EQ(0u, Typed(host).find(kImIcon)) << Typed(host);
    EXPECT_NE(std::string::npos, Typed(host).find("\"brimwold: wuttup \\xBA\"")) << Typed(host);

    // The window closes during the pause.
    host.SetAnswerDelay(0);
    Pump(700);  // the windows that came late
    while (!host.Documents().empty()) host.Close("Send Instant Message");
    host.ClearLog();
    clock.OnIdle([&] { host.Close("Send Instant Message"); });
    ASSERT_TRUE(send("brimwold", "gone"));
    EXPECT_EQ(kImIcon, Typed(host));
}
