#include "Transcript.h"

#include "kb/PlainText.h"
#include "kb/Rtf.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace workbench {
namespace {

constexpr std::string_view kUser = "USER:     ";
constexpr std::string_view kProgram = "CPU:     ";
// The first line of a log block.
const std::string kBlockStart(80, '-');

} // namespace

std::vector<Dialogue> readTranscript(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + file.string());
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const kb::Lines lines = kb::rtf::isRtf(bytes) ? kb::rtf::read(bytes) : kb::plain::read(bytes);

    std::vector<Dialogue> dialogues(1);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i] == kBlockStart) {
            if (!dialogues.back().empty())
                dialogues.emplace_back();
            continue;
        }
        if (!lines[i].starts_with(kUser) || i + 1 >= lines.size() || !lines[i + 1].starts_with(kProgram))
            continue;
        const std::string phrase = lines[i].substr(kUser.size());
        if (!phrase.empty())
            dialogues.back().push_back(phrase);
    }
    if (dialogues.back().empty())
        dialogues.pop_back();
    return dialogues;
}

} // namespace workbench
