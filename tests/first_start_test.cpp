// A newcomer's first start, end to end: the real program beside hostsim,
// driven through its own windows and its real popup menu.
#include <gtest/gtest.h>

#include "hostsim/hostsim.h"
#include "idler/main_window.h"
#include "tests/support.h"

namespace {

const char kLoad[] =
    " norq < font . color=#0099FF>i<u>d</u>ler< font . color=#000000> v\xB9\xB7\xBA -  inL<u>o</u>ad ";
const char kUserWithoutHandle[] =
    " by: vo<u>n</u>k  -  user: < font . color=#0099FF>< font . color=#000000> ";
const char kStartWithoutHandle[] =
    " norq < font . color=#0099FF>i<u>d</u>ler< font . color=#000000> v\xB9\xB7\xBA -  "
    "< font . color=#0099FF>< font . color=#000000> started idle. ";
const char kFirstStatus[] =
    " norq < font . color=#0099FF>i<u>d</u>ler< font . color=#000000> v\xB9\xB7\xBA \x96  vonk ( "
    "0< font . color=#0099FF>d< font . color=#000000>/0< font . color=#0099FF>h"
    "< font . color=#000000>/1< font . color=#0099FF>m< font . color=#000000> ) ";

DWORD ProcessOf(HWND window) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    return pid;
}

// The first visible top-level window of that class in the process.
HWND WindowOf(DWORD pid, const wchar_t* className) {
    for (HWND w = FindWindowW(className, nullptr); w; w = FindWindowExW(nullptr, w, className, nullptr))
        if (ProcessOf(w) == pid && IsWindowVisible(w)) return w;
    return nullptr;
}

// The program, started on the test's own drive and ended with the test.
class Program {
public:
    Program() {
        std::string command = "\"" + BuiltProgram("norqidle.exe") + "\"";
        std::string root = TestDrive() + "\\";
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, root.c_str(),
                       &startup, &process_);
    }
    ~Program() {
        if (!process_.hProcess) return;
        if (WaitForSingleObject(process_.hProcess, 0) != WAIT_OBJECT_0)
            TerminateProcess(process_.hProcess, 1);
        CloseHandle(process_.hThread);
        CloseHandle(process_.hProcess);
    }
    DWORD pid() const { return process_.dwProcessId; }
    bool Ended() const {
        return PumpUntil([&] { return WaitForSingleObject(process_.hProcess, 0) == WAIT_OBJECT_0; },
                         15000);
    }

private:
    PROCESS_INFORMATION process_ = {};
};

void Click(HWND label) {
    PostMessageW(label, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    PostMessageW(label, WM_LBUTTONUP, 0, 0);
}

void Key(HWND window, UINT key) { PostMessageW(window, WM_KEYDOWN, key, 0); }

}  // namespace

TEST(FirstStart, AsksForTheHandleAnnouncesAndIdlesFromTheMenu) {
    ASSERT_FALSE(TestDrive().empty());
    hostsim::Host host;
    host.OpenRoom("Lobby");
    Program program;
    auto room = [&] { return host.ChatLines("Lobby"); };

    ASSERT_TRUE(PumpUntil([&] { return room().size() >= 2; }, 20000));
    EXPECT_EQ((std::vector<std::string>{kLoad, kUserWithoutHandle}), room());

    // The handle dialog stands on top of the main window.
    HWND main = nullptr, dialog = nullptr;
    ASSERT_TRUE(PumpUntil([&] {
        main = WindowOf(program.pid(), L"norq idle main");
        dialog = WindowOf(program.pid(), L"norq idle settings");
        return main && dialog;
    }));
    HWND below = dialog;
    while (below && below != main) below = GetWindow(below, GW_HWNDNEXT);
    EXPECT_EQ(main, below);

    // "idler on", from the real menu: down to "idler opts", into it, choose.
    Click(GetDlgItem(main, kOptsLabel));
    HWND menu = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (menu = WindowOf(program.pid(), L"#32768")) != nullptr; }));
    for (int i = 0; i < 5; ++i) Key(menu, VK_DOWN);
    Key(menu, VK_RIGHT);
    Key(menu, VK_RETURN);
    ASSERT_TRUE(PumpUntil([&] { return room().size() >= 3; }));
    EXPECT_EQ(kStartWithoutHandle, room()[2]);

    // A tick, as the minute's timer gives it.
    PostMessageW(main, WM_TIMER, kIdleTimer, 0);
    ASSERT_TRUE(PumpUntil([&] { return room().size() >= 5; }));
    EXPECT_EQ(kFirstStatus, room()[3]);
    EXPECT_EQ(" re:  ", room()[4]);

    Click(GetDlgItem(main, kExitLabel));
    EXPECT_TRUE(program.Ended());
}
