// Reads arbitrary bytes as an RTF document, then checks that the lines it
// gives survive being written and read again.

#include "kb/Rtf.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view document(reinterpret_cast<const char*>(data), size);
    const kb::Lines lines = kb::rtf::read(document);
    for (const std::string& line : lines) {
        if (line.find_first_of("\r\n") != std::string::npos)
            return 0;
    }
    const std::string written = kb::rtf::write(lines);
    if (!kb::rtf::isRtf(written) || kb::rtf::read(written) != lines)
        std::abort();
    return 0;
}
