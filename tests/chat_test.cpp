// Finding the chat room and posting into it, against hostsim's real windows
// on a thread of their own.
#include <gtest/gtest.h>

#include "host/chat.h"
#include "hostsim/hostsim.h"

using hostsim::Describe;
using hostsim::Host;
using hostsim::Inputs;

namespace {

const std::vector<hostsim::Child> kNotQuiteRoom = {"RICHCNTL", "_AOL_Icon", "_AOL_Static"};

std::string CaptionOf(HWND window) {
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

/* SendChat("hello") with one room open */
const char kSendHello[] =
    "Lobby.rich1 WM_SETTEXT 0 0 \"hello\"\n"
    "Lobby.icon6 WM_LBUTTONDOWN 0 0\n"
    "Lobby.icon6 WM_LBUTTONUP 0 0\n"
    "Lobby CHAT 0 0 \"hello\"\n"
    "Lobby.icon6 WM_KEYDOWN 32 0\n"
    "Lobby.icon6 WM_KEYUP 32 0\n";

}  // namespace

TEST(SendChat, SetsTheEntryThenClicksAndPressesTheSixthIcon) {
    Host host;
    host.OpenRoom("Lobby");
    host.ClearLog();

    SendChat("hello");

    EXPECT_EQ(kSendHello, Describe(Inputs(host.Log())));
    EXPECT_EQ(std::vector<std::string>{"hello"}, host.ChatLines("Lobby"));
}

TEST(SendChat, EmptyLineStillEmptiesTheEntryAndPressesSend) {
    Host host;
    host.OpenRoom("Lobby");
    host.ClearLog();

    SendChat("");

    EXPECT_EQ("Lobby.rich1 WM_SETTEXT 0 0 \"\"\n"
              "Lobby.icon6 WM_LBUTTONDOWN 0 0\n"
              "Lobby.icon6 WM_LBUTTONUP 0 0\n"
              "Lobby.icon6 WM_KEYDOWN 32 0\n"
              "Lobby.icon6 WM_KEYUP 32 0\n",
              Describe(Inputs(host.Log())));
    EXPECT_TRUE(host.ChatLines("Lobby").empty());
}

TEST(SendChat, TextTravelsInTheCodePage) {
    Host host;
    host.OpenRoom("Lobby");

    // The version mark, an en dash, a euro sign, and a letter that code page
    // 1252 lacks, which becomes '?' at the boundary and nowhere else.
    SendChat("v\u00B9\u00B7\u00BA \u2013 \u20AC \u0142");

    EXPECT_EQ(std::vector<std::string>{"v\xB9\xB7\xBA \x96 \x80 ?"}, host.ChatLines("Lobby"));
}

TEST(SendChat, WithoutAnOpenRoomNothingIsSentAnywhere) {
    Host host;
    host.OpenDocument("Welcome, Guest", {"_AOL_Static", "_AOL_Icon"});
    host.OpenDocument("Not a room", kNotQuiteRoom);
    host.ClearLog();

    SendChat("lost");

    EXPECT_EQ("", Describe(Inputs(host.Log())));
}

TEST(SendChat, WithoutAHostReturnsQuietly) {
    ASSERT_EQ(nullptr, FindWindowA("AOL Frame25", nullptr));
    EXPECT_EQ(nullptr, FindChatRoom());
    SendChat("nobody hears this");
    EXPECT_EQ("", GetCaption(nullptr));
}

TEST(SendChat, RoomWithTooFewIconsGetsTheTextButNoPress) {
    Host host;
    host.OpenDocument("Small", {"RICHCNTL", "_AOL_Listbox", "_AOL_Static", "_AOL_Icon",
                                "_AOL_Icon", "_AOL_Icon"});
    host.ClearLog();

    SendChat("half");

    // The sixth icon is missing: nothing is pressed rather than another icon.
    EXPECT_EQ("Small.rich1 WM_SETTEXT 0 0 \"half\"\n", Describe(Inputs(host.Log())));
}

TEST(SendChat, GoesToTheRoomFirstInChildOrder) {
    Host host;
    host.OpenRoom("Older");
    host.OpenRoom("Newer");  // a new room comes to the top

    SendChat("one");
    host.BringToTop("Older");
    SendChat("two");

    EXPECT_EQ(std::vector<std::string>{"one"}, host.ChatLines("Newer"));
    EXPECT_EQ(std::vector<std::string>{"two"}, host.ChatLines("Older"));
}

TEST(FindChatRoom, PassesOverDocumentsThatLackOneOfTheFourClasses) {
    Host host;
    host.OpenRoom("Lobby");
    host.OpenDocument("Welcome, Guest", {"_AOL_Static", "_AOL_Icon", "RICHCNTL"});
    host.OpenDocument("No list", kNotQuiteRoom);
    host.OpenDocument("No static", {"RICHCNTL", "_AOL_Listbox", "_AOL_Icon"});
    host.OpenDocument("No icon", {"RICHCNTL", "_AOL_Listbox", "_AOL_Static"});
    host.OpenDocument("No entry", {"_AOL_Listbox", "_AOL_Icon", "_AOL_Static"});

    EXPECT_EQ("Lobby", CaptionOf(FindChatRoom()));
}

TEST(FindChatRoom, FollowsTheChildOrderAsItChanges) {
    Host host;
    host.OpenRoom("Lobby");
    host.OpenDocument("Welcome, Guest", {"_AOL_Static"});
    EXPECT_EQ("Lobby", CaptionOf(FindChatRoom()));

    // Any document with the four classes is a room, whatever its caption.
    host.OpenDocument("Odd", {"_AOL_Static", "_AOL_Icon", "_AOL_Listbox", "RICHCNTL"});
    EXPECT_EQ("Odd", CaptionOf(FindChatRoom()));

    host.BringToTop("Lobby");
    EXPECT_EQ("Lobby", CaptionOf(FindChatRoom()));

    host.Close("Lobby");
    EXPECT_EQ("Odd", CaptionOf(FindChatRoom()));
    host.Close("Odd");
    EXPECT_EQ(nullptr, FindChatRoom());
}

TEST(GetCaption, ReadsTheCaptionInTheCodePage) {
    Host host;
    host.OpenDocument("Caf\xE9 \xB9\xB7\xBA", {});
    HWND document = FindWindowExA(FindDocumentArea(), nullptr, "AOL Child", nullptr);

    EXPECT_EQ("Caf\u00E9 \u00B9\u00B7\u00BA", GetCaption(document));
    EXPECT_EQ("", GetCaption(nullptr));
}

TEST(NthChild, CountsOnlyChildrenOfTheNamedClass) {
    Host host;
    host.OpenRoom("Lobby");
    HWND room = FindChatRoom();

    EXPECT_EQ("Send", CaptionOf(NthChild(room, "_AOL_Icon", 6)));
    EXPECT_EQ("Notify", CaptionOf(NthChild(room, "_aol_icon", 1)));  // classes ignore case
    EXPECT_EQ(nullptr, NthChild(room, "_AOL_Icon", 7));
    EXPECT_EQ(nullptr, NthChild(nullptr, "_AOL_Icon", 1));
}

TEST(SendChat, RoomClosingMidwayPressesNothingInTheRoomBelow) {
    Host host;
    host.OpenRoom("Below");
    host.OpenRoom("Lobby");
    host.CloseWhenTextArrives("Lobby");
    host.ClearLog();

    SendChat("leaving");

    EXPECT_EQ("Lobby.rich1 WM_SETTEXT 0 0 \"leaving\"\n", Describe(Inputs(host.Log())));
    EXPECT_TRUE(host.ChatLines("Below").empty());
    EXPECT_EQ("Below", CaptionOf(FindChatRoom()));
}
