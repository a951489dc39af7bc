#pragma once

// What the appearance tests share: a working directory with the small base,
// colour and font dialogs answered from a queue, and a snapshot of the look.

#include "Support.h"

#include <QColor>
#include <QEvent>
#include <QFont>
#include <QLineEdit>
#include <QTextEdit>
#include <QToolButton>
#include <deque>
#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <vector>

namespace appearance {

inline const QColor kSilver(192, 192, 192);
inline const QColor kBlack(0, 0, 0);

class BaseDirectory : public test::WorkingDirectory {
public:
    BaseDirectory() { writeSmallBase(); }
};

// Answers every colour and font dialog from its queue, in order: a value
// confirms, std::nullopt cancels. The real dialogs come back at the end.
// The program on a small base, with its message boxes collected.
class AppearanceFixture : public ::testing::Test {
protected:
    TForm1& main() { return program.main(); }
    // An idle prompt at the next tick of T2.
    void idlePrompt() {
        main().conversation().state().IdleTicks = 89;
        main().T2Timer();
    }

    BaseDirectory dir;
    test::MessageLog boxes;
    test::Program program{dir};
};

class DialogAnswers {
public:
    DialogAnswers() {
        ui::ColorDialog::setAnswerer([this](const QColor& current) -> std::optional<QColor> {
            colourShownOn.push_back(current);
            if (colours.empty()) {
                ADD_FAILURE() << "a colour dialog nobody expected";
                return std::nullopt;
            }
            const auto answer = colours.front();
            colours.pop_front();
            return answer;
        });
        ui::FontDialog::setAnswerer([this](const ui::FontDialog& dialog) -> std::optional<QFont> {
            fontRanges.emplace_back(dialog.MinFontSize, dialog.MaxFontSize);
            if (fonts.empty()) {
                ADD_FAILURE() << "a font dialog nobody expected";
                return std::nullopt;
            }
            const auto answer = fonts.front();
            fonts.pop_front();
            return answer;
        });
    }
    ~DialogAnswers() {
        ui::ColorDialog::setAnswerer({});
        ui::FontDialog::setAnswerer({});
    }
    DialogAnswers(const DialogAnswers&) = delete;
    DialogAnswers& operator=(const DialogAnswers&) = delete;

    std::deque<std::optional<QColor>> colours;
    std::deque<std::optional<QFont>> fonts;
    // What each dialog was shown with.
    std::vector<QColor> colourShownOn;
    std::vector<std::pair<int, int>> fontRanges;
};

inline QFont font(const char* family, int size, bool bold, bool italic) {
    QFont f(QString::fromUtf8(family));
    f.setPointSize(size);
    f.setBold(bold);
    f.setItalic(italic);
    return f;
}

// Name, size and style, which is all the dialogs and the display keep.
struct FontLook {
    QString family;
    int size = 0;
    bool bold = false;
    bool italic = false;
    bool operator==(const FontLook&) const = default;
};

inline FontLook look(const QFont& f) {
    return {f.family(), f.pointSize(), f.bold(), f.italic()};
}

inline FontLook look(const QTextCharFormat& format) {
    const QStringList families = format.fontFamilies().toStringList();
    return {families.isEmpty() ? QString() : families.front(),
            static_cast<int>(format.fontPointSize()), format.fontWeight() >= QFont::Bold,
            format.fontItalic()};
}

inline std::ostream& operator<<(std::ostream& out, const FontLook& f) {
    return out << f.family.toStdString() << " " << f.size << (f.bold ? " bold" : "")
               << (f.italic ? " italic" : "");
}

// The colour a widget is given; a disabled widget shows it greyed.
inline QColor colour(const QWidget* widget, QPalette::ColorRole role) {
    return widget->palette().color(QPalette::Active, role);
}

inline QColor foreground(const QTextCharFormat& format) {
    return format.foreground().color();
}

// Everything the appearance commands may change.
struct Look {
    QColor window, display, input, inputText, speak, cancel, enRus;
    QColor general, user, program;
    FontLook userFont, programFont, stringFont, inputFont;
    QColor nextLineColour;
    FontLook nextLineFont;
    bool operator==(const Look&) const = default;
};

inline Look lookOf(TForm1& w) {
    return {colour(&w, QPalette::Window),
            colour(w.RE1, QPalette::Base),
            colour(w.Input, QPalette::Base),
            colour(w.Input, QPalette::Text),
            colour(w.Speak, QPalette::ButtonText),
            colour(w.Cancel, QPalette::ButtonText),
            colour(w.EnRus, QPalette::ButtonText),
            w.ColorDialog1.Color,
            w.ColorDialog2.Color,
            w.ColorDialog3.Color,
            look(w.FontDialog1.Font),
            look(w.FontDialog2.Font),
            look(w.FontDialog3.Font),
            look(w.Input->font()),
            foreground(w.currentDisplayFormat()),
            look(w.currentDisplayFormat())};
}

inline void PrintTo(const Look& l, std::ostream* out) {
    const auto name = [](const QColor& c) {
        return c.name().toStdString();
    };
    *out << "{window " << name(l.window) << ", display " << name(l.display) << ", input "
         << name(l.input) << ", input text " << name(l.inputText) << ", buttons " << name(l.speak)
         << "/" << name(l.cancel) << "/" << name(l.enRus) << ", dialogs " << name(l.general) << "/"
         << name(l.user) << "/" << name(l.program) << ", fonts " << l.userFont << " / "
         << l.programFont << " / " << l.stringFont << ", input font " << l.inputFont
         << ", next line " << name(l.nextLineColour) << " " << l.nextLineFont << "}";
}

using test::EnabledChangeWatch;

} // namespace appearance
