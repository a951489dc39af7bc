#pragma once

// What the main-window tests share beyond tests/ui/Support.h: a trace of what
// a person would see and hear in order, a window shown and active (shortcuts
// need it), the program's event loop with its timers running, and readable
// failure messages for Qt's strings.

#include "Support.h"

#include "ui/common/Timer.h"

#include <QApplication>
#include <QCursor>
#include <QLineEdit>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace test {

using Lines = std::vector<std::string>;

inline std::string str(const QString& text) {
    return text.toStdString();
}

// Records, in order, the cues asked for, the screen cursor's changes, the
// lines as they appear in the display and the texts of the input field. A
// cue or a cursor change is written down at the next visible change, before
// it: "busy", "normal", "MP1" ... "MP6", "shown: <line>", "input: <text>".
class Trace {
public:
    explicit Trace(TForm1& window) : window_(window) {
        for (int i = 0; i < 6; ++i)
            asked_[i] = window.player(static_cast<engine::Cue>(i)).timesAsked();
        busy_ = screenBusy();
        shownText_ = window.RE1->document()->toPlainText();
        QObject::connect(window.RE1->document(), &QTextDocument::contentsChanged, &context_,
                         [this] { displayChanged(); });
        QObject::connect(window.Input, &QLineEdit::textChanged, &context_,
                         [this](const QString& text) {
                             sync();
                             events.push_back("input: " + str(text));
                         });
    }

    // Writes down what happened since the last visible change.
    const std::vector<std::string>& flush() {
        sync();
        return events;
    }

    std::vector<std::string> events;

private:
    static bool screenBusy() {
        const QCursor* cursor = QApplication::overrideCursor();
        return cursor != nullptr && cursor->shape() == Qt::WaitCursor;
    }

    void sync() {
        const bool busy = screenBusy();
        if (busy != busy_) {
            events.push_back(busy ? "busy" : "normal");
            busy_ = busy;
        }
        for (int i = 0; i < 6; ++i) {
            const int now = window_.player(static_cast<engine::Cue>(i)).timesAsked();
            for (; asked_[i] < now; ++asked_[i])
                events.push_back("MP" + std::to_string(i + 1));
        }
    }

    // A line has appeared when the text grows and its last block has text.
    void displayChanged() {
        const QString text = window_.RE1->document()->toPlainText();
        if (text == shownText_)
            return;
        shownText_ = text;
        const QString last = window_.RE1->document()->lastBlock().text();
        if (!last.isEmpty()) {
            sync();
            events.push_back("shown: " + str(last));
        }
    }

    TForm1& window_;
    QObject context_;
    int asked_[6] = {};
    bool busy_ = false;
    QString shownText_;
};

// Shortcuts reach a window only while it is shown and active.
inline void showActive(TForm1& window) {
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
}

// The program's event loop with its timers counting, as the program entry
// starts it; stopped again at the end of the scope.
class LoopRunning {
public:
    LoopRunning() { ui::Timer::setLoopRunning(true); }
    ~LoopRunning() { ui::Timer::setLoopRunning(false); }
    LoopRunning(const LoopRunning&) = delete;
    LoopRunning& operator=(const LoopRunning&) = delete;
};

inline int asked(const TForm1& window, engine::Cue cue) {
    return window.player(cue).timesAsked();
}

} // namespace test
