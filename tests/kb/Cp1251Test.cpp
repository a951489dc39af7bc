#include "kb/Cp1251.h"

#include <gtest/gtest.h>

namespace {

TEST(Cp1251, EveryByteSurvivesTheRoundTripThroughUtf8) {
    for (int byte = 0; byte < 256; ++byte) {
        const std::string one(1, static_cast<char>(byte));
        EXPECT_EQ(kb::utf8ToCp1251(kb::cp1251ToUtf8(one)), one) << byte;
    }
}

TEST(Cp1251, CyrillicLettersHaveTheirUnicodeForms) {
    EXPECT_EQ(kb::cp1251ToUtf8("\xCF\xF0\xE8\xE2\xE5\xF2"), "Привет");
    EXPECT_EQ(kb::cp1251ToUtf8("\xA8\xB8\xB9"), "Ёё№");
    EXPECT_EQ(kb::utf8ToCp1251("Ёлка — ёж «№1»"), "\xA8\xEB\xEA\xE0 \x97 \xB8\xE6 \xAB\xB9" "1\xBB");
}

TEST(Cp1251, CharactersWithoutAFormBecomeQuestionMarks) {
    EXPECT_EQ(kb::utf8ToCp1251("é"), "?");
    EXPECT_EQ(kb::utf8ToCp1251("日本"), "??");
    EXPECT_EQ(kb::utf8ToCp1251("a😀b"), "a?b");
    // Broken sequences are replaced byte by byte, never read past the end.
    EXPECT_EQ(kb::utf8ToCp1251("\xD0"), "?");
    EXPECT_EQ(kb::utf8ToCp1251("x\xE2\x82"), "x??");
}

TEST(Cp1251, StrictUtf8Validation) {
    EXPECT_TRUE(kb::isValidUtf8("ascii only"));
    EXPECT_TRUE(kb::isValidUtf8("Привет, мир"));
    EXPECT_FALSE(kb::isValidUtf8("\xCF\xF0\xE8\xE2\xE5\xF2")); // Windows-1251 Russian
    EXPECT_FALSE(kb::isValidUtf8("\xC0\xAF"));                 // overlong "/"
    EXPECT_FALSE(kb::isValidUtf8("\xED\xA0\x80"));             // surrogate
    EXPECT_FALSE(kb::isValidUtf8("\xF4\x90\x80\x80"));         // above U+10FFFF
    EXPECT_FALSE(kb::isValidUtf8("\xE2\x82"));                 // truncated
}

TEST(Cp1251, UpperCasingCoversLatinCyrillicAndYo) {
    EXPECT_EQ(kb::upperCase(kb::utf8ToCp1251("привет, world! ёжик ъ я")),
              kb::utf8ToCp1251("ПРИВЕТ, WORLD! ЁЖИК Ъ Я"));
    // Capitals, digits, signs and the other letters of the code page stay.
    const std::string kept = kb::utf8ToCp1251("АЯЁ09.,?і ї ў");
    EXPECT_EQ(kb::upperCase(kept), kept);
}

TEST(Cp1251, OtherCodePagesKnowOnlyTheirAsciiHalfUnlessTabled) {
    EXPECT_EQ(kb::codePageToUnicode(1252, 0xE9), U'é');
    EXPECT_EQ(kb::codePageToUnicode(1252, 0x93), U'\u201C');
    EXPECT_EQ(kb::codePageToUnicode(1251, 0xE9), U'й');
    EXPECT_EQ(kb::codePageToUnicode(1250, 'a'), U'a');
    EXPECT_FALSE(kb::codePageToUnicode(1250, 0xE9).has_value());
}

} // namespace
