// The findings of `check`: each code planted on a line of its own, and
// lines that must stay clean.

#include "Support.h"

#include "workbench/Check.h"
#include "kb/Json.h"

#include <algorithm>
#include <set>

namespace {

using namespace wbtest;

class CheckTest : public BaseFixture {
protected:
    // (line, code) of every finding in a file.
    std::set<std::pair<int, std::string>> codes(const std::string& file = "Base/Words.Dat",
                                                const workbench::CheckOptions& options = {}) {
        last = workbench::check(base(), options);
        std::set<std::pair<int, std::string>> found;
        for (const auto& finding : last) {
            if (finding.file == file)
                found.emplace(finding.line, finding.code);
        }
        return found;
    }
    const workbench::Finding& finding(int line, const std::string& code) const {
        const auto found = std::find_if(last.begin(), last.end(),
                                        [&](const auto& f) { return f.line == line && f.code == code; });
        EXPECT_NE(found, last.end()) << line << " " << code;
        return *found;
    }
    std::vector<workbench::Finding> last;
};

using Codes = std::set<std::pair<int, std::string>>;

TEST_F(CheckTest, AWellWrittenBaseHasNoFinding) {
    writeWords({
        "ПРИВЕТ^Привет!;Здравствуй.;",
        "_КАК ДЕЛА?^Хорошо. А у тебя?;",
        "__ХОРОШО^Вот и славно.;",
        "__ПЛОХО^Жаль.;",
        "_ПОКА^Уже уходишь?;",
        "__ДА ^До встречи!;",
        "ПОКА.^До свидания.;@",
    });
    EXPECT_EQ(codes(), Codes{});
    EXPECT_TRUE(last.empty()) << workbench::formatFindings(last);
}

TEST_F(CheckTest, EveryErrorOfTheGrammarIsFoundOnItsLine) {
    writeWords({
        "",                        // 1 empty-line
        "ПРИВЕТ без крышки",        // 2 no-caret
        "ДОМ^Дом.;;Мой дом.;",     // 3 empty-alternative
        "ЛЕС^Лес.;шум",            // 4 unclosed-answer
        "САД^Сад",                 // 5 unclosed-answer (no ";" at all)
        "Река^Река.;",             // 6 lowercase-key
        "ГОРА;ХОЛМ^Гора.;",        // 7 semicolon-in-key
        "МОРЕ^Море.;",             // 8 clean
        "_ВОЛНА^Волна.;@",         // 9 leave-on-branch
        "___ГЛУБЖЕ^Глубже.;",      // 10 orphan-branch (no depth 2 above)
    });
    EXPECT_EQ(codes(), (Codes{{1, "empty-line"},
                              {2, "no-caret"},
                              {3, "empty-alternative"},
                              {4, "unclosed-answer"},
                              {5, "unclosed-answer"},
                              {6, "lowercase-key"},
                              {7, "semicolon-in-key"},
                              {9, "leave-on-branch"},
                              {10, "orphan-branch"}}));
    EXPECT_TRUE(std::all_of(last.begin(), last.end(),
                            [](const auto& f) { return f.severity == workbench::Severity::Error; }));
}

TEST_F(CheckTest, ABranchLineBeforeAnyMainLineIsAnOrphanAndItsParentsCount) {
    writeWords({"_РАНО^Рано.;", "МАМА^Мама.;", "_ПАПА^Папа.;", "__СЫН^Сын.;", "_ДОЧЬ^Дочь.;", "___ВНУК^Внук.;"});
    // Line 6 is of depth 3, and depth 2 since the last main line was seen on
    // line 4: the follow-up search reaches it after line 4's answer.
    EXPECT_EQ(codes(), (Codes{{1, "orphan-branch"}}));
}

TEST_F(CheckTest, AnswerFilesWithoutLinesAndAFollowUpFileWithoutRemarks) {
    writeBase("Pause.Dat", {});
    writeBase("AI.dat", {"Заголовок"});
    codes();
    EXPECT_EQ(codes("Base/Pause.Dat"), (Codes{{0, "empty-answer-file"}}));
    EXPECT_EQ(codes("Base/AI.dat"), (Codes{{0, "no-follow-up-lines"}}));
    EXPECT_EQ(codes("Base/Collection.Dat"), Codes{}) << "a record, not an answer file";
}

TEST_F(CheckTest, LearnedLinesDuplicatesAndQuestionsWithoutThreadsAreWarnings) {
    writeWords({
        "ЧТО ЭТО?^",                              // 1 unanswered
        "КОТ^Кот.;Кот.;",                         // 2 duplicate-alternative
        "ПЁС^Как его зовут?;",                    // 3 unfollowed-question
        "ЕЖ^Ёжик колючий? ;",                     // 4 unfollowed-question (a blank after "?")
        "ВОРОНА^Как её зовут?;",                  // 5 followed
        "_ВАЛЯ^Красивое имя.;",
        "__КТО?^Ворона.;",
        "ЗАЯЦ^Хочешь сказку?;",                   // 8 the deeper line is no branch of depth 1
        "__ДА^Жил-был заяц.;",
    });
    writeBase("AI.dat", {"Заголовок", "Кстати, сколько времени?", "Кстати, сегодня тепло."});
    EXPECT_EQ(codes(), (Codes{{1, "unanswered"},
                              {2, "duplicate-alternative"},
                              {3, "unfollowed-question"},
                              {4, "unfollowed-question"},
                              {8, "unfollowed-question"},
                              {9, "orphan-branch"}}));
    EXPECT_EQ(codes("Base/AI.dat"), (Codes{{1, "unfollowed-question"}}));
    EXPECT_EQ(finding(1, "unanswered").severity, workbench::Severity::Warning);
}

TEST_F(CheckTest, ALineThatAnEarlierLineAlwaysCatchesIsShadowed) {
    writeWords({
        "КАК ДЕЛА^Хорошо.;",       // 1
        "КАК ДЕЛА^Отлично.;",      // 2 the same phrase part
        "КАК ДЕЛА ДОМА^Тихо.;",    // 3 more words after the same ones
        "ДА^Да.;",                 // 4
        "ДАЧА^Дача.;",             // 5 every phrase with ДАЧА holds a ДА that the search finds
        "АБ^Один.;",               // 6
        "ААБ^Два.;",               // 7 not certain: in «ААБ.» the search misses АБ
        "ДЕЛА^Дела.;",             // 8 КАК ДЕЛА needs КАК before it
        "ДЕЛА^Дела.;",             // 9
    });
    EXPECT_EQ(codes(), (Codes{{2, "shadowed"}, {3, "shadowed"}, {5, "shadowed"}, {9, "shadowed"},
                              {4, "key-inside-word"}, {6, "key-inside-word"}}));
    EXPECT_EQ(finding(2, "shadowed").otherLine, 1);
    EXPECT_EQ(finding(5, "shadowed").otherLine, 4);
    EXPECT_EQ(finding(9, "shadowed").otherLine, 8);
}

TEST_F(CheckTest, ABranchLineThatAnEarlierSiblingAlwaysCatchesIsShadowed) {
    writeWords({
        "ПРИВЕТ^Привет!;",
        "_.^Понятно.;",        // 2 catches every phrase that ends in "."
        "_ХОРОШО.^Славно.;",   // 3
        "_ХОРОШО!^Ура!;",      // 4 ends in "!": not caught by line 2
        "ПОКА^Пока.;",
        "_ХОРОШО.^Славно.;",   // 6 another thread
    });
    const auto found = codes();
    EXPECT_TRUE(found.contains({3, "shadowed"}));
    EXPECT_FALSE(found.contains({4, "shadowed"}));
    EXPECT_FALSE(found.contains({6, "shadowed"}));
    EXPECT_EQ(finding(3, "shadowed").otherLine, 2);
}

TEST_F(CheckTest, ALineEveryPhraseOfWhichTheCensorListCatchesIsCensored) {
    writeWords({"КОМАНДА^Команда!;", "МАНДАРИН^Вкусно.;", "КОМ^Ком.;", "ЛОХ^Нет.;"});
    const auto found = codes();
    EXPECT_TRUE(found.contains({1, "censored"}));
    EXPECT_TRUE(found.contains({2, "censored"}));
    EXPECT_FALSE(found.contains({3, "censored"}));
    // The entry " ЛОХ" needs a blank before it: «Лох.» alone passes.
    EXPECT_FALSE(found.contains({4, "censored"}));
    EXPECT_NE(finding(1, "censored").message.find("МАНДА"), std::string::npos);
}

TEST_F(CheckTest, KeysFoundInsideLongerWordsNameOneSuchWord) {
    writeWords({
        "ДА^Хорошо.;",              // 1 inside КОГДА (of an answer)
        " ТЫ^Я.;",                  // 2 held to the start of a word: ТЫСЯЧА
        " МЫ^Мы.;",                 // 3 only inside ДЫМЫ, not at a word's start
        "ДОМ.^Дом.;",               // 4 held to the end of a word: none here
        "КОГДА^Когда-нибудь.;",     // 5 a whole word
    });
    writeBase("W2.Dat", {"Тысяча раз.", "Когда угодно.", "Дымы над рекой."});
    const auto found = codes();
    EXPECT_TRUE(found.contains({1, "key-inside-word"}));
    EXPECT_NE(finding(1, "key-inside-word").message.find("КОГДА"), std::string::npos);
    EXPECT_TRUE(found.contains({2, "key-inside-word"}));
    EXPECT_NE(finding(2, "key-inside-word").message.find("ТЫСЯЧА"), std::string::npos);
    EXPECT_FALSE(found.contains({3, "key-inside-word"}));
    EXPECT_FALSE(found.contains({4, "key-inside-word"}));
    EXPECT_FALSE(found.contains({5, "key-inside-word"}));

    // A word list adds words the base does not hold.
    workbench::CheckOptions options;
    options.extraWords = {"ПАРОДОМ", "содом"};
    EXPECT_TRUE(codes("Base/Words.Dat", options).contains({4, "key-inside-word"}));
}

TEST_F(CheckTest, KeysKeptOnPurposeInTheAuthoringNoteAreNotNamed) {
    writeWords({"ДА^Хорошо.;", "ТЫ ТУТ^Я тут.;"});
    writeBase("W2.Dat", {"Когда угодно.", "Тутовник растёт."});
    workbench::CheckOptions options;
    options.keptKeys = workbench::keptKeysOf("# Note\n"
                                             "Keys kept inside longer words:\n"
                                             "- \"ДА\": the answer to a plain «да»; КОГДА stands above it.\n"
                                             "- \"ОК.\", \" ТЫ\": short replies.\n"
                                             "- not a key \"НЕТ\"\n");
    ASSERT_EQ(options.keptKeys, (std::vector<std::string>{cp("ДА"), cp("ОК."), cp(" ТЫ")}));
    const auto found = codes("Base/Words.Dat", options);
    EXPECT_FALSE(found.contains({1, "key-inside-word"}));
    // Of a line with several keys only the kept one goes unnamed.
    writeWords({"ДА ТУТ^Хорошо.;"});
    codes("Base/Words.Dat", options);
    const std::string message = finding(1, "key-inside-word").message;
    EXPECT_EQ(message.find("\"ДА\""), std::string::npos) << message;
    EXPECT_NE(message.find("\"ТУТ\" is found inside \"ТУТОВНИК\""), std::string::npos) << message;
}

TEST_F(CheckTest, AKeyOfSeveralWordsStandsInsideALongerWordOnlyInRunningText) {
    writeWords({"ПРИВЕТ^Как дела?;", "_А ТЫ^А у меня всё хорошо.;", "_КАК ДЕЛА^Хорошо.;"});
    writeBase("W2.Dat", {"Да ты что!", "Никак делать не хочется."});
    workbench::CheckOptions options;
    options.extraWords = {"СЛОВА", "ДЕЛАНИЕ"};
    const auto found = codes("Base/Words.Dat", options);
    EXPECT_TRUE(found.contains({2, "key-inside-word"}));
    EXPECT_NE(finding(2, "key-inside-word").message.find("\"А ТЫ\" is found inside \"ДА\""), std::string::npos)
        << finding(2, "key-inside-word").message;
    EXPECT_NE(finding(3, "key-inside-word").message.find("inside \"НИКАК\""), std::string::npos);
    // A word list holds single words: where a key of several words would
    // stand in a phrase it cannot tell.
    writeBase("W2.Dat", {"Понятно."});
    EXPECT_FALSE(codes("Base/Words.Dat", options).contains({2, "key-inside-word"}));
}

TEST_F(CheckTest, FindingsAreSortedAndPrintedCompilerStyleAndAsJson) {
    writeWords({"ДОМ^Дом.;", "СТУЛ^Стул", "ДОМ^Дом.;"});
    writeBase("Pause.Dat", {});
    codes();
    const std::string text = workbench::formatFindings(last);
    EXPECT_EQ(text, "Base/Words.Dat:2: error: unclosed-answer: \"Стул\" after the last \";\" is no answer: end it "
                    "with \";\"\n"
                    "Base/Words.Dat:3: warning: shadowed: every phrase it matches is matched first by line 1\n"
                    "Base/Pause.Dat:0: error: empty-answer-file: the file holds no line: every answer from it is "
                    "empty\n"
                    "2 errors, 1 warning\n");
    const auto json = kb::parseJson(workbench::findingsJson(last));
    ASSERT_TRUE(json && json->array());
    ASSERT_EQ(json->array()->size(), 3u);
    const auto& shadowed = (*json->array())[1];
    EXPECT_EQ(shadowed.stringOr("file"), "Base/Words.Dat");
    EXPECT_EQ(shadowed.member("line")->number(), 3);
    EXPECT_EQ(shadowed.stringOr("severity"), "warning");
    EXPECT_EQ(shadowed.stringOr("code"), "shadowed");
    EXPECT_EQ(shadowed.member("other_line")->number(), 1);
    EXPECT_EQ((*json->array())[0].member("other_line"), nullptr);
}

} // namespace
