#include "Support.h"

#include <map>

namespace {

using engine::AnswerSource;
using engine::Timer;
using namespace enginetest;

class MatchingTest : public TalkFixture {};

TEST_F(MatchingTest, AMainLineMatchesPhrasesThatHoldItsWords) {
    writeWords({"База", "ПРИВЕТ.^Привет!;"});
    for (const char* phrase : {"Привет", "Ну привет", "Привет, привет", "ПРИВЕТ."}) {
        fresh(phrase);
        EXPECT_EQ(reply(), "Привет!") << phrase;
        EXPECT_EQ(talk.lastTurn().source, AnswerSource::MainScan);
        EXPECT_EQ(talk.lastTurn().wordsLine, 1);
        talk.state().BranchDepth = 0;
    }
    // The stored word includes its full stop.
    fresh("Привет!");
    EXPECT_EQ(reply(), kStatementAnswer);
    EXPECT_EQ(talk.lastTurn().source, AnswerSource::QuestionRule);
}

TEST_F(MatchingTest, StoredWordsAreFoundInsideLongerWordsAndInOrderOnly) {
    writeWords({"База", "КАК ТЕБЯ ЗОВУТ?^Никак.;", "ДА.^Хорошо.;"});
    fresh("Когда");
    EXPECT_EQ(reply(), "Хорошо.");
    talk.state().BranchDepth = 0;
    fresh("Как же тебя теперь зовут?");
    EXPECT_EQ(reply(), "Никак.");
    talk.state().BranchDepth = 0;
    fresh("Тебя как зовут?");
    EXPECT_EQ(reply(), kQuestionAnswer);
}

TEST_F(MatchingTest, SmallLettersInTheStoredLineNeverMatch) {
    writeWords({"База", "привет.^Ку.;"});
    fresh("привет");
    EXPECT_EQ(reply(), kStatementAnswer);
}

TEST_F(MatchingTest, UnansweredAndMalformedLinesArePassedOver) {
    // An empty phrase part has no word that could be found.
    writeWords({"База", "КАК ДЕЛА?^", "", "КАК ДЕЛА?", "КАК ДЕЛА?^Хорошо", "^Всегда.;",
                "КАК ДЕЛА?^Отлично.;"});
    fresh("как дела?");
    EXPECT_EQ(reply(), "Отлично.");
    EXPECT_EQ(talk.lastTurn().wordsLine, 6);
    EXPECT_EQ(talk.state().BranchLine, 6);
    EXPECT_EQ(talk.state().BranchDepth, 1);
}

TEST_F(MatchingTest, FileOrderDecidesBetweenMatchingLines) {
    writeWords({"База", "ПОКА.^Пока.;", "СПАСИБО.^Пожалуйста.;", "ДА.^Раз.;", "НЕТ.^Нет.;",
                "КТО ТЫ?^Программа.;", "УТРО.^Доброе.;", "КОГДА.^Два.;"});
    fresh("Когда.");
    EXPECT_EQ(reply(), "Раз.");
    EXPECT_EQ(talk.state().BranchLine, 3);
}

TEST_F(MatchingTest, NoMatchLeavesTheThreadAndReplyToTheQuestionRule) {
    writeWords({"База", "ПРИВЕТ.^Привет!;"});
    talk.state().BranchLine = 7;
    fresh("как погода");
    EXPECT_EQ(talk.state().BranchDepth, 0);
    EXPECT_EQ(talk.state().BranchLine, 7);
    EXPECT_EQ(talk.lastTurn().source, AnswerSource::QuestionRule);
    EXPECT_EQ(window.timerCallCount(Timer::T4), 0);
}

TEST_F(MatchingTest, TheAlternativeIsTheOneTheSecondDrawOfTheTurnNames) {
    // Draw 1 is the random gate, draw 2 the alternative.
    const Utf8Lines alternatives = {"Раз", "Два", "Три"};
    writeWords({"База", "ПРИВЕТ.^Раз;Два;Три;"});
    std::map<std::string, int> given;
    for (std::uint32_t value = 0; value < 300; ++value) {
        talk.state().BranchDepth = 0;
        window.display.clear();
        sayAt(value * 7919, "привет");
        const int expected = replayDraws(value * 7919, {6, 3})[1];
        ASSERT_EQ(reply(), alternatives[static_cast<std::size_t>(expected)]) << value;
        ++given[reply()];
    }
    ASSERT_EQ(given.size(), 3u);
    for (const auto& [alternative, count] : given) {
        EXPECT_GT(count, 70) << alternative;
        EXPECT_LT(count, 130) << alternative;
    }
}

TEST_F(MatchingTest, TheLeaveMarkerStartsTheLeaveAnimationAndOtherMainLinesStopIt) {
    writeWords({"База", "ПОКА.^До свидания.;@", "ПОЧТА.^a@b;", "ПРИВЕТ.^Привет!;"});
    fresh("пока");
    EXPECT_EQ(reply(), "До свидания.");
    EXPECT_TRUE(window.timerEnabled(Timer::T4));

    // A question-rule answer leaves it alone.
    talk.state().BranchDepth = 0;
    fresh("как погода");
    EXPECT_TRUE(window.timerEnabled(Timer::T4));
    EXPECT_EQ(window.timerCallCount(Timer::T4), 1);

    // "@" inside an alternative is text and arms nothing.
    talk.state().BranchDepth = 0;
    fresh("почта");
    EXPECT_EQ(reply(), "a@b");
    EXPECT_FALSE(window.timerEnabled(Timer::T4));
}

TEST_F(MatchingTest, ABranchLineAnswerLeavesTheLeaveAnimationAlone) {
    writeWords({"База", "ПОКА.^До свидания.;@", "_ПОКА.^Уже уходишь?;@"});
    fresh("пока");
    ASSERT_TRUE(window.timerEnabled(Timer::T4));
    fresh("ну пока");
    EXPECT_EQ(reply(), "Уже уходишь?");
    EXPECT_EQ(window.timerCallCount(Timer::T4), 1);
}

TEST_F(MatchingTest, ATypedPhraseNeverMatchesABranchLineInTheMainScan) {
    writeWords({"База", "_КАК ДЕЛА?^Хорошо.;"});
    fresh("как дела?");
    EXPECT_EQ(reply(), kQuestionAnswer);
    EXPECT_EQ(talk.state().BranchDepth, 0);
}

TEST_F(MatchingTest, AnEmptyWordsFileAndAHeaderOnlyFileMatchNothing) {
    writeWords({});
    fresh("привет");
    EXPECT_EQ(reply(), kStatementAnswer);
    writeWords({"ПРИВЕТ.^Привет!;"}); // the header is never read
    fresh("привет");
    EXPECT_EQ(reply(), kStatementAnswer);
}

TEST_F(MatchingTest, AnEditOfTheFileIsSeenAtTheNextTurn) {
    writeWords({"База", "ПРИВЕТ.^Первый.;"});
    fresh("привет");
    ASSERT_EQ(reply(), "Первый.");
    writeWords({"База", "ПРИВЕТ.^Второй ответ.;"});
    talk.state().BranchDepth = 0;
    fresh("привет");
    EXPECT_EQ(reply(), "Второй ответ.");
}

TEST_F(MatchingTest, LongLinesAreMatchedAndAnsweredWhole) {
    const std::string longAnswer(5000, 'x');
    writeWords({"База", "ДЛИННО.^" + longAnswer + ";"});
    fresh("длинно");
    EXPECT_EQ(reply(), longAnswer);
    EXPECT_EQ(window.displayText().at(1), longAnswer);
}

} // namespace
