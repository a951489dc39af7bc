// What keeps a knowledge base whole beyond a single save: the temporary
// files a killed process leaves, files too big to hold, and the lock that
// two copies of the program take around a load-change-save step.

#include "support/TempDir.h"

#include "kb/FileError.h"
#include "kb/FileStore.h"
#include "kb/TemporaryFiles.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <set>
#include <string>
#include <thread>

namespace {

namespace fs = std::filesystem;
using kb::FileError;
using kb::Lines;
using kb::TextKind;
using namespace std::chrono_literals;

kb::SharedLines shared(Lines lines) {
    return std::make_shared<Lines>(std::move(lines));
}

std::set<std::string> namesIn(const fs::path& directory) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(directory))
        names.insert(entry.path().filename().string());
    return names;
}

// What a save that is killed before its rename leaves: its temporary file,
// made by a process that has ended since. Returns the file's name.
std::string leftByAKilledSave(const fs::path& directory, const std::string& target) {
    const auto before = namesIn(directory);
    const pid_t child = ::fork();
    if (child == 0) {
        std::string path = (directory / kb::temporary::pattern(target)).string();
        const int fd = ::mkstemp(path.data());
        ::_exit(fd >= 0 && ::write(fd, "half", 4) == 4 ? 0 : 1); // no clean-up, as after SIGKILL
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    for (const auto& name : namesIn(directory)) {
        if (before.count(name) == 0)
            return name;
    }
    ADD_FAILURE() << "the child made no temporary file";
    return {};
}

TEST(StaleTemporaryFiles, ASaveRemovesThoseOfItsTargetWhoseProcessIsGone) {
    TempDir dir;
    dir.write("Base/Words.Dat", "old\r\n");
    const fs::path base = dir.path() / "Base";
    const std::string dead = leftByAKilledSave(base, "Words.Dat");
    const std::string deadOther = leftByAKilledSave(base, "W1.Dat");
    ASSERT_EQ(namesIn(base).count(dead), 1u);

    // Ours (a live process), another machine's, an editor's backup.
    std::string live = kb::temporary::pattern("Words.Dat");
    live.replace(live.size() - 6, 6, "abcdef");
    std::string foreign = live;
    foreign.replace(foreign.find('-') + 1, foreign.rfind('~') - foreign.find('-') - 1, "elsewhere");
    for (const std::string& keep : {live, foreign, std::string(".Words.Dat.swp"), std::string("Words.Dat~")})
        dir.write("Base/" + keep, "x");

    kb::FileStore store(dir.path());
    store.write("Base\\Words.Dat", shared({"new"}), TextKind::Rich);

    const auto names = namesIn(base);
    EXPECT_EQ(names.count(dead), 0u);
    EXPECT_EQ(names.count(deadOther), 1u) << "another file's temporary file is its own save's";
    for (const std::string& keep : {live, foreign, std::string(".Words.Dat.swp"), std::string("Words.Dat~")})
        EXPECT_EQ(names.count(keep), 1u) << keep;
    EXPECT_EQ(*store.read("Base\\Words.Dat", TextKind::Rich), Lines{"new"});
}

TEST(StaleTemporaryFiles, ThirtyKilledSavesAndOneOrdinarySaveLeaveOnlyTheFiles) {
    TempDir dir;
    dir.write("Base/Words.Dat", "old\r\n");
    dir.write("Base/W2.Dat", "old\r\n");
    for (int i = 0; i < 30; ++i)
        leftByAKilledSave(dir.path() / "Base", i % 2 ? "Words.Dat" : "W2.Dat");
    kb::FileStore store(dir.path());
    store.write("Base\\Words.Dat", shared({"a"}), TextKind::Rich);
    store.write("Base\\W2.Dat", shared({"b"}), TextKind::Rich);
    EXPECT_EQ(namesIn(dir.path() / "Base"), (std::set<std::string>{"W2.Dat", "Words.Dat"}));
}

TEST(FileSizeLimit, AFileTooBigToHoldFailsAsAnUnreadableFile) {
    TempDir dir;
    dir.write("Base/Words.Dat", std::string(4096, 'x') + "\r\n");
    kb::FileStore store(dir.path());
    store.setSizeLimit(4096);
    try {
        store.read("Base\\Words.Dat", TextKind::Rich);
        FAIL() << "a file over the limit was read";
    } catch (const FileError& error) {
        EXPECT_STREQ(error.what(), "Cannot open file Base\\Words.Dat");
    }
    store.setSizeLimit(4098);
    EXPECT_EQ(store.read("Base\\Words.Dat", TextKind::Rich)->size(), 1u);
}

TEST(FileSizeLimit, AFileWithoutEndFailsToo) {
    // A file that reports no size and never ends.
    if (!fs::exists("/proc/self/pagemap"))
        GTEST_SKIP() << "no /proc here";
    TempDir dir;
    fs::create_directories(dir.path() / "Base");
    fs::create_symlink("/proc/self/pagemap", dir.path() / "Base/Words.Dat");
    kb::FileStore store(dir.path());
    store.setSizeLimit(1 << 20);
    EXPECT_THROW(store.read("Base\\Words.Dat", TextKind::Rich), FileError);
}

class BaseLockTest : public ::testing::Test {
protected:
    TempDir dir;
    kb::FileStore one{dir.path()};
    kb::FileStore other{dir.path()};
    void SetUp() override { fs::create_directories(dir.path() / "Base"); }
};

TEST_F(BaseLockTest, TheOtherCopyWaitsUntilTheStepEnds) {
    auto held = std::make_unique<kb::FileStore::Lock>(one.lock("Base\\.lock"));
    ASSERT_TRUE(held->held());
    EXPECT_TRUE(fs::exists(dir.path() / "Base/.lock")) << "created on demand";

    const auto start = std::chrono::steady_clock::now();
    std::thread release([&] {
        std::this_thread::sleep_for(150ms);
        held.reset();
    });
    const auto waited = other.lock("Base\\.lock");
    const auto took = std::chrono::steady_clock::now() - start;
    release.join();
    EXPECT_TRUE(waited.held());
    EXPECT_GE(took, 140ms);
}

TEST_F(BaseLockTest, ALockHeldTooLongIsGivenUpAndTheStepGoesOn) {
    const auto held = one.lock("Base\\.lock");
    other.setLockPatience(100ms);
    const auto start = std::chrono::steady_clock::now();
    const auto lock = other.lock("Base\\.lock");
    EXPECT_FALSE(lock.held());
    EXPECT_GE(std::chrono::steady_clock::now() - start, 100ms);
}

TEST_F(BaseLockTest, StepsOfOneCopyNestWithoutWaiting) {
    other.setLockPatience(0ms);
    {
        const auto outer = one.lock("Base\\.lock");
        const auto inner = one.lock("BASE\\.LOCK");
        EXPECT_TRUE(inner.held());
        EXPECT_FALSE(other.lock("Base\\.lock").held());
    }
    EXPECT_TRUE(other.lock("Base\\.lock").held()) << "released with the outer step";
}

TEST_F(BaseLockTest, WithoutItsDirectoryThereIsNoLockAndNoError) {
    one.setLockPatience(0ms);
    EXPECT_FALSE(one.lock("Missing\\.lock").held());
}

} // namespace
