#include "Lookup.h"

#include "TextRules.h"

#include <algorithm>

namespace engine {

int mainScanLine(const kb::Lines& words, std::string_view upperPhrase, int from) {
    const int count = static_cast<int>(words.size());
    for (int index = std::max(from, 1); index < count; ++index) {
        const WordsLine line(words[static_cast<std::size_t>(index)]);
        if (line.answered() && wordsFoundInCapitals(upperPhrase, line.phrasePart()))
            return index;
    }
    return -1;
}

FollowUpOutcome followUpLine(const kb::Lines& words, std::string_view upperPhrase, int depth, int after) {
    const int count = static_cast<int>(words.size());
    for (int index = std::max(after + 1, 1); index < count; ++index) {
        const WordsLine line(words[static_cast<std::size_t>(index)]);
        if (!line.wellFormed())
            continue; // not a line of the grammar: passed over
        const int lineDepth = line.depth();
        if (lineDepth == 0)
            return {FollowUpOutcome::Kind::MainLine, index};
        if (lineDepth != depth || !line.answered())
            continue;
        const std::string_view key = line.text.substr(static_cast<std::size_t>(lineDepth),
                                                      line.caret - static_cast<std::size_t>(lineDepth));
        if (findKeywordInCapitals(upperPhrase, key))
            return {FollowUpOutcome::Kind::Match, index};
    }
    return {FollowUpOutcome::Kind::End, std::max(count, after + 1)};
}

} // namespace engine
