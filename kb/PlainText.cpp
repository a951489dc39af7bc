#include "PlainText.h"

#include "Cp1251.h"

#include <algorithm>

namespace kb::plain {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool hasNonAscii(std::string_view text) {
    return std::any_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

} // namespace

Lines splitLines(std::string_view text) {
    Lines lines;
    std::size_t start = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const char c = text[pos];
        if (c != '\r' && c != '\n') {
            ++pos;
            continue;
        }
        lines.emplace_back(text.substr(start, pos - start));
        pos += (c == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n') ? 2 : 1;
        start = pos;
    }
    if (start < text.size())
        lines.emplace_back(text.substr(start));
    return lines;
}

Lines read(std::string_view bytes) {
    std::string_view body = bytes;
    const bool marked = body.starts_with(kByteOrderMark);
    if (marked)
        body.remove_prefix(kByteOrderMark.size());
    if ((marked || hasNonAscii(body)) && isValidUtf8(body))
        return splitLines(utf8ToCp1251(body));
    return splitLines(bytes);
}

std::string write(const Lines& lines) {
    std::size_t size = 0;
    for (const auto& line : lines)
        size += line.size() + 2;
    std::string out;
    out.reserve(size);
    for (const auto& line : lines) {
        out += line;
        out += "\r\n";
    }
    return out;
}

} // namespace kb::plain
