#include "Inclusion.h"

#include "engine/TextRules.h"
#include "kb/Cp1251.h"

#include <algorithm>
#include <array>
#include <deque>
#include <string>

namespace workbench {
namespace {

// A character that can stand in an upper-cased phrase a user sends: no
// small letter (the phrase is upper-cased before the search), no marker
// (the input guard erases them), no line break.
bool canBeInPhrase(char c) {
    return kb::upperCase(c) == c && !engine::isMarker(c) && c != '\r' && c != '\n' && c != '\0';
}

bool isEnd(char c) {
    return c == '.' || c == '!' || c == '?';
}

// Where the search of a key sequence stands: key `key`, `matched` characters
// of it found; key == size() means every key was found.
struct Position {
    std::size_t key = 0;
    std::size_t matched = 0;
    bool operator==(const Position&) const = default;
};

Position advance(const KeySequence& sequence, Position at, char c) {
    if (at.key == sequence.keys.size())
        return at; // caught for good
    const std::string_view key = sequence.keys[at.key];
    at.matched = engine::keywordStep(key, at.matched, c);
    if (at.matched == key.size())
        return {at.key + 1, 0};
    return at;
}

bool done(const KeySequence& sequence, Position at) {
    return at.key == sequence.keys.size();
}

std::size_t length(const KeySequence& sequence) {
    std::size_t total = 0;
    for (const auto key : sequence.keys)
        total += key.size();
    return total + 1;
}

std::size_t index(const KeySequence& sequence, Position at) {
    std::size_t offset = 0;
    for (std::size_t k = 0; k < at.key; ++k)
        offset += sequence.keys[k].size();
    return offset + at.matched;
}

} // namespace

KeySequence KeySequence::mainLine(std::string_view phrasePart) {
    return {engine::phraseWords(phrasePart)};
}

bool KeySequence::canMatch() const {
    if (keys.empty())
        return false;
    return std::all_of(keys.begin(), keys.end(), [](std::string_view key) {
        return !key.empty() && std::all_of(key.begin(), key.end(), canBeInPhrase);
    });
}

std::string KeySequence::samplePhrase() const {
    std::string phrase;
    for (const auto key : keys)
        phrase += key;
    if (phrase.empty() || !isEnd(phrase.back()))
        phrase += '.';
    return phrase;
}

bool catchesAllOf(const KeySequence& catcher, const KeySequence& caught) {
    if (!caught.canMatch())
        return true; // it catches nothing
    // The characters worth telling apart: those of both sequences' keys, the
    // three ends, and one that stands for every other character.
    std::string alphabet = ".!?";
    for (const auto* sequence : {&catcher, &caught}) {
        for (const auto key : sequence->keys) {
            for (const char c : key) {
                if (canBeInPhrase(c) && alphabet.find(c) == std::string::npos)
                    alphabet += c;
            }
        }
    }
    for (int c = 1; c < 256; ++c) {
        if (canBeInPhrase(static_cast<char>(c)) && alphabet.find(static_cast<char>(c)) == std::string::npos) {
            alphabet += static_cast<char>(c);
            break;
        }
    }

    // Search the pairs of positions a phrase can lead to, for a phrase that
    // ends in one of the three ends with `caught` done and `catcher` not.
    const std::size_t width = length(caught);
    std::vector<bool> seen(length(catcher) * width, false);
    std::deque<std::pair<Position, Position>> queue{{Position{}, Position{}}};
    seen[0] = true;
    while (!queue.empty()) {
        const auto [a, b] = queue.front();
        queue.pop_front();
        for (const char c : alphabet) {
            const Position nextA = advance(catcher, a, c);
            const Position nextB = advance(caught, b, c);
            if (done(catcher, nextA))
                continue; // from here on every phrase is caught by the catcher
            if (done(caught, nextB) && isEnd(c))
                return false;
            const std::size_t slot = index(catcher, nextA) * width + index(caught, nextB);
            if (!seen[slot]) {
                seen[slot] = true;
                queue.emplace_back(nextA, nextB);
            }
        }
    }
    return true;
}

} // namespace workbench
