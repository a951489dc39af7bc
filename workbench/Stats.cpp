#include "Stats.h"

#include "Grammar.h"
#include "kb/Json.h"

#include "engine/Conversation.h"
#include "engine/HeadlessWindow.h"
#include "engine/TextRules.h"

#include <cstdio>
#include <set>

namespace workbench {
namespace {

std::string share(int part, int whole) {
    if (whole == 0)
        return "-";
    char text[16];
    std::snprintf(text, sizeof text, "%.1f %%", 100.0 * part / whole);
    return text;
}

std::string average(int total, int count) {
    if (count == 0)
        return "-";
    char text[16];
    std::snprintf(text, sizeof text, "%.2f", static_cast<double>(total) / count);
    return text;
}

} // namespace

Stats computeStats(kb::FileStore& store) {
    Stats stats;
    // The window's own figures, from the engine that gives them to it.
    engine::HeadlessWindow window;
    engine::FixedClock clock(0);
    engine::Conversation conversation(store, window, clock);
    const engine::PhraseCounts counts = conversation.countPhrases();
    stats.mainPhrases = counts.mainPhrases;
    stats.branches = counts.branches;
    stats.incoming = conversation.incomingPhrases();
    stats.outgoing = conversation.outgoingPhrases();
    stats.total = stats.incoming + stats.outgoing;

    for (const BaseContent& content : readBase(store)) {
        stats.fileLines.emplace_back(content.file->displayName(), static_cast<int>(content.lines->size()));
        if (content.file->role == FileRole::FollowUps) {
            // No thread follows a remark: a remark that asks is never followed.
            for (std::size_t i = 1; i < content.lines->size(); ++i) {
                const int asking = asks((*content.lines)[i]) ? 1 : 0;
                stats.askingAlternatives += asking;
                stats.unfollowedAsking += asking;
            }
        }
        if (content.file->role != FileRole::Words)
            continue;
        const kb::Lines& words = *content.lines;
        std::set<std::string_view> distinct;
        int threadDepth = -1; // the deepest branch of the current main line; -1 before the first
        const auto endThread = [&] {
            if (threadDepth > 0) {
                ++stats.threads;
                ++stats.threadsByDepth[threadDepth];
                stats.deepest = std::max(stats.deepest, threadDepth);
            }
        };
        std::vector<int> askingLines; // lines with an asking alternative, by depth
        for (std::size_t i = 1; i < words.size(); ++i) {
            const engine::WordsLine line(words[i]);
            if (!line.wellFormed())
                continue;
            const int depth = line.depth();
            if (depth == 0) {
                endThread();
                threadDepth = 0;
                if (line.caret + 1 == line.text.size())
                    ++stats.unanswered;
            } else if (threadDepth >= 0) {
                threadDepth = std::max(threadDepth, depth);
            }
            if (!line.answered())
                continue;
            const AnswerList list = splitAnswers(line.text.substr(line.caret + 1));
            const int alternatives = static_cast<int>(list.alternatives.size());
            bool asking = false;
            for (const auto alternative : list.alternatives) {
                distinct.insert(alternative);
                if (asks(alternative)) {
                    ++stats.askingAlternatives;
                    asking = true;
                }
            }
            if (asking)
                askingLines.push_back(static_cast<int>(i));
            stats.mostAlternatives = std::max(stats.mostAlternatives, alternatives);
            if (depth == 0) {
                ++stats.answeredMainLines;
                stats.mainAlternatives += alternatives;
            } else {
                stats.branchAlternatives += alternatives;
            }
        }
        endThread();
        stats.distinctAnswers = static_cast<int>(distinct.size());
        // An asking alternative is followed when a branch line one level
        // deeper follows its line before the next main line.
        for (const int index : askingLines) {
            const engine::WordsLine line(words[static_cast<std::size_t>(index)]);
            if (branchFollows(words, index, line.depth() + 1))
                continue;
            for (const auto alternative : splitAnswers(line.text.substr(line.caret + 1)).alternatives)
                stats.unfollowedAsking += asks(alternative) ? 1 : 0;
        }
    }
    return stats;
}

std::string formatStats(const Stats& s) {
    std::string out;
    const auto row = [&](const std::string& label, const std::string& value) {
        out += label + std::string(label.size() < 34 ? 34 - label.size() : 1, ' ') + value + "\n";
    };
    row("main phrases:", std::to_string(s.mainPhrases));
    row("branches:", std::to_string(s.branches));
    row("incoming phrases:", std::to_string(s.incoming));
    row("outgoing phrases:", std::to_string(s.outgoing));
    row("total:", std::to_string(s.total));
    std::string depths;
    for (const auto& [depth, count] : s.threadsByDepth)
        depths += (depths.empty() ? "deepest branch: " : ", ") + std::to_string(count) + " at depth " + std::to_string(depth);
    row("threads:", std::to_string(s.threads) + (depths.empty() ? "" : " (" + depths + ")"));
    row("alternatives per main line:", average(s.mainAlternatives, s.answeredMainLines));
    row("most alternatives on a line:", std::to_string(s.mostAlternatives));
    const int slots = s.mainAlternatives + s.branchAlternatives;
    row("distinct answers:", std::to_string(s.distinctAnswers) + " of " + std::to_string(slots) + " (" +
                                 share(s.distinctAnswers, slots) + ")");
    row("alternatives that ask:", std::to_string(s.askingAlternatives) + ", unfollowed " +
                                      std::to_string(s.unfollowedAsking) + " (" +
                                      share(s.unfollowedAsking, s.askingAlternatives) + ")");
    row("learned, still unanswered:", std::to_string(s.unanswered));
    for (const auto& [file, lines] : s.fileLines)
        row(file + ":", std::to_string(lines) + (lines == 1 ? " line" : " lines"));
    return out;
}

std::string statsJson(const Stats& s) {
    kb::JsonWriter json;
    json.beginObject()
        .key("main_phrases").value(s.mainPhrases)
        .key("branches").value(s.branches)
        .key("incoming").value(s.incoming)
        .key("outgoing").value(s.outgoing)
        .key("total").value(s.total)
        .key("threads").value(s.threads)
        .key("threads_by_depth").beginObject();
    for (const auto& [depth, count] : s.threadsByDepth)
        json.key(std::to_string(depth)).value(count);
    json.endObject()
        .key("deepest_thread").value(s.deepest)
        .key("answered_main_lines").value(s.answeredMainLines)
        .key("main_alternatives").value(s.mainAlternatives)
        .key("branch_alternatives").value(s.branchAlternatives)
        .key("most_alternatives").value(s.mostAlternatives)
        .key("distinct_answers").value(s.distinctAnswers)
        .key("asking_alternatives").value(s.askingAlternatives)
        .key("unfollowed_asking").value(s.unfollowedAsking)
        .key("unanswered").value(s.unanswered)
        .key("files").beginObject();
    for (const auto& [file, lines] : s.fileLines)
        json.key(file).value(lines);
    json.endObject().endObject();
    return json.text() + "\n";
}

} // namespace workbench
