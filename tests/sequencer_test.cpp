// The sequencer: how long its pauses last, how long it looks, and what a
// second start, an attempt, a stop or an exit does to the operations queued
// or under way. Steps here only note that they ran.
#include <gtest/gtest.h>

#include <algorithm>

#include "host/sequencer.h"
#include "tests/support.h"

namespace {

// An operation of that kind whose steps note "name1", "name2"... with the
// given pauses between them.
HostOperation Noting(std::string& log, const std::string& name, HostOp kind,
                     std::initializer_list<int> pauses) {
    HostOperation op(kind);
    int step = 0;
    auto note = [&log, name](int n) { return [&log, name, n] { log += name + std::to_string(n) + " "; }; };
    op.Then(note(++step));
    for (int seconds : pauses) op.PauseToSecond(seconds).Then(note(++step));
    return op;
}

}  // namespace

// A pause lasts what WaitSpan gives, from the start rounded to the whole
// second (tests/logic/rounding_test.cpp), and the program idles through it
// once; one that is over before it begins does not hold the operation.
TEST(Sequencer, APauseEndsAtTheRoundedSecondPlusItsLength) {
    const struct { float start; int seconds; double length; } cases[] = {
        {100.6f, 2, 2.4},  // ends when the clock reads 103.0
        {100.4f, 0, 0.0},
        // The time of day falls back to 0 at midnight; the pause still ends
        // about two seconds after it began, rather than never.
        {86399.7f, 2, 2.3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.start << " + " << c.seconds);
        FakeClock clock(c.start);
        clock.Install();
        std::string log;
        HostSequencer().Add(Noting(log, "a", HostOp::kPlain, {c.seconds}));
        // The first steps run at once, up to a pause that lasts.
        EXPECT_EQ(c.length > 0 ? "a1 " : "a1 a2 ", log);
        ASSERT_TRUE(RunHostSteps());
        EXPECT_EQ("a1 a2 ", log);
        EXPECT_NEAR(c.length, clock.elapsed(), 1e-2);
        EXPECT_EQ(c.length > 0 ? 1 : 0, clock.idles());
    }
}

// A look asks at once, then every interval until done or the bound, and the
// operation goes on either way.
TEST(Sequencer, ALookEndsWhenDoneOrAtItsBoundAndTheOperationGoesOn) {
    for (int doneAt : {1, 4, 1000}) {
        SCOPED_TRACE(doneAt);
        FakeClock clock(100.0f);
        clock.Install();
        bool after = false;
        int asked = 0;
        HostSequencer().Add(HostOperation()
                                .Until([&] { return ++asked == doneAt; }, 100, 10)
                                .Then([&] { after = true; }));
        ASSERT_TRUE(RunHostSteps());
        EXPECT_TRUE(after);
        // Eleven asks fit in the bound: at once, then every 10 ms to its end.
        const int asks = std::min(doneAt, 11);
        EXPECT_EQ(asks, asked);
        EXPECT_NEAR((asks - 1) * 0.01, clock.elapsed(), 1e-6);
        EXPECT_EQ(0, clock.idles());  // looks are no pauses
    }
}

// Everything that sends to the host joins one queue, and what an operation
// of each kind does there is decided in one place. Each case acts while the
// first operation is in its first pause, then runs the queue out.
TEST(Sequencer, EachKindJoinsTheQueueAsItsRuleSays) {
    const struct {
        const char* what;
        HostOp first;
        std::function<void(std::string&)> act;  // in the first's pause
        std::string log;
    } kCases[] = {
        {"another operation waits for the one under way, whole", HostOp::kPlain,
         [](std::string& log) { HostSequencer().Add(Noting(log, "b", HostOp::kPlain, {0})); },
         "a1 a2 a3 b1 b2 "},
        {"a second start, under way or queued, is ignored", HostOp::kBusterStart,
         [](std::string& log) {
             EXPECT_FALSE(HostSequencer().Add(Noting(log, "s", HostOp::kBusterStart, {})));
             HostSequencer().Add(Noting(log, "b", HostOp::kPlain, {}));
         },
         "a1 a2 a3 b1 "},
        {"an attempt while one waits is dropped", HostOp::kPlain,
         [](std::string& log) {
             EXPECT_TRUE(HostSequencer().Add(Noting(log, "t", HostOp::kAttempt, {})));
             EXPECT_FALSE(HostSequencer().Add(Noting(log, "u", HostOp::kAttempt, {})));
         },
         "a1 a2 a3 t1 "},
        {"a stop ends the start in its pause, and what is queued runs at once",
         HostOp::kBusterStart,
         [](std::string& log) {
             HostSequencer().Add(Noting(log, "b", HostOp::kPlain, {}));
             HostSequencer().Cancel(HostOp::kBusterStart);
             EXPECT_EQ("a1 b1 ", log);
         },
         "a1 b1 "},
        {"a stop ends a start that waits in the queue", HostOp::kPlain,
         [](std::string& log) {
             HostSequencer().Add(Noting(log, "s", HostOp::kBusterStart, {}));
             HostSequencer().Cancel(HostOp::kBusterStart);
         },
         "a1 a2 a3 "},
        {"an exit ends the operation under way and what is queued, once", HostOp::kPlain,
         [](std::string& log) {
             HostSequencer().Add(Noting(log, "b", HostOp::kPlain, {}));
             EXPECT_TRUE(HostSequencer().Add(Noting(log, "x", HostOp::kExit, {1})));
             EXPECT_FALSE(HostSequencer().Add(Noting(log, "y", HostOp::kExit, {})));
         },
         "a1 x1 x2 "},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.what);
        FakeClock clock(100.0f);
        clock.Install();
        std::string log;
        clock.OnIdle([&] { if (clock.idles() == 1) c.act(log); });
        HostSequencer().Add(Noting(log, "a", c.first, {1, 1}));
        ASSERT_TRUE(RunHostSteps());
        EXPECT_EQ(c.log, log);
        EXPECT_FALSE(HostSequencer().Has(c.first));
    }
}

// A step that starts an operation, or asks for the exit, is never entered by
// it: the new one runs after the step, and the exit after the step too,
// ending the rest of the operation.
TEST(Sequencer, WhatAStepStartsRunsAfterTheStep) {
    const std::pair<HostOp, const char*> kStarted[] = {{HostOp::kPlain, "a1 a2 b1 "},
                                                       {HostOp::kExit, "a1 b1 "}};
    for (const auto& [kind, expected] : kStarted) {
        std::string log;
        HostSequencer().Add(HostOperation()
                                .Then([&, kind = kind] {
                                    HostSequencer().Add(Noting(log, "b", kind, {}));
                                    log += "a1 ";
                                })
                                .Then([&] { log += "a2 "; }));
        EXPECT_EQ(expected, log);
        EXPECT_TRUE(HostSequencer().idle());
    }
}
