// A newcomer's first start, end to end: the real program beside hostsim,
// driven with real input (keys and clicks) through its handle dialog, its
// main window and its real popup menu.
#include <gtest/gtest.h>

#include "hostsim/hostsim.h"
#include "idler/main_window.h"
#include "tests/support.h"

TEST(FirstStart, AnnouncesAsksForTheHandleOnTopWithTheKeyboardAndIdlesUnderItFromTheMenu) {
    ASSERT_FALSE(TestDrive().empty());
    const std::string on = "< font . color=#0099FF>", off = "< font . color=#000000>";
    const std::string banner = " norq " + on + "i<u>d</u>ler" + off + " v\xB9\xB7\xBA ";
    hostsim::Host host;
    host.OpenRoom("Lobby");
    ChildProcess program("norqidle.exe", "", TestDrive() + "\\");  // no settings file there
    auto room = [&] { return host.ChatLines("Lobby"); };

    ASSERT_TRUE(PumpUntil([&] { return room().size() >= 2; }, 20000));
    EXPECT_EQ((std::vector<std::string>{banner + "-  inL<u>o</u>ad ",
                                        " by: vo<u>n</u>k  -  user: " + on + off + " "}),
              room());

    // The handle dialog stands right above the main window, is the active
    // window, and takes what is typed in its edit field: Enter saves it.
    HWND main = nullptr, handle = nullptr;
    ASSERT_TRUE(PumpUntil([&] {
        handle = program.Window(L"norq idle settings");
        return (main = program.Window(L"norq idle main")) && handle;
    }));
    EXPECT_TRUE(PumpUntil([&] { return GetForegroundWindow() == handle; }, 3000));
    HWND below = handle;
    while (below && below != main) below = GetWindow(below, GW_HWNDNEXT);
    EXPECT_EQ(main, below);
    Type("Ann");
    Key(VK_RETURN);
    ASSERT_TRUE(PumpUntil([&] { return !IsWindowVisible(handle); }));

    // "idler on", from the real menu: down to "idler opts", into it, choose.
    ClickOn(GetDlgItem(main, kOptsLabel));
    ASSERT_TRUE(PumpUntil([&] { return program.Window(L"#32768") != nullptr; }));
    for (WORD vk : {VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT, VK_RETURN}) Key(vk);
    // Then a tick, as the minute's timer gives it.
    ASSERT_TRUE(PumpUntil([&] { return room().size() >= 3; }));
    PostMessageW(main, WM_TIMER, kIdleTimer, 0);
    ASSERT_TRUE(PumpUntil([&] { return room().size() >= 5; }));
    const std::vector<std::string> lines = room();
    EXPECT_EQ((std::vector<std::string>{
                  banner + "-  " + on + "Ann" + off + " started idle. ",
                  banner + "\x96  vonk ( 0" + on + "d" + off + "/0" + on + "h" + off + "/1" +
                      on + "m" + off + " ) ",
                  " re:  "}),
              std::vector<std::string>(lines.begin() + 2, lines.end()));

    ClickOn(GetDlgItem(main, kExitLabel));
    EXPECT_TRUE(program.WaitForEnd(15000));
}
