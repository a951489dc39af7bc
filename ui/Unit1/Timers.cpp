// The timed prompts and window effects: idle prompt, follow-up line,
// greeting, window shake and leave animation.

#include "TForm1.h"

#include "ui/Unit4/TForm4.h"
#include "ui/common/Placement.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>

void TForm1::T2Timer() {
    t2Report_.run(this, [this] { return conversation_->idleTick(); });
}

void TForm1::T9Timer() {
    ui::runReported(this, [this] { conversation_->followUpTick(); });
}

void TForm1::T10Timer() {
    t10Report_.run(this, [this] { return conversation_->greetingTick(); });
}

void TForm1::setMenusEnabled(bool enabled) {
    N1->menuAction()->setEnabled(enabled);
    N5->menuAction()->setEnabled(enabled);
    N11->menuAction()->setEnabled(enabled);
}

void TForm1::centreOnDesktop() {
    ui::centreOnDesktop(this);
}

void TForm1::T7Timer() {
    // All the jumps happen within this one tick: nothing else runs meanwhile.
    setBusyCursor(true);
    const auto jumps = conversation_->drawShakeJumps();
    playCue(engine::Cue::Shake);
    Input->setReadOnly(true);
    setMenusEnabled(false);
    for (const auto& [left, top] : jumps)
        move(left, top);
    centreOnDesktop();
    Input->setReadOnly(false);
    setMenusEnabled(true);
    T7->setEnabled(false);
    T10->setEnabled(true);
    setBusyCursor(false);
}

void TForm1::T4Timer() {
    // The keyboard window goes; the main window is not enabled for it.
    if (Form4)
        Form4->closeForLeave();
    ++Tag;
    if (Tag >= 80 && N4->isEnabled()) {
        // A failing Exit is reported once; the animation stays due.
        if (!t4Report_.run(this, [this] { exitWithLog(); }))
            return;
    }
    if (Tag >= 80)
        T4->setEnabled(false);
    const QPoint position = pos();
    setFixedSize(std::max(1, width() - 10), std::max(1, height() - 8));
    move(position.x() - 3, position.y() - 2);
    if (Tag >= 10)
        playCue(engine::Cue::Close);
}
