#pragma once

// `talkbase-kb stats`: the window's statistics of the knowledge base and
// more about its shape: threads, alternatives, learned lines, variety.

#include "Base.h"

#include <map>
#include <string>
#include <vector>

namespace workbench {

struct Stats {
    // As the window shows them (status bar and the "Система" menu).
    int mainPhrases = 0;
    int branches = 0;
    int incoming = 0;
    int outgoing = 0;
    int total = 0;
    // Threads: main lines followed by branch lines; by their deepest branch.
    int threads = 0;
    std::map<int, int> threadsByDepth;
    int deepest = 0;
    // Alternatives of the lines that answer.
    int answeredMainLines = 0;
    int mainAlternatives = 0;
    int branchAlternatives = 0;
    int mostAlternatives = 0;
    int distinctAnswers = 0; // distinct alternative texts among all of them
    int askingAlternatives = 0; // of Words.Dat and the remarks of AI.dat
    int unfollowedAsking = 0;   // of them, on lines that no branch line follows, and remarks
    int unanswered = 0;       // learned phrases still waiting for an answer
    std::vector<std::pair<std::string, int>> fileLines; // "Base/W1.Dat", lines
};

// Throws kb::FileError for a file that cannot be read.
Stats computeStats(kb::FileStore& store);

std::string formatStats(const Stats& stats);
std::string statsJson(const Stats& stats);

} // namespace workbench
