// The room buster against hostsim: start, attempts and stop as the host
// records them, its lines as the rooms receive them, and the refusal boxes
// pressed away; the start's pauses on a clock of the test's own.
#include <gtest/gtest.h>

#include <memory>

#include "hostsim/hostsim.h"
#include "roombust/room_buster.h"
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
    // Busting ends when the attempts find a room; a bound keeps a fault from
    // waiting for ever.
    bool BustedIn() { return PumpUntil([&] { return !buster_.busting(); }, 5000); }

    std::unique_ptr<hostsim::Host> host_ = std::make_unique<hostsim::Host>();
    Settings settings_;
    RoomBuster buster_{settings_, [] {}};
    FakeClock clock_{100.0f};
};

}  // namespace

TEST_F(RoomBusterTest, StartAnnouncesInTheRoomLeavesItThenAttemptsUntilInRefusalsPressedFirst) {
    host_->SetAnswerDelay(0);  // a room opens before the keyword's message returns
    const std::string in = Attempt("Crowded") + PostedLine("Crowded", Line("busted into", "Crowded"));
    const struct { bool inLobby; int refusals; std::string typed; Lines atPauses; const char* tries; }
        kStarts[] = {
            // No room: no start line, nothing closed; each refusal box
            // pressed away before the next attempt.
            {false, 2, Refused("Crowded") + Refused("Crowded") + in,
             {"3 s: 0 lines", "3 s: 0 lines"}, "3"},
            // The start line at the end of the first pause, the lobby left
            // at the end of the second, and in at the first attempt.
            {true, 0, PostedLine("Lobby", Line("is now busting", "Crowded")) +
                          "Lobby WM_CLOSE 0 0\nLobby WM_SHOWWINDOW 0 0\n" + in,
             {"3 s: 0 lines", "3 s: 1 lines"}, "1"}};
    for (const auto& start : kStarts) {
        if (start.inLobby) host_->OpenRoom("Lobby");
        host_->MakeRoomFull("Crowded", start.refusals);
        host_->ClearLog();
        Lines atPauses;
        double since = clock_.elapsed();
        clock_.OnIdle([&] {
            atPauses.push_back(std::to_string((int)(clock_.elapsed() - since)) + " s: " +
                               std::to_string(host_->ChatLines("Lobby").size()) + " lines");
            since = clock_.elapsed();
        });
        buster_.Start();
        ASSERT_TRUE(BustedIn());
        Pump(600);  // long enough for another attempt, were there one
        EXPECT_EQ(start.typed, Typed(*host_));
        EXPECT_EQ(start.atPauses, atPauses);
        EXPECT_EQ(start.tries, Tries());  // the attempt that got in counts
        EXPECT_EQ(Lines{"Crowded"}, host_->Documents());
        EXPECT_EQ(nullptr, VisibleRefusalBox());
        host_->Close("Crowded");
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
    EXPECT_EQ(nullptr, VisibleRefusalBox());

    // A box without "OK" gets no press: the watcher spends its bound on it
    // handling messages, then gives up rather than looking again and again,
    // and this thread stays idle.
    hostsim::ResponseWatch watch;
    host_->Execute("box yesno");
    ASSERT_TRUE(PumpUntil([] { return VisibleRefusalBox() != nullptr; }));
    Pump(1500);  // the watcher's bound on one box
    EXPECT_LT(watch.LongestMs(), 500.0);
    const double before = ThreadCpuSeconds();
    Pump(2000);
    EXPECT_LT(ThreadCpuSeconds() - before, 0.2);
    EXPECT_NE(nullptr, VisibleRefusalBox());
    EXPECT_EQ(BoxPresses(4), Describe(Of(host_->Log(), "box")));
    EXPECT_FALSE(buster_.busting());
}

TEST_F(RoomBusterTest, StartWhileBustingRestartsTheCountAttemptsGoOnAndARoomOpenedByHandEndsIt) {
    host_->MakeRoomFull("Crowded", 1000);
    buster_.Start();
    ASSERT_TRUE(PumpUntil([&] { return Tries() == "3"; }));
    Lines atPause;
    clock_.OnIdle([&] {
        atPause.push_back(Tries());
        Pump(900);  // the pause, as it passes: the attempt timer ticks in it
    });
    buster_.Start();
    ASSERT_EQ(2u, atPause.size());
    EXPECT_EQ("0", atPause[0]);
    EXPECT_LE(1, std::stoi(atPause[1]));
    EXPECT_LT(std::stoi(atPause[1]), std::stoi(Tries()));
    EXPECT_TRUE(buster_.busting());

    // Any room counts, its name not compared; the attempt that finds it counts too.
    const std::string next = std::to_string(std::stoi(Tries()) + 1);
    host_->OpenRoom("Own");
    ASSERT_TRUE(BustedIn());
    EXPECT_EQ(Lines{Line("busted into", "Crowded")}, host_->ChatLines("Own"));
    EXPECT_EQ(next, Tries());
}

TEST_F(RoomBusterTest, AHungThenVanishedHostCostsTheWindowsLittleAndTheCountGoesOn) {
    host_->OpenRoom("Lobby");
    host_->MakeRoomFull("Crowded", 1000);
    buster_.Start();
    ASSERT_TRUE(PumpUntil([&] { return Tries() == "1"; }));
    host_->Hang(3000);
    // The window answers throughout: its input never waits long.
    hostsim::ResponseWatch watch;
    Pump(3500);
    EXPECT_LT(watch.LongestMs(), 1200.0);
    host_.reset();  // the host ends while busting
    const int before = std::stoi(Tries());
    Pump(1000);
    EXPECT_LT(before, std::stoi(Tries()));
    EXPECT_TRUE(buster_.busting());
}

TEST_F(RoomBusterTest, CountsFromTheNumberItsCounterStartsWith) {
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
