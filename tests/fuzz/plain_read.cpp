// Fuzz target: the plain-text reader never fails and never leaves a line
// break inside a line.

#include "kb/PlainText.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const kb::Lines lines = kb::plain::read(bytes);
    for (const auto& line : lines) {
        if (line.find_first_of("\r\n") != std::string::npos)
            std::abort();
    }
    // Written back and split again, the lines are the same.
    if (kb::plain::splitLines(kb::plain::write(lines)) != lines)
        std::abort();
    return 0;
}
