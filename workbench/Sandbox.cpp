#include "Sandbox.h"

#include "kb/Cp1251.h"
#include "kb/FileError.h"

#include <cstdlib>
#include <stdexcept>
#include <system_error>

namespace fs = std::filesystem;

namespace workbench {

Sandbox::Sandbox(const fs::path& workingDirectory) {
    std::string pattern = (fs::temp_directory_path() / "talkbase-kb-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("cannot make a temporary directory");
    path_ = pattern;
    const fs::path base = kb::FileStore(workingDirectory).locate("Base");
    fs::create_directories(path_ / "Base");
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(base, error)) {
        const std::string name = entry.path().filename().string();
        // The program's lock file and temporary files are no part of the base.
        if (name.starts_with(".") || !entry.is_regular_file())
            continue;
        fs::copy_file(entry.path(), path_ / "Base" / name, fs::copy_options::overwrite_existing, error);
    }
    store_ = std::make_unique<kb::FileStore>(path_);
}

Sandbox::~Sandbox() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

Talk::Talk(Sandbox& sandbox, std::uint32_t clockMilliseconds)
    : sandbox_(sandbox), clock_(clockMilliseconds), conversation_(sandbox.store(), window_, clock_) {}

TurnResult Talk::say(const std::string& phrase) {
    TurnResult result;
    // The input field takes at most 255 characters.
    window_.setInputText(phrase.substr(0, 255));
    try {
        if (!conversation_.speak()) {
            result.error = "no phrase: the send controls are disabled on an empty field.";
            return result;
        }
    } catch (const std::exception& error) {
        result.error = kb::withFullStop(error.what());
    }
    // A turn that stops on an error leaves the phrase in the field.
    window_.setInputText(std::string());
    const engine::TurnReport& report = conversation_.lastTurn();
    result.source = report.source;
    result.line = report.wordsLine;
    result.reply = conversation_.state().Reply;
    if (result.line >= 0) {
        // A knowledge-base answer learns nothing: the file is as the turn found it.
        const kb::SharedLines words = sandbox_.store().read(engine::files::Words, kb::TextKind::Rich);
        if (result.line < static_cast<int>(words->size()))
            result.lineText = (*words)[static_cast<std::size_t>(result.line)];
    }
    return result;
}

std::string describeSource(const TurnResult& result) {
    if (!result.error.empty())
        return "an error: " + kb::cp1251ToUtf8(result.error);
    switch (result.source) {
    case engine::AnswerSource::Repeat:
        return "the repeat rule, Base/Povtor.Dat";
    case engine::AnswerSource::Censor:
        return "the censor rule, Base/X.Dat";
    case engine::AnswerSource::LongInput:
        return "the long-input rule, Base/BigString.Dat";
    case engine::AnswerSource::FollowUp:
    case engine::AnswerSource::MainScan:
        return "Base/Words.Dat line " + std::to_string(result.line) + ": " + kb::cp1251ToUtf8(result.lineText);
    case engine::AnswerSource::QuestionRule:
        return "the question rule";
    case engine::AnswerSource::None:
        break;
    }
    return "no turn";
}

} // namespace workbench
