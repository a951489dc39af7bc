#pragma once

// Reading the lines of Words.Dat as an author sees them: the alternatives of
// an answer list, which alternatives ask, and whether a thread follows.

#include "kb/Lines.h"

#include <string_view>
#include <vector>

namespace workbench {

// The alternatives of an answer list (the text after "^") and what follows
// the last ";".
struct AnswerList {
    std::vector<std::string_view> alternatives;
    std::string_view rest;
};
AnswerList splitAnswers(std::string_view answers);

// An alternative that ends in "?" (blanks after it aside): the program asks.
bool asks(std::string_view alternative);

// Whether a branch line of depth `depth` that can answer follows line `from`
// before the next main line: what the follow-up search tries after an answer
// from `from`.
bool branchFollows(const kb::Lines& words, int from, int depth);

} // namespace workbench
