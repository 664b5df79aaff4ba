// The idle clock: its counters, and the lines of idle on, idle off and every
// tick as they arrive in hostsim's room.
#include <gtest/gtest.h>

#include <cmath>

#include "host/chat.h"
#include "hostsim/hostsim.h"
#include "app/program.h"
#include "player/directshow_media.h"
#include "player/player_window.h"
#include "settings/about.h"
#include "ui/text.h"
#include "tests/support.h"

namespace {

// The lines' bytes with decorations "(" and ")", handle "ann", reason "afk".
const std::string kBanner = "( norq " + Marked("i<u>d</u>ler") + " v\xB9\xB7\xBA";
const std::string kStart = kBanner + " -  " + Marked("ann") + " started idle. )";
const std::string kStop = kBanner + " -  " + Marked("ann") + " stopped idle. )";
const char kReason[] = "( re: afk )";

// "0d/1h/2m", the letters highlighted: the status and total lines' count.
std::string Count(int d, int h, int m) {
    return std::to_string(d) + Marked("d") + "/" + std::to_string(h) + Marked("h") + "/" +
           std::to_string(m) + Marked("m");
}
std::string Status(int d, int h, int m) {
    return kBanner + " \x96  vonk ( " + Count(d, h, m) + " ) )";
}
std::string Total(int d, int h, int m) {
    return "( " + Marked("i<u>d</u>led") + " for: " + Count(d, h, m) + " )";
}

class IdleClockTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(drive_.ok());
        time_.Install();
        host_.OpenRoom("Lobby");
        program_.OpenMain();
        ASSERT_TRUE(RunHostSteps());
    }

    IdleClock& idle() { return program_.clock(); }
    void Tick() { idle().Tick(); }
    // Seven tenths into a second: the pause between a tick's lines then lasts
    // to the next one, and what comes in it comes between the lines.
    void LateInASecond() {
        const double into = std::fmod(time_.SinceMidnight(), 1.0);
        time_.Advance(std::fmod(1.7 - into, 1.0));
    }
    Lines Posted() const { return AfterStartUp(host_); }

    OnTestDrive drive_{kAnnSettings + std::string("reason=afk\r\n")};
    FakeClock time_{100.6f};
    hostsim::Host host_;
    Program program_{[] {}};
};

}  // namespace

// The count carries on from where it stands (23 h 59 m into the next day),
// is never reset, goes on when idling starts again, and shows in the main
// window; a transfer adds its line; "idler off" chosen in a tick's pause
// waits for the tick's reason line, and a tick queued behind the tick then
// posts nothing; a decoration being typed, not yet confirmed, frames the
// next line.
TEST_F(IdleClockTest, OnTicksAndOffPostTheirLinesAndTheCountGoesOnWhenIdlingAgain) {
    idle().SetCount({0, 23, 59});
    host_.OpenDocument("File Transfer - 45%", {{"_AOL_Static", "Downloading song.mp3"},
                                               {"_AOL_Static", "About 12 minutes"}});
    idle().On();
    Tick();
    ASSERT_TRUE(RunHostSteps());
    host_.Close("File Transfer - 45%");
    LateInASecond();
    const int idles = time_.idles();
    time_.OnIdle([&] {
        if (time_.idles() == idles + 1) program_.menu().Run(CommandMenu::CommandOf("idleoff"));
    });
    Tick(), Tick();
    ASSERT_TRUE(RunHostSteps());
    idle().On();
    SetDlgItemTextW(program_.dialog(DialogKind::kLeftAscii).hwnd(), kDialogEdit, L"\u00AB");
    Tick();
    ASSERT_TRUE(RunHostSteps());

    EXPECT_EQ((Lines{kStart, Status(1, 0, 0), kReason,
                     "( file: " + Marked("song.mp3") + " - p: < font . color=#0099FF>45"
                         "< font . color=#00000>% - ml: " + Marked(" 12 ") + ")",
                     Status(1, 0, 1), kReason, kStop, Total(1, 0, 1), kStart,
                     "\xAB" + Status(1, 0, 2).substr(1), "\xAB re: afk )"}), Posted());
    const HWND main = program_.main().hwnd();
    EXPECT_EQ((Lines{"1", "0", "2"}), (Lines{TextOf(GetDlgItem(main, kDaysLabel)),
                                             TextOf(GetDlgItem(main, kHoursLabel)),
                                             TextOf(GetDlgItem(main, kMinutesLabel))}));
}

// A host that stops answering across ticks: what it could not take waits and
// arrives once, in order, when it answers again; the program's own messages
// are handled meanwhile. Each case: how long the host hangs, what is posted
// while it hangs, how many lines wait then, and what the room gets after.
TEST_F(IdleClockTest, AHungHostGetsTheWaitingLinesOnceInOrderWhenItAnswersAgainAndNoneWithoutARoom) {
    // plainLines are posted after the ticks: "1", "2", ...
    const struct { const char* name; int hangMs, ticks, plainLines; size_t waiting; Lines after; }
        cases[] = {
        // The later tick's status line makes the earlier tick's lines stale.
        {"two ticks", 1200, 2, 0, 2, {Status(0, 0, 2), kReason}},
        // Twelve more lines than the bound holds: the oldest ten go, ticks first.
        {"beyond the bound", 1200, 1, 12, 10, {"3", "4", "5", "6", "7", "8", "9", "10", "11", "12"}},
    };
    idle().On();
    for (const auto& c : cases) {
        const size_t before = Posted().size();
        host_.Hang(c.hangMs);
        Pump(20);  // the host takes the hang before anything of ours
        hostsim::ResponseWatch watch;
        for (int i = 0; i < c.ticks; ++i) Tick();
        ASSERT_TRUE(RunHostSteps()) << c.name;
        for (int i = 1; i <= c.plainLines; ++i) SendChat(std::to_string(i));
        EXPECT_EQ(c.waiting, WaitingChatLines()) << c.name;
        EXPECT_TRUE(PumpUntil([] { return WaitingChatLines() == 0; }, c.hangMs + 3000)) << c.name;
        Pump(100);
        EXPECT_LT(watch.LongestMs(), 1000.0) << c.name;
        const Lines all = Posted();
        EXPECT_EQ(c.after, Lines(all.begin() + before, all.end())) << c.name;
    }
    // Without a room nothing waits, nor reaches a room opened later.
    host_.Close("Lobby");
    host_.Hang(600);
    Pump(20);
    Tick();
    ASSERT_TRUE(RunHostSteps());
    EXPECT_EQ(0u, WaitingChatLines());
    host_.OpenRoom("Den");  // answered once the hang is over
    ASSERT_TRUE(PumpUntil([&] { return host_.Documents() == Lines{"Den"}; }));
    Pump(200);
    EXPECT_EQ(Lines{}, host_.ChatLines("Den"));
}

// The system's last-input time, made older by a minute less 1.5 s: a quiet
// spell of one minute is over 1.5 s after the last real input.
struct QuietSoon : InputClock {
    uint32_t Now() override { return SystemInputClock().Now(); }
    uint32_t LastInput() override { return SystemInputClock().LastInput() - 58500; }
} g_quietSoon;

// Real input on the virtual display: a click sets one minute, the quiet
// spell starts idling, a tick's own lines and moves do not end it, the user's
// first move does; a menu choice of "idler off" made meanwhile adds nothing;
// idling started by hand keeps on through input.
TEST_F(IdleClockTest, AutoIdleStartsAfterTheQuietSpellAndEndsAtTheFirstInputUnlessStartedByHand) {
    idle().UseInputClock(g_quietSoon);
    auto run = [&](const char* entry) { program_.menu().Run(CommandMenu::CommandOf(entry)); };
    run("autoidle");
    const HWND dialog = program_.dialog(DialogKind::kAutoIdle).hwnd();
    SetDlgItemTextW(dialog, kDialogEdit, L"1");
    ClickOn(GetDlgItem(dialog, kDialogOk));
    int moves = 0;
    auto move = [&] {  // over the main window: Wine counts no move over the bare root
        RECT r;
        GetWindowRect(program_.main().hwnd(), &r);
        Mouse(0, r.left + 5 + 10 * moves++, r.top + 5);
    };

    ASSERT_TRUE(PumpUntil([&] { return idle().idling(); }, 5000));
    Tick();
    Pump(1500);
    EXPECT_TRUE(idle().byItself());
    move();
    EXPECT_TRUE(PumpUntil([&] { return !idle().idling(); }, 2500));
    run("idleoff");
    run("idleron");
    move();
    Pump(1500);
    EXPECT_TRUE(idle().idling());
    EXPECT_EQ((Lines{kStart, Status(0, 0, 1), kReason, kStop, Total(0, 0, 1), kStart}), Posted());
}

// What comes in the pause between a tick's two lines: a command that posts
// waits until the tick's last line is out, and then runs whole; an exit ends
// the tick there; a host that stalls in the pause gets the line it could not
// take once, in order, when it answers again.
TEST_F(IdleClockTest, WhatComesInATicksPauseWaitsForItsLastLineButAnExit) {
    const std::string root = TestDrive() + "\\";
    WriteToneWav(root + "a.wav", 440, 1);
    DirectShowMedia media;
    PlayerWindow player(program_.settings(), media, [] {}, [] {});
    player.ShowFolder(root);
    SendDlgItemMessageW(player.Handle(), kPlayerFiles, LB_SETCURSEL, 0, 0);
    auto run = [&](const char* entry) { program_.menu().Run(CommandMenu::CommandOf(entry)); };
    const Lines adv = {ToAnsi(AdvertisingLine(program_.settings())), ToAnsi(DownloadLine(program_.settings()))};
    const std::string banner = "( norq " + Marked("i<u>d</u>ler") + " v\xB9\xB7\xBA -  ";
    // What comes in the pause; whether the tick still posts its reason line;
    // what the room gets after the tick.
    const struct { const char* what; std::function<void()> inside; bool reason; Lines after; }
        kCases[] = {
        {"advertise", [&] { run("advertise"); }, true, adv},
        {"idler off, idler on", [&] { run("idleoff"), run("idleron"); }, true,
         {kStop, Total(0, 0, 2), kStart}},
        {"a player command", [&] { player.commands().Play(); }, true,
         {PlayerSaid(" - playing: ", "a.wav")}},
        {"a host that stalls", [&] { host_.Hang(800); }, true, {}},
        {"exit", [&] { program_.Exit(ExitKind::kMenu); }, false,
         {banner + "u<u>n</u>Load )", "( by: vo<u>n</u>k -  user: " + Marked("ann") + " )"}},
    };
    idle().On();
    ASSERT_TRUE(RunHostSteps());
    int minutes = 0;
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.what);
        LateInASecond();
        const size_t before = Posted().size();
        const int idles = time_.idles();
        time_.OnIdle([&] { if (time_.idles() == idles + 1) c.inside(); });
        Tick();
        ASSERT_TRUE(RunHostSteps());
        EXPECT_TRUE(PumpUntil([] { return WaitingChatLines() == 0; }, 3000));
        Lines expected = {Status(0, 0, ++minutes)};
        if (c.reason) expected.push_back(kReason);
        expected.insert(expected.end(), c.after.begin(), c.after.end());
        const Lines all = Posted();
        EXPECT_EQ(expected, Lines(all.begin() + before, all.end()));
        time_.OnIdle(nullptr);
    }
}
