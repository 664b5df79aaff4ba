// The host driver against hostsim.exe in a process of its own: only there do
// texts cross the process boundary as they do with the real host.
#include <gtest/gtest.h>

#include <functional>

#include "host/dialogs.h"
#include "host/toolbar.h"
#include "hostsim/hostsim.h"
#include "host/transfer.h"
#include "idler/transfer.h"
#include "tests/support.h"

namespace {

// hostsim.exe, started for one test and ended with it.
class HostProcess {
public:
    explicit HostProcess(const std::string& options) {
        std::string command = "\"" + BuiltProgram("hostsim.exe") + "\" " + options;
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        started_ = CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, CREATE_NO_WINDOW,
                                  nullptr, nullptr, &startup, &process_) &&
                   PumpUntil([] { return FindWindowA("AOL Frame25", nullptr) != nullptr; });
    }
    ~HostProcess() {
        if (!process_.hProcess) return;
        hostsim::SendCommand("quit");
        if (WaitForSingleObject(process_.hProcess, 5000) != WAIT_OBJECT_0)
            TerminateProcess(process_.hProcess, 1);
        CloseHandle(process_.hThread);
        CloseHandle(process_.hProcess);
    }
    bool started() const { return started_; }

    // The host's record since the last call, as Describe gives it, without
    // the text reads that Wine adds between processes.
    std::string TakeInputs() const {
        std::string path = TestDrive() + "\\hostsim.log";
        if (!hostsim::SendCommand("save-log " + path)) return "(no record)";
        hostsim::SendCommand("clear-log");
        std::string inputs, all = ReadFileBytes(path);
        for (size_t at = 0, end; at < all.size(); at = end + 1) {
            end = all.find('\n', at);
            std::string line = all.substr(at, end - at + 1);
            if (line.find(" WM_GETTEXT") == std::string::npos) inputs += line;
        }
        return inputs;
    }

private:
    PROCESS_INFORMATION process_ = {};
    bool started_ = false;
};

struct Operation {
    const char* name;
    std::function<void()> run;
    std::function<bool()> done;  // until the host's answer has come
    const char* expected;
};

}  // namespace

TEST(CrossProcess, EachOperationReachesTheHostAsItDoesOnAThread) {
    ASSERT_FALSE(TestDrive().empty());
    HostProcess host("--room Lobby");
    ASSERT_TRUE(host.started());
    auto logged = [](const char* mark) {
        return [mark] {
            std::string path = TestDrive() + "\\peek.log";
            hostsim::SendCommand("save-log " + path);
            return ReadFileBytes(path).find(mark) != std::string::npos;
        };
    };
    const Operation operations[] = {
        {"SendChat", [] { SendChat("v\u00B9\u00B7\u00BA \u2013"); }, [] { return true; },
         "Lobby.rich1 WM_SETTEXT 0 0 \"v\\xB9\\xB7\\xBA \\x96\"\n"
         "Lobby.icon6 WM_LBUTTONDOWN 0 0\nLobby.icon6 WM_LBUTTONUP 0 0\n"
         "Lobby CHAT 0 0 \"v\\xB9\\xB7\\xBA \\x96\"\n"
         "Lobby.icon6 WM_KEYDOWN 32 0\nLobby.icon6 WM_KEYUP 32 0\n"},
        {"GotoKeyword", [] { GotoKeyword("private chat"); }, [] { return true; },
         "keyword.edit WM_SETTEXT 0 0 \"private chat\"\nkeyword.edit WM_CHAR 32 0\n"
         "keyword.edit WM_CHAR 13 0\nkeyword GO 0 0 \"private chat\"\n"},
        {"PickToolbarMenu", [] { PickToolbarMenu(0, "R", "S"); }, logged("PICK"),
         "toolbar.icon1 WM_LBUTTONDOWN 0 0\ntoolbar.icon1 WM_LBUTTONUP 0 0\n"
         "menu WM_CHAR 82 0\nmenu WM_CHAR 83 0\ntoolbar PICK 0 0 \"sent mail\"\n"},
        {"SendInstantMessage", [] { SendInstantMessage("$IM_OFF", "norq idle."); },
         [] { return true; },
         "toolbar.icon5 WM_LBUTTONDOWN 0 0\ntoolbar.icon5 WM_KEYUP 32 0\n"
         "Send Instant Message.edit1 WM_SETTEXT 0 0 \"$IM_OFF\"\n"
         "Send Instant Message.rich1 WM_SETTEXT 0 0 \"norq idle.\"\n"
         "Send Instant Message.icon10 WM_LBUTTONDOWN 0 0\n"
         "Send Instant Message.icon10 WM_KEYUP 32 0\n"
         "Send Instant Message IM 0 0 \"$IM_OFF: norq idle.\"\n"},
    };
    for (const Operation& op : operations) {
        host.TakeInputs();
        op.run();
        ASSERT_TRUE(PumpUntil(op.done)) << op.name;
        EXPECT_EQ(op.expected, host.TakeInputs()) << op.name;
    }
}

TEST(CrossProcess, BoxesTransferAndWelcomeWindowsOfAnotherProcess) {
    ASSERT_FALSE(TestDrive().empty());
    HostProcess host("--do \"transfer File Transfer - 45%|Downloading song.mp3|About 12 minutes\""
                     " --do \"welcome Guest\" --do \"box ok\"");
    ASSERT_TRUE(host.started());
    ASSERT_TRUE(PumpUntil([] { return FindWelcomeWindow() && FindTransferWindow(); }));

    EXPECT_EQ("song.mp3", TransferFileName());
    EXPECT_EQ("45", TransferPercent());
    EXPECT_EQ(" 12 ", TransferMinutesLeft());

    HWND welcome = FindWelcomeWindow();
    ASSERT_NE(nullptr, welcome);
    HideWelcomeWindow();
    EXPECT_TRUE(PumpUntil([&] { return !IsWindowVisible(welcome); }));
    ShowWelcomeWindow();
    EXPECT_TRUE(PumpUntil([&] { return IsWindowVisible(welcome) != FALSE; }));

    ASSERT_TRUE(PumpUntil([] { return FindWindowA("#32770", "America Online") != nullptr; }));
    ASSERT_TRUE(PumpUntil([] { return IsWindowVisible(FindWindowA("#32770", "America Online")); }));
    host.TakeInputs();
    DismissHostDialog();
    EXPECT_EQ("box.ok WM_KEYDOWN 32 0\nbox.ok WM_KEYUP 32 0\n"
              "box.ok WM_KEYDOWN 32 0\nbox.ok WM_KEYUP 32 0\n",
              host.TakeInputs());
    EXPECT_EQ(nullptr, FindWindowA("#32770", "America Online"));
}
