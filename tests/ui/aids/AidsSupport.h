#pragma once

// What the input-aid tests share: the field's text in Windows-1251, the cue
// counts, and a watch on the moments the main window is enabled or disabled.

#include "Support.h"

#include <QEvent>
#include <QLineEdit>
#include <QObject>
#include <QWidget>
#include <functional>
#include <string>

namespace aids {

// A working directory that holds the small knowledge base before any window
// is created on it.
class BaseDirectory : public test::WorkingDirectory {
public:
    BaseDirectory() { writeSmallBase(); }
};

inline int asked(const TForm1& window, engine::Cue cue) {
    return window.player(cue).timesAsked();
}

// Puts Windows-1251 bytes into the input field, as a paste would.
inline void setField(TForm1& window, const std::string& cp1251) {
    window.Input->setText(QString::fromStdString(test::utf8(cp1251)));
}

inline std::string field(const TForm1& window) {
    return window.inputText();
}

using test::EnabledChangeWatch;

} // namespace aids
