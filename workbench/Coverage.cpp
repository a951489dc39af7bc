#include "Coverage.h"

#include "Sandbox.h"

#include "engine/TextRules.h"
#include "kb/Cp1251.h"

#include <algorithm>
#include <cstdio>

namespace workbench {
namespace {

// Learning moves lines: an answered line goes to the end with one more
// alternative, a learned phrase is appended. `origin` follows each line of
// the copy back to its place before the replay (-1 for lines learned since).
void followMoves(const kb::Lines& before, const kb::Lines& after, std::vector<int>& origin) {
    if (before == after)
        return;
    std::size_t same = 0;
    while (same < before.size() && same < after.size() && before[same] == after[same])
        ++same;
    std::vector<int> next(origin.begin(), origin.begin() + static_cast<std::ptrdiff_t>(same));
    std::size_t rest = same;
    int moved = -1;
    std::string movedText;
    // One line removed at `same`, the others shifted up by one.
    if (same < before.size() && std::equal(before.begin() + static_cast<std::ptrdiff_t>(same) + 1, before.end(),
                                           after.begin() + static_cast<std::ptrdiff_t>(same),
                                           after.begin() + static_cast<std::ptrdiff_t>(std::min(after.size(), before.size() - 1)))) {
        moved = origin[same];
        movedText = before[same];
        for (std::size_t i = same + 1; i < before.size(); ++i)
            next.push_back(origin[i]);
        rest = before.size() - 1;
    } else {
        for (std::size_t i = same; i < before.size() && i < after.size(); ++i)
            next.push_back(origin[i]);
        rest = std::min(before.size(), after.size());
    }
    for (std::size_t i = rest; i < after.size(); ++i)
        next.push_back(moved >= 0 && after[i].starts_with(movedText) ? moved : -1);
    origin = std::move(next);
}

std::string percent(int part, int whole) {
    char text[16];
    std::snprintf(text, sizeof text, "%.1f %%", whole == 0 ? 0.0 : 100.0 * part / whole);
    return text;
}

} // namespace

CoverageReport replayCoverage(const std::vector<Dialogue>& dialogues, const std::filesystem::path& workingDirectory,
                              std::uint32_t clockMilliseconds) {
    CoverageReport report;
    Sandbox sandbox(workingDirectory);
    kb::Lines words = *sandbox.store().read(engine::files::Words, kb::TextKind::Rich);
    report.lineText = words;
    std::vector<int> origin(words.size());
    for (std::size_t i = 0; i < origin.size(); ++i)
        origin[i] = static_cast<int>(i);
    std::map<std::string, int> fallbacks;
    for (const Dialogue& dialogue : dialogues) {
        Talk talk(sandbox, clockMilliseconds);
        for (const std::string& phrase : dialogue) {
            const TurnResult result = talk.say(phrase);
            ++report.phrases;
            if (!result.error.empty()) {
                ++report.errors;
            } else if (result.source == engine::AnswerSource::QuestionRule) {
                ++report.fallbacks;
                ++fallbacks[phrase];
            } else if (result.line >= 0 && result.line < static_cast<int>(origin.size())) {
                const int line = origin[static_cast<std::size_t>(result.line)];
                if (line >= 0)
                    ++report.answeredBy[line];
            } else {
                ++report.guards;
            }
            const kb::Lines now = *sandbox.store().read(engine::files::Words, kb::TextKind::Rich);
            followMoves(words, now, origin);
            words = now;
        }
    }
    for (std::size_t i = 1; i < report.lineText.size(); ++i) {
        if (engine::WordsLine(report.lineText[i]).answered() && !report.answeredBy.contains(static_cast<int>(i)))
            report.neverAnswered.push_back(static_cast<int>(i));
    }
    report.topFallbacks.assign(fallbacks.begin(), fallbacks.end());
    std::stable_sort(report.topFallbacks.begin(), report.topFallbacks.end(),
                     [](const auto& a, const auto& b) { return a.second > b.second; });
    return report;
}

std::string formatCoverage(const CoverageReport& r, int listed) {
    std::string out;
    out += "phrases replayed: " + std::to_string(r.phrases) + "\n";
    int fromWords = 0;
    for (const auto& [line, times] : r.answeredBy)
        fromWords += times;
    out += "answered from Base/Words.Dat: " + std::to_string(fromWords) + " (" + percent(fromWords, r.phrases) + ")\n";
    out += "fallback answers (the question rule): " + std::to_string(r.fallbacks) + " (" +
           percent(r.fallbacks, r.phrases) + ")\n";
    out += "repeat, censor and long-input answers: " + std::to_string(r.guards) + "\n";
    if (r.errors > 0)
        out += "turns stopped by a file error: " + std::to_string(r.errors) + "\n";

    std::vector<std::pair<int, int>> byUse(r.answeredBy.begin(), r.answeredBy.end());
    std::stable_sort(byUse.begin(), byUse.end(), [](const auto& a, const auto& b) { return a.second > b.second; });
    out += "\nlines that answered, most used first:\n";
    for (std::size_t i = 0; i < byUse.size() && static_cast<int>(i) < listed; ++i)
        out += "  " + std::to_string(byUse[i].second) + "  Base/Words.Dat:" + std::to_string(byUse[i].first) + ": " +
               kb::cp1251ToUtf8(r.lineText[static_cast<std::size_t>(byUse[i].first)]) + "\n";
    if (static_cast<int>(byUse.size()) > listed)
        out += "  ... " + std::to_string(byUse.size() - static_cast<std::size_t>(listed)) + " more\n";

    out += "\nanswered lines that never answered: " + std::to_string(r.neverAnswered.size()) + "\n";
    for (std::size_t i = 0; i < r.neverAnswered.size() && static_cast<int>(i) < listed; ++i)
        out += "  Base/Words.Dat:" + std::to_string(r.neverAnswered[i]) + ": " +
               kb::cp1251ToUtf8(r.lineText[static_cast<std::size_t>(r.neverAnswered[i])]) + "\n";
    if (static_cast<int>(r.neverAnswered.size()) > listed)
        out += "  ... " + std::to_string(r.neverAnswered.size() - static_cast<std::size_t>(listed)) + " more\n";

    out += "\nphrases that fell back most often (candidates for new lines):\n";
    for (std::size_t i = 0; i < r.topFallbacks.size() && static_cast<int>(i) < listed; ++i)
        out += "  " + std::to_string(r.topFallbacks[i].second) + "  " + kb::cp1251ToUtf8(r.topFallbacks[i].first) + "\n";
    return out;
}

} // namespace workbench
