#pragma once

// The text rules of a turn: normalising the incoming phrase, the keyword
// search, and reading the parts of a Words.Dat line.

#include <optional>
#include <string>
#include <string_view>

namespace engine {

// The four characters reserved by the grammar of Words.Dat.
bool isMarker(char c);

// A small Cyrillic first letter becomes its capital; nothing else changes.
void capitaliseFirstLetter(std::string& phrase);

// A final "," becomes "."; a final "!", "?" or "." stays; anything else gets
// "." appended.
void fixEndPunctuation(std::string& phrase);

// Searches a key, as stored, in the phrase, upper-casing each phrase character,
// from a start position. A mismatch drops the partial match and the walk goes
// on with the next phrase character, which is not tried again as the key's
// first character. Returns the phrase position of the key's last character.
// An empty key is never found.
std::optional<std::size_t> findKeyword(std::string_view phrase, std::string_view key,
                                       std::size_t start = 0);

// The same search in a phrase already upper-cased as a whole, which gives the
// same result: the scans of a turn upper-case the phrase once.
std::optional<std::size_t> findKeywordInCapitals(std::string_view upperPhrase, std::string_view key,
                                                 std::size_t start = 0);

// Whether every word of a main line's phrase part occurs in the phrase, in
// order, each searched after the position where the previous one was found.
bool wordsFound(std::string_view phrase, std::string_view phrasePart);
bool wordsFoundInCapitals(std::string_view upperPhrase, std::string_view phrasePart);

// The same search, telling each word as it goes: onWord(word, from, found)
// with the position the word was searched from and where its last character
// was found (nullopt when it was not, which ends the walk). A word runs to
// the next blank found from its second character on, so a second blank in a
// row starts the next word.
template <typename OnWord>
bool walkWords(std::string_view upperPhrase, std::string_view phrasePart, OnWord&& onWord) {
    if (phrasePart.empty())
        return false;
    std::size_t from = 0;
    std::size_t wordStart = 0;
    while (wordStart < phrasePart.size()) {
        std::size_t wordEnd = phrasePart.find(' ', wordStart + 1);
        if (wordEnd == std::string_view::npos)
            wordEnd = phrasePart.size();
        const std::string_view word = phrasePart.substr(wordStart, wordEnd - wordStart);
        const auto found = findKeywordInCapitals(upperPhrase, word, from);
        onWord(word, from, found);
        if (!found)
            return false;
        from = *found + 1;
        wordStart = wordEnd + 1;
    }
    return true;
}

// A line of Words.Dat, read without ever looking past its end.
struct WordsLine {
    explicit WordsLine(std::string_view text);

    std::string_view text;
    std::size_t caret; // position of the first "^", or npos for a malformed line

    bool wellFormed() const { return caret != std::string_view::npos; }
    // The text before the first "^" (the whole line when it has none).
    std::string_view phrasePart() const;
    // Leading "_": 0 for a main line.
    int depth() const;
    // Answered: something after the "^" and a ";" among it. A line with text
    // after its "^" but no ";" counts as unanswered.
    bool answered() const;
    int alternativeCount() const;
    // Alternative `choice` (from 1), located by counting ";" from the line's
    // start as the program always has; `separators` counts the ";" passed.
    std::string_view alternative(int choice, int& separators) const;
    bool endsInLeaveMarker() const { return !text.empty() && text.back() == '@'; }
};

} // namespace engine
