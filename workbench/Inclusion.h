#pragma once

// Whether one line of the knowledge base catches every phrase that another
// catches: the question behind `shadowed` and `censored`. A line is looked at
// as the program searches it: a sequence of keys (the words of a main line's
// phrase part, a branch line's text, a censor entry), each searched with the
// keyword search after the place where the one before was found. The answer
// is exact, for every phrase a user can send: any text without the marker
// characters, upper-cased, ending in ".", "!" or "?".

#include <string_view>
#include <vector>

namespace workbench {

struct KeySequence {
    std::vector<std::string_view> keys;

    static KeySequence mainLine(std::string_view phrasePart);
    static KeySequence single(std::string_view key) { return {{key}}; }
    // Can some phrase be caught at all? (A key with a small letter or a
    // marker character never is.)
    bool canMatch() const;
    // A phrase that this sequence catches: its keys one after another, with a
    // full stop when needed. Only meaningful when canMatch().
    std::string samplePhrase() const;
};

// True when every phrase that `caught` catches is caught by `catcher` too.
bool catchesAllOf(const KeySequence& catcher, const KeySequence& caught);

} // namespace workbench
