// The learning journal: one entry for each turn that learned, holding just
// what the turn saved; a journal that cannot be written changes no turn.

#include "Support.h"

#include "kb/Json.h"

#include <filesystem>
#include <regex>

namespace {

using namespace enginetest;
namespace fs = std::filesystem;

class JournalTest : public TalkFixture {
protected:
    JournalTest() { talk.journal().setTimestamp([] { return std::string("2026-12-09T12:00:00+03:00"); }); }

    std::vector<kb::JsonValue> entries() {
        std::vector<kb::JsonValue> out;
        for (const std::string& line : support::splitLines(readBytes(dir.path() / "Base/Learning.log"))) {
            const auto value = kb::parseJson(line);
            EXPECT_TRUE(value) << line;
            if (value)
                out.push_back(*value);
        }
        return out;
    }
    // kind and text of each change, "kind:text" or "answer:LINE:ALTERNATIVE".
    static Utf8Lines changes(const kb::JsonValue& entry) {
        Utf8Lines out;
        for (const kb::JsonValue& change : *entry.member("changes")->array()) {
            std::string text = change.stringOr("kind") + ":" + change.stringOr("file") + ":";
            text += change.stringOr("kind") == "answer" ? change.stringOr("line") + ":" + change.stringOr("alternative")
                                                        : change.stringOr("text");
            out.push_back(text);
        }
        return out;
    }
};

TEST_F(JournalTest, ATurnThatLearnsEverythingWritesOneEntryWithItsThreeChanges) {
    writeWords({"База фраз", "КАК ДЕЛА?^"});
    setPrevReply("Как дела?");
    say("отлично");
    const auto all = entries();
    ASSERT_EQ(all.size(), 1u);
    EXPECT_EQ(all[0].member("id")->number(), 1);
    EXPECT_EQ(all[0].stringOr("time"), "2026-12-09T12:00:00+03:00");
    EXPECT_EQ(all[0].stringOr("phrase"), "Отлично.");
    EXPECT_EQ(all[0].stringOr("after"), "Как дела?");
    EXPECT_EQ(changes(all[0]), (Utf8Lines{"fallback:Base/W1.Dat:Отлично.", "phrase:Base/Words.Dat:ОТЛИЧНО.^",
                                          "answer:Base/Words.Dat:КАК ДЕЛА?:Отлично."}));
    // The next entry takes the next number.
    say("замечательно");
    EXPECT_EQ(entries().back().member("id")->number(), 2);
}

TEST_F(JournalTest, APhraseAlreadyAFallbackAnswerIsLearnedEvenOnTheFirstTurnAndJournaledSo) {
    writeBase("W2.Dat", {kStatementAnswer, "Всё хорошо."});
    say("всё хорошо");
    const auto all = entries();
    ASSERT_EQ(all.size(), 1u);
    EXPECT_EQ(all[0].stringOr("after"), "");
    EXPECT_EQ(changes(all[0]), Utf8Lines{"phrase:Base/Words.Dat:ВСЁ ХОРОШО.^"});
}

TEST_F(JournalTest, TurnsThatLearnNothingWriteNothing) {
    say("совсем новая фраза");      // the first turn of a run
    say("хочу спать");              // a filter entry
    say("привет");                  // answered by Words.Dat
    EXPECT_FALSE(fs::exists(dir.path() / "Base/Learning.log"));
}

TEST_F(JournalTest, OnlyWhatWasSavedGoesIntoTheJournal) {
    if (!fs::exists("/proc/version"))
        GTEST_SKIP() << "no /proc here";
    // Words.Dat reads (a header without phrases) but cannot be saved: a
    // temporary file cannot be made beside its target in /proc.
    removeBase("Words.Dat");
    fs::create_symlink("/proc/version", dir.path() / "Base/Words.Dat");
    setPrevReply("Понятно.");
    EXPECT_EQ(sayFailing("новость"), "Cannot create file Base\\Words.Dat.");
    const auto all = entries();
    ASSERT_EQ(all.size(), 1u);
    EXPECT_EQ(changes(all[0]), Utf8Lines{"fallback:Base/W2.Dat:Новость."});

    // A save of the fallback file that fails: nothing was saved, no entry.
    removeBase("W1.Dat");
    fs::create_symlink("/proc/version", dir.path() / "Base/W1.Dat");
    setPrevReply("Как дела?");
    EXPECT_EQ(sayFailing("ещё новость"), "Cannot create file Base\\W1.Dat.");
    EXPECT_EQ(entries().size(), 1u);
}

TEST_F(JournalTest, AJournalThatCannotBeWrittenChangesNoTurn) {
    fs::create_directory(dir.path() / "Base/Learning.log");
    setPrevReply("Понятно.");
    const Utf8Lines lines = say("новость");
    EXPECT_EQ(lines.back(), std::string("CPU:     ") + kStatementAnswer);
    EXPECT_EQ(readBase("W2.Dat"), (Utf8Lines{kStatementAnswer, "Новость."}));
    EXPECT_NE(talk.lastTurn().journalError.find("Base\\Learning.log"), std::string::npos)
        << talk.lastTurn().journalError;
}

TEST_F(JournalTest, ALineCutShortByACrashNeitherStopsTheNumbersNorSwallowsTheNextEntry) {
    support::writeBytes(dir.path() / "Base/Learning.log",
                        "{\"id\":7,\"time\":\"t\",\"phrase\":\"a\",\"after\":\"\",\"changes\":[]}\n{\"id\":8,\"ti");
    setPrevReply("Понятно.");
    say("новость");
    const auto lines = support::splitLines(readBytes(dir.path() / "Base/Learning.log"));
    ASSERT_EQ(lines.size(), 3u);
    const auto entry = kb::parseJson(lines[2]);
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->member("id")->number(), 8);
}

TEST(JournalTime, IsLocalTimeInIso8601WithItsOffset) {
    EXPECT_TRUE(std::regex_match(engine::LearningJournal::localTime(),
                                 std::regex(R"(\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d[+-]\d\d:\d\d)")))
        << engine::LearningJournal::localTime();
}

} // namespace
