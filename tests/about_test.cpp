// The about box as the user meets it, and the advertising lines as their
// bytes arrive in hostsim's room.
#include <gtest/gtest.h>

#include "hostsim/hostsim.h"
#include "settings/about.h"
#include "tests/support.h"
#include "ui/text.h"

namespace {

// What the box of this thread showed while it was up: its owner, title and
// text, its visible buttons' captions ("|" after each), and any icon.
struct {
    HWND owner;
    std::string title, text, buttons;
    bool icon;
} g_box;

std::string TextOf(HWND window) {
    wchar_t text[2000] = {};
    GetWindowTextW(window, text, 2000);
    return Narrow(text);
}

// Runs in the box's own loop: once the box is up, reads it and presses OK.
void CALLBACK ReadThenPressOk(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND box = FindWindowExW(nullptr, nullptr, L"#32770", nullptr);
    while (box && GetWindowThreadProcessId(box, nullptr) != GetCurrentThreadId())
        box = FindWindowExW(nullptr, box, L"#32770", nullptr);
    if (!box || !IsWindowVisible(box)) return;
    KillTimer(nullptr, timer);
    g_box = {GetWindow(box, GW_OWNER), TextOf(box), TextOf(GetDlgItem(box, 0xFFFF)), "", false};
    for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        wchar_t kind[16] = {};
        GetClassNameW(c, kind, 16);
        if (!IsWindowVisible(c)) continue;
        if (!_wcsicmp(kind, L"Button")) g_box.buttons += TextOf(c) + "|";
        if ((GetWindowLongW(c, GWL_STYLE) & SS_TYPEMASK) == SS_ICON && !_wcsicmp(kind, L"Static"))
            g_box.icon |= SendMessageW(c, STM_GETICON, 0, 0) != 0;
    }
    HWND ok = FindWindowExW(box, nullptr, L"Button", L"OK");
    SendMessageW(ok, WM_KEYDOWN, VK_SPACE, 0);
    SendMessageW(ok, WM_KEYUP, VK_SPACE, 0);
}

class PlainWindow : public Window {
protected:
    void Create() override { CreateAs(L"norq about test", 0, WS_POPUP, L"main", {0, 0, 60, 40}); }
};

bool Topmost(HWND window) { return GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST; }

Settings Decorated(const char* handle, const char* left, const char* right) {
    Settings settings;
    settings.handle = handle;
    settings.leftAscii = left;
    settings.rightAscii = right;
    return settings;
}

}  // namespace

TEST(About, TextIsOneLowerCaseParagraphOfTheGivenLength) {
    const std::string text = kAboutText;
    EXPECT_EQ(787u, text.size());
    EXPECT_EQ(std::string::npos, text.find_first_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ\r\n\t"));
    EXPECT_NE(std::string::npos, text.find("contact"));  // where questions go
}

TEST(About, ShowsTheTextInABoxTitledWithTheProgramWithOnlyAnOkButton) {
    HWND owner = CreateWindowW(L"STATIC", L"owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                               nullptr, nullptr);
    for (int time = 1; time <= 2; ++time) {  // twice in turn, the same box each time
        g_box = {};
        const UINT_PTR timer = SetTimer(nullptr, 0, 20, ReadThenPressOk);
        ShowAbout(owner);
        KillTimer(nullptr, timer);
        ASSERT_EQ(owner, g_box.owner) << "no box seen, time " << time;
        EXPECT_EQ("norq idle", g_box.title);
        EXPECT_EQ(kAboutText, g_box.text);
        EXPECT_EQ("OK|", g_box.buttons);
        EXPECT_FALSE(g_box.icon);
    }
    DestroyWindow(owner);
}

TEST(Advertise, PostsBothLinesIntoTheRoomAndPutsTheMainWindowOnTop) {
    const struct {
        Settings settings;
        std::vector<std::string> expected;
    } kCases[] = {
        {Decorated("", "", ""),
         {" norq < font . color=#0099FF>i<u>d</u>ler< font . color=#000000> v\xB9\xB7\xBA -  by: "
          "vo<u>n</u>k ",
          " adv: < a href=\"http://www.example.com/norqidle/\">d/L</a> -  user: "
          "< font . color=#0099FF>< font . color=#000000> "}},
        {Decorated("norqfan", "\u00AB(", ")\u00BB"),
         {"\xAB( norq < font . color=#0099FF>i<u>d</u>ler< font . color=#000000> v\xB9\xB7\xBA -  "
          "by: vo<u>n</u>k )\xBB",
          "\xAB( adv: < a href=\"http://www.example.com/norqidle/\">d/L</a> -  user: "
          "< font . color=#0099FF>norqfan< font . color=#000000> )\xBB"}},
    };
    for (const auto& c : kCases) {
        hostsim::Host host;
        host.OpenRoom("Lobby");
        PlainWindow main;
        ASSERT_FALSE(Topmost(main.Handle()));
        Advertise(c.settings, main);
        EXPECT_EQ(c.expected, host.ChatLines("Lobby"));
        EXPECT_TRUE(Topmost(main.hwnd()));
    }
}

TEST(Advertise, WithoutARoomPostsNothingButStillPutsTheMainWindowOnTop) {
    hostsim::Host host;
    host.ClearLog();
    PlainWindow main;
    ASSERT_FALSE(Topmost(main.Handle()));
    Advertise(Decorated("norqfan", "", ""), main);
    EXPECT_EQ("", hostsim::Describe(hostsim::Inputs(host.Log())));
    EXPECT_TRUE(Topmost(main.hwnd()));
}
