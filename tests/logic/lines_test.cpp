// What the chat lines count and whom they name; their bytes as the room gets
// them are the business of the tests under Wine, where the room is.
#include <gtest/gtest.h>

#include <string>

#include "lines/lines.h"
#include "tests/expected_lines.h"

TEST(IdleCount, AMinuteCarriesIntoTheHourAt60AndTheDayAt24) {
    const struct { IdleCount before, after; } cases[] = {
        {{0, 0, 0}, {0, 0, 1}},
        {{0, 0, 59}, {0, 1, 0}},
        {{0, 23, 58}, {0, 23, 59}},
        {{0, 23, 59}, {1, 0, 0}},
        {{99, 23, 59}, {100, 0, 0}},  // days have no bound
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.before.days << "d " << c.before.hours << "h "
                                        << c.before.minutes << "m");
        IdleCount count = c.before;
        count.AddMinute();
        EXPECT_EQ(c.after.days, count.days);
        EXPECT_EQ(c.after.hours, count.hours);
        EXPECT_EQ(c.after.minutes, count.minutes);
    }
}

// Idling on and off name the handle as its dialog's field holds it, typing
// included; every other line names the handle saved.
TEST(Lines, AnnouncementsNameTheHandleAsTypedAndTheOtherLinesTheSavedOne) {
    Settings s;
    s.handle = "ann", s.handleEdit = "anne";
    const struct { const char* name; std::string line; const char* handle; } cases[] = {
        {"start", StartLine(s), "anne"},
        {"stop", StopLine(s), "anne"},
        {"user", UserLine(s), "ann"},
        {"farewell", FarewellLine(s), "ann"},
        {"busting", BustingLine(s, "den"), "ann"},
        {"player", PlayerLine(s, playeraction::kPlay, "a.mp3"), "ann"},
    };
    for (const auto& c : cases)
        EXPECT_NE(std::string::npos, c.line.find(Marked(c.handle))) << c.name << ": " << c.line;
}
