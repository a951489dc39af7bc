#pragma once

// The knowledge base as the workbench reads it: the ten files of Base/,
// through the program's own storage.

#include "kb/FileStore.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace workbench {

enum class FileRole {
    Words,     // Words.Dat
    Answers,   // a line of it is given as an answer: Povtor, X, BigString, W1, W2, Begin, Pause
    FollowUps, // AI.dat: lines 1 on are shown as remarks
    Record,    // Collection.Dat: only ever appended to
};

struct BaseFile {
    const char* programPath; // as the program names it: "Base\Words.Dat"
    FileRole role;
    // "Base/Words.Dat": as reports name it, relative to the working directory.
    std::string displayName() const;
    // "Words.Dat"
    std::string fileName() const;
};

// The ten files, Words.Dat first.
const std::vector<BaseFile>& baseFiles();
const BaseFile& wordsFile();

// The lines of every file of the knowledge base, read with the program's
// storage (RTF or plain text). Throws kb::FileError for a file that cannot
// be read.
struct BaseContent {
    const BaseFile* file;
    kb::SharedLines lines;
};
std::vector<BaseContent> readBase(kb::FileStore& store);

// The working directory's Base/ exists (the usage error for a wrong --dir).
bool hasBase(const std::filesystem::path& workingDirectory);

} // namespace workbench
