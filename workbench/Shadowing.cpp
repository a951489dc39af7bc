#include "Shadowing.h"

#include "Inclusion.h"
#include "KeywordIndex.h"

#include "engine/BuiltInLists.h"
#include "engine/TextRules.h"
#include "kb/Cp1251.h"

#include <algorithm>
#include <unordered_map>

namespace workbench {
namespace {

std::string u(std::string_view cp1251) {
    return kb::cp1251ToUtf8(cp1251);
}

// A line that can answer, with the key sequence the program searches.
struct Candidate {
    int line;
    int depth;
    std::string_view phrasePart;
    KeySequence keys;
};

std::vector<Candidate> answeringLines(const kb::Lines& words) {
    std::vector<Candidate> lines;
    for (std::size_t i = 1; i < words.size(); ++i) {
        const engine::WordsLine line(words[i]);
        if (!line.answered())
            continue;
        const int depth = line.depth();
        const std::string_view key = line.phrasePart().substr(static_cast<std::size_t>(depth));
        KeySequence keys = depth == 0 ? KeySequence::mainLine(key) : KeySequence::single(key);
        if (keys.canMatch())
            lines.push_back({static_cast<int>(i), depth, line.phrasePart(), std::move(keys)});
    }
    return lines;
}

// The key of a main line that fewest main lines share: a line can catch a
// phrase only when each of its keys stands in it, so the rarest is the best
// for looking lines up by the text of a phrase.
std::vector<std::string_view> rarestKeys(const std::vector<Candidate>& mains) {
    std::unordered_map<std::string_view, int> frequency;
    for (const Candidate& line : mains) {
        for (const auto key : line.keys.keys)
            ++frequency[key];
    }
    std::vector<std::string_view> rarest;
    rarest.reserve(mains.size());
    for (const Candidate& line : mains) {
        rarest.push_back(*std::min_element(line.keys.keys.begin(), line.keys.keys.end(),
                                           [&](std::string_view a, std::string_view b) {
                                               return std::pair(frequency[a], -static_cast<long>(a.size())) <
                                                      std::pair(frequency[b], -static_cast<long>(b.size()));
                                           }));
    }
    return rarest;
}

void shadowedMainLines(const std::string& file, const std::vector<Candidate>& lines,
                       std::vector<Finding>& findings) {
    std::vector<Candidate> mains;
    for (const Candidate& line : lines) {
        if (line.depth == 0)
            mains.push_back(line);
    }
    const auto rarest = rarestKeys(mains);
    KeywordIndex index;
    std::vector<std::vector<int>> byKey; // key id: positions in `mains`
    for (std::size_t m = 0; m < mains.size(); ++m) {
        const int id = index.add(rarest[m]);
        if (id >= static_cast<int>(byKey.size()))
            byKey.resize(static_cast<std::size_t>(id) + 1);
        byKey[static_cast<std::size_t>(id)].push_back(static_cast<int>(m));
    }
    index.build();

    std::vector<int> candidates;
    for (std::size_t m = 0; m < mains.size(); ++m) {
        const Candidate& caught = mains[m];
        const std::string sample = caught.keys.samplePhrase();
        candidates.clear();
        index.findAll(sample, [&](int id, std::size_t) {
            for (const int other : byKey[static_cast<std::size_t>(id)]) {
                if (other >= static_cast<int>(m))
                    break; // only earlier lines come first
                candidates.push_back(other);
            }
        });
        std::sort(candidates.begin(), candidates.end());
        candidates.erase(std::unique(candidates.begin(), candidates.end()), candidates.end());
        for (const int other : candidates) {
            const Candidate& catcher = mains[static_cast<std::size_t>(other)];
            if (!engine::wordsFoundInCapitals(sample, catcher.phrasePart))
                continue; // it misses even this phrase
            if (!catchesAllOf(catcher.keys, caught.keys))
                continue;
            findings.push_back({file, caught.line, Severity::Warning, "shadowed",
                                "every phrase it matches is matched first by line " + std::to_string(catcher.line),
                                catcher.line});
            break;
        }
    }
}

void shadowedBranchLines(const std::string& file, const kb::Lines& words, const std::vector<Candidate>& lines,
                         std::vector<Finding>& findings) {
    std::unordered_map<int, const Candidate*> byLine;
    for (const Candidate& line : lines)
        byLine.emplace(line.line, &line);
    // The last line of each depth since the last main line.
    std::vector<int> lastOfDepth;
    for (std::size_t i = 1; i < words.size(); ++i) {
        const engine::WordsLine line(words[i]);
        if (!line.wellFormed())
            continue;
        const int depth = line.depth();
        if (depth == 0) {
            lastOfDepth.assign(1, static_cast<int>(i));
            continue;
        }
        const auto found = byLine.find(static_cast<int>(i));
        if (found != byLine.end() && static_cast<int>(lastOfDepth.size()) >= depth &&
            lastOfDepth[static_cast<std::size_t>(depth - 1)] > 0) {
            // The follow-up search reaches this line only after the lines of
            // its depth since the nearest line one level up.
            const Candidate& caught = *found->second;
            const std::string sample = caught.keys.samplePhrase();
            for (int j = lastOfDepth[static_cast<std::size_t>(depth - 1)] + 1; j < static_cast<int>(i); ++j) {
                const auto sibling = byLine.find(j);
                if (sibling == byLine.end() || sibling->second->depth != depth)
                    continue;
                const Candidate& catcher = *sibling->second;
                if (!engine::findKeywordInCapitals(sample, catcher.keys.keys.front()))
                    continue;
                if (catchesAllOf(catcher.keys, caught.keys)) {
                    findings.push_back({file, caught.line, Severity::Warning, "shadowed",
                                        "in the thread, every phrase it matches is matched first by line " +
                                            std::to_string(catcher.line),
                                        catcher.line});
                    break;
                }
            }
        }
        if (static_cast<int>(lastOfDepth.size()) <= depth)
            lastOfDepth.resize(static_cast<std::size_t>(depth) + 1, 0);
        lastOfDepth[static_cast<std::size_t>(depth)] = static_cast<int>(i);
        // Deeper lines of an earlier branch no longer follow this one's parent.
        lastOfDepth.resize(static_cast<std::size_t>(depth) + 1);
    }
}

} // namespace

void findShadowed(const std::string& file, const kb::Lines& words, std::vector<Finding>& findings) {
    const auto lines = answeringLines(words);
    shadowedMainLines(file, lines, findings);
    shadowedBranchLines(file, words, lines, findings);
}

void findCensored(const std::string& file, const kb::Lines& words, std::vector<Finding>& findings) {
    const kb::Lines censor = engine::censorList();
    KeywordIndex index;
    std::vector<int> entryOf; // key id: censor list index
    for (std::size_t e = 1; e < censor.size(); ++e) {
        if (censor[e].empty())
            continue;
        const int id = index.add(censor[e]);
        if (id >= static_cast<int>(entryOf.size()))
            entryOf.push_back(static_cast<int>(e));
    }
    index.build();
    std::vector<int> entries;
    for (const Candidate& line : answeringLines(words)) {
        const std::string sample = line.keys.samplePhrase();
        entries.clear();
        index.findAll(sample, [&](int id, std::size_t) { entries.push_back(entryOf[static_cast<std::size_t>(id)]); });
        std::sort(entries.begin(), entries.end()); // the list is scanned in its order
        entries.erase(std::unique(entries.begin(), entries.end()), entries.end());
        for (const int entry : entries) {
            const std::string& key = censor[static_cast<std::size_t>(entry)];
            if (catchesAllOf(KeySequence::single(key), line.keys)) {
                findings.push_back({file, line.line, Severity::Warning, "censored",
                                    "every phrase it matches holds the censor entry \"" + u(key) +
                                        "\", which answers first",
                                    std::nullopt});
                break;
            }
        }
    }
}

} // namespace workbench
