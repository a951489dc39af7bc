#pragma once

// The one place where the program's Windows-1251 text meets Qt's Unicode.

#include <QString>

#include <string>

namespace ui {

QString fromCp1251(const std::string& text);
// A character without a Windows-1251 form becomes '?'.
std::string toCp1251(const QString& text);

} // namespace ui
