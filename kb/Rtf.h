#pragma once

// Rich text as the program stores its line lists: an RTF document whose
// paragraphs are the lines, in Windows-1251.

#include "Lines.h"

#include <string>
#include <string_view>

namespace kb::rtf {

// True when the bytes are an RTF document ("{\rtf" at the start, after an
// optional UTF-8 byte-order mark and white space).
bool isRtf(std::string_view bytes);

// The paragraphs of an RTF document as Windows-1251 lines. Never fails: broken
// or hostile input gives some lines, never a crash or a hang. Damage that a
// hand edit makes (a stray brace, an unbalanced group, a cut-off end) loses
// no text that is there: a brace that closes the document before its end is
// dropped and the text after it is read on.
Lines read(std::string_view document);

// An RTF document (\ansicpg1251, Cyrillic font table) with one paragraph per
// line. Every list of lines without CR or LF reads back to the same lines.
std::string write(const Lines& lines);

} // namespace kb::rtf
