#pragma once

// What the program learned, from its journal (Base/Learning.log): listed by
// `talkbase-kb learned` and taken back exactly by `talkbase-kb forget`.

#include "engine/Journal.h"
#include "kb/FileStore.h"

#include <optional>
#include <set>
#include <string>
#include <vector>

namespace workbench {

struct JournalChange {
    using Kind = engine::LearnedChange::Kind;
    Kind kind = Kind::Fallback;
    std::string file;        // as the journal names it: "Base/W1.Dat"
    std::string text;        // Windows-1251: the line, or the alternative attached
    std::string phrasePart;  // Answer: the phrase part of the line that received it
};

// Where a change stands now.
enum class ChangeState {
    Present,   // still in its file
    Gone,      // no longer there: removed or changed by hand
    Forgotten, // taken back by forget
};

struct JournalEntry {
    long id = 0;
    std::string time;
    std::string phrase; // Windows-1251
    std::string after;
    std::vector<JournalChange> changes;
    std::vector<ChangeState> states; // one for each change
    bool forgotten = false;          // every change taken back (or found gone) by forget
};

// The learning entries, oldest first, with where each change stands. A line
// of the journal that is no entry (cut short by a crash) is passed over.
// Throws kb::FileError when the journal or a file cannot be read.
std::vector<JournalEntry> readLearned(kb::FileStore& store);

std::string formatLearned(const std::vector<JournalEntry>& entries);
std::string learnedJson(const std::vector<JournalEntry>& entries);

struct ForgetRequest {
    std::vector<long> ids;
    int last = 0;             // the last N entries not yet forgotten
    bool withAnswers = false; // a learned line that has answers since goes with them
};

struct ForgetOutcome {
    std::vector<long> unknownIds;  // nothing was done when there are any
    std::vector<std::string> lines; // what happened, UTF-8, one a line
    bool complete = true;          // everything asked was taken back
};

// Takes back what the entries added and nothing else, each file saved
// atomically under the program's lock, and journals what it did.
ForgetOutcome forget(kb::FileStore& store, const ForgetRequest& request);

} // namespace workbench
