#include "Support.h"

namespace {

using engine::Timer;
using namespace enginetest;

const std::string kDashes(80, '-');
const std::string kUnderscores = std::string(22, ' ') + std::string(30, '_');
const std::string kTildes = std::string(22, ' ') + std::string(30, '~');
const std::string kEquals(53, '=');

std::string dateLine(const std::string& date, const std::string& time) {
    return std::string(22, ' ') + "Дата - " + date + "   |   Время - " + time;
}

class CommandsTest : public TalkFixture {
protected:
    void exitWithLog(const std::string& date = "01.02.2024", const std::string& time = "9:05:07") {
        talk.appendTranscriptToLog(cp(date), cp(time));
    }
};

TEST_F(CommandsTest, UndoRemovesTheLastLineOfBothListsAndShakes) {
    say("привет");
    say("как погода");
    const engine::DialogueState before = talk.state();
    const Utf8Lines wordsBefore = readBase("Words.Dat");
    window.input = cp("недописанное");
    talk.undo();
    EXPECT_EQ(window.displayText(), (Utf8Lines{"Привет.", "Здравствуй!", "Как погода."}));
    EXPECT_EQ(transcript(),
              (Utf8Lines{"USER:     Привет.", "CPU:     Здравствуй!", "USER:     Как погода."}));
    EXPECT_TRUE(window.timerEnabled(Timer::T7));
    // The dialogue variables and the knowledge base stay as they were.
    EXPECT_EQ(talk.state().PrevReply, before.PrevReply);
    EXPECT_EQ(talk.state().Reply, before.Reply);
    EXPECT_EQ(talk.state().BranchDepth, before.BranchDepth);
    EXPECT_EQ(talk.state().BranchLine, before.BranchLine);
    EXPECT_EQ(readBase("Words.Dat"), wordsBefore);
    EXPECT_EQ(window.input, cp("недописанное"));
}

TEST_F(CommandsTest, UndoOnEmptyListsOnlyShakes) {
    talk.undo();
    EXPECT_TRUE(window.display.empty());
    EXPECT_TRUE(talk.transcript().empty());
    EXPECT_EQ(window.timerCalls, (std::vector<std::pair<Timer, bool>>{{Timer::T7, true}}));
}

TEST_F(CommandsTest, ANewDialogueClearsTheListsAndTheFieldButNotTheThread) {
    say("привет");
    window.input = cp("что-то");
    talk.newDialogue();
    EXPECT_TRUE(window.display.empty());
    EXPECT_TRUE(talk.transcript().empty());
    EXPECT_EQ(window.input, "");
    EXPECT_EQ(window.inputChanges, 2);
    EXPECT_TRUE(window.timerEnabled(Timer::T7));
    EXPECT_TRUE(window.timerEnabled(Timer::T10));
    EXPECT_EQ(talk.state().BranchDepth, 1);
    EXPECT_EQ(prevReply(), "Здравствуй!");
}

TEST_F(CommandsTest, AnExitWithAnEmptyTranscriptWritesTheHeaderAndTheClosingRow) {
    writeWords({"База", "ПРИВЕТ.^Здравствуй!;", "ПОКА.^Пока.;"});
    exitWithLog("01.02.2024", "9:05:07");
    EXPECT_EQ(readBase("Log.Brisol"),
              (Utf8Lines{"", kDashes, kUnderscores, dateLine("01.02.2024", "9:05:07"), kTildes,
                         "//Загружено фраз выученных программой: 2", kEquals}));
}

TEST_F(CommandsTest, TheLogBlockHoldsTheTranscriptAndKeepsWhatTheLogHeld) {
    writeBase("Log.Brisol", {"Прежний блок"});
    say("привет");
    say("как погода");
    exitWithLog("01.02.2024", "21:00:00");
    const Utf8Lines log = readBase("Log.Brisol");
    ASSERT_EQ(log.size(), 12u);
    EXPECT_EQ(log[0], "Прежний блок");
    EXPECT_EQ(log[1], "");
    EXPECT_EQ(log[7], "USER:     Привет.");
    EXPECT_EQ(log[10], std::string("CPU:     ") + kStatementAnswer);
    EXPECT_EQ(log[11], kEquals);
}

TEST_F(CommandsTest, TheLearnedPhraseCountIncludesThisRunsPhrases) {
    setPrevReply("Как дела?");
    say("отлично");
    exitWithLog();
    EXPECT_EQ(readBase("Log.Brisol")[5], "//Загружено фраз выученных программой: 2");
}

TEST_F(CommandsTest, AnEmptyWordsFileCountsNoLearnedPhrase) {
    writeWords({});
    exitWithLog();
    EXPECT_EQ(readBase("Log.Brisol")[5], "//Загружено фраз выученных программой: 0");
}

TEST_F(CommandsTest, AnExitAfterANewDialogueHoldsOnlyTheLaterUtterances) {
    say("привет");
    talk.newDialogue();
    say("как погода");
    exitWithLog();
    const Utf8Lines log = readBase("Log.Brisol");
    ASSERT_EQ(log.size(), 9u);
    EXPECT_EQ(log[6], "USER:     Как погода.");
    EXPECT_EQ(log[7], std::string("CPU:     ") + kStatementAnswer);
}

TEST_F(CommandsTest, TwoExitsLeaveTwoBlocksEachOpenedByAnEmptyLine) {
    exitWithLog("01.02.2024", "10:00:00");
    exitWithLog("02.02.2024", "11:00:00");
    const Utf8Lines log = readBase("Log.Brisol");
    ASSERT_EQ(log.size(), 14u);
    EXPECT_EQ(log[0], "");
    EXPECT_EQ(log[7], "");
    EXPECT_EQ(log[10], dateLine("02.02.2024", "11:00:00"));
    EXPECT_EQ(log[13], kEquals);
    // Saved as rich text.
    EXPECT_EQ(readBytes(dir.path() / "Base" / "Log.Brisol").rfind("{\\rtf", 0), 0u);
}

TEST_F(CommandsTest, ATranscriptLineWithManyLinesIsWrittenLineByLine) {
    window.cpuCpu = true;
    writeCp1251File(dir.path(), "Txt.Dat", {"привет", "как дела"});
    talk.loadExchange();
    ASSERT_TRUE(talk.speak());
    exitWithLog();
    const Utf8Lines log = readBase("Log.Brisol");
    ASSERT_EQ(log.size(), 10u);
    EXPECT_EQ(log[6], "USER:     Привет");
    EXPECT_EQ(log[7], "как дела.");
}

} // namespace
