// The idle clock: its counters, and the lines of idle on, idle off and every
// tick as they arrive in hostsim's room.
#include <gtest/gtest.h>

#include "hostsim/hostsim.h"
#include "idler/main_window.h"
#include "tests/support.h"

using Lines = std::vector<std::string>;

namespace {

// The lines' bytes with decorations "(" and ")", handle "ann", reason "afk".
const char kStart[] =
    "( norq < font . color=#0099FF>i<u>d</u>ler< font . color=#000000> v\xB9\xB7\xBA -  "
    "< font . color=#0099FF>ann< font . color=#000000> started idle. )";
const char kStop[] =
    "( norq < font . color=#0099FF>i<u>d</u>ler< font . color=#000000> v\xB9\xB7\xBA -  "
    "< font . color=#0099FF>ann< font . color=#000000> stopped idle. )";
const char kReason[] = "( re: afk )";

std::string Total(const char* d, const char* h, const char* m) {
    return std::string("( < font . color=#0099FF>i<u>d</u>led< font . color=#000000> for: ") + d +
           "< font . color=#0099FF>d< font . color=#000000>/" + h +
           "< font . color=#0099FF>h< font . color=#000000>/" + m +
           "< font . color=#0099FF>m< font . color=#000000> )";
}

std::string Status(const char* d, const char* h, const char* m) {
    return std::string(
               "( norq < font . color=#0099FF>i<u>d</u>ler< font . color=#000000> v\xB9\xB7\xBA"
               " \x96  vonk ( ") +
           d + "< font . color=#0099FF>d< font . color=#000000>/" + h +
           "< font . color=#0099FF>h< font . color=#000000>/" + m +
           "< font . color=#0099FF>m< font . color=#000000> ) )";
}

class IdleClockTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(drive_.ok());
        WriteFileBytes(drive_.SettingsPath(),
                       "[norq idle]\r\nhandle=ann\r\nreason=afk\r\n"
                       "left-ascii=(\r\nright-ascii=)\r\n");
        host_.OpenRoom("Lobby");
        main_.Open();
        host_.ClearLog();
        start_ = host_.ChatLines("Lobby").size();
    }

    void Tick() { SendMessageW(main_.hwnd(), WM_TIMER, kIdleTimer, 0); }
    void SetCount(const wchar_t* days, const wchar_t* hours, const wchar_t* minutes) {
        SetDlgItemTextW(main_.hwnd(), kDaysLabel, days);
        SetDlgItemTextW(main_.hwnd(), kHoursLabel, hours);
        SetDlgItemTextW(main_.hwnd(), kMinutesLabel, minutes);
    }
    // The lines posted since the start-up.
    Lines Posted() const {
        Lines all = host_.ChatLines("Lobby");
        return Lines(all.begin() + start_, all.end());
    }

    OnTestDrive drive_;
    hostsim::Host host_;
    Settings settings_;
    MainWindow main_{settings_, [] {}};
    size_t start_ = 0;
};

}  // namespace

TEST(IdleCount, CarriesAtSixtyMinutesAndTwentyFourHours) {
    struct {
        IdleCount before, after;
    } const cases[] = {
        {{0, 0, 0}, {0, 0, 1}},     {{0, 0, 59}, {0, 1, 0}},   {{0, 23, 58}, {0, 23, 59}},
        {{0, 23, 59}, {1, 0, 0}},   {{2, 3, 59}, {2, 4, 0}},   {{999, 23, 59}, {1000, 0, 0}},
    };
    for (const auto& c : cases) {
        IdleCount count = c.before;
        count.AddMinute();
        EXPECT_EQ(c.after.days, count.days);
        EXPECT_EQ(c.after.hours, count.hours);
        EXPECT_EQ(c.after.minutes, count.minutes);
    }
}

TEST_F(IdleClockTest, OnTicksAndOffPostTheirLinesInTheirDecorations) {
    main_.IdleOn();
    Tick();
    Tick();
    main_.IdleOff();

    EXPECT_EQ((Lines{kStart, Status("0", "0", "1"), kReason, Status("0", "0", "2"), kReason,
                     kStop, Total("0", "0", "2")}),
              Posted());
    EXPECT_FALSE(main_.idling());
}

TEST_F(IdleClockTest, TheTickAtTwentyThreeFiftyNineAdvancesTheDay) {
    SetCount(L"0", L"23", L"59");
    main_.IdleOn();
    Tick();

    EXPECT_EQ(Status("1", "0", "0"), Posted()[1]);
    wchar_t shown[16];
    GetDlgItemTextW(main_.hwnd(), kDaysLabel, shown, 16);
    EXPECT_STREQ(L"1", shown);
}

TEST_F(IdleClockTest, CountersAddUpAcrossIdlingAgainAndNothingTicksWhileOff) {
    main_.IdleOn();
    Tick(), Tick(), Tick();
    main_.IdleOff();
    Tick();  // a tick that was already on its way when idling stopped
    main_.IdleOn();
    Tick(), Tick();
    main_.IdleOff();

    EXPECT_EQ(Total("0", "0", "5"), Posted().back());
    // on, three ticks of two lines, off and total; the same with two ticks
    EXPECT_EQ(1 + 3 * 2 + 2 + 1 + 2 * 2 + 2u, Posted().size());
}

TEST_F(IdleClockTest, AFileTransferAddsAThirdLine) {
    host_.OpenDocument("File Transfer - 45%",
                       {{"_AOL_Static", "Downloading song.mp3"}, {"_AOL_Static", "About 12 minutes"}});
    main_.IdleOn();
    Tick();

    EXPECT_EQ((Lines{kStart, Status("0", "0", "1"), kReason,
                     "( file: < font . color=#0099FF>song.mp3< font . color=#000000> - p: "
                     "< font . color=#0099FF>45< font . color=#00000>% - ml: "
                     "< font . color=#0099FF> 12 < font . color=#000000>)"}),
              Posted());
}

TEST_F(IdleClockTest, IdleOffDuringATicksPauseComesBeforeItsReasonLine) {
    main_.IdleOn();
    // The tick's pause handles messages; "idler off" is chosen in it.
    FakeClock clock(100.6f);
    clock.Install();
    settings_.reason = "back soon";  // lines read the settings as they are built
    bool stopped = false;
    clock.OnIdle([&] {
        if (!stopped) {
            stopped = true;
            main_.menu().Run(CommandMenu::CommandOf("idleoff"));
        }
    });

    Tick();

    EXPECT_EQ((Lines{kStart, Status("0", "0", "1"), kStop, Total("0", "0", "1"),
                     "( re: back soon )"}),
              Posted());
}

TEST_F(IdleClockTest, DecorationsBeingTypedShowInTheNextLineBeforeOk) {
    main_.IdleOn();
    HWND left = main_.dialog(DialogKind::kLeftAscii).hwnd();
    SetDlgItemTextW(left, kDialogEdit, L"\u00AB");  // typed, not confirmed

    Tick();

    EXPECT_EQ("\xAB re: afk )", Posted().back());
    EXPECT_EQ("", settings_.leftAsciiSaved);
}
