// Regression cases: reading them, running them on a copy of the base, and
// recording them from a transcript.

#include "Support.h"

#include "workbench/Cases.h"
#include "workbench/Transcript.h"

namespace {

using namespace wbtest;
using workbench::Expectation;

class CasesTest : public BaseFixture {
protected:
    CasesTest() {
        writeWords({"ПРИВЕТ^Привет!;", "_КАК ДЕЛА?^Хорошо.;", "ПОКА^До встречи.;"});
        writeBase("W2.Dat", {"Понятно."});
    }
    workbench::CaseRun run(const std::string& text) {
        const auto cases = workbench::parseCases("cases.txt", text);
        EXPECT_TRUE(cases.errors.empty()) << cases.errors.front();
        return workbench::runCases(cases, dir.path(), workbench::kNoon);
    }
};

TEST(CasesFormat, ReadsPhrasesExpectationsCommentsAndConversations) {
    const auto file = workbench::parseCases("c.txt", "# comment\n"
                                                     "> привет\n"
                                                     "< line 1\n"
                                                     "> как дела?\r\n"
                                                     "< line \"КАК ДЕЛА?\"\n"
                                                     "\n\n"
                                                     ">   что-то   \n"
                                                     "<   fallback\n"
                                                     "> ещё\n"
                                                     "< text \"Ответ; с точкой.\"\n"
                                                     "> ну\n");
    ASSERT_TRUE(file.errors.empty());
    ASSERT_EQ(file.conversations.size(), 2u);
    ASSERT_EQ(file.conversations[0].size(), 2u);
    EXPECT_EQ(utf(file.conversations[0][0].phrase), "привет");
    EXPECT_EQ(file.conversations[0][0].expected.kind, Expectation::Kind::Line);
    EXPECT_EQ(file.conversations[0][0].expected.line, 1);
    EXPECT_EQ(file.conversations[0][0].expectationLine, 3);
    EXPECT_EQ(file.conversations[0][1].expected.kind, Expectation::Kind::LinePart);
    EXPECT_EQ(utf(file.conversations[0][1].expected.text), "КАК ДЕЛА?");
    ASSERT_EQ(file.conversations[1].size(), 3u);
    EXPECT_EQ(utf(file.conversations[1][0].phrase), "что-то");
    EXPECT_EQ(file.conversations[1][0].expected.kind, Expectation::Kind::Fallback);
    EXPECT_EQ(utf(file.conversations[1][1].expected.text), "Ответ; с точкой.");
    EXPECT_EQ(file.conversations[1][2].expected.kind, Expectation::Kind::None);
}

TEST(CasesFormat, ReportsLinesItCannotReadWithTheirNumbers) {
    const auto file = workbench::parseCases("c.txt", "< line 1\n> a\n< sometimes\n> b\n< line x\nwhat\n> c\n< any\n< any\n");
    EXPECT_EQ(file.errors, (std::vector<std::string>{
                               "c.txt:1: a \"<\" line without a \">\" line before it",
                               "c.txt:3: cannot read the expectation \"< sometimes\" (line N, line \"PHRASE PART\", "
                               "text \"EXACT\", fallback, repeat, censor, long or any)",
                               "c.txt:5: cannot read the expectation \"< line x\" (line N, line \"PHRASE PART\", "
                               "text \"EXACT\", fallback, repeat, censor, long or any)",
                               "c.txt:6: a line of the cases must begin with \">\", \"<\" or \"#\"",
                               "c.txt:9: a \"<\" line without a \">\" line before it",
                           }));
}

TEST_F(CasesTest, PassingAndFailingCasesWithTheLineOfTheirExpectation) {
    const auto result = run("> привет\n"
                            "< line 1\n"
                            "> как дела?\n"
                            "< line \"_КАК ДЕЛА?\"\n"
                            "> что-то новое\n"
                            "< line 3\n"
                            "> что-то новое\n"
                            "< repeat\n"
                            "> ты дура\n"
                            "< censor\n"
                            "> пока\n"
                            "< text \"До встречи.\"\n");
    EXPECT_EQ(result.passed, 5);
    EXPECT_EQ(result.failed, 1);
    EXPECT_EQ(result.report, "cases.txt:6: expected line 3, got \"Понятно.\" (answered by the question rule)\n");
}

TEST_F(CasesTest, EachConversationStartsFreshAndNothingReachesTheBase) {
    // The thread of ПРИВЕТ does not carry over a blank line.
    const auto result = run("> привет\n< any\n\n> как дела?\n< fallback\n");
    EXPECT_EQ(result.failed, 0) << result.report;
    // Within one conversation the turns learn on the copy: a new phrase
    // said after an answer becomes a line there, not in the base.
    const auto learning = run("> привет\n< any\n> совсем новая фраза\n< fallback\n> совсем новая фраза?\n< fallback\n");
    EXPECT_EQ(learning.failed, 0) << learning.report;
    EXPECT_EQ(readBase("Words.Dat").size(), 4u);
    EXPECT_EQ(readBase("W2.Dat"), (Utf8Lines{"Понятно."}));
}

TEST_F(CasesTest, RecordedCasesPassOnTheBaseTheyWereRecordedOn) {
    support::writeBytes(dir.path() / "out.txt", "USER:     Привет.\n"
                                                "CPU:     Привет!\n"
                                                "USER:     Как дела?\n"
                                                "CPU:     Хорошо.\n"
                                                "USER:     Как дела?\n" // an idle prompt's record: nothing answers it
                                                "USER:     Абракадабра.\n"
                                                "CPU:     Понятно.\n");
    const auto dialogues = workbench::readTranscript(dir.path() / "out.txt");
    ASSERT_EQ(dialogues.size(), 1u);
    EXPECT_EQ(utf(dialogues[0]), (Utf8Lines{"Привет.", "Как дела?", "Абракадабра."}));
    const std::string cases = workbench::recordCases(dialogues, dir.path(), workbench::kNoon, "out.txt");
    EXPECT_NE(cases.find("> Привет.\n< line \"ПРИВЕТ\"\n> Как дела?\n< line \"_КАК ДЕЛА?\"\n> Абракадабра.\n< fallback\n"),
              std::string::npos)
        << cases;
    const auto result = run(cases);
    EXPECT_EQ(result.passed, 3);
    EXPECT_EQ(result.failed, 0) << result.report;

    // An edit of the base shows up as a failing case.
    writeWords({"ПРИВЕТ^Привет!;", "ПОКА^До встречи.;"});
    EXPECT_EQ(run(cases).failed, 1);
}

TEST_F(CasesTest, LogBlocksAreConversationsOfTheirOwn) {
    const std::string dashes(80, '-');
    support::writeCp1251File(dir.path(), "Base/Log.Brisol",
                             {"", dashes, "  Дата", "USER:     Привет.", "CPU:     Привет!", "", dashes,
                              "USER:     Пока.", "CPU:     До встречи."});
    const auto dialogues = workbench::readTranscript(dir.path() / "Base/Log.Brisol");
    ASSERT_EQ(dialogues.size(), 2u);
    EXPECT_EQ(utf(dialogues[1]), Utf8Lines{"Пока."});
}

} // namespace
