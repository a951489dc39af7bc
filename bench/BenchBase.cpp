#include "BenchBase.h"

#include "kb/Cp1251.h"
#include "kb/FileStore.h"

#include <chrono>
#include <cstdlib>
#include <memory>
#include <thread>

namespace bench {

std::string GeneratedBase::phrasePart(int i) {
    // Distinct Cyrillic words: "СЛОВО" and the number spelled in letters.
    // Four letters of the number, so that no phrase holds another's words.
    std::string word = kb::utf8ToCp1251("СЛОВО");
    for (int n = i, digit = 0; digit < 4; ++digit, n /= 20)
        word += static_cast<char>(0xC0 + n % 20);
    return word + kb::utf8ToCp1251(" НОМЕР");
}

kb::Lines generatedWords(int mainLines) {
    kb::Lines lines{"Generated"};
    const std::string answers = kb::utf8ToCp1251("^Первый ответ.;Второй ответ!;Третий ответ?;");
    for (int i = 0; i < mainLines; ++i)
        lines.push_back(GeneratedBase::phrasePart(i) + answers);
    return lines;
}

GeneratedBase::GeneratedBase(int mainLines) {
    std::string pattern = (std::filesystem::temp_directory_path() / "talkbase-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr)
        std::abort();
    path_ = pattern;
    std::filesystem::create_directories(path_ / "Base");
    kb::FileStore store(path_);
    const auto save = [&](const char* name, kb::Lines lines) {
        store.write(name, std::make_shared<kb::Lines>(std::move(lines)), kb::TextKind::Rich);
    };
    for (const char* name : {"Base\\Povtor.Dat", "Base\\X.Dat", "Base\\BigString.Dat", "Base\\W1.Dat",
                             "Base\\W2.Dat", "Base\\Collection.Dat", "Base\\Pause.Dat",
                             "Base\\Begin.dat"})
        save(name, {"answer"});
    save("Base\\AI.dat", {"head", "remark"});
    writeWords(generatedWords(mainLines));
}

void GeneratedBase::writeWords(const kb::Lines& lines) const {
    kb::FileStore store(path_);
    store.write("Base\\Words.Dat", std::make_shared<kb::Lines>(lines), kb::TextKind::Rich);
    // A file younger than the time stamps' resolution is read afresh each
    // time; the benchmarks measure a settled file.
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
}

GeneratedBase::~GeneratedBase() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

} // namespace bench
