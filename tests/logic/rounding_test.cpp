// What rounds by the program's one rounding rule, half to even: how long a
// pause to a whole second lasts, and where a drag takes hold.
#include <gtest/gtest.h>

#include "host/timing.h"
#include "ui/drag_math.h"

// A pause runs from its start rounded to the whole second, so it lasts up to
// half a second more or less than asked, and is over before it begins where
// the result is not positive.
TEST(WaitSpan, RunsFromTheStartRoundedToTheWholeSecond) {
    const struct { float start; int seconds; double length; } cases[] = {
        {100.4f, 2, 1.6},   // ends when the clock reads 102.0
        {100.6f, 2, 2.4},   // and here at 103.0
        {100.5f, 2, 1.5},   // a half goes to the even second, 100
        {101.5f, 1, 1.5},   // and here to 102
        {100.4f, 0, -0.4},  // over before it begins
        {100.6f, 0, 0.4},   // to the next whole second
        {100.6f, -3, -2.6},
    };
    for (const auto& c : cases)
        EXPECT_NEAR(c.length, WaitSpan(c.start, c.seconds), 1e-4) << c.start << " + " << c.seconds;
}

TEST(DragState, APressTakesHoldAtTheNearestWholePointOfEachAxis) {
    DragState drag;
    drag.Press(10.5f, 11.5f);  // halves go to the even neighbour, down and up
    EXPECT_TRUE(drag.dragging);
    EXPECT_EQ(10, drag.grabX);
    EXPECT_EQ(12, drag.grabY);
}
