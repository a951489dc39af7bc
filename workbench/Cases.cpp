#include "Cases.h"

#include "Names.h"

#include "engine/TextRules.h"
#include "kb/Cp1251.h"

#include <charconv>

namespace workbench {
namespace {

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
        text.remove_suffix(1);
    return text;
}

// The text between the first and the last double quote.
std::optional<std::string> quotedText(std::string_view text) {
    if (text.size() < 2 || text.front() != '"' || text.back() != '"')
        return std::nullopt;
    return std::string(text.substr(1, text.size() - 2));
}

std::optional<Expectation> parseExpectation(std::string_view text) {
    Expectation e;
    using Kind = Expectation::Kind;
    const auto word = text.substr(0, text.find(' '));
    const auto rest = trimmed(text.substr(word.size()));
    if (word == "line") {
        if (const auto part = quotedText(rest)) {
            e.kind = Kind::LinePart;
            e.text = kb::utf8ToCp1251(*part);
            return e;
        }
        const auto [end, error] = std::from_chars(rest.data(), rest.data() + rest.size(), e.line);
        if (error != std::errc() || end != rest.data() + rest.size() || e.line < 0)
            return std::nullopt;
        e.kind = Kind::Line;
        return e;
    }
    if (word == "text") {
        const auto answer = quotedText(rest);
        if (!answer)
            return std::nullopt;
        e.kind = Kind::Text;
        e.text = kb::utf8ToCp1251(*answer);
        return e;
    }
    if (!rest.empty())
        return std::nullopt;
    for (const auto& [name, kind] : {std::pair{"fallback", Kind::Fallback}, {"repeat", Kind::Repeat},
                                     {"censor", Kind::Censor}, {"long", Kind::Long}, {"any", Kind::Any}}) {
        if (word == name) {
            e.kind = kind;
            return e;
        }
    }
    return std::nullopt;
}

std::string describe(const Expectation& e) {
    using Kind = Expectation::Kind;
    switch (e.kind) {
    case Kind::Line:
        return "line " + std::to_string(e.line);
    case Kind::LinePart:
        return "line \"" + u(e.text) + "\"";
    case Kind::Text:
        return "text \"" + u(e.text) + "\"";
    case Kind::Fallback:
        return "fallback";
    case Kind::Repeat:
        return "repeat";
    case Kind::Censor:
        return "censor";
    case Kind::Long:
        return "long";
    case Kind::Any:
    case Kind::None:
        break;
    }
    return "any";
}

bool fromWords(const TurnResult& result) {
    return result.source == engine::AnswerSource::MainScan || result.source == engine::AnswerSource::FollowUp;
}

// The expectation that today's answer meets most closely.
std::string expectationOf(const TurnResult& result) {
    switch (result.source) {
    case engine::AnswerSource::Repeat:
        return "repeat";
    case engine::AnswerSource::Censor:
        return "censor";
    case engine::AnswerSource::LongInput:
        return "long";
    case engine::AnswerSource::QuestionRule:
        return "fallback";
    case engine::AnswerSource::FollowUp:
    case engine::AnswerSource::MainScan:
        return "line \"" + u(engine::WordsLine(result.lineText).phrasePart()) + "\"";
    case engine::AnswerSource::None:
        break;
    }
    return "any";
}

} // namespace

CaseFile parseCases(std::string name, std::string_view utf8) {
    CaseFile file;
    file.name = std::move(name);
    file.conversations.emplace_back();
    int number = 0;
    std::size_t start = 0;
    while (start <= utf8.size()) {
        std::size_t end = utf8.find('\n', start);
        if (end == std::string_view::npos)
            end = utf8.size();
        std::string_view line = utf8.substr(start, end - start);
        start = end + 1;
        ++number;
        if (number == 1 && line.starts_with("\xEF\xBB\xBF"))
            line.remove_prefix(3);
        const std::string_view text = trimmed(line);
        const auto where = file.name + ":" + std::to_string(number) + ": ";
        if (text.empty()) {
            if (!file.conversations.back().empty())
                file.conversations.emplace_back();
            continue;
        }
        if (text.front() == '#')
            continue;
        if (text.front() == '>') {
            const std::string_view phrase = trimmed(text.substr(1));
            if (phrase.empty() || !kb::isValidUtf8(phrase)) {
                file.errors.push_back(where + "a \">\" line types no phrase");
                continue;
            }
            Case typed;
            typed.phrase = kb::utf8ToCp1251(phrase);
            typed.phraseLine = number;
            file.conversations.back().push_back(std::move(typed));
            continue;
        }
        if (text.front() == '<') {
            auto& conversation = file.conversations.back();
            if (conversation.empty() || conversation.back().expected.kind != Expectation::Kind::None) {
                file.errors.push_back(where + "a \"<\" line without a \">\" line before it");
                continue;
            }
            const auto expected = parseExpectation(trimmed(text.substr(1)));
            if (!expected) {
                file.errors.push_back(where + "cannot read the expectation \"" + std::string(text) +
                                      "\" (line N, line \"PHRASE PART\", text \"EXACT\", fallback, repeat, censor, long or any)");
                continue;
            }
            conversation.back().expected = *expected;
            conversation.back().expectationLine = number;
            continue;
        }
        file.errors.push_back(where + "a line of the cases must begin with \">\", \"<\" or \"#\"");
    }
    if (file.conversations.back().empty())
        file.conversations.pop_back();
    return file;
}

bool meets(const TurnResult& result, const Expectation& e) {
    if (!result.error.empty())
        return false;
    using Kind = Expectation::Kind;
    switch (e.kind) {
    case Kind::None:
    case Kind::Any:
        return true;
    case Kind::Line:
        return fromWords(result) && result.line == e.line;
    case Kind::LinePart:
        return fromWords(result) && engine::WordsLine(result.lineText).phrasePart() == e.text;
    case Kind::Text:
        return result.reply == e.text;
    case Kind::Fallback:
        return result.source == engine::AnswerSource::QuestionRule;
    case Kind::Repeat:
        return result.source == engine::AnswerSource::Repeat;
    case Kind::Censor:
        return result.source == engine::AnswerSource::Censor;
    case Kind::Long:
        return result.source == engine::AnswerSource::LongInput;
    }
    return false;
}

CaseRun runCases(const CaseFile& cases, const std::filesystem::path& workingDirectory,
                 std::uint32_t clockMilliseconds) {
    CaseRun run;
    Sandbox sandbox(workingDirectory);
    for (const CaseConversation& conversation : cases.conversations) {
        Talk talk(sandbox, clockMilliseconds);
        for (const Case& typed : conversation) {
            const TurnResult result = talk.say(typed.phrase);
            if (typed.expected.kind == Expectation::Kind::None && result.error.empty())
                continue;
            if (meets(result, typed.expected)) {
                ++run.passed;
                continue;
            }
            ++run.failed;
            const int line = typed.expectationLine > 0 ? typed.expectationLine : typed.phraseLine;
            run.report += cases.name + ":" + std::to_string(line) + ": expected " + describe(typed.expected) +
                          ", got \"" + u(result.reply) + "\" (answered by " + describeSource(result) + ")\n";
        }
    }
    return run;
}

std::string recordCases(const std::vector<std::vector<std::string>>& dialogues,
                        const std::filesystem::path& workingDirectory, std::uint32_t clockMilliseconds,
                        const std::string& source) {
    std::string out = "# Recorded from " + source + ": today's answers, to keep them through an edit.\n";
    Sandbox sandbox(workingDirectory);
    for (const auto& dialogue : dialogues) {
        out += "\n";
        Talk talk(sandbox, clockMilliseconds);
        for (const std::string& phrase : dialogue) {
            const TurnResult result = talk.say(phrase);
            out += "> " + u(phrase) + "\n";
            if (result.error.empty())
                out += "< " + expectationOf(result) + "\n";
            else
                out += "# " + describeSource(result) + "\n";
        }
    }
    return out;
}

} // namespace workbench
