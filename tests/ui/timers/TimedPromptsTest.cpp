// The lines the program adds between turns: the idle prompt, the follow-up
// remark and the greeting.

#include "TimersSupport.h"

#include "engine/Conversation.h"

#include <algorithm>
#include <set>

namespace {

using timers::Lines;

const Lines kPauseLines = {"Ты здесь?", "Ау!", "Скучно молчать."};
const Lines kFollowUpLines = {"Реплики вдогонку", "Кстати, как погода?", "А ещё?", "Вот так-то.",
                              "Понимаешь?"};
const Lines kGreetings = {"Здравствуй!", "Привет, человек.", "Рад тебя видеть."};

// Many different clock values spread over the day.
std::vector<std::uint32_t> clockValues(int count) {
    std::vector<std::uint32_t> values;
    for (int i = 0; i < count; ++i)
        values.push_back(static_cast<std::uint32_t>(1'234 + i * 286'331));
    return values;
}

// ---------------------------------------------------------------------------
// The idle prompt

class IdlePrompt : public timers::ProgramTest {};

TEST_F(IdlePrompt, NeverComesWhileTheCountReachesOnlyFiftyNine) {
    test::Program program(dir);
    for (const std::uint32_t ms : clockValues(150)) {
        program.clock.set(ms);
        program.main().conversation().state().IdleTicks = 58;
        program.main().T2Timer();
        ASSERT_EQ(program.main().conversation().state().IdleTicks, 59) << "clock " << ms;
    }
    EXPECT_EQ(program.main().displayCount(), 0);
    EXPECT_TRUE(program.transcript().empty());
    EXPECT_EQ(program.main().player(engine::Cue::Program).timesAsked(), 0);
}

TEST_F(IdlePrompt, AlwaysComesWhenTheCountReachesNinety) {
    dir.write("Base/Pause.Dat", kPauseLines);
    test::Program program(dir);
    int prompts = 0;
    for (const std::uint32_t ms : clockValues(150)) {
        program.clock.set(ms);
        program.main().conversation().state().IdleTicks = 89;
        program.main().T2Timer();
        ASSERT_EQ(program.main().displayCount(), ++prompts) << "clock " << ms;
        ASSERT_EQ(program.main().conversation().state().IdleTicks, 0);
    }
    EXPECT_TRUE(boxes.messages.isEmpty());
}

TEST_F(IdlePrompt, ComesSixtyToNinetyTicksAfterTheLastOneWhateverTheClock) {
    test::Program program(dir);
    std::set<int> gaps;
    for (const std::uint32_t ms : clockValues(120)) {
        program.clock.set(ms);
        for (int prompt = 0; prompt < 2; ++prompt) {
            const int shown = program.main().displayCount();
            int ticks = 0;
            while (program.main().displayCount() == shown && ticks < 200) {
                program.main().T2Timer();
                ++ticks;
            }
            ASSERT_GE(ticks, 60) << "clock " << ms;
            ASSERT_LE(ticks, 90) << "clock " << ms;
            gaps.insert(ticks);
        }
    }
    // The threshold is a draw, not a constant.
    EXPECT_LT(*gaps.begin(), 66);
    EXPECT_GT(*gaps.rbegin(), 84);
}

TEST_F(IdlePrompt, ShowsAPauseLineInTheGeneralColourWithTheFontOfTheLastLine) {
    dir.write("Base/Pause.Dat", kPauseLines);
    test::Program program(dir);
    TForm1& window = program.main();
    window.FontDialog1.Font = QFont(QStringLiteral("Courier New"), 12);
    window.FontDialog2.Font = QFont(QStringLiteral("Times New Roman"), 14);
    window.FontDialog2.Font.setItalic(true);
    window.ColorDialog1.Color = QColor(200, 0, 0);
    window.ColorDialog3.Color = QColor(0, 0, 200);
    program.say(QStringLiteral("привет"));
    ASSERT_EQ(program.display(), (Lines{"Привет.", "Привет!"}));
    const int cues = window.player(engine::Cue::Program).timesAsked();

    window.conversation().state().IdleTicks = 89;
    window.T2Timer();

    ASSERT_EQ(window.displayCount(), 3);
    const std::string prompt = timers::lastDisplayLine(program);
    EXPECT_NE(std::find(kPauseLines.begin(), kPauseLines.end(), prompt), kPauseLines.end());
    EXPECT_EQ(test::utf8(window.conversation().state().Reply), prompt);
    EXPECT_EQ(timers::lineColour(window, 2), QColor(200, 0, 0));
    EXPECT_TRUE(timers::sameFont(window.displayLineFormat(2), window.displayLineFormat(1)));
    EXPECT_TRUE(timers::hasFont(window.displayLineFormat(2), window.FontDialog2.Font));
    // The transcript gets the user's last phrase, not the prompt.
    EXPECT_EQ(program.transcript(),
              (Lines{"USER:     Привет.", "CPU:     Привет!", "USER:     Привет."}));
    EXPECT_EQ(window.player(engine::Cue::Program).timesAsked(), cues + 1);
    EXPECT_EQ(window.conversation().state().IdleTicks, 0);
    EXPECT_EQ(test::utf8(window.conversation().state().PrevReply), "Привет!");
}

TEST_F(IdlePrompt, CanBeAnyLineOfThePauseFileTheFirstIncluded) {
    dir.write("Base/Pause.Dat", kPauseLines);
    test::Program program(dir);
    std::set<std::string> shown;
    for (const std::uint32_t ms : clockValues(100)) {
        program.clock.set(ms);
        program.main().conversation().state().IdleTicks = 89;
        program.main().T2Timer();
        shown.insert(timers::lastDisplayLine(program));
    }
    EXPECT_EQ(shown, std::set<std::string>(kPauseLines.begin(), kPauseLines.end()));
}

TEST_F(IdlePrompt, AMissingPauseFileIsReportedOnceAndTheCountGoesOn) {
    dir.remove("Base/Pause.Dat");
    test::Program program(dir);
    program.main().conversation().state().IdleTicks = 89;
    for (int tick = 0; tick < 10; ++tick)
        program.main().T2Timer();
    EXPECT_EQ(boxes.messages, QStringList{QStringLiteral("Cannot open file Base\\Pause.Dat.")});
    EXPECT_EQ(program.main().conversation().state().IdleTicks, 99);
    EXPECT_EQ(program.main().displayCount(), 0);
    EXPECT_TRUE(program.transcript().empty());

    // Once the file is back the prompt comes (with no turn yet, no phrase);
    // a new failure is reported anew.
    dir.write("Base/Pause.Dat", kPauseLines);
    program.main().T2Timer();
    EXPECT_EQ(program.main().displayCount(), 1);
    EXPECT_EQ(program.transcript(), (Lines{"USER:     "}));
    EXPECT_EQ(program.main().conversation().state().IdleTicks, 0);
    dir.remove("Base/Pause.Dat");
    program.main().conversation().state().IdleTicks = 89;
    program.main().T2Timer();
    program.main().T2Timer();
    EXPECT_EQ(boxes.messages.size(), 2);
}

TEST_F(IdlePrompt, AMissingPauseFileIsReportedOnceThroughTheWholeIdlePeriod) {
    // Between 60 and 90 idle ticks some ticks draw a threshold above the
    // count and do not reach the file: they are no success of the step.
    dir.remove("Base/Pause.Dat");
    test::Program program(dir);
    program.main().conversation().state().IdleTicks = 59;
    for (const std::uint32_t ms : clockValues(40)) {
        program.clock.set(ms);
        program.main().T2Timer();
    }
    EXPECT_EQ(boxes.messages, QStringList{QStringLiteral("Cannot open file Base\\Pause.Dat.")});
}

// ---------------------------------------------------------------------------
// The follow-up line

class FollowUpLine : public timers::ProgramTest {
protected:
    FollowUpLine() { dir.write("Base/AI.dat", kFollowUpLines); }
};

TEST_F(FollowUpLine, ComesAtTheSecondTickAfterTheTurnThatArmedIt) {
    test::Program program(dir);
    TForm1& window = program.main();
    window.ColorDialog3.Color = QColor(0, 0, 200);
    window.FontDialog2.Font = QFont(QStringLiteral("Times New Roman"), 14);
    window.FontDialog1.Font = QFont(QStringLiteral("Courier New"), 12);
    ASSERT_TRUE(timers::sayUntilFollowUp(program, QStringLiteral("привет"), true));
    const int shown = window.displayCount();
    const std::string reply = window.conversation().state().Reply;
    const int cues = window.player(engine::Cue::Program).timesAsked();

    window.T9Timer();
    EXPECT_EQ(window.displayCount(), shown);
    EXPECT_TRUE(window.T9->enabled());
    EXPECT_EQ(window.conversation().followUpElapsed(), 500);

    window.T9Timer();
    ASSERT_EQ(window.displayCount(), shown + 1);
    const std::string line = timers::lastDisplayLine(program);
    EXPECT_NE(std::find(kFollowUpLines.begin() + 1, kFollowUpLines.end(), line),
              kFollowUpLines.end());
    EXPECT_EQ(timers::lastTranscriptLine(program), "CPU:     " + line);
    EXPECT_EQ(timers::lineColour(window, shown), QColor(0, 0, 200));
    EXPECT_TRUE(timers::hasFont(window.displayLineFormat(shown), window.FontDialog2.Font));
    EXPECT_EQ(window.player(engine::Cue::Program).timesAsked(), cues + 1);
    EXPECT_EQ(window.conversation().state().Reply, reply);
    EXPECT_FALSE(window.T9->enabled());
    EXPECT_FALSE(window.busyCursor());
    EXPECT_EQ(window.conversation().followUpElapsed(), 0);
}

TEST_F(FollowUpLine, IsNeverTheFirstLineOfTheFollowUpFile) {
    test::Program program(dir);
    TForm1& window = program.main();
    std::set<std::string> shown;
    for (const std::uint32_t ms : clockValues(150)) {
        // What a turn leaves behind when it arms the follow-up.
        window.conversation().scratch().load(window.store(), engine::files::AI);
        program.clock.set(ms);
        window.conversation().reseed();
        window.T9->setEnabled(true);
        window.T9Timer();
        window.T9Timer();
        ASSERT_FALSE(window.T9->enabled());
        shown.insert(timers::lastDisplayLine(program));
    }
    EXPECT_EQ(shown, std::set<std::string>(kFollowUpLines.begin() + 1, kFollowUpLines.end()));
}

TEST_F(FollowUpLine, DisarmedAfterOneTickComesAfterOneTickWhenArmedAgain) {
    test::Program program(dir);
    TForm1& window = program.main();
    ASSERT_TRUE(timers::sayUntilFollowUp(program, QStringLiteral("привет"), true));
    window.T9Timer();
    ASSERT_TRUE(timers::sayUntilFollowUp(program, QStringLiteral("привет"), false));
    EXPECT_EQ(window.conversation().followUpElapsed(), 500);

    ASSERT_TRUE(timers::sayUntilFollowUp(program, QStringLiteral("привет"), true));
    const int shown = window.displayCount();
    window.T9Timer();
    ASSERT_EQ(window.displayCount(), shown + 1);
    const std::string line = timers::lastDisplayLine(program);
    EXPECT_NE(std::find(kFollowUpLines.begin() + 1, kFollowUpLines.end(), line),
              kFollowUpLines.end());
    EXPECT_FALSE(window.T9->enabled());
}

TEST_F(FollowUpLine, TakesItsLineFromWhateverTheScratchListHolds) {
    dir.write("Base/Pause.Dat", kPauseLines);
    test::Program program(dir);
    TForm1& window = program.main();
    ASSERT_TRUE(timers::sayUntilFollowUp(program, QStringLiteral("привет"), true));
    // An idle prompt in between loads the pause lines into the scratch list.
    window.conversation().state().IdleTicks = 89;
    window.T2Timer();
    window.T9Timer();
    window.T9Timer();
    const std::string line = timers::lastDisplayLine(program);
    EXPECT_NE(std::find(kPauseLines.begin() + 1, kPauseLines.end(), line), kPauseLines.end());
}

TEST_F(FollowUpLine, AMissingFollowUpFileDisarmsItAfterTheReport) {
    test::Program program(dir);
    dir.remove("Base/AI.dat");
    // The turn that draws the follow-up fails at the load.
    for (int attempt = 0; attempt < 60 && boxes.messages.isEmpty(); ++attempt) {
        program.clock.set(program.clock.millisecondsSinceMidnight() + 7919);
        program.say(QStringLiteral("Как погода?"));
    }
    ASSERT_EQ(boxes.messages, QStringList{QStringLiteral("Cannot open file Base\\AI.dat.")});
    // Armed, it would show a line of whatever the scratch list held.
    EXPECT_FALSE(program.main().T9->enabled());
}

TEST_F(FollowUpLine, IsEmptyWhenTheFollowUpFileHasOneLine) {
    dir.write("Base/AI.dat", {"Только заголовок"});
    test::Program program(dir);
    ASSERT_TRUE(timers::sayUntilFollowUp(program, QStringLiteral("привет"), true));
    const int shown = program.main().displayCount();
    program.main().T9Timer();
    program.main().T9Timer();
    ASSERT_EQ(program.main().displayCount(), shown + 1);
    EXPECT_EQ(timers::lastDisplayLine(program), "");
    EXPECT_EQ(timers::lastTranscriptLine(program), "CPU:     ");
}

// ---------------------------------------------------------------------------
// The greeting

class Greeting : public timers::ProgramTest {
protected:
    Greeting() { dir.write("Base/Begin.dat", kGreetings); }
};

TEST_F(Greeting, ComesOnOneDrawOfTwoWithAnyLineAndTheTimerDisarmsEitherWay) {
    test::Program program(dir);
    TForm1& window = program.main();
    window.ColorDialog3.Color = QColor(0, 0, 200);
    window.FontDialog2.Font = QFont(QStringLiteral("Times New Roman"), 14);
    int greetings = 0;
    int silences = 0;
    std::set<std::string> lines;
    for (const std::uint32_t seed : clockValues(200)) {
        // The greeting draws on from where the generator stands.
        window.conversation().random().seed(seed);
        const bool expected = timers::firstDraw(seed, 2) == 0;
        const int shown = window.displayCount();
        const int cues = window.player(engine::Cue::Program).timesAsked();
        window.T10->setEnabled(true);
        window.T10Timer();
        ASSERT_FALSE(window.T10->enabled()) << "seed " << seed;
        ASSERT_EQ(window.displayCount(), shown + (expected ? 1 : 0)) << "seed " << seed;
        EXPECT_EQ(window.player(engine::Cue::Program).timesAsked(), cues + (expected ? 1 : 0));
        if (!expected) {
            ++silences;
            continue;
        }
        ++greetings;
        const std::string line = timers::lastDisplayLine(program);
        lines.insert(line);
        EXPECT_EQ(timers::lastTranscriptLine(program), "CPU:     " + line);
        EXPECT_EQ(test::utf8(window.conversation().state().Reply), line);
        EXPECT_EQ(timers::lineColour(window, shown), QColor(0, 0, 200));
        EXPECT_TRUE(timers::hasFont(window.displayLineFormat(shown), window.FontDialog2.Font));
        EXPECT_FALSE(window.busyCursor());
    }
    EXPECT_GT(greetings, 50);
    EXPECT_GT(silences, 50);
    EXPECT_EQ(lines, std::set<std::string>(kGreetings.begin(), kGreetings.end()));
}

TEST_F(Greeting, AMissingGreetingFileIsReportedOnceAndTheTimerStaysArmed) {
    dir.remove("Base/Begin.dat");
    test::Program program(dir);
    TForm1& window = program.main();
    const std::uint32_t greetingSeed = timers::seedDrawingFirst(2, 0);
    window.T10->setEnabled(true);
    for (int tick = 0; tick < 8; ++tick) {
        window.conversation().random().seed(greetingSeed);
        window.T10Timer();
    }
    EXPECT_EQ(boxes.messages, QStringList{QStringLiteral("Cannot open file Base\\Begin.dat.")});
    EXPECT_TRUE(window.T10->enabled());
    EXPECT_EQ(window.displayCount(), 0);
    EXPECT_TRUE(program.transcript().empty());
}

TEST_F(Greeting, AMissingGreetingFileIsNotReportedAgainAfterASilentDraw) {
    dir.remove("Base/Begin.dat");
    test::Program program(dir);
    TForm1& window = program.main();
    const std::uint32_t greetingSeed = timers::seedDrawingFirst(2, 0);
    const std::uint32_t silentSeed = timers::seedDrawingFirst(2, 1);
    for (const std::uint32_t seed : {greetingSeed, silentSeed, greetingSeed, silentSeed, greetingSeed}) {
        window.T10->setEnabled(true);
        window.conversation().random().seed(seed);
        window.T10Timer();
    }
    EXPECT_EQ(boxes.messages, QStringList{QStringLiteral("Cannot open file Base\\Begin.dat.")});
}

TEST_F(Greeting, FromAnEmptyFileIsAnEmptyLine) {
    dir.write("Base/Begin.dat", {});
    test::Program program(dir);
    const std::uint32_t greetingSeed = timers::seedDrawingFirst(2, 0);
    program.main().conversation().random().seed(greetingSeed);
    program.main().T10->setEnabled(true);
    program.main().T10Timer();
    EXPECT_EQ(program.display(), (Lines{""}));
    EXPECT_EQ(program.transcript(), (Lines{"CPU:     "}));
    EXPECT_FALSE(program.main().T10->enabled());
}

} // namespace
