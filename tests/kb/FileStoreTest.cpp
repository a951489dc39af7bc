#include "support/TempDir.h"

#include "kb/Cp1251.h"
#include "kb/FileError.h"
#include "kb/FileStore.h"
#include "kb/Rtf.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using kb::FileError;
using kb::Lines;
using kb::TextKind;

kb::SharedLines shared(Lines lines) {
    return std::make_shared<Lines>(std::move(lines));
}

int filesIn(const fs::path& directory) {
    int count = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(directory))
        ++count;
    return count;
}

class FileStoreTest : public ::testing::Test {
protected:
    TempDir dir;
    kb::FileStore store{dir.path()};
};

TEST_F(FileStoreTest, NamesAreMatchedWithoutRegardToLetterCase) {
    dir.write("base/words.DAT", "hello\r\n");
    EXPECT_EQ(store.locate("Base\\Words.Dat"), dir.path() / "base/words.DAT");
    EXPECT_EQ(*store.read("Base\\Words.dat", TextKind::Rich), Lines{"hello"});
    // The exact spelling wins when it exists.
    dir.write("Base/Words.Dat", "exact\r\n");
    EXPECT_EQ(*store.read("Base\\Words.Dat", TextKind::Rich), Lines{"exact"});
}

TEST_F(FileStoreTest, CyrillicNamesAreMatchedWithoutRegardToCaseToo) {
    dir.write("Обмен/файл.txt", "x\r\n");
    EXPECT_EQ(*store.read(kb::utf8ToCp1251("ОБМЕН\\ФАЙЛ.TXT"), TextKind::Plain), Lines{"x"});
}

TEST_F(FileStoreTest, ANewFileIsCreatedAsSpelledInTheDirectoryFound) {
    fs::create_directories(dir.path() / "base");
    store.write("Base\\New.Dat", shared({"a"}), TextKind::Plain);
    EXPECT_EQ(dir.read("base/New.Dat"), "a\r\n");
}

TEST_F(FileStoreTest, AbsolutePathsAreUsedAsWritten) {
    const std::string path = (dir.path() / "Txt.Dat").string();
    store.write(path, shared({"answer"}), TextKind::Plain);
    EXPECT_EQ(dir.read("Txt.Dat"), "answer\r\n");
}

TEST_F(FileStoreTest, ReadFailuresNameTheFileAsTheProgramDoes) {
    try {
        store.read("Base\\Povtor.Dat", TextKind::Rich);
        FAIL() << "a missing file was read";
    } catch (const FileError& error) {
        EXPECT_EQ(error.kind(), FileError::Kind::Open);
        EXPECT_STREQ(error.what(), "Cannot open file Base\\Povtor.Dat");
        EXPECT_EQ(kb::withFullStop(error.what()), "Cannot open file Base\\Povtor.Dat.");
    }
    fs::create_directories(dir.path() / "Base/Dir.Dat");
    EXPECT_THROW(store.read("Base\\Dir.Dat", TextKind::Rich), FileError);
    EXPECT_THROW(store.read("Missing\\Words.Dat", TextKind::Rich), FileError);
    if (::geteuid() != 0) { // permissions do not stop the superuser
        dir.write("Base/Locked.Dat", "x");
        ::chmod((dir.path() / "Base/Locked.Dat").c_str(), 0);
        EXPECT_THROW(store.read("Base\\Locked.Dat", TextKind::Rich), FileError);
    }
}

TEST_F(FileStoreTest, WriteFailuresLeaveNothingBehind) {
    try {
        store.write("No\\Such\\Dir.Dat", shared({"x"}), TextKind::Rich);
        FAIL() << "a file was written into a missing directory";
    } catch (const FileError& error) {
        EXPECT_EQ(error.kind(), FileError::Kind::Create);
        EXPECT_STREQ(error.what(), "Cannot create file No\\Such\\Dir.Dat");
    }
    fs::create_directories(dir.path() / "Base/Words.Dat");
    EXPECT_THROW(store.write("Base\\Words.Dat", shared({"x"}), TextKind::Rich), FileError);
    EXPECT_EQ(filesIn(dir.path() / "Base"), 1);
}

TEST_F(FileStoreTest, SavesReplaceTheWholeFileAndLeaveNoTemporaryFile) {
    dir.write("Base/Words.Dat", "a much longer old content\r\nwith two lines\r\n");
    store.write("Base\\Words.Dat", shared({"new"}), TextKind::Rich);
    EXPECT_TRUE(kb::rtf::isRtf(dir.read("Base/Words.Dat")));
    EXPECT_EQ(*store.read("Base\\Words.Dat", TextKind::Rich), Lines{"new"});
    EXPECT_EQ(filesIn(dir.path() / "Base"), 1);
}

TEST_F(FileStoreTest, ASaveKeepsTheFilesPermissions) {
    dir.write("Base/Words.Dat", "x\r\n");
    ::chmod((dir.path() / "Base/Words.Dat").c_str(), 0640);
    store.write("Base\\Words.Dat", shared({"y"}), TextKind::Plain);
    struct stat info {};
    ASSERT_EQ(::stat((dir.path() / "Base/Words.Dat").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
}

TEST_F(FileStoreTest, ASaveThroughASymbolicLinkReplacesItsTarget) {
    dir.write("real/Words.Dat", "old\r\n");
    fs::create_directories(dir.path() / "Base");
    fs::create_symlink(dir.path() / "real/Words.Dat", dir.path() / "Base/Words.Dat");
    store.write("Base\\Words.Dat", shared({"new"}), TextKind::Plain);
    EXPECT_TRUE(fs::is_symlink(dir.path() / "Base/Words.Dat"));
    EXPECT_EQ(dir.read("real/Words.Dat"), "new\r\n");
}

TEST_F(FileStoreTest, EveryReadSeesAnEditMadeMeanwhile) {
    dir.write("Base/W1.Dat", "first\r\n");
    EXPECT_EQ(*store.read("Base\\W1.Dat", TextKind::Rich), Lines{"first"});
    // Same size, same inode, rewritten in place at once: still seen.
    dir.write("Base/W1.Dat", "other\r\n");
    EXPECT_EQ(*store.read("Base\\W1.Dat", TextKind::Rich), Lines{"other"});
    dir.write("Base/W1.Dat", "longer text\r\n");
    EXPECT_EQ(*store.read("Base\\W1.Dat", TextKind::Rich), Lines{"longer text"});
    fs::remove(dir.path() / "Base/W1.Dat");
    EXPECT_THROW(store.read("Base\\W1.Dat", TextKind::Rich), FileError);
}

TEST_F(FileStoreTest, AnUnchangedFileIsNotParsedAgain) {
    fs::create_directories(dir.path() / "Base");
    store.write("Base\\Words.Dat", shared({"saved", "by us"}), TextKind::Rich);
    const long parsed = store.parseCount();
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(*store.read("Base\\Words.Dat", TextKind::Rich), (Lines{"saved", "by us"}));
    EXPECT_EQ(store.parseCount(), parsed);
    // The plain and rich readings of one file are different things.
    EXPECT_EQ(store.read("Base\\Words.Dat", TextKind::Plain)->front().substr(0, 5), "{\\rtf");
}

TEST_F(FileStoreTest, RichReadingTakesRtfAndPlainTextPlainReadingOnlyPlainText) {
    dir.write("Base/Plain.Dat", "plain\r\n");
    dir.write("Base/Rich.Dat", kb::rtf::write({"rich"}));
    EXPECT_EQ(*store.read("Base\\Plain.Dat", TextKind::Rich), Lines{"plain"});
    EXPECT_EQ(*store.read("Base\\Rich.Dat", TextKind::Rich), Lines{"rich"});
    EXPECT_NE(*store.read("Base\\Rich.Dat", TextKind::Plain), Lines{"rich"});
}

} // namespace

namespace {

TEST(FileStoreNames, ANameFoundInAnotherCaseIsLookedUpAgainWhenItsFileGoes) {
    TempDir dir;
    kb::FileStore store(dir.path());
    dir.write("Base/Words.Dat", "exact\r\n");
    EXPECT_EQ(*store.read("Base\\Words.Dat", TextKind::Rich), Lines{"exact"});
    std::filesystem::remove_all(dir.path() / "Base");
    dir.write("base/WORDS.DAT", "other case\r\n");
    EXPECT_EQ(*store.read("Base\\Words.Dat", TextKind::Rich), Lines{"other case"});
}

} // namespace

namespace {

TEST(FileStoreOwnSaves, AnotherWriterRightAfterOurSaveIsSeenEvenUnderTheSameStamp) {
    // Rewritten in place at once, with the same size: the time stamps come
    // from a coarse clock and may not tell the change.
    TempDir dir;
    kb::FileStore ours(dir.path());
    std::filesystem::create_directories(dir.path() / "Base");
    ours.write("Base\\Txt.Dat", std::make_shared<Lines>(Lines{"mine"}), TextKind::Plain);
    dir.write("Base/Txt.Dat", "your\r\n");
    EXPECT_EQ(*ours.read("Base\\Txt.Dat", TextKind::Plain), Lines{"your"});
    // A second store saving the same file (as another copy of the program
    // does) is seen too.
    kb::FileStore theirs(dir.path());
    theirs.write("Base\\Txt.Dat", std::make_shared<Lines>(Lines{"them"}), TextKind::Plain);
    EXPECT_EQ(*ours.read("Base\\Txt.Dat", TextKind::Plain), Lines{"them"});
}

} // namespace
