#include "Shadowing.h"

#include "Inclusion.h"
#include "KeywordIndex.h"
#include "Names.h"

#include "engine/BuiltInLists.h"
#include "engine/TextRules.h"
#include "kb/Cp1251.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <unordered_map>

namespace workbench {
namespace {

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

// The characters and pairs of characters of a text, as bits: a line can
// catch a phrase only when each of its keys stands in it, so the bits of its
// keys are among the phrase's bits. A fast first sieve.
using Bits = std::array<std::uint64_t, 4>;

void addBits(Bits& bits, std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        bits[c >> 6] |= std::uint64_t{1} << (c & 63);
        if (i > 0) {
            const auto pair = static_cast<unsigned>(static_cast<unsigned char>(text[i - 1]) * 131u + c * 7u) & 255u;
            bits[pair >> 6] |= std::uint64_t{1} << (pair & 63);
        }
    }
}

bool within(const Bits& part, const Bits& whole) {
    for (std::size_t i = 0; i < part.size(); ++i) {
        if ((part[i] & ~whole[i]) != 0)
            return false;
    }
    return true;
}

void shadowedMainLines(const std::string& file, const std::vector<Candidate>& lines,
                       std::vector<Finding>& findings) {
    std::vector<const Candidate*> mains;
    for (const Candidate& line : lines) {
        if (line.depth == 0)
            mains.push_back(&line);
    }
    const std::size_t count = mains.size();
    std::vector<std::string> samples(count);
    std::vector<Bits> keyBits(count, Bits{});
    std::vector<Bits> sampleBits(count, Bits{});
    KeywordIndex index;
    std::vector<std::vector<int>> keyIds(count);
    for (std::size_t m = 0; m < count; ++m) {
        samples[m] = mains[m]->keys.samplePhrase();
        addBits(sampleBits[m], samples[m]);
        for (const auto key : mains[m]->keys.keys) {
            addBits(keyBits[m], key);
            keyIds[m].push_back(index.add(key));
        }
    }
    index.build();

    // How many lines' phrases each key stands in: a line is looked up by
    // its key that stands in fewest, so that few lines come up for nothing.
    std::vector<int> standsIn(static_cast<std::size_t>(index.size()), 0);
    std::vector<int> lastSeen(static_cast<std::size_t>(index.size()), -1);
    for (std::size_t m = 0; m < count; ++m) {
        index.findAll(samples[m], [&](int id, std::size_t) {
            if (lastSeen[static_cast<std::size_t>(id)] != static_cast<int>(m)) {
                lastSeen[static_cast<std::size_t>(id)] = static_cast<int>(m);
                ++standsIn[static_cast<std::size_t>(id)];
            }
        });
    }
    std::vector<std::vector<int>> byKey(static_cast<std::size_t>(index.size()));
    for (std::size_t m = 0; m < count; ++m) {
        const int chosen = *std::min_element(keyIds[m].begin(), keyIds[m].end(), [&](int a, int b) {
            return standsIn[static_cast<std::size_t>(a)] < standsIn[static_cast<std::size_t>(b)];
        });
        byKey[static_cast<std::size_t>(chosen)].push_back(static_cast<int>(m));
    }

    // A line with the same phrase part as an earlier one is caught by what
    // catches that one, or by it.
    std::unordered_map<std::string_view, int> firstWithPart;
    std::vector<int> caughtBy(count, -1);
    std::vector<int> keysSeen;
    std::vector<int> keyStamp(static_cast<std::size_t>(index.size()), -1);
    for (std::size_t m = 0; m < count; ++m) {
        const Candidate& caught = *mains[m];
        const auto [same, isNew] = firstWithPart.emplace(caught.phrasePart, static_cast<int>(m));
        if (!isNew) {
            const int first = same->second;
            caughtBy[m] = caughtBy[static_cast<std::size_t>(first)] >= 0 ? caughtBy[static_cast<std::size_t>(first)] : first;
        } else {
            // The earliest line that catches it: each list is sorted, so
            // it is walked only up to the best line found so far.
            int best = static_cast<int>(m);
            keysSeen.clear();
            index.findAll(samples[m], [&](int id, std::size_t) {
                if (keyStamp[static_cast<std::size_t>(id)] == static_cast<int>(m))
                    return;
                keyStamp[static_cast<std::size_t>(id)] = static_cast<int>(m);
                keysSeen.push_back(id);
            });
            for (const int id : keysSeen) {
                for (const int other : byKey[static_cast<std::size_t>(id)]) {
                    if (other >= best)
                        break;
                    if (!within(keyBits[static_cast<std::size_t>(other)], sampleBits[m]))
                        continue;
                    const Candidate& catcher = *mains[static_cast<std::size_t>(other)];
                    if (!engine::wordsFoundInCapitals(samples[m], catcher.phrasePart))
                        continue; // it misses even this phrase
                    if (catchesAllOf(catcher.keys, caught.keys)) {
                        best = other;
                        break;
                    }
                }
            }
            if (best < static_cast<int>(m))
                caughtBy[m] = best;
        }
        if (caughtBy[m] >= 0) {
            const int line = mains[static_cast<std::size_t>(caughtBy[m])]->line;
            findings.push_back({file, caught.line, Severity::Warning, "shadowed",
                                "every phrase it matches is matched first by line " + std::to_string(line), line});
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
