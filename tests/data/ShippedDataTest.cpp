// The knowledge base, sounds and history text that ship with the program:
// read with the program's own storage and held to the grammar of Words.Dat,
// and tried on the console driver.

#include "kb/Cp1251.h"
#include "kb/FileStore.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const fs::path kData = TALKBASE_DATA;

std::string bytesOf(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

kb::Lines linesOf(const std::string& name) {
    kb::FileStore store(kData);
    return *store.read(name, kb::TextKind::Rich);
}

std::vector<std::string> utf8Lines(const fs::path& file) {
    std::vector<std::string> lines;
    std::ifstream in(file);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line[0] != '#')
            lines.push_back(line);
    }
    return lines;
}

bool hasSmallLetter(std::string_view text) {
    return std::any_of(text.begin(), text.end(), [](char c) { return kb::upperCase(c) != c; });
}

// Every shipped text file is Windows-1251 with CR LF after every line.
void expectWindows1251WithCrLf(const fs::path& file) {
    const std::string bytes = bytesOf(file);
    SCOPED_TRACE(file.filename().string());
    EXPECT_FALSE(bytes.empty());
    EXPECT_TRUE(bytes.size() < 2 || bytes.substr(bytes.size() - 2) == "\r\n");
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n') {
            ASSERT_TRUE(i > 0 && bytes[i - 1] == '\r') << "a lone line feed at byte " << i;
        }
        if (bytes[i] == '\r') {
            ASSERT_TRUE(i + 1 < bytes.size() && bytes[i + 1] == '\n') << "a lone CR at byte " << i;
        }
    }
    const bool nonAscii = std::any_of(bytes.begin(), bytes.end(),
                                      [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
    EXPECT_TRUE(nonAscii) << "no Russian text";
    EXPECT_FALSE(kb::isValidUtf8(bytes)) << "UTF-8, not Windows-1251";
}

TEST(ShippedData, TextFilesAreWindows1251WithCrLf) {
    for (const char* name : {"Words.Dat", "W1.Dat", "W2.Dat", "Povtor.Dat", "X.Dat", "BigString.Dat",
                             "Pause.Dat", "Begin.dat", "AI.dat"})
        expectWindows1251WithCrLf(kData / "Base" / name);
    expectWindows1251WithCrLf(kData / "ReadMe.Txt");
    EXPECT_TRUE(fs::exists(kData / "Base" / "Collection.Dat"));
    ASSERT_TRUE(fs::exists(kData / "Base" / "Log.Brisol"));
    EXPECT_EQ(fs::file_size(kData / "Base" / "Log.Brisol"), 0u);
    const std::string history = kb::cp1251ToUtf8(bytesOf(kData / "ReadMe.Txt"));
    EXPECT_NE(history.find("2.2.0.7"), std::string::npos);
}

TEST(ShippedData, WordsDatKeepsTheGrammar) {
    const kb::Lines words = linesOf("Base\\Words.Dat");
    ASSERT_GT(words.size(), 1u);
    int mainLines = 0, alternatives = 0, leaveMarkers = 0;
    // Threads: main lines with branch lines, and how deep they go.
    std::array<int, 4> threadsReaching{};
    int deepestSinceMain = 0;
    for (std::size_t i = 1; i < words.size(); ++i) {
        std::string_view line = words[i];
        SCOPED_TRACE("line " + std::to_string(i) + ": " + kb::cp1251ToUtf8(words[i]));
        ASSERT_FALSE(line.empty());
        const std::size_t caret = line.find('^');
        ASSERT_NE(caret, std::string_view::npos);
        const int depth = static_cast<int>(std::min(line.find_first_not_of('_'), caret));
        const std::string_view phrasePart = line.substr(depth, caret - depth);
        EXPECT_FALSE(phrasePart.empty());
        EXPECT_EQ(phrasePart.find(';'), std::string_view::npos);
        EXPECT_FALSE(hasSmallLetter(phrasePart));
        std::string_view answers = line.substr(caret + 1);
        if (depth == 0 && !answers.empty() && answers.back() == '@') {
            ++leaveMarkers;
            answers.remove_suffix(1);
        }
        ASSERT_FALSE(answers.empty());
        EXPECT_EQ(answers.back(), ';');
        for (std::size_t start = 0; start < answers.size();) {
            const std::size_t end = answers.find(';', start);
            const std::string_view alternative = answers.substr(start, end - start);
            EXPECT_FALSE(alternative.empty());
            EXPECT_EQ(alternative.find_first_of("^_@"), std::string_view::npos);
            if (depth == 0)
                ++alternatives;
            start = end + 1;
        }
        if (depth == 0) {
            for (int d = 1; d <= std::min(deepestSinceMain, 3); ++d)
                ++threadsReaching[static_cast<std::size_t>(d)];
            ++mainLines;
            deepestSinceMain = 0;
        } else {
            // A branch line follows, since its main line, a line one level shallower.
            EXPECT_GE(deepestSinceMain, depth - 1);
            deepestSinceMain = std::max(deepestSinceMain, depth);
        }
    }
    EXPECT_GE(mainLines, 1500);
    const double perLine = static_cast<double>(alternatives) / mainLines;
    EXPECT_GE(perLine, 4.0);
    EXPECT_LE(perLine, 5.0);
    EXPECT_GE(leaveMarkers, 2);
    EXPECT_GE(threadsReaching[1], 250);
    EXPECT_GE(threadsReaching[2], 40) << "threads that go on to depth 2";
    EXPECT_GE(threadsReaching[3], 3) << "threads that go on to depth 3";
}

TEST(ShippedData, AnswerFilesAreLongEnoughAndFreeOfMarkers) {
    const std::array<std::pair<const char*, std::size_t>, 8> files = {{{"Base\\W1.Dat", 120},
                                                                       {"Base\\W2.Dat", 120},
                                                                       {"Base\\Povtor.Dat", 50},
                                                                       {"Base\\X.Dat", 50},
                                                                       {"Base\\BigString.Dat", 50},
                                                                       {"Base\\Pause.Dat", 50},
                                                                       {"Base\\Begin.dat", 50},
                                                                       {"Base\\AI.dat", 100}}};
    for (const auto& [name, least] : files) {
        const kb::Lines lines = linesOf(name);
        SCOPED_TRACE(name);
        EXPECT_GE(lines.size(), least);
        for (const std::string& line : lines) {
            EXPECT_FALSE(line.empty());
            EXPECT_EQ(line.find_first_of(";^_@"), std::string::npos) << kb::cp1251ToUtf8(line);
        }
    }
}

TEST(ShippedData, SoundCuesAreShortQuietWaveFiles) {
    for (const char* name : {"KeyBoard.wav", "Button3.wav", "Button2.wav", "Button1.wav",
                             "CpuSound.wav", "Close.wav"}) {
        SCOPED_TRACE(name);
        const std::string wave = bytesOf(kData / "Sound" / name);
        ASSERT_GE(wave.size(), 44u);
        EXPECT_LT(wave.size(), 40u * 1024);
        EXPECT_EQ(wave.substr(0, 4), "RIFF");
        EXPECT_EQ(wave.substr(8, 8), "WAVEfmt ");
        const auto u16 = [&](std::size_t at) {
            return static_cast<unsigned>(static_cast<unsigned char>(wave[at]) |
                                         static_cast<unsigned char>(wave[at + 1]) << 8);
        };
        const auto u32 = [&](std::size_t at) { return u16(at) | u16(at + 2) << 16; };
        EXPECT_EQ(u16(20), 1u);  // PCM
        EXPECT_EQ(u16(34), 16u); // bits per sample
        const double seconds = static_cast<double>(wave.size() - 44) / u32(28);
        EXPECT_LT(seconds, 0.5);
    }
}

// The console driver on a copy of the shipped Base.
class ConsoleRun {
public:
    ConsoleRun() {
        std::string pattern = (fs::temp_directory_path() / "talkbase-data-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr)
            std::abort();
        dir_ = pattern;
        fs::copy(kData / "Base", dir_ / "Base", fs::copy_options::recursive);
    }
    ~ConsoleRun() {
        std::error_code ignored;
        fs::remove_all(dir_, ignored);
    }

    // Feeds the phrases; gives the transcript (standard output) and what
    // --explain said for each turn.
    void run(const std::vector<std::string>& phrases) {
        {
            std::ofstream in(dir_ / "in.txt");
            for (const auto& phrase : phrases)
                in << phrase << '\n';
        }
        const std::string command = std::string("'") + TALKBASE_CONSOLE + "' --dir '" +
                                    dir_.string() + "' --clock 12:00:00.000 --explain --no-follow-ups < '" +
                                    (dir_ / "in.txt").string() + "' > '" + (dir_ / "out.txt").string() +
                                    "' 2> '" + (dir_ / "err.txt").string() + "'";
        ASSERT_EQ(std::system(command.c_str()), 0);
        transcript = utf8Lines(dir_ / "out.txt");
        sources.clear();
        for (const auto& line : utf8Lines(dir_ / "err.txt")) {
            if (line.find("answered by:") != std::string::npos)
                sources.push_back(line);
        }
    }

    std::vector<std::string> transcript;
    std::vector<std::string> sources;

private:
    fs::path dir_;
};

// The program's own path from typed text to answer: a greeting, the reply
// to its question and the question back are answered from one thread, and a
// farewell from the main lines.
TEST(ShippedData, TheConsoleDriverFollowsAGreetingThread) {
    ConsoleRun console;
    console.run({"привет", "хорошо, а у тебя?", "пока"});
    ASSERT_EQ(console.sources.size(), 3u);
    EXPECT_NE(console.sources[0].find("main scan"), std::string::npos) << console.sources[0];
    EXPECT_NE(console.sources[1].find("follow-up"), std::string::npos) << console.sources[1];
    EXPECT_NE(console.sources[2].find("main scan"), std::string::npos) << console.sources[2];
    ASSERT_EQ(console.transcript.size(), 6u);
    EXPECT_NE(console.transcript[3].find("меня"), std::string::npos) << console.transcript[3];
}

} // namespace
