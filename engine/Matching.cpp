// Looking the phrase up in Words.Dat: the follow-up search along a dialogue
// thread, the main scan, and the choice of one alternative of the line found.

#include "Conversation.h"

#include "kb/Cp1251.h"

namespace engine {

bool Conversation::knowledgeBase(TurnValues& turn) {
    // A follow-up search that finds no branch line has ended the thread
    // (at a main line or at the end of the file); the main scan then runs in
    // the same turn.
    if (state_.BranchDepth >= 1 && followUpSearch(turn) == FollowUp::Match)
        return true;
    return mainScan(turn);
}

Conversation::FollowUp Conversation::followUpSearch(TurnValues& turn) {
    const int depth = state_.BranchDepth;
    // The file is loaded for every line examined; within this one step the
    // store checks it against the file system once.
    const kb::FileStore::SteadySpan steady(store_);
    for (;;) {
        RE2.load(store_, files::Words);
        state_.BranchText.clear();
        ++state_.BranchLine;
        if (state_.BranchLine >= RE2.count()) {
            // Without ending the thread here, an answer from the last line
            // would keep every later phrase of the run from the main scan.
            state_.BranchDepth = 0;
            return FollowUp::ThreadEnded;
        }
        const WordsLine line(RE2.line(state_.BranchLine));
        if (!line.wellFormed())
            continue; // not a line of the grammar: passed over
        state_.MarkPos = line.depth();
        if (state_.MarkPos == 0) {
            state_.BranchDepth = 0;
            return FollowUp::ThreadEnded;
        }
        if (state_.MarkPos != depth)
            continue;
        state_.BranchText = std::string(line.text.substr(
            static_cast<std::size_t>(state_.MarkPos), line.caret - static_cast<std::size_t>(state_.MarkPos)));
        if (!line.answered())
            continue;
        if (!findKeyword(state_.Phrase, state_.BranchText))
            continue;
        chooseAnswer(line, turn);
        state_.BranchDepth = depth + 1;
        state_.BranchText.clear();
        report_.source = AnswerSource::FollowUp;
        report_.wordsLine = state_.BranchLine;
        return FollowUp::Match;
    }
}

bool Conversation::mainScan(TurnValues& turn) {
    RE2.load(store_, files::Words);
    const std::string capitals = kb::upperCase(state_.Phrase);
    for (state_.ListIndex = 1; state_.ListIndex < RE2.count(); ++state_.ListIndex) {
        const WordsLine line(RE2.line(state_.ListIndex));
        if (!line.answered() || !wordsFoundInCapitals(capitals, line.phrasePart()))
            continue;
        chooseAnswer(line, turn);
        state_.BranchDepth += 1;
        state_.BranchLine = state_.ListIndex;
        window_.setTimerEnabled(Timer::T4, line.endsInLeaveMarker());
        report_.source = AnswerSource::MainScan;
        report_.wordsLine = state_.ListIndex;
        return true;
    }
    return false;
}

void Conversation::chooseAnswer(const WordsLine& line, TurnValues& turn) {
    state_.AltChoice = random_.next(line.alternativeCount()) + 1;
    state_.CharPos = 0;
    state_.Reply = std::string(line.alternative(state_.AltChoice, turn.AltCount));
}

} // namespace engine
