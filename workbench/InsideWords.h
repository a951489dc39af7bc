#pragma once

// key-inside-word: the words of phrase parts that the keyword search also
// finds inside longer words (ДА in КОГДА), with one such word for each.

#include "Check.h"

#include <string>
#include <vector>

namespace workbench {

// The words of a text as the warning sees them: runs of Latin and Cyrillic
// letters, in capitals (Windows-1251).
std::vector<std::string> lettersRuns(std::string_view text);

void findKeysInsideWords(const std::vector<BaseContent>& base, const CheckOptions& options,
                         std::vector<Finding>& findings);

} // namespace workbench
