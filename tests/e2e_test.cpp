// The program as the user runs it: the real norqidle.exe in a process of its
// own beside the host, its settings file in the root of its current drive,
// driven with real input (keys and clicks) through its windows and its real
// popup menu, its lines crossing into the host's room, and its end through
// the "x".
#include <gtest/gtest.h>
#include <windows.h>
#include <winver.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <optional>
#include <set>

#include "hostsim/hostsim.h"
#include "idler/idle_clock.h"
#include "idler/main_window.h"
#include "roombust/room_buster.h"
#include "settings/about.h"
#include "settings/store.h"
#include "tests/support.h"
#include "ui/text.h"

namespace {

// The program's lines as the room gets them, between decorations l and r:
// the banner and what it says, and the author and the user.
std::string Said(const std::string& l, const std::string& what, const std::string& r) {
    return l + " norq " + Marked("i<u>d</u>ler") + " v\xB9\xB7\xBA " + what + " " + r;
}
std::string ByUser(const std::string& l, const char* gap, const std::string& handle,
                   const std::string& r) {
    return l + " by: vo<u>n</u>k" + gap + "-  user: " + Marked(handle) + " " + r;
}

// Each "key=value" of the settings file's section, as the file holds it.
std::set<std::string> ReadSection(const std::string& file) {
    char all[4096] = {};
    DWORD n = GetPrivateProfileSectionA(kSettingsSection, all, sizeof all, file.c_str());
    std::set<std::string> lines;
    for (const char* line = all; line < all + n; line += std::strlen(line) + 1) lines.insert(line);
    return lines;
}

class EndToEnd : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(drive_.ok()) << "run through wine-run.sh"; }

    // Starts norqidle.exe in the root of the test's drive with these settings
    // (none: no file), waits for its main window (the about window alone
    // holds it back four seconds; a cold Wine adds a few more), runs
    // meanwhile, clicks its "x" (a press and a release), and expects a clean,
    // quiet end.
    void RunUntilTheX(const char* settings, std::function<void(HWND main)> meanwhile = {}) {
        if (settings) WriteFileBytes(drive_.SettingsPath(), settings);
        program_.emplace("norqidle.exe", "", TestDrive() + "\\");
        ASSERT_TRUE(program_->started());
        // Pumps until done() holds or ms have passed, noting any message box on
        // the desktop (the program's own, or a crash report) seen on the way: a
        // box that comes and goes between two looks would hide a fault.
        bool boxSeen = false;
        auto watchUntil = [&](auto done, DWORD ms) {
            return PumpUntil([&] {
                for (HWND w = nullptr; (w = FindWindowExA(nullptr, w, "#32770", nullptr));)
                    boxSeen = boxSeen || IsWindowVisible(w);
                return done();
            }, ms);
        };
        HWND main = nullptr;
        ASSERT_TRUE(watchUntil([&] { return (main = program_->Window(L"norq idle main")); }, 20000))
            << (program_->Running() ? "no main window" : "the program ended by itself");
        if (meanwhile) meanwhile(main);
        PostMessageW(GetDlgItem(main, kExitLabel), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
        PostMessageW(GetDlgItem(main, kExitLabel), WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
        ASSERT_TRUE(watchUntil([&] { return !program_->Running(); }, 15000))
            << (boxSeen ? "a message box came up" : "still running");
        EXPECT_EQ(0u, program_->ExitCode());
        EXPECT_FALSE(boxSeen);
    }

    // Opens the "opts" menu with a real click and walks it with these keys.
    // Chooses an entry of the command menu by its texts ("misc > mp3 player").
    void FromTheMenu(HWND main, const std::string& path) {
        const std::vector<WORD> keys = MenuKeys(path);
        ASSERT_FALSE(keys.empty()) << "no keys in menu-keys.txt for " << path;
        ClickOn(GetDlgItem(main, kOptsLabel));
        ASSERT_TRUE(PumpUntil([&] { return program_->Window(L"#32768") != nullptr; }));
        for (WORD vk : keys) Key(vk);
    }

    OnTestDrive drive_;  // its root current, with no settings file before or after
    std::optional<ChildProcess> program_;
};

}  // namespace

TEST_F(EndToEnd, AnnouncesInTheRoomAndSaysGoodbyeOnAReleaseOverTheExitLabelOnly) {
    hostsim::Host host;
    host.OpenRoom("Lobby");
    // Decorations outside 7-bit ASCII ("«~" and "~»" in code page 1252), so
    // both the settings file and the room see the code page's single bytes.
    // Labels act as buttons do: a press on "x" taken off it before the
    // release ends nothing (no farewell below), and " -" minimises. A second
    // copy, started while the first runs minimised, brings the first back and
    // ends without a line of its own.
    ASSERT_NO_FATAL_FAILURE(RunUntilTheX(
        "[norq idle]\r\nhandle=Sleepy Ann\r\nleft-ascii=\xAB~\r\nright-ascii=~\xBB\r\n"
        "reason=out for lunch\r\ntotal days=3\r\ntotal hours=7\r\ntotal minutes=42\r\n",
        [](HWND main) {
        RECT x;
        GetWindowRect(GetDlgItem(main, kExitLabel), &x);
        Mouse(0, x.left + 2, x.top + 2);
        Mouse(MOUSEEVENTF_LEFTDOWN, x.left + 2, x.top + 2);
        Mouse(0, x.left + 2, x.top + 80);  // below the window
        Mouse(MOUSEEVENTF_LEFTUP, x.left + 2, x.top + 80);
        ClickOn(GetDlgItem(main, kMinimizeLabel));
        ASSERT_TRUE(PumpUntil([&] { return IsIconic(main); }));
        ChildProcess second("norqidle.exe", "", TestDrive() + "\\");
        EXPECT_TRUE(second.WaitForEnd(10000));
        EXPECT_EQ(0u, second.ExitCode());
        EXPECT_FALSE(IsIconic(main));
        EXPECT_EQ(main, GetForegroundWindow());
    }));

    // The start-up pair, then the farewell pair; nothing between, nothing after.
    const std::string l = "\xAB~", r = "~\xBB";
    EXPECT_EQ((Lines{Said(l, "-  inL<u>o</u>ad", r), ByUser(l, "  ", "Sleepy Ann", r),
                     Said(l, "-  u<u>n</u>Load", r), ByUser(l, " ", "Sleepy Ann", r)}),
              host.ChatLines("Lobby"));
    // The decorations in use go under the keys with a blank, the totals as
    // they were loaded; the keys the decorations load from stay as they were.
    EXPECT_EQ((std::set<std::string>{"handle=Sleepy Ann", "left-ascii=\xAB~", "right-ascii=~\xBB",
                       "reason=out for lunch", "total days=3", "total hours=7",
                       "total minutes=42", "left ascii=\xAB~", "right ascii=~\xBB"}),
              ReadSection(drive_.SettingsPath()));
}

// A newcomer's first start, with no settings file.
TEST_F(EndToEnd, FirstStartAnnouncesAsksForTheHandleOnTopWithTheKeyboardAndIdlesFromTheMenu) {
    hostsim::Host host;
    host.OpenRoom("Lobby");
    auto room = [&] { return host.ChatLines("Lobby"); };
    ASSERT_NO_FATAL_FAILURE(RunUntilTheX(nullptr, [&](HWND main) {
        ASSERT_TRUE(PumpUntil([&] { return room().size() >= 2; }));
        EXPECT_EQ((Lines{Said("", "-  inL<u>o</u>ad", ""), ByUser("", "  ", "", "")}), room());

        // The handle dialog stands right above the main window, is the
        // active window, and takes what is typed in its edit field: Enter
        // saves it.
        HWND handle = nullptr;
        ASSERT_TRUE(PumpUntil([&] { return (handle = program_->Window(L"norq idle settings")); }));
        EXPECT_TRUE(PumpUntil(
            [&] { return GetForegroundWindow() == handle && IsWindowVisible(main); }, 3000));
        HWND below = handle;
        while (below && below != main) below = GetWindow(below, GW_HWNDNEXT);
        EXPECT_EQ(main, below);
        Type("Ann");
        Key(VK_RETURN);
        ASSERT_TRUE(PumpUntil([&] { return !IsWindowVisible(handle); }));

        // "idler on": down to "idler opts", into it, choose; then a tick, as
        // the minute's timer gives it.
        FromTheMenu(main, "idler opts > idler on");
        ASSERT_TRUE(PumpUntil([&] { return room().size() >= 3; }));
        // The tick's timer is on the idle clock's window, of messages only.
        HWND clock = nullptr;
        DWORD process = 0;
        while ((clock = FindWindowExW(HWND_MESSAGE, clock, kIdleClockClass, nullptr)) &&
               (GetWindowThreadProcessId(clock, &process), process != program_->id())) {}
        ASSERT_NE(nullptr, clock);
        PostMessageW(clock, WM_TIMER, kIdleTickTimer, 0);
        ASSERT_TRUE(PumpUntil([&] { return room().size() >= 5; }));
        const Lines lines = room();
        const std::string idled = "0" + Marked("d") + "/0" + Marked("h") + "/1" + Marked("m");
        EXPECT_EQ((Lines{Said("", "-  " + Marked("Ann") + " started idle.", ""),
                         Said("", "\x96  vonk ( " + idled + " )", ""), " re:  "}),
                  Lines(lines.begin() + 2, lines.end()));
    }));
}

// The room buster from the real menu, a room name typed in, "start".
TEST_F(EndToEnd, TheRoomBusterChosenFromTheMenuGetsIntoAFullRoomTypedInByTheUser) {
    hostsim::Host host;
    host.OpenRoom("Lobby");
    host.MakeRoomFull("Crowded", 2);
    host.SetAnswerDelay(0);  // the room opens within the attempt that gets in
    ASSERT_NO_FATAL_FAILURE(RunUntilTheX(kAnnSettings, [&](HWND main) {
        FromTheMenu(main, "misc > chat > room buster");
        HWND buster = nullptr;
        ASSERT_TRUE(PumpUntil([&] { return (buster = program_->Window(L"norq room buster")); }));
        // The buster shows first, then the main window hides.
        EXPECT_TRUE(PumpUntil([&] { return !IsWindowVisible(main); }));
        EXPECT_TRUE(GetWindowLongW(buster, GWL_EXSTYLE) & WS_EX_TOPMOST);

        ClickAt(GetDlgItem(buster, kBusterRoom), 10, 10);
        Type("Crowded");
        ClickOn(GetDlgItem(buster, kBusterStart));
        // Two pauses of three seconds, then three attempts, two refused (the
        // start's lines and pauses are checked exactly in-process).
        ASSERT_TRUE(PumpUntil([&] { return host.ChatLines("Crowded").size() == 1; }, 15000));
        EXPECT_EQ("( " + Marked("ann") + " busted into " + Marked(" Crowded") + " )",
                  host.ChatLines("Crowded")[0]);
        EXPECT_EQ(BoxPresses(2), hostsim::Describe(hostsim::Of(host.Log(), "box")));

        // "x": the main window comes back on top.
        ClickOn(GetDlgItem(buster, kBusterClose));
        EXPECT_TRUE(PumpUntil([&] { return IsWindowVisible(main) && !IsWindowVisible(buster); }));
        EXPECT_TRUE(GetWindowLongW(main, GWL_EXSTYLE) & WS_EX_TOPMOST);
    }));
}

TEST_F(EndToEnd, WithoutAHostStartsAndEndsQuietly) {
    ASSERT_EQ(nullptr, FindWindowA("AOL Frame25", nullptr)) << "a host runs on this desktop";
    ASSERT_NO_FATAL_FAILURE(RunUntilTheX(
        "[norq idle]\r\nhandle=Night Owl\r\nleft-ascii=<<\r\nright-ascii=>>\r\nreason=asleep\r\n"));

    // The exit still saves (what it writes is checked above).
    EXPECT_EQ(1u, ReadSection(drive_.SettingsPath()).count("left ascii=<<"));
}

// What Explorer's Properties, Task Manager and antivirus software read: the
// version resource, looked up as they look it up, through the translation
// it names. Its version is the one this build was made from.
TEST(Program, CarriesItsNameVersionAndAuthorForExplorer) {
    const std::wstring exe = Widen(BesideTests("norqidle.exe"));
    DWORD unused = 0;
    std::vector<char> info(GetFileVersionInfoSizeW(exe.c_str(), &unused));
    ASSERT_FALSE(info.empty()) << "no version resource";
    ASSERT_TRUE(GetFileVersionInfoW(exe.c_str(), 0, (DWORD)info.size(), info.data()));

    // "1.0" is 1.0.0.0 in the numbers.
    const std::string version = kProgramVersion;
    unsigned v[4] = {};
    ASSERT_LE(2, std::sscanf(version.c_str(), "%u.%u.%u.%u", &v[0], &v[1], &v[2], &v[3]));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT size = 0;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", (void**)&fixed, &size));
    for (DWORD high : {fixed->dwFileVersionMS, fixed->dwProductVersionMS})
        EXPECT_EQ(MAKELONG(v[1], v[0]), high);
    for (DWORD low : {fixed->dwFileVersionLS, fixed->dwProductVersionLS})
        EXPECT_EQ(MAKELONG(v[3], v[2]), low);

    // The strings live under the one translation the resource names; under
    // any other block name Explorer shows none of them.
    const WORD* translation = nullptr;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation", (void**)&translation,
                               &size));
    ASSERT_EQ(4u, size);
    wchar_t block[40];
    swprintf(block, 40, L"\\StringFileInfo\\%04X%04X\\", translation[0], translation[1]);
    const auto value = [&](const wchar_t* name) -> std::string {
        wchar_t* text = nullptr;
        UINT length = 0;
        if (!VerQueryValueW(info.data(), (block + std::wstring(name)).c_str(), (void**)&text,
                            &length))
            return "(none)";
        return Narrow(text);
    };
    EXPECT_EQ("norq idle", value(L"ProductName"));
    EXPECT_EQ(version, value(L"ProductVersion"));
    EXPECT_EQ(version, value(L"FileVersion"));
}

TEST(Program, CarriesAManifestTheLoaderTakes) {
    const std::string exe = BesideTests("norqidle.exe");
    HMODULE module = LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    ASSERT_NE(nullptr, found);
    const std::string xml((const char*)LockResource(LoadResource(module, found)),
                          SizeofResource(module, found));
    FreeLibrary(module);
    // Visual styles, no elevation, system DPI awareness, Vista to 11.
    for (const char* part : {"\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"",
                             "level=\"asInvoker\"", ">true</dpiAware>"})
        EXPECT_NE(std::string::npos, xml.find(part)) << part;
    size_t systems = 0;
    for (size_t at = 0; (at = xml.find("<supportedOS ", at)) != std::string::npos; ++at) ++systems;
    EXPECT_EQ(5u, systems);
    // A manifest the loader cannot read keeps the program from starting at all.
    ACTCTXA context = {};
    context.cbSize = sizeof context;
    context.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
    context.lpSource = exe.c_str();
    context.lpResourceName = MAKEINTRESOURCEA(1);
    HANDLE activation = CreateActCtxA(&context);
    EXPECT_NE(INVALID_HANDLE_VALUE, activation);
    ReleaseActCtx(activation);
}
