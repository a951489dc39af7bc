// The shipped knowledge base held to what its authors promise, through the
// workbench run as a program: its regression cases pass, check finds nothing
// that the matching would get wrong, and it keeps its size and variety.

#include "kb/Cp1251.h"
#include "kb/FileStore.h"
#include "kb/Json.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const fs::path kData = TALKBASE_DATA;
const fs::path kCases = TALKBASE_TEST_DATA;
const fs::path kNote = kData / "AUTHORING.md";

std::string quoted(const fs::path& path) {
    return "'" + path.string() + "'";
}

std::string textOf(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct Outcome {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs a shell command with its output in files of `scratch`.
Outcome run(const std::string& command, const TempDir& scratch) {
    const fs::path out = scratch.path() / "out.txt";
    const fs::path err = scratch.path() / "err.txt";
    const int status = std::system((command + " > " + quoted(out) + " 2> " + quoted(err)).c_str());
    Outcome result;
    if (status != -1 && WIFEXITED(status))
        result.exitCode = WEXITSTATUS(status);
    result.out = textOf(out);
    result.err = textOf(err);
    return result;
}

Outcome workbench(const std::string& arguments, const TempDir& scratch) {
    return run(quoted(TALKBASE_KB) + " " + arguments + " --dir " + quoted(kData), scratch);
}

std::vector<fs::path> caseFiles() {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(kCases)) {
        if (entry.path().extension() == ".cases")
            files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

double numberOf(const kb::JsonValue& object, std::string_view name) {
    const kb::JsonValue* member = object.member(name);
    return member && member->number() ? *member->number() : -1;
}

TEST(ShippedKnowledgeBase, RegressionCasesPass) {
    const std::vector<fs::path> files = caseFiles();
    ASSERT_GE(files.size(), 3u);
    std::size_t cases = 0;
    for (const fs::path& file : files) {
        std::ifstream in(file);
        for (std::string line; std::getline(in, line);)
            cases += line.starts_with("> ") ? 1 : 0;
    }
    EXPECT_GE(cases, 400u);

    TempDir scratch;
    for (const fs::path& file : files) {
        SCOPED_TRACE(file.filename().string());
        const Outcome result = workbench("test " + quoted(file), scratch);
        EXPECT_EQ(result.exitCode, 0) << result.out << result.err;
        EXPECT_NE(result.out.find(" passed, 0 failed"), std::string::npos) << result.out;
    }
}

// The Russian word forms of the dictionary, expanded at test time: a list
// far too large to keep in the repository.
fs::path russianWordForms(const TempDir& scratch) {
    const fs::path forms = scratch.path() / "ru_forms.txt";
    const std::string command = "unmunch /usr/share/hunspell/ru_RU.dic /usr/share/hunspell/ru_RU.aff > " +
                                quoted(forms) + " 2> /dev/null";
    EXPECT_EQ(std::system(command.c_str()), 0) << "hunspell-ru and hunspell-tools are needed";
    return forms;
}

TEST(ShippedKnowledgeBase, CheckFindsNothingThatMisfires) {
    TempDir scratch;
    const fs::path forms = russianWordForms(scratch);
    ASSERT_GT(fs::exists(forms) ? fs::file_size(forms) : 0, 10u * 1024 * 1024) << "too few word forms";

    const Outcome result = workbench("check --format json --words " + quoted(forms) + " --kept " + quoted(kNote),
                                 scratch);
    EXPECT_EQ(result.exitCode, 0) << result.err;
    const auto findings = kb::parseJson(result.out);
    ASSERT_TRUE(findings && findings->array()) << result.out << result.err;

    // Only questions left to the fallback answers may remain: the statistics below hold their share.
    std::string misfires;
    for (const kb::JsonValue& finding : *findings->array()) {
        if (finding.stringOr("code") == "unfollowed-question" && finding.stringOr("severity") == "warning")
            continue;
        misfires += "\n  " + finding.stringOr("file") + ":" +
                    std::to_string(static_cast<int>(numberOf(finding, "line"))) + ": " +
                    finding.stringOr("code") + ": " + finding.stringOr("message");
    }
    EXPECT_TRUE(misfires.empty()) << misfires;
}

// Cuts a main line's phrase part into words as the matching does: a word
// runs from its first character to the next blank after it.
void addWordsOf(std::string_view phrasePart, std::set<std::string, std::less<>>& words) {
    for (std::size_t start = 0; start < phrasePart.size();) {
        std::size_t end = phrasePart.find(' ', start + 1);
        if (end == std::string_view::npos)
            end = phrasePart.size();
        words.emplace(phrasePart.substr(start, end - start));
        start = end + 1;
    }
}

TEST(ShippedKnowledgeBase, TheAuthoringNoteKeepsOnlyKeysThatStillStand) {
    kb::FileStore store(kData);
    const kb::Lines lines = *store.read("Base\\Words.Dat", kb::TextKind::Rich);
    std::set<std::string, std::less<>> keys;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::string_view line = lines[i];
        const std::string_view phrasePart = line.substr(0, line.find('^'));
        const std::size_t depth = std::min(phrasePart.find_first_not_of('_'), phrasePart.size());
        if (depth > 0)
            keys.emplace(phrasePart.substr(depth));
        else
            addWordsOf(phrasePart, keys);
    }

    std::ifstream note(kNote);
    int kept = 0;
    std::string gone;
    for (std::string item; std::getline(note, item);) {
        if (!item.starts_with("- \""))
            continue;
        // - "KEY", "KEY": reason
        for (std::size_t open = 2; open < item.size() && item[open] == '"';) {
            const std::size_t close = item.find('"', open + 1);
            ASSERT_NE(close, std::string::npos) << item.substr(0, 80);
            const std::string key = kb::utf8ToCp1251(item.substr(open + 1, close - open - 1));
            ++kept;
            if (!keys.contains(key))
                gone += " \"" + kb::cp1251ToUtf8(key) + "\"";
            open = item.compare(close + 1, 3, ", \"") == 0 ? close + 3 : item.size();
        }
    }
    EXPECT_GT(kept, 0) << "no kept keys read from " << kNote;
    EXPECT_TRUE(gone.empty()) << "kept keys that no line holds any more:" << gone;
}

TEST(ShippedKnowledgeBase, HoldsItsSizeAndVariety) {
    TempDir scratch;
    const Outcome result = workbench("stats --format json", scratch);
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const auto parsed = kb::parseJson(result.out);
    ASSERT_TRUE(parsed && parsed->object()) << result.out;
    const kb::JsonValue& stats = *parsed;

    const double mainLines = numberOf(stats, "answered_main_lines");
    const double mainAlternatives = numberOf(stats, "main_alternatives");
    const double slots = mainAlternatives + numberOf(stats, "branch_alternatives");
    EXPECT_GE(numberOf(stats, "main_phrases"), 1500);
    EXPECT_GE(mainAlternatives, 4 * mainLines) << "alternatives per main line";
    EXPECT_GE(numberOf(stats, "threads"), 250);
    EXPECT_GE(numberOf(stats, "distinct_answers"), 0.6 * slots) << "of " << slots << " answer slots";
    EXPECT_GT(numberOf(stats, "asking_alternatives"), 0);
    EXPECT_LE(numberOf(stats, "unfollowed_asking"), 0.05 * numberOf(stats, "asking_alternatives"))
        << "questions that no branch line follows";
    EXPECT_EQ(numberOf(stats, "unanswered"), 0);

    const kb::JsonValue* files = stats.member("files");
    ASSERT_TRUE(files && files->object());
    const std::map<std::string, double> least = {{"Base/W1.Dat", 120},       {"Base/W2.Dat", 120},
                                                 {"Base/AI.dat", 100},       {"Base/Pause.Dat", 50},
                                                 {"Base/Begin.dat", 50},     {"Base/Povtor.Dat", 50},
                                                 {"Base/X.Dat", 50},         {"Base/BigString.Dat", 50}};
    for (const auto& [file, lines] : least)
        EXPECT_GE(numberOf(*files, file), lines) << file;
}

} // namespace
