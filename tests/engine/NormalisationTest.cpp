#include "Support.h"
#include "engine/TextRules.h"

namespace {

using namespace enginetest;

std::string capitalised(std::string_view utf8) {
    std::string phrase = cp(utf8);
    engine::capitaliseFirstLetter(phrase);
    return utf(phrase);
}

std::string punctuated(std::string_view utf8) {
    std::string phrase = cp(utf8);
    engine::fixEndPunctuation(phrase);
    return utf(phrase);
}

TEST(NormalisationTest, EverySmallCyrillicFirstLetterGetsItsCapital) {
    const std::string small = "абвгдеёжзийклмнопрстуфхцчшщъыьэюя";
    const std::string capital = "АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ";
    const std::string smallCp = cp(small);
    const std::string capitalCp = cp(capital);
    ASSERT_EQ(smallCp.size(), 33u);
    for (std::size_t i = 0; i < smallCp.size(); ++i) {
        std::string phrase = std::string(1, smallCp[i]) + cp("ок");
        engine::capitaliseFirstLetter(phrase);
        EXPECT_EQ(phrase, std::string(1, capitalCp[i]) + cp("ок")) << i;
    }
}

TEST(NormalisationTest, OnlyTheFirstCharacterChangesAndOnlyWhenItIsASmallCyrillicLetter) {
    EXPECT_EQ(capitalised("ёлка ёлка"), "Ёлка ёлка");
    EXPECT_EQ(capitalised("hello"), "hello");
    EXPECT_EQ(capitalised(" привет"), " привет");
    EXPECT_EQ(capitalised("1 раз"), "1 раз");
    EXPECT_EQ(capitalised("Уже"), "Уже");
    EXPECT_EQ(capitalised("«да»"), "«да»");
}

TEST(NormalisationTest, TheEndPunctuationRule) {
    EXPECT_EQ(punctuated("да,"), "да.");
    EXPECT_EQ(punctuated("да!"), "да!");
    EXPECT_EQ(punctuated("да?"), "да?");
    EXPECT_EQ(punctuated("ну..."), "ну...");
    EXPECT_EQ(punctuated("да "), "да .");
    EXPECT_EQ(punctuated("а"), "а.");
    EXPECT_EQ(punctuated("7"), "7.");
    EXPECT_EQ(punctuated("да;"), "да;.");
    EXPECT_EQ(punctuated("ну,,"), "ну,.");
}

class EchoTest : public TalkFixture {};

TEST_F(EchoTest, ThePhraseIsShownAndWrittenAsNormalised) {
    const struct {
        const char* typed;
        const char* shown;
    } cases[] = {{"привет", "Привет."},   {"ёлка", "Ёлка."}, {"hello", "hello."},
                 {" привет", " привет."}, {"да,", "Да."},    {"да!", "Да!"},
                 {"ну...", "Ну..."},      {"да ", "Да ."},   {"а", "А."}};
    for (const auto& c : cases) {
        window.display.clear();
        const Utf8Lines added = say(c.typed);
        ASSERT_EQ(added.size(), 2u) << c.typed;
        EXPECT_EQ(added[0], std::string("USER:     ") + c.shown);
        EXPECT_EQ(window.displayText().at(0), c.shown);
        EXPECT_EQ(window.display.at(0).style, engine::LineStyle::User);
        EXPECT_EQ(utf(talk.state().Phrase), c.shown);
    }
}

TEST_F(EchoTest, TheUserCueSoundsBeforeThePhraseAndTheProgramCueAfterIt) {
    say("как погода");
    ASSERT_EQ(window.cues.size(), 2u);
    EXPECT_EQ(window.cues[0], engine::Cue::UserPhrase);
    EXPECT_EQ(window.cues[1], engine::Cue::Program);
    ASSERT_EQ(window.display.size(), 2u);
    EXPECT_EQ(window.display[1].style, engine::LineStyle::Program);
}

TEST_F(EchoTest, AnEmptyFieldStartsNoTurn) {
    window.input.clear();
    EXPECT_FALSE(talk.speak());
    EXPECT_TRUE(window.display.empty());
    EXPECT_TRUE(talk.transcript().empty());
    EXPECT_TRUE(window.cues.empty());
    EXPECT_TRUE(window.cursorCalls.empty());
    EXPECT_EQ(readBase("W2.Dat"), Utf8Lines{kStatementAnswer});
}

} // namespace
