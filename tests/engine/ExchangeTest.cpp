#include "Support.h"
#include "kb/FileError.h"

#include <fstream>

namespace {

using engine::AnswerSource;
using namespace enginetest;

class ExchangeTest : public TalkFixture {
protected:
    void SetUp() override { window.cpuCpu = true; }

    void writeExchange(const std::string& bytes) {
        std::ofstream out(dir.path() / "Txt.Dat", std::ios::binary | std::ios::trunc);
        out << bytes;
    }
    std::string exchangeBytes() { return readBytes(dir.path() / "Txt.Dat"); }
    // One exchange step: the file into the buffer, then a turn.
    bool exchange(const std::string& bytes) {
        writeExchange(bytes);
        talk.loadExchange();
        return talk.speak();
    }
};

TEST_F(ExchangeTest, ATurnTakesTheFileAndWritesTheAnswerBack) {
    window.input = cp("набранное");
    exchange(cp("как дела?") + "\r\n");
    EXPECT_EQ(utf(talk.state().Phrase), "Как дела?");
    EXPECT_EQ(reply(), kQuestionAnswer);
    EXPECT_EQ(exchangeBytes(), cp(kQuestionAnswer) + "\r\n");
    EXPECT_EQ(utf(talk.exchangeBuffer().lines()), Utf8Lines{kQuestionAnswer});
    EXPECT_EQ(window.input, "");
    EXPECT_EQ(transcript(),
              (Utf8Lines{"USER:     Как дела?", std::string("CPU:     ") + kQuestionAnswer}));
}

TEST_F(ExchangeTest, InnerLineBreaksMakeSeveralLines) {
    exchange(cp("привет\r\nкак дела") + "\r\n");
    EXPECT_EQ(window.displayText().at(0), "Привет");
    EXPECT_EQ(window.displayText().at(1), "как дела.");
    EXPECT_EQ(window.display.at(1).style, engine::LineStyle::User);
    EXPECT_EQ(window.displayText().at(2), kStatementAnswer);
    EXPECT_EQ(transcript().at(0), "USER:     Привет");
    EXPECT_EQ(transcript().at(1), "как дела.");
}

TEST_F(ExchangeTest, AnEmptyExchangeTextStartsNoTurn) {
    for (const std::string& bytes : {std::string(), std::string("\r\n"), std::string("\r\n\r\n")}) {
        EXPECT_FALSE(exchange(bytes));
        EXPECT_TRUE(window.display.empty());
        EXPECT_TRUE(talk.transcript().empty());
        EXPECT_TRUE(window.cues.empty());
        EXPECT_EQ(exchangeBytes(), bytes);
    }
}

TEST_F(ExchangeTest, TheBufferHoldsTheAnswerForTheNextClick) {
    exchange(cp("как дела?") + "\r\n");
    window.display.clear();
    EXPECT_TRUE(talk.speak());
    EXPECT_EQ(utf(talk.state().Phrase), kQuestionAnswer);
}

TEST_F(ExchangeTest, TheCensorListStaysWholeInBothModes) {
    exchange(cp("ты гад") + "\r\n");
    EXPECT_EQ(talk.lastTurn().source, AnswerSource::Censor);
    EXPECT_EQ(talk.censorList().count(), 83);
    window.cpuCpu = false;
    window.display.clear();
    say("ну ты и гад");
    EXPECT_EQ(talk.lastTurn().source, AnswerSource::Censor);
    EXPECT_EQ(readBase("Collection.Dat"), (Utf8Lines{">>> Ты гад.", ">>> Ну ты и гад."}));
}

TEST_F(ExchangeTest, AnUnguardedPhraseCanMatchABranchLineInTheMainScan) {
    writeWords({"База", "_КАК ДЕЛА?^Хорошо.;"});
    exchange(cp("_как дела?"));
    EXPECT_EQ(reply(), "Хорошо.");
    EXPECT_EQ(talk.state().BranchDepth, 1);
    EXPECT_EQ(talk.state().BranchLine, 1);
}

TEST_F(ExchangeTest, ASeparatorInTheLearnedPhraseBecomesAnAlternativeSeparator) {
    writeWords({"База", "КАК ДЕЛА?^Хорошо.;"});
    setPrevReply("Как дела?");
    exchange(cp("раз;два") + "\r\n");
    EXPECT_EQ(readBase("Words.Dat"),
              (Utf8Lines{"База", "РАЗ;ДВА.^", "КАК ДЕЛА?^Хорошо.;Раз;два.;"}));
}

TEST_F(ExchangeTest, AnExchangeFileThatCannotBeWrittenStopsTheTurnEnd) {
    writeCp1251File(dir.path(), "Other.Dat", {"как дела?"});
    window.path = "Other.Dat";
    talk.loadExchange();
    window.path = "Missing\\Txt.Dat";
    window.input = cp("набранное");
    setPrevReply("Раньше.");
    talk.state().IdleTicks = 5;
    try {
        talk.speak();
        ADD_FAILURE() << "the turn did not fail";
    } catch (const kb::FileError& error) {
        EXPECT_EQ(kb::withFullStop(error.what()), "Cannot create file Missing\\Txt.Dat.");
    }
    EXPECT_EQ(window.displayText().back(), kQuestionAnswer);
    EXPECT_EQ(utf(talk.exchangeBuffer().lines()), Utf8Lines{kQuestionAnswer});
    EXPECT_EQ(prevReply(), "Раньше.");
    EXPECT_EQ(window.input, cp("набранное"));
    EXPECT_EQ(talk.state().IdleTicks, 5);
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "Missing"));
}

TEST_F(ExchangeTest, AMissingExchangeFileFailsTheReadAndKeepsTheBuffer) {
    exchange(cp("как дела?") + "\r\n");
    std::filesystem::remove(dir.path() / "Txt.Dat");
    try {
        talk.loadExchange();
        ADD_FAILURE() << "the read did not fail";
    } catch (const kb::FileError& error) {
        EXPECT_STREQ(error.what(), "Cannot open file Txt.Dat");
    }
    EXPECT_EQ(utf(talk.exchangeBuffer().lines()), Utf8Lines{kQuestionAnswer});
}

} // namespace
