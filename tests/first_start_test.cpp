// A newcomer's first start, end to end: the real program beside hostsim,
// driven through its own windows and its real popup menu.
#include <gtest/gtest.h>

#include "hostsim/hostsim.h"
#include "idler/main_window.h"
#include "tests/support.h"

namespace {

const char kLoad[] =
    " norq < font . color=#0099FF>i<u>d</u>ler< font . color=#000000> v\xB9\xB7\xBA -  "
    "inL<u>o</u>ad ";
const char kUserWithoutHandle[] =
    " by: vo<u>n</u>k  -  user: < font . color=#0099FF>< font . color=#000000> ";
const char kStartWithoutHandle[] =
    " norq < font . color=#0099FF>i<u>d</u>ler< font . color=#000000> v\xB9\xB7\xBA -  "
    "< font . color=#0099FF>< font . color=#000000> started idle. ";
const char kFirstStatus[] =
    " norq < font . color=#0099FF>i<u>d</u>ler< font . color=#000000> v\xB9\xB7\xBA \x96  vonk ( "
    "0< font . color=#0099FF>d< font . color=#000000>/0< font . color=#0099FF>h"
    "< font . color=#000000>/1< font . color=#0099FF>m< font . color=#000000> ) ";

void Click(HWND label) {
    PostMessageW(label, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    PostMessageW(label, WM_LBUTTONUP, 0, 0);
}

}  // namespace

TEST(FirstStart, AsksForTheHandleAnnouncesAndIdlesFromTheMenu) {
    ASSERT_FALSE(TestDrive().empty());
    hostsim::Host host;
    host.OpenRoom("Lobby");
    ChildProcess program("norqidle.exe", "", TestDrive() + "\\");  // no settings file there
    auto room = [&] { return host.ChatLines("Lobby"); };

    ASSERT_TRUE(PumpUntil([&] { return room().size() >= 2; }, 20000));
    EXPECT_EQ((std::vector<std::string>{kLoad, kUserWithoutHandle}), room());

    // The handle dialog stands on top of the main window (checked in-process
    // by the main window's tests) and has the keyboard.
    HWND main = nullptr, handle = nullptr;
    ASSERT_TRUE(PumpUntil([&] {
        handle = program.Window(L"norq idle settings");
        return (main = program.Window(L"norq idle main")) && handle;
    }));
    EXPECT_EQ(handle, GetForegroundWindow());

    // "idler on", from the real menu: down to "idler opts", into it, choose.
    Click(GetDlgItem(main, kOptsLabel));
    HWND menu = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (menu = program.Window(L"#32768")) != nullptr; }));
    for (UINT key : {VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT, VK_RETURN})
        PostMessageW(menu, WM_KEYDOWN, key, 0);
    ASSERT_TRUE(PumpUntil([&] { return room().size() >= 3; }));
    EXPECT_EQ(kStartWithoutHandle, room()[2]);

    // A tick, as the minute's timer gives it.
    PostMessageW(main, WM_TIMER, kIdleTimer, 0);
    ASSERT_TRUE(PumpUntil([&] { return room().size() >= 5; }));
    EXPECT_EQ(kFirstStatus, room()[3]);
    EXPECT_EQ(" re:  ", room()[4]);

    Click(GetDlgItem(main, kExitLabel));
    EXPECT_TRUE(program.WaitForEnd(15000));
}
