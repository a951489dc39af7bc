#pragma once

// The colour and font dialogs of the main window. Each holds its current
// value, which the rest of the program reads; a dialog changes it only when
// the user confirms. Tests answer the dialogs through a seam instead of a
// person.

#include <QColor>
#include <QFont>

#include <functional>
#include <optional>

class QWidget;

namespace ui {

class ColorDialog {
public:
    QColor Color = Qt::black;

    // Shows the standard colour dialog on the current colour; true when the
    // user confirmed, and Color is then the chosen colour.
    bool Execute(QWidget* parent);

    // Tests: the answer (a colour, or nothing for a cancel) for every dialog;
    // an empty function restores the real dialog.
    using Answerer = std::function<std::optional<QColor>(const QColor& current)>;
    static void setAnswerer(Answerer answer);
};

class FontDialog {
public:
    FontDialog();

    // Name, size and style (bold, italic); the dialog offers no effects.
    QFont Font;
    // With both set, only sizes in that range are offered.
    int MinFontSize = 0;
    int MaxFontSize = 0;

    bool Execute(QWidget* parent);

    using Answerer = std::function<std::optional<QFont>(const FontDialog& dialog)>;
    static void setAnswerer(Answerer answer);
};

// The program's initial font: "MS Sans Serif", 8 pt, regular.
QFont defaultFont();

} // namespace ui
