// Looking the phrase up in Words.Dat: the follow-up search along a dialogue
// thread, the main scan, and the choice of one alternative of the line found.

#include "Conversation.h"
#include "Lookup.h"

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
    RE2.load(store_, files::Words);
    state_.BranchText.clear();
    const FollowUpOutcome found =
        followUpLine(RE2.lines(), kb::upperCase(state_.Phrase), state_.BranchDepth, state_.BranchLine);
    state_.BranchLine = found.line;
    if (found.kind != FollowUpOutcome::Kind::Match) {
        // Ended at the end of the file too: otherwise an answer from the last
        // line would keep every later phrase of the run from the main scan.
        state_.BranchDepth = 0;
        return FollowUp::ThreadEnded;
    }
    const WordsLine line(RE2.line(found.line));
    state_.MarkPos = line.depth();
    chooseAnswer(line, turn);
    state_.BranchDepth += 1;
    report_.source = AnswerSource::FollowUp;
    report_.wordsLine = found.line;
    return FollowUp::Match;
}

bool Conversation::mainScan(TurnValues& turn) {
    RE2.load(store_, files::Words);
    const int found = mainScanLine(RE2.lines(), kb::upperCase(state_.Phrase));
    state_.ListIndex = found >= 0 ? found : RE2.count();
    if (found < 0)
        return false;
    const WordsLine line(RE2.line(found));
    chooseAnswer(line, turn);
    state_.BranchDepth += 1;
    state_.BranchLine = found;
    window_.setTimerEnabled(Timer::T4, line.endsInLeaveMarker());
    report_.source = AnswerSource::MainScan;
    report_.wordsLine = found;
    return true;
}

void Conversation::chooseAnswer(const WordsLine& line, TurnValues& turn) {
    state_.AltChoice = random_.next(line.alternativeCount()) + 1;
    state_.CharPos = 0;
    state_.Reply = std::string(line.alternative(state_.AltChoice, turn.AltCount));
}

} // namespace engine
