// coverage: transcripts replayed on a copy; lines that answered are counted
// at the place they had before the replay, though learning moves lines.

#include "Support.h"

#include "workbench/Coverage.h"
#include "workbench/Sandbox.h"

namespace {

using namespace wbtest;

class CoverageTest : public BaseFixture {};

TEST_F(CoverageTest, CountsAnswersByLineFallbacksAndLinesThatNeverAnswered) {
    writeWords({"ПРИВЕТ^Привет!;", "ПОКА^Пока!;", "ЧТО ЭТО^Не знаю.;", "НИКОГДА^Никогда!;"});
    writeBase("W2.Dat", {"Понятно."});
    const std::vector<workbench::Dialogue> dialogues = {
        {cp("Привет."), cp("Абракадабра."), cp("Что это?"), cp("Привет.")},
        {cp("Абракадабра."), cp("Пока.")},
    };
    const auto report = workbench::replayCoverage(dialogues, dir.path(), workbench::kNoon);
    EXPECT_EQ(report.phrases, 6);
    EXPECT_EQ(report.fallbacks, 2);
    EXPECT_EQ(report.answeredBy, (std::map<int, int>{{1, 2}, {2, 1}, {3, 1}}));
    EXPECT_EQ(report.neverAnswered, std::vector<int>{4});
    ASSERT_FALSE(report.topFallbacks.empty());
    EXPECT_EQ(utf(report.topFallbacks.front().first), "Абракадабра.");
    EXPECT_EQ(report.topFallbacks.front().second, 2);
    EXPECT_EQ(readBase("Words.Dat").size(), 5u) << "the base itself is untouched";
}

TEST_F(CoverageTest, ALineMovedByAnAttachmentKeepsItsCount) {
    // «Привет!» is the phrase part of line 2: the user's next phrase is
    // attached to it, which moves line 2 to the end of the copy.
    writeWords({"ЗДРАВСТВУЙ^Привет!;", "ПРИВЕТ!^Ну привет.;", "ДОМ^Дом.;"});
    const std::vector<workbench::Dialogue> dialogues = {
        {cp("Здравствуй."), cp("Новое слово."), cp("Дом."), cp("Привет!")},
    };
    const auto report = workbench::replayCoverage(dialogues, dir.path(), workbench::kNoon);
    EXPECT_EQ(report.answeredBy, (std::map<int, int>{{1, 1}, {2, 1}, {3, 1}}));
}

} // namespace
