// The idle clock: its counters, and the lines of idle on, idle off and every
// tick as they arrive in hostsim's room.
#include <gtest/gtest.h>

#include "host/chat.h"
#include "hostsim/hostsim.h"
#include "idler/main_window.h"
#include "tests/support.h"

using Lines = std::vector<std::string>;

namespace {

// The lines' bytes with decorations "(" and ")", handle "ann", reason "afk".
const std::string kOn = "< font . color=#0099FF>", kOff = "< font . color=#000000>";
const std::string kBanner = "( norq " + kOn + "i<u>d</u>ler" + kOff + " v\xB9\xB7\xBA";
const std::string kStart = kBanner + " -  " + kOn + "ann" + kOff + " started idle. )";
const std::string kStop = kBanner + " -  " + kOn + "ann" + kOff + " stopped idle. )";
const char kReason[] = "( re: afk )";

// "0d/1h/2m", the letters highlighted: the status and total lines' count.
std::string Count(int d, int h, int m) {
    return std::to_string(d) + kOn + "d" + kOff + "/" + std::to_string(h) + kOn + "h" + kOff +
           "/" + std::to_string(m) + kOn + "m" + kOff;
}
std::string Status(int d, int h, int m) {
    return kBanner + " \x96  vonk ( " + Count(d, h, m) + " ) )";
}
std::string Total(int d, int h, int m) {
    return "( " + kOn + "i<u>d</u>led" + kOff + " for: " + Count(d, h, m) + " )";
}

class IdleClockTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(drive_.ok());
        WriteFileBytes(drive_.SettingsPath(), "[norq idle]\r\nhandle=ann\r\nreason=afk\r\n"
                                              "left-ascii=(\r\nright-ascii=)\r\n");
        host_.OpenRoom("Lobby");
        main_.Open();
    }

    void Tick() { SendMessageW(main_.hwnd(), WM_TIMER, kIdleTimer, 0); }
    // The lines posted after the start-up pair.
    Lines Posted() const {
        Lines all = host_.ChatLines("Lobby");
        return Lines(all.begin() + 2, all.end());
    }

    OnTestDrive drive_;
    hostsim::Host host_;
    Settings settings_;
    MainWindow main_{settings_, [] {}};
};

}  // namespace

TEST(IdleCount, CarriesAtSixtyMinutesAndTwentyFourHours) {
    IdleCount cases[][2] = {{{0, 0, 59}, {0, 1, 0}}, {{0, 23, 58}, {0, 23, 59}},
                            {{0, 23, 59}, {1, 0, 0}}, {{999, 23, 59}, {1000, 0, 0}}};
    for (auto [count, after] : cases) {  // each case's count, copied
        count.AddMinute();
        EXPECT_EQ((std::vector<int>{after.days, after.hours, after.minutes}),
                  (std::vector<int>{count.days, count.hours, count.minutes}));
    }
}

TEST_F(IdleClockTest, OnTicksAndOffPostTheirLinesAndTheCountGoesOnWhenIdlingAgain) {
    main_.IdleOn();
    Tick(), Tick(), Tick();
    main_.IdleOff();
    Tick();  // a tick that was already on its way when idling stopped
    main_.IdleOn();
    Tick(), Tick();
    main_.IdleOff();

    EXPECT_EQ((Lines{kStart, Status(0, 0, 1), kReason, Status(0, 0, 2), kReason, Status(0, 0, 3),
                     kReason, kStop, Total(0, 0, 3), kStart, Status(0, 0, 4), kReason,
                     Status(0, 0, 5), kReason, kStop, Total(0, 0, 5)}),
              Posted());
}

TEST_F(IdleClockTest, ATickCountsOnFromTheLabelsIntoTheNextDayAndAddsAFileTransferLine) {
    SetDlgItemTextW(main_.hwnd(), kHoursLabel, L"23");
    SetDlgItemTextW(main_.hwnd(), kMinutesLabel, L"59");
    host_.OpenDocument("File Transfer - 45%", {{"_AOL_Static", "Downloading song.mp3"},
                                               {"_AOL_Static", "About 12 minutes"}});
    main_.IdleOn();
    Tick();

    EXPECT_EQ((Lines{kStart, Status(1, 0, 0), kReason,
                     "( file: " + kOn + "song.mp3" + kOff + " - p: " + kOn +
                         "45< font . color=#00000>% - ml: " + kOn + " 12 " + kOff + ")"}),
              Posted());
    const IdleCount shown = main_.count();  // read back from the labels
    EXPECT_EQ((std::vector<int>{1, 0, 0}),
              (std::vector<int>{shown.days, shown.hours, shown.minutes}));
}

TEST_F(IdleClockTest, IdleOffDuringATicksPauseComesBeforeItsReasonLine) {
    main_.IdleOn();
    // The tick's pause handles messages; "idler off" is chosen in it.
    FakeClock clock(100.6f);
    clock.OnIdle([&] {
        if (clock.idles() == 1) main_.menu().Run(CommandMenu::CommandOf("idleoff"));
    });
    clock.Install();

    Tick();

    EXPECT_EQ((Lines{kStart, Status(0, 0, 1), kStop, Total(0, 0, 1), kReason}), Posted());
}

TEST_F(IdleClockTest, ADecorationBeingTypedFramesTheNextLineBeforeOk) {
    main_.IdleOn();
    // Typed into the dialog, not confirmed.
    SetDlgItemTextW(main_.dialog(DialogKind::kLeftAscii).hwnd(), kDialogEdit, L"\u00AB");

    Tick();

    EXPECT_EQ("\xAB re: afk )", Posted().back());
}

// A host that stops answering across ticks: what it could not take waits and
// arrives once, in order, when it answers again; the program's own messages
// are handled meanwhile. Each case: how long the host hangs, what is posted
// while it hangs, how many lines wait then, and what the room gets after.
TEST_F(IdleClockTest, AHungHostGetsTheWaitingLinesOnceInOrderWhenItAnswersAgain) {
    struct Case {
        const char* name;
        int hangMs;
        int ticks;
        int plainLines;  // posted after the ticks, "1", "2", ...
        size_t waiting;
        Lines after;
    };
    const Case cases[] = {
        {"one tick", 2000, 1, 0, 2, {Status(0, 0, 1), kReason}},
        // The later tick's status line makes the earlier tick's lines stale.
        {"two ticks", 2500, 2, 0, 2, {Status(0, 0, 3), kReason}},
        // Twelve more lines than the bound holds: the oldest ten go, ticks first.
        {"beyond the bound", 3000, 1, 12, 10, {"3", "4", "5", "6", "7", "8", "9", "10", "11", "12"}},
    };
    main_.IdleOn();
    for (const Case& c : cases) {
        const size_t before = Posted().size();
        host_.Hang(c.hangMs);
        Pump(20);  // the host takes the hang before anything of ours
        hostsim::ResponseWatch watch;
        for (int i = 0; i < c.ticks; ++i) Tick();
        for (int i = 1; i <= c.plainLines; ++i) SendChat(std::to_string(i));
        EXPECT_EQ(c.waiting, WaitingChatLines()) << c.name;
        EXPECT_TRUE(PumpUntil([] { return WaitingChatLines() == 0; }, c.hangMs + 3000)) << c.name;
        Pump(100);
        EXPECT_LT(watch.LongestMs(), 1000.0) << c.name;
        const Lines all = Posted();
        EXPECT_EQ(c.after, Lines(all.begin() + before, all.end())) << c.name;
    }
}

TEST_F(IdleClockTest, WithoutARoomAHungHostKeepsNothingForIt) {
    main_.IdleOn();
    host_.Close("Lobby");
    host_.Hang(1500);
    Pump(20);
    Tick();
    EXPECT_EQ(0u, WaitingChatLines());
    host_.OpenRoom("Den");  // answered once the hang is over
    Pump(1500);
    EXPECT_EQ(Lines{}, host_.ChatLines("Den"));
}
