#include "Support.h"
#include "kb/FileError.h"

namespace {

using engine::Timer;
using namespace enginetest;

class FailureTest : public TalkFixture {
protected:
    // What every failure before the common output leaves: the phrase shown and
    // written, no answer, the field and the dialogue variables as they were.
    void expectStoppedBeforeTheAnswer(const std::string& shown, std::size_t transcriptBefore) {
        EXPECT_EQ(window.displayText().back(), shown);
        const Utf8Lines lines = transcript();
        ASSERT_EQ(lines.size(), transcriptBefore + 1);
        EXPECT_EQ(lines.back(), "USER:     " + shown);
        EXPECT_EQ(window.cueCount(engine::Cue::Program), programCuesBefore);
        EXPECT_NE(window.input, "");
        EXPECT_TRUE(window.busy);
        EXPECT_EQ(prevReply(), "Раньше.");
        EXPECT_EQ(talk.state().IdleTicks, 7);
    }
    void prepare() {
        setPrevReply("Раньше.");
        talk.state().IdleTicks = 7;
        programCuesBefore = window.cueCount(engine::Cue::Program);
    }
    int programCuesBefore = 0;
};

TEST_F(FailureTest, AMissingRepeatFileStopsTheTurnAtTheRepeatRule) {
    say("как погода");
    removeBase("Povtor.Dat");
    prepare();
    EXPECT_EQ(sayFailing("как погода"), "Cannot open file Base\\Povtor.Dat.");
    expectStoppedBeforeTheAnswer("Как погода.", 2);
    EXPECT_EQ(window.input, cp("как погода"));
}

TEST_F(FailureTest, AMissingRecordFileComesAfterTheCensorPick) {
    removeBase("Collection.Dat");
    prepare();
    EXPECT_EQ(sayFailing("ты гад"), "Cannot open file Base\\Collection.Dat.");
    expectStoppedBeforeTheAnswer("Ты гад.", 0);
    EXPECT_EQ(reply(), kCensorAnswer);
}

TEST_F(FailureTest, AMissingWordsFileStopsTheMainScan) {
    removeBase("Words.Dat");
    prepare();
    EXPECT_EQ(sayFailing("привет"), "Cannot open file Base\\Words.Dat.");
    expectStoppedBeforeTheAnswer("Привет.", 0);
}

TEST_F(FailureTest, AMissingFallbackFileStopsTheQuestionRule) {
    removeBase("W1.Dat");
    prepare();
    EXPECT_EQ(sayFailing("как погода?"), "Cannot open file Base\\W1.Dat.");
    expectStoppedBeforeTheAnswer("Как погода?", 0);
}

TEST_F(FailureTest, AFallbackFileThatCannotBeReadForLearningLeavesTheOtherUnchanged) {
    // The answer comes from W2.Dat; the previous answer sends the phrase to W1.Dat.
    removeBase("W1.Dat");
    std::filesystem::create_directory(dir.path() / "Base" / "W1.Dat");
    prepare();
    setPrevReply("Как дела?");
    EXPECT_EQ(sayFailing("хорошо"), "Cannot open file Base\\W1.Dat.");
    EXPECT_EQ(readBase("W2.Dat"), Utf8Lines{kStatementAnswer});
    EXPECT_EQ(readBase("Words.Dat"), (Utf8Lines{"База фраз", "ПРИВЕТ.^Здравствуй!;"}));
    EXPECT_TRUE(window.busy);
    EXPECT_EQ(prevReply(), "Как дела?");
}

TEST_F(FailureTest, AMissingAiFileLeavesTheAnswerShownAndTheFollowUpDisarmed) {
    removeBase("AI.dat");
    prepare();
    const std::uint32_t armed = clockWhere({6, 1, 3}, [](const auto& d) { return d[2] == 0; });
    clock.set(armed);
    EXPECT_EQ(sayFailing("как погода"), "Cannot open file Base\\AI.dat.");
    EXPECT_EQ(transcript(),
              (Utf8Lines{"USER:     Как погода.", std::string("CPU:     ") + kStatementAnswer}));
    EXPECT_EQ(window.displayText().back(), kStatementAnswer);
    // Armed, it would show a line of Words.Dat, which the scratch list held.
    EXPECT_FALSE(window.timerEnabled(Timer::T9));
    EXPECT_FALSE(window.busy);
    EXPECT_EQ(prevReply(), "Раньше.");
    EXPECT_EQ(window.input, cp("как погода"));
    EXPECT_EQ(talk.state().IdleTicks, 7);

    // Without the follow-up draw the same file is not needed.
    window.display.clear();
    sayAt(clockWhere({6, 1, 3}, [](const auto& d) { return d[2] != 0; }), "скучно");
    EXPECT_NE(prevReply(), "Раньше.");
    EXPECT_EQ(prevReply(), reply());
}

TEST_F(FailureTest, ALaterTurnSetsTheNormalCursorBack) {
    removeBase("W2.Dat");
    sayFailing("скучно");
    ASSERT_TRUE(window.busy);
    writeBase("W2.Dat", {kStatementAnswer});
    say("скучно");
    EXPECT_FALSE(window.busy);
    EXPECT_EQ(transcript(), (Utf8Lines{"USER:     Скучно.", "USER:     Скучно.",
                                       std::string("CPU:     ") + kStatementAnswer}));
}

TEST_F(FailureTest, TimedStepsThatFailLeaveTheirStepDue) {
    removeBase("Pause.Dat");
    talk.state().IdleTicks = 89;
    try {
        talk.idleTick();
        ADD_FAILURE() << "the idle prompt did not fail";
    } catch (const kb::FileError& error) {
        EXPECT_STREQ(error.what(), "Cannot open file Base\\Pause.Dat");
    }
    EXPECT_EQ(talk.state().IdleTicks, 90);
    EXPECT_TRUE(window.display.empty());

    removeBase("Begin.dat");
    // The greeting draws 1 + Random(2) without re-seeding; 1 shows a line.
    talk.random().seed(clockWhere({2}, [](const auto& d) { return d[0] == 0; }));
    window.timers[Timer::T10] = true;
    EXPECT_THROW(talk.greetingTick(), kb::FileError);
    EXPECT_TRUE(window.timerEnabled(Timer::T10));
    EXPECT_TRUE(window.display.empty());
}

TEST_F(FailureTest, AMissingFileAtExitWritesNoLog) {
    say("скучно");
    removeBase("Log.Brisol");
    try {
        talk.appendTranscriptToLog("01.02.2024", "10:00:00");
        ADD_FAILURE() << "the log step did not fail";
    } catch (const kb::FileError& error) {
        EXPECT_STREQ(error.what(), "Cannot open file Base\\Log.Brisol");
    }
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "Base" / "Log.Brisol"));

    writeBase("Log.Brisol", {});
    removeBase("Words.Dat");
    try {
        talk.appendTranscriptToLog("01.02.2024", "10:00:00");
        ADD_FAILURE() << "the log step did not fail";
    } catch (const kb::FileError& error) {
        EXPECT_STREQ(error.what(), "Cannot open file Base\\Words.dat");
    }
    EXPECT_TRUE(readBase("Log.Brisol").empty());
}

} // namespace
