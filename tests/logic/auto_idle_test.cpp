// Auto idle: the minutes a stored value sets, and the decision over times the
// test gives: when idling starts and ends by itself, and when it looks again.
#include <gtest/gtest.h>

#include <utility>

#include "idler/auto_idle.h"
#include "settings/auto_idle_setting.h"

TEST(AutoIdle, MinutesAreAWholeNumberFrom1To1440AndAnythingElseIsOff) {
    const std::pair<const char*, int> cases[] = {
        {"1", 1}, {"1440", 1440}, {"0005", 5}, {"", 0}, {"0", 0}, {"1441", 0}, {"99999", 0},
        {"4294967301", 0}, {" 5", 0}, {"-5", 0}, {"+5", 0}, {"5m", 0}, {"off", 0}};
    for (const auto& [text, minutes] : cases) EXPECT_EQ(minutes, AutoIdleMinutes(text)) << text;
}

TEST(AutoIdle, StartsAfterTheQuietSpellAndOnlyWhatItStartedEndsAtTheFirstInput) {
    using S = AutoIdleStep;
    constexpr uint32_t kWrap = 0xFFFFF000u;  // 4 s before the tick clock wraps
    const struct { const char* name; AutoIdleState state; S step; uint32_t next; } rows[] = {
        // minutes, idling, by itself, now, last input, last input after the start
        {"off", {0, false, false, 9000000, 0, 0}, S::kWait, 0},
        {"quiet 1 of 5 minutes", {5, false, false, 60000, 0, 0}, S::kWait, kQuietCheckMs},
        {"a second short", {5, false, false, 299000, 0, 0}, S::kWait, 1000},
        {"quiet 5 of 5", {5, false, false, 300000, 0, 0}, S::kStart, kReturnCheckMs},
        {"quiet across the wrap", {1, false, false, kWrap + 60000, kWrap, 0}, S::kStart, 500},
        {"input read after the clock", {1, false, false, 70000, 70004, 0}, S::kWait, 15000},
        {"started by hand, quiet", {1, true, false, 9000000, 0, 0}, S::kWait, kQuietCheckMs},
        {"by hand, input", {1, true, false, 9000000, 8999000, 0}, S::kWait, kQuietCheckMs},
        // What the start itself stirred is no input.
        {"by itself, quiet", {1, true, true, 9000000, 60005, 60005}, S::kWait, kReturnCheckMs},
        {"by itself, input", {1, true, true, 9000000, 8999000, 60005}, S::kStop, kQuietCheckMs},
        {"by itself, input past the wrap", {1, true, true, 5, 1, kWrap}, S::kStop, kQuietCheckMs},
        // Turned off meanwhile: what started by itself still ends by itself.
        {"off since, quiet", {0, true, true, 9000000, 7, 7}, S::kWait, kReturnCheckMs},
        {"off since, input", {0, true, true, 9000000, 8, 7}, S::kStop, 0},
    };
    for (const auto& row : rows) {
        const AutoIdleDecision d = DecideAutoIdle(row.state);
        EXPECT_EQ(row.step, d.step) << row.name;
        EXPECT_EQ(row.next, d.nextCheckMs) << row.name;
    }
}
