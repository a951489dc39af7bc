// Commands on the dialogue lists (undo, new dialogue, the Exit command's log
// block), the knowledge-base statistics and the read of the exchange file.

#include "Conversation.h"

#include "kb/Cp1251.h"

#include <algorithm>

namespace engine {

void Conversation::undo() {
    window_.deleteLastDisplayLine();
    Log.deleteLast();
    window_.setTimerEnabled(Timer::T7, true);
}

void Conversation::newDialogue() {
    window_.clearDisplay();
    Log.clear();
    window_.setInputText(std::string());
    window_.setTimerEnabled(Timer::T7, true);
    window_.setTimerEnabled(Timer::T10, true);
}

void Conversation::appendTranscriptToLog(const std::string& date, const std::string& time) {
    const auto lock = store_.lock(files::Lock);
    RE2.load(store_, files::WordsAtStart);
    const int learned = std::max(0, RE2.count() - 1);
    RE2.load(store_, files::Log);

    const std::string indent(22, ' ');
    RE2.add("");
    RE2.add(std::string(80, '-'));
    RE2.add(indent + std::string(30, '_'));
    RE2.add(indent + kb::utf8ToCp1251("Дата - ") + date + "   |   " +
            kb::utf8ToCp1251("Время - ") + time);
    RE2.add(indent + std::string(30, '~'));
    RE2.add(kb::utf8ToCp1251("//Загружено фраз выученных программой: ") + std::to_string(learned));
    for (const std::string& line : Log.lines())
        RE2.add(line);
    RE2.add(std::string(53, '='));
    RE2.save(store_, files::Log);
}

PhraseCounts Conversation::countPhrases() {
    RE2.load(store_, files::Words);
    PhraseCounts counts;
    for (int i = 1; i < RE2.count(); ++i) {
        const std::string& line = RE2.line(i);
        if (line.empty())
            continue; // not a phrase of either kind
        if (line.front() == '_')
            ++counts.branches;
        else
            ++counts.mainPhrases;
    }
    return counts;
}

int Conversation::incomingPhrases() {
    RE2.load(store_, files::Words);
    return std::max(0, RE2.count() - 1);
}

int Conversation::outgoingPhrases() {
    int total = 0;
    for (const char* file :
         {files::BigString, files::Pause, files::Povtor, files::W1, files::W2, files::X}) {
        RE2.load(store_, file);
        total += RE2.count();
    }
    RE2.load(store_, files::Words);
    for (int i = 1; i < RE2.count(); ++i) {
        const std::string& line = RE2.line(i);
        total += static_cast<int>(std::count(line.begin(), line.end(), ';'));
    }
    return total;
}

void Conversation::loadExchange() {
    Exchange.load(store_, window_.exchangePath());
}

} // namespace engine
