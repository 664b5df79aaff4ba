// Finding the chat room and posting into it, against hostsim's real windows
// on a thread of their own.
#include <gtest/gtest.h>

#include <algorithm>

#include "host/chat.h"
#include "hostsim/hostsim.h"
#include "tests/support.h"

using hostsim::Host;
using Lines = std::vector<std::string>;

namespace {

std::string Typed(const Host& host) { return hostsim::Describe(hostsim::Inputs(host.Log())); }

}  // namespace

TEST(SendChat, SetsTheEntryThenClicksAndPressesTheSixthIconOfTheFirstRoomInChildOrder) {
    Host host;
    host.OpenRoom("Older");
    host.OpenRoom("Lobby");  // a new room comes to the top
    SendChat("hello");
    SendChat("");  // still empties the entry and presses send; the host posts nothing
    // The version mark, an en dash, a euro sign, and a letter that code page
    // 1252 lacks, which becomes '?' at the boundary and nowhere else.
    SendChat("v\u00B9\u00B7\u00BA \u2013 \u20AC \u0142");

    const std::string click = "Lobby.icon6 WM_LBUTTONDOWN 0 0\nLobby.icon6 WM_LBUTTONUP 0 0\n";
    const std::string space = "Lobby.icon6 WM_KEYDOWN 32 0\nLobby.icon6 WM_KEYUP 32 0\n";
    const std::string line = "\"v\\xB9\\xB7\\xBA \\x96 \\x80 ?\"\n";
    EXPECT_EQ("Lobby.rich1 WM_SETTEXT 0 0 \"hello\"\n" + click + "Lobby CHAT 0 0 \"hello\"\n" +
                  space + "Lobby.rich1 WM_SETTEXT 0 0 \"\"\n" + click + space +
                  "Lobby.rich1 WM_SETTEXT 0 0 " + line + click + "Lobby CHAT 0 0 " + line + space,
              Typed(host));
    EXPECT_EQ((Lines{"hello", "v\xB9\xB7\xBA \x96 \x80 ?"}), host.ChatLines("Lobby"));

    host.BringToTop("Older");
    SendChat("two");
    EXPECT_EQ(Lines{"two"}, host.ChatLines("Older"));
}

TEST(SendChat, WithoutARoomNothingIsSentAndARoomWithTooFewIconsGetsNoPress) {
    Host host;
    host.OpenDocument("Not a room", {"RICHCNTL", "_AOL_Icon", "_AOL_Static"});
    SendChat("lost");
    EXPECT_EQ("", Typed(host));

    // The sixth icon is missing: nothing is pressed rather than another icon.
    host.OpenDocument("Small", {"RICHCNTL", "_AOL_Listbox", "_AOL_Static", "_AOL_Icon",
                                "_AOL_Icon", "_AOL_Icon"});
    SendChat("half");
    EXPECT_EQ("Small.rich1 WM_SETTEXT 0 0 \"half\"\n", Typed(host));
}

TEST(SendChat, RoomClosingMidwayPressesNothingInTheRoomBelow) {
    Host host;
    host.OpenRoom("Below");
    host.OpenRoom("Lobby");
    host.CloseWhenTextArrives("Lobby");
    SendChat("leaving");
    EXPECT_EQ("Lobby.rich1 WM_SETTEXT 0 0 \"leaving\"\n", Typed(host));  // the room below: nothing
    EXPECT_EQ("Below", GetCaption(FindChatRoom()));
}

TEST(FindChatRoom, PassesOverDocumentsLackingOneOfTheFourClassesAndFollowsTheChildOrder) {
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
}

TEST(HostWindows, GetCaptionReadsTheCodePageAndNthChildCountsOnlyItsClass) {
    Host host;
    host.OpenRoom("Caf\xE9 \xB9\xB7\xBA");
    HWND room = FindChatRoom();
    EXPECT_EQ("Caf\u00E9 \u00B9\u00B7\u00BA", GetCaption(room));
    // The room's tenth child is its sixth icon.
    EXPECT_EQ("Send", GetCaption(NthChild(room, "_AOL_Icon", 6)));
    EXPECT_EQ("Notify", GetCaption(NthChild(room, "_aol_icon", 1)));  // classes ignore case
    EXPECT_EQ(nullptr, NthChild(room, "_AOL_Icon", 7));
}

TEST(HostWindows, WithoutAHostReturnQuietly) {
    ASSERT_EQ(nullptr, FindWindowA("AOL Frame25", nullptr));
    EXPECT_EQ(nullptr, FindChatRoom());
    SendChat("nobody hears this");
    EXPECT_EQ("", GetCaption(nullptr));
    EXPECT_EQ(nullptr, NthChild(nullptr, "_AOL_Icon", 1));
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
