#pragma once

// Every message box of the program goes through here, so that tests can
// answer it instead of a person and never block.

#include <QString>

#include <functional>

class QWidget;

namespace ui {

class MessageBox {
public:
    // An error under the application's title, with an OK button.
    static void error(QWidget* parent, const QString& text);

    // Tests: every message is handed to `answer` instead of being shown;
    // an empty function restores the real boxes.
    static void setAnswerer(std::function<void(const QString&)> answer);
};

} // namespace ui
