// The start-up and the exits as the room sees them and as the settings file
// keeps them, the main window's labels, and the about window's pause;
// hostsim runs on its own thread.
#include <gtest/gtest.h>

#include "hostsim/hostsim.h"
#include "idler/about_window.h"
#include "idler/form_on_top.h"
#include "idler/main_window.h"
#include "tests/support.h"
#include "ui/twips.h"

using Lines = std::vector<std::string>;

namespace {

// The start-up pair and the farewell pair, as their bytes arrive in the room.
Lines FourLines(const std::string& left, const std::string& handle, const std::string& right) {
    const std::string banner =
        " norq < font . color=#0099FF>i<u>d</u>ler< font . color=#000000> v\xB9\xB7\xBA -  ";
    const std::string user =
        "user: < font . color=#0099FF>" + handle + "< font . color=#000000> " + right;
    return {left + banner + "inL<u>o</u>ad " + right, left + " by: vo<u>n</u>k  -  " + user,
            left + banner + "u<u>n</u>Load " + right, left + " by: vo<u>n</u>k -  " + user};
}

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

void Click(HWND window, int label) {
    SendDlgItemMessageW(window, label, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    SendDlgItemMessageW(window, label, WM_LBUTTONUP, 0, 0);
}

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(drive_.ok()) << "no test drive: run through tests/wine-run.sh";
        host_.OpenRoom("Lobby");
    }
    // Opened twice, as a restore does: the start-up runs the first time only.
    // The handle dialog shows when no handle is stored, and only then.
    void Start(const std::string& settingsFile) {
        if (!settingsFile.empty()) WriteFileBytes(drive_.SettingsPath(), settingsFile);
        main_.Open();
        main_.Open();
        EXPECT_TRUE(IsWindowVisible(main_.hwnd()));
        EXPECT_EQ(settingsFile.find("handle=") == std::string::npos,
                  !!IsWindowVisible(main_.dialog(DialogKind::kHandle).hwnd()));
    }

    OnTestDrive drive_;
    hostsim::Host host_;
    Settings settings_;
    int ends_ = 0;
    RECT atEnd_ = {};  // where the window stood when the program ended
    MainWindow main_{settings_, [this] { ++ends_; GetWindowRect(main_.hwnd(), &atEnd_); }};
};

}  // namespace

TEST_F(MainWindowTest, StartsUpOnceAndExitByTheWindowSavesAllAndSlidesTheCollapsedWindowAway) {
    Start("[norq idle]\r\nhandle=norqfan\r\nleft-ascii=\xAB(\r\nright-ascii=)\xBB\r\n"
          "reason=gone fishing\r\ntotal days=1\r\ntotal hours=2\r\ntotal minutes=3\r\n");
    // Collapsing keeps the top and moves the left edge. Where the window stands
    // before each click, then what the click makes of it:
    const struct { int left; const wchar_t* caption; int width, height; } clicks[] = {
        {17, L" >", 1410, 270}, {40, L" <", 2655, 975}, {60, L" >", 1410, 270}};
    for (const auto& c : clicks) {
        SetWindowPos(main_.hwnd(), nullptr, c.left, 23, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        Click(main_.hwnd(), kCollapseLabel);
        RECT r;
        GetWindowRect(main_.hwnd(), &r);
        wchar_t caption[8] = {};
        GetDlgItemTextW(main_.hwnd(), kCollapseLabel, caption, 8);
        EXPECT_EQ(std::wstring(c.caption), caption);
        EXPECT_EQ((std::vector<long>{TwipsX(4965), 23, TwipsX(c.width), TwipsY(c.height)}),
                  (std::vector<long>{r.left, r.top, r.right - r.left, r.bottom - r.top}));
    }

    Click(main_.hwnd(), kExitLabel);

    EXPECT_EQ(FourLines("\xAB(", "norqfan", ")\xBB"), host_.ChatLines("Lobby"));
    EXPECT_EQ(1, ends_);
    EXPECT_EQ(TwipsX(1410), atEnd_.right - atEnd_.left);     // still collapsed
    EXPECT_GT(atEnd_.left, GetSystemMetrics(SM_CXSCREEN));  // and past the right edge
    EXPECT_EQ((Lines{"\xAB(", ")\xBB", "norqfan", "\xAB(", ")\xBB", "gone fishing", "1", "2", "3"}),
              Stored());
}

TEST_F(MainWindowTest, FirstStartAsksForTheHandleOnTopAndItsExitWritesEveryKeyEmpty) {
    Start("");
    // The handle dialog stands on top of the main window and takes the typing.
    HWND below = main_.dialog(DialogKind::kHandle).hwnd();
    while (below && below != main_.hwnd()) below = GetWindow(below, GW_HWNDNEXT);
    EXPECT_EQ(main_.hwnd(), below);
    EXPECT_EQ(GetDlgItem(main_.dialog(DialogKind::kHandle).hwnd(), kDialogEdit), GetFocus());

    main_.Exit(ExitKind::kWindow);

    EXPECT_EQ(FourLines("", "", ""), host_.ChatLines("Lobby"));
    EXPECT_GT(atEnd_.left, GetSystemMetrics(SM_CXSCREEN));  // slid past the right edge
    EXPECT_EQ((Lines{"<missing>", "<missing>", "", "", "", "", "", "", ""}), Stored());
}

TEST_F(MainWindowTest, ExitByTheMenuWritesNoTotalsAndSaysGoodbyeOnceWhenAskedAgainInItsPause) {
    Start("[norq idle]\r\nhandle=norqfan\r\nleft-ascii=\xAB(\r\nright-ascii=)\xBB\r\n");
    // The window's "x" (a close) arrives inside the pause between the farewell
    // lines; short idles keep the pause going after it, so it is handled there.
    FakeClock clock(100.6f);
    clock.SetIdleStep(0.1);
    clock.OnIdle([&] { if (clock.idles() == 1) PostMessageW(main_.hwnd(), WM_CLOSE, 0, 0); });
    clock.Install();

    main_.Exit(ExitKind::kMenu);

    EXPECT_EQ(FourLines("\xAB(", "norqfan", ")\xBB"), host_.ChatLines("Lobby"));
    EXPECT_EQ(1, ends_);
    EXPECT_LT(atEnd_.left, GetSystemMetrics(SM_CXSCREEN));  // no slide
    // No totals, and empty decorations under the keys with a blank: none was
    // saved by its dialog in this run.
    EXPECT_EQ(
        (Lines{"\xAB(", ")\xBB", "norqfan", "", "", "", "<missing>", "<missing>", "<missing>"}),
        Stored());
}

// What the user types in another program stays there: neither the start-up
// nor an idle tick activates a window of ours.
TEST_F(MainWindowTest, NeitherStartUpNorATickTakesTheKeyboardFromAnotherProgram) {
    ChildProcess notepad("c:\\windows\\system32\\notepad.exe");
    HWND other = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (other = notepad.Window(L"Notepad")) != nullptr; }));
    SetForegroundWindow(other);
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == other; }));
    FormOnTop(main_);  // before the start-up: creates the window, hidden
    EXPECT_FALSE(IsWindowVisible(main_.hwnd()));

    Start("[norq idle]\r\nhandle=norqfan\r\n");
    main_.IdleOn();
    PostMessageW(main_.hwnd(), WM_TIMER, kIdleTimer, 0);
    ASSERT_TRUE(PumpUntil([&] { return host_.ChatLines("Lobby").size() == 5; }));  // it ticked

    EXPECT_EQ(other, GetForegroundWindow());
    EXPECT_TRUE(GetWindowLongW(main_.hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);
}

// Labels act as buttons do, on a release over the label pressed: a press on
// "x" taken off it before the release ends nothing.
TEST_F(MainWindowTest, LabelsActOnAReleaseOverThePressedLabelOnly) {
    Start("[norq idle]\r\nhandle=norqfan\r\n");
    RECT x;
    GetWindowRect(GetDlgItem(main_.hwnd(), kExitLabel), &x);
    Mouse(0, x.left + 2, x.top + 2);
    Mouse(MOUSEEVENTF_LEFTDOWN, x.left + 2, x.top + 2);
    Mouse(0, x.left + 2, x.top + 80);  // below the window
    Mouse(MOUSEEVENTF_LEFTUP, x.left + 2, x.top + 80);
    EXPECT_EQ(0, ends_);
    EXPECT_EQ(2u, host_.ChatLines("Lobby").size());

    ClickOn(GetDlgItem(main_.hwnd(), kMinimizeLabel));
    EXPECT_TRUE(IsIconic(main_.hwnd()));
    EXPECT_EQ(0, ends_);
}

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
            PostMessageW(about.hwnd(), WM_LBUTTONDOWN, 0, c.click);
            PostMessageW(about.hwnd(), WM_LBUTTONUP, 0, c.click);
        });
        clock.Install();

        about.Run();

        EXPECT_EQ(std::vector<double>{c.openedAt}, opened);
        EXPECT_EQ(3.5, clock.elapsed());  // the pause itself runs its course
        EXPECT_FALSE(IsWindowVisible(about.hwnd()));
        EXPECT_TRUE(GetWindowLongW(about.hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    }
}
