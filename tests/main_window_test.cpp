// The start-up and the exits as the room sees them and as the settings file
// keeps them, the main window's labels, and the about window's pause;
// hostsim runs on its own thread.
#include <gtest/gtest.h>

#include "hostsim/hostsim.h"
#include "idler/about_window.h"
#include "app/program.h"
#include "tests/support.h"
#include "ui/form_on_top.h"
#include "ui/twips.h"

namespace {

// The keys the decorations load from, then the seven an exit may write.
Lines Stored() {
    Lines values;
    char value[300];
    for (const char* key : {"left-ascii", "right-ascii", "handle", "left ascii", "right ascii",
                            "reason", "total days", "total hours", "total minutes"})
        values.emplace_back(value, GetPrivateProfileStringA("norq idle", key, "<missing>", value,
                                                            300, "\\norqidle.ini"));
    return values;
}

// The main window beside a host with a room, on the test's drive. Its first
// start, with no handle stored, is the first start's own test, across
// processes.
struct Session {
    Session() {
        host.OpenRoom("Lobby");
        clock.Install();
    }
    // Opened twice, as a restore does: the start-up runs the first time only.
    void Start(const std::string& settingsFile) {
        ASSERT_TRUE(drive.ok()) << "no test drive: run through tests/wine-run.sh";
        WriteFileBytes(drive.SettingsPath(), settingsFile);
        program.OpenMain();
        program.OpenMain();
        EXPECT_TRUE(RunHostSteps());  // the start-up's lines
        EXPECT_TRUE(IsWindowVisible(main.hwnd()));
        EXPECT_FALSE(IsWindowVisible(program.dialog(DialogKind::kHandle).hwnd()));  // a handle is stored
    }

    OnTestDrive drive;
    FakeClock clock{100.0f};
    hostsim::Host host;
    int ends = 0;
    RECT atEnd = {};  // where the window stood when the program ended
    Program program{[this] { ++ends; GetWindowRect(main.hwnd(), &atEnd); }};
    MainWindow& main = program.main();
};

}  // namespace

// Each exit says goodbye once, even when the window's "x" (a close) arrives
// inside the pause between the farewell lines, and writes its own keys; only
// the window's exit slides the window past the right edge, as it stands.
TEST(MainWindow, EachExitSaysGoodbyeOnceSavesItsKeysAndOnlyTheWindowsExitSlidesAway) {
    const Lines stored[] = {
        {"\xAB(", ")\xBB", "norqfan", "\xAB(", ")\xBB", "gone fishing", "", "", ""},
        // The decorations under the keys with a blank are those saved by
        // their dialogs in this run (none was), and no totals.
        {"\xAB(", ")\xBB", "norqfan", "", "", "gone fishing", "<missing>", "<missing>", "<missing>"}};
    for (ExitKind exit : {ExitKind::kWindow, ExitKind::kMenu}) {
        Session s;
        s.Start("[norq idle]\r\nhandle=norqfan\r\nleft-ascii=\xAB(\r\nright-ascii=)\xBB\r\n"
                "reason=gone fishing\r\n");
        // Collapsing keeps the top and moves the left edge. Where the window
        // stands before each click, then what the click makes of it:
        const struct { int left; const char* name; int width, height; } clicks[] = {
            {17, "expand", 1410, 270}, {40, "collapse", 2655, 975}, {60, "expand", 1410, 270}};
        for (const auto& c : clicks) {
            SetWindowPos(s.main.hwnd(), nullptr, c.left, 23, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
            SendDlgItemMessageW(s.main.hwnd(), kCollapseLabel, WM_LBUTTONDOWN, MK_LBUTTON, 0);
            SendDlgItemMessageW(s.main.hwnd(), kCollapseLabel, WM_LBUTTONUP, 0, 0);
            RECT r;
            GetWindowRect(s.main.hwnd(), &r);
            EXPECT_EQ(c.name, TextOf(GetDlgItem(s.main.hwnd(), kCollapseLabel)));
            EXPECT_EQ((std::vector<long>{TwipsX(4965), 23, TwipsX(c.width), TwipsY(c.height)}),
                      (std::vector<long>{r.left, r.top, r.right - r.left, r.bottom - r.top}));
        }
        FakeClock clock(100.6f);
        clock.SetIdleStep(0.1);  // short idles keep the pause going after the close
        clock.OnIdle([&] { if (clock.idles() == 1) PostMessageW(s.main.hwnd(), WM_CLOSE, 0, 0); });
        clock.Install();

        s.program.Exit(exit);
        ASSERT_TRUE(RunHostSteps());

        const bool byWindow = exit == ExitKind::kWindow;
        SCOPED_TRACE(byWindow ? "the window's exit" : "the menu's exit");
        const std::string banner = "\xAB( norq " + Marked("i<u>d</u>ler") + " v\xB9\xB7\xBA -  ";
        const std::string user = "user: " + Marked("norqfan") + " )\xBB";
        EXPECT_EQ((Lines{banner + "inL<u>o</u>ad )\xBB", "\xAB( by: vo<u>n</u>k  -  " + user,
                         banner + "u<u>n</u>Load )\xBB", "\xAB( by: vo<u>n</u>k -  " + user}),
                  s.host.ChatLines("Lobby"));
        EXPECT_EQ(1, s.ends);
        EXPECT_EQ(TwipsX(1410), s.atEnd.right - s.atEnd.left);  // still collapsed
        EXPECT_EQ(byWindow, s.atEnd.left > GetSystemMetrics(SM_CXSCREEN));
        EXPECT_EQ(stored[!byWindow], Stored());
    }
}

// What the user types in another program stays there: neither the start-up
// nor an idle tick activates a window of ours.
TEST(MainWindow, NeitherStartUpNorATickTakesTheKeyboardFromAnotherProgram) {
    Session s;
    ChildProcess notepad("c:\\windows\\system32\\notepad.exe");
    HWND other = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (other = notepad.Window(L"Notepad")) != nullptr; }));
    SetForegroundWindow(other);
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == other; }));
    FormOnTop(s.main);  // before the start-up: creates the window, hidden
    EXPECT_FALSE(IsWindowVisible(s.main.hwnd()));

    s.Start("[norq idle]\r\nhandle=norqfan\r\n");
    s.program.clock().On();
    s.program.clock().Tick();
    ASSERT_TRUE(PumpUntil([&] { return s.host.ChatLines("Lobby").size() == 5; }));  // it ticked

    EXPECT_EQ(other, GetForegroundWindow());
    EXPECT_TRUE(GetWindowLongW(s.main.hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);
}

// The start-up is an operation of the sequencer, run from the message loop:
// the window shows at once, and a click on a label ends the pause there.
TEST(AboutWindow, OpensTheMainWindowOnceAfterItsPauseOrAtOnceOnAClickOnItsLabels) {
    // A click a second into the pause: on the title, then outside every label.
    const struct { LPARAM click; double openedAt; } cases[] = {
        {MAKELPARAM(40, 40), 1.0}, {MAKELPARAM(1, 1), 3.5}};
    for (const auto& c : cases) {
        FakeClock clock(100.5f);  // the pause counts from 100.0, the second rounded half to even
        clock.SetIdleStep(0.5);
        std::vector<double> opened;
        AboutWindow about([&] { opened.push_back(clock.elapsed()); });
        clock.OnIdle([&] {
            if (clock.elapsed() != 1.0) return;
            SendMessageW(about.hwnd(), WM_LBUTTONDOWN, 0, c.click);
            SendMessageW(about.hwnd(), WM_LBUTTONUP, 0, c.click);
        });
        clock.Install();

        about.Run();
        EXPECT_TRUE(IsWindowVisible(about.hwnd()));
        EXPECT_TRUE(opened.empty());
        ASSERT_TRUE(RunHostSteps());

        EXPECT_EQ(std::vector<double>{c.openedAt}, opened);
        EXPECT_FALSE(IsWindowVisible(about.hwnd()));
        EXPECT_TRUE(GetWindowLongW(about.hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    }
}
