#pragma once

// `talkbase-kb check`: what the grammar of the knowledge base forbids or what
// can never work (errors), and what the matching will do that an author may
// not expect (warnings), line by line.

#include "Base.h"

#include <optional>
#include <string>
#include <vector>

namespace workbench {

enum class Severity { Error, Warning };

struct Finding {
    std::string file; // "Base/Words.Dat"
    int line = 0;     // the program's line index, from 0
    Severity severity = Severity::Error;
    std::string code;
    std::string message; // UTF-8
    std::optional<int> otherLine;
};

struct CheckOptions {
    // Words of a word list (UTF-8 lines, any text: it is cut into words), for
    // key-inside-word besides the base's own text.
    std::vector<std::string> extraWords;
    // Keys (Windows-1251, as they stand in phrase parts) kept inside longer
    // words on purpose: key-inside-word does not name them.
    std::vector<std::string> keptKeys;
};

// The keys of an authoring note: the quoted keys that begin a Markdown list
// item, `- "KEY": reason` or `- "KEY", "KEY": reason`, in UTF-8; the rest of
// the note is its reasons.
std::vector<std::string> keptKeysOf(std::string_view note);

// Sorted by file (in the order of baseFiles()) and line.
std::vector<Finding> check(const std::vector<BaseContent>& base, const CheckOptions& options = {});

std::string formatFindings(const std::vector<Finding>& findings);     // compiler style and a summary
std::string findingsJson(const std::vector<Finding>& findings);

// The rule of the two warnings that are given only when certain, for --help.
extern const char* const kCertaintyRule;

} // namespace workbench
