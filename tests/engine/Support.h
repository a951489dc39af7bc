#pragma once

// What the reply engine's tests share: a temporary working directory with a
// small knowledge base, a window that records what the engine does to it, and
// a fixture that runs turns from UTF-8 text.

#include "engine/Conversation.h"
#include "engine/DialogueWindow.h"
#include "engine/Random.h"
#include "kb/FileStore.h"
#include "support/TempDir.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace enginetest {

using Utf8Lines = std::vector<std::string>;

// UTF-8 to the program's Windows-1251 and back.
std::string cp(std::string_view utf8);
std::string utf(std::string_view cp1251);
Utf8Lines utf(const std::vector<std::string>& cp1251Lines);

// Writes `relative` (with "/" separators) under `root` as Windows-1251 plain
// text, every line followed by CR LF.
void writeCp1251File(const std::filesystem::path& root, const std::string& relative,
                     const Utf8Lines& lines);
// Reads a file the program names so ("Base\Words.Dat") through the storage
// library, as UTF-8 lines.
Utf8Lines readUtf8Lines(const std::filesystem::path& root, std::string_view programPath);
std::string readBytes(const std::filesystem::path& file);

struct ShownLine {
    std::string text; // Windows-1251
    engine::LineStyle style;
};

// Records everything the engine does to the window. The timers start as the
// window leaves them after the start-up shake: all four disabled.
class FakeWindow final : public engine::DialogueWindow {
public:
    std::string inputText() const override { return input; }
    void setInputText(const std::string& text) override;

    int displayCount() const override { return static_cast<int>(display.size()); }
    std::string displayLine(int index) const override;
    void addDisplayLine(const std::string& line, engine::LineStyle style) override {
        display.push_back({line, style});
    }
    void deleteLastDisplayLine() override;
    void clearDisplay() override { display.clear(); }

    void playCue(engine::Cue cue) override { cues.push_back(cue); }
    void setBusyCursor(bool isBusy) override {
        busy = isBusy;
        cursorCalls.push_back(isBusy);
    }
    void setTimerEnabled(engine::Timer timer, bool enabled) override {
        timers[timer] = enabled;
        timerCalls.emplace_back(timer, enabled);
    }

    bool cpuUserChecked() const override { return !cpuCpu; }
    bool cpuCpuChecked() const override { return cpuCpu; }
    std::string exchangePath() const override { return path; }

    bool timerEnabled(engine::Timer timer) const { return timers.at(timer); }
    int timerCallCount(engine::Timer timer) const;
    Utf8Lines displayText() const;
    int cueCount(engine::Cue cue) const;

    std::string input; // Windows-1251
    int inputChanges = 0;
    std::vector<ShownLine> display;
    std::vector<engine::Cue> cues;
    bool busy = false;
    std::vector<bool> cursorCalls;
    std::map<engine::Timer, bool> timers{{engine::Timer::T4, false},
                                         {engine::Timer::T7, false},
                                         {engine::Timer::T9, false},
                                         {engine::Timer::T10, false}};
    std::vector<std::pair<engine::Timer, bool>> timerCalls;
    bool cpuCpu = false;
    std::string path = "Txt.Dat"; // the exchange file, relative to the working directory
};

// What successive draws give after seeding with `seed`, one draw per range:
// what a turn or a timer step draws after re-seeding from that clock value.
std::vector<int> replayDraws(std::uint32_t seed, const std::vector<int>& ranges);
// The first clock value from `from` on for which the draws satisfy `wanted`.
std::uint32_t clockWhere(const std::vector<int>& ranges,
                         const std::function<bool(const std::vector<int>&)>& wanted,
                         std::uint32_t from = 0);

// A working directory with the default knowledge base, the window, a clock
// that stands still and the engine.
//
// The default answer files hold one line each, so that any draw picks it;
// AI.dat has a header line that is never shown and one remark.
class TalkFixture : public ::testing::Test {
protected:
    TalkFixture();

    // Writes Base\<name> from UTF-8 lines.
    void writeBase(const std::string& name, const Utf8Lines& lines);
    void writeWords(const Utf8Lines& lines) { writeBase("Words.Dat", lines); }
    void removeBase(const std::string& name);
    Utf8Lines readBase(const std::string& name);

    // Puts the phrase into the input field, runs a turn and returns the
    // transcript lines it added.
    Utf8Lines say(std::string_view utf8);
    // A turn that no earlier display line can make a repeat.
    Utf8Lines fresh(std::string_view utf8) {
        window.display.clear();
        return say(utf8);
    }
    // Runs a turn that must fail; returns the error as its message box shows it.
    std::string sayFailing(std::string_view utf8);
    // A turn taken with the given clock value.
    Utf8Lines sayAt(std::uint32_t clockValue, std::string_view utf8);

    Utf8Lines transcript();
    std::string reply() const { return utf(talk.state().Reply); }
    std::string prevReply() const { return utf(talk.state().PrevReply); }
    void setPrevReply(std::string_view utf8) { talk.state().PrevReply = cp(utf8); }

    TempDir dir;
    kb::FileStore store{dir.path()};
    FakeWindow window;
    engine::FixedClock clock{1000};
    engine::Conversation talk{store, window, clock};
};

// The answers of the default base.
inline const char* const kRepeatAnswer = "Ты повторяешься.";
inline const char* const kCensorAnswer = "Не ругайся.";
inline const char* const kLongAnswer = "Слишком длинно.";
inline const char* const kQuestionAnswer = "Не знаю.";
inline const char* const kStatementAnswer = "Понятно.";
inline const char* const kFollowUpLine = "Кстати, как погода?";
inline const char* const kGreeting = "Привет, я программа.";
inline const char* const kIdlePrompt = "Ты здесь?";

} // namespace enginetest
