#pragma once

// A file that only grows by whole lines, such as the learning journal: each
// line is appended at the end and flushed to disk before the call returns;
// nothing is ever rewritten.

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace kb::appendfile {

// Appends the line and a line feed, creating the file when it is missing.
// Throws FileError (Create) naming `programPath` when it cannot.
void appendLine(const std::filesystem::path& file, std::string_view line, const std::string& programPath);

// The file's last `bytes` bytes (all of it when it is shorter); empty when
// the file is missing. Throws FileError (Open) when it cannot be read.
std::string tail(const std::filesystem::path& file, std::size_t bytes, const std::string& programPath);

// Every line of the file, without the line feeds; a missing file has none.
std::vector<std::string> readLines(const std::filesystem::path& file, const std::string& programPath);

} // namespace kb::appendfile
