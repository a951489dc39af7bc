#pragma once

#include <string>
#include <vector>

namespace kb {

// The lines of a text file or of a line list, in Windows-1251, without their
// line breaks. An empty line after the final line break is not a line.
using Lines = std::vector<std::string>;

} // namespace kb
