// The program as the user runs it: the real norqidle.exe in a process of its
// own beside the host, its settings file in the root of its current drive,
// its lines crossing into the host's room, and its end through the "x".
#include <gtest/gtest.h>

#include <windows.h>

#include <set>
#include <string>
#include <vector>

#include "hostsim/hostsim.h"
#include "idler/main_window.h"
#include "tests/support.h"

using hostsim::Host;

namespace {

constexpr wchar_t kMainClass[] = L"norq idle main";
constexpr char kSection[] = "norq idle";

// The about window alone holds the start-up back four seconds; a cold Wine
// adds a few more.
constexpr DWORD kStartBoundMs = 20000;
constexpr DWORD kExitBoundMs = 15000;

// Decorations outside 7-bit ASCII ("«~" and "~»" in code page 1252), so both
// the settings file and the room see the code page's single bytes.
const char kSettings[] =
    "[norq idle]\r\n"
    "handle=Sleepy Ann\r\n"
    "left-ascii=\xAB~\r\n"
    "right-ascii=~\xBB\r\n"
    "reason=out for lunch\r\n"
    "total days=3\r\n"
    "total hours=7\r\n"
    "total minutes=42\r\n";

/* start-up with the settings above */
const std::vector<std::string> kStartLines = {
    "\xAB~ norq < font . color=#0099FF>i<u>d</u>ler< font . color=#000000> v\xB9\xB7\xBA"
    " -  inL<u>o</u>ad ~\xBB",
    "\xAB~ by: vo<u>n</u>k  -  user: < font . color=#0099FF>Sleepy Ann"
    "< font . color=#000000> ~\xBB",
};

/* then a click on the "x" */
const std::vector<std::string> kExitLines = {
    "\xAB~ norq < font . color=#0099FF>i<u>d</u>ler< font . color=#000000> v\xB9\xB7\xBA"
    " -  u<u>n</u>Load ~\xBB",
    "\xAB~ by: vo<u>n</u>k -  user: < font . color=#0099FF>Sleepy Ann"
    "< font . color=#000000> ~\xBB",
};

// One line of text per chat line, so a mismatch shows as a line-by-line diff.
std::string Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\n";
    return text;
}

// norqidle.exe started in a folder of the test's choosing. A test that fails
// half-way must not leave it running on the desktop, where the next test
// would find its windows: whatever still runs at the end is terminated.
class Program {
public:
    Program(const std::string& path, const std::string& directory) {
        std::string commandLine = "\"" + path + "\"";
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        started_ = CreateProcessA(path.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0,
                                  nullptr, directory.c_str(), &startup, &info_) != FALSE;
    }

    ~Program() {
        if (!started_) return;
        if (!Exited()) {
            TerminateProcess(info_.hProcess, 1);
            WaitForSingleObject(info_.hProcess, 5000);
        }
        CloseHandle(info_.hThread);
        CloseHandle(info_.hProcess);
    }

    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    bool started() const { return started_; }
    bool Exited() const { return WaitForSingleObject(info_.hProcess, 0) == WAIT_OBJECT_0; }

    DWORD ExitCode() const {
        DWORD code = STILL_ACTIVE;
        GetExitCodeProcess(info_.hProcess, &code);
        return code;
    }

    // The program's main window, once it is shown.
    HWND MainWindow() const {
        for (HWND w = FindWindowW(kMainClass, nullptr); w;
             w = FindWindowExW(nullptr, w, kMainClass, nullptr)) {
            DWORD owner = 0;
            GetWindowThreadProcessId(w, &owner);
            if (owner == info_.dwProcessId && IsWindowVisible(w)) return w;
        }
        return nullptr;
    }

private:
    PROCESS_INFORMATION info_ = {};
    bool started_ = false;
};

// Any message box on the desktop: the program's own, or a crash report.
bool DialogOnScreen() {
    for (HWND w = FindWindowA("#32770", nullptr); w;
         w = FindWindowExA(nullptr, w, "#32770", nullptr))
        if (IsWindowVisible(w)) return true;
    return false;
}

// Pumps until done() holds or ms have passed, noting any message box seen on
// the way (a box that comes and goes between two looks would hide a fault).
template <class Done>
bool WatchUntil(Done done, DWORD ms, bool& dialogSeen) {
    return PumpUntil(
        [&] {
            dialogSeen = dialogSeen || DialogOnScreen();
            return done();
        },
        ms);
}

// A press of the "x", as a click reaches it: the label reports it to the
// main window on button down.
void ClickExit(HWND main) {
    HWND exit = GetDlgItem(main, kExitLabel);
    PostMessageW(exit, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    PostMessageW(exit, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
}

std::string Setting(const std::string& file, const char* key) {
    char value[512] = {};
    DWORD n = GetPrivateProfileStringA(kSection, key, "", value, sizeof value, file.c_str());
    return std::string(value, n);
}

// Every key of the section, lower-cased, as the file holds them.
std::set<std::string> Keys(const std::string& file) {
    char buffer[4096] = {};
    DWORD n = GetPrivateProfileStringA(kSection, nullptr, "", buffer, sizeof buffer, file.c_str());
    std::set<std::string> keys;
    for (DWORD i = 0; i < n; i += (DWORD)std::string(buffer + i).size() + 1) {
        std::string key(buffer + i);
        CharLowerBuffA(&key[0], (DWORD)key.size());
        keys.insert(key);
    }
    return keys;
}

class EndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(TestDrive().empty()) << "run through wine-run.sh, which maps a drive";
        root_ = TestDrive() + "\\";
        settingsPath_ = root_ + "norqidle.ini";
        DeleteFileA(settingsPath_.c_str());
    }

    void TearDown() override { DeleteFileA(settingsPath_.c_str()); }

    std::string root_, settingsPath_;
};

}  // namespace

TEST_F(EndToEnd, AnnouncesInTheRoomAndSaysGoodbyeOnTheExitLabel) {
    Host host;
    host.OpenRoom("Lobby");
    WriteFileBytes(settingsPath_, kSettings);
    ASSERT_EQ(kSettings, ReadFileBytes(settingsPath_));

    Program program(BuiltProgram("norqidle.exe"), root_);
    ASSERT_TRUE(program.started()) << "CreateProcess failed: " << GetLastError();
    bool dialogSeen = false;

    // The lines come after the about window's pause; the window once they are in.
    ASSERT_TRUE(WatchUntil([&] { return host.ChatLines("Lobby").size() >= 2; }, kStartBoundMs,
                           dialogSeen))
        << "lines so far: " << host.ChatLines("Lobby").size();
    EXPECT_EQ(Joined(kStartLines), Joined(host.ChatLines("Lobby")));
    HWND main = nullptr;
    ASSERT_TRUE(WatchUntil([&] { return (main = program.MainWindow()) != nullptr; }, 5000,
                           dialogSeen));
    ASSERT_NE(nullptr, GetDlgItem(main, kExitLabel));

    ClickExit(main);
    ASSERT_TRUE(WatchUntil([&] { return program.Exited(); }, kExitBoundMs, dialogSeen))
        << (dialogSeen ? "a message box came up" : "still running");
    EXPECT_EQ(0u, program.ExitCode());
    EXPECT_FALSE(dialogSeen);

    // Nothing between the start-up pair and the farewell pair, nothing after.
    EXPECT_EQ(Joined(kStartLines) + Joined(kExitLines), Joined(host.ChatLines("Lobby")));

    // The window's exit writes the decorations in use under the keys with a
    // blank, and the totals exactly as they were loaded; the keys the
    // decorations are loaded from stay as they were.
    EXPECT_EQ("Sleepy Ann", Setting(settingsPath_, "handle"));
    EXPECT_EQ("\xAB~", Setting(settingsPath_, "left ascii"));
    EXPECT_EQ("~\xBB", Setting(settingsPath_, "right ascii"));
    EXPECT_EQ("out for lunch", Setting(settingsPath_, "reason"));
    EXPECT_EQ("3", Setting(settingsPath_, "total days"));
    EXPECT_EQ("7", Setting(settingsPath_, "total hours"));
    EXPECT_EQ("42", Setting(settingsPath_, "total minutes"));
    EXPECT_EQ("\xAB~", Setting(settingsPath_, "left-ascii"));
    EXPECT_EQ("~\xBB", Setting(settingsPath_, "right-ascii"));
    EXPECT_EQ((std::set<std::string>{"handle", "left-ascii", "right-ascii", "reason", "total days",
                                     "total hours", "total minutes", "left ascii", "right ascii"}),
              Keys(settingsPath_));
}

TEST_F(EndToEnd, WithoutAHostStartsAndEndsQuietly) {
    // No totals stored: the exit still writes all three, empty.
    WriteFileBytes(settingsPath_,
                   "[norq idle]\r\n"
                   "handle=Night Owl\r\n"
                   "left-ascii=<<\r\n"
                   "right-ascii=>>\r\n"
                   "reason=asleep\r\n");
    ASSERT_EQ(nullptr, FindWindowA("AOL Frame25", nullptr)) << "a host runs on this desktop";

    Program program(BuiltProgram("norqidle.exe"), root_);
    ASSERT_TRUE(program.started()) << "CreateProcess failed: " << GetLastError();
    bool dialogSeen = false;

    HWND main = nullptr;
    ASSERT_TRUE(WatchUntil([&] { return (main = program.MainWindow()) != nullptr; },
                           kStartBoundMs, dialogSeen))
        << (program.Exited() ? "the program ended by itself" : "no main window");
    ASSERT_NE(nullptr, GetDlgItem(main, kExitLabel));

    ClickExit(main);
    ASSERT_TRUE(WatchUntil([&] { return program.Exited(); }, kExitBoundMs, dialogSeen))
        << (dialogSeen ? "a message box came up" : "still running");
    EXPECT_EQ(0u, program.ExitCode());
    EXPECT_FALSE(dialogSeen);

    EXPECT_EQ("Night Owl", Setting(settingsPath_, "handle"));
    EXPECT_EQ("<<", Setting(settingsPath_, "left ascii"));
    EXPECT_EQ(">>", Setting(settingsPath_, "right ascii"));
    EXPECT_EQ("asleep", Setting(settingsPath_, "reason"));
    EXPECT_EQ((std::set<std::string>{"handle", "left-ascii", "right-ascii", "reason", "total days",
                                     "total hours", "total minutes", "left ascii", "right ascii"}),
              Keys(settingsPath_));
    EXPECT_EQ("", Setting(settingsPath_, "total days"));
    EXPECT_EQ("", Setting(settingsPath_, "total hours"));
    EXPECT_EQ("", Setting(settingsPath_, "total minutes"));
}
