#pragma once

// The temporary file a save writes before it renames it over its target. Its
// name tells which file it replaces and which process writes it, so that a
// later save can remove the ones a killed copy of the program left behind
// without touching one that a live copy is writing.

#include <filesystem>
#include <string>

namespace kb::temporary {

// The name pattern for mkstemp: ".Words.Dat.~PID-HOST~XXXXXX".
std::string pattern(const std::string& targetName);

// Removes the temporary files of `target` whose process no longer runs on
// this machine. Files of other machines (a shared directory) and of live
// processes are kept. Returns how many were removed.
int removeStale(const std::filesystem::path& target);

} // namespace kb::temporary
