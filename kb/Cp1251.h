#pragma once

// Windows-1251 text: the program keeps all of its text as single-byte
// Windows-1251 strings. These helpers convert at the edges (UTF-8 files,
// terminals, Unicode toolkits) and do the code page's upper-casing.

#include <optional>
#include <string>
#include <string_view>

namespace kb {

// Unicode code point of a Windows-1251 byte. The one unassigned byte, 0x98,
// maps to U+0098 so that every byte survives a round trip through Unicode.
char32_t cp1251ToUnicode(unsigned char byte);

// The Windows-1251 byte of a code point, if the code page has one.
std::optional<unsigned char> tryUnicodeToCp1251(char32_t codePoint);

// The Windows-1251 byte of a code point, or '?' when the code page has none.
char unicodeToCp1251(char32_t codePoint);

// Unicode code point of a byte in another single-byte code page, as far as
// the program knows it: 1251 and 1252 completely; of any other code page only
// the ASCII half (nullopt for its upper half).
std::optional<char32_t> codePageToUnicode(int codePage, unsigned char byte);

std::string cp1251ToUtf8(std::string_view text);

// Invalid UTF-8 sequences and characters without a Windows-1251 form become '?'.
std::string utf8ToCp1251(std::string_view utf8);

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool isValidUtf8(std::string_view text);

// Latin a-z, Cyrillic а-я and ё become capitals; every other byte is kept.
char upperCase(char c);
std::string upperCase(std::string_view text);

// Appends the UTF-8 form of a code point.
void appendUtf8(std::string& out, char32_t codePoint);

} // namespace kb
