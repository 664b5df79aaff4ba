// The toolbar's menus, icons, keyword box and instant messages, as hostsim
// records them; and what happens without a host, with a hung one, and with
// another program's menu open.
#include <gtest/gtest.h>

#include <algorithm>

#include "host/toolbar.h"
#include "hostsim/hostsim.h"
#include "tests/support.h"

using hostsim::Describe;
using hostsim::Host;
using hostsim::Inputs;

namespace {

bool Has(const std::vector<std::string>& list, const std::string& item) {
    return std::find(list.begin(), list.end(), item) != list.end();
}

// Another program with a popup menu of its own open, picked by the same
// letters as the host's: it ends, with the entry's id, if one reaches it.
class ForeignMenu {
public:
    ForeignMenu() {
        std::string command = "\"" + BuiltProgram("norq_tests.exe") + "\" --show-popup-menu";
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        started_ = CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr,
                                  nullptr, &startup, &process_);
    }
    ~ForeignMenu() {
        if (!started_) return;
        TerminateProcess(process_.hProcess, 0);
        WaitForSingleObject(process_.hProcess, 5000);
        CloseHandle(process_.hThread);
        CloseHandle(process_.hProcess);
    }
    bool Open() const {
        return started_ && PumpUntil([&] {
                   for (HWND m = FindWindowA("#32768", nullptr); m;
                        m = FindWindowExA(nullptr, m, "#32768", nullptr)) {
                       DWORD pid = 0;
                       GetWindowThreadProcessId(m, &pid);
                       if (pid == process_.dwProcessId && IsWindowVisible(m)) return true;
                   }
                   return false;
               });
    }
    bool StillOpen() const { return WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT; }

private:
    PROCESS_INFORMATION process_ = {};
    bool started_ = false;
};

struct MenuPick {
    int skip;
    std::vector<std::string> letters;
    const char* expected;  // the host's record of the click, the letters and the pick
};

const MenuPick kPicks[] = {
    {0, {"R", "O"},
     "toolbar.icon1 WM_LBUTTONDOWN 0 0\ntoolbar.icon1 WM_LBUTTONUP 0 0\n"
     "menu WM_CHAR 82 0\nmenu WM_CHAR 79 0\ntoolbar PICK 0 0 \"old mail\"\n"},
    {0, {"R", "S"},
     "toolbar.icon1 WM_LBUTTONDOWN 0 0\ntoolbar.icon1 WM_LBUTTONUP 0 0\n"
     "menu WM_CHAR 82 0\nmenu WM_CHAR 83 0\ntoolbar PICK 0 0 \"sent mail\"\n"},
    {0, {"F"},
     "toolbar.icon1 WM_LBUTTONDOWN 0 0\ntoolbar.icon1 WM_LBUTTONUP 0 0\n"
     "menu WM_CHAR 70 0\ntoolbar PICK 0 0 \"flash mail\"\n"},
    {3, {"N"},
     "toolbar.icon4 WM_LBUTTONDOWN 0 0\ntoolbar.icon4 WM_LBUTTONUP 0 0\n"
     "menu WM_CHAR 78 0\ntoolbar PICK 0 0 \"chat now\"\n"},
    {3, {"C"},
     "toolbar.icon4 WM_LBUTTONDOWN 0 0\ntoolbar.icon4 WM_LBUTTONUP 0 0\n"
     "menu WM_CHAR 67 0\ntoolbar PICK 0 0 \"people connection\"\n"},
    {3, {"s"},  // a lower-case letter is typed as it is; the menu takes either
     "toolbar.icon4 WM_LBUTTONDOWN 0 0\ntoolbar.icon4 WM_LBUTTONUP 0 0\n"
     "menu WM_CHAR 115 0\ntoolbar PICK 0 0 \"start your own chat\"\n"},
};

/* GotoKeyword("private chat") */
const char kPrivateChat[] =
    "keyword.edit WM_SETTEXT 0 0 \"private chat\"\n"
    "keyword.edit WM_CHAR 32 0\n"
    "keyword.edit WM_CHAR 13 0\n"
    "keyword GO 0 0 \"private chat\"\n";

/* SendInstantMessage("$IM_OFF", "norq idle.") */
const char kImOff[] =
    "toolbar.icon5 WM_LBUTTONDOWN 0 0\n"
    "toolbar.icon5 WM_KEYUP 32 0\n"
    "Send Instant Message.edit1 WM_SETTEXT 0 0 \"$IM_OFF\"\n"
    "Send Instant Message.rich1 WM_SETTEXT 0 0 \"norq idle.\"\n"
    "Send Instant Message.icon10 WM_LBUTTONDOWN 0 0\n"
    "Send Instant Message.icon10 WM_KEYUP 32 0\n"
    "Send Instant Message IM 0 0 \"$IM_OFF: norq idle.\"\n";

}  // namespace

TEST(PickToolbarMenu, ClicksTheIconThenTypesTheLettersIntoTheHostsMenu) {
    Host host;
    for (const MenuPick& pick : kPicks) {
        host.ClearLog();
        if (pick.letters.size() == 2)
            PickToolbarMenu(pick.skip, pick.letters[0], pick.letters[1]);
        else
            PickToolbarMenu(pick.skip, pick.letters[0]);
        ASSERT_TRUE(PumpUntil([&] {
            return !hostsim::Of(host.Log(), "toolbar").empty() &&
                   host.Log().back().message == hostsim::kMenuPick;
        })) << Describe(host.Log());
        EXPECT_EQ(pick.expected, Describe(Inputs(host.Log())));
    }
    EXPECT_TRUE(Has(host.Documents(), "Old Mail"));
    EXPECT_TRUE(Has(host.Documents(), "Start Your Own Chat"));
}

TEST(PickToolbarMenu, WithoutAHostTypesNothingIntoAnotherProgramsMenu) {
    ForeignMenu other;
    ASSERT_TRUE(other.Open());
    DWORD start = GetTickCount();

    PickToolbarMenu(0, "R", "O");

    EXPECT_LT(GetTickCount() - start, 1000u);  // nothing clicked, nothing to wait for
    Pump(200);
    EXPECT_TRUE(other.StillOpen());
}

TEST(PickToolbarMenu, TakesOnlyTheHostsMenuAndGivesUpWhenNoneComes) {
    ForeignMenu other;
    ASSERT_TRUE(other.Open());
    Host host;
    host.Hang(4000);  // the host shows its menu only after the wait has ended

    PickToolbarMenu(3, "N");

    Pump(200);
    EXPECT_TRUE(other.StillOpen());
}

TEST(PressToolbarIcon, PressesShortAndTheHostOpensItsWindow) {
    Host host;
    PressToolbarIcon(2);
    EXPECT_EQ("toolbar.icon2 WM_LBUTTONDOWN 0 0\ntoolbar.icon2 WM_KEYUP 32 0\n",
              Describe(host.Log()));
    EXPECT_TRUE(PumpUntil([&] { return Has(host.Documents(), "New Mail"); }));
}

TEST(GotoKeyword, SetsTheTextThenTypesABlankAndAReturn) {
    Host host;
    GotoKeyword("private chat");
    EXPECT_EQ(kPrivateChat, Describe(Inputs(host.Log())));
    EXPECT_TRUE(PumpUntil([&] { return Has(host.Documents(), "private chat"); }));
}

TEST(GotoKeyword, ARoomLinkEntersTheRoomAtTheTopOfTheChildOrder) {
    Host host;
    host.OpenRoom("Lobby");
    GotoKeyword("aol://2719:2-2-Den");
    ASSERT_TRUE(PumpUntil([&] { return Has(host.Documents(), "Den"); }));
    EXPECT_EQ("Den", host.Documents().front());
}

TEST(SendInstantMessage, PressesTheIconWaitsAndFillsTheHostsWindow) {
    Host host;
    SendInstantMessage("$IM_OFF", "norq idle.");
    EXPECT_EQ(kImOff, Describe(Inputs(host.Log())));
    EXPECT_FALSE(host.InstantMessagesOn());

    SendInstantMessage("$IM_ON", "norq idle.");
    EXPECT_TRUE(host.InstantMessagesOn());
}

TEST(SendInstantMessage, AWindowAlreadyOpenStillGetsTheIconPressedFirst) {
    Host host;
    PressToolbarIcon(5);
    ASSERT_TRUE(PumpUntil([&] { return Has(host.Documents(), "Send Instant Message"); }));
    host.SetAnswerDelay(3000);  // the second window comes too late to matter
    host.ClearLog();

    SendInstantMessage("brimwold", "wuttup \u00BA");

    std::string log = Describe(Inputs(host.Log()));
    EXPECT_EQ(0u, log.find("toolbar.icon5 WM_LBUTTONDOWN 0 0\ntoolbar.icon5 WM_KEYUP 32 0\n"))
        << log;
    EXPECT_NE(std::string::npos, log.find("IM 0 0 \"brimwold: wuttup \\xBA\"")) << log;
}

TEST(SendInstantMessage, AHostTooSlowForThePauseGetsNoText) {
    Host host;
    host.SetAnswerDelay(2500);
    SendInstantMessage("brimwold", "lost");
    EXPECT_EQ("toolbar.icon5 WM_LBUTTONDOWN 0 0\ntoolbar.icon5 WM_KEYUP 32 0\n",
              Describe(Inputs(host.Log())));
}

TEST(ToolbarOperations, WithoutAHostReturnQuietly) {
    ASSERT_EQ(nullptr, FindWindowA("AOL Frame25", nullptr));
    EXPECT_EQ(nullptr, FindToolbarIcon(1));
    PressToolbarIcon(2);
    GotoKeyword("private chat");
    SendInstantMessage("$IM_OFF", "norq idle.");
    PickToolbarMenu(0, "F");
}

TEST(ToolbarOperations, AHungHostHoldsTheProgramOnlyBriefly) {
    Host host;
    host.Hang(4000);
    DWORD start = GetTickCount();

    GotoKeyword("private chat");
    PressToolbarIcon(2);

    // One wait for the first unanswered message, none for the rest.
    EXPECT_LT(GetTickCount() - start, 3000u);
}

TEST(SendInstantMessage, AWindowClosingDuringThePauseTakesNoText) {
    Host host;
    PressToolbarIcon(5);
    ASSERT_TRUE(PumpUntil([&] { return Has(host.Documents(), "Send Instant Message"); }));
    host.SetAnswerDelay(3000);
    host.ClearLog();
    FakeClock clock(100.0f);
    clock.OnIdle([&] { host.Close("Send Instant Message"); });
    clock.Install();

    SendInstantMessage("brimwold", "gone");

    EXPECT_EQ("toolbar.icon5 WM_LBUTTONDOWN 0 0\ntoolbar.icon5 WM_KEYUP 32 0\n",
              Describe(Inputs(host.Log())));
}
