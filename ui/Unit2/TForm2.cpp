#include "TForm2.h"

#include "ui/common/Hint.h"
#include "ui/common/Text.h"

#include <QFrame>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

// A tool window without a close box: its two buttons close it.
TForm2::TForm2(ui::MainWindowLink& main) : AuxiliaryWindow(main, Qt::Tool) {
    setWindowTitle(QStringLiteral("Редактор"));
    setFixedSize(305, 105);

    Bevel1 = new QFrame(this);
    Bevel1->setFrameStyle(QFrame::Box | QFrame::Sunken);
    Bevel1->setGeometry(4, 4, 297, 66);

    GroupBox1 = new QGroupBox(QStringLiteral("Путь файла:"), this);
    GroupBox1->setGeometry(9, 8, 185, 57);
    Edit1 = new QLineEdit(QString::fromLatin1(DefaultPath), GroupBox1);
    Edit1->setGeometry(8, 24, 169, 21);
    ui::describe(Edit1, QStringLiteral("Путь файла"));

    GroupBox2 = new QGroupBox(QStringLiteral("Интервал (сек.):"), this);
    GroupBox2->setGeometry(199, 8, 97, 57);
    SpinEdit1 = new QSpinBox(GroupBox2);
    SpinEdit1->setRange(1, 60000);
    SpinEdit1->setValue(DefaultInterval);
    SpinEdit1->setGeometry(8, 24, 81, 22);
    ui::describe(SpinEdit1, QStringLiteral("Интервал"));

    Button1 = new QPushButton(QStringLiteral("Хорошо"), this);
    Button1->setGeometry(62, 76, 88, 25);
    Button2 = new QPushButton(QStringLiteral("Отмена"), this);
    Button2->setGeometry(156, 76, 88, 25);

    Timer1 = new ui::Timer(2000, false, [this] { Timer1Timer(); }, this);

    connect(Button1, &QPushButton::clicked, this, &TForm2::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm2::Button2Click);
    connect(Edit1, &QLineEdit::textChanged, this, &TForm2::Edit1Change);
    connect(SpinEdit1, &QSpinBox::valueChanged, this, &TForm2::SpinEdit1Change);
}

std::string TForm2::exchangePath() const {
    return ui::toCp1251(Edit1->text());
}

int TForm2::interval() const {
    // The number written in the field, or 1 when it holds none; a number
    // being typed outside the range is taken within it.
    bool number = false;
    const qlonglong written = SpinEdit1->cleanText().toLongLong(&number);
    return number ? static_cast<int>(std::clamp<qlonglong>(written, 1, 60000)) : 1;
}

void TForm2::open() {
    openOverMain();
    Timer1->setEnabled(true);
}

// The two buttons have the same effect: the fields are read at every
// exchange, so there is nothing to store or to take back.
void TForm2::Button1Click() {
    closeByOwnMeans();
}

void TForm2::Button2Click() {
    closeByOwnMeans();
}

void TForm2::closeByOwnMeans() {
    Timer1->setEnabled(false);
    returnToMain();
}

void TForm2::Timer1Timer() {
    const int r = 1 + main_.reseededRandom(6);
    if (r % 2 == 1)
        Edit1->setFocus(Qt::OtherFocusReason);
    else
        SpinEdit1->setFocus(Qt::OtherFocusReason);
}

void TForm2::Edit1Change() {
    main_.clearInitialLookTick();
}

void TForm2::SpinEdit1Change() {
    main_.clearInitialLookTick();
}
