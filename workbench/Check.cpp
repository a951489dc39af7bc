#include "Check.h"

#include "Grammar.h"
#include "InsideWords.h"
#include "Names.h"
#include "Shadowing.h"

#include "engine/TextRules.h"
#include "kb/Cp1251.h"
#include "kb/Json.h"

#include <algorithm>
#include <map>
#include <set>

namespace workbench {

const char* const kCertaintyRule =
    "shadowed and censored are reported only when certain. A main line is shadowed when one\n"
    "earlier answered main line catches every phrase that it catches; a branch line when an\n"
    "earlier branch line of the same depth, which the follow-up search always tries first,\n"
    "does; a line is censored when one entry of the built-in censor list catches every phrase\n"
    "that it catches. \"Every phrase\" is decided exactly, with the program's own keyword\n"
    "search, over everything a user can send: any text without ^ _ ; @, upper-cased, ending\n"
    "in '.', '!' or '?'. Phrases caught only by several lines together are not counted.";

namespace {

std::string inQuotes(std::string_view cp1251) {
    return "\"" + u(cp1251) + "\"";
}

bool isSmallLetter(char c) {
    const auto b = static_cast<unsigned char>(c);
    return (b >= 'a' && b <= 'z') || b >= 0xE0 || b == 0xB8;
}

struct Checker {
    std::string file;
    std::vector<Finding>& findings;

    void add(int line, Severity severity, const char* code, std::string message,
             std::optional<int> other = std::nullopt) {
        findings.push_back({file, line, severity, code, std::move(message), other});
    }
    void error(int line, const char* code, std::string message) {
        add(line, Severity::Error, code, std::move(message));
    }
    void warning(int line, const char* code, std::string message) {
        add(line, Severity::Warning, code, std::move(message));
    }
};

void checkWords(const kb::Lines& words, Checker& checker) {
    std::vector<bool> depthSeen; // since the last main line
    for (std::size_t i = 1; i < words.size(); ++i) {
        const int index = static_cast<int>(i);
        const std::string& text = words[i];
        if (text.empty()) {
            checker.error(index, "empty-line", "an empty line; every line after the header holds a phrase");
            continue;
        }
        const engine::WordsLine line(text);
        if (!line.wellFormed()) {
            checker.error(index, "no-caret", "no \"^\" ends the phrase part, so the line is no phrase");
            continue;
        }
        const int depth = line.depth();
        const std::string_view key = line.phrasePart().substr(static_cast<std::size_t>(depth));
        if (depth == 0) {
            depthSeen.assign(1, true);
        } else {
            if (static_cast<int>(depthSeen.size()) < depth || !depthSeen[static_cast<std::size_t>(depth - 1)])
                checker.error(index, "orphan-branch",
                              "a branch line of depth " + std::to_string(depth) + " without a line of depth " +
                                  std::to_string(depth - 1) + " above it since the last main line: it never answers");
            if (static_cast<int>(depthSeen.size()) <= depth)
                depthSeen.resize(static_cast<std::size_t>(depth) + 1, false);
            depthSeen[static_cast<std::size_t>(depth)] = true;
        }
        if (key.find(';') != std::string_view::npos)
            checker.error(index, "semicolon-in-key", "the phrase part holds \";\", which separates answers");
        if (const auto small = std::find_if(key.begin(), key.end(), isSmallLetter); small != key.end())
            checker.error(index, "lowercase-key",
                          "the small letter \"" + u(std::string_view(&*small, 1)) +
                              "\" in the phrase part never matches: phrases are compared in capitals");

        std::string_view answers = line.text.substr(line.caret + 1);
        if (!answers.empty() && answers.back() == '@') {
            if (depth > 0)
                checker.error(index, "leave-on-branch", "\"@\" on a branch line never ends the dialogue");
            answers.remove_suffix(1);
        }
        if (answers.empty()) {
            checker.warning(index, "unanswered",
                            depth == 0 ? "a learned phrase waiting for its first answer"
                                       : "a branch line without answers never answers");
            continue;
        }
        const AnswerList list = splitAnswers(answers);
        if (!list.rest.empty())
            checker.error(index, "unclosed-answer",
                          "\"" + u(list.rest) + "\" after the last \";\" is no answer: end it with \";\"");
        std::set<std::string_view> seen;
        bool reportedEmpty = false;
        std::vector<std::string_view> asking;
        for (const auto alternative : list.alternatives) {
            if (alternative.empty() && !reportedEmpty) {
                checker.error(index, "empty-alternative", "an empty answer between two \";\"");
                reportedEmpty = true;
            }
            if (!alternative.empty() && !seen.insert(alternative).second)
                checker.warning(index, "duplicate-alternative", "the answer " + inQuotes(alternative) + " stands twice");
            if (asks(alternative) && std::find(asking.begin(), asking.end(), alternative) == asking.end())
                asking.push_back(alternative);
        }
        if (!asking.empty() && !branchFollows(words, index, depth + 1)) {
            std::string message = "asks " + inQuotes(asking.front());
            if (asking.size() > 1)
                message += " (and " + std::to_string(asking.size() - 1) + " more)";
            message += " but no branch line of depth " + std::to_string(depth + 1) + " follows to take the answer";
            checker.warning(index, "unfollowed-question", std::move(message));
        }
    }
}

void checkOtherFile(const BaseContent& content, Checker& checker) {
    const kb::Lines& lines = *content.lines;
    switch (content.file->role) {
    case FileRole::Answers:
        if (lines.empty())
            checker.error(0, "empty-answer-file", "the file holds no line: every answer from it is empty");
        break;
    case FileRole::FollowUps:
        if (lines.size() < 2)
            checker.error(0, "no-follow-up-lines",
                          "fewer than two lines: line 0 is never shown, so every follow-up remark is empty");
        for (std::size_t i = 1; i < lines.size(); ++i) {
            if (asks(lines[i]))
                checker.warning(static_cast<int>(i), "unfollowed-question",
                                "the remark " + inQuotes(lines[i]) + " asks, but no thread follows a remark");
        }
        break;
    case FileRole::Words:
    case FileRole::Record:
        break;
    }
}

} // namespace

std::vector<Finding> check(const std::vector<BaseContent>& base, const CheckOptions& options) {
    std::vector<Finding> findings;
    for (const BaseContent& content : base) {
        Checker checker{content.file->displayName(), findings};
        if (content.file->role == FileRole::Words) {
            checkWords(*content.lines, checker);
            findShadowed(checker.file, *content.lines, findings);
            findCensored(checker.file, *content.lines, findings);
        } else {
            checkOtherFile(content, checker);
        }
    }
    findKeysInsideWords(base, options, findings);

    std::map<std::string, int> fileOrder;
    for (const BaseFile& file : baseFiles())
        fileOrder.emplace(file.displayName(), static_cast<int>(fileOrder.size()));
    std::stable_sort(findings.begin(), findings.end(), [&](const Finding& a, const Finding& b) {
        return std::pair(fileOrder[a.file], a.line) < std::pair(fileOrder[b.file], b.line);
    });
    return findings;
}

std::vector<std::string> keptKeysOf(std::string_view note) {
    std::vector<std::string> keys;
    std::size_t start = 0;
    while (start < note.size()) {
        const std::size_t end = std::min(note.find('\n', start), note.size());
        std::string_view item = note.substr(start, end - start);
        start = end + 1;
        if (!item.starts_with("- \""))
            continue;
        // - "KEY", "KEY": reason
        item.remove_prefix(2);
        while (item.starts_with('"')) {
            const std::size_t close = item.find('"', 1);
            if (close == std::string_view::npos)
                break;
            keys.push_back(kb::utf8ToCp1251(item.substr(1, close - 1)));
            item.remove_prefix(close + 1);
            if (!item.starts_with(", \""))
                break;
            item.remove_prefix(2);
        }
    }
    return keys;
}

std::string formatFindings(const std::vector<Finding>& findings) {
    std::string out;
    int errors = 0;
    int warnings = 0;
    for (const Finding& finding : findings) {
        const bool error = finding.severity == Severity::Error;
        (error ? errors : warnings) += 1;
        out += finding.file + ":" + std::to_string(finding.line) + ": " + (error ? "error" : "warning") + ": " +
               finding.code + ": " + finding.message + "\n";
    }
    out += std::to_string(errors) + (errors == 1 ? " error, " : " errors, ") + std::to_string(warnings) +
           (warnings == 1 ? " warning" : " warnings") + "\n";
    return out;
}

std::string findingsJson(const std::vector<Finding>& findings) {
    kb::JsonWriter json;
    json.beginArray();
    for (const Finding& finding : findings) {
        json.beginObject()
            .key("file").value(finding.file)
            .key("line").value(finding.line)
            .key("severity").value(finding.severity == Severity::Error ? "error" : "warning")
            .key("code").value(finding.code)
            .key("message").value(finding.message);
        if (finding.otherLine)
            json.key("other_line").value(*finding.otherLine);
        json.endObject();
    }
    json.endArray();
    return json.text() + "\n";
}

} // namespace workbench
