// Fuzz target: whole turns on arbitrary Words.Dat bytes and phrases. The
// input is the file's bytes, a NUL, and the phrases separated by NULs; the
// engine must neither crash nor read beyond a line, whatever the grammar.

#include "engine/HeadlessWindow.h"
#include "engine/Conversation.h"
#include "kb/FileError.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

const std::filesystem::path& workingDirectory() {
    static const std::filesystem::path path = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "talkbase-fuzz-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr)
            std::abort();
        std::filesystem::create_directories(std::filesystem::path(pattern) / "Base");
        return std::filesystem::path(pattern);
    }();
    return path;
}

void write(const std::string& name, std::string_view bytes) {
    std::ofstream out(workingDirectory() / "Base" / name, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (std::size_t pos = 0; pos <= input.size(); ++pos) {
        if (pos == input.size() || input[pos] == '\0') {
            parts.push_back(input.substr(start, pos - start));
            start = pos + 1;
        }
    }
    write("Words.Dat", parts[0]);
    for (const char* name : {"Povtor.Dat", "X.Dat", "BigString.Dat", "W1.Dat", "W2.Dat",
                             "Collection.Dat", "Pause.Dat", "Begin.dat"})
        write(name, "answer\r\n");
    write("AI.dat", "head\r\nmore\r\n");

    kb::FileStore store(workingDirectory());
    engine::HeadlessWindow window;
    engine::FixedClock clock(static_cast<std::uint32_t>(size * 2654435761u));
    engine::Conversation conversation(store, window, clock);
    conversation.state().BranchDepth = static_cast<int>(size % 4);
    conversation.state().BranchLine = static_cast<int>(size % 7);
    for (std::size_t i = 1; i < parts.size() && i < 6; ++i) {
        window.setInputText(std::string(parts[i].substr(0, 300)));
        try {
            conversation.speak();
            conversation.followUpTick();
            conversation.followUpTick();
        } catch (const kb::FileError&) {
        }
    }
    return 0;
}
