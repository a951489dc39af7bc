#include "Transfer.h"

#include "Base.h"

#include "engine/Conversation.h"
#include "kb/Cp1251.h"
#include "kb/FileError.h"
#include "kb/PlainText.h"

#include <fstream>
#include <iterator>
#include <system_error>

namespace fs = std::filesystem;

namespace workbench {
namespace {

std::string readFile(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in)
        throw TransferError("cannot read " + file.string());
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The Windows-1251 form of a UTF-8 line; the first character it cannot hold
// is an error.
std::string toCp1251(std::string_view utf8, const std::string& where) {
    std::string out;
    std::size_t i = 0;
    while (i < utf8.size()) {
        // One character at a time: its UTF-8 bytes.
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
        const std::string_view character = utf8.substr(i, length);
        const std::string converted = kb::utf8ToCp1251(character);
        if (converted.size() != 1 || (converted == "?" && character != "?"))
            throw TransferError(where + ": the character \"" + std::string(character) +
                                "\" has no Windows-1251 form");
        out += converted;
        i += length;
    }
    return out;
}

fs::path findIgnoringCase(const fs::path& directory, const std::string& name) {
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(directory, error)) {
        if (entry.is_regular_file() &&
            kb::upperCase(entry.path().filename().string()) == kb::upperCase(name))
            return entry.path();
    }
    return {};
}

} // namespace

std::vector<std::string> exportBase(kb::FileStore& store, const fs::path& outDirectory) {
    std::error_code error;
    fs::create_directories(outDirectory, error);
    std::vector<std::string> written;
    for (const BaseFile& file : baseFiles()) {
        const kb::SharedLines lines = store.read(file.programPath, kb::TextKind::Rich);
        std::string text;
        for (const std::string& line : *lines)
            text += kb::cp1251ToUtf8(line) + "\n";
        const fs::path target = outDirectory / file.fileName();
        std::ofstream out(target, std::ios::binary | std::ios::trunc);
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        if (!out.flush())
            throw TransferError("cannot write " + target.string());
        written.push_back(file.fileName());
    }
    return written;
}

std::vector<std::string> importBase(kb::FileStore& store, const fs::path& inDirectory, bool plain) {
    struct Prepared {
        const BaseFile* file;
        kb::Lines lines;
    };
    std::vector<Prepared> prepared;
    for (const BaseFile& file : baseFiles()) {
        const fs::path source = findIgnoringCase(inDirectory, file.fileName());
        if (source.empty())
            continue;
        std::string bytes = readFile(source);
        const std::string name = source.filename().string();
        std::string_view text = bytes;
        if (text.starts_with("\xEF\xBB\xBF"))
            text.remove_prefix(3);
        if (!kb::isValidUtf8(text))
            throw TransferError(name + ": not UTF-8 text");
        Prepared entry{&file, {}};
        int number = 0;
        for (const std::string& line : kb::plain::splitLines(text))
            entry.lines.push_back(toCp1251(line, name + ":" + std::to_string(++number)));
        prepared.push_back(std::move(entry));
    }
    const auto lock = store.lock(engine::files::Lock);
    std::vector<std::string> written;
    for (Prepared& entry : prepared) {
        store.write(entry.file->programPath, std::make_shared<kb::Lines>(std::move(entry.lines)),
                    plain ? kb::TextKind::Plain : kb::TextKind::Rich);
        written.push_back(entry.file->fileName());
    }
    return written;
}

} // namespace workbench
