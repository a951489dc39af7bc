// stats: the window's figures and the shape of the base.

#include "Support.h"

#include "kb/Json.h"
#include "workbench/Stats.h"

namespace {

using namespace wbtest;

class StatsTest : public BaseFixture {};

TEST_F(StatsTest, CountsAsTheWindowDoesAndTellsTheShapeOfTheThreads) {
    writeWords({
        "ПРИВЕТ^Привет!;Здравствуй!;Как дела?;", // a thread of depth 2 follows its question
        "_ХОРОШО^Рад за тебя.;Отлично!;",
        "__СПАСИБО^Пожалуйста.;",
        "ПОКА^Пока!;Куда ты?;",                  // asks, no branch follows
        "НОВАЯ ФРАЗА.^",                          // learned, unanswered
        "ДОМ^Рад за тебя.;",
    });
    writeBase("W1.Dat", {"Да.", "Нет."});
    const workbench::Stats s = workbench::computeStats(store);
    EXPECT_EQ(s.mainPhrases, 4);
    EXPECT_EQ(s.branches, 2);
    EXPECT_EQ(s.incoming, 6);
    // Answer files: 1 + 1 + 1 + 2 + 1 + 1 lines, and the ";" of Words.Dat.
    EXPECT_EQ(s.outgoing, 7 + 9);
    EXPECT_EQ(s.total, s.incoming + s.outgoing);
    EXPECT_EQ(s.threads, 1);
    EXPECT_EQ(s.threadsByDepth, (std::map<int, int>{{2, 1}}));
    EXPECT_EQ(s.answeredMainLines, 3);
    EXPECT_EQ(s.mainAlternatives, 6);
    EXPECT_EQ(s.mostAlternatives, 3);
    EXPECT_EQ(s.distinctAnswers, 8);
    EXPECT_EQ(s.askingAlternatives, 2);
    EXPECT_EQ(s.unfollowedAsking, 1);
    EXPECT_EQ(s.unanswered, 1);

    const auto json = kb::parseJson(workbench::statsJson(s));
    ASSERT_TRUE(json);
    EXPECT_EQ(json->member("main_phrases")->number(), 4);
    EXPECT_EQ(json->member("files")->member("Base/W1.Dat")->number(), 2);
    EXPECT_NE(workbench::formatStats(s).find(" 1 (deepest branch: 1 at depth 2)\n"),
              std::string::npos)
        << workbench::formatStats(s);
}

} // namespace
