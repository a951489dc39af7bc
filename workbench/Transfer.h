#pragma once

// `talkbase-kb export` and `import`: the knowledge base as UTF-8 text with
// LF line ends, one line a line, for everyday editors and version control,
// and back into the program's own form.

#include "kb/FileStore.h"

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

namespace workbench {

// A file that cannot be read, written or converted; the message names it
// (and the line), in UTF-8.
class TransferError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Writes every knowledge-base file of Base/ into `outDirectory`, under its
// own name. Returns the names written.
std::vector<std::string> exportBase(kb::FileStore& store, const std::filesystem::path& outDirectory);

// Reads the files of `inDirectory` that bear the name of a knowledge-base
// file (in any letter case) and saves each into Base/, as RTF or, with
// `plain`, as Windows-1251 text with CR LF, each save atomic, under the
// program's lock. Everything is read and converted before anything is
// written: a character that Windows-1251 cannot hold is an error naming the
// file and line, and then nothing is written. Returns the names written.
std::vector<std::string> importBase(kb::FileStore& store, const std::filesystem::path& inDirectory, bool plain);

} // namespace workbench
