#pragma once

// How the workbench writes what it reports: text in UTF-8, and files as the
// reports name them ("Base/Words.Dat") or as the program does ("Base\Words.Dat").

#include "kb/Cp1251.h"

#include <algorithm>
#include <string>
#include <string_view>

namespace workbench {

inline std::string u(std::string_view cp1251) {
    return kb::cp1251ToUtf8(cp1251);
}

inline std::string displayName(std::string programPath) {
    std::replace(programPath.begin(), programPath.end(), '\\', '/');
    return programPath;
}

inline std::string programPathOf(std::string displayName) {
    std::replace(displayName.begin(), displayName.end(), '/', '\\');
    return displayName;
}

} // namespace workbench
