// The room buster against hostsim: start, attempts and stop as the host
// records them, its lines as the rooms receive them, and the refusal boxes
// pressed away; the start's pauses on a clock of the test's own.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "hostsim/hostsim.h"
#include "app/program.h"
#include "roombust/room_buster.h"
#include "settings/about.h"
#include "tests/support.h"
#include "ui/text.h"

using hostsim::Describe;
using hostsim::Of;

namespace {

// A room buster line with handle "ann" and decorations "(" and ")".
std::string Line(const std::string& what, const std::string& room) {
    return "( " + Marked("ann") + " " + what + " " + Marked(" " + room) + " )";
}

// One attempt, as the keyword box records it.
std::string Attempt(const std::string& room) { return KeywordGo("aol://2719:2-2-" + room); }

// A refused attempt and its box pressed away.
std::string Refused(const std::string& room) {
    return Attempt(room) + room + " REFUSED 0 0 \"" + room + "\"\n" + BoxPresses();
}

class RoomBusterTest : public ::testing::Test {
protected:
    void SetUp() override {
        settings_.handle = "ann";
        settings_.leftAscii = "(";
        settings_.rightAscii = ")";
        clock_.Install();
        SetRoom("Crowded");
    }

    void SetRoom(const std::string& name) {
        SetDlgItemTextW(buster_.Handle(), kBusterRoom, Widen(name).c_str());
    }
    std::string Tries() const { return TextOf(GetDlgItem(buster_.hwnd(), kBusterTries)); }
    // Busting ends when the attempts find a room, after the start; a bound
    // keeps a fault from waiting for ever.
    bool BustedIn() {
        return PumpUntil([&] { return HostSequencer().idle() && !buster_.busting(); }, 10000);
    }

    std::unique_ptr<hostsim::Host> host_ = std::make_unique<hostsim::Host>();
    Settings settings_;
    RoomBuster buster_{settings_, [] {}};
    FakeClock clock_{100.0f};
};

}  // namespace

TEST_F(RoomBusterTest, StartAnnouncesInTheRoomLeavesItThenAttemptsUntilInRefusalsPressedFirst) {
    host_->SetAnswerDelay(0);  // a room opens before the keyword's message returns
    const std::string in = Attempt("Crowded") + PostedLine("Crowded", Line("busted into", "Crowded"));
    const struct {
        const char* what;
        bool inLobby;
        int refusals;
        std::string typed;
        Lines atPauses;
        const char* tries;
        bool other = false;
    } kStarts[] = {
        // No room: no start line, nothing closed; each refusal box pressed
        // away before the next attempt.
        {"without a room", false, 2, Refused("Crowded") + Refused("Crowded") + in,
         {"0 s: 0 lines", "3 s: 0 lines"}, "3"},
        // The start line after the first pause, the lobby left after the
        // second, and in at the first attempt.
        {"from the lobby", true, 0,
         PostedLine("Lobby", Line("is now busting", "Crowded")) +
             "Lobby WM_CLOSE 0 0\nLobby WM_SHOWWINDOW 0 0\n" + in,
         {"0 s: 0 lines", "3 s: 1 lines"}, "1"},
        // Another room beneath, not left: never the room won, nor its line's.
        {"with another room beneath", true, 1,
         PostedLine("Lobby", Line("is now busting", "Crowded")) +
             "Lobby WM_CLOSE 0 0\nLobby WM_SHOWWINDOW 0 0\n" + Refused("Crowded") + in,
         {"0 s: 0 lines", "3 s: 1 lines"}, "2", true}};
    for (const auto& start : kStarts) {
        SCOPED_TRACE(start.what);
        if (start.other) host_->OpenRoom("Other");
        if (start.inLobby) host_->OpenRoom("Lobby");
        host_->MakeRoomFull("Crowded", start.refusals);
        host_->ClearLog();
        // In each pause: the time since the start and the lines so far.
        Lines atPauses;
        const double since = clock_.elapsed();
        const size_t before = host_->ChatLines("Lobby").size();
        clock_.OnIdle([&] {
            atPauses.push_back(std::to_string((int)(clock_.elapsed() - since)) + " s: " +
                               std::to_string(host_->ChatLines("Lobby").size() - before) + " lines");
        });
        buster_.Start();
        ASSERT_TRUE(BustedIn());
        Pump(500);  // long enough for another attempt, were there one
        EXPECT_EQ(start.typed, Typed(*host_));
        EXPECT_EQ(start.atPauses, atPauses);
        EXPECT_EQ(6, (int)(clock_.elapsed() - since));
        EXPECT_EQ(start.tries, Tries());  // the attempt that got in counts
        EXPECT_EQ(start.other ? (Lines{"Crowded", "Other"}) : Lines{"Crowded"}, host_->Documents());
        EXPECT_EQ(nullptr, VisibleRefusalBox());
        host_->Close("Crowded");
        host_->Close("Other");
    }
}

TEST_F(RoomBusterTest, AStopEndsAStartInEitherPauseOrBustingAndNothingIsTypedAfterItsLine) {
    host_->MakeRoomFull("Crowded", 1000);
    const std::string start = PostedLine("Lobby", Line("is now busting", "Crowded"));
    const std::string stop = PostedLine("Lobby", Line("stopped busting", "Crowded"));
    // The idle of the start's pauses that the stop comes in (0: once busting),
    // and what the host got: the lobby is left only once busting.
    const struct { const char* what; int atIdle; std::string typed; } kStops[] = {
        {"in the first pause", 1, stop}, {"in the second pause", 2, start + stop},
        {"once busting", 0, ""}};
    for (const auto& c : kStops) {
        SCOPED_TRACE(c.what);
        host_->OpenRoom("Lobby");
        host_->ClearLog();
        int idles = 0;
        clock_.OnIdle([&] { if (++idles == c.atIdle) buster_.Stop(); });
        buster_.Start();
        ASSERT_TRUE(RunHostSteps());
        if (!c.atIdle) {
            // "x" hides the window and busting goes on, an attempt at most
            // every 400 ms.
            ShowWindow(buster_.hwnd(), SW_SHOWNA);
            SendMessageW(buster_.hwnd(), WM_COMMAND, MAKEWPARAM(kBusterClose, STN_CLICKED), 0);
            EXPECT_FALSE(IsWindowVisible(buster_.hwnd()));
            const DWORD since = GetTickCount();
            ASSERT_TRUE(PumpUntil([&] { return Tries() == "3"; }, 3000));
            EXPECT_GE(GetTickCount() - since, 2 * 400u - 20);
            host_->ClearLog();
            buster_.Stop();  // its line has no room to go to
        }
        Pump(500);  // long enough for an attempt, were there one
        // The last attempt's refusal may come after the stop; no keyword does.
        EXPECT_EQ(c.typed, c.atIdle ? Typed(*host_) : Describe(Of(host_->Log(), "keyword")));
        EXPECT_FALSE(buster_.busting());
        EXPECT_EQ(c.atIdle ? Lines{"Lobby"} : Lines{}, host_->Documents());
        host_->Close("Lobby");
    }
}

// The start is one operation: nothing comes between its steps. A second
// start inside it is ignored (it would leave the room the first won); a
// command chosen inside it runs after it, in the room the user is in then
// (none, till the room is won: its line is lost, as any line without a
// room); a start chosen between another command's two lines waits for the
// second.
TEST_F(RoomBusterTest, NothingRunsInsideTheStartAndAStartWaitsForTheOperationUnderWay) {
    host_->SetAnswerDelay(0);  // the room won is open by the attempt's check
    Program program([] {});
    program.settings() = settings_;
    auto choose = [&](const char* entry) { program.menu().Run(CommandMenu::CommandOf(entry)); };
    const Lines adv = {ToAnsi(AdvertisingLine(settings_)), ToAnsi(DownloadLine(settings_))};
    const struct { const char* what; std::function<void()> first, inside; Lines before; } kDoors[] = {
        {"a second start", nullptr, [&] { buster_.Start(); }, {}},
        {"idler on", nullptr, [&] { choose("idleron"); }, {}},
        {"advertising", nullptr, [&] { choose("advertise"); }, {}},
        {"a start between two lines", [&] { choose("advertise"); },
         [&] { SendMessageW(buster_.hwnd(), WM_COMMAND, MAKEWPARAM(kBusterStart, STN_CLICKED), 0); },
         adv}};
    for (const auto& c : kDoors) {
        SCOPED_TRACE(c.what);
        const std::string n = std::to_string(&c - kDoors), room = "Crowded" + n;
        SetRoom(room);
        host_->OpenRoom("Lobby" + n);
        // Late in a second, the pause between two lines waits for the next.
        if (c.first) clock_.Advance(0.7);
        int idles = 0;
        clock_.OnIdle([&] { if (++idles == 1) c.inside(); });
        const double since = clock_.elapsed();
        c.first ? c.first() : buster_.Start();
        ASSERT_TRUE(BustedIn());
        EXPECT_EQ(6, (int)(clock_.elapsed() - since));  // one start's two pauses
        Pump(500);  // long enough for the room won to be left, were it
        EXPECT_EQ(Lines{room}, host_->Documents());
        Lines lobby = c.before;
        lobby.push_back(Line("is now busting", room));
        EXPECT_EQ(lobby, host_->ChatLines("Lobby" + n));
        EXPECT_EQ(Lines{Line("busted into", room)}, host_->ChatLines(room));
        choose("idleoff");
        ASSERT_TRUE(RunHostSteps());
        host_->Close(room);
    }
}

TEST_F(RoomBusterTest, StopWithoutStartPostsTheStopLineAndBoxesArePressedAwayFromThenOn) {
    host_->OpenRoom("Lobby");
    host_->Execute("box ok");  // up before the watch starts
    ASSERT_TRUE(PumpUntil([] { return VisibleRefusalBox() != nullptr; }));
    // Room names of any length and character: the code page's bytes, '?' for
    // what it lacks (ł and ź), nothing lost or crashed.
    const std::pair<std::string, std::string> kNames[] = {
        {"", ""}, {std::string(300, 'r'), std::string(300, 'r')},
        {"caf\u00E9 \u0142\u00F3d\u017A", "caf\xE9 ?\xF3" "d?"}};
    Lines expected;
    for (const auto& [name, bytes] : kNames) {
        SetRoom(name);
        buster_.Stop();
        expected.push_back(Line("stopped busting", bytes));
    }
    EXPECT_EQ(expected, host_->ChatLines("Lobby"));
    EXPECT_TRUE(PumpUntil([] { return VisibleRefusalBox() == nullptr; }));

    // The buster idle, boxes shown later are pressed away too, each twice.
    for (int boxes = 2; boxes <= 4; ++boxes) {
        host_->Execute("box ok");
        EXPECT_TRUE(PumpUntil([&] { return Describe(Of(host_->Log(), "box")) == BoxPresses(boxes); }, 2000));
    }
    EXPECT_TRUE(PumpUntil([] { return VisibleRefusalBox() == nullptr; }));

    // A box without "OK" gets no press: the watcher looks at it now and then,
    // and this thread stays idle.
    hostsim::ResponseWatch watch;
    host_->Execute("box yesno");
    ASSERT_TRUE(PumpUntil([] { return VisibleRefusalBox() != nullptr; }));
    Pump(600);
    EXPECT_LT(watch.LongestMs(), 500.0);
    const double before = ThreadCpuSeconds();
    Pump(800);
    EXPECT_LT(ThreadCpuSeconds() - before, 0.08);
    EXPECT_NE(nullptr, VisibleRefusalBox());
    EXPECT_EQ(BoxPresses(4), Describe(Of(host_->Log(), "box")));
    EXPECT_FALSE(buster_.busting());
}

// A start while busting puts the count back to 0 at once, and the attempts
// wait for it; any room counts after it, its name not compared, and the
// attempt that finds it first looks, and types nothing.
TEST_F(RoomBusterTest, StartWhileBustingRestartsTheCountHoldsTheAttemptsAndARoomOpenedByHandEndsIt) {
    host_->MakeRoomFull("Crowded", 1000);
    buster_.Start();
    ASSERT_TRUE(PumpUntil([&] { return Tries() == "3"; }));
    Lines atPause;
    clock_.OnIdle([&] {
        // An attempt tick comes in each pause; the attempt waits.
        SendMessageW(buster_.hwnd(), WM_TIMER, kAttemptTimer, 0);
        const std::string typed = Typed(*host_);
        atPause.push_back(Tries() + " " + std::to_string(std::count(typed.begin(), typed.end(), '\n')));
    });
    host_->ClearLog();
    buster_.Start();
    ASSERT_TRUE(PumpUntil([&] { return !HostSequencer().Has(HostOp::kBusterStart); }));
    EXPECT_EQ((Lines{"0 0", "0 0"}), atPause);
    EXPECT_TRUE(buster_.busting());
    ASSERT_TRUE(PumpUntil([&] { return Tries() == "1"; }));

    const std::string tries = Tries();
    host_->OpenRoom("Own");
    host_->ClearLog();
    ASSERT_TRUE(BustedIn());
    EXPECT_EQ(Lines{Line("busted into", "Crowded")}, host_->ChatLines("Own"));
    EXPECT_EQ("", Describe(Of(host_->Log(), "keyword")));
    EXPECT_EQ(tries, Tries());
}

// One attempt at a time: beside a host whose answers come 700 ms after the
// link (as when it asks its server), a link goes out once the last was
// answered, here three links for two refusals, and none once the room is
// open. A host that never answers gets the link again every 2 s.
TEST_F(RoomBusterTest, ALinkGoesOutOnlyOnceTheLastWasAnsweredOrTwoSecondsWentBy) {
    host_->SetAnswerDelay(700);
    host_->MakeRoomFull("Crowded", 2);
    buster_.Start();
    ASSERT_TRUE(BustedIn());
    Pump(500);  // long enough for another attempt, were there one
    // The host presses its slow boxes' presses late too, so the watcher may
    // press a box twice; the links are what counts.
    EXPECT_EQ(Attempt("Crowded") + Attempt("Crowded") + Attempt("Crowded"),
              Describe(Of(host_->Log(), "keyword")));
    const std::string typed = Typed(*host_);
    size_t refusals = 0;
    for (size_t at = 0; (at = typed.find(" REFUSED ", at)) != std::string::npos; ++at) ++refusals;
    EXPECT_EQ(2u, refusals);
    EXPECT_EQ(Lines{Line("busted into", "Crowded")}, host_->ChatLines("Crowded"));
    EXPECT_EQ("3", Tries());
    EXPECT_EQ(Lines{"Crowded"}, host_->Documents());

    host_->Close("Crowded");
    host_->Hang(2500);
    Pump(20);  // the host takes the hang before anything of ours
    host_->ClearLog();
    const DWORD since = GetTickCount();
    buster_.Start();
    ASSERT_TRUE(PumpUntil([&] { return Tries() == "2"; }, 4000));
    EXPECT_GE(GetTickCount() - since, 2000u - 20);
    buster_.Stop();
}

// Without a host there is no answer to wait for: every attempt counts.
TEST_F(RoomBusterTest, CountsFromTheNumberItsCounterStartsWith) {
    host_.reset();
    const std::pair<const char*, const char*> kCounts[] = {
        {"0", "1"}, {"41", "42"}, {"7 tries", "8"}, {" 12", "13"},
        {"abc", "1"}, {"", "1"}, {"-3", "-2"}};
    for (const auto& [before, after] : kCounts) {
        SetDlgItemTextA(buster_.Handle(), kBusterTries, before);
        buster_.Attempt();
        EXPECT_EQ(after, Tries()) << before;
    }
}

TEST_F(RoomBusterTest, AddAppendsTheEditTextAsItIsAndRemoveTakesOnlyTheSelectedEntry) {
    HWND combo = GetDlgItem(buster_.Handle(), kBusterRoom);
    auto entries = [&] {
        Lines all;
        wchar_t text[64];
        for (int i = 0; SendMessageW(combo, CB_GETLBTEXT, i, (LPARAM)text) != CB_ERR; ++i)
            all.push_back(Narrow(text));
        return all;
    };
    auto click = [&](int id) { SendMessageW(buster_.hwnd(), WM_COMMAND, MAKEWPARAM(id, STN_CLICKED), 0); };
    for (const wchar_t* name : {L"Den", L"", L"Den"}) {
        SetWindowTextW(combo, name);
        click(kBusterAdd);
    }
    EXPECT_EQ((Lines{"Den", "", "Den"}), entries());
    SendMessageW(combo, CB_SETCURSEL, (WPARAM)-1, 0);
    click(kBusterRemove);  // nothing selected: nothing removed
    EXPECT_EQ(3u, entries().size());
    SendMessageW(combo, CB_SETCURSEL, 1, 0);
    click(kBusterRemove);
    EXPECT_EQ((Lines{"Den", "Den"}), entries());
}

TEST_F(RoomBusterTest, ABoxIsPressedHoweverLateItShowsAndHoweverLongItsHostStalls) {
    buster_.Stop();  // the watch begins
    host_->Execute("late-box 600");
    ASSERT_TRUE(PumpUntil([] { return VisibleRefusalBox() != nullptr; }, 2000));
    EXPECT_TRUE(PumpUntil([&] {
        return !VisibleRefusalBox() && Describe(Of(host_->Log(), "box")) == BoxPresses();
    }, 2000));

    // Refused once; the host answers the first key and then hangs, so the
    // rest of that press is lost. Once it answers, the box is pressed and the
    // room entered.
    host_->ClearLog();
    host_->MakeRoomFull("Crowded", 1);
    host_->HangAfter("box.ok", WM_KEYDOWN, 1200);
    buster_.Start();
    ASSERT_TRUE(BustedIn());
    EXPECT_TRUE(PumpUntil([] { return VisibleRefusalBox() == nullptr; }, 1000));
    EXPECT_EQ("box.ok WM_KEYDOWN 32 0\n" + BoxPresses(), Describe(Of(host_->Log(), "box")));
    EXPECT_EQ(Lines{Line("busted into", "Crowded")}, host_->ChatLines("Crowded"));
}

// The host would get '?' for what its code page lacks, and enter another room.
TEST_F(RoomBusterTest, ARoomNameOutsideTheCodePageIsRefusedBeforeAnythingIsSentAndEndsBusting) {
    const std::string tokyo = "T\u014Dky\u014D \u6771\u4EAC";
    host_->OpenRoom("Lobby");
    host_->MakeRoomFull("Crowded", 1000);
    const std::string said = "norq room buster - by vonk / The host cannot take this room name: it "
                             "has letters outside the system's code page. Nothing was sent. / OK| / icon";
    SetRoom(tokyo);
    host_->ClearLog();
    EXPECT_EQ(said, AnswerBoxes([&] { buster_.Start(); }).Shown());
    EXPECT_EQ("", Typed(*host_));
    // Typed in while busting: no attempt for it, and busting ends.
    SetRoom("Crowded");
    buster_.Start();
    ASSERT_TRUE(PumpUntil([&] { return Tries() == "1"; }));
    host_->ClearLog();
    EXPECT_EQ(said, AnswerBoxes([&] {
        SetRoom(tokyo);
        PumpUntil([&] { return !buster_.busting(); });
    }).Shown());
    EXPECT_EQ("", Describe(Of(host_->Log(), "keyword")));
    EXPECT_EQ("1", Tries());
}

// A double-click's second press comes as a double-click message: no second
// stop line, no second start inside the first.
TEST_F(RoomBusterTest, ADoubleClickOnStartOrStopActsOnce) {
    ShowWindow(buster_.Handle(), SW_SHOWNORMAL);
    host_->OpenRoom("Lobby");
    HWND start = GetDlgItem(buster_.hwnd(), kBusterStart), stop = GetDlgItem(buster_.hwnd(), kBusterStop);
    ClickOn(stop);
    ClickOn(stop);
    int idles = 0;
    clock_.OnIdle([&] {
        if (++idles > 1) return;
        PostMessageW(start, WM_LBUTTONDBLCLK, MK_LBUTTON, 0);
        PostMessageW(start, WM_LBUTTONUP, 0, 0);
    });
    ClickOn(start);
    ASSERT_TRUE(BustedIn());
    Pump(500);
    EXPECT_EQ((Lines{Line("stopped busting", "Crowded"), Line("is now busting", "Crowded")}),
              host_->ChatLines("Lobby"));
    EXPECT_EQ(Lines{Line("busted into", "Crowded")}, host_->ChatLines("Crowded"));
}
