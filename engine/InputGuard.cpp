#include "InputGuard.h"

#include "TextRules.h"

namespace engine {

bool InputGuard::tick(std::string_view text) {
    if (text.empty())
        return false;
    const int length = static_cast<int>(text.size());
    // The text may have become shorter since the last tick.
    if (++position_ > length)
        position_ = 1;
    if (isMarker(text[static_cast<std::size_t>(position_ - 1)]))
        return true;
    if (position_ == length)
        position_ = 0;
    return false;
}

} // namespace engine
