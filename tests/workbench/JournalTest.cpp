// learned and forget: what the program learned, taken back exactly, without
// touching what a person changed since.

#include "Support.h"

#include "workbench/Journal.h"

#include "engine/Conversation.h"
#include "engine/HeadlessWindow.h"
#include "kb/Json.h"

namespace {

using namespace wbtest;
using workbench::ChangeState;

class ForgetTest : public BaseFixture {
protected:
    ForgetTest() {
        writeWords({"КАК ДЕЛА?^Хорошо.;", "ПОКА.^До встречи!;@", "ЧТО НОВОГО?^"});
        writeBase("W1.Dat", {"Не знаю."});
        writeBase("W2.Dat", {"Понятно."});
    }

    // A turn of the program, learning into the base and its journal.
    void learn(const std::string& previousAnswer, const std::string& phrase) {
        conversation.state().PrevReply = cp(previousAnswer);
        window.clearDisplay();
        window.setInputText(cp(phrase));
        conversation.speak();
    }
    workbench::ForgetOutcome forget(std::vector<long> ids, bool withAnswers = false) {
        return workbench::forget(store, {std::move(ids), 0, withAnswers});
    }
    std::vector<workbench::JournalEntry> learned() { return workbench::readLearned(store); }

    engine::HeadlessWindow window;
    engine::FixedClock clock{1000};
    engine::Conversation conversation{store, window, clock};
};

TEST_F(ForgetTest, LearnedListsEachEntryWithWhereItsChangesStand) {
    learn("Как дела?", "отлично");
    const auto entries = learned();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(utf(entries[0].phrase), "Отлично.");
    EXPECT_EQ(utf(entries[0].after), "Как дела?");
    ASSERT_EQ(entries[0].changes.size(), 3u);
    EXPECT_EQ(entries[0].states, (std::vector<ChangeState>{ChangeState::Present, ChangeState::Present,
                                                           ChangeState::Present}));
    // A person removes the W1.Dat line by hand: it shows as gone.
    writeBase("W1.Dat", {"Не знаю."});
    EXPECT_EQ(learned()[0].states[0], ChangeState::Gone);

    const auto json = kb::parseJson(workbench::learnedJson(learned()));
    ASSERT_TRUE(json && json->array() && json->array()->size() == 1);
    const kb::JsonValue& entry = json->array()->front();
    EXPECT_EQ(entry.member("id")->number(), 1);
    EXPECT_EQ(entry.stringOr("phrase"), "Отлично.");
    EXPECT_EQ(entry.member("forgotten")->boolean(), false);
    const auto& answer = (*entry.member("changes")->array())[2];
    EXPECT_EQ(answer.stringOr("kind"), "answer");
    EXPECT_EQ(answer.stringOr("line"), "КАК ДЕЛА?");
    EXPECT_EQ(answer.stringOr("alternative"), "Отлично.");
    EXPECT_EQ(answer.stringOr("state"), "present");
}

TEST_F(ForgetTest, TakesBackEverythingAnEntryAddedAndNothingElse) {
    const Utf8Lines wordsBefore = readBase("Words.Dat");
    learn("Как дела?", "отлично");
    learn("Понятно.", "новости есть");
    const auto outcome = forget({1});
    EXPECT_TRUE(outcome.complete);
    EXPECT_TRUE(outcome.unknownIds.empty());
    // The answer is gone from КАК ДЕЛА?, which stays where the attachment moved it.
    EXPECT_EQ(readBase("Words.Dat"), (Utf8Lines{"Заголовок базы", "ПОКА.^До встречи!;@", "ЧТО НОВОГО?^",
                                                "КАК ДЕЛА?^Хорошо.;", "НОВОСТИ ЕСТЬ.^"}));
    EXPECT_EQ(readBase("W1.Dat"), Utf8Lines{"Не знаю."});
    EXPECT_EQ(readBase("W2.Dat"), (Utf8Lines{"Понятно.", "Новости есть."}));
    EXPECT_TRUE(learned()[0].forgotten);
    EXPECT_FALSE(learned()[1].forgotten);
    EXPECT_EQ(learned()[0].states[2], ChangeState::Forgotten);
}

TEST_F(ForgetTest, AnAnswerIsTakenFromItsLineWhereverItNowStandsAndTheLineKeepsItsLeaveMarker) {
    learn("Пока.", "счастливо");           // 1: attached after the "@" of ПОКА.
    learn("Как дела?", "нормально");       // 2: moves КАК ДЕЛА? to the end
    learn("Пока.", "удачи");               // 3: moves ПОКА. to the end again
    const auto words = readBase("Words.Dat");
    ASSERT_EQ(words.back(), "ПОКА.^До встречи!;@Счастливо.;Удачи.;");
    forget({1});
    EXPECT_EQ(readBase("Words.Dat").back(), "ПОКА.^До встречи!;@Удачи.;");
    forget({3});
    EXPECT_EQ(readBase("Words.Dat").back(), "ПОКА.^До встречи!;@") << "the line leaves again";
}

TEST_F(ForgetTest, WhatAPersonChangedSinceIsNotTouched) {
    learn("Как дела?", "отлично");
    // A person rewrites the learned answer and adds a line of their own.
    writeWords({"КАК ДЕЛА?^Хорошо.;Отлично!;", "ПОКА.^До встречи!;@", "ЧТО НОВОГО?^", "ОТЛИЧНО.^", "СВОЯ^Строка.;"});
    const Utf8Lines edited = readBase("Words.Dat");
    const auto outcome = forget({1});
    EXPECT_FALSE(outcome.complete);
    Utf8Lines expected = edited;
    expected.erase(expected.begin() + 4); // the learned, unanswered line goes
    EXPECT_EQ(readBase("Words.Dat"), expected);
    const std::string report = [&] {
        std::string all;
        for (const auto& line : outcome.lines)
            all += line + "\n";
        return all;
    }();
    EXPECT_NE(report.find("the answer \"Отлично.\" of the line \"КАК ДЕЛА?\" in Base/Words.Dat is not there any more: "
                          "not found"),
              std::string::npos)
        << report;
}

TEST_F(ForgetTest, ForgettingTwiceChangesNothingTheSecondTime) {
    learn("Понятно.", "новость");
    EXPECT_TRUE(forget({1}).complete);
    const Utf8Lines words = readBase("Words.Dat");
    const Utf8Lines w2 = readBase("W2.Dat");
    const auto again = forget({1});
    EXPECT_TRUE(again.complete);
    EXPECT_EQ(again.lines, std::vector<std::string>{"entry 1: taken back before; nothing to do"});
    EXPECT_EQ(readBase("Words.Dat"), words);
    EXPECT_EQ(readBase("W2.Dat"), w2);
}

TEST_F(ForgetTest, TwoEntriesInOneCallAndTheLastOnes) {
    learn("Понятно.", "первое");
    learn("Понятно.", "второе");
    learn("Понятно.", "третье");
    EXPECT_TRUE(forget({1, 3}).complete);
    EXPECT_EQ(readBase("W2.Dat"), (Utf8Lines{"Понятно.", "Второе."}));
    EXPECT_EQ(readBase("Words.Dat").back(), "ВТОРОЕ.^");
    EXPECT_TRUE(workbench::forget(store, {{}, 1, false}).complete) << "--last 1 takes the last one not taken back";
    EXPECT_EQ(readBase("W2.Dat"), Utf8Lines{"Понятно."});
}

TEST_F(ForgetTest, ALearnedLineThatHasAnswersSinceIsKeptUnlessItsAnswersGoWithIt) {
    learn("Понятно.", "как жизнь?");             // 1: a new line КАК ЖИЗНЬ?^
    learn("Как жизнь?", "потихоньку");           // 2: an answer to it
    const auto kept = forget({1});
    EXPECT_FALSE(kept.complete);
    ASSERT_FALSE(kept.lines.empty());
    EXPECT_NE(kept.lines.front().find("it has received answers since"), std::string::npos) << kept.lines.front();
    EXPECT_NE(kept.lines.front().find("entries 2"), std::string::npos) << kept.lines.front();
    EXPECT_EQ(readBase("Words.Dat").back(), "КАК ЖИЗНЬ?^Потихоньку.;");
    EXPECT_FALSE(learned()[0].forgotten);

    EXPECT_TRUE(forget({1}, true).complete);
    const Utf8Lines words = readBase("Words.Dat");
    EXPECT_EQ(std::count_if(words.begin(), words.end(), [](const auto& l) { return l.starts_with("КАК ЖИЗНЬ?"); }), 0);
    EXPECT_EQ(learned()[1].states[2], ChangeState::Gone) << "entry 2's answer went with the line";
}

TEST_F(ForgetTest, AnUnknownEntryChangesNothing) {
    learn("Понятно.", "новость");
    const Utf8Lines words = readBase("Words.Dat");
    const auto outcome = forget({1, 7});
    EXPECT_EQ(outcome.unknownIds, std::vector<long>{7});
    EXPECT_EQ(readBase("Words.Dat"), words);
    EXPECT_FALSE(learned()[0].forgotten);
}

} // namespace
