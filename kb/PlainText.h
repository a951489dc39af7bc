#pragma once

// Plain text files: lines separated by CR LF (or a lone LF or CR, as editors
// on this system write them), in Windows-1251 or in UTF-8.

#include "Lines.h"

#include <string>
#include <string_view>

namespace kb::plain {

// The lines of a plain text file. A file that is valid UTF-8 and holds
// non-ASCII characters is taken as UTF-8 (a byte-order mark dropped) and
// converted to Windows-1251; real Windows-1251 Russian text is never valid
// UTF-8. Anything else is Windows-1251 as it stands.
Lines read(std::string_view bytes);

// Every line followed by CR LF.
std::string write(const Lines& lines);

// Splits text at CR LF, lone LF and lone CR; no empty line after the final break.
Lines splitLines(std::string_view text);

} // namespace kb::plain
