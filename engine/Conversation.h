#pragma once

// The reply engine: one turn of the dialogue (the send button's handler), the
// timed steps that add lines between turns, and the commands on the dialogue
// lists. It owns the main window's hidden lists and reaches the visible window
// only through DialogueWindow. File errors are thrown as kb::FileError and
// leave done what was done before the failing step.

#include "DialogueState.h"
#include "DialogueWindow.h"
#include "Journal.h"
#include "Random.h"
#include "TextRules.h"
#include "kb/LineList.h"

#include <string>
#include <utility>
#include <vector>

namespace engine {

// The program's names of its files.
namespace files {
inline constexpr const char* Words = "Base\\Words.Dat";
inline constexpr const char* WordsAtStart = "Base\\Words.dat"; // as start-up and Exit spell it
inline constexpr const char* Povtor = "Base\\Povtor.Dat";
inline constexpr const char* X = "Base\\X.Dat";
inline constexpr const char* Collection = "Base\\Collection.Dat";
inline constexpr const char* BigString = "Base\\BigString.Dat";
inline constexpr const char* W1 = "Base\\W1.Dat";
inline constexpr const char* W2 = "Base\\W2.Dat";
inline constexpr const char* AI = "Base\\AI.dat";
inline constexpr const char* Begin = "Base\\Begin.dat";
inline constexpr const char* Pause = "Base\\Pause.Dat";
inline constexpr const char* Log = "Base\\Log.Brisol";
// Not a knowledge-base file: held by every step that loads, changes and saves
// one, so that two copies sharing Base lose none of each other's changes.
inline constexpr const char* Lock = "Base\\.talkbase-lock";
} // namespace files

// Which step of the turn gave the answer, for people who grow the knowledge base.
enum class AnswerSource { None, Repeat, Censor, LongInput, FollowUp, MainScan, QuestionRule };

struct TurnReport {
    AnswerSource source = AnswerSource::None;
    int wordsLine = -1;              // the Words.Dat line of a knowledge-base answer
    std::vector<std::string> learned; // what the turn wrote into the knowledge base
    std::string journalError;        // why the learning journal could not be written
};

struct PhraseCounts {
    int mainPhrases = 0;
    int branches = 0;
};

class Conversation {
public:
    Conversation(kb::FileStore& store, DialogueWindow& window, const Clock& clock);

    DialogueState& state() { return state_; }
    const DialogueState& state() const { return state_; }
    RandomGenerator& random() { return random_; }
    void reseed() { random_.seed(clock_.millisecondsSinceMidnight()); }

    kb::FileStore& store() { return store_; }
    LearningJournal& journal() { return journal_; }
    kb::LineList& scratch() { return RE2; }
    kb::LineList& transcript() { return Log; }
    kb::LineList& censorList() { return Cenzura; }
    kb::LineList& filterList() { return Filter_nr; }
    kb::LineList& exchangeBuffer() { return Exchange; }

    // One turn (the send button). An empty phrase starts no turn: false.
    bool speak();
    const TurnReport& lastTurn() const { return report_; }

    // Timer steps between turns. The idle prompt and the greeting say whether
    // they showed their line (false also when the tick had nothing to do).
    bool idleTick();     // T2
    void followUpTick(); // T9
    bool greetingTick(); // T10
    int followUpElapsed() const { return FollowUpElapsed; }
    // The window positions of one shake, drawn after re-seeding: (left, top).
    std::vector<std::pair<int, int>> drawShakeJumps();

    // Commands on the dialogue lists.
    void undo();        // Cancel, Ctrl+Z
    void newDialogue(); // "Новый диалог"
    // The Exit command's log step: appends one log block to Base\Log.Brisol.
    void appendTranscriptToLog(const std::string& date, const std::string& time);

    // Knowledge-base statistics; each loads the files it counts into RE2.
    PhraseCounts countPhrases();  // main lines and branch lines of Words.Dat, from line 1
    int incomingPhrases();        // lines of Words.Dat but the first
    int outgoingPhrases();        // lines of the answer files and the ";" of Words.Dat

    // The exchange step's read: the exchange file into the exchange buffer.
    void loadExchange();

private:
    // Turn steps.
    void addToDisplay(const std::string& text, LineStyle style);
    void pick(const char* file, TurnValues& turn);
    bool repeatRule(TurnValues& turn);
    bool censorRule(TurnValues& turn);
    void filterRule(TurnValues& turn);
    bool longInputRule(TurnValues& turn);
    bool knowledgeBase(TurnValues& turn);
    enum class FollowUp { Match, ThreadEnded };
    FollowUp followUpSearch(TurnValues& turn);
    bool mainScan(TurnValues& turn);
    void chooseAnswer(const WordsLine& line, TurnValues& turn);
    void questionRule(TurnValues& turn);
    void learnWords(TurnValues& turn, std::vector<LearnedChange>& saved);
    void journalTurn(const std::vector<LearnedChange>& saved);
    void commonOutput();

    kb::FileStore& store_;
    DialogueWindow& window_;
    const Clock& clock_;
    RandomGenerator random_;
    DialogueState state_;
    TurnReport report_;
    LearningJournal journal_{store_};
    int FollowUpElapsed = 0;

    // The main window's hidden lists.
    kb::LineList RE2{kb::TextKind::Rich};
    kb::LineList Log{kb::TextKind::Rich};
    kb::LineList Cenzura{kb::TextKind::Plain};
    kb::LineList Filter_nr{kb::TextKind::Plain};
    kb::LineList Exchange{kb::TextKind::Plain};
};

} // namespace engine
