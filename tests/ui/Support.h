#pragma once

// What the widget tests share: a working directory with a small knowledge
// base, the four windows on it with a fixed clock and no sound, and the
// message boxes and dialogs answered instead of a person.

#include "engine/Random.h"
#include "ui/Unit1/TForm1.h"
#include "ui/Unit2/TForm2.h"
#include "ui/Unit3/TForm3.h"
#include "ui/Unit4/TForm4.h"

#include <QEvent>
#include <QObject>
#include <QString>
#include <QWidget>
#include <QStringList>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace test {

class WorkingDirectory {
public:
    WorkingDirectory();
    ~WorkingDirectory();
    WorkingDirectory(const WorkingDirectory&) = delete;
    WorkingDirectory& operator=(const WorkingDirectory&) = delete;

    const std::filesystem::path& path() const { return path_; }
    QString qpath() const { return QString::fromStdString(path_.string()); }

    // Writes a file from UTF-8 lines as Windows-1251 with CR LF.
    void write(const std::string& relative, const std::vector<std::string>& utf8Lines) const;
    void remove(const std::string& relative) const;
    // A file's lines as the program reads them, in UTF-8.
    std::vector<std::string> lines(const std::string& relative) const;
    std::string bytes(const std::string& relative) const;

    // All ten knowledge-base files with one line each (so every pick is
    // known), a few Words.Dat lines, and an empty Log.Brisol.
    void writeSmallBase() const;

private:
    std::filesystem::path path_;
};

// The program's four windows on a working directory.
class Program {
public:
    explicit Program(const WorkingDirectory& dir, std::uint32_t clockMs = 43'200'000);
    ~Program();

    TForm1& main() { return *form1; }
    engine::FixedClock clock;
    std::unique_ptr<TForm1> form1;
    std::unique_ptr<TForm2> form2;
    std::unique_ptr<TForm3> form3;
    std::unique_ptr<TForm4> form4;

    // Types a phrase into the input field as a person would, with key events.
    void type(const QString& text);
    // Types and presses Enter.
    void say(const QString& text);
    // The display's lines and the transcript, in UTF-8.
    std::vector<std::string> display() const;
    std::vector<std::string> transcript();
};

// Message boxes shown while it lives, instead of being shown.
class MessageLog {
public:
    MessageLog();
    ~MessageLog();
    QStringList messages;
};

// Calls `seen` whenever the watched widget is enabled or disabled, while the
// change is being made: what the handler did before that step is visible.
class EnabledChangeWatch : public QObject {
public:
    EnabledChangeWatch(QWidget* watched, std::function<void(bool enabled)> seen)
        : watched_(watched), seen_(std::move(seen)) {
        watched_->installEventFilter(this);
    }
    ~EnabledChangeWatch() override { watched_->removeEventFilter(this); }

protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        if (object == watched_ && event->type() == QEvent::EnabledChange)
            seen_(watched_->isEnabled());
        return false;
    }

private:
    QWidget* watched_;
    std::function<void(bool)> seen_;
};

std::string utf8(const std::string& cp1251);
std::string cp1251(const std::string& utf8);

} // namespace test
