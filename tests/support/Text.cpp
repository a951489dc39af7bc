#include "Text.h"

#include "kb/Cp1251.h"
#include "kb/PlainText.h"

#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace support {

std::string cp(std::string_view utf8) {
    return kb::utf8ToCp1251(utf8);
}

std::string utf(std::string_view cp1251) {
    return kb::cp1251ToUtf8(cp1251);
}

Utf8Lines utf(const std::vector<std::string>& cp1251Lines) {
    Utf8Lines out;
    for (const std::string& line : cp1251Lines)
        out.push_back(utf(line));
    return out;
}

void writeCp1251File(const fs::path& root, const std::string& relative, const Utf8Lines& lines) {
    std::string bytes;
    for (const std::string& line : lines)
        bytes += cp(line) + "\r\n";
    writeBytes(root / relative, bytes);
}

std::string readBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeBytes(const fs::path& file, std::string_view bytes) {
    fs::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::vector<std::string> splitLines(std::string_view text) {
    return kb::plain::splitLines(text);
}

} // namespace support
