#include "Explain.h"

#include "Names.h"

#include "engine/BuiltInLists.h"
#include "engine/Conversation.h"
#include "engine/Lookup.h"
#include "engine/TextRules.h"
#include "kb/Cp1251.h"
#include "kb/Json.h"

#include <stdexcept>

namespace workbench {
namespace {

constexpr std::size_t kLongInput = 110;

// The first entry of a built-in list that the keyword search finds in the phrase.
std::optional<std::string> firstEntry(const kb::Lines& list, const std::string& phrase) {
    for (std::size_t i = 1; i < list.size(); ++i) {
        if (engine::findKeyword(phrase, list[i]))
            return list[i];
    }
    return std::nullopt;
}

std::vector<FoundWord> foundWords(const std::string& upper, std::string_view text) {
    std::vector<FoundWord> found;
    const engine::WordsLine line(text);
    const int depth = line.depth();
    if (depth > 0) {
        const std::string_view key = line.phrasePart().substr(static_cast<std::size_t>(depth));
        if (const auto end = engine::findKeywordInCapitals(upper, key))
            found.push_back({std::string(key), *end + 1 - key.size(), key.size()});
        return found;
    }
    engine::walkWords(upper, line.phrasePart(), [&](std::string_view word, std::size_t, auto end) {
        if (end)
            found.push_back({std::string(word), *end + 1 - word.size(), word.size()});
    });
    return found;
}

WhyNot whyNot(const kb::Lines& words, const Explanation& explanation, int index) {
    WhyNot why;
    why.line = index;
    const engine::WordsLine line(words[static_cast<std::size_t>(index)]);
    const std::string upper = kb::upperCase(explanation.normalised);
    if (explanation.line == index) {
        why.answers = true;
        why.reason = "it answers";
        if (explanation.source == Explanation::Source::Censor)
            why.reason = "it would answer, but the censor entry \"" + u(*explanation.censor) + "\" answers first";
        else if (explanation.longInput)
            why.reason = "it answers on the 2 draws of 6 that the long-input rule leaves to the knowledge base";
        return why;
    }
    if (index == 0) {
        why.reason = "line 0 is the header and is never examined";
        return why;
    }
    if (!line.wellFormed()) {
        why.reason = "it has no \"^\", so it is no phrase";
        return why;
    }
    if (!line.answered()) {
        why.reason = "it has no answer yet; the scans pass over it";
        return why;
    }
    const int depth = line.depth();
    if (depth > 0) {
        const std::string_view key = line.phrasePart().substr(static_cast<std::size_t>(depth));
        if (!engine::findKeywordInCapitals(upper, key)) {
            why.word = std::string(key);
            why.from = 0;
            why.reason = "its text \"" + u(key) + "\" is not found in the phrase";
        } else if (!explanation.after) {
            why.reason = "it is a branch line: it answers only within a thread, after an answer from a line of depth " +
                         std::to_string(depth - 1) + " above it (try --after)";
        } else {
            why.reason = "it is not the branch line that the follow-up search reaches first from line " +
                         std::to_string(*explanation.after);
        }
        return why;
    }
    engine::walkWords(upper, line.phrasePart(), [&](std::string_view word, std::size_t from, auto end) {
        if (!end && !why.word) {
            why.word = std::string(word);
            why.from = from;
        }
    });
    if (why.word) {
        why.reason = "the word \"" + u(*why.word) + "\" is not found " +
                     (*why.from == 0 ? std::string("in the phrase")
                                     : "after position " + std::to_string(*why.from - 1) + " of the phrase");
    } else if (explanation.source == Explanation::Source::Censor) {
        why.reason = "it matches, but the censor entry \"" + u(*explanation.censor) + "\" answers first";
    } else if (explanation.source == Explanation::Source::FollowUp) {
        why.reason = "it matches, but the thread's branch line " + std::to_string(*explanation.line) + " answers first";
    } else if (explanation.line) {
        why.reason = "it matches, but line " + std::to_string(*explanation.line) + " comes first in the file";
    } else {
        why.reason = "it matches";
    }
    return why;
}

const char* sourceName(Explanation::Source source) {
    switch (source) {
    case Explanation::Source::Censor:
        return "censor";
    case Explanation::Source::LongInput:
        return "long-input";
    case Explanation::Source::FollowUp:
        return "follow-up";
    case Explanation::Source::MainScan:
        return "main-scan";
    case Explanation::Source::QuestionRule:
        return "question-rule";
    }
    return "";
}

// The phrase with each found part in brackets.
std::string marked(const Explanation& explanation) {
    std::string out;
    const std::string& phrase = explanation.normalised;
    std::size_t at = 0;
    for (const FoundWord& word : explanation.words) {
        if (word.position < at)
            continue;
        out += phrase.substr(at, word.position - at) + "[" + phrase.substr(word.position, word.length) + "]";
        at = word.position + word.length;
    }
    return u(out + phrase.substr(std::min(at, phrase.size())));
}

} // namespace

Explanation explain(const kb::Lines& words, const ExplainRequest& request) {
    const int count = static_cast<int>(words.size());
    for (const auto& line : {request.after, request.whyNotLine}) {
        if (line && (*line < 0 || *line >= count))
            throw std::invalid_argument("line " + std::to_string(*line) + " is not a line of Base/Words.Dat (0 to " +
                                        std::to_string(count - 1) + ")");
    }
    Explanation explanation;
    explanation.typed = request.phrase;
    explanation.normalised = request.phrase;
    engine::capitaliseFirstLetter(explanation.normalised);
    engine::fixEndPunctuation(explanation.normalised);
    explanation.censor = firstEntry(engine::censorList(), explanation.normalised);
    explanation.filter = firstEntry(engine::filterList(), explanation.normalised);
    explanation.longInput = explanation.normalised.size() >= kLongInput;
    explanation.after = request.after;
    explanation.fallbackFile =
        displayName(explanation.normalised.back() == '?' ? engine::files::W1 : engine::files::W2);

    const std::string upper = kb::upperCase(explanation.normalised);
    int matched = -1;
    if (request.after) {
        const engine::WordsLine line(words[static_cast<std::size_t>(*request.after)]);
        const engine::FollowUpOutcome outcome = engine::followUpLine(words, upper, line.depth() + 1, *request.after);
        if (outcome.kind == engine::FollowUpOutcome::Kind::Match) {
            matched = outcome.line;
            explanation.source = Explanation::Source::FollowUp;
        } else {
            explanation.threadEnded = true;
        }
    }
    if (matched < 0) {
        matched = engine::mainScanLine(words, upper);
        if (matched >= 0) {
            explanation.source = Explanation::Source::MainScan;
            for (int next = engine::mainScanLine(words, upper, matched + 1); next >= 0;
                 next = engine::mainScanLine(words, upper, next + 1))
                explanation.alsoMatching.push_back(next);
        }
    }
    if (matched >= 0) {
        explanation.line = matched;
        explanation.lineText = words[static_cast<std::size_t>(matched)];
        explanation.words = foundWords(upper, explanation.lineText);
    }
    if (explanation.longInput)
        explanation.source = Explanation::Source::LongInput;
    if (explanation.censor)
        explanation.source = Explanation::Source::Censor;
    if (request.whyNotLine)
        explanation.whyNot = whyNot(words, explanation, *request.whyNotLine);
    return explanation;
}

std::string formatExplanation(const Explanation& e, const kb::Lines& words) {
    std::string out;
    const auto row = [&](const std::string& label, const std::string& text) {
        out += label + std::string(label.size() < 13 ? 13 - label.size() : 1, ' ') + text + "\n";
    };
    row("phrase:", "\"" + u(e.normalised) + "\"" + (e.normalised != e.typed ? " (typed \"" + u(e.typed) + "\")" : ""));
    row("censor:", e.censor ? "\"" + u(*e.censor) + "\" occurs in it" : "none");
    row("filter:", e.filter ? "\"" + u(*e.filter) + "\" occurs in it: the phrase is never learned" : "none");
    row("long input:", e.longInput ? "yes, " + std::to_string(e.normalised.size()) + " characters"
                                   : "no, " + std::to_string(e.normalised.size()) + " characters (the rule takes 110 or more)");
    if (e.after) {
        const int depth = engine::WordsLine(words[static_cast<std::size_t>(*e.after)]).depth() + 1;
        row("thread:", "after an answer from line " + std::to_string(*e.after) + "; branch lines of depth " +
                           std::to_string(depth) + " are tried first" +
                           (e.threadEnded ? ", none matches and the thread ends" : ""));
    }
    if (e.source == Explanation::Source::Censor) {
        row("answer:", "the censor rule, from Base/X.Dat, before the knowledge base is asked");
    } else {
        std::string label = "answer:";
        if (e.longInput) {
            row(label, "the long-input rule, from Base/BigString.Dat, on 4 draws of 6; on the others:");
            label.clear();
        }
        if (e.line) {
            const bool branch = e.source == Explanation::Source::FollowUp;
            row(label, std::string(branch ? "the follow-up search" : "the main scan") + ", Base/Words.Dat line " +
                           std::to_string(*e.line) + ": " + u(e.lineText));
            row("found:", marked(e));
            for (const FoundWord& word : e.words)
                row("", "\"" + u(word.word) + "\" at " + std::to_string(word.position));
            if (!e.alsoMatching.empty()) {
                std::string lines;
                for (const int line : e.alsoMatching)
                    lines += (lines.empty() ? "" : ", ") + std::to_string(line);
                row("also:", std::string(e.alsoMatching.size() == 1 ? "line " : "lines ") + lines +
                                 (e.alsoMatching.size() == 1 ? " matches too and loses" : " match too and lose") + " by file order");
            }
        } else {
            row(label, "the question rule: no line matches; a random line of " + e.fallbackFile +
                           (e.filter ? ", and nothing is learned"
                                     : ", and the phrase is learned (on a run's first turn only when that file holds it)"));
        }
    }
    if (e.whyNot)
        row("line " + std::to_string(e.whyNot->line) + ":", e.whyNot->reason);
    return out;
}

std::string explanationJson(const Explanation& e) {
    kb::JsonWriter json;
    json.beginObject()
        .key("phrase").value(u(e.typed))
        .key("normalised").value(u(e.normalised))
        .key("source").value(sourceName(e.source));
    json.key("line");
    if (e.line && e.source != Explanation::Source::Censor)
        json.value(*e.line);
    else
        json.null();
    json.key("text");
    if (e.line && e.source != Explanation::Source::Censor)
        json.value(u(e.lineText));
    else
        json.null();
    json.key("words").beginArray();
    for (const FoundWord& word : e.source == Explanation::Source::Censor ? std::vector<FoundWord>() : e.words)
        json.beginObject().key("word").value(u(word.word)).key("position").value(static_cast<long long>(word.position)).endObject();
    json.endArray();
    json.key("also_matching").beginArray();
    for (const int line : e.alsoMatching)
        json.value(line);
    json.endArray();
    json.key("censor");
    e.censor ? json.value(u(*e.censor)) : json.null();
    json.key("filter");
    e.filter ? json.value(u(*e.filter)) : json.null();
    json.key("long_input").value(e.longInput);
    json.key("after");
    e.after ? json.value(*e.after) : json.null();
    json.key("fallback_file").value(e.fallbackFile);
    if (e.whyNot) {
        json.key("why_not").beginObject().key("line").value(e.whyNot->line).key("answers").value(e.whyNot->answers)
            .key("reason").value(e.whyNot->reason).key("word");
        e.whyNot->word ? json.value(u(*e.whyNot->word)) : json.null();
        json.key("searched_from");
        e.whyNot->from ? json.value(static_cast<long long>(*e.whyNot->from)) : json.null();
        json.endObject();
    }
    json.endObject();
    return json.text() + "\n";
}

} // namespace workbench
