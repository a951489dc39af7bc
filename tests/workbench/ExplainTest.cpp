// What `explain` says a turn would do, computed with the engine's scans.

#include "Support.h"

#include "workbench/Explain.h"
#include "kb/Json.h"

namespace {

using namespace wbtest;
using workbench::Explanation;

class ExplainTest : public BaseFixture {
protected:
    ExplainTest() {
        writeWords({
            "ДА^Да.;",                        // 1
            "КАК ТЕБЯ ЗОВУТ?^Никак.;",        // 2
            "_ТЕБЯ?^Меня — тоже никак.;",     // 3
            "ЗОВУТ^Кого?;",                   // 4
            "КОГДА^Скоро.;",                  // 5
            "ПРИВЕТ^Привет!;",                // 6
            "_КАК ДЕЛА^Хорошо.;",             // 7
            "__А У ТЕБЯ^Тоже.;",              // 8
            "ХОЧУ^Хочешь — бери.;",           // 9
        });
    }
    Explanation run(const std::string& phrase, std::optional<int> after = {}, std::optional<int> line = {}) {
        words = *store.read("Base\\Words.Dat", kb::TextKind::Rich);
        return workbench::explain(words, {cp(phrase), after, line});
    }
    kb::Lines words;
};

TEST_F(ExplainTest, NormalisesAndShowsTheFirstMatchingLineWithWhereItsWordsWereFound) {
    const Explanation e = run("скажи, как же тебя зовут?");
    EXPECT_EQ(utf(e.normalised), "Скажи, как же тебя зовут?");
    EXPECT_EQ(e.source, Explanation::Source::MainScan);
    EXPECT_EQ(e.line, 2);
    ASSERT_EQ(e.words.size(), 3u);
    EXPECT_EQ(utf(e.words[0].word), "КАК");
    EXPECT_EQ(e.words[0].position, 7u);
    EXPECT_EQ(e.words[1].position, 14u);
    EXPECT_EQ(e.words[2].position, 19u);
    EXPECT_EQ(e.alsoMatching, std::vector<int>{4}) << "ЗОВУТ matches too and loses by file order";
    EXPECT_EQ(e.fallbackFile, "Base/W1.Dat");
    const std::string text = workbench::formatExplanation(e, words);
    EXPECT_NE(text.find("Скажи, [как] же [тебя] [зовут?]"), std::string::npos) << text;
    EXPECT_NE(text.find("line 4 matches too"), std::string::npos) << text;
}

TEST_F(ExplainTest, AKeyInsideALongerWordAnswersByFileOrder) {
    const Explanation e = run("когда");
    EXPECT_EQ(e.line, 1);
    EXPECT_EQ(e.words.front().position, 3u);
    EXPECT_EQ(e.alsoMatching, std::vector<int>{5});
}

TEST_F(ExplainTest, TheCensorListAnswersBeforeTheBaseIsAsked) {
    const Explanation e = run("Наша команда");
    EXPECT_EQ(e.source, Explanation::Source::Censor);
    EXPECT_EQ(utf(*e.censor), "МАНДА");
    const auto json = kb::parseJson(workbench::explanationJson(e));
    ASSERT_TRUE(json);
    EXPECT_EQ(json->stringOr("source"), "censor");
    EXPECT_TRUE(json->member("line")->isNull());
    EXPECT_EQ(json->stringOr("censor"), "МАНДА");
    EXPECT_TRUE(json->member("filter")->isNull());
}

TEST_F(ExplainTest, FilterEntriesAndTheLongInputGate) {
    const Explanation filtered = run("хочу спать");
    EXPECT_EQ(utf(*filtered.filter), "СПАТЬ") << "the first entry in the list's order";
    EXPECT_EQ(filtered.line, 9) << "the filter only keeps a phrase from being learned";

    const Explanation shortOne = run(std::string(108, 'x'));
    EXPECT_FALSE(shortOne.longInput) << "109 characters with the full stop";
    const Explanation longOne = run(std::string(109, 'x'));
    EXPECT_TRUE(longOne.longInput);
    EXPECT_EQ(longOne.source, Explanation::Source::LongInput);
}

TEST_F(ExplainTest, AfterALineTheFollowUpSearchComesFirst) {
    const Explanation inThread = run("а у тебя?", 7);
    EXPECT_EQ(inThread.source, Explanation::Source::FollowUp);
    EXPECT_EQ(inThread.line, 8);
    EXPECT_FALSE(inThread.threadEnded);

    // Nothing of depth 1 after line 6 matches: the thread ends at line 9, a
    // main line, and the main scan answers in the same turn.
    const Explanation ended = run("да", 6);
    EXPECT_TRUE(ended.threadEnded);
    EXPECT_EQ(ended.source, Explanation::Source::MainScan);
    EXPECT_EQ(ended.line, 1);
}

TEST_F(ExplainTest, WithoutAMatchTheQuestionRuleAnswersFromTheFileTheEndChooses) {
    const Explanation statement = run("непонятное");
    EXPECT_EQ(statement.source, Explanation::Source::QuestionRule);
    EXPECT_FALSE(statement.line);
    EXPECT_EQ(statement.fallbackFile, "Base/W2.Dat");
    const auto json = kb::parseJson(workbench::explanationJson(statement));
    ASSERT_TRUE(json);
    EXPECT_EQ(json->stringOr("source"), "question-rule");
    EXPECT_EQ(json->stringOr("normalised"), "Непонятное.");
    EXPECT_TRUE(json->member("words")->array()->empty());
}

TEST_F(ExplainTest, SaysWhyALineDoesNotAnswer) {
    // КАК is found only at the end, and ТЕБЯ is searched after it.
    const Explanation e = run("тебя зовут как?", std::nullopt, 2);
    EXPECT_EQ(e.line, 4);
    ASSERT_TRUE(e.whyNot);
    EXPECT_FALSE(e.whyNot->answers);
    EXPECT_EQ(utf(*e.whyNot->word), "ТЕБЯ");
    EXPECT_EQ(e.whyNot->from, 14u);
    EXPECT_NE(e.whyNot->reason.find("after position 13"), std::string::npos) << e.whyNot->reason;

    const Explanation losing = run("когда", std::nullopt, 5);
    EXPECT_NE(losing.whyNot->reason.find("line 1 comes first"), std::string::npos) << losing.whyNot->reason;
    const Explanation branch = run("а у тебя", std::nullopt, 8);
    EXPECT_NE(branch.whyNot->reason.find("branch line"), std::string::npos) << branch.whyNot->reason;
    const Explanation answering = run("привет", std::nullopt, 6);
    EXPECT_TRUE(answering.whyNot->answers);

    const auto json = kb::parseJson(workbench::explanationJson(e));
    ASSERT_TRUE(json && json->member("why_not"));
    EXPECT_EQ(json->member("why_not")->stringOr("word"), "ТЕБЯ");
    EXPECT_EQ(json->member("why_not")->member("searched_from")->number(), 14);
}

TEST_F(ExplainTest, ALineOutsideTheFileIsRefused) {
    EXPECT_THROW(run("привет", 10), std::invalid_argument);
    EXPECT_THROW(run("привет", std::nullopt, -1), std::invalid_argument);
}

} // namespace
