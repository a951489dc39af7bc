// The dialogue modes and the exchange with another copy of the program; the
// settings window is opened from here.

#include "TForm1.h"

#include "ui/Unit2/TForm2.h"
#include "ui/common/StatusBar.h"
#include "ui/common/Text.h"

#include <QAction>

void TForm1::CpuUser1Click() {
    SB1->setPanelText(2, QStringLiteral("Режим Cpu\\User"));
    addDisplayLine(ui::toCp1251(QStringLiteral("Сервис:   // Режим диалога Cpu\\User.")),
                   engine::LineStyle::Service);
    addDisplayLine(std::string(), engine::LineStyle::Service);
    CpuUser1->setChecked(true);
    Cpu31->setChecked(false);
}

void TForm1::Cpu31Click() {
    SB1->setPanelText(2, QStringLiteral("Режим Cpu\\Cpu"));
    addDisplayLine(ui::toCp1251(QStringLiteral("Сервис:   // Режим диалога Cpu\\Cpu.")),
                   engine::LineStyle::Service);
    CpuUser1->setChecked(false);
    Cpu31->setChecked(true);
}

void TForm1::T6Timer() {
    // A failing exchange (the file missing, or the answer not written) is
    // reported once; the timer stays enabled, so a restored file recovers.
    t6Report_.run(this, [this] {
        conversation_->loadExchange();
        if (Form2)
            T6->setInterval(Form2->interval());
        conversation_->speak();
    });
}

int TForm1::reseededRandom(int n) {
    conversation_->reseed();
    return conversation_->random().next(n);
}

void TForm1::N38Click() {
    if (Form2)
        Form2->open();
}
