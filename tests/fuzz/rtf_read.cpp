// Reads arbitrary bytes as an RTF document, then checks that the lines it
// gives survive being written and read again.
//
// The same bytes also make a hand edit of a program-written document: the
// part before the first NUL gives its lines, the part after it (without
// backslashes, as typed into a text editor: braces and any other bytes) is
// inserted after one of its paragraphs, chosen by the first byte. Nothing
// typed there may remove a paragraph before or after it.

#include "kb/PlainText.h"
#include "kb/Rtf.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

void checkRoundTrip(std::string_view document) {
    const kb::Lines lines = kb::rtf::read(document);
    for (const std::string& line : lines) {
        if (line.find_first_of("\r\n") != std::string::npos)
            return;
    }
    const std::string written = kb::rtf::write(lines);
    if (!kb::rtf::isRtf(written) || kb::rtf::read(written) != lines)
        std::abort();
}

void checkHandEdit(std::string_view data) {
    if (data.size() < 2)
        return;
    const auto selector = static_cast<unsigned char>(data.front());
    data.remove_prefix(1);
    const std::size_t nul = std::min(data.find('\0'), data.size());
    const kb::Lines lines = kb::plain::splitLines(data.substr(0, nul));
    std::string typed(data.substr(std::min(nul + 1, data.size())));
    std::erase(typed, '\\');
    if (lines.empty())
        return;

    // After paragraph `boundary` (1 to n): between two paragraphs or at the end.
    const std::size_t boundary = 1 + selector % lines.size();
    std::string edited = kb::rtf::write(lines);
    constexpr std::string_view kLineEnd = "\\par\r\n";
    std::size_t at = 0;
    for (std::size_t seen = 0; seen < boundary; ++seen)
        at = edited.find(kLineEnd, at) + kLineEnd.size();
    edited.insert(at, typed);

    const kb::Lines read = kb::rtf::read(edited);
    if (read.size() < lines.size())
        std::abort();
    if (!std::equal(lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(boundary), read.begin()))
        std::abort();
    // The paragraphs after it are the last ones read; the first of them may
    // begin with the typed text.
    const std::size_t after = lines.size() - boundary;
    const auto tail = read.end() - static_cast<std::ptrdiff_t>(after);
    for (std::size_t i = 0; i < after; ++i) {
        const std::string& original = lines[boundary + i];
        const std::string& got = tail[static_cast<std::ptrdiff_t>(i)];
        if (i == 0 ? !got.ends_with(original) : got != original)
            std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    checkRoundTrip(bytes);
    checkHandEdit(bytes);
    return 0;
}
