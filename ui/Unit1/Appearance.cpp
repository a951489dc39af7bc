// Colours, fonts, full screen and the about window.

#include "TForm1.h"

#include "ui/Unit2/TForm2.h"
#include "ui/Unit3/TForm3.h"
#include "ui/common/Look.h"
#include "ui/common/StatusBar.h"

#include <QAction>
#include <QLineEdit>
#include <QMenuBar>
#include <QSpinBox>
#include <QTextCursor>
#include <QTextEdit>
#include <QToolButton>

namespace {

using ui::kSilver;

void setRole(QWidget* widget, QPalette::ColorRole role, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

// A caption colour is the enabled look of a button; a disabled button keeps
// the window's greyed text, whatever colour its caption was given.
void setCaptionColour(QToolButton* button, const QColor& colour) {
    QPalette palette = button->palette();
    palette.setColor(QPalette::Active, QPalette::ButtonText, colour);
    palette.setColor(QPalette::Inactive, QPalette::ButtonText, colour);
    button->setPalette(palette);
}

} // namespace

// The display's selection attributes: the text selected in the display
// takes the change, and so does what is written next at the insertion point.
static void applyToSelection(QTextEdit* display, QTextCharFormat& insertion,
                             const QTextCharFormat& change) {
    QTextCursor cursor = display->textCursor();
    if (cursor.hasSelection())
        cursor.mergeCharFormat(change);
    insertion.merge(change);
}

void TForm1::clearInitialLookTick() {
    N13->setChecked(false);
}

void TForm1::N6Click() {
    N13->setChecked(false);
    if (ColorDialog1.Execute(this))
        setRole(this, QPalette::Window, ColorDialog1.Color);
}

void TForm1::N21Click() {
    N13->setChecked(false);
    if (ColorDialog1.Execute(this))
        setRole(RE1, QPalette::Base, ColorDialog1.Color);
}

void TForm1::N16Click() {
    N13->setChecked(false);
    if (ColorDialog1.Execute(this))
        setRole(Input, QPalette::Base, ColorDialog1.Color);
}

void TForm1::Mystring2Click() {
    N13->setChecked(false);
    if (ColorDialog1.Execute(this))
        setRole(Input, QPalette::Text, ColorDialog1.Color);
}

void TForm1::N9Click() {
    N13->setChecked(false);
    // Three independent dialogs: a cancel skips only its own button.
    for (QToolButton* button : {Speak, Cancel, EnRus}) {
        if (ColorDialog1.Execute(this))
            setCaptionColour(button, ColorDialog1.Color);
    }
}

void TForm1::User1Click() {
    N13->setChecked(false);
    if (ColorDialog2.Execute(this)) {
        QTextCharFormat change;
        change.setForeground(ColorDialog2.Color);
        applyToSelection(RE1, displayFormat_, change);
    }
}

void TForm1::Cpu1Click() {
    N13->setChecked(false);
    if (ColorDialog3.Execute(this)) {
        QTextCharFormat change;
        change.setForeground(ColorDialog3.Color);
        applyToSelection(RE1, displayFormat_, change);
    }
}

static void applyFontDialog(QTextEdit* display, QTextCharFormat& insertion, ui::FontDialog& dialog,
                            QWidget* parent) {
    if (dialog.Execute(parent)) {
        QTextCharFormat name;
        name.setFontFamilies({dialog.Font.family()});
        applyToSelection(display, insertion, name);
    }
    // Size and style are applied also after a cancel: the dialog's values.
    QTextCharFormat sizeAndStyle;
    sizeAndStyle.setFontPointSize(dialog.Font.pointSizeF());
    sizeAndStyle.setFontWeight(dialog.Font.bold() ? QFont::Bold : QFont::Normal);
    sizeAndStyle.setFontItalic(dialog.Font.italic());
    applyToSelection(display, insertion, sizeAndStyle);
}

void TForm1::User2Click() {
    N13->setChecked(false);
    applyFontDialog(RE1, displayFormat_, FontDialog1, this);
}

void TForm1::Cpu2Click() {
    N13->setChecked(false);
    applyFontDialog(RE1, displayFormat_, FontDialog2, this);
}

void TForm1::Mystring1Click() {
    N13->setChecked(false);
    QFont font = Input->font();
    if (FontDialog3.Execute(this))
        font.setFamily(FontDialog3.Font.family());
    // The style, also after a cancel; the size of the input font never changes.
    font.setBold(FontDialog3.Font.bold());
    font.setItalic(FontDialog3.Font.italic());
    Input->setFont(font);
}

void TForm1::N13Click() {
    N13->setChecked(true);
    setRole(this, QPalette::Window, kSilver);
    setRole(RE1, QPalette::Base, kSilver);
    setRole(Input, QPalette::Base, kSilver);
    setRole(Input, QPalette::Text, Qt::black);
    QFont inputFont = Input->font();
    inputFont.setBold(true);
    inputFont.setItalic(false);
    Input->setFont(inputFont);
    for (QToolButton* button : {Speak, Cancel, EnRus})
        setCaptionColour(button, Qt::black);
    ColorDialog1.Color = ColorDialog2.Color = ColorDialog3.Color = Qt::black;
    FontDialog1.Font = ui::defaultFont();
    FontDialog2.Font = ui::defaultFont();
    QFont keptStyle = ui::defaultFont();
    keptStyle.setBold(FontDialog3.Font.bold());
    keptStyle.setItalic(FontDialog3.Font.italic());
    FontDialog3.Font = keptStyle;
    // Resetting the settings window's fields is an edit of them, which clears
    // the tick again when a value changes.
    if (Form2) {
        Form2->Edit1->setText(QString::fromLatin1(TForm2::DefaultPath));
        Form2->SpinEdit1->setValue(TForm2::DefaultInterval);
    }
    if (Form3)
        Form3->setHeight(TForm3::CollapsedHeight);
}

void TForm1::layoutFullScreen() {
    // W and H are the window's outer size as the layout's numbers expect it:
    // the client area with the frame, title bar and menu around it.
    const int W = centralWidget()->width() + 5;
    const int H = centralWidget()->height() + 50;
    TabControl1->resize(W - 4, H - 98);
    RE1->resize(W - 11, H - 108);
    TabControl2->setGeometry(TabControl2->x(), H - 99, W - 5, TabControl2->height());
    Speak->move(W - 93, Speak->y());
    EnRus->move(W - 136, EnRus->y());
    Cancel->move(W - 163, Cancel->y());
    Input->resize(W - 167, Input->height());
    SB1->setGeometry(0, centralWidget()->height() - SB1->height(), centralWidget()->width(),
                     SB1->height());
}

void TForm1::layoutNormal() {
    TabControl1->resize(588, 313);
    RE1->resize(581, 305);
    TabControl2->setGeometry(TabControl2->x(), 312, 585, TabControl2->height());
    Speak->move(496, Speak->y());
    EnRus->move(453, EnRus->y());
    Cancel->move(426, Cancel->y());
    Input->resize(422, Input->height());
    SB1->setGeometry(0, 342, 587, SB1->height());
}

void TForm1::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    // The window manager maximises when it is ready; the layout follows.
    if (N40 && N40->isChecked())
        layoutFullScreen();
}

void TForm1::N40Click() {
    if (!N40->isChecked()) {
        N40->setChecked(true);
        N40->setText(QStringLiteral("Normal"));
        placeBeforeFullScreen_ = geometry();
        setMinimumSize(0, 0);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        centralWidget()->setMinimumSize(0, 0);
        centralWidget()->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        showMaximized();
        layoutFullScreen();
    } else {
        N40->setChecked(false);
        N40->setText(QStringLiteral("Full Screen"));
        showNormal();
        centralWidget()->setFixedSize(587, 361);
        setFixedSize(587, 361 + menuBar()->sizeHint().height());
        // Back where it was: the window system may still hold the maximised
        // place, which the new size would otherwise keep. The client area's
        // place, as the frame around it is not the same when maximised.
        setGeometry(placeBeforeFullScreen_);
        layoutNormal();
        // The narrower display holds more lines below the fold.
        scrollDisplayToEnd();
    }
}

void TForm1::N12Click() {
    if (Form3)
        Form3->open();
}
