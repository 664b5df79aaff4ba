// The host driver against hostsim.exe in a process of its own: only there do
// texts cross the process boundary as they do with the real host.
#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <thread>

#include "host/chat.h"
#include "host/refusal_box.h"
#include "host/sequencer.h"
#include "host/toolbar.h"
#include "host/transfer.h"
#include "hostsim/hostsim.h"
#include "idler/transfer.h"
#include "tests/support.h"

namespace {

// hostsim.exe, started for one test and ended with it; it keeps its record
// in a file on the test's drive.
struct HostProcess {
    ChildProcess program;
    bool started;

    explicit HostProcess(const std::string& options)
        : program("hostsim.exe", options),
          started(!TestDrive().empty() && program.started() &&
                  PumpUntil([] { return FindWindowA("AOL Frame25", nullptr) != nullptr; })) {}
    ~HostProcess() {
        hostsim::SendCommand("quit");
        program.WaitForEnd(5000);
    }

    // The host's record since "clear-log", as Describe gives it, without
    // the text reads that Wine adds between processes.
    std::string Inputs() const {
        std::string path = TestDrive() + "\\hostsim.log";
        if (!hostsim::SendCommand("save-log " + path)) return "(no record)";
        std::istringstream all(ReadFileBytes(path));
        std::string inputs;
        for (std::string line; std::getline(all, line);)
            if (line.find(" WM_GETTEXT") == std::string::npos) inputs += line + "\n";
        return inputs;
    }
};

}  // namespace

// The transfer window read, the box pressed away, and a line and a menu pick
// set and typed into another process, each as it is on a thread; then that
// process stops between two questions of the transfer search, as a process
// stopped in a debugger does. Had the length been asked in the ANSI form,
// Wine would now ask for the text itself and wait for ever; the search must
// give up within its bound, and find the window again once the host goes on.
TEST(CrossProcess, ReadsSetsAndPressesAnotherProcessesWindowsAndAStoppedOneHoldsTheProgramBriefly) {
    // In child order: Lobby, Mail, then the transfer window.
    HostProcess host("--do \"transfer File Transfer - 45%|Downloading song.mp3|About 12 minutes\""
                     " --do \"box ok\" --do \"doc Mail\" --room Lobby");
    ASSERT_TRUE(host.started && PumpUntil([] { return FindChatRoom() && VisibleRefusalBox(); }));
    EXPECT_EQ("song.mp3", TransferFileName());
    EXPECT_EQ("45", TransferPercent());
    EXPECT_EQ(" 12 ", TransferMinutesLeft());
    hostsim::SendCommand("clear-log");
    EXPECT_TRUE(PressRefusalBox(VisibleRefusalBox()));
    EXPECT_EQ(BoxPresses(), host.Inputs());
    EXPECT_TRUE(PumpUntil([] { return !FindWindowA("#32770", "America Online"); }));
    // One operation per kind of message that crosses: a text set (the
    // keyword box and the instant message set theirs alike) and a menu.
    const std::pair<std::function<void()>, std::string> operations[] = {
        {[] { SendChat("v\u00B9\u00B7\u00BA \u2013"); },
         PostedLine("Lobby", "v\\xB9\\xB7\\xBA \\x96")},
        {[] { HostSequencer().Add(PickToolbarMenu(0, "R", "S")); },
         Clicked("toolbar.icon1") + "menu WM_CHAR 82 0\nmenu WM_CHAR 83 0\n"
                                    "toolbar PICK 0 0 \"sent mail\"\n"},
    };
    for (const auto& [run, expected] : operations) {
        hostsim::SendCommand("clear-log");
        run();
        // The menu is picked by messages posted to the host: wait for them.
        PumpUntil([&] { return host.Inputs() == expected; });
        EXPECT_EQ(expected, host.Inputs());
    }

    // The host answers for the length of Lobby's caption, then stops.
    ASSERT_TRUE(hostsim::SendCommand("hang-after Lobby|" + std::to_string(WM_GETTEXTLENGTH) + "|-1"));
    // Should the program hang, the host goes on after a while: a failure, not
    // a test that never ends.
    HANDLE done = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::thread watchdog([done] {
        if (WaitForSingleObject(done, 20000) == WAIT_TIMEOUT) hostsim::ResumeStoppedHost();
    });
    hostsim::ResponseWatch watch;
    const DWORD start = GetTickCount();
    EXPECT_EQ(nullptr, FindTransferWindow());
    EXPECT_EQ("", TransferPercent());  // left alone meanwhile
    EXPECT_LT(GetTickCount() - start, 2000u);
    Pump(100);
    EXPECT_LT(watch.LongestMs(), 1000.0);

    EXPECT_TRUE(hostsim::ResumeStoppedHost());
    EXPECT_TRUE(PumpUntil([] { return TransferPercent() == "45"; }, 3000));
    SetEvent(done);
    watchdog.join();
    CloseHandle(done);
}
