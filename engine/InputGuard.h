#pragma once

// The input guard: examines one character of the input field per tick and
// tells when a marker character of the knowledge-base grammar has been typed.

#include <string_view>

namespace engine {

class InputGuard {
public:
    // One tick over the field's current text; true when the whole field must
    // be erased.
    bool tick(std::string_view text);
    int position() const { return position_; }

private:
    int position_ = 0; // 1-based position of the character examined last
};

} // namespace engine
