#include "Base.h"

#include "Names.h"

#include "engine/Conversation.h"

#include <system_error>

namespace workbench {

std::string BaseFile::displayName() const {
    return workbench::displayName(programPath);
}

std::string BaseFile::fileName() const {
    const std::string_view path(programPath);
    return std::string(path.substr(path.rfind('\\') + 1));
}

const std::vector<BaseFile>& baseFiles() {
    namespace files = engine::files;
    static const std::vector<BaseFile> all = {
        {files::Words, FileRole::Words},         {files::Povtor, FileRole::Answers},
        {files::X, FileRole::Answers},           {files::Collection, FileRole::Record},
        {files::BigString, FileRole::Answers},   {files::W1, FileRole::Answers},
        {files::W2, FileRole::Answers},          {files::AI, FileRole::FollowUps},
        {files::Begin, FileRole::Answers},       {files::Pause, FileRole::Answers},
    };
    return all;
}

const BaseFile& wordsFile() {
    return baseFiles().front();
}

std::vector<BaseContent> readBase(kb::FileStore& store) {
    std::vector<BaseContent> content;
    for (const BaseFile& file : baseFiles())
        content.push_back({&file, store.read(file.programPath, kb::TextKind::Rich)});
    return content;
}

bool hasBase(const std::filesystem::path& workingDirectory) {
    kb::FileStore store(workingDirectory);
    std::error_code error;
    return std::filesystem::is_directory(store.locate("Base"), error);
}

} // namespace workbench
