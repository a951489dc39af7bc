// Whether one line catches every phrase another catches: the exact answer
// checked against the engine's own search over every short phrase.

#include "workbench/Inclusion.h"

#include "engine/TextRules.h"
#include "kb/Cp1251.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace {

using workbench::catchesAllOf;
using workbench::KeySequence;

// Does the engine's search find the whole sequence in the phrase?
bool caughtByEngine(const KeySequence& keys, const std::string& phrase) {
    std::size_t from = 0;
    for (const auto key : keys.keys) {
        const auto found = engine::findKeywordInCapitals(phrase, key, from);
        if (!found)
            return false;
        from = *found + 1;
    }
    return true;
}

// Every phrase over the alphabet up to the length, ending in ".".
void everyPhrase(const std::string& alphabet, std::size_t length, std::string& phrase,
                 const std::function<void(const std::string&)>& visit) {
    phrase += '.';
    visit(phrase);
    phrase.pop_back();
    if (phrase.size() == length)
        return;
    for (const char c : alphabet) {
        phrase += c;
        everyPhrase(alphabet, length, phrase, visit);
        phrase.pop_back();
    }
}

// A sequence from UTF-8 text, kept alive for the views of the sequence.
KeySequence line(std::string_view utf8) {
    static std::deque<std::string> kept;
    return KeySequence::mainLine(kept.emplace_back(kb::utf8ToCp1251(utf8)));
}

KeySequence one(std::string_view utf8) {
    static std::deque<std::string> kept;
    return KeySequence::single(kept.emplace_back(kb::utf8ToCp1251(utf8)));
}

TEST(Inclusion, HandPickedPairs) {
    EXPECT_TRUE(catchesAllOf(line("ДА"), line("ДАЧА")));
    EXPECT_TRUE(catchesAllOf(line("КАК ДЕЛА"), line("КАК ДЕЛА ДОМА")));
    EXPECT_FALSE(catchesAllOf(line("КАК ДЕЛА ДОМА"), line("КАК ДЕЛА")));
    // In «ААБ.» the search misses АБ: a partial match is dropped and the
    // character that broke it is not tried again.
    EXPECT_FALSE(catchesAllOf(line("АБ"), line("ААБ")));
    EXPECT_FALSE(catchesAllOf(line("ДЕЛА"), line("ДЕЛ")));
    // Order: ТЕБЯ after КАК is not the same as КАК after ТЕБЯ.
    EXPECT_FALSE(catchesAllOf(line("ТЕБЯ КАК"), line("КАК ТЕБЯ")));
    // A key the phrase never holds (a small letter) catches nothing, and a
    // line that catches nothing is caught by anything.
    EXPECT_FALSE(catchesAllOf(line("да"), line("ДА")));
    EXPECT_TRUE(catchesAllOf(line("ДА"), line("да")));
    // Every phrase ends in ".", "!" or "?"; "." alone catches only some.
    EXPECT_FALSE(catchesAllOf(one("."), one("ХОРОШО")));
    EXPECT_TRUE(catchesAllOf(one("."), one("ХОРОШО.")));
    // A censor entry with its blank.
    EXPECT_FALSE(catchesAllOf(one(" ЛОХ"), line("ЛОХ")));
    // The words of a main line need no blank between them: «ТЫЛОХ.».
    EXPECT_FALSE(catchesAllOf(one(" ЛОХ"), line("ТЫ ЛОХ")));
    EXPECT_TRUE(catchesAllOf(one(" ЛОХ"), one("ТЫ ЛОХ")));
}

TEST(Inclusion, NeverClaimsACatchThatAShortPhraseDisproves) {
    std::mt19937 random(7);
    const std::string letters = "ABC";
    const auto key = [&] {
        std::string text;
        const int length = 1 + static_cast<int>(random() % 3);
        for (int i = 0; i < length; ++i)
            text += letters[random() % letters.size()];
        return text;
    };
    int claimed = 0;
    int refuted = 0;
    for (int round = 0; round < 300; ++round) {
        std::vector<std::string> a{key()};
        std::vector<std::string> b{key()};
        if (random() % 2)
            a.push_back(key());
        if (random() % 2)
            b.push_back(key());
        const KeySequence catcher{{a.begin(), a.end()}};
        const KeySequence caught{{b.begin(), b.end()}};
        const bool claim = catchesAllOf(catcher, caught);
        bool counterexample = false;
        std::string phrase;
        everyPhrase(letters, 7, phrase, [&](const std::string& p) {
            counterexample = counterexample || (caughtByEngine(caught, p) && !caughtByEngine(catcher, p));
        });
        if (claim) {
            ++claimed;
            EXPECT_FALSE(counterexample) << a[0] << " catches " << b[0];
        } else {
            refuted += counterexample ? 1 : 0;
        }
    }
    EXPECT_GT(claimed, 20);
    EXPECT_GT(refuted, 100);
}

} // namespace
