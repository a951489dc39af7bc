// export and import: UTF-8 text for editors and back, nothing lost and
// nothing half-written.

#include "Support.h"

#include "workbench/Transfer.h"

#include "kb/Rtf.h"

#include <filesystem>

namespace {

using namespace wbtest;
namespace fs = std::filesystem;

class TransferTest : public BaseFixture {
protected:
    fs::path out() const { return dir.path() / "export"; }
};

TEST_F(TransferTest, ExportWritesEveryFileAsUtf8LinesAndImportGivesTheSameLinesBack) {
    writeWords({"ПРИВЕТ^Привет! «Ёлка» — №1;", "_КАК ДЕЛА?^Хорошо…;", " ЛИДИРУЮЩИЙ ПРОБЕЛ^И {скобки} \\ слэш.;"});
    const Utf8Lines before = readBase("Words.Dat");
    const auto written = workbench::exportBase(store, out());
    EXPECT_EQ(written.size(), 10u);
    EXPECT_EQ(support::readBytes(out() / "Words.Dat"),
              "Заголовок базы\nПРИВЕТ^Привет! «Ёлка» — №1;\n_КАК ДЕЛА?^Хорошо…;\n ЛИДИРУЮЩИЙ ПРОБЕЛ^И {скобки} \\ слэш.;\n");
    EXPECT_FALSE(fs::exists(out() / ".talkbase-lock"));

    // An edit in the exported text, then back into the program's form.
    support::writeBytes(out() / "Words.Dat", support::readBytes(out() / "Words.Dat") + "НОВАЯ^Строка.;\n");
    workbench::importBase(store, out(), false);
    const std::string saved = support::readBytes(dir.path() / "Base/Words.Dat");
    EXPECT_TRUE(kb::rtf::isRtf(saved));
    Utf8Lines expected = before;
    expected.push_back("НОВАЯ^Строка.;");
    EXPECT_EQ(readBase("Words.Dat"), expected);
    EXPECT_EQ(readBase("AI.dat"), (Utf8Lines{"Заголовок", "Кстати."}));
}

TEST_F(TransferTest, PlainImportWritesWindows1251WithCrLf) {
    workbench::exportBase(store, out());
    support::writeBytes(out() / "W1.Dat", "Да.\nНет.\n");
    workbench::importBase(store, out(), true);
    EXPECT_EQ(support::readBytes(dir.path() / "Base/W1.Dat"), cp("Да.\r\nНет.\r\n"));
}

TEST_F(TransferTest, ACharacterWithoutAWindows1251FormWritesNothing) {
    writeWords({"ПРИВЕТ^Привет!;"});
    workbench::exportBase(store, out());
    support::writeBytes(out() / "AI.dat", "Заголовок\nКстати.\n");
    support::writeBytes(out() / "W2.Dat", "Хорошо.\nОтлично 😀\n");
    const std::string wordsBefore = support::readBytes(dir.path() / "Base/Words.Dat");
    try {
        workbench::importBase(store, out(), false);
        FAIL() << "an emoji was imported";
    } catch (const workbench::TransferError& error) {
        EXPECT_EQ(std::string(error.what()), "W2.Dat:2: the character \"😀\" has no Windows-1251 form");
    }
    // Not even the files before it: everything is checked first.
    EXPECT_EQ(support::readBytes(dir.path() / "Base/Words.Dat"), wordsBefore);
    EXPECT_EQ(readBase("W2.Dat"), Utf8Lines{"Ответ."});
}

TEST_F(TransferTest, ImportTakesOnlyTheKnowledgeBaseFilesItFinds) {
    fs::create_directories(out());
    support::writeBytes(out() / "w1.dat", "Только это.\n");
    support::writeBytes(out() / "notes.txt", "не файл базы\n");
    EXPECT_EQ(workbench::importBase(store, out(), false), std::vector<std::string>{"W1.Dat"});
    EXPECT_EQ(readBase("W1.Dat"), Utf8Lines{"Только это."});
    EXPECT_EQ(readBase("W2.Dat"), Utf8Lines{"Ответ."});
}

} // namespace
