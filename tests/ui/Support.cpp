#include "Support.h"

#include "kb/Cp1251.h"
#include "kb/FileStore.h"
#include "ui/common/MessageBox.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>

#include <cstdlib>
#include <fstream>

namespace test {

std::string utf8(const std::string& text) {
    return kb::cp1251ToUtf8(text);
}

std::string cp1251(const std::string& text) {
    return kb::utf8ToCp1251(text);
}

WorkingDirectory::WorkingDirectory() {
    std::string pattern = (std::filesystem::temp_directory_path() / "talkbase-ui-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr)
        std::abort();
    path_ = pattern;
    std::filesystem::create_directories(path_ / "Base");
}

WorkingDirectory::~WorkingDirectory() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

void WorkingDirectory::write(const std::string& relative, const std::vector<std::string>& lines) const {
    const auto file = path_ / relative;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    for (const auto& line : lines)
        out << kb::utf8ToCp1251(line) << "\r\n";
}

void WorkingDirectory::remove(const std::string& relative) const {
    std::filesystem::remove(path_ / relative);
}

std::vector<std::string> WorkingDirectory::lines(const std::string& relative) const {
    kb::FileStore store(path_);
    std::vector<std::string> out;
    std::string name = relative;
    for (char& c : name) {
        if (c == '/')
            c = '\\';
    }
    for (const auto& line : *store.read(name, kb::TextKind::Rich))
        out.push_back(kb::cp1251ToUtf8(line));
    return out;
}

std::string WorkingDirectory::bytes(const std::string& relative) const {
    std::ifstream in(path_ / relative, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WorkingDirectory::writeSmallBase() const {
    write("Base/Words.Dat", {"Заголовок", "ПРИВЕТ^Привет!;", "КАК ДЕЛА^Хорошо. А у тебя?;",
                             "_ХОРОШО^Рад за тебя!;", "ПОКА^До встречи!;@"});
    write("Base/Povtor.Dat", {"Ты это уже говорил."});
    write("Base/X.Dat", {"Не надо так."});
    write("Base/Collection.Dat", {"Собранное"});
    write("Base/BigString.Dat", {"Слишком длинно."});
    write("Base/W1.Dat", {"Хороший вопрос."});
    write("Base/W2.Dat", {"Расскажи подробнее."});
    write("Base/AI.dat", {"Реплики вдогонку", "Кстати, как погода?"});
    write("Base/Begin.dat", {"Здравствуй!"});
    write("Base/Pause.Dat", {"Ты здесь?"});
    write("Base/Log.Brisol", {});
}

Program::Program(const WorkingDirectory& dir, std::uint32_t clockMs) : clock(clockMs) {
    ui::MainWindowOptions options;
    options.workingDirectory = dir.qpath();
    options.clock = &clock;
    options.sound = false;
    form1 = std::make_unique<TForm1>(options);
    form2 = std::make_unique<TForm2>(*form1);
    form3 = std::make_unique<TForm3>(*form1);
    form4 = std::make_unique<TForm4>(*form1);
    form1->attach(form2.get(), form3.get(), form4.get());
}

Program::~Program() {
    form1->attach(nullptr, nullptr, nullptr);
}

void Program::type(const QString& text) {
    // Key events that carry their text: Cyrillic has no key codes of its own.
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(form1->Input, &press);
        QApplication::sendEvent(form1->Input, &release);
    }
}

void Program::say(const QString& text) {
    type(text);
    form1->T1Timer(); // the poller enables the send controls
    QTest::keyClick(form1->Input, Qt::Key_Return);
}

std::vector<std::string> Program::display() const {
    std::vector<std::string> out;
    for (int i = 0; i < form1->displayCount(); ++i)
        out.push_back(utf8(form1->displayLine(i)));
    return out;
}

std::vector<std::string> Program::transcript() {
    std::vector<std::string> out;
    for (const auto& line : form1->conversation().transcript().lines())
        out.push_back(utf8(line));
    return out;
}

MessageLog::MessageLog() {
    ui::MessageBox::setAnswerer([this](const QString& text) { messages.append(text); });
}

MessageLog::~MessageLog() {
    ui::MessageBox::setAnswerer({});
}

} // namespace test
