#include "Support.h"

#include "kb/Cp1251.h"
#include "kb/FileError.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace enginetest {

std::string cp(std::string_view utf8) {
    return kb::utf8ToCp1251(utf8);
}

std::string utf(std::string_view cp1251) {
    return kb::cp1251ToUtf8(cp1251);
}

Utf8Lines utf(const std::vector<std::string>& cp1251Lines) {
    Utf8Lines out;
    for (const std::string& line : cp1251Lines)
        out.push_back(utf(line));
    return out;
}

void writeCp1251File(const fs::path& root, const std::string& relative, const Utf8Lines& lines) {
    const fs::path file = root / relative;
    fs::create_directories(file.parent_path());
    std::string bytes;
    for (const std::string& line : lines)
        bytes += cp(line) + "\r\n";
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

Utf8Lines readUtf8Lines(const fs::path& root, std::string_view programPath) {
    // A store of its own, so that nothing the engine's store remembers is used.
    kb::FileStore reader(root);
    return utf(*reader.read(programPath, kb::TextKind::Rich));
}

std::string readBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void FakeWindow::setInputText(const std::string& text) {
    if (text != input)
        ++inputChanges;
    input = text;
}

std::string FakeWindow::displayLine(int index) const {
    if (index < 0 || index >= displayCount())
        return {};
    return display[static_cast<std::size_t>(index)].text;
}

void FakeWindow::deleteLastDisplayLine() {
    if (!display.empty())
        display.pop_back();
}

int FakeWindow::timerCallCount(engine::Timer timer) const {
    return static_cast<int>(std::count_if(timerCalls.begin(), timerCalls.end(),
                                          [&](const auto& call) { return call.first == timer; }));
}

Utf8Lines FakeWindow::displayText() const {
    Utf8Lines out;
    for (const ShownLine& line : display)
        out.push_back(utf(line.text));
    return out;
}

int FakeWindow::cueCount(engine::Cue cue) const {
    return static_cast<int>(std::count(cues.begin(), cues.end(), cue));
}

std::vector<int> replayDraws(std::uint32_t seed, const std::vector<int>& ranges) {
    engine::RandomGenerator generator;
    generator.seed(seed);
    std::vector<int> values;
    for (int range : ranges)
        values.push_back(generator.next(range));
    return values;
}

std::uint32_t clockWhere(const std::vector<int>& ranges,
                         const std::function<bool(const std::vector<int>&)>& wanted,
                         std::uint32_t from) {
    for (std::uint32_t value = from; value < from + 1'000'000; ++value) {
        if (wanted(replayDraws(value, ranges)))
            return value;
    }
    ADD_FAILURE() << "no clock value gives the wanted draws";
    return from;
}

TalkFixture::TalkFixture() {
    writeWords({"База фраз", "ПРИВЕТ.^Здравствуй!;"});
    writeBase("Povtor.Dat", {kRepeatAnswer});
    writeBase("X.Dat", {kCensorAnswer});
    writeBase("Collection.Dat", {});
    writeBase("BigString.Dat", {kLongAnswer});
    writeBase("W1.Dat", {kQuestionAnswer});
    writeBase("W2.Dat", {kStatementAnswer});
    writeBase("AI.dat", {"Заголовок, никогда не показывается", kFollowUpLine});
    writeBase("Begin.dat", {kGreeting});
    writeBase("Pause.Dat", {kIdlePrompt});
    writeBase("Log.Brisol", {});
}

void TalkFixture::writeBase(const std::string& name, const Utf8Lines& lines) {
    writeCp1251File(dir.path(), "Base/" + name, lines);
}

void TalkFixture::removeBase(const std::string& name) {
    fs::remove(dir.path() / "Base" / name);
}

Utf8Lines TalkFixture::readBase(const std::string& name) {
    return readUtf8Lines(dir.path(), "Base\\" + name);
}

Utf8Lines TalkFixture::say(std::string_view utf8) {
    const std::size_t before = talk.transcript().lines().size();
    window.input = cp(utf8);
    EXPECT_TRUE(talk.speak()) << "no turn ran for: " << utf8;
    const auto& lines = talk.transcript().lines();
    return utf(
        std::vector<std::string>(lines.begin() + static_cast<std::ptrdiff_t>(before), lines.end()));
}

std::string TalkFixture::sayFailing(std::string_view utf8) {
    window.input = cp(utf8);
    try {
        talk.speak();
    } catch (const kb::FileError& error) {
        return kb::withFullStop(error.what());
    }
    ADD_FAILURE() << "the turn did not fail";
    return {};
}

Utf8Lines TalkFixture::sayAt(std::uint32_t clockValue, std::string_view utf8) {
    clock.set(clockValue);
    return say(utf8);
}

Utf8Lines TalkFixture::transcript() {
    return utf(talk.transcript().lines());
}

} // namespace enginetest
