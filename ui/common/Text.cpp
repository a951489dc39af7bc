#include "Text.h"

#include "kb/Cp1251.h"

#include <QList>

namespace ui {

QString fromCp1251(const std::string& text) {
    QString out;
    out.reserve(static_cast<qsizetype>(text.size()));
    for (const char c : text)
        out.append(QChar(static_cast<char16_t>(kb::cp1251ToUnicode(static_cast<unsigned char>(c)))));
    return out;
}

std::string toCp1251(const QString& text) {
    std::string out;
    out.reserve(static_cast<std::size_t>(text.size()));
    for (const char32_t codePoint : text.toUcs4())
        out += kb::unicodeToCp1251(codePoint);
    return out;
}

} // namespace ui
