#pragma once

// Text typed with the keyboard in the Latin layout read as if it had been
// typed in the Russian layout: "ghbdtn" becomes "привет".

#include <array>
#include <string>
#include <string_view>
#include <utility>

namespace engine {

// (typed byte, result byte), in the order in which they are tested. No typed
// byte occurs twice and no result is the typed byte of a later rule, so each
// character changes at most once.
extern const std::array<std::pair<unsigned char, unsigned char>, 71> LayoutRules;

// Windows-1251 text in, the same length out.
std::string convertLayout(std::string_view text);

} // namespace engine
