#include "Support.h"

namespace wbtest {

BaseFixture::BaseFixture() {
    writeWords({});
    for (const char* name : {"Povtor.Dat", "X.Dat", "BigString.Dat", "W1.Dat", "W2.Dat", "Begin.dat", "Pause.Dat"})
        writeBase(name, {"Ответ."});
    writeBase("Collection.Dat", {">>> Запись."});
    writeBase("AI.dat", {"Заголовок", "Кстати."});
}

void BaseFixture::writeBase(const std::string& name, const Utf8Lines& lines) {
    support::writeCp1251File(dir.path(), "Base/" + name, lines);
}

void BaseFixture::writeWords(const Utf8Lines& lines) {
    Utf8Lines all{"Заголовок базы"};
    all.insert(all.end(), lines.begin(), lines.end());
    writeBase("Words.Dat", all);
}

Utf8Lines BaseFixture::readBase(const std::string& name) {
    kb::FileStore reader(dir.path());
    return utf(*reader.read("Base\\" + name, kb::TextKind::Rich));
}

} // namespace wbtest
