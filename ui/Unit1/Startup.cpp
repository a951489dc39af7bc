// Start-up: the first load of Words.Dat, the statistics in the status bar and
// in the menu, and the control-state poller.

#include "TForm1.h"

#include "ui/common/StatusBar.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

namespace {

// The caption the item was made with and the number; built afresh, so that a
// retry after a failure never adds a second number.
void showCount(QAction* item, int value) {
    item->setText(item->property("firstCaption").toString() + QStringLiteral(" [%1]").arg(value));
}

} // namespace

void TForm1::attach(TForm2* settings, TForm3* about, TForm4* keyboard) {
    Form2 = settings;
    Form3 = about;
    Form4 = keyboard;
}

void TForm1::FormCreate() {
    ui::runReported(this, [this] { conversation_->scratch().load(*store_, engine::files::WordsAtStart); });
}

void TForm1::T1Timer() {
    const bool typed = !Input->text().isEmpty();
    Speak->setEnabled(typed);
    EnRus->setEnabled(typed);
    Talk->setEnabled(typed);
    const bool shown = displayCount() > 0;
    Cancel->setEnabled(shown);
    N15->setEnabled(shown);
    T6->setEnabled(Cpu31->isChecked());
    // Only while this window is the active one: the program never takes the
    // focus from another program.
    if (isActiveWindow() && isEnabled() && !Input->hasFocus())
        Input->setFocus(Qt::OtherFocusReason);
}

void TForm1::setPollerEnabled(bool enabled) {
    T1->setEnabled(enabled);
}

void TForm1::T3Timer() {
    SB1->setPanelText(0, QStringLiteral("Идёт загрузка подождите..."));
    Input->setReadOnly(true);
    Speak->setEnabled(false);
    // A failed load is reported once and tried again at the next ticks, so
    // that restoring the file lets the program go on.
    t3Report_.run(this, [this] {
        const engine::PhraseCounts counts = conversation_->countPhrases();
        SB1->setPanelText(1, QStringLiteral("Программе известно:   [главные фразы - %1   ветки - %2]")
                                 .arg(counts.mainPhrases)
                                 .arg(counts.branches));
        Input->setReadOnly(false);
        Speak->setEnabled(true);
        SB1->setPanelText(0, QStringLiteral("Загрузка окончена"));
        T3->setEnabled(false);
    });
}

void TForm1::T8Timer() {
    t8Report_.run(this, [this] {
        const int incoming = conversation_->incomingPhrases();
        showCount(N18, incoming);
        const int outgoing = conversation_->outgoingPhrases();
        showCount(N19, outgoing);
        showCount(N20, incoming + outgoing);
        T8->setEnabled(false);
    });
}
