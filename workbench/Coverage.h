#pragma once

// `talkbase-kb coverage`: the phrases of transcripts replayed through the
// engine on a copy of the base, to see which lines answer, which never do,
// and which phrases fall back to the question rule most: the best candidates
// for new lines.

#include "Transcript.h"

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace workbench {

struct CoverageReport {
    int phrases = 0;
    int fallbacks = 0;
    int guards = 0; // repeat, censor and long-input answers
    int errors = 0;
    // Lines of Words.Dat as they stood before the replay: how often each answered.
    std::map<int, int> answeredBy;
    std::vector<int> neverAnswered; // answered lines that never did
    std::vector<std::pair<std::string, int>> topFallbacks; // phrase (Windows-1251), times
    std::vector<std::string> lineText; // the lines before the replay
};

CoverageReport replayCoverage(const std::vector<Dialogue>& dialogues, const std::filesystem::path& workingDirectory,
                              std::uint32_t clockMilliseconds);

std::string formatCoverage(const CoverageReport& report, int listed);

} // namespace workbench
