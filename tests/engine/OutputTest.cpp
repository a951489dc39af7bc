#include "Support.h"

namespace {

using engine::Timer;
using namespace enginetest;

class OutputTest : public TalkFixture {
protected:
    // A turn answered by the question rule from one-line W2.Dat draws the
    // gate, the pick and then the follow-up draw.
    std::uint32_t clockForFollowUp(bool armed) {
        return clockWhere({6, 1, 3}, [armed](const auto& d) { return (d[2] == 0) == armed; });
    }
};

TEST_F(OutputTest, ACompletedTurnShowsTheAnswerAndMakesTheWindowReady) {
    talk.state().IdleTicks = 42;
    const Utf8Lines added = say("как погода");
    EXPECT_EQ(added,
              (Utf8Lines{"USER:     Как погода.", std::string("CPU:     ") + kStatementAnswer}));
    EXPECT_EQ(window.displayText(), (Utf8Lines{"Как погода.", kStatementAnswer}));
    EXPECT_EQ(window.display.at(1).style, engine::LineStyle::Program);
    EXPECT_EQ(window.input, "");
    EXPECT_EQ(window.inputChanges, 1);
    EXPECT_EQ(talk.state().IdleTicks, 0);
    EXPECT_EQ(prevReply(), kStatementAnswer);
    EXPECT_EQ(window.cursorCalls, (std::vector<bool>{true, false}));
    EXPECT_EQ(window.cueCount(engine::Cue::Program), 1);
}

TEST_F(OutputTest, OneDrawInThreeArmsTheFollowUpAndLoadsAiDat) {
    sayAt(clockForFollowUp(true), "как погода");
    EXPECT_TRUE(window.timerEnabled(Timer::T9));
    EXPECT_EQ(utf(talk.scratch().lines()), readBase("AI.dat"));

    window.display.clear();
    sayAt(clockForFollowUp(false), "скучно");
    EXPECT_FALSE(window.timerEnabled(Timer::T9));
    EXPECT_EQ(window.timerCalls.back(), std::make_pair(Timer::T9, false));
}

TEST_F(OutputTest, TheModeCpuUserNeverWritesTheExchangeFile) {
    say("как погода");
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "Txt.Dat"));
    EXPECT_TRUE(talk.exchangeBuffer().empty());
}

TEST_F(OutputTest, TheAnswerIsKeptForTheNextTurnAndIdleLinesDoNotChangeIt) {
    say("привет");
    EXPECT_EQ(prevReply(), "Здравствуй!");
    talk.state().IdleTicks = 89;
    talk.idleTick();
    talk.greetingTick();
    talk.greetingTick();
    EXPECT_EQ(prevReply(), "Здравствуй!");
}

TEST_F(OutputTest, EachTurnArmsOrDisarmsTheFollowUpAnew) {
    const bool pattern[] = {true, false, true, true, false};
    std::uint32_t from = 0;
    for (const bool armed : pattern) {
        window.display.clear();
        const std::uint32_t value = clockWhere(
            {6, 1, 3}, [armed](const auto& d) { return (d[2] == 0) == armed; }, from);
        from = value + 1;
        sayAt(value, "как погода");
        EXPECT_EQ(window.timerEnabled(Timer::T9), armed);
    }
    EXPECT_EQ(window.timerCallCount(Timer::T9), 5);
}

} // namespace
