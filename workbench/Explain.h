#pragma once

// `talkbase-kb explain`: what a turn would do with a phrase, step by step,
// computed with the engine's own normalisation, lists and scans, without
// learning or writing anything.

#include "kb/Lines.h"

#include <optional>
#include <string>
#include <vector>

namespace workbench {

struct FoundWord {
    std::string word;      // Windows-1251, as stored
    std::size_t position;  // where it starts in the normalised phrase
    std::size_t length;
};

struct WhyNot {
    int line = 0;
    bool answers = false;
    std::string reason;                // UTF-8
    std::optional<std::string> word;   // the first word not found (Windows-1251)
    std::optional<std::size_t> from;   // where it was searched from
};

struct Explanation {
    std::string typed;                 // Windows-1251
    std::string normalised;
    std::optional<std::string> censor; // the entry that occurs in the phrase
    std::optional<std::string> filter;
    bool longInput = false;            // the long-input rule answers on 4 draws of 6
    enum class Source { Censor, LongInput, FollowUp, MainScan, QuestionRule } source = Source::QuestionRule;
    // What the knowledge base does (on the draws that pass the long-input rule).
    std::optional<int> line;
    std::string lineText;
    std::vector<FoundWord> words;
    std::vector<int> alsoMatching;
    std::optional<int> after;          // the thread state: after an answer from this line
    bool threadEnded = false;          // the follow-up search found nothing and the main scan ran
    std::string fallbackFile;          // the question rule's file
    std::optional<WhyNot> whyNot;
};

struct ExplainRequest {
    std::string phrase;                // Windows-1251, as typed
    std::optional<int> after;
    std::optional<int> whyNotLine;
};

// Throws std::invalid_argument for a line number outside Words.Dat.
Explanation explain(const kb::Lines& words, const ExplainRequest& request);

std::string formatExplanation(const Explanation& explanation, const kb::Lines& words);
std::string explanationJson(const Explanation& explanation);

} // namespace workbench
