// The start-up and the exits as the room sees them, the main window's
// labels, and the about window's pause; hostsim runs on its own thread.
#include <gtest/gtest.h>

#include "host/wait.h"
#include "hostsim/hostsim.h"
#include "idler/about_window.h"
#include "idler/form_on_top.h"
#include "idler/main_window.h"
#include "tests/support.h"
#include "ui/twips.h"

using Lines = std::vector<std::string>;

namespace {

// The lines as their bytes arrive in the room, decorations "«(" and ")»".
const char kLoad[] =
    "\xAB( norq < font . color=#0099FF>i<u>d</u>ler< font . color=#000000> v\xB9\xB7\xBA"
    " -  inL<u>o</u>ad )\xBB";
const char kUser[] =
    "\xAB( by: vo<u>n</u>k  -  user: < font . color=#0099FF>norqfan< font . color=#000000> )\xBB";
const char kUnload[] =
    "\xAB( norq < font . color=#0099FF>i<u>d</u>ler< font . color=#000000> v\xB9\xB7\xBA"
    " -  u<u>n</u>Load )\xBB";
const char kFarewell[] =
    "\xAB( by: vo<u>n</u>k -  user: < font . color=#0099FF>norqfan< font . color=#000000> )\xBB";

const char kStoredSettings[] =
    "[norq idle]\r\n"
    "handle=norqfan\r\n"
    "left-ascii=\xAB(\r\n"
    "right-ascii=)\xBB\r\n"
    "reason=gone fishing\r\n"
    "total days=1\r\n"
    "total hours=2\r\n"
    "total minutes=3\r\n";

std::string Stored(const char* key) {
    char value[300];
    GetPrivateProfileStringA("norq idle", key, "<missing>", value, sizeof value,
                             "\\norqidle.ini");
    return value;
}

void Click(HWND window, int label) {
    HWND control = GetDlgItem(window, label);
    ASSERT_NE(nullptr, control);
    SendMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    SendMessageW(control, WM_LBUTTONUP, 0, 0);
}

std::wstring Text(HWND window, int label) {
    wchar_t text[64] = {};
    GetDlgItemTextW(window, label, text, 64);
    return text;
}

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(drive_.ok()) << "no test drive: run through tests/wine-run.sh";
        host_.OpenRoom("Lobby");
    }

    void Store(const std::string& bytes) { WriteFileBytes(drive_.SettingsPath(), bytes); }
    Lines Room() const { return host_.ChatLines("Lobby"); }

    OnTestDrive drive_;
    hostsim::Host host_;
    Settings settings_;
    int ends_ = 0;
    RECT atEnd_ = {};
    MainWindow main_{settings_, [this] {
                         ++ends_;
                         GetWindowRect(main_.hwnd(), &atEnd_);
                     }};
};

}  // namespace

TEST_F(MainWindowTest, StartUpAnnouncesTheUserOnceInTheirDecorations) {
    Store(kStoredSettings);

    main_.Open();
    main_.Open();  // showing it again does not start it up again

    EXPECT_EQ((Lines{kLoad, kUser}), Room());
    EXPECT_FALSE(IsWindowVisible(main_.dialog(DialogKind::kHandle).hwnd()));
    EXPECT_TRUE(IsWindowVisible(main_.hwnd()));
    EXPECT_TRUE(GetWindowLongW(main_.hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ("norqfan", settings_.handle);
    EXPECT_EQ("norqfan", settings_.handleEdit);
    EXPECT_EQ("gone fishing", settings_.reason);
}

TEST_F(MainWindowTest, FirstStartWithoutSettingsPostsBothLinesBare) {
    main_.Open();

    EXPECT_EQ((Lines{
                  " norq < font . color=#0099FF>i<u>d</u>ler< font . color=#000000> v\xB9\xB7\xBA"
                  " -  inL<u>o</u>ad ",
                  " by: vo<u>n</u>k  -  user: < font . color=#0099FF>< font . color=#000000> ",
              }),
              Room());
    EXPECT_EQ("", settings_.totalDays);  // empty, not "0"

    // The handle dialog asks for the handle, on top of the main window.
    HWND handle = main_.dialog(DialogKind::kHandle).hwnd();
    EXPECT_TRUE(IsWindowVisible(handle));
    EXPECT_TRUE(IsWindowVisible(main_.hwnd()));
    HWND below = handle;
    while (below && below != main_.hwnd()) below = GetWindow(below, GW_HWNDNEXT);
    EXPECT_EQ(main_.hwnd(), below);
}

TEST_F(MainWindowTest, ExitByTheWindowSavesAllSaysGoodbyeAndSlidesAway) {
    Store(kStoredSettings);
    main_.Open();

    Click(main_.hwnd(), kExitLabel);

    EXPECT_EQ((Lines{kLoad, kUser, kUnload, kFarewell}), Room());
    EXPECT_EQ(1, ends_);
    EXPECT_GT(PixelsToTwips(atEnd_.left, ScreenDpiX()),
              PixelsToTwips(GetSystemMetrics(SM_CXSCREEN), ScreenDpiX()));
    EXPECT_EQ("norqfan", Stored("handle"));
    EXPECT_EQ("\xAB(", Stored("left ascii"));
    EXPECT_EQ(")\xBB", Stored("right ascii"));
    EXPECT_EQ("gone fishing", Stored("reason"));
    EXPECT_EQ("1", Stored("total days"));
    EXPECT_EQ("2", Stored("total hours"));
    EXPECT_EQ("3", Stored("total minutes"));
}

TEST_F(MainWindowTest, ExitByTheWindowWritesTheTotalsEvenWhenNoneWereStored) {
    Store("[norq idle]\r\nhandle=norqfan\r\n");
    main_.Open();

    main_.Exit(ExitKind::kWindow);

    EXPECT_EQ("", Stored("total days"));
    EXPECT_EQ("", Stored("total hours"));
    EXPECT_EQ("", Stored("total minutes"));
}

TEST_F(MainWindowTest, ExitByTheMenuLeavesTotalsAndUnsavedDecorationsOut) {
    Store("[norq idle]\r\nhandle=norqfan\r\nleft-ascii=\xAB(\r\nright-ascii=)\xBB\r\n");
    main_.Open();
    RECT before;
    GetWindowRect(main_.hwnd(), &before);

    main_.Exit(ExitKind::kMenu);

    EXPECT_EQ((Lines{kLoad, kUser, kUnload, kFarewell}), Room());
    EXPECT_EQ(1, ends_);
    EXPECT_EQ(before.left, atEnd_.left);  // no slide
    EXPECT_EQ("<missing>", Stored("total days"));
    EXPECT_EQ("<missing>", Stored("total hours"));
    EXPECT_EQ("<missing>", Stored("total minutes"));
    EXPECT_EQ("", Stored("left ascii"));  // no decoration was saved in this run
    EXPECT_EQ("", Stored("right ascii"));
    EXPECT_EQ("\xAB(", Stored("left-ascii"));
}

TEST_F(MainWindowTest, AskingToExitTwiceSaysGoodbyeOnce) {
    Store(kStoredSettings);
    main_.Open();
    // A second "x" arrives during the pause between the two farewell lines.
    FakeClock clock(100.6f);
    clock.OnIdle([&] {
        if (clock.idles() == 1) PostMessageW(main_.hwnd(), WM_CLOSE, 0, 0);
    });
    clock.Install();

    main_.Exit(ExitKind::kMenu);

    EXPECT_EQ((Lines{kLoad, kUser, kUnload, kFarewell}), Room());
    EXPECT_EQ(1, ends_);
}

TEST_F(MainWindowTest, CollapseAndExpandKeepTheTopAndMoveTheLeftEdge) {
    main_.Open();
    SetWindowPos(main_.hwnd(), nullptr, 17, 23, 0, 0, SWP_NOSIZE | SWP_NOZORDER);

    Click(main_.hwnd(), kCollapseLabel);
    RECT r;
    GetWindowRect(main_.hwnd(), &r);
    EXPECT_TRUE(main_.collapsed());
    EXPECT_EQ(L" >", Text(main_.hwnd(), kCollapseLabel));
    EXPECT_EQ(TwipsX(1410), r.right - r.left);
    EXPECT_EQ(TwipsX(4965), r.left);
    EXPECT_EQ(23, r.top);
    EXPECT_EQ(TwipsY(270), r.bottom - r.top);

    SetWindowPos(main_.hwnd(), nullptr, 40, 23, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    Click(main_.hwnd(), kCollapseLabel);
    GetWindowRect(main_.hwnd(), &r);
    EXPECT_FALSE(main_.collapsed());
    EXPECT_EQ(L" <", Text(main_.hwnd(), kCollapseLabel));
    EXPECT_EQ(TwipsX(4965), r.left);
    EXPECT_EQ(23, r.top);
    EXPECT_EQ(TwipsX(2655), r.right - r.left);
    EXPECT_EQ(TwipsY(975), r.bottom - r.top);
}

TEST_F(MainWindowTest, CollapsedExitSlidesFromTheCollapsedWindow) {
    main_.Open();
    Click(main_.hwnd(), kCollapseLabel);

    Click(main_.hwnd(), kExitLabel);

    EXPECT_EQ(1, ends_);
    EXPECT_EQ(TwipsX(1410), atEnd_.right - atEnd_.left);
    EXPECT_GT(atEnd_.left, GetSystemMetrics(SM_CXSCREEN) - 1);
}

TEST_F(MainWindowTest, MinimiseLabelMinimisesAndLabelsCarryTheirCaptions) {
    main_.Open();
    EXPECT_EQ(L"opts", Text(main_.hwnd(), kOptsLabel));
    EXPECT_EQ(L"norq idle", Text(main_.hwnd(), kTitleLabel));
    EXPECT_EQ(L"0", Text(main_.hwnd(), kDaysLabel));
    EXPECT_EQ(L"x", Text(main_.hwnd(), kExitLabel));

    Click(main_.hwnd(), kMinimizeLabel);

    EXPECT_TRUE(IsIconic(main_.hwnd()));
    EXPECT_EQ(0, ends_);
}

TEST(FormOnTop, MakesAHiddenWindowTopmostWithoutShowingIt) {
    Settings settings;
    MainWindow main(settings, [] {});
    FormOnTop(main);  // creates the window on first use

    ASSERT_NE(nullptr, main.hwnd());
    EXPECT_FALSE(IsWindowVisible(main.hwnd()));
    EXPECT_TRUE(GetWindowLongW(main.hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);
}

TEST(AboutWindow, OpensTheMainWindowAfterItsPause) {
    FakeClock clock(100.2f);
    clock.Install();
    int opened = 0;
    AboutWindow about([&] { ++opened; });

    about.Run();

    EXPECT_EQ(1, opened);
    EXPECT_NEAR(3.8, clock.elapsed(), 1e-3);
    EXPECT_FALSE(IsWindowVisible(about.hwnd()));
    EXPECT_TRUE(GetWindowLongW(about.hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);
}

TEST(AboutWindow, AClickDuringThePauseOpensTheMainWindowOnceAtOnce) {
    FakeClock clock(100.0f);
    clock.SetIdleStep(0.5);
    int opened = 0;
    double openedAt = -1;
    AboutWindow about([&] {
        ++opened;
        openedAt = clock.elapsed();
    });
    // A click on the title, a second into the pause.
    clock.OnIdle([&] {
        if (clock.elapsed() == 1.0) PostMessageW(about.hwnd(), WM_LBUTTONDOWN, 0, MAKELPARAM(40, 40));
    });
    clock.Install();

    about.Run();

    EXPECT_EQ(1, opened);
    EXPECT_EQ(1.0, openedAt);
    EXPECT_EQ(4.0, clock.elapsed());  // the pause itself runs its course
    EXPECT_FALSE(IsWindowVisible(about.hwnd()));
}

TEST(AboutWindow, AClickOutsideItsLabelsDoesNothing) {
    FakeClock clock(100.0f);
    clock.SetIdleStep(0.5);
    double openedAt = -1;
    AboutWindow about([&] { openedAt = clock.elapsed(); });
    clock.OnIdle([&] {
        if (clock.elapsed() == 1.0) PostMessageW(about.hwnd(), WM_LBUTTONDOWN, 0, MAKELPARAM(1, 1));
    });
    clock.Install();

    about.Run();

    EXPECT_EQ(4.0, openedAt);
}
