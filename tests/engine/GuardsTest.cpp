#include "Support.h"
#include "engine/BuiltInLists.h"
#include "kb/Cp1251.h"

#include <set>

namespace {

using engine::AnswerSource;
using namespace enginetest;

class GuardsTest : public TalkFixture {
protected:
    AnswerSource source() const { return talk.lastTurn().source; }
};

TEST_F(GuardsTest, TheSamePhraseTwiceGetsTheRepeatAnswerInAnyLetterCase) {
    say("как погода");
    const Utf8Lines added = say("КАК ПОГОДА");
    EXPECT_EQ(source(), AnswerSource::Repeat);
    EXPECT_EQ(added,
              (Utf8Lines{"USER:     КАК ПОГОДА.", std::string("CPU:     ") + kRepeatAnswer}));
}

TEST_F(GuardsTest, AfterAnIdlePromptThePhraseIsComparedWithTheProgramsLine) {
    say("привет");
    talk.state().IdleTicks = 89;
    talk.idleTick();
    ASSERT_EQ(window.displayText().back(), kIdlePrompt);
    say("привет");
    EXPECT_NE(source(), AnswerSource::Repeat);
    say("как погода");
    talk.followUpTick();
    talk.scratch().load(store, engine::files::AI);
    talk.followUpTick();
    ASSERT_EQ(window.displayText().back(), kFollowUpLine);
    say(kStatementAnswer);
    EXPECT_EQ(source(), AnswerSource::Repeat);
}

TEST_F(GuardsTest, TheRepeatAnswerIsTheFirstDrawOfTheTurn) {
    const Utf8Lines answers = {"Опять?", "Ты это уже говорил.", "Повторяешься."};
    writeBase("Povtor.Dat", answers);
    std::set<std::string> given;
    for (std::uint32_t value = 0; value < 60; ++value) {
        window.display.clear();
        say("как погода");
        sayAt(value * 1237, "как погода");
        ASSERT_EQ(source(), AnswerSource::Repeat);
        const int expected = replayDraws(value * 1237, {3})[0];
        ASSERT_EQ(reply(), answers[static_cast<std::size_t>(expected)]) << value;
        given.insert(reply());
    }
    EXPECT_EQ(given.size(), 3u);
}

TEST_F(GuardsTest, TheRepeatRuleComesBeforeTheCensorRule) {
    say("ты гад");
    EXPECT_EQ(source(), AnswerSource::Censor);
    say("ты гад");
    EXPECT_EQ(source(), AnswerSource::Repeat);
    EXPECT_EQ(readBase("Collection.Dat"), Utf8Lines{">>> Ты гад."});
}

TEST_F(GuardsTest, TheCensorListCatchesItsEntriesAsStored) {
    const struct {
        const char* phrase;
        bool caught;
    } cases[] = {{"ты гад", true},  {"гадость", false},     {"гадина", true}, {"Лох.", false},
                 {"Ты лох.", true}, {"ну ты и ДУРА", true}, {"Ддура", false}, {"тебя сотру", true},
                 {"хер", true},     {"херувим", false},     {"уёбище", true}};
    for (const auto& c : cases) {
        fresh(c.phrase);
        EXPECT_EQ(source() == AnswerSource::Censor, c.caught) << c.phrase;
        EXPECT_EQ(reply() == kCensorAnswer, c.caught) << c.phrase;
    }
}

TEST_F(GuardsTest, ACensoredPhraseIsRecordedAsShown) {
    writeBase("Collection.Dat", {">>> Старая запись."});
    say("ну ты и гад");
    EXPECT_EQ(readBase("Collection.Dat"), (Utf8Lines{">>> Старая запись.", ">>> Ну ты и гад."}));
}

TEST_F(GuardsTest, TheCensorRuleComesBeforeTheFilterAndTheKnowledgeBase) {
    writeWords({"База", "МАМА.^Мама - это важно.;"});
    fresh("мама дура");
    EXPECT_EQ(reply(), kCensorAnswer);
    EXPECT_EQ(talk.state().BranchDepth, 0);
}

TEST_F(GuardsTest, ACensorListWithOnlyItsEmptyFirstLinePassesOn) {
    talk.censorList().assign({""});
    say("ты гад");
    EXPECT_EQ(source(), AnswerSource::QuestionRule);
    EXPECT_TRUE(readBase("Collection.Dat").empty());
}

TEST_F(GuardsTest, TheBuiltInListsHaveTheirEmptyFirstLineAndTheirBlanks) {
    const kb::Lines censor = engine::censorList();
    const kb::Lines filter = engine::filterList();
    ASSERT_EQ(censor.size(), 83u);
    ASSERT_EQ(filter.size(), 80u);
    EXPECT_EQ(censor[0], "");
    EXPECT_EQ(filter[0], "");
    EXPECT_EQ(utf(censor[1]), " ЛОХ");
    EXPECT_EQ(utf(censor[69]), "ХЕР ");
    EXPECT_EQ(utf(censor[82]), "Я СОТРУ");
    EXPECT_EQ(utf(filter[20]), "ИМЯ ");
    EXPECT_EQ(utf(filter[79]), "ШЕРСТ");
    for (std::size_t i = 1; i < censor.size(); ++i)
        EXPECT_EQ(kb::upperCase(censor[i]), censor[i]) << i;
}

TEST_F(GuardsTest, TheFilterWithholdsLearningOnly) {
    const struct {
        const char* phrase;
        bool filtered;
    } cases[] = {{"хочу спать", true},        {"скажи своё имя", true}, {"имя", false},
                 {"имя моё Вася", true},      {"густая шерсть", true},  {"читаю книгу", false},
                 {"Мне пятнадцать лет", true}};
    for (const auto& c : cases) {
        window.display.clear();
        writeBase("W1.Dat", {kQuestionAnswer});
        setPrevReply("Что делаешь?");
        say(c.phrase);
        EXPECT_EQ(reply(), kStatementAnswer) << c.phrase;
        EXPECT_EQ(readBase("W1.Dat").size(), c.filtered ? 1u : 2u) << c.phrase;
    }
}

TEST_F(GuardsTest, OnlyAFinalQuestionMarkMakesAQuestion) {
    say("ты кто? скажи");
    EXPECT_EQ(reply(), kStatementAnswer);
    say("скажи, ты кто?");
    EXPECT_EQ(reply(), kQuestionAnswer);
}

// The random gate is the first draw of a turn that no guard answered; it looks
// at the length on 1, 3, 4 and 5.
class LongInputTest : public GuardsTest {
protected:
    std::uint32_t clockForGate(int gate) {
        return clockWhere({6}, [gate](const auto& d) { return d[0] + 1 == gate; });
    }
    static std::string phraseOf(std::size_t length) {
        // Normalisation appends "."; only one-byte characters, so bytes are characters.
        return std::string(length - 1, 'a');
    }
};

TEST_F(LongInputTest, TheGateDecidesWhetherTheLengthIsLookedAt) {
    for (int gate = 1; gate <= 6; ++gate) {
        window.display.clear();
        sayAt(clockForGate(gate), phraseOf(110));
        ASSERT_EQ(talk.state().Phrase.size(), 110u);
        const bool looked = gate == 1 || gate == 3 || gate == 4 || gate == 5;
        EXPECT_EQ(source() == AnswerSource::LongInput, looked) << gate;
        EXPECT_EQ(reply() == kLongAnswer, looked) << gate;
    }
}

TEST_F(LongInputTest, APhraseOf109CharactersIsNeverTooLong) {
    for (int gate = 1; gate <= 6; ++gate) {
        window.display.clear();
        sayAt(clockForGate(gate), phraseOf(109));
        EXPECT_NE(source(), AnswerSource::LongInput) << gate;
    }
}

TEST_F(LongInputTest, TheLengthIsCountedAfterNormalisation) {
    window.display.clear();
    sayAt(clockForGate(1), std::string(109, 'a') + "?");
    EXPECT_EQ(source(), AnswerSource::LongInput);
    window.display.clear();
    sayAt(clockForGate(1), std::string(109, 'a'));
    EXPECT_EQ(source(), AnswerSource::LongInput);
}

TEST_F(LongInputTest, ALongPhraseTakesTheLongAnswerOnAboutTwoTurnsInThree) {
    int longAnswers = 0;
    const int turns = 600;
    for (int i = 0; i < turns; ++i) {
        window.display.clear();
        sayAt(static_cast<std::uint32_t>(i) * 131, phraseOf(150));
        if (source() == AnswerSource::LongInput)
            ++longAnswers;
    }
    EXPECT_GT(longAnswers, turns * 58 / 100);
    EXPECT_LT(longAnswers, turns * 75 / 100);
}

TEST_F(LongInputTest, AGuardAnswerTouchesNeitherTheThreadNorTheLeaveAnimation) {
    writeWords({"База", "ПОКА.^До свидания.;@", "_НЕТ.^Жаль.;"});
    say("пока");
    ASSERT_TRUE(window.timerEnabled(engine::Timer::T4));
    sayAt(clockForGate(3), phraseOf(120));
    ASSERT_EQ(source(), AnswerSource::LongInput);
    EXPECT_EQ(talk.state().BranchDepth, 1);
    EXPECT_EQ(talk.state().BranchLine, 1);
    EXPECT_EQ(window.timerCallCount(engine::Timer::T4), 1);
    say("нет");
    EXPECT_EQ(reply(), "Жаль.");
}

TEST_F(GuardsTest, TheFallbackAnswerIsDrawnAfterTheGateFromTheWholeFile) {
    const Utf8Lines answers = {"Ясно.", "Интересно.", "Продолжай."};
    writeBase("W2.Dat", answers);
    std::set<std::string> given;
    for (std::uint32_t value = 0; value < 60; ++value) {
        window.display.clear();
        // A filtered phrase, so that the file does not grow meanwhile.
        sayAt(value * 7001, "хочу спать");
        ASSERT_EQ(source(), AnswerSource::QuestionRule);
        const int expected = replayDraws(value * 7001, {6, 3})[1];
        ASSERT_EQ(reply(), answers[static_cast<std::size_t>(expected)]) << value;
        given.insert(reply());
    }
    EXPECT_EQ(given.size(), 3u);
}

class EmptyAnswerFileTest : public GuardsTest {};

TEST_F(EmptyAnswerFileTest, AnEmptyFileGivesAnEmptyAnswer) {
    writeBase("Povtor.Dat", {});
    say("как погода");
    const Utf8Lines added = say("как погода");
    EXPECT_EQ(added.back(), "CPU:     ");
    EXPECT_EQ(window.displayText().back(), "");
    EXPECT_EQ(window.display.back().style, engine::LineStyle::Program);
    EXPECT_EQ(prevReply(), "");
    // An empty previous answer learns nothing at the next turn.
    say("скучно");
    EXPECT_EQ(readBase("W2.Dat"), Utf8Lines{kStatementAnswer});
    EXPECT_EQ(readBase("W1.Dat"), Utf8Lines{kQuestionAnswer});
}

} // namespace
