#pragma once

// Generated knowledge bases for the benchmarks, in a temporary directory.

#include "kb/Lines.h"

#include <filesystem>
#include <string>

namespace bench {

class GeneratedBase {
public:
    // Words.Dat with `mainLines` main lines (distinct phrases, three
    // alternatives each), saved as RTF, and the other answer files.
    explicit GeneratedBase(int mainLines);
    ~GeneratedBase();
    GeneratedBase(const GeneratedBase&) = delete;
    GeneratedBase& operator=(const GeneratedBase&) = delete;

    const std::filesystem::path& path() const { return path_; }
    void writeWords(const kb::Lines& lines) const;

    // The phrase part of main line i, and a typed phrase that only it matches.
    static std::string phrasePart(int i);

private:
    std::filesystem::path path_;
};

kb::Lines generatedWords(int mainLines);

} // namespace bench
