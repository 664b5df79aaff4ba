// The player and its folder picker as the user meets them: chosen from the
// menu, driven with real clicks, playing for real, the lines' bytes as the
// host's room gets them.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/program.h"
#include "hostsim/hostsim.h"
#include "tests/support.h"
#include "ui/form_on_top.h"
#include "ui/text.h"

namespace {

// Clicks the middle of a list box's entry, once or twice.
void ClickEntry(HWND box, int index, int clicks = 1) {
    RECT r = {};
    SendMessageW(box, LB_GETITEMRECT, index, (LPARAM)&r);
    for (int i = 0; i < clicks; ++i) ClickAt(box, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

Lines Entries(HWND box) {
    Lines entries;
    for (int i = 0; i < SendMessageW(box, LB_GETCOUNT, 0, 0); ++i) {
        wchar_t text[MAX_PATH] = {};
        SendMessageW(box, LB_GETTEXT, i, (LPARAM)text);
        entries.push_back(Narrow(text));
    }
    return entries;
}

// A glyph button as the player draws it: a letter a pixel, x where it drew
// on the button's background, a line a row.
std::string Picture(HWND player, int id) {
    HWND button = GetDlgItem(player, id);
    RECT r = {};
    GetClientRect(button, &r);
    HDC screen = GetDC(nullptr), dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, r.right, r.bottom);
    HGDIOBJ old = SelectObject(dc, bitmap);
    DRAWITEMSTRUCT item = {ODT_STATIC, (UINT)id, 0, ODA_DRAWENTIRE, 0, button, dc, r, 0};
    SendMessageW(player, WM_DRAWITEM, id, (LPARAM)&item);
    std::string picture;
    for (int y = 0; y < r.bottom; ++y, picture += '\n')
        for (int x = 0; x < r.right; ++x)
            picture += GetPixel(dc, x, y) == GetSysColor(COLOR_HIGHLIGHT) ? '.' : 'x';
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return picture;
}

// The width of text in font on the screen, in pixels.
int Measured(HFONT font, const std::wstring& text) {
    HDC screen = GetDC(nullptr);
    const HGDIOBJ old = SelectObject(screen, font);
    SIZE size = {};
    GetTextExtentPoint32W(screen, text.c_str(), (int)text.size(), &size);
    SelectObject(screen, old);
    ReleaseDC(nullptr, screen);
    return size.cx;
}

}  // namespace

// Each button shows a picture of its own: from the face where it has the
// glyph, drawn where it does not, never a box the face gives for what it lacks.
TEST(PlayerWindow, DrawsEachGlyphButtonApart) {
    Settings settings;
    DirectShowMedia media;
    PlayerWindow player(settings, media, [] {}, [] {});
    const int buttons[] = {kPlayerPlay, kPlayerPause, kPlayerStop, kPlayerPrevious, kPlayerNext,
                           kPlayerFolder};
    std::vector<std::string> pictures;
    for (int id : buttons) {
        pictures.push_back(Picture(player.Handle(), id));
        EXPECT_GE(std::count(pictures.back().begin(), pictures.back().end(), 'x'), 12)
            << "button " << id << " is (nearly) blank:\n" << pictures.back();
        for (size_t i = 0; i + 1 < pictures.size(); ++i)
            EXPECT_NE(pictures[i], pictures.back())
                << "buttons " << buttons[i] << " and " << id << " look alike:\n" << pictures.back();
    }
}

// The title strips of the player and its folder picker, shown: the title's
// text, measured in the font its label draws it in (whatever face the system
// gives for the one asked for), fits the label, which ends before " -"; the
// rule under the strip runs under the title and stops where it does.
TEST(PlayerWindow, EachTitleFitsItsStripInWholeAndItsRuleStopsBeforeTheLabels) {
    Settings settings;
    DirectShowMedia media;
    PlayerWindow player(settings, media, [] {}, [] {});
    FolderPicker picker([](const std::string&) {}, [] {});
    const struct { Window& window; int title, minimize; } strips[] = {
        {player, kPlayerTitle, kPlayerMinimize}, {picker, kPickerTitle, kPickerMinimize}};
    for (const auto& strip : strips) {
        HWND window = strip.window.Handle(), title = GetDlgItem(window, strip.title);
        SCOPED_TRACE(TextOf(title));
        ShowOnTop(strip.window);
        UpdateWindow(window);
        auto place = [&](int id) {
            RECT r = {};
            GetWindowRect(GetDlgItem(window, id), &r);
            MapWindowPoints(nullptr, window, (POINT*)&r, 2);
            return r;
        };
        const RECT label = place(strip.title), minimize = place(strip.minimize);
        const int measured =
            Measured((HFONT)SendMessageW(title, WM_GETFONT, 0, 0), Widen(TextOf(title)));
        EXPECT_LE(measured, label.right - label.left);
        EXPECT_LT(label.right, minimize.left);

        // The row right under the strip, as the screen shows it: the rule.
        RECT client = {};
        GetClientRect(window, &client);
        HDC dc = GetDC(window);
        std::string rule;
        for (int x = 0; x < client.right; ++x)
            rule += GetPixel(dc, x, label.bottom) == GetSysColor(COLOR_HIGHLIGHTTEXT) ? '-' : '.';
        ReleaseDC(window, dc);
        EXPECT_EQ(std::string(label.right, '-') + std::string(client.right - label.right, '.'),
                  rule);
        ShowWindow(window, SW_HIDE);
    }

    // Where the face the system gives is too wide for the room, a size of it
    // that fits, and no smaller than it needs.
    const std::wstring title = L" norq idler v\u00B9 - mp3 player - by vonk";
    const int full = Measured(Font(L"Arial", 8).get(), title);
    EXPECT_EQ(full, Measured(Font::Fitting(L"Arial", 8, title.c_str(), full)->get(), title));
    const int room = full * 3 / 4;
    const int fitted = Measured(Font::Fitting(L"Arial", 8, title.c_str(), room)->get(), title);
    EXPECT_LE(fitted, room);
    EXPECT_GT(fitted, full * 3 / 5);
}

// A file that does not play is told in the title strip, with why, in the
// strip's one line: a name too long for it gives way at its end, not the
// reason; the entry below still shows it whole.
TEST(PlayerWindow, SaysInItsTitleWhyAFileDoesNotPlay) {
    OnTestDrive drive;
    ASSERT_TRUE(drive.ok());
    const std::string root = TestDrive() + "\\";
    const std::string longName = "a song whose name runs on past the end of the strip.wav";
    WriteFileBytes(root + "notes.txt", "not a sound");
    for (const std::string& name : {std::string("gone.wav"), longName})
        WriteToneWav(root + name, 440, 1);
    Settings settings;
    DirectShowMedia media;
    PlayerWindow player(settings, media, [] {}, [] {});
    player.ShowFolder(root);
    ShowOnTop(player);
    for (const std::string& name : {std::string("gone.wav"), longName})
        ASSERT_TRUE(DeleteFileA((root + name).c_str()));
    HWND title = GetDlgItem(player.hwnd(), kPlayerTitle);
    RECT label = {};
    GetClientRect(title, &label);

    // The name is shown whole, or cut: its start, then "...".
    enum { kWhole, kCut, kEither };
    const struct { int entry; std::string name, why; int shown; } cases[] = {
        {1, "gone.wav", "file gone", kWhole},
        {2, "notes.txt", "not an audio file", kEither},
        {0, longName, "file gone", kCut},
    };
    const std::string head = " cannot play: ";
    for (const auto& c : cases) {
        ClickEntry(GetDlgItem(player.hwnd(), kPlayerFiles), c.entry);
        player.commands().Play();
        const std::string notice = TextOf(title), tail = " (" + c.why + ")";
        SCOPED_TRACE(notice);
        EXPECT_LE(Measured((HFONT)SendMessageW(title, WM_GETFONT, 0, 0), Widen(notice)),
                  label.right);
        ASSERT_GT(notice.size(), head.size() + tail.size());
        EXPECT_EQ(head, notice.substr(0, head.size()));
        EXPECT_EQ(tail, notice.substr(notice.size() - tail.size()));
        const std::string name =
            notice.substr(head.size(), notice.size() - head.size() - tail.size());
        const size_t kept = name.size() > 3 ? name.size() - 3 : 0;
        const bool cut = name != c.name && kept > 0 && name == c.name.substr(0, kept) + "...";
        EXPECT_TRUE(name == c.name || cut) << name;
        if (c.shown != kEither) {
            EXPECT_EQ(c.shown == kCut, cut);
        }
    }
}

TEST(PlayerWindow, PlaysWhatIsClickedAnnouncesItAndTakesAFolderFromThePicker) {
    OnTestDrive drive(kAnnSettings);
    ASSERT_TRUE(drive.ok());
    const std::string root = TestDrive() + "\\";
    for (const char* name : {"b.wav", "A.wav", "hidden.wav"}) WriteToneWav(root + name, 440, 2);
    SetFileAttributesA((root + "hidden.wav").c_str(), FILE_ATTRIBUTE_HIDDEN);
    WriteFileBytes(root + "notes.txt", "not a sound");
    ASSERT_TRUE(CreateDirectoryA((root + "music").c_str(), nullptr));
    WriteToneWav(root + "music\\x.wav", 440, 2);
    ASSERT_TRUE(CopyFileW(L"music\\x.wav", L"music\\t\u00F6n \u2603.wav", FALSE));
    hostsim::Host host;
    host.OpenRoom("Lobby");
    Program program([] {});
    program.OpenMain();
    Media& media = program.media();

    program.menu().Run(CommandMenu::CommandOf("mp3player"));
    HWND player = program.player().hwnd(), files = GetDlgItem(player, kPlayerFiles);
    ASSERT_TRUE(IsWindowVisible(player));
    EXPECT_FALSE(IsWindowVisible(program.main().hwnd()));
    EXPECT_TRUE(GetWindowLongW(player, GWL_EXSTYLE) & WS_EX_TOPMOST);
    // The program's current folder, its hidden file left out, case aside.
    EXPECT_EQ((Lines{"A.wav", "b.wav", "norqidle.ini", "notes.txt"}), Entries(files));

    ClickEntry(files, 1);  // selects, plays nothing
    ClickEntry(files, 0, 2);
    EXPECT_EQ(Playback::kPlaying, media.PlayState());
    ClickOn(GetDlgItem(player, kPlayerPause));
    EXPECT_EQ(Playback::kPaused, media.PlayState());

    // The picker: into "music" by a double-click, then "ok".
    ClickOn(GetDlgItem(player, kPlayerFolder));
    HWND picker = program.picker().hwnd(), folders = GetDlgItem(picker, kPickerFolders);
    ASSERT_TRUE(IsWindowVisible(picker));
    EXPECT_FALSE(IsWindowVisible(player));
    ASSERT_EQ((Lines{TestDrive() + "\\", "  music"}), Entries(folders));
    ClickEntry(folders, 1, 2);
    ClickOn(GetDlgItem(picker, kPickerOk));
    EXPECT_TRUE(IsWindowVisible(player));
    EXPECT_FALSE(IsWindowVisible(picker));
    EXPECT_EQ((Lines{"t\xC3\xB6n \xE2\x98\x83.wav", "x.wav"}), Entries(files));
    EXPECT_EQ(-1, program.player().files().selected());
    EXPECT_EQ(Playback::kPaused, media.PlayState());  // the folder change left playback alone
    EXPECT_EQ(root, Narrow(CurrentFolder())) << "the picker moved the program's current folder";

    for (int control : {kPlayerStop, kPlayerPause, kPlayerStop, kPlayerNext})
        ClickOn(GetDlgItem(player, control));
    EXPECT_EQ(Playback::kPlaying, media.PlayState());  // a name outside the code page plays

    EXPECT_EQ((Lines{PlayerSaid(" is now playing: ", "A.wav"), PlayerSaid(" - paused: ", "A.wav"),
                     PlayerSaid(" - unpaused: ", ""), PlayerSaid(" - stopped: ", ""),
                     PlayerSaid(" - playing: ", "t\xF6n ?.wav")}), AfterStartUp(host));

    ClickOn(GetDlgItem(player, kPlayerHide));
    EXPECT_FALSE(IsWindowVisible(player));
    EXPECT_TRUE(IsWindowVisible(program.main().hwnd()));
}

// The real program with no sound server to be had: nothing plays, so nothing
// is announced; the title strip says so for a moment, with no box.
// A run of its own (tests/CMakeLists.txt) points the sound client nowhere:
// Wine reads that from the Unix environment, which a process cannot change
// for its children.
TEST(NoSoundServer, TheProgramsPlayerAnnouncesNothingAndSaysSoInItsTitle) {
    ASSERT_EQ("unix:/nonexistent/native", Env("PULSE_SERVER")) << "run by its own test entry";
    OnTestDrive drive(kAnnSettings);
    ASSERT_TRUE(drive.ok());
    WriteToneWav(TestDrive() + "\\a.wav", 440, 2);
    hostsim::Host host;
    host.OpenRoom("Lobby");
    ChildProcess program("norqidle.exe", "", TestDrive() + "\\");
    HWND main = nullptr, player = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (main = program.Window(L"norq idle main")); }, 20000));

    // "mp3 player", from the real menu: down to "misc", into it, one down.
    ClickOn(GetDlgItem(main, kOptsLabel));
    ASSERT_TRUE(PumpUntil([&] { return program.Window(L"#32768") != nullptr; }));
    for (int i = 0; i < 8; ++i) Key(VK_DOWN);
    for (WORD vk : {VK_RIGHT, VK_DOWN, VK_RETURN}) Key(vk);
    ASSERT_TRUE(PumpUntil([&] { return (player = program.Window(L"norq idle player")); }));
    HWND title = GetDlgItem(player, kPlayerTitle);
    const std::string caption = TextOf(title);
    ClickEntry(GetDlgItem(player, kPlayerFiles), 0, 2);  // a.wav
    for (int control : {kPlayerPause, kPlayerStop, kPlayerPlay})
        ClickOn(GetDlgItem(player, control));

    EXPECT_TRUE(PumpUntil([&] { return TextOf(title) == " cannot play: a.wav (no sound device)"; },
                          5000))
        << TextOf(title);
    EXPECT_TRUE(PumpUntil([&] { return TextOf(title) == caption; }, 10000)) << TextOf(title);
    EXPECT_EQ(Lines{}, AfterStartUp(host));
    EXPECT_TRUE(program.Running());
    EXPECT_EQ(nullptr, program.Window(L"#32770"));
}

TEST(FolderPicker, StartsInTheCurrentFolderAndStaysPutOnWhatCannotBeRead) {
    OnTestDrive drive;
    ASSERT_TRUE(drive.ok());
    const std::string root = TestDrive() + "\\";
    ASSERT_TRUE(CreateDirectoryA((root + "gone").c_str(), nullptr));
    std::string chosen;
    FolderPicker picker([&](const std::string& folder) { chosen = folder; }, [] {});
    // "ok" without a move hands over where the list started: the current folder.
    SendMessageW(picker.Handle(), WM_COMMAND, MAKEWPARAM(kPickerOk, STN_CLICKED), 0);
    EXPECT_EQ(root, chosen);
    // A folder deleted since it was listed: the list stays where it was.
    ASSERT_TRUE(RemoveDirectoryA((root + "gone").c_str()));
    EXPECT_FALSE(picker.OpenFolder(Widen(root + "gone")));
    EXPECT_EQ(root, picker.folder());
    // Another drive: its root; the program's current folder stays.
    HWND drives = GetDlgItem(picker.hwnd(), kPickerDrives);
    SendMessageW(drives, CB_SETCURSEL, SendMessageW(drives, CB_FINDSTRING, -1, (LPARAM)L"z:"), 0);
    SendMessageW(picker.hwnd(), WM_COMMAND, MAKEWPARAM(kPickerDrives, CBN_SELCHANGE), (LPARAM)drives);
    EXPECT_EQ("z:\\", picker.folder());
    EXPECT_EQ(root, Narrow(CurrentFolder()));

    // A current folder deleted under the program (which no Windows allows
    // while it is current, but the Unix side does): its drive's root.
    EXPECT_EQ(Widen(root), StartFolder(Widen(root + "gone")));
    EXPECT_EQ(Widen(root), StartFolder(Widen(root)));
}
