#include "TForm3.h"

#include "ui/common/Hint.h"
#include "ui/common/Look.h"
#include "ui/common/Reporting.h"
#include "ui/common/Resources.h"
#include "ui/common/Text.h"

#include "kb/LineList.h"

#include <QFrame>
#include <QLabel>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

constexpr int kClientWidth = 377;

} // namespace

// A dialog frame without system menu and close box: "Закрыть" closes it.
TForm3::TForm3(ui::MainWindowLink& main) : AuxiliaryWindow(main, Qt::Dialog) {
    setWindowTitle(QStringLiteral("О программе"));
    setCursor(Qt::ArrowCursor);

    upperPane = new QFrame(this);
    upperPane->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    upperPane->setGeometry(0, 0, 377, 153);
    auto* bevel = new QFrame(upperPane);
    bevel->setFrameStyle(QFrame::Box | QFrame::Sunken);
    bevel->setGeometry(3, 5, 371, 146);

    QRImage1 = new QLabel(upperPane);
    QRImage1->setGeometry(7, 8, 178, 137);
    ui::loadResources();
    QRImage1->setPixmap(QPixmap(QStringLiteral(":/about.png")));
    QRImage1->setScaledContents(true);
    ui::describe(QRImage1, QStringLiteral("Рисунок"));

    Label1 = new QLabel(QStringLiteral("ВЕРСИЯ: 2.2.0.7"), upperPane);
    Label1->setGeometry(187, 9, 164, 82);
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setWordWrap(true);
    QFont labelFont(QStringLiteral("Arial Black"));
    labelFont.setPixelSize(29);
    labelFont.setBold(true);
    labelFont.setUnderline(true);
    Label1->setFont(labelFont);
    QPalette labelPalette = palette();
    labelPalette.setColor(QPalette::WindowText, Qt::white);
    Label1->setPalette(labelPalette);

    Button1 = new QPushButton(QStringLiteral("История"), upperPane);
    Button1->setGeometry(187, 96, 185, 25);
    Button1->setCursor(Qt::PointingHandCursor);
    Button2 = new QPushButton(QStringLiteral("Закрыть"), upperPane);
    Button2->setGeometry(187, 120, 185, 25);
    Button2->setCursor(Qt::PointingHandCursor);
    connect(Button1, &QPushButton::clicked, this, &TForm3::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm3::Button2Click);

    lowerPane = new QFrame(this);
    lowerPane->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    lowerPane->setGeometry(1, 151, 376, 148);
    Memo1 = new QPlainTextEdit(lowerPane);
    Memo1->setGeometry(3, 4, 370, 140);
    Memo1->setReadOnly(true);
    ui::describe(Memo1, QStringLiteral("История"));
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->viewport()->setCursor(Qt::ForbiddenCursor);
    QFont memoFont(QStringLiteral("Courier New"));
    memoFont.setPointSize(8);
    memoFont.setStyleHint(QFont::Monospace);
    Memo1->setFont(memoFont);
    QPalette memoPalette = Memo1->palette();
    memoPalette.setColor(QPalette::Base, ui::kSilver);
    Memo1->setPalette(memoPalette);

    setHeight(CollapsedHeight);
}

void TForm3::setHeight(int height) {
    height_ = height;
    setFixedSize(kClientWidth, std::max(1, height - TitleBarHeight));
}

void TForm3::open() {
    setHeight(CollapsedHeight);
    openOverMain();
}

void TForm3::Button1Click() {
    // Loaded at every click, also the one that folds the pane in; a missing
    // file keeps the text and the height.
    const bool loaded = ui::runReported(this, [this] {
        kb::LineList history(kb::TextKind::Plain);
        history.load(main_.workingDirectory(), "ReadMe.Txt");
        QStringList lines;
        for (const std::string& line : history.lines())
            lines.append(ui::fromCp1251(line));
        Memo1->setPlainText(lines.join(QLatin1Char('\n')));
    });
    if (!loaded)
        return;
    setHeight(height_ + 1);
    if (height_ == CollapsedHeight + 1)
        setHeight(ExpandedHeight);
    if (height_ == ExpandedHeight + 1)
        setHeight(CollapsedHeight);
}

void TForm3::Button2Click() {
    returnToMain();
}
