#include "kb/Cp1251.h"
#include "kb/PlainText.h"

#include <gtest/gtest.h>

namespace {

using kb::Lines;

TEST(PlainText, SplitsAtEveryKindOfLineBreak) {
    EXPECT_EQ(kb::plain::read("a\r\nb\nc\rd"), (Lines{"a", "b", "c", "d"}));
    EXPECT_EQ(kb::plain::read("a\n\rb"), (Lines{"a", "", "b"})); // LF then a lone CR
    EXPECT_EQ(kb::plain::read("\r\n\r\n"), (Lines{"", ""}));
}

TEST(PlainText, NoEmptyLineAfterTheFinalBreak) {
    EXPECT_EQ(kb::plain::read(""), Lines{});
    EXPECT_EQ(kb::plain::read("one\r\n"), Lines{"one"});
    EXPECT_EQ(kb::plain::read("one\r\n\r\n"), (Lines{"one", ""}));
    EXPECT_EQ(kb::plain::read("one"), Lines{"one"});
}

TEST(PlainText, Utf8FilesAreConvertedToWindows1251) {
    const Lines expected{kb::utf8ToCp1251("Привет"), kb::utf8ToCp1251("Ёжик")};
    EXPECT_EQ(kb::plain::read("Привет\nЁжик\n"), expected);
    EXPECT_EQ(kb::plain::read("\xEF\xBB\xBFПривет\r\nЁжик"), expected);
    // A byte-order mark before plain ASCII is dropped too.
    EXPECT_EQ(kb::plain::read("\xEF\xBB\xBFhello"), Lines{"hello"});
}

TEST(PlainText, Windows1251FilesAreTakenAsTheyStand) {
    const std::string russian = "\xCF\xF0\xE8\xE2\xE5\xF2"; // Привет
    EXPECT_EQ(kb::plain::read(russian + "\r\n"), Lines{russian});
    // One invalid byte makes the whole file Windows-1251.
    EXPECT_EQ(kb::plain::read("Привет\r\n\xE9"), (Lines{"Привет", "\xE9"}));
}

TEST(PlainText, WritesEveryLineWithCrLf) {
    EXPECT_EQ(kb::plain::write({"a", "", "b"}), "a\r\n\r\nb\r\n");
    EXPECT_EQ(kb::plain::write({}), "");
    const Lines lines{"x", "", "\xE9\xF6"};
    EXPECT_EQ(kb::plain::read(kb::plain::write(lines)), lines);
}

} // namespace
