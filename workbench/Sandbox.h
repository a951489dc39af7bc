#pragma once

// Turns run on a copy of the knowledge base, so that what they learn never
// reaches the base itself: for regression cases, recording and coverage.

#include "engine/Conversation.h"
#include "engine/HeadlessWindow.h"
#include "engine/Random.h"
#include "kb/FileStore.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

namespace workbench {

// Noon: the clock that turns run at unless told otherwise.
inline constexpr std::uint32_t kNoon = 12u * 60 * 60 * 1000;

class Sandbox {
public:
    // Copies the files of the working directory's Base/ into a new
    // temporary directory, which goes with the sandbox.
    explicit Sandbox(const std::filesystem::path& workingDirectory);
    ~Sandbox();
    Sandbox(const Sandbox&) = delete;
    Sandbox& operator=(const Sandbox&) = delete;

    const std::filesystem::path& path() const { return path_; }
    kb::FileStore& store() { return *store_; }

private:
    std::filesystem::path path_;
    std::unique_ptr<kb::FileStore> store_;
};

// What one typed phrase gave.
struct TurnResult {
    engine::AnswerSource source = engine::AnswerSource::None;
    int line = -1;          // the Words.Dat line of a knowledge-base answer
    std::string lineText;   // that line as it stood
    std::string reply;      // Windows-1251
    std::string error;      // the file error that stopped the turn, if any
};

// One conversation with a fresh dialogue state, as after the program starts.
class Talk {
public:
    Talk(Sandbox& sandbox, std::uint32_t clockMilliseconds);
    TurnResult say(const std::string& phrase);

private:
    Sandbox& sandbox_;
    engine::FixedClock clock_;
    engine::HeadlessWindow window_;
    engine::Conversation conversation_;
};

// How a result reads in a report: "Base/Words.Dat line 7 (ДА^…)", "the question rule", …
std::string describeSource(const TurnResult& result);

} // namespace workbench
