#pragma once

// Regression cases for a knowledge base: `talkbase-kb test` runs them and
// `talkbase-kb record` writes them from a transcript.
//
//     # a comment
//     > привет
//     < line 1
//     > как дела?
//     < line "КАК ДЕЛА?"
//
//     > что-то совсем непонятное
//     < fallback
//
// "> TEXT" types a phrase; the "<" line after it says what must answer. A
// blank line starts a new conversation with a fresh dialogue state.

#include "Sandbox.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace workbench {

struct Expectation {
    enum class Kind { None, Line, LinePart, Text, Fallback, Repeat, Censor, Long, Any };
    Kind kind = Kind::None;
    int line = -1;
    std::string text; // Windows-1251: the phrase part or the exact answer
};

struct Case {
    std::string phrase; // Windows-1251, as typed
    int phraseLine = 0; // 1-based line of the ">" in the file
    Expectation expected;
    int expectationLine = 0; // of the "<"
};

using CaseConversation = std::vector<Case>;

struct CaseFile {
    std::string name;
    std::vector<CaseConversation> conversations;
    std::vector<std::string> errors; // "FILE:LINE: message", UTF-8
};

// Parses UTF-8 text in the cases format.
CaseFile parseCases(std::string name, std::string_view utf8);

struct CaseRun {
    int passed = 0;
    int failed = 0;
    std::string report; // one line for each failure, UTF-8
};

// Runs every conversation of the file on one copy of the base.
CaseRun runCases(const CaseFile& cases, const std::filesystem::path& workingDirectory,
                 std::uint32_t clockMilliseconds);

// Does the answer meet the expectation?
bool meets(const TurnResult& result, const Expectation& expected);

// The cases that freeze today's answers to the dialogues, as text.
std::string recordCases(const std::vector<std::vector<std::string>>& dialogues,
                        const std::filesystem::path& workingDirectory, std::uint32_t clockMilliseconds,
                        const std::string& source);

} // namespace workbench
