#include "Support.h"

namespace {

using engine::AnswerSource;
using engine::Timer;
using namespace enginetest;

// The example knowledge base: a main line with two levels of branch lines, a
// main line with the leave marker and an unanswered line.
const Utf8Lines kExample = {
    "any heading text",
    "ПРИВЕТ.^Привет!;Здравствуй.;",
    "_КАК ДЕЛА?^Хорошо, спасибо.;Неплохо.;",
    "__А У ТЕБЯ?^Тоже хорошо.;",
    "_ПОКА.^Уже уходишь?;",
    "ПОКА.^До свидания.;@",
    "КАК ТЕБЯ ЗОВУТ?^",
};

class ThreadTest : public TalkFixture {
protected:
    void SetUp() override { writeWords(kExample); }

    int depth() { return talk.state().BranchDepth; }
    int line() { return talk.state().BranchLine; }
};

TEST_F(ThreadTest, TheExampleThreadGoesDownOneLevelPerAnswer) {
    say("привет");
    EXPECT_TRUE(reply() == "Привет!" || reply() == "Здравствуй.") << reply();
    EXPECT_EQ(depth(), 1);
    EXPECT_EQ(line(), 1);

    say("как дела?");
    EXPECT_TRUE(reply() == "Хорошо, спасибо." || reply() == "Неплохо.") << reply();
    EXPECT_EQ(talk.lastTurn().source, AnswerSource::FollowUp);
    EXPECT_EQ(depth(), 2);
    EXPECT_EQ(line(), 2);

    say("а у тебя?");
    EXPECT_EQ(reply(), "Тоже хорошо.");
    EXPECT_EQ(depth(), 3);
    EXPECT_EQ(line(), 3);
}

TEST_F(ThreadTest, AMainLineEndsTheThreadAndIsMatchedInTheSameTurn) {
    say("привет");
    say("как дела?");
    ASSERT_EQ(depth(), 2);
    // Line 3 does not match, line 4 has depth 1, line 5 is a main line.
    say("пока");
    EXPECT_EQ(reply(), "До свидания.");
    EXPECT_EQ(talk.lastTurn().source, AnswerSource::MainScan);
    EXPECT_EQ(talk.lastTurn().wordsLine, 5);
    EXPECT_EQ(depth(), 1);
    EXPECT_EQ(line(), 5);
    EXPECT_TRUE(window.timerEnabled(Timer::T4));
}

TEST_F(ThreadTest, TheBranchAtDepthOneIsFoundPastDeeperLines) {
    say("привет");
    say("ну пока");
    EXPECT_EQ(reply(), "Уже уходишь?");
    EXPECT_EQ(line(), 4);
    EXPECT_EQ(depth(), 2);
    EXPECT_FALSE(window.timerEnabled(Timer::T4));
}

TEST_F(ThreadTest, AMainLineWithoutAMatchEndsTheThreadAtThatLine) {
    say("привет");
    say("как погода");
    EXPECT_EQ(reply(), kStatementAnswer);
    EXPECT_EQ(depth(), 0);
    EXPECT_EQ(line(), 5);
}

TEST_F(ThreadTest, OnlyBranchLinesOfTheThreadsDepthAreTried) {
    say("привет");
    // Line 3 answers this phrase, but at depth 2 it is not a candidate yet.
    say("а у тебя?");
    EXPECT_EQ(talk.lastTurn().source, AnswerSource::QuestionRule);
    EXPECT_EQ(depth(), 0);
    EXPECT_EQ(line(), 5);
}

TEST_F(ThreadTest, ABranchLineIsSearchedAsOneText) {
    say("привет");
    say("Ну, как дела?");
    EXPECT_EQ(line(), 2);

    talk.state().BranchDepth = 1;
    talk.state().BranchLine = 1;
    window.display.clear();
    say("Как твои дела?");
    EXPECT_EQ(talk.lastTurn().source, AnswerSource::QuestionRule);
}

TEST_F(ThreadTest, ShallowerLinesArePassedOverAndTheirDeeperLinesBecomeCandidates) {
    writeWords({"База", "ПРИВЕТ.^Привет!;", "_А^Один.;", "__Б^Два.;", "_В^Три.;", "__Г^Четыре.;",
                "ПОКА.^Пока.;"});
    say("привет");
    say("а");
    ASSERT_EQ(line(), 2);
    ASSERT_EQ(depth(), 2);
    say("г");
    EXPECT_EQ(reply(), "Четыре.");
    EXPECT_EQ(line(), 5);
    EXPECT_EQ(depth(), 3);
}

TEST_F(ThreadTest, TheEndOfTheFileEndsTheThreadAndTheMainScanRunsAtOnce) {
    writeWords({"База", "ПРИВЕТ.^Привет!;", "ПОКА.^До свидания.;"});
    say("пока");
    ASSERT_EQ(line(), 2); // the last line of the file
    say("привет");
    EXPECT_EQ(reply(), "Привет!");
    EXPECT_EQ(talk.lastTurn().source, AnswerSource::MainScan);
    EXPECT_EQ(depth(), 1);
    EXPECT_EQ(line(), 1);
}

TEST_F(ThreadTest, TheEndOfTheFileWithoutAMainMatchLeavesNoThreadOpen) {
    writeWords({"База", "ПРИВЕТ.^Привет!;", "_КАК ДЕЛА?^Хорошо.;"});
    say("привет");
    say("как погода");
    EXPECT_EQ(reply(), kStatementAnswer);
    EXPECT_EQ(depth(), 0);
    // Later phrases reach the main scan again.
    window.display.clear();
    say("привет");
    EXPECT_EQ(reply(), "Привет!");
}

TEST_F(ThreadTest, LinesOutsideTheGrammarArePassedOverWithoutEndingTheThread) {
    writeWords({"База", "ПРИВЕТ.^Привет!;", "МУСОР БЕЗ ЗНАКА", "", "_КАК ДЕЛА?^",
                "_КАК ДЕЛА?^Хорошо", "_КАК ДЕЛА?^Нормально.;"});
    say("привет");
    say("как дела?");
    EXPECT_EQ(reply(), "Нормально.");
    EXPECT_EQ(line(), 6);
    EXPECT_EQ(depth(), 2);
}

TEST_F(ThreadTest, AGuardAnswerKeepsTheThread) {
    say("привет");
    say("ты гад");
    EXPECT_EQ(reply(), kCensorAnswer);
    EXPECT_EQ(depth(), 1);
    EXPECT_EQ(line(), 1);
    say("как дела?");
    EXPECT_EQ(line(), 2);
}

TEST_F(ThreadTest, ANewDialogueDoesNotEndTheThread) {
    say("привет");
    talk.newDialogue();
    EXPECT_EQ(depth(), 1);
    EXPECT_EQ(line(), 1);
    say("как дела?");
    EXPECT_EQ(line(), 2);
}

TEST_F(ThreadTest, AMissingWordsFileStopsTheFollowUpSearch) {
    say("привет");
    removeBase("Words.Dat");
    EXPECT_EQ(sayFailing("как дела?"), "Cannot open file Base\\Words.Dat.");
    EXPECT_EQ(depth(), 1);
    EXPECT_EQ(line(), 1);
}

} // namespace
