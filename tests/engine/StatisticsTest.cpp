#include "Support.h"

namespace {

using namespace enginetest;

class StatisticsTest : public TalkFixture {};

TEST_F(StatisticsTest, MainPhrasesAndBranchesAreCountedFromTheSecondLine) {
    writeWords({"_заголовок;;", "ПРИВЕТ.^Привет!;Здравствуй.;", "_КАК ДЕЛА?^Хорошо.;",
                "__А У ТЕБЯ?^Тоже.;", "ПОКА.^До свидания.;@", "КАК ТЕБЯ ЗОВУТ?^"});
    const engine::PhraseCounts counts = talk.countPhrases();
    EXPECT_EQ(counts.mainPhrases, 3);
    EXPECT_EQ(counts.branches, 2);
    EXPECT_EQ(talk.incomingPhrases(), 5);
}

TEST_F(StatisticsTest, AnEmptyLineIsNeitherAMainLineNorABranch) {
    writeWords({"База", "ПРИВЕТ.^Привет!;", "", "_ДА.^Да.;"});
    const engine::PhraseCounts counts = talk.countPhrases();
    EXPECT_EQ(counts.mainPhrases, 1);
    EXPECT_EQ(counts.branches, 1);
}

TEST_F(StatisticsTest, AHeaderOnlyFileAndAnEmptyFileCountNothing) {
    writeWords({"База"});
    EXPECT_EQ(talk.countPhrases().mainPhrases, 0);
    EXPECT_EQ(talk.countPhrases().branches, 0);
    EXPECT_EQ(talk.incomingPhrases(), 0);
    writeWords({});
    EXPECT_EQ(talk.countPhrases().mainPhrases, 0);
    EXPECT_EQ(talk.incomingPhrases(), 0);
}

TEST_F(StatisticsTest, OutgoingPhrasesAreTheAnswerFileLinesAndTheSeparators) {
    writeWords({"ЗАГОЛОВОК;;;", "ПРИВЕТ.^Привет!;Здравствуй.;", "_ДА.^Да.;", "КТО ТЫ?^"});
    writeBase("BigString.Dat", {"1", "2"});
    writeBase("Pause.Dat", {"1", "2", "3"});
    writeBase("Povtor.Dat", {"1"});
    writeBase("W1.Dat", {"1", "2", "3", "4"});
    writeBase("W2.Dat", {});
    writeBase("X.Dat", {"1", "2", "3", "4", "5"});
    // Neither the record file nor the follow-up and greeting files count.
    writeBase("Collection.Dat", {"1", "2", "3"});
    writeBase("AI.dat", {"1", "2", "3"});
    writeBase("Begin.dat", {"1", "2", "3"});
    EXPECT_EQ(talk.outgoingPhrases(), 2 + 3 + 1 + 4 + 0 + 5 + 3);
}

TEST_F(StatisticsTest, CountsFollowTheFileAsItGrows) {
    writeWords({"База", "КАК ДЕЛА?^Хорошо.;"});
    const int before = talk.outgoingPhrases();
    setPrevReply("Как дела?");
    say("отлично");
    EXPECT_EQ(talk.incomingPhrases(), 2);
    // One more W1.Dat line and one more alternative.
    EXPECT_EQ(talk.outgoingPhrases(), before + 2);
}

} // namespace
