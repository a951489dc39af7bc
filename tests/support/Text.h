#pragma once

// Text as tests write and read it: UTF-8 in the test's source, Windows-1251
// in the program's files.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace support {

using Utf8Lines = std::vector<std::string>;

// UTF-8 to the program's Windows-1251 and back.
std::string cp(std::string_view utf8);
std::string utf(std::string_view cp1251);
Utf8Lines utf(const std::vector<std::string>& cp1251Lines);

// Writes `relative` (with "/" separators) under `root` as Windows-1251 plain
// text, every line followed by CR LF.
void writeCp1251File(const std::filesystem::path& root, const std::string& relative, const Utf8Lines& lines);
std::string readBytes(const std::filesystem::path& file);
void writeBytes(const std::filesystem::path& file, std::string_view bytes);
// Lines split at LF (and CR LF); no empty line after the final break.
std::vector<std::string> splitLines(std::string_view text);

} // namespace support
