// talkbase-kb: the workbench for the people who grow the knowledge base.
// It reads the base with the program's own storage and answers with the
// reply engine's own matching; only import writes to the base.

#include "KbHelp.h"

#include "engine/Random.h"
#include "kb/Cp1251.h"
#include "kb/FileError.h"
#include "kb/FileStore.h"
#include "workbench/Base.h"
#include "workbench/Cases.h"
#include "workbench/Check.h"
#include "workbench/Coverage.h"
#include "workbench/Explain.h"
#include "workbench/Journal.h"
#include "workbench/Stats.h"
#include "workbench/Transcript.h"
#include "workbench/Transfer.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace {

// Exit status.
constexpr int kSuccess = 0;
constexpr int kFound = 1;    // errors found, cases failed
constexpr int kTrouble = 2;  // bad arguments, a base that cannot be read

struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The command line after the command: options (with their values) and the
// other arguments, in order.
class Arguments {
public:
    Arguments(int argc, char** argv, int from, const std::map<std::string, bool>& known) {
        for (int i = from; i < argc; ++i) {
            const std::string argument = argv[i];
            if (argument == "--help" || argument == "-h") {
                help = true;
                continue;
            }
            if (argument.starts_with("--")) {
                const auto found = known.find(argument);
                if (found == known.end())
                    throw UsageError("unknown option " + argument);
                if (found->second) {
                    if (i + 1 >= argc)
                        throw UsageError(argument + " needs a value");
                    options_[argument] = argv[++i];
                } else {
                    options_[argument] = "";
                }
                continue;
            }
            positional.push_back(argument);
        }
    }

    bool has(const std::string& option) const { return options_.contains(option); }
    std::string value(const std::string& option, std::string fallback = {}) const {
        const auto found = options_.find(option);
        return found == options_.end() ? fallback : found->second;
    }
    std::optional<int> number(const std::string& option) const {
        if (!has(option))
            return std::nullopt;
        const std::string text = value(option);
        int result = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), result);
        if (error != std::errc() || end != text.data() + text.size() || result < 0)
            throw UsageError(option + " needs a whole number, not \"" + text + "\"");
        return result;
    }
    bool json() const {
        const std::string format = value("--format", "text");
        if (format != "text" && format != "json")
            throw UsageError("--format is text or json");
        return format == "json";
    }

    std::vector<std::string> positional;
    bool help = false;

private:
    std::map<std::string, std::string> options_;
};

std::uint32_t clockOption(const Arguments& args) {
    if (!args.has("--clock"))
        return workbench::kNoon;
    unsigned hours = 0, minutes = 0, seconds = 0, millis = 0;
    char tail = 0;
    const std::string text = args.value("--clock");
    if (std::sscanf(text.c_str(), "%2u:%2u:%2u.%3u%c", &hours, &minutes, &seconds, &millis, &tail) != 4 ||
        hours > 23 || minutes > 59 || seconds > 59)
        throw UsageError("--clock is HH:MM:SS.mmm");
    return ((hours * 60 + minutes) * 60 + seconds) * 1000 + millis;
}

std::filesystem::path workingDirectory(const Arguments& args) {
    const std::filesystem::path dir = args.value("--dir", ".");
    if (!workbench::hasBase(dir))
        throw UsageError("no Base directory in " + dir.string() + " (give the working directory with --dir)");
    return dir;
}

std::string readText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw UsageError("cannot read " + path);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

int check(const Arguments& args) {
    workbench::CheckOptions options;
    if (args.has("--words")) {
        const std::string text = readText(args.value("--words"));
        std::size_t start = 0;
        while (start < text.size()) {
            const std::size_t end = std::min(text.find('\n', start), text.size());
            options.extraWords.push_back(text.substr(start, end - start));
            start = end + 1;
        }
    }
    if (args.has("--kept"))
        options.keptKeys = workbench::keptKeysOf(readText(args.value("--kept")));
    const bool json = args.json();
    kb::FileStore store(workingDirectory(args));
    const auto findings = workbench::check(workbench::readBase(store), options);
    std::cout << (json ? workbench::findingsJson(findings) : workbench::formatFindings(findings));
    const bool errors = std::any_of(findings.begin(), findings.end(),
                                    [](const auto& f) { return f.severity == workbench::Severity::Error; });
    return errors ? kFound : kSuccess;
}

int explain(const Arguments& args) {
    if (args.positional.size() != 1)
        throw UsageError("explain takes one phrase (quote it)");
    const bool json = args.json();
    kb::FileStore store(workingDirectory(args));
    const kb::SharedLines words = store.read(workbench::wordsFile().programPath, kb::TextKind::Rich);
    workbench::ExplainRequest request{kb::utf8ToCp1251(args.positional.front()), args.number("--after"),
                                      args.number("--line")};
    if (request.phrase.empty())
        throw UsageError("the phrase is empty; the send controls are disabled on an empty field");
    try {
        const auto explanation = workbench::explain(*words, request);
        std::cout << (json ? workbench::explanationJson(explanation)
                           : workbench::formatExplanation(explanation, *words));
    } catch (const std::invalid_argument& error) {
        throw UsageError(error.what());
    }
    return kSuccess;
}

int test(const Arguments& args) {
    if (args.positional.empty())
        throw UsageError("test needs at least one cases file");
    const auto dir = workingDirectory(args);
    const std::uint32_t clock = clockOption(args);
    std::vector<workbench::CaseFile> files;
    bool unreadable = false;
    for (const std::string& path : args.positional) {
        files.push_back(workbench::parseCases(path, readText(path)));
        for (const std::string& error : files.back().errors) {
            std::cerr << error << '\n';
            unreadable = true;
        }
    }
    if (unreadable)
        return kTrouble;
    int passed = 0;
    int failed = 0;
    for (const auto& file : files) {
        const auto run = workbench::runCases(file, dir, clock);
        std::cout << run.report;
        passed += run.passed;
        failed += run.failed;
    }
    std::cout << passed << " passed, " << failed << " failed\n";
    return failed > 0 ? kFound : kSuccess;
}

std::vector<workbench::Dialogue> transcripts(const std::vector<std::string>& paths) {
    std::vector<workbench::Dialogue> all;
    for (const std::string& path : paths) {
        try {
            auto dialogues = workbench::readTranscript(path);
            all.insert(all.end(), dialogues.begin(), dialogues.end());
        } catch (const std::runtime_error& error) {
            throw UsageError(error.what());
        }
    }
    return all;
}

int record(const Arguments& args) {
    if (args.positional.size() != 1)
        throw UsageError("record takes one transcript");
    const auto dir = workingDirectory(args);
    const std::string cases =
        workbench::recordCases(transcripts(args.positional), dir, clockOption(args), args.positional.front());
    if (args.has("--output")) {
        std::ofstream out(args.value("--output"), std::ios::binary | std::ios::trunc);
        out << cases;
        if (!out.flush())
            throw UsageError("cannot write " + args.value("--output"));
    } else {
        std::cout << cases;
    }
    return kSuccess;
}

int stats(const Arguments& args) {
    const bool json = args.json();
    kb::FileStore store(workingDirectory(args));
    const auto stats = workbench::computeStats(store);
    std::cout << (json ? workbench::statsJson(stats) : workbench::formatStats(stats));
    return kSuccess;
}

int exportCommand(const Arguments& args) {
    if (args.positional.size() != 1)
        throw UsageError("export takes the directory to write into");
    kb::FileStore store(workingDirectory(args));
    const auto written = workbench::exportBase(store, args.positional.front());
    std::cout << "exported " << written.size() << " files into " << args.positional.front() << '\n';
    return kSuccess;
}

int importCommand(const Arguments& args) {
    if (args.positional.size() != 1)
        throw UsageError("import takes the directory to read from");
    kb::FileStore store(workingDirectory(args));
    const auto written = workbench::importBase(store, args.positional.front(), args.has("--plain"));
    for (const std::string& name : written)
        std::cout << "imported Base/" << name << '\n';
    if (written.empty())
        std::cout << "no knowledge-base file in " << args.positional.front() << '\n';
    return kSuccess;
}

int coverage(const Arguments& args) {
    if (args.positional.empty())
        throw UsageError("coverage needs at least one transcript");
    const auto dir = workingDirectory(args);
    const auto report = workbench::replayCoverage(transcripts(args.positional), dir, clockOption(args));
    std::cout << workbench::formatCoverage(report, args.number("--list").value_or(20));
    return kSuccess;
}

int learned(const Arguments& args) {
    const bool json = args.json();
    const std::string since = args.value("--since");
    if (args.has("--since") && (since.size() != 10 || since[4] != '-' || since[7] != '-'))
        throw UsageError("--since is a date, YYYY-MM-DD");
    kb::FileStore store(workingDirectory(args));
    auto entries = workbench::readLearned(store);
    std::erase_if(entries, [&](const workbench::JournalEntry& entry) { return entry.time.substr(0, 10) < since; });
    std::cout << (json ? workbench::learnedJson(entries) : workbench::formatLearned(entries));
    return kSuccess;
}

int forgetCommand(const Arguments& args) {
    workbench::ForgetRequest request;
    for (const std::string& text : args.positional) {
        long id = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), id);
        if (error != std::errc() || end != text.data() + text.size() || id <= 0)
            throw UsageError("\"" + text + "\" is no entry number");
        request.ids.push_back(id);
    }
    request.last = args.number("--last").value_or(0);
    request.withAnswers = args.has("--with-answers");
    if (request.ids.empty() && request.last == 0)
        throw UsageError("forget needs entry numbers or --last N");
    kb::FileStore store(workingDirectory(args));
    const auto outcome = workbench::forget(store, request);
    if (!outcome.unknownIds.empty()) {
        std::string ids;
        for (const long id : outcome.unknownIds)
            ids += (ids.empty() ? "" : ", ") + std::to_string(id);
        std::cerr << "talkbase-kb forget: no entry " << ids << " in Base/Learning.log; nothing was changed\n";
        return kTrouble;
    }
    for (const std::string& line : outcome.lines)
        std::cout << line << '\n';
    return outcome.complete ? kSuccess : kFound;
}

struct Command {
    int (*run)(const Arguments&);
    std::map<std::string, bool> options; // name: takes a value
};

const std::map<std::string, Command>& commands() {
    static const std::map<std::string, Command> all = {
        {"check", {check, {{"--dir", true}, {"--format", true}, {"--words", true}, {"--kept", true}}}},
        {"explain", {explain, {{"--dir", true}, {"--format", true}, {"--after", true}, {"--line", true}}}},
        {"test", {test, {{"--dir", true}, {"--clock", true}}}},
        {"record", {record, {{"--dir", true}, {"--clock", true}, {"--output", true}}}},
        {"stats", {stats, {{"--dir", true}, {"--format", true}}}},
        {"export", {exportCommand, {{"--dir", true}}}},
        {"import", {importCommand, {{"--dir", true}, {"--plain", false}}}},
        {"coverage", {coverage, {{"--dir", true}, {"--clock", true}, {"--list", true}}}},
        {"learned", {learned, {{"--dir", true}, {"--format", true}, {"--since", true}}}},
        {"forget", {forgetCommand, {{"--dir", true}, {"--last", true}, {"--with-answers", false}}}},
    };
    return all;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2 || std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h") {
        std::cout << kbhelp::overview();
        return argc < 2 ? kTrouble : kSuccess;
    }
    const std::string name = argv[1];
    const auto command = commands().find(name);
    if (command == commands().end()) {
        std::cerr << "talkbase-kb: unknown command \"" << name << "\"\n" << kbhelp::usage();
        return kTrouble;
    }
    try {
        const Arguments args(argc, argv, 2, command->second.options);
        if (args.help) {
            std::cout << kbhelp::command(name);
            return kSuccess;
        }
        return command->second.run(args);
    } catch (const UsageError& error) {
        std::cerr << "talkbase-kb " << name << ": " << error.what() << '\n' << kbhelp::usage(name);
        return kTrouble;
    } catch (const workbench::TransferError& error) {
        std::cerr << "talkbase-kb " << name << ": " << error.what() << "; nothing was written\n";
        return kFound;
    } catch (const kb::FileError& error) {
        std::cerr << "talkbase-kb " << name << ": " << kb::cp1251ToUtf8(kb::withFullStop(error.what())) << '\n';
        return kTrouble;
    } catch (const std::exception& error) {
        std::cerr << "talkbase-kb " << name << ": " << error.what() << '\n';
        return kTrouble;
    }
}
