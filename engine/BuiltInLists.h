#pragma once

// The two word lists that come with the main window: the abusive words that
// the censor rule answers, and the topics that are never learned.

#include "kb/Lines.h"

namespace engine {

// 83 lines; line 0 is empty.
kb::Lines censorList();
// 80 lines; line 0 is empty.
kb::Lines filterList();

} // namespace engine
