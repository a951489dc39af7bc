// The dialogue display and the rest of what the reply engine reaches of the
// main window: the input field, the cues, the cursor, the timers it arms and
// the mode marks.

#include "TForm1.h"

#include "ui/Unit2/TForm2.h"
#include "ui/common/Text.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>

namespace {

const QColor kTeal(0, 128, 128);

void applyFont(QTextCharFormat& format, const QFont& font) {
    format.setFontFamilies({font.family()});
    format.setFontPointSize(font.pointSizeF() > 0 ? font.pointSizeF() : 8);
    format.setFontWeight(font.bold() ? QFont::Bold : QFont::Normal);
    format.setFontItalic(font.italic());
    format.setFontUnderline(font.underline());
    format.setFontStrikeOut(font.strikeOut());
}

} // namespace

std::string TForm1::inputText() const {
    return ui::toCp1251(Input->text());
}

void TForm1::setInputText(const std::string& text) {
    const QString wanted = ui::fromCp1251(text);
    if (Input->text() != wanted)
        Input->setText(wanted);
}

int TForm1::displayCount() const {
    return static_cast<int>(displayLines_.size());
}

std::string TForm1::displayLine(int index) const {
    if (index < 0 || index >= displayCount())
        return {};
    return displayLines_[static_cast<std::size_t>(index)];
}

QTextCharFormat TForm1::displayLineFormat(int index) const {
    if (index < 0 || index >= displayCount())
        return {};
    return displayFormats_[static_cast<std::size_t>(index)];
}

void TForm1::addDisplayLine(const std::string& line, engine::LineStyle style) {
    // Each setter changes only what it names; the rest stays as the last
    // line left it.
    switch (style) {
    case engine::LineStyle::User:
        displayFormat_.setForeground(ColorDialog2.Color);
        applyFont(displayFormat_, FontDialog1.Font);
        break;
    case engine::LineStyle::Program:
        displayFormat_.setForeground(ColorDialog3.Color);
        applyFont(displayFormat_, FontDialog2.Font);
        break;
    case engine::LineStyle::IdlePrompt:
        displayFormat_.setForeground(ColorDialog1.Color);
        break;
    case engine::LineStyle::Service:
        displayFormat_.setForeground(kTeal);
        break;
    }

    QTextCursor cursor(RE1->document());
    cursor.movePosition(QTextCursor::End);
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    if (displayLines_.empty()) {
        cursor.setBlockFormat(centred);
        cursor.setBlockCharFormat(displayFormat_);
    } else {
        cursor.insertBlock(centred, displayFormat_);
    }
    cursor.insertText(ui::fromCp1251(line), displayFormat_);
    displayLines_.push_back(line);
    displayFormats_.push_back(displayFormat_);
    scrollDisplayToEnd();
}

void TForm1::deleteLastDisplayLine() {
    if (displayLines_.empty())
        return;
    QTextCursor cursor(RE1->document());
    cursor.movePosition(QTextCursor::End);
    cursor.movePosition(QTextCursor::StartOfBlock, QTextCursor::KeepAnchor);
    if (displayLines_.size() > 1)
        cursor.movePosition(QTextCursor::PreviousCharacter, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    displayLines_.pop_back();
    displayFormats_.pop_back();
}

void TForm1::clearDisplay() {
    RE1->clear();
    displayLines_.clear();
    displayFormats_.clear();
}

void TForm1::copySelection() {
    // The input field loses its selection whenever it loses the focus, so a
    // selection there is the newest one; otherwise the display's.
    if (Input->hasSelectedText())
        Input->copy();
    else if (RE1->textCursor().hasSelection())
        RE1->copy();
}

void TForm1::scrollDisplayToEnd() {
    // The newest line stays in view, also while the display is disabled.
    QScrollBar* bar = RE1->verticalScrollBar();
    bar->setValue(bar->maximum());
}

void TForm1::playCue(engine::Cue cue) {
    players_[static_cast<std::size_t>(cue)]->play();
}

void TForm1::setBusyCursor(bool busy) {
    // One screen cursor, set and reset; not a stack.
    if (busy == busy_)
        return;
    busy_ = busy;
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

void TForm1::setTimerEnabled(engine::Timer timer, bool enabled) {
    switch (timer) {
    case engine::Timer::T4:
        T4->setEnabled(enabled);
        break;
    case engine::Timer::T7:
        T7->setEnabled(enabled);
        break;
    case engine::Timer::T9:
        T9->setEnabled(enabled);
        break;
    case engine::Timer::T10:
        T10->setEnabled(enabled);
        break;
    }
}

bool TForm1::cpuUserChecked() const {
    return CpuUser1->isChecked();
}

bool TForm1::cpuCpuChecked() const {
    return Cpu31->isChecked();
}

std::string TForm1::exchangePath() const {
    return Form2 ? Form2->exchangePath() : std::string(TForm2::DefaultPath);
}
