// The frame of a turn: taking and normalising the phrase, the echo, the order
// of the checks, and the common output that ends every turn.

#include "BuiltInLists.h"
#include "Conversation.h"

#include "kb/Cp1251.h"

namespace engine {
namespace {

const std::string kUserPrefix = "USER:     ";
const std::string kProgramPrefix = "CPU:     ";

// The exchange file ends every answer with a line break; the phrase does not
// include it, so that its end punctuation is seen.
std::string withoutTrailingBreaks(std::string text) {
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n'))
        text.pop_back();
    return text;
}

} // namespace

Conversation::Conversation(kb::FileStore& store, DialogueWindow& window, const Clock& clock)
    : store_(store), window_(window), clock_(clock) {
    Cenzura.assign(engine::censorList());
    Filter_nr.assign(engine::filterList());
}

void Conversation::addToDisplay(const std::string& text, LineStyle style) {
    // Text holding line breaks (a phrase from the exchange file) becomes
    // several display lines, as it becomes several transcript lines.
    std::size_t start = 0;
    for (std::size_t pos = 0; pos < text.size(); ++pos) {
        const char c = text[pos];
        if (c != '\r' && c != '\n')
            continue;
        window_.addDisplayLine(text.substr(start, pos - start), style);
        if (c == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n')
            ++pos;
        start = pos + 1;
    }
    window_.addDisplayLine(text.substr(start), style);
}

bool Conversation::speak() {
    std::string phrase;
    if (window_.cpuUserChecked())
        phrase = window_.inputText();
    if (window_.cpuCpuChecked())
        phrase = withoutTrailingBreaks(Exchange.text());
    // The send controls are disabled on an empty field; an empty exchange
    // text starts no turn either.
    if (phrase.empty())
        return false;

    report_ = TurnReport{};
    reseed();
    state_.Phrase = std::move(phrase);

    TurnValues turn;
    const int shown = window_.displayCount();
    if (shown >= 2)
        turn.PrevUserLine = window_.displayLine(shown - 2);
    window_.setBusyCursor(true);
    state_.ListIndex = 0;
    state_.CharPos = 0;
    state_.BranchText.clear();

    capitaliseFirstLetter(state_.Phrase);
    fixEndPunctuation(state_.Phrase);
    window_.playCue(Cue::UserPhrase);
    addToDisplay(state_.Phrase, LineStyle::User);
    Log.add(kUserPrefix + state_.Phrase);
    turn.EchoedPhrase = state_.Phrase;

    if (!repeatRule(turn) && !censorRule(turn)) {
        filterRule(turn);
        const int gate = random_.next(6) + 1;
        const bool lengthLooked = gate == 1 || gate == 3 || gate == 4 || gate == 5;
        if (!(lengthLooked && longInputRule(turn)) && !knowledgeBase(turn))
            questionRule(turn);
    }
    commonOutput();
    return true;
}

void Conversation::pick(const char* file, TurnValues& turn) {
    RE2.load(store_, file);
    turn.PickIndex = random_.next(RE2.count());
    state_.Reply = RE2.line(turn.PickIndex);
}

bool Conversation::repeatRule(TurnValues& turn) {
    if (kb::upperCase(state_.Phrase) != kb::upperCase(turn.PrevUserLine))
        return false;
    pick(files::Povtor, turn);
    report_.source = AnswerSource::Repeat;
    return true;
}

bool Conversation::censorRule(TurnValues& turn) {
    for (state_.ListIndex = 1; state_.ListIndex < Cenzura.count(); ++state_.ListIndex) {
        const std::string& entry = Cenzura.line(state_.ListIndex);
        state_.CharPos = static_cast<int>(entry.size());
        if (!findKeyword(state_.Phrase, entry))
            continue;
        pick(files::X, turn);
        report_.source = AnswerSource::Censor;
        const auto lock = store_.lock(files::Lock);
        RE2.load(store_, files::Collection);
        RE2.add(">>> " + state_.Phrase);
        RE2.save(store_, files::Collection);
        report_.learned.push_back(std::string("recorded in ") + files::Collection);
        return true;
    }
    return false;
}

void Conversation::filterRule(TurnValues& turn) {
    turn.FilterHit = 0;
    for (state_.ListIndex = 1; state_.ListIndex < Filter_nr.count(); ++state_.ListIndex) {
        const std::string& entry = Filter_nr.line(state_.ListIndex);
        state_.CharPos = static_cast<int>(entry.size());
        if (findKeyword(state_.Phrase, entry)) {
            turn.FilterHit = 1;
            return;
        }
    }
}

bool Conversation::longInputRule(TurnValues& turn) {
    if (state_.Phrase.size() < 110)
        return false;
    pick(files::BigString, turn);
    report_.source = AnswerSource::LongInput;
    return true;
}

void Conversation::commonOutput() {
    window_.playCue(Cue::Program);
    addToDisplay(state_.Reply, LineStyle::Program);
    Log.add(kProgramPrefix + state_.Reply);
    window_.setBusyCursor(false);

    if (random_.next(3) + 1 == 1) {
        window_.setTimerEnabled(Timer::T9, true);
        try {
            RE2.load(store_, files::AI);
        } catch (...) {
            // Armed, T9 would show a line of whatever file the scratch list
            // held (a raw Words.Dat line) as the program's remark.
            window_.setTimerEnabled(Timer::T9, false);
            throw;
        }
    } else {
        window_.setTimerEnabled(Timer::T9, false);
    }

    if (window_.cpuCpuChecked())
        Exchange.clear();
    if (window_.cpuCpuChecked())
        Exchange.add(state_.Reply);
    if (window_.cpuCpuChecked())
        Exchange.save(store_, window_.exchangePath());

    state_.PrevReply = state_.Reply;
    window_.setInputText(std::string());
    state_.IdleTicks = 0;
}

} // namespace engine
