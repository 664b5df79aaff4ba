// The program as the user runs it: the real norqidle.exe in a process of its
// own beside the host, its settings file in the root of its current drive,
// its lines crossing into the host's room, and its end through the "x".
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "hostsim/hostsim.h"
#include "idler/main_window.h"
#include "settings/store.h"
#include "tests/support.h"

namespace {

constexpr wchar_t kMainClass[] = L"norq idle main";

// The about window alone holds the start-up back four seconds; a cold Wine
// adds a few more.
constexpr DWORD kStartBoundMs = 20000;
constexpr DWORD kExitBoundMs = 15000;

// Decorations outside 7-bit ASCII ("«~" and "~»" in code page 1252), so both
// the settings file and the room see the code page's single bytes.
const char kSettings[] =
    "[norq idle]\r\nhandle=Sleepy Ann\r\nleft-ascii=\xAB~\r\nright-ascii=~\xBB\r\n"
    "reason=out for lunch\r\ntotal days=3\r\ntotal hours=7\r\ntotal minutes=42\r\n";

// The room's lines: the start-up pair with the settings above, then the
// farewell pair after a click on the "x".
const std::vector<std::string> kLines = {
    "\xAB~ norq < font . color=#0099FF>i<u>d</u>ler< font . color=#000000> v\xB9\xB7\xBA"
    " -  inL<u>o</u>ad ~\xBB",
    "\xAB~ by: vo<u>n</u>k  -  user: < font . color=#0099FF>Sleepy Ann"
    "< font . color=#000000> ~\xBB",
    "\xAB~ norq < font . color=#0099FF>i<u>d</u>ler< font . color=#000000> v\xB9\xB7\xBA"
    " -  u<u>n</u>Load ~\xBB",
    "\xAB~ by: vo<u>n</u>k -  user: < font . color=#0099FF>Sleepy Ann"
    "< font . color=#000000> ~\xBB",
};

// norqidle.exe started in the given folder. A test that fails half-way must
// not leave it running on the desktop, where the next test would find its
// windows: whatever still runs at the end is terminated.
class Program {
public:
    explicit Program(const std::string& directory) {
        std::string path = BuiltProgram("norqidle.exe"), commandLine = "\"" + path + "\"";
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        CreateProcessA(path.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                       directory.c_str(), &startup, &info_);
    }
    // Harmless on the null handles of a program that never started.
    ~Program() {
        if (!Exited()) TerminateProcess(info_.hProcess, 1);
        WaitForSingleObject(info_.hProcess, 5000);
        CloseHandle(info_.hThread);
        CloseHandle(info_.hProcess);
    }
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    bool started() const { return info_.hProcess != nullptr; }
    bool Exited() const { return WaitForSingleObject(info_.hProcess, 0) == WAIT_OBJECT_0; }
    DWORD ExitCode() const {
        DWORD code = STILL_ACTIVE;
        GetExitCodeProcess(info_.hProcess, &code);
        return code;
    }
    // The program's main window, once it is shown; the program's one thread makes it.
    HWND MainWindow() const {
        for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, kMainClass, nullptr));)
            if (GetWindowThreadProcessId(w, nullptr) == info_.dwThreadId && IsWindowVisible(w))
                return w;
        return nullptr;
    }

private:
    PROCESS_INFORMATION info_ = {};
};

// Every key of the section, lower-cased, with its value as the file holds it.
using Section = std::map<std::string, std::string>;
Section ReadSection(const char* file) {
    char keys[4096] = {}, value[512];
    DWORD all = GetPrivateProfileStringA(kSettingsSection, nullptr, "", keys, sizeof keys, file);
    Section values;
    for (char* key = keys; key < keys + all; key += std::strlen(key) + 1) {
        DWORD n = GetPrivateProfileStringA(kSettingsSection, key, "", value, sizeof value, file);
        values[CharLowerA(key)] = std::string(value, n);
    }
    return values;
}

class EndToEnd : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(drive_.ok()) << "run through wine-run.sh"; }

    // Pumps until done() holds or ms have passed, noting any message box on the
    // desktop (the program's own, or a crash report) seen on the way: a box
    // that comes and goes between two looks would hide a fault.
    template <class Done>
    bool WatchUntil(Done done, DWORD ms) {
        return PumpUntil([&] {
            for (HWND w = nullptr; (w = FindWindowExA(nullptr, w, "#32770", nullptr));)
                dialogSeen_ = dialogSeen_ || IsWindowVisible(w);
            return done();
        }, ms);
    }

    // Waits for the main window, presses its "x" as a click reaches it (the
    // label reports it on button down), and expects a clean, quiet end.
    void ExitThroughTheX(const Program& program, DWORD windowBoundMs) {
        HWND main = nullptr;
        ASSERT_TRUE(WatchUntil([&] { return (main = program.MainWindow()) != nullptr; },
                               windowBoundMs))
            << (program.Exited() ? "the program ended by itself" : "no main window");
        HWND exit = GetDlgItem(main, kExitLabel);
        ASSERT_NE(nullptr, exit);
        PostMessageW(exit, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
        PostMessageW(exit, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
        ASSERT_TRUE(WatchUntil([&] { return program.Exited(); }, kExitBoundMs))
            << (dialogSeen_ ? "a message box came up" : "still running");
        EXPECT_EQ(0u, program.ExitCode());
        EXPECT_FALSE(dialogSeen_);
    }

    OnTestDrive drive_;  // its root current, with no settings file before or after
    const std::string root_ = TestDrive() + "\\", settingsPath_ = drive_.SettingsPath();
    bool dialogSeen_ = false;
};

}  // namespace

TEST_F(EndToEnd, AnnouncesInTheRoomAndSaysGoodbyeOnTheExitLabel) {
    hostsim::Host host;
    host.OpenRoom("Lobby");
    WriteFileBytes(settingsPath_, kSettings);
    ASSERT_EQ(kSettings, ReadFileBytes(settingsPath_));
    Program program(root_);
    ASSERT_TRUE(program.started()) << "CreateProcess failed: " << GetLastError();

    // The lines come after the about window's pause; the window once they are in.
    ASSERT_TRUE(WatchUntil([&] { return host.ChatLines("Lobby").size() >= 2; }, kStartBoundMs))
        << "lines so far: " << host.ChatLines("Lobby").size();
    EXPECT_EQ((std::vector<std::string>{kLines[0], kLines[1]}), host.ChatLines("Lobby"));
    ASSERT_NO_FATAL_FAILURE(ExitThroughTheX(program, 5000));

    // Nothing between the start-up pair and the farewell pair, nothing after.
    EXPECT_EQ(kLines, host.ChatLines("Lobby"));
    // The window's exit writes the decorations in use under the keys with a
    // blank, and the totals exactly as they were loaded; the keys the
    // decorations are loaded from stay as they were.
    EXPECT_EQ((Section{{"handle", "Sleepy Ann"}, {"left-ascii", "\xAB~"}, {"right-ascii", "~\xBB"},
                       {"reason", "out for lunch"}, {"total days", "3"}, {"total hours", "7"},
                       {"total minutes", "42"}, {"left ascii", "\xAB~"}, {"right ascii", "~\xBB"}}),
              ReadSection(settingsPath_.c_str()));
}

TEST_F(EndToEnd, WithoutAHostStartsAndEndsQuietly) {
    WriteFileBytes(settingsPath_, "[norq idle]\r\nhandle=Night Owl\r\nleft-ascii=<<\r\n"
                                  "right-ascii=>>\r\nreason=asleep\r\n");
    ASSERT_EQ(nullptr, FindWindowA("AOL Frame25", nullptr)) << "a host runs on this desktop";
    Program program(root_);
    ASSERT_TRUE(program.started()) << "CreateProcess failed: " << GetLastError();

    ASSERT_NO_FATAL_FAILURE(ExitThroughTheX(program, kStartBoundMs));

    // No totals stored: the exit still writes all three, empty.
    EXPECT_EQ((Section{{"handle", "Night Owl"}, {"left-ascii", "<<"}, {"right-ascii", ">>"},
                       {"reason", "asleep"}, {"left ascii", "<<"}, {"right ascii", ">>"},
                       {"total days", ""}, {"total hours", ""}, {"total minutes", ""}}),
              ReadSection(settingsPath_.c_str()));
}
