#include "InsideWords.h"

#include "KeywordIndex.h"
#include "Names.h"

#include "engine/TextRules.h"
#include "kb/Cp1251.h"

#include <array>
#include <map>
#include <set>
#include <tuple>
#include <unordered_map>

namespace workbench {
namespace {

bool isLetter(char c) {
    const auto b = static_cast<unsigned char>(c);
    return (b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z') || b >= 0xC0 || b == 0xA8 || b == 0xB8;
}

// Where a run of a key must stand in a longer word for the key to be found there.
enum class Place { Anywhere, Start, End };

struct Need {
    int line;
    std::string_view key;
    std::string run;
    Place place;
    int runId = -1;
};

struct Word {
    std::string text;
    long frequency; // in the base's own text; 0 for a word only in the word list
};

// Better: more frequent in the base, then shorter, then first in order.
bool better(const Word& a, const Word& b) {
    return std::tuple(-a.frequency, a.text.size(), a.text) < std::tuple(-b.frequency, b.text.size(), b.text);
}

// A word that begins with a stem of four letters or more and goes on for at
// most three: a form of the stem's own word (КОШК in КОШКАМИ, СПАСИБ in
// СПАСИБО), not another word (ВЕТЕР in ВЕТЕРИНАР, ДА in ДАЧА).
bool ownForm(std::size_t stemLength, std::size_t wordLength) {
    return stemLength >= 4 && wordLength - stemLength <= 3;
}

// The run of a key of one run of letters that can stand inside a longer
// word, and where; false when the key is held to whole words by what
// surrounds its letters.
bool needOf(std::string_view key, std::string& run, Place& place) {
    const auto runs = lettersRuns(key);
    if (runs.size() != 1)
        return false;
    const bool anchoredStart = !isLetter(key.front());
    const bool anchoredEnd = !isLetter(key.back());
    if (anchoredStart && anchoredEnd)
        return false;
    run = runs.front();
    place = anchoredStart ? Place::Start : anchoredEnd ? Place::End : Place::Anywhere;
    return true;
}

// A key of several words ("КАК ДЕЛА", a branch line's text) can stand inside
// longer words only at its ends, and only where the words in between follow:
// it is looked for in running text, the base's own, never in a word list.
struct PhraseKey {
    int line;
    std::string_view key;
    std::string capitals; // the key as it stands in upper-cased text
};

// The word of `text` around position `at`.
std::string wordAround(std::string_view text, std::size_t at) {
    std::size_t start = at;
    while (start > 0 && isLetter(text[start - 1]))
        --start;
    std::size_t end = at;
    while (end < text.size() && isLetter(text[end]))
        ++end;
    return std::string(text.substr(start, end - start));
}

// For each key, a longer word of the running text that one of its ends
// stands inside.
std::vector<std::string> phraseKeysInsideWords(const std::vector<PhraseKey>& keys,
                                               const std::vector<BaseContent>& base) {
    KeywordIndex index;
    std::vector<int> ids;
    for (const PhraseKey& key : keys)
        ids.push_back(index.add(key.capitals));
    index.build();
    std::vector<std::string> inside(static_cast<std::size_t>(index.size()));
    for (const BaseContent& content : base) {
        for (const std::string& line : *content.lines) {
            const std::string text = kb::upperCase(line);
            index.findAll(text, [&](int id, std::size_t start) {
                std::string& found = inside[static_cast<std::size_t>(id)];
                if (!found.empty())
                    return;
                const std::string& key = index.key(id);
                const std::size_t end = start + key.size();
                if (isLetter(key.front()) && start > 0 && isLetter(text[start - 1]))
                    found = wordAround(text, start);
                else if (isLetter(key.back()) && end < text.size() && isLetter(text[end]))
                    found = wordAround(text, end - 1);
            });
        }
    }
    std::vector<std::string> out;
    for (const int id : ids)
        out.push_back(inside[static_cast<std::size_t>(id)]);
    return out;
}

} // namespace

std::vector<std::string> lettersRuns(std::string_view text) {
    std::vector<std::string> runs;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && !isLetter(text[i]))
            ++i;
        const std::size_t start = i;
        while (i < text.size() && isLetter(text[i]))
            ++i;
        if (i > start)
            runs.push_back(kb::upperCase(text.substr(start, i - start)));
    }
    return runs;
}

void findKeysInsideWords(const std::vector<BaseContent>& base, const CheckOptions& options,
                         std::vector<Finding>& findings) {
    const std::set<std::string_view> kept(options.keptKeys.begin(), options.keptKeys.end());
    std::string file;
    std::vector<Need> needs;
    std::vector<PhraseKey> phraseKeys;
    std::unordered_map<std::string, long> vocabulary;
    for (const BaseContent& content : base) {
        const kb::Lines& lines = *content.lines;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            for (auto& run : lettersRuns(lines[i]))
                ++vocabulary[std::move(run)];
            if (content.file->role != FileRole::Words || i == 0)
                continue;
            file = content.file->displayName();
            const engine::WordsLine line(lines[i]);
            if (!line.answered())
                continue;
            const int depth = line.depth();
            const std::string_view part = line.phrasePart().substr(static_cast<std::size_t>(depth));
            const auto keys = depth == 0 ? engine::phraseWords(part) : std::vector<std::string_view>{part};
            for (const auto key : keys) {
                if (kept.contains(key))
                    continue;
                Need need{static_cast<int>(i), key, {}, Place::Anywhere};
                if (needOf(key, need.run, need.place))
                    needs.push_back(std::move(need));
                else if (lettersRuns(key).size() > 1)
                    phraseKeys.push_back({static_cast<int>(i), key, kb::upperCase(key)});
            }
        }
    }
    for (const std::string& text : options.extraWords) {
        for (auto& run : lettersRuns(kb::utf8ToCp1251(text)))
            vocabulary.emplace(std::move(run), 0);
    }

    KeywordIndex index;
    for (Need& need : needs)
        need.runId = index.add(need.run);
    index.build();
    // The best longer word for each run and place.
    std::vector<std::array<const Word*, 3>> best(static_cast<std::size_t>(index.size()),
                                                 {nullptr, nullptr, nullptr});
    std::vector<Word> words;
    words.reserve(vocabulary.size());
    for (auto& [text, frequency] : vocabulary)
        words.push_back({text, frequency});
    for (const Word& word : words) {
        index.findAll(word.text, [&](int id, std::size_t start) {
            const std::size_t length = index.key(id).size();
            if (length == word.text.size())
                return;
            auto& slots = best[static_cast<std::size_t>(id)];
            const auto offer = [&](Place place) {
                const Word*& slot = slots[static_cast<std::size_t>(place)];
                if (slot == nullptr || better(word, *slot))
                    slot = &word;
            };
            if (start == 0) {
                // A stem at the start of a word with only an ending after it
                // is the same word in another form: what a stem is for.
                if (ownForm(length, word.text.size()))
                    return;
                offer(Place::Start);
            }
            offer(Place::Anywhere);
            if (start + length == word.text.size())
                offer(Place::End);
        });
    }

    // One finding a line, naming each key with one longer word.
    std::map<int, std::string> messages;
    const auto name = [&](int line, std::string_view key, const std::string& word) {
        std::string& message = messages[line];
        message += message.empty() ? "\"" + u(key) + "\" is found inside \"" + u(word) + "\""
                                   : "; \"" + u(key) + "\" inside \"" + u(word) + "\"";
    };
    for (const Need& need : needs) {
        if (const Word* inside = best[static_cast<std::size_t>(need.runId)][static_cast<std::size_t>(need.place)])
            name(need.line, need.key, inside->text);
    }
    const auto phraseInside = phraseKeysInsideWords(phraseKeys, base);
    for (std::size_t k = 0; k < phraseKeys.size(); ++k) {
        if (!phraseInside[k].empty())
            name(phraseKeys[k].line, phraseKeys[k].key, phraseInside[k]);
    }
    for (auto& [line, message] : messages)
        findings.push_back({file, line, Severity::Warning, "key-inside-word", std::move(message), std::nullopt});
}

} // namespace workbench
