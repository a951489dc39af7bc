#include "support/TempDir.h"

#include "kb/FileError.h"
#include "kb/LineList.h"

#include <gtest/gtest.h>

namespace {

using kb::LineList;
using kb::Lines;
using kb::TextKind;

TEST(LineList, TextWithLineBreaksBecomesSeveralLines) {
    LineList list(TextKind::Rich);
    list.add("one");
    list.add("two\r\nthree\nfour");
    list.add("");
    EXPECT_EQ(list.lines(), (Lines{"one", "two", "three", "four", ""}));
    EXPECT_EQ(list.text(), "one\r\ntwo\r\nthree\r\nfour\r\n\r\n");
}

TEST(LineList, IndexesOutsideTheListGiveAnEmptyLineAndDeleteNothing) {
    LineList list(TextKind::Plain);
    EXPECT_EQ(list.line(0), "");
    list.deleteLast();
    list.add("a");
    list.add("b");
    EXPECT_EQ(list.line(-1), "");
    EXPECT_EQ(list.line(2), "");
    list.deleteAt(5);
    list.deleteAt(0);
    EXPECT_EQ(list.lines(), Lines{"b"});
    list.clear();
    EXPECT_EQ(list.count(), 0);
}

TEST(LineList, ChangingALoadedListNeverChangesWhatOthersLoaded) {
    TempDir dir;
    dir.write("Base/Words.Dat", "head\r\nline\r\n");
    kb::FileStore store(dir.path());
    LineList first(TextKind::Rich), second(TextKind::Rich);
    first.load(store, "Base\\Words.Dat");
    second.load(store, "Base\\Words.Dat");
    first.add("more");
    first.deleteAt(0);
    EXPECT_EQ(second.lines(), (Lines{"head", "line"}));
    LineList third(TextKind::Rich);
    third.load(store, "Base\\Words.Dat");
    EXPECT_EQ(third.lines(), (Lines{"head", "line"}));
}

TEST(LineList, RichListsSaveAsRtfAndPlainListsAsText) {
    TempDir dir;
    kb::FileStore store(dir.path());
    LineList rich(TextKind::Rich), plain(TextKind::Plain);
    rich.add("\xCF\xF0\xE8\xE2\xE5\xF2^\xC4\xE0;");
    rich.save(store, "Words.Dat");
    plain.add("answer");
    plain.save(store, "Txt.Dat");
    EXPECT_EQ(dir.read("Txt.Dat"), "answer\r\n");
    EXPECT_EQ(dir.read("Words.Dat").substr(0, 5), "{\\rtf");
    LineList back(TextKind::Rich);
    back.load(store, "Words.Dat");
    EXPECT_EQ(back.lines(), rich.lines());
}

TEST(LineList, LongLinesRoundTripWhole) {
    TempDir dir;
    kb::FileStore store(dir.path());
    LineList list(TextKind::Rich);
    std::string longLine = "PHRASE^";
    while (longLine.size() < 20000)
        longLine += "\xC0\xEB\xFC\xF2\xE5\xF0\xED\xE0\xF2\xE8\xE2\xE0;";
    list.add(longLine);
    list.save(store, "Words.Dat");
    LineList back(TextKind::Rich);
    back.load(store, "Words.Dat");
    ASSERT_EQ(back.count(), 1);
    EXPECT_EQ(back.line(0), longLine);
}

TEST(LineList, AFailedLoadKeepsWhatTheListHeld) {
    TempDir dir;
    kb::FileStore store(dir.path());
    LineList list(TextKind::Rich);
    list.add("kept");
    EXPECT_THROW(list.load(store, "Base\\Missing.Dat"), kb::FileError);
    EXPECT_EQ(list.lines(), Lines{"kept"});
}

} // namespace
