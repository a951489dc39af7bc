// The question rule, which always answers when the knowledge base did not,
// and the learning: the phrase as a future fallback answer in W1.Dat or
// W2.Dat, as a new line of Words.Dat, and as a new alternative of the line of
// the program's previous answer.

#include "Conversation.h"

#include "kb/Cp1251.h"

namespace engine {
namespace {

// The first line from 1 on whose phrase part is exactly `phrasePart`, or -1.
// Lines without "^" are not phrases and are passed over.
int findPhraseLine(const kb::LineList& list, const std::string& phrasePart, int& index) {
    for (index = 1; index < list.count(); ++index) {
        const WordsLine line(list.line(index));
        if (line.wellFormed() && line.phrasePart() == phrasePart)
            return index;
    }
    return -1;
}

} // namespace

void Conversation::questionRule(TurnValues& turn) {
    const bool question = state_.Phrase.back() == '?';
    const char* answers = question ? files::W1 : files::W2;
    pick(answers, turn);
    report_.source = AnswerSource::QuestionRule;
    if (turn.FilterHit == 1)
        return;

    // From the check whether the phrase is known to the last save, another
    // copy of the program sharing Base waits: its save would undo ours.
    const auto lock = store_.lock(files::Lock);
    // What was saved goes into the journal, also when a later step fails.
    std::vector<LearnedChange> saved;
    try {
        bool present = false;
        for (state_.ListIndex = 1; state_.ListIndex < RE2.count(); ++state_.ListIndex) {
            if (RE2.line(state_.ListIndex) == state_.Phrase) {
                present = true;
                break;
            }
        }
        if (!present) {
            if (state_.PrevReply.empty())
                return;
            const char* learnInto =
                state_.PrevReply.find('?') != std::string::npos ? files::W1 : files::W2;
            RE2.load(store_, learnInto);
            RE2.add(state_.Phrase);
            RE2.save(store_, learnInto);
            saved.push_back({LearnedChange::Kind::Fallback, learnInto, state_.Phrase, {}});
            report_.learned.push_back(std::string("added to ") + learnInto);
        }
        learnWords(turn, saved);
    } catch (...) {
        journalTurn(saved);
        throw;
    }
    journalTurn(saved);
}

void Conversation::journalTurn(const std::vector<LearnedChange>& saved) {
    if (!saved.empty() && !journal_.record(state_.Phrase, state_.PrevReply, saved))
        report_.journalError = journal_.error();
}

void Conversation::learnWords(TurnValues& turn, std::vector<LearnedChange>& saved) {
    RE2.load(store_, files::Words);
    if (findPhraseLine(RE2, kb::upperCase(state_.Phrase), state_.ListIndex) >= 0)
        return; // a known phrase, answered or not, is not learned again

    const std::string learned = kb::upperCase(turn.EchoedPhrase) + "^";
    RE2.add(learned);
    RE2.save(store_, files::Words);
    saved.push_back({LearnedChange::Kind::Phrase, files::Words, learned, {}});
    report_.learned.push_back(std::string("new line ") + std::to_string(RE2.count() - 1) +
                              " of " + files::Words + ": " + RE2.line(RE2.count() - 1));
    RE2.load(store_, files::Words);

    if (state_.PrevReply.empty())
        return;
    const int receiver = findPhraseLine(RE2, kb::upperCase(state_.PrevReply), state_.ListIndex);
    if (receiver < 0)
        return;
    RE2.load(store_, files::Words);
    const std::string extended = RE2.line(receiver) + state_.Phrase + ";";
    const std::string phrasePart(WordsLine(RE2.line(receiver)).phrasePart());
    RE2.deleteAt(receiver);
    RE2.add(extended);
    RE2.save(store_, files::Words);
    saved.push_back({LearnedChange::Kind::Answer, files::Words, state_.Phrase, phrasePart});
    report_.learned.push_back("answer attached to line " + std::to_string(receiver) +
                              ", now line " + std::to_string(RE2.count() - 1) + ": " + extended);
}

} // namespace engine
