#pragma once

// The phrases users typed, from transcripts: the log blocks of
// Base/Log.Brisol, or what the console driver printed.

#include <filesystem>
#include <string>
#include <vector>

namespace workbench {

// The phrases of one dialogue, in order, Windows-1251, as normalised then.
using Dialogue = std::vector<std::string>;

// Every "USER:" line that a "CPU:" line answers (an idle prompt writes a
// "USER:" line of its own, which nothing answers). Each log block is one
// dialogue. Throws std::runtime_error when the file cannot be read.
std::vector<Dialogue> readTranscript(const std::filesystem::path& file);

} // namespace workbench
