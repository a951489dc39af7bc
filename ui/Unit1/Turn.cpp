// The turn and the input field: the send button, Enter, the keyboard cue, the
// input guard; and the commands on the dialogue: undo, new dialogue, exit.

#include "TForm1.h"

#include "ui/common/Text.h"

#include <QDateTime>
#include <QLineEdit>
#include <QLocale>
#include <QTextEdit>
#include <QToolButton>

namespace {

// The time as the system's settings write it: their separator, the leading
// zero of the hour only when asked for, the 12- or 24-hour clock with its
// AM or PM marker; with seconds, without the time zone.
QString systemTime(const QLocale& locale, const QTime& time) {
    QString format;
    bool quoted = false;
    for (const QChar c : locale.timeFormat(QLocale::LongFormat)) {
        if (c == QLatin1Char('\''))
            quoted = !quoted;
        if (!quoted && c == QLatin1Char('t'))
            continue; // the time zone
        format += c;
    }
    return locale.toString(time, format.simplified());
}

} // namespace

void TForm1::SpeakClick() {
    ui::runReported(this, [this] { conversation_->speak(); });
}

void TForm1::TalkClick() {
    SpeakClick();
}

void TForm1::InputChange() {
    playCue(engine::Cue::KeyBoard);
}

void TForm1::T5Timer() {
    if (!guard_.tick(inputText()))
        return;
    // A marker character of the knowledge base was typed: the whole field is
    // erased, and the display stays disabled for the rest of the run.
    RE1->setEnabled(false);
    Input->clear();
}

void TForm1::CancelClick() {
    conversation_->undo();
}

void TForm1::N15Click() {
    CancelClick();
}

void TForm1::N2Click() {
    conversation_->newDialogue();
}

void TForm1::exitWithLog() {
    const QLocale locale = QLocale::system();
    const QDateTime now = QDateTime::currentDateTime();
    const std::string date = ui::toCp1251(locale.toString(now.date(), QLocale::ShortFormat));
    const std::string time = ui::toCp1251(systemTime(locale, now.time()));
    conversation_->appendTranscriptToLog(date, time);
    close();
}

void TForm1::N4Click() {
    ui::runReported(this, [this] { exitWithLog(); });
}
