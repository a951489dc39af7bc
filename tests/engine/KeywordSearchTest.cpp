#include "Support.h"
#include "engine/TextRules.h"

#include <optional>

namespace {

using namespace enginetest;

std::optional<std::size_t> find(std::string_view phrase, std::string_view key,
                                std::size_t start = 0) {
    return engine::findKeyword(cp(phrase), cp(key), start);
}

bool words(std::string_view phrase, std::string_view phrasePart) {
    return engine::wordsFound(cp(phrase), cp(phrasePart));
}

TEST(KeywordSearchTest, FindsTheKeyAtThePositionOfItsLastCharacter) {
    EXPECT_EQ(find("Ты дура.", "ДУРА"), std::optional<std::size_t>(6));
    EXPECT_EQ(find("дура", "ДУРА"), std::optional<std::size_t>(3));
    EXPECT_EQ(find("Да.", "Д"), std::optional<std::size_t>(0));
}

TEST(KeywordSearchTest, AMismatchingCharacterIsNotTriedAgainAsTheFirstOne) {
    EXPECT_FALSE(find("Ддура.", "ДУРА"));
    EXPECT_FALSE(find("ААБ", "АБ"));
    EXPECT_TRUE(find("А АБ", "АБ"));
}

TEST(KeywordSearchTest, OnlyThePhraseSideIsUpperCased) {
    EXPECT_TRUE(find("пРиВеТ.", "ПРИВЕТ."));
    EXPECT_TRUE(find("ёлка", "ЁЛКА"));
    EXPECT_TRUE(find("hello, world", "HELLO"));
    EXPECT_FALSE(find("привет.", "привет."));
    EXPECT_FALSE(find("ПРИВЕТ.", "Привет."));
}

TEST(KeywordSearchTest, TheEndOfThePhraseMatchesNothing) {
    EXPECT_FALSE(find("да", "ДА."));
    EXPECT_FALSE(find("", "ДА"));
    EXPECT_FALSE(find("Да.", "ДА.", 3));
    EXPECT_FALSE(find("Да.", "ДА.", 50));
}

TEST(KeywordSearchTest, AnEmptyKeyIsNeverFound) {
    EXPECT_FALSE(find("Привет.", ""));
    EXPECT_FALSE(find("", ""));
}

TEST(KeywordSearchTest, TheSearchStartsAtTheGivenPosition) {
    EXPECT_EQ(find("да, да.", "ДА", 0), std::optional<std::size_t>(1));
    EXPECT_EQ(find("да, да.", "ДА", 1), std::optional<std::size_t>(5));
    EXPECT_FALSE(find("да, да.", "ДА", 5));
}

TEST(KeywordSearchTest, BlanksArePartOfTheKey) {
    EXPECT_FALSE(find("Лох.", " ЛОХ"));
    EXPECT_TRUE(find("Ты лох.", " ЛОХ"));
    EXPECT_FALSE(find("Бля.", "БЛЯ "));
    EXPECT_TRUE(find("Бля буду.", "БЛЯ "));
}

TEST(KeywordSearchTest, TheWordsOfAMainLineAreFoundInOrder) {
    EXPECT_TRUE(words("Как тебя зовут?", "КАК ТЕБЯ ЗОВУТ?"));
    EXPECT_TRUE(words("Скажи, как тебя зовут?", "КАК ТЕБЯ ЗОВУТ?"));
    EXPECT_TRUE(words("Как же тебя теперь зовут?", "КАК ТЕБЯ ЗОВУТ?"));
    EXPECT_FALSE(words("Тебя как зовут?", "КАК ТЕБЯ ЗОВУТ?"));
    EXPECT_TRUE(words("Когда.", "ДА."));
    // The second word is searched after the first one's last character.
    EXPECT_FALSE(words("Да.", "ДА ДА."));
    EXPECT_TRUE(words("Да да.", "ДА ДА."));
    EXPECT_FALSE(words("Привет.", ""));
}

TEST(KeywordSearchTest, ASecondBlankInARowStartsTheNextWord) {
    // "А  Б" is the words "А" and " Б"; "А Б" the words "А" and "Б".
    EXPECT_FALSE(words("Аб.", "А  Б"));
    EXPECT_TRUE(words("А б.", "А  Б"));
    EXPECT_TRUE(words("Аб.", "А Б"));
    // A blank at the start belongs to the first word.
    EXPECT_FALSE(words("Привет.", " ПРИВЕТ."));
    EXPECT_TRUE(words("Ну привет.", " ПРИВЕТ."));
}

} // namespace
