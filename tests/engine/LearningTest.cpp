#include "Support.h"
#include "kb/Cp1251.h"

namespace {

using namespace enginetest;

class LearningTest : public TalkFixture {};

TEST_F(LearningTest, TheWorkedExampleMovesTheAnsweredLineToTheEnd) {
    writeWords({"База", "ПРИВЕТ.^Привет!;", "ПОКА.^Пока.;", "СПАСИБО.^Пожалуйста.;",
                "КАК ДЕЛА?^Хорошо.;", "ДОБРЫЙ ДЕНЬ.^Добрый.;", "КТО ТЫ?^Программа.;",
                "УТРО.^Доброе утро.;", "ЗДРАВСТВУЙ.^Здравствуй.;"});
    setPrevReply("Как дела?");
    say("отлично");
    EXPECT_EQ(reply(), kStatementAnswer);
    EXPECT_EQ(readBase("W1.Dat"), (Utf8Lines{kQuestionAnswer, "Отлично."}));
    EXPECT_EQ(readBase("W2.Dat"), Utf8Lines{kStatementAnswer});
    EXPECT_EQ(readBase("Words.Dat"),
              (Utf8Lines{"База", "ПРИВЕТ.^Привет!;", "ПОКА.^Пока.;", "СПАСИБО.^Пожалуйста.;",
                         "ДОБРЫЙ ДЕНЬ.^Добрый.;", "КТО ТЫ?^Программа.;", "УТРО.^Доброе утро.;",
                         "ЗДРАВСТВУЙ.^Здравствуй.;", "ОТЛИЧНО.^", "КАК ДЕЛА?^Хорошо.;Отлично.;"}));
}

TEST_F(LearningTest, TheFirstTurnOfARunLearnsNothingNew) {
    say("отлично");
    EXPECT_EQ(reply(), kStatementAnswer);
    EXPECT_EQ(readBase("W1.Dat"), Utf8Lines{kQuestionAnswer});
    EXPECT_EQ(readBase("W2.Dat"), Utf8Lines{kStatementAnswer});
    EXPECT_EQ(readBase("Words.Dat"), (Utf8Lines{"База фраз", "ПРИВЕТ.^Здравствуй!;"}));
}

TEST_F(LearningTest, APhraseAlreadyInTheFallbackFileIsLearnedEvenOnTheFirstTurn) {
    writeBase("W2.Dat", {kStatementAnswer, "Отлично."});
    say("отлично");
    EXPECT_EQ(readBase("W2.Dat"), (Utf8Lines{kStatementAnswer, "Отлично."}));
    EXPECT_EQ(readBase("W1.Dat"), Utf8Lines{kQuestionAnswer});
    EXPECT_EQ(readBase("Words.Dat"), (Utf8Lines{"База фраз", "ПРИВЕТ.^Здравствуй!;", "ОТЛИЧНО.^"}));
}

TEST_F(LearningTest, TheFirstLineOfAFallbackFileIsNeverFound) {
    writeBase("W2.Dat", {"Отлично."});
    setPrevReply("Хорошо.");
    say("отлично");
    EXPECT_EQ(reply(), "Отлично.");
    EXPECT_EQ(readBase("W2.Dat"), (Utf8Lines{"Отлично.", "Отлично."}));
}

TEST_F(LearningTest, TheFileAppendedToFollowsThePreviousAnswerNotThePhrase) {
    setPrevReply("А ты кто?");
    say("как тебя зовут?");
    EXPECT_EQ(reply(), kQuestionAnswer);
    EXPECT_EQ(readBase("W1.Dat"), (Utf8Lines{kQuestionAnswer, "Как тебя зовут?"}));

    window.display.clear();
    writeBase("W1.Dat", {kQuestionAnswer});
    setPrevReply("Я программа.");
    say("как тебя зовут?");
    EXPECT_EQ(reply(), kQuestionAnswer);
    EXPECT_EQ(readBase("W1.Dat"), Utf8Lines{kQuestionAnswer});
    EXPECT_EQ(readBase("W2.Dat"), (Utf8Lines{kStatementAnswer, "Как тебя зовут?"}));
}

TEST_F(LearningTest, ATypedPhraseIsLearnedAsItsNormalisedCapitals) {
    setPrevReply("Ну?");
    say("как дела");
    EXPECT_EQ(readBase("Words.Dat").back(), "КАК ДЕЛА.^");
    EXPECT_EQ(readBase("W1.Dat"), (Utf8Lines{kQuestionAnswer, "Как дела."}));
}

TEST_F(LearningTest, AFallbackAnswerReceivesTheNextNewPhraseAsShown) {
    writeWords({"База", "РАССКАЖИ О СЕБЕ.^"});
    writeBase("W2.Dat", {"Расскажи о себе."});
    say("как дела");
    ASSERT_EQ(prevReply(), "Расскажи о себе.");
    // The filter entry ЛЮБЛЮ keeps this phrase from being learned.
    say("я люблю читать");
    EXPECT_EQ(readBase("Words.Dat"), (Utf8Lines{"База", "РАССКАЖИ О СЕБЕ.^"}));
    say("я Программист");
    EXPECT_EQ(readBase("Words.Dat"),
              (Utf8Lines{"База", "Я ПРОГРАММИСТ.^", "РАССКАЖИ О СЕБЕ.^Я Программист.;"}));
    EXPECT_EQ(readBase("W2.Dat"), (Utf8Lines{"Расскажи о себе.", "Я Программист."}));
}

TEST_F(LearningTest, AKnownPhraseIsNotLearnedOrAttachedAgain) {
    writeWords({"База", "КАК ДЕЛА?^Хорошо.;"});
    setPrevReply("Как дела?");
    say("погода хорошая");
    const Utf8Lines afterFirst = readBase("Words.Dat");
    ASSERT_EQ(afterFirst,
              (Utf8Lines{"База", "ПОГОДА ХОРОШАЯ.^", "КАК ДЕЛА?^Хорошо.;Погода хорошая.;"}));
    say("скучно");
    const Utf8Lines afterSecond = readBase("Words.Dat");
    setPrevReply("Как дела?");
    say("погода хорошая");
    EXPECT_EQ(readBase("Words.Dat"), afterSecond);
}

TEST_F(LearningTest, PhrasesWithAFilterEntryAreNeverLearnedButStillMatched) {
    writeWords({"База", "ОЛЯ.^Красивое имя.;"});
    setPrevReply("Как тебя зовут?");
    say("Меня зовут Оля.");
    EXPECT_EQ(reply(), "Красивое имя.");
    setPrevReply("Как тебя зовут?");
    say("меня зовут Катя");
    EXPECT_EQ(reply(), kStatementAnswer);
    EXPECT_EQ(readBase("W1.Dat"), Utf8Lines{kQuestionAnswer});
    EXPECT_EQ(readBase("W2.Dat"), Utf8Lines{kStatementAnswer});
    EXPECT_EQ(readBase("Words.Dat"), (Utf8Lines{"База", "ОЛЯ.^Красивое имя.;"}));
}

TEST_F(LearningTest, AUserWhoRepeatsTheAnswerTeachesTheLineToAnswerItself) {
    writeWords({"База"});
    writeBase("W1.Dat", {"Ты кто?"});
    say("а ты кто?");
    ASSERT_EQ(prevReply(), "Ты кто?");
    say("ты кто?");
    EXPECT_EQ(readBase("Words.Dat"), (Utf8Lines{"База", "ТЫ КТО?^Ты кто?;"}));
}

TEST_F(LearningTest, AnAttachedLineLeavesItsBranchLinesBehind) {
    writeWords({"База", "КАК ДЕЛА?^Хорошо.;", "_А У ТЕБЯ?^Тоже.;", "ПОКА.^Пока.;"});
    setPrevReply("Как дела?");
    say("отлично");
    EXPECT_EQ(readBase("Words.Dat"), (Utf8Lines{"База", "_А У ТЕБЯ?^Тоже.;", "ПОКА.^Пока.;",
                                                "ОТЛИЧНО.^", "КАК ДЕЛА?^Хорошо.;Отлично.;"}));
}

TEST_F(LearningTest, AnAttachmentAfterTheLeaveMarkerDisarmsIt) {
    writeWords({"База", "ПОКА.^До свидания.;@"});
    setPrevReply("Пока.");
    say("ладно");
    const Utf8Lines words = readBase("Words.Dat");
    ASSERT_EQ(words.back(), "ПОКА.^До свидания.;@Ладно.;");

    // The line's second alternative now starts with the "@".
    const std::uint32_t second = clockWhere({6, 2}, [](const auto& d) { return d[1] == 1; });
    window.display.clear();
    sayAt(second, "пока");
    EXPECT_EQ(reply(), "@Ладно.");
    EXPECT_EQ(window.timerCallCount(engine::Timer::T4), 1);
    EXPECT_FALSE(window.timerEnabled(engine::Timer::T4));
}

TEST_F(LearningTest, OnlyTheFirstLineWithThePreviousAnswerReceivesIt) {
    writeWords({"База", "ДА?^Да.;", "ДА?^Нет.;"});
    setPrevReply("Да?");
    say("конечно");
    EXPECT_EQ(readBase("Words.Dat"),
              (Utf8Lines{"База", "ДА?^Нет.;", "КОНЕЧНО.^", "ДА?^Да.;Конечно.;"}));
}

TEST_F(LearningTest, BranchLinesAndLinesWithoutCaretAreNeitherKnownNorReceivers) {
    writeWords({"База", "_ОТЛИЧНО.^Да.;", "ОТЛИЧНО.", "КАК ДЕЛА?", "", "КАК ДЕЛА?^Хорошо.;"});
    setPrevReply("Как дела?");
    say("отлично");
    EXPECT_EQ(readBase("Words.Dat"), (Utf8Lines{"База", "_ОТЛИЧНО.^Да.;", "ОТЛИЧНО.", "КАК ДЕЛА?",
                                                "", "ОТЛИЧНО.^", "КАК ДЕЛА?^Хорошо.;Отлично.;"}));
}

TEST_F(LearningTest, AnAnswerWithoutSeparatorCountsAsUnansweredAndKnown) {
    writeWords({"База", "ОТЛИЧНО.^Класс"});
    setPrevReply("Как дела?");
    say("отлично");
    EXPECT_EQ(reply(), kStatementAnswer);
    EXPECT_EQ(readBase("Words.Dat"), (Utf8Lines{"База", "ОТЛИЧНО.^Класс"}));
}

TEST_F(LearningTest, AnEmptyWordsFileGetsTheFirstPhraseAsItsHeader) {
    writeWords({});
    writeBase("W2.Dat", {kStatementAnswer, "Отлично."});
    say("отлично");
    EXPECT_EQ(readBase("Words.Dat"), Utf8Lines{"ОТЛИЧНО.^"});
    say("скучно");
    setPrevReply("Скука.");
    say("отлично");
    EXPECT_EQ(readBase("Words.Dat"), (Utf8Lines{"ОТЛИЧНО.^", "СКУЧНО.^", "ОТЛИЧНО.^"}));
}

TEST_F(LearningTest, ALearnedFileIsStoredAsRichTextAndReadsBackTheSame) {
    setPrevReply("Добрый день.");
    say("ну здравствуй");
    const std::string bytes = readBytes(dir.path() / "Base" / "Words.Dat");
    EXPECT_EQ(bytes.rfind("{\\rtf", 0), 0u);
    EXPECT_EQ(readBase("Words.Dat"),
              (Utf8Lines{"База фраз", "ПРИВЕТ.^Здравствуй!;", "НУ ЗДРАВСТВУЙ.^"}));
}

TEST_F(LearningTest, LongLinesRoundTripThroughLearning) {
    const std::string longAnswer(5000, 'z');
    const std::string longLine = "КАК ДЕЛА?^" + longAnswer + ";";
    writeWords({"База", longLine});
    setPrevReply("Как дела?");
    say("отлично");
    const Utf8Lines words = readBase("Words.Dat");
    ASSERT_EQ(words.size(), 3u);
    EXPECT_EQ(words[2], longLine + "Отлично.;");
}

} // namespace
