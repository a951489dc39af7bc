#pragma once

// The help texts of talkbase-kb.

#include <string>

namespace kbhelp {

std::string overview();
// The usage line of one command, or of all.
std::string usage(const std::string& command = {});
std::string command(const std::string& name);

} // namespace kbhelp
