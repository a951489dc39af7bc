#pragma once

// The two warnings given only when certain: a line that an earlier line (or
// an entry of the built-in censor list) always catches first, so it never
// answers.

#include "Check.h"

#include "kb/Lines.h"

#include <vector>

namespace workbench {

void findShadowed(const std::string& file, const kb::Lines& words, std::vector<Finding>& findings);
void findCensored(const std::string& file, const kb::Lines& words, std::vector<Finding>& findings);

} // namespace workbench
