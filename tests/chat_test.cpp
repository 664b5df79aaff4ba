// Finding the chat room and posting into it, against hostsim's real windows
// on a thread of their own.
#include <gtest/gtest.h>

#include <algorithm>

#include "host/chat.h"
#include "host/refusal_box.h"
#include "host/welcome.h"
#include "host/sequencer.h"
#include "host/toolbar.h"
#include "hostsim/hostsim.h"
#include "idler/transfer.h"
#include "tests/support.h"

using hostsim::Host;

TEST(SendChat, SetsTheEntryThenClicksAndPressesTheSixthIconOfTheFirstRoomInChildOrder) {
    Host host;
    host.OpenRoom("Older");
    host.OpenRoom("Lobby");  // a new room comes to the top
    SendChat("hello");
    SendChat("");  // still empties the entry and presses send; the host posts nothing
    // The version mark, an en dash, a euro sign, and a letter that code page
    // 1252 lacks, which becomes '?' at the boundary and nowhere else.
    SendChat("v\u00B9\u00B7\u00BA \u2013 \u20AC \u0142");

    EXPECT_EQ(PostedLine("Lobby", "hello") + PostedLine("Lobby", "") +
                  PostedLine("Lobby", "v\\xB9\\xB7\\xBA \\x96 \\x80 ?"), Typed(host));

    host.BringToTop("Older");
    SendChat("two");
    EXPECT_EQ(Lines{"two"}, host.ChatLines("Older"));
}

TEST(SendChat, PressesNothingWithoutAWholeRoomNorInTheRoomBelowOneThatCloses) {
    Host host;
    // The sixth icon is missing: nothing is pressed rather than another icon.
    host.OpenDocument("Small", {"RICHCNTL", "_AOL_Listbox", "_AOL_Static", "_AOL_Icon",
                                "_AOL_Icon", "_AOL_Icon"});
    SendChat("half");
    EXPECT_EQ("Small.rich1 WM_SETTEXT 0 0 \"half\"\n", Typed(host));

    host.OpenRoom("Below");
    host.OpenRoom("Lobby");
    host.CloseWhenTextArrives("Lobby");
    host.ClearLog();
    SendChat("leaving");
    EXPECT_EQ("Lobby.rich1 WM_SETTEXT 0 0 \"leaving\"\n", Typed(host));  // the room below: nothing
}

TEST(FindChatRoom, TakesTheTopDocumentWithTheFourClassesAndNthChildCountsOnlyItsClass) {
    Host host;
    host.OpenRoom("Lobby");
    host.OpenDocument("No list", {"RICHCNTL", "_AOL_Icon", "_AOL_Static"});
    host.OpenDocument("No static", {"RICHCNTL", "_AOL_Listbox", "_AOL_Icon"});
    host.OpenDocument("No icon", {"RICHCNTL", "_AOL_Listbox", "_AOL_Static"});
    host.OpenDocument("No entry", {"_AOL_Listbox", "_AOL_Icon", "_AOL_Static"});
    EXPECT_EQ("Lobby", GetCaption(FindChatRoom()));

    // Any document with the four classes is a room, whatever its caption.
    host.OpenDocument("Odd", {"_AOL_Static", "_AOL_Icon", "_AOL_Listbox", "RICHCNTL"});
    EXPECT_EQ("Odd", GetCaption(FindChatRoom()));
    host.BringToTop("Lobby");
    EXPECT_EQ("Lobby", GetCaption(FindChatRoom()));
    host.Close("Lobby");
    EXPECT_EQ("Odd", GetCaption(FindChatRoom()));
    host.Close("Odd");
    EXPECT_EQ(nullptr, FindChatRoom());

    // Captions read in the code page; the room's tenth child is its sixth
    // icon; classes ignore case.
    host.OpenRoom("Caf\xE9 \xB9\xB7\xBA");
    HWND room = FindChatRoom();
    EXPECT_EQ("Caf\u00E9 \u00B9\u00B7\u00BA", GetCaption(room));
    EXPECT_EQ("Send", GetCaption(NthChild(room, "_AOL_Icon", 6)));
    EXPECT_EQ("Notify", GetCaption(NthChild(room, "_aol_icon", 1)));
    EXPECT_EQ("", GetCaption(NthChild(room, "_AOL_Icon", 7)));  // there is no seventh
}

namespace {

// Another program's windows of the classes and captions the host's have: a
// lookup that starts from a missing host window must not land in them.
struct Foreign {
    const char *className, *caption;
    std::vector<Foreign> children = {};
};
std::string g_reached;  // class and message of every press or text they received

LRESULT CALLBACK RecordInput(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const UINT inputs[] = {WM_SETTEXT, WM_CHAR, WM_KEYDOWN, WM_KEYUP, WM_LBUTTONDOWN,
                           WM_LBUTTONUP, WM_SHOWWINDOW, WM_CLOSE, WM_COMMAND};
    char name[32] = {};
    GetClassNameA(window, name, sizeof name);
    if (std::count(std::begin(inputs), std::end(inputs), message))
        g_reached += std::string(name) + " " + std::to_string(message) + "\n";
    WNDPROC original = (WNDPROC)GetPropA(window, "norq original");
    return CallWindowProcA(original, window, message, wParam, lParam);
}

void MakeForeign(const Foreign& f, HWND parent, std::vector<HWND>& made) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.lpszClassName = f.className;
    RegisterClassA(&wc);  // fails, harmlessly, for the system's own classes
    HWND w = CreateWindowExA(0, f.className, f.caption, (parent ? WS_CHILD : WS_POPUP) | WS_VISIBLE,
                             0, 0, 20, 20, parent, nullptr, nullptr, nullptr);
    made.push_back(w);
    SetPropA(w, "norq original", (HANDLE)SetWindowLongPtrA(w, GWLP_WNDPROC, (LONG_PTR)RecordInput));
    // Children in creation order, as the host's are looked up.
    for (const Foreign& child : f.children) MakeForeign(child, w, made);
}

}  // namespace

TEST(HostLookups, WithoutAHostEveryOperationLeavesOtherProgramsWindowsOfItsClassesAlone) {
    ASSERT_EQ(nullptr, FindHostFrame());
    const Foreign icon = {"_AOL_Icon", "icon"}, combo = {"_aol_combobox", "", {{"edit", ""}}};
    const std::vector<Foreign> foreign = {
        {"RICHCNTL", ""}, {"_AOL_Listbox", ""}, icon, {"_AOL_Static", ""}, {"_AOL_Edit", ""},
        {"edit", ""}, combo, {"Button", "OK"},
        {"AOL Toolbar", "", {{"_AOL_Toolbar", "", {icon, icon, icon, icon, icon, combo}}}},
        {"_AOL_Toolbar", "", {icon, icon, icon, icon, icon, combo}},
        {"MDIClient", "", {{"AOL Child", "Send Instant Message", {{"_AOL_Edit", ""}, {"RICHCNTL", ""}}}}},
        {"AOL Child", "Lobby", {{"RICHCNTL", ""}, {"_AOL_Listbox", ""}, {"_AOL_Static", ""},
                                icon, icon, icon, icon, icon, icon}},
        {"AOL Child", "Welcome, Guest"},
        {"AOL Child", "File Transfer - 45%", {{"_AOL_Static", "Downloading a.mp3"}}},
        {"#32770", "America Online", {{"Button", "OK"}}},
    };
    std::vector<HWND> made;
    for (const Foreign& f : foreign) MakeForeign(f, nullptr, made);
    ASSERT_EQ(0, std::count(made.begin(), made.end(), nullptr));

    FakeClock clock(100.0f);
    clock.Install();
    SendChat("lost");
    PressToolbarIcon(1);
    HostSequencer().Add(PickToolbarMenu(0, "R"));
    GotoKeyword("private chat");
    HostSequencer().Add(SendInstantMessage("$IM_OFF", "norq idle."));
    HideWelcomeWindow();
    ShowWelcomeWindow();
    PressRefusalBox(nullptr);
    ASSERT_TRUE(RunHostSteps());
    Pump(50);
    EXPECT_EQ("", g_reached);
    // Nothing found, where each lookup's first step finds nothing.
    for (HostWindowHandle found : {FindChatRoom(), FindDocumentArea(), FindToolbarIcon(1),
                                   NthChild(nullptr, "_AOL_Icon", 1), FindWelcomeWindow(),
                                   FindTransferWindow()})
        EXPECT_EQ(nullptr, found);
    EXPECT_EQ("", GetCaption(nullptr));
    EXPECT_EQ("", TransferPercent());
    EXPECT_EQ("", TransferFileName());
    for (auto w = made.rbegin(); w != made.rend(); ++w) DestroyWindow(*w);
}

// The host stops answering in the middle of a line. The line goes out exactly
// once: set and pressed again whole while its entry box still holds it, not
// again when a press that reached the host had posted it.
TEST(SendChat, ALineHalfSentToAHostThatStoppedGoesOutOnceWhenItAnswers) {
    const struct {
        const char* role;
        UINT message;       // the host hangs once it has answered this
        int settexts;       // how often the entry is set in all
    } cases[] = {
        {"Lobby.rich1", WM_SETTEXT, 2},        // the text arrived, no press did
        // The click posted the line; the space bar's press found the host hung.
        {"Lobby.icon6", WM_LBUTTONUP, 1},
    };
    for (const auto& c : cases) {
        Host host;
        host.OpenRoom("Lobby");
        host.HangAfter(c.role, c.message, 1500);
        SendChat("half");
        EXPECT_EQ(1u, WaitingChatLines()) << c.role;
        SendChat("next");  // waits behind it
        EXPECT_TRUE(PumpUntil([] { return WaitingChatLines() == 0; }, 4000)) << c.role;
        EXPECT_EQ((Lines{"half", "next"}), host.ChatLines("Lobby")) << c.role;
        const auto log = host.Log();
        EXPECT_EQ(c.settexts, std::count_if(log.begin(), log.end(), [](const hostsim::Record& r) {
                      return r.message == WM_SETTEXT && r.text == "half";
                  })) << Typed(host);
    }
}
