#pragma once

// Looking a phrase up in the lines of Words.Dat: the main scan and the
// follow-up search along a dialogue thread. The turn runs them on the file it
// has just loaded; the knowledge-base workbench runs the very same functions
// to show what a turn would do.

#include "kb/Lines.h"

#include <string_view>

namespace engine {

// The first answered main line from `from` on (line 0, the header, is never
// examined) whose words all occur, in order, in the phrase; -1 when none.
// Branch lines are examined like any other line: their first word begins
// with "_", which a typed phrase never holds.
int mainScanLine(const kb::Lines& words, std::string_view upperPhrase, int from = 1);

// The follow-up search after an answer from line `after`, for branch lines of
// depth `depth`: it passes over lines of other depths and stops at the first
// matching branch line, at the first main line, or at the end of the file.
struct FollowUpOutcome {
    enum class Kind { Match, MainLine, End };
    Kind kind;
    int line; // the matching branch line, the main line met, or the line count
};
FollowUpOutcome followUpLine(const kb::Lines& words, std::string_view upperPhrase, int depth, int after);

} // namespace engine
