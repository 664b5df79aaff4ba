// The chat lines that wait for a host that stopped answering: in order,
// bounded, and a tick's status line makes the earlier ticks' lines stale.
#include <gtest/gtest.h>

#include "host/backlog.h"
#include "tests/expected_lines.h"

namespace {

// The waiting lines' texts, first to last.
Lines Waiting(ChatBacklog backlog) {
    Lines texts;
    for (; !backlog.empty(); backlog.PopFront()) texts.push_back(backlog.front().text);
    return texts;
}

}  // namespace

TEST(ChatBacklog, BeyondTheBoundTheOldestLineGoes) {
    ChatBacklog backlog;
    for (int i = 1; i <= 12; ++i) backlog.Add(std::to_string(i), ChatKind::kLine);
    EXPECT_EQ(ChatBacklog::kMaxLines, backlog.size());
    EXPECT_EQ((Lines{"3", "4", "5", "6", "7", "8", "9", "10", "11", "12"}), Waiting(backlog));
}

// The room wants the time idled now, not the minutes it missed; what was
// said once is kept.
TEST(ChatBacklog, ATicksStatusLineDropsTheEarlierTicksLinesAndKeepsTheRest) {
    ChatBacklog backlog;
    backlog.Add("status 1", ChatKind::kTickStatus);
    backlog.Add("reason 1", ChatKind::kTickDetail);
    backlog.Add("said", ChatKind::kLine);
    backlog.Add("transfer 1", ChatKind::kTickDetail);
    backlog.Add("status 2", ChatKind::kTickStatus);
    backlog.Add("reason 2", ChatKind::kTickDetail);
    EXPECT_EQ((Lines{"said", "status 2", "reason 2"}), Waiting(backlog));
    // A detail alone drops nothing.
    backlog.Add("transfer 2", ChatKind::kTickDetail);
    EXPECT_EQ((Lines{"said", "status 2", "reason 2", "transfer 2"}), Waiting(backlog));
}

// Stale lines go before the bound is counted: a full backlog with a tick in
// it loses no line that was said once.
TEST(ChatBacklog, AStatusLineMakesRoomByDroppingStaleLinesBeforeTheOldest) {
    ChatBacklog backlog;
    backlog.Add("1", ChatKind::kLine);
    backlog.Add("status 1", ChatKind::kTickStatus);
    for (int i = 2; i <= 9; ++i) backlog.Add(std::to_string(i), ChatKind::kLine);
    ASSERT_EQ(ChatBacklog::kMaxLines, backlog.size());
    backlog.Add("status 2", ChatKind::kTickStatus);
    EXPECT_EQ((Lines{"1", "2", "3", "4", "5", "6", "7", "8", "9", "status 2"}), Waiting(backlog));
}
