#include "TextRules.h"

#include "kb/Cp1251.h"

#include <algorithm>

namespace engine {

bool isMarker(char c) {
    return c == '^' || c == '_' || c == ';' || c == '@';
}

void capitaliseFirstLetter(std::string& phrase) {
    if (phrase.empty())
        return;
    const auto first = static_cast<unsigned char>(phrase.front());
    if (first >= 0xE0 || first == 0xB8) // а..я and ё
        phrase.front() = kb::upperCase(phrase.front());
}

void fixEndPunctuation(std::string& phrase) {
    const char last = phrase.empty() ? '\0' : phrase.back();
    if (last == ',')
        phrase.back() = '.';
    else if (last != '!' && last != '?' && last != '.')
        phrase += '.';
}

std::optional<std::size_t> findKeyword(std::string_view phrase, std::string_view key,
                                       std::size_t start) {
    if (key.empty())
        return std::nullopt;
    std::size_t matched = 0;
    for (std::size_t i = start; i < phrase.size(); ++i) {
        if (kb::upperCase(phrase[i]) == key[matched]) {
            if (++matched == key.size())
                return i;
        } else {
            matched = 0;
        }
    }
    return std::nullopt;
}

std::optional<std::size_t> findKeywordInCapitals(std::string_view phrase, std::string_view key,
                                                 std::size_t start) {
    if (key.empty())
        return std::nullopt;
    std::size_t matched = 0;
    for (std::size_t i = start; i < phrase.size(); ++i) {
        if (matched == 0) {
            // Nothing matched: characters up to the next first character of
            // the key change nothing.
            const std::size_t next = phrase.find(key.front(), i);
            if (next == std::string_view::npos)
                return std::nullopt;
            i = next;
        }
        if (phrase[i] == key[matched]) {
            if (++matched == key.size())
                return i;
        } else {
            matched = 0;
        }
    }
    return std::nullopt;
}

bool wordsFound(std::string_view phrase, std::string_view phrasePart) {
    return wordsFoundInCapitals(kb::upperCase(phrase), phrasePart);
}

bool wordsFoundInCapitals(std::string_view phrase, std::string_view phrasePart) {
    return walkWords(phrase, phrasePart, [](std::string_view, std::size_t, std::optional<std::size_t>) {});
}

WordsLine::WordsLine(std::string_view line) : text(line), caret(line.find('^')) {}

std::string_view WordsLine::phrasePart() const {
    return text.substr(0, caret);
}

int WordsLine::depth() const {
    const auto first = text.find_first_not_of('_');
    return static_cast<int>(first == std::string_view::npos ? text.size() : first);
}

bool WordsLine::answered() const {
    return wellFormed() && caret + 1 < text.size() &&
           text.find(';', caret + 1) != std::string_view::npos;
}

int WordsLine::alternativeCount() const {
    return static_cast<int>(std::count(text.begin(), text.end(), ';'));
}

std::string_view WordsLine::alternative(int choice, int& separators) const {
    std::size_t start = caret + 1;
    if (choice > 1) {
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] == ';' && ++separators == choice - 1) {
                start = i + 1;
                break;
            }
        }
    }
    start = std::min(start, text.size());
    const std::size_t end = std::min(text.find(';', start), text.size());
    return text.substr(start, end - start);
}

} // namespace engine
