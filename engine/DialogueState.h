#pragma once

// The program-wide dialogue variables, shared by the reply engine and the
// timers. They live for the whole run and change only where the turn and the
// timed steps change them. Strings are Windows-1251.

#include <string>

namespace engine {

struct DialogueState {
    std::string Phrase;    // incoming phrase of the current (or last) turn, normalised
    std::string Reply;     // answer of the current turn; also the last idle prompt or greeting
    std::string PrevReply; // answer of the last completed turn
    int IdleTicks = 0;     // idle seconds since the last turn ended
    int BranchDepth = 0;   // 0: no thread; d: look first at the branch lines of depth d
    int BranchLine = 0;    // Words.Dat line of the last knowledge-base answer

    // Scratch of one turn.
    int ListIndex = 0;
    int CharPos = 0;
    int MarkPos = 0;
    int AltChoice = 0;
    std::string BranchText;
};

// Values that exist only while one turn runs.
struct TurnValues {
    std::string PrevUserLine; // the display line before the last one, taken before the echo
    std::string EchoedPhrase; // the phrase exactly as shown
    int FilterHit = 0;
    int PickIndex = 0;
    int AltCount = 0;
};

} // namespace engine
