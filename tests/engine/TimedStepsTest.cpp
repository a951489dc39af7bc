#include "Support.h"

#include <map>
#include <set>

namespace {

using engine::Timer;
using namespace enginetest;

class TimedStepsTest : public TalkFixture {
protected:
    // Runs idle ticks until one prompts; returns how many it took.
    int ticksUntilPrompt(int limit = 200) {
        for (int tick = 1; tick <= limit; ++tick) {
            const std::size_t shown = window.display.size();
            talk.idleTick();
            if (window.display.size() != shown)
                return tick;
        }
        return -1;
    }
    // The threshold that a clock standing still at `value` gives: re-seeded
    // once, then drawn on until it is at least 60.
    static int thresholdAt(std::uint32_t value) {
        engine::RandomGenerator generator;
        generator.seed(value);
        int threshold;
        do {
            threshold = 1 + generator.next(90);
        } while (threshold < 60);
        return threshold;
    }
};

// A clock that has moved on by one millisecond after its first reading.
class TickingClock final : public engine::Clock {
public:
    explicit TickingClock(std::uint32_t first) : first_(first) {}
    std::uint32_t millisecondsSinceMidnight() const override {
        return readings_++ == 0 ? first_ : first_ + 1;
    }

private:
    std::uint32_t first_;
    mutable int readings_ = 0;
};

TEST_F(TimedStepsTest, NoPromptBeforeTheSixtiethTickAndOneAtTheNinetieth) {
    for (std::uint32_t value = 0; value < 200; ++value) {
        clock.set(value * 4999);
        talk.state().IdleTicks = 58;
        talk.idleTick();
        ASSERT_EQ(talk.state().IdleTicks, 59);
        ASSERT_TRUE(window.display.empty()) << value;

        talk.state().IdleTicks = 89;
        talk.idleTick();
        ASSERT_EQ(window.display.size(), 1u) << value;
        ASSERT_EQ(talk.state().IdleTicks, 0);
        window.display.clear();
    }
}

TEST_F(TimedStepsTest, AClockThatStandsStillDrawsOnWithoutReseeding) {
    // Clock values whose first draw is below 60, so the threshold needs more.
    int checked = 0;
    for (std::uint32_t value = 0; checked < 20; value += 3331) {
        if (1 + replayDraws(value, {90})[0] >= 60)
            continue;
        ++checked;
        clock.set(value);
        window.display.clear();
        talk.state().IdleTicks = 0;
        EXPECT_EQ(ticksUntilPrompt(), thresholdAt(value)) << value;
    }
}

TEST_F(TimedStepsTest, TheFirstThresholdDrawIsAlwaysReseeded) {
    // Either reading of the clock gives a threshold of at most 75 at its first
    // draw; the generator's leftover state would give 90.
    std::uint32_t start = 0;
    while (!(thresholdAt(start) <= 75 && thresholdAt(start + 1) <= 75 &&
             1 + replayDraws(start, {90})[0] >= 60 && 1 + replayDraws(start + 1, {90})[0] >= 60))
        ++start;
    const std::uint32_t leftover = clockWhere({90}, [](const auto& d) { return d[0] == 89; });

    TickingClock ticking(start);
    engine::Conversation conversation(store, window, ticking);
    conversation.random().seed(leftover);
    conversation.state().IdleTicks = 75;
    conversation.idleTick();
    EXPECT_EQ(window.display.size(), 1u);
    EXPECT_EQ(conversation.state().IdleTicks, 0);
}

TEST_F(TimedStepsTest, APromptShowsAPauseLineAndWritesTheLastPhrase) {
    say("как погода");
    window.cues.clear();
    talk.state().IdleTicks = 89;
    talk.idleTick();
    ASSERT_EQ(window.display.size(), 3u);
    EXPECT_EQ(window.displayText().back(), kIdlePrompt);
    EXPECT_EQ(window.display.back().style, engine::LineStyle::IdlePrompt);
    EXPECT_EQ(transcript().back(), "USER:     Как погода.");
    EXPECT_EQ(window.cues, std::vector<engine::Cue>{engine::Cue::Program});
    EXPECT_EQ(reply(), kIdlePrompt);
    EXPECT_EQ(prevReply(), kStatementAnswer);
}

TEST_F(TimedStepsTest, AnyPauseLineCanBeThePrompt) {
    const Utf8Lines prompts = {"Ты здесь?", "Ау!", "Скучно молчать."};
    writeBase("Pause.Dat", prompts);
    std::set<std::string> shown;
    for (std::uint32_t value = 0; value < 100; ++value) {
        clock.set(value * 9973);
        talk.state().IdleTicks = 89;
        talk.idleTick();
        shown.insert(reply());
    }
    EXPECT_EQ(shown, std::set<std::string>(prompts.begin(), prompts.end()));
}

TEST_F(TimedStepsTest, APromptStartsTheIdleCountAgain) {
    for (std::uint32_t value : {17u, 40000u, 86000000u}) {
        clock.set(value);
        talk.state().IdleTicks = 0;
        const int first = ticksUntilPrompt();
        const int second = ticksUntilPrompt();
        EXPECT_GE(first, 60);
        EXPECT_LE(first, 90);
        EXPECT_EQ(second, first) << value;
    }
}

TEST_F(TimedStepsTest, TheFollowUpComesAtTheSecondTickAndNeverFromTheFirstLine) {
    writeBase("AI.dat", {"Нулевая", "Первая", "Вторая", "Третья"});
    std::map<std::string, int> shown;
    for (std::uint32_t seed = 0; seed < 300; ++seed) {
        talk.scratch().load(store, engine::files::AI);
        talk.random().seed(seed * 2654435761u);
        window.display.clear();
        window.timers[Timer::T9] = true;
        talk.followUpTick();
        ASSERT_TRUE(window.display.empty());
        ASSERT_EQ(talk.followUpElapsed(), 500);
        talk.followUpTick();
        ASSERT_EQ(window.display.size(), 1u);
        ASSERT_FALSE(window.timerEnabled(Timer::T9));
        ASSERT_EQ(talk.followUpElapsed(), 0);
        ++shown[window.displayText()[0]];
    }
    EXPECT_EQ(shown.count("Нулевая"), 0u);
    EXPECT_EQ(shown.size(), 3u);
}

TEST_F(TimedStepsTest, TheFollowUpLineIsAProgramLineThatLeavesTheReplyAlone) {
    say("как погода");
    talk.scratch().load(store, engine::files::AI);
    window.cues.clear();
    window.cursorCalls.clear();
    talk.followUpTick();
    talk.followUpTick();
    EXPECT_EQ(window.displayText().back(), kFollowUpLine);
    EXPECT_EQ(window.display.back().style, engine::LineStyle::Program);
    EXPECT_EQ(transcript().back(), std::string("CPU:     ") + kFollowUpLine);
    EXPECT_EQ(window.cues, std::vector<engine::Cue>{engine::Cue::Program});
    EXPECT_EQ(window.cursorCalls, (std::vector<bool>{true, false}));
    EXPECT_EQ(reply(), kStatementAnswer);
    EXPECT_EQ(prevReply(), kStatementAnswer);
}

TEST_F(TimedStepsTest, AScratchListOfFewerThanTwoLinesGivesAnEmptyFollowUp) {
    for (const Utf8Lines& lines : {Utf8Lines{}, Utf8Lines{"Только заголовок"}}) {
        writeBase("AI.dat", lines);
        talk.scratch().load(store, engine::files::AI);
        window.display.clear();
        talk.followUpTick();
        talk.followUpTick();
        ASSERT_EQ(window.display.size(), 1u);
        EXPECT_EQ(window.displayText()[0], "");
        EXPECT_EQ(transcript().back(), "CPU:     ");
    }
}

TEST_F(TimedStepsTest, AFollowUpCancelledAfterOneTickComesAfterOneTickNextTime) {
    talk.followUpTick();
    ASSERT_EQ(talk.followUpElapsed(), 500);
    // An answer disarms the follow-up; its count is not reset.
    sayAt(clockWhere({6, 1, 3}, [](const auto& d) { return d[2] != 0; }), "как погода");
    ASSERT_FALSE(window.timerEnabled(Timer::T9));
    EXPECT_EQ(talk.followUpElapsed(), 500);
    talk.scratch().load(store, engine::files::AI);
    talk.followUpTick();
    EXPECT_EQ(window.displayText().back(), kFollowUpLine);
    EXPECT_EQ(talk.followUpElapsed(), 0);
}

TEST_F(TimedStepsTest, TheFollowUpShowsWhateverTheScratchListHolds) {
    writeWords({"База", "ЕДИНСТВЕННАЯ.^Строка.;"});
    const std::uint32_t armed = clockWhere({6, 1, 3}, [](const auto& d) { return d[2] == 0; });
    sayAt(armed, "как погода");
    ASSERT_TRUE(window.timerEnabled(Timer::T9));
    talk.countPhrases(); // loads Words.Dat into the scratch list
    talk.followUpTick();
    talk.followUpTick();
    EXPECT_EQ(transcript().back(), "CPU:     ЕДИНСТВЕННАЯ.^Строка.;");
}

TEST_F(TimedStepsTest, TheGreetingComesOnHalfTheDrawsAndCanBeAnyLine) {
    const Utf8Lines greetings = {"Здравствуй!", "Привет!", "Добрый день!"};
    writeBase("Begin.dat", greetings);
    std::map<std::string, int> shown;
    int silent = 0;
    for (std::uint32_t seed = 0; seed < 600; ++seed) {
        const std::uint32_t state = seed * 2246822519u;
        talk.random().seed(state);
        window.display.clear();
        window.timers[Timer::T10] = true;
        talk.greetingTick();
        ASSERT_FALSE(window.timerEnabled(Timer::T10));
        const std::vector<int> draws = replayDraws(state, {2, 3});
        if (draws[0] == 1) {
            ASSERT_TRUE(window.display.empty());
            ++silent;
            continue;
        }
        ASSERT_EQ(window.displayText(), Utf8Lines{greetings[static_cast<std::size_t>(draws[1])]});
        ASSERT_EQ(reply(), greetings[static_cast<std::size_t>(draws[1])]);
        ASSERT_EQ(transcript().back(), "CPU:     " + reply());
        ASSERT_EQ(window.display[0].style, engine::LineStyle::Program);
        ASSERT_EQ(window.cues.back(), engine::Cue::Program);
        ASSERT_FALSE(window.busy);
        ++shown[reply()];
    }
    EXPECT_GT(silent, 240);
    EXPECT_LT(silent, 360);
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_GT(shown[greetings[0]], 60);
}

TEST_F(TimedStepsTest, TheShakeJumpsAreDrawnFromTheClock) {
    clock.set(5000);
    talk.random().seed(1);
    const auto jumps = talk.drawShakeJumps();
    talk.random().seed(2);
    EXPECT_EQ(talk.drawShakeJumps(), jumps);
    ASSERT_GE(jumps.size(), 125u);
    ASSERT_LE(jumps.size(), 250u);
    std::set<int> lefts;
    for (const auto& [left, top] : jumps) {
        ASSERT_GE(left, 95);
        ASSERT_LE(left, 105);
        ASSERT_GE(top, 95);
        ASSERT_LE(top, 105);
        lefts.insert(left);
    }
    EXPECT_EQ(lefts.size(), 11u);
    clock.set(5001);
    EXPECT_NE(talk.drawShakeJumps(), jumps);
}

} // namespace
