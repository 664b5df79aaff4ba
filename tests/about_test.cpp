// The about box as the user meets it, and the advertising lines as their
// bytes arrive in hostsim's room.
#include <gtest/gtest.h>

#include "hostsim/hostsim.h"
#include "settings/about.h"
#include "tests/support.h"
#include "ui/font.h"
#include "ui/text.h"

namespace {

class PlainWindow : public Window {
protected:
    void Create() override { CreateAs(L"norq about test", 0, WS_POPUP, L"main", {0, 0, 60, 40}); }
};

// The advertising pair between decorations l and r, in the code page's bytes.
std::vector<std::string> Advert(const std::string& l, const std::string& handle,
                                const std::string& r) {
    return {l + " norq " + Marked("i<u>d</u>ler") + " v\xB9\xB7\xBA -  by: vo<u>n</u>k " + r,
            l + " adv: < a href=\"http://www.example.com/norqidle/\">d/L</a> -  user: " +
                Marked(handle) + " " + r};
}

}  // namespace

TEST(About, ShowsTheTextInABoxTitledWithTheProgramWithOnlyAnOkButton) {
    const std::string text = kAboutText;
    HWND owner = CreateWindowW(L"STATIC", L"", WS_POPUP, 0, 0, 9, 9, 0, 0, 0, 0);

    const SeenBox box = AnswerBoxes([&] { ShowAbout(owner); });

    EXPECT_EQ("norq idle / " + text + " / OK|", box.Shown());  // no icon
    EXPECT_EQ(owner, box.owner);
    DestroyWindow(owner);
}

// The version as the about window, the main window's caption and the menu's
// title show it: every digit and dot raised, zero as the ordinal sign of the
// chat lines' "v¹·º".
TEST(VersionMark, RaisesEveryDigitAndDotAndLeavesTheRest) {
    const std::pair<const char*, const char*> kCases[] = {
        {"1.0", "\u00B9\u00B7\u00BA"},
        {"2.13.0", "\u00B2\u00B7\u00B9\u00B3\u00B7\u00BA"},
        {"4.56789", "\u2074\u00B7\u2075\u2076\u2077\u2078\u2079"},
        {"1.1-rc", "\u00B9\u00B7\u00B9-rc"},
        {"", ""},
    };
    for (const auto& [version, mark] : kCases) EXPECT_EQ(mark, VersionMark(version)) << version;
}

TEST(Advertise, PutsTheMainWindowOnTopAndPostsBothLinesIntoTheRoom) {
    const struct {
        bool room;
        const char *handle, *left, *right;
        std::vector<std::string> lines;  // their bytes, in the code page
    } kCases[] = {
        {true, "", "", "", Advert("", "", "")},
        {true, "norqfan", "\u00AB(", ")\u00BB", Advert("\xAB(", "norqfan", ")\xBB")},
        {false, "norqfan", "", "", {}},  // without a room it is still put on top
    };
    FakeClock clock(100.5f);
    clock.Install();
    for (const auto& c : kCases) {
        hostsim::Host host;
        if (c.room) host.OpenRoom("Lobby");
        Settings settings;
        settings.handle = c.handle;
        settings.leftAscii = c.left;
        settings.rightAscii = c.right;
        PlainWindow main;
        ASSERT_FALSE(GetWindowLongW(main.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
        Advertise(settings, main);
        ASSERT_TRUE(RunHostSteps());
        EXPECT_EQ(c.lines, host.ChatLines("Lobby"));
        EXPECT_TRUE(GetWindowLongW(main.hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    }
}

// A face asked for where it is missing (Wine has no Courier New) gets a
// stand-in of its own pitch.
TEST(Font, EveryFaceKeepsItsPitchWhereverItComesFrom) {
    const struct { const wchar_t* face; bool fixed; } kFaces[] = {
        {L"Courier New", true}, {L"Fixedsys", true}, {L"Arial", false},
        {L"MS Sans Serif", false}, {L"Kristen ITC", false}};
    HDC dc = GetDC(nullptr);
    for (const auto& f : kFaces) {
        Font font(f.face, 8, true);
        HGDIOBJ old = SelectObject(dc, font.get());
        TEXTMETRICW metrics;
        GetTextMetricsW(dc, &metrics);
        SelectObject(dc, old);
        // The flag, despite its name, marks a variable pitch.
        EXPECT_EQ(f.fixed, !(metrics.tmPitchAndFamily & TMPF_FIXED_PITCH)) << Narrow(f.face);
    }
    ReleaseDC(nullptr, dc);
}
