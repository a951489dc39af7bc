// The scans upper-case the phrase once and search in the capitals; that
// must find exactly what the character-by-character search finds.

#include "engine/TextRules.h"
#include "kb/Cp1251.h"

#include <gtest/gtest.h>

#include <random>

namespace {

TEST(CapitalsSearch, FindsWhatTheCharacterByCharacterSearchFinds) {
    std::mt19937 random(7);
    // A small alphabet, so that partial matches and repeats are frequent.
    const std::string alphabet = kb::utf8ToCp1251("аАбБ ёЁ.?");
    const auto text = [&](int most) {
        std::string out;
        const int length = std::uniform_int_distribution<int>(0, most)(random);
        for (int i = 0; i < length; ++i)
            out += alphabet[std::uniform_int_distribution<std::size_t>(0, alphabet.size() - 1)(random)];
        return out;
    };
    for (int round = 0; round < 20000; ++round) {
        const std::string phrase = text(12);
        const std::string key = kb::upperCase(text(3));
        const std::size_t start = std::uniform_int_distribution<std::size_t>(0, 4)(random);
        ASSERT_EQ(engine::findKeywordInCapitals(kb::upperCase(phrase), key, start),
                  engine::findKeyword(phrase, key, start))
            << kb::cp1251ToUtf8(phrase) << " / " << kb::cp1251ToUtf8(key);
    }
}

TEST(CapitalsSearch, KeepsTheNoRetryRule) {
    EXPECT_FALSE(engine::findKeywordInCapitals(kb::utf8ToCp1251("ААБ"), kb::utf8ToCp1251("АБ")));
    EXPECT_EQ(engine::findKeywordInCapitals(kb::utf8ToCp1251("ТЫ ДУРА."), kb::utf8ToCp1251("ДУРА")), 6u);
    EXPECT_FALSE(engine::findKeywordInCapitals(kb::utf8ToCp1251("ДДУРА."), kb::utf8ToCp1251("ДУРА")));
}

} // namespace
