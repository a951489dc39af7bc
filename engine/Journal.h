#pragma once

// The learning journal, Base\Learning.log: one line of JSON (UTF-8) for every
// turn that learned, with what it saved, so that people can review what the
// program learned and take it back. It is appended to and flushed, never
// rewritten, and it is no part of the knowledge base: a journal that cannot
// be written never stops or changes a turn.

#include "kb/FileStore.h"

#include <functional>
#include <string>
#include <vector>

namespace engine {

// One change that a turn saved. Texts are Windows-1251.
struct LearnedChange {
    enum class Kind {
        Fallback, // a line appended to W1.Dat or W2.Dat
        Phrase,   // a new, unanswered line of Words.Dat
        Answer,   // an alternative attached to a line of Words.Dat
    };
    Kind kind;
    std::string file;       // as the program names it: "Base\W1.Dat"
    std::string text;       // the line, or the alternative attached
    std::string phrasePart; // Answer: the phrase part of the line that received it
};

class LearningJournal {
public:
    explicit LearningJournal(kb::FileStore& store);

    // Appends the entry of a turn; false when the journal cannot be written
    // (error() then says why). Call it under the Base lock.
    bool record(const std::string& phrase, const std::string& after, const std::vector<LearnedChange>& changes);
    const std::string& error() const { return error_; }

    // The time written into entries: local time in ISO 8601 with its offset.
    void setTimestamp(std::function<std::string()> timestamp) { timestamp_ = std::move(timestamp); }
    static std::string localTime();

    // The journal's number for the next entry: one more than the last one's.
    static long nextId(const std::filesystem::path& journal);

private:
    kb::FileStore& store_;
    std::function<std::string()> timestamp_ = &LearningJournal::localTime;
    std::string error_;
};

// The journal's file, and the kinds of change as entries spell them.
namespace journalfile {
inline constexpr const char* Path = "Base\\Learning.log";
const char* kindName(LearnedChange::Kind kind);
} // namespace journalfile

} // namespace engine
