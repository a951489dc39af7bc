// The main window as it is created: its size, the places, sizes,
// captions, hints and pointers of its controls, the status bar and the menu.

#include "WindowSupport.h"

#include "ui/common/StatusBar.h"

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QToolButton>

namespace {

using test::str;

class WindowAsCreated : public ::testing::Test {
protected:
    WindowAsCreated() { dir.writeSmallBase(); }
    test::WorkingDirectory dir;
    test::MessageLog boxes;
};

// The captions of a menu's items in order; a divider line reads "-".
std::vector<std::string> captions(const QMenu* menu) {
    std::vector<std::string> out;
    for (const QAction* item : menu->actions())
        out.push_back(item->isSeparator() ? std::string("-") : str(item->text()));
    return out;
}

TEST_F(WindowAsCreated, TheClientAreaIsFixedAt587By361AndTheWindowCannotBeResized) {
    test::Program program(dir);
    TForm1& window = program.main();
    ASSERT_NE(window.centralWidget(), nullptr);
    EXPECT_EQ(window.centralWidget()->size(), QSize(587, 361));
    EXPECT_EQ(window.minimumSize(), window.maximumSize());
    test::showActive(window);
    EXPECT_EQ(window.centralWidget()->size(), QSize(587, 361));
    const QSize before = window.size();
    window.resize(before + QSize(100, 100));
    EXPECT_EQ(window.size(), before);
    EXPECT_EQ(window.centralWidget()->size(), QSize(587, 361));
}

TEST_F(WindowAsCreated, TheWindowHasOnlyACloseBoxAndItsCaptionEndsInTheVersion) {
    test::Program program(dir);
    TForm1& window = program.main();
    EXPECT_TRUE(window.windowTitle().endsWith(QStringLiteral("v2.207"))) << str(window.windowTitle());
    const Qt::WindowFlags flags = window.windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
}

TEST_F(WindowAsCreated, TheWindowIsSilverWithMsSansSerifAndTheNoDropPointer) {
    test::Program program(dir);
    TForm1& window = program.main();
    EXPECT_EQ(window.palette().color(QPalette::Window), QColor(192, 192, 192));
    EXPECT_EQ(window.font().family(), QStringLiteral("MS Sans Serif"));
    EXPECT_EQ(window.font().pointSize(), 8);
    EXPECT_EQ(window.cursor().shape(), Qt::ForbiddenCursor);
    EXPECT_EQ(window.Tag, 0);
}

TEST_F(WindowAsCreated, TheControlsLieAtTheirPlacesWithTheirSizes) {
    test::Program program(dir);
    TForm1& w = program.main();
    EXPECT_EQ(w.TabControl1->geometry(), QRect(0, 0, 588, 313));
    EXPECT_EQ(w.RE1->geometry(), QRect(3, 6, 581, 303));
    EXPECT_EQ(w.Talk->x(), -200);
    EXPECT_EQ(w.Talk->size(), QSize(186, 17));
    EXPECT_EQ(w.TabControl2->geometry(), QRect(0, 312, 585, 30));
    EXPECT_EQ(w.Input->geometry(), QRect(3, 5, 422, 21));
    EXPECT_EQ(w.Cancel->geometry(), QRect(426, 5, 27, 22));
    EXPECT_EQ(w.EnRus->geometry(), QRect(453, 5, 43, 22));
    EXPECT_EQ(w.Speak->geometry(), QRect(496, 5, 86, 22));

    // The display area holds the display and the hidden default button; the
    // input bar holds the field and its three buttons.
    EXPECT_EQ(w.RE1->parentWidget(), w.TabControl1);
    EXPECT_EQ(w.Talk->parentWidget(), w.TabControl1);
    for (QWidget* control : std::initializer_list<QWidget*>{w.Input, w.Cancel, w.EnRus, w.Speak})
        EXPECT_EQ(control->parentWidget(), w.TabControl2);
    EXPECT_EQ(w.TabControl1->parentWidget(), w.centralWidget());
    EXPECT_EQ(w.TabControl2->parentWidget(), w.centralWidget());
}

TEST_F(WindowAsCreated, TheDefaultButtonLiesOutsideTheVisibleArea) {
    test::Program program(dir);
    TForm1& w = program.main();
    test::showActive(w);
    const QRect onClient(w.Talk->mapTo(w.centralWidget(), QPoint(0, 0)), w.Talk->size());
    EXPECT_FALSE(onClient.intersects(w.centralWidget()->rect()));
    EXPECT_EQ(w.Talk->text(), QStringLiteral("<ENTER> (Для кнопки сказать)"));
    EXPECT_FALSE(w.Talk->isEnabled());
}

TEST_F(WindowAsCreated, TheButtonsOfTheInputBarHaveTheirCaptionsHintsAndHandPointers) {
    test::Program program(dir);
    TForm1& w = program.main();
    EXPECT_EQ(w.Cancel->text(), QStringLiteral("<"));
    EXPECT_EQ(w.EnRus->text(), QStringLiteral("E/R"));
    EXPECT_EQ(w.Speak->text(), QStringLiteral("Сказать"));
    EXPECT_EQ(w.Cancel->toolTip(), QStringLiteral("Отмена (Альтернатива клавиша: <Ctrl + Z>)"));
    EXPECT_EQ(w.EnRus->toolTip(), QStringLiteral("Раскладка (Альтернатива клавиша: <Ctrl + S>)"));
    EXPECT_EQ(w.Speak->toolTip(),
              QStringLiteral("Кнопка отправки текста (Альтернативная клавиша: <ENTER>)"));
    for (QToolButton* button : {w.Cancel, w.EnRus, w.Speak}) {
        EXPECT_FALSE(button->isEnabled()) << str(button->text());
        EXPECT_TRUE(button->autoRaise()) << str(button->text()); // flat
        EXPECT_EQ(button->cursor().shape(), Qt::PointingHandCursor) << str(button->text());
    }
}

TEST_F(WindowAsCreated, TheInputFieldIsEmptySilverWithBlackMsSansSerifAndItsHint) {
    test::Program program(dir);
    TForm1& w = program.main();
    EXPECT_TRUE(w.Input->text().isEmpty());
    EXPECT_FALSE(w.Input->isReadOnly());
    EXPECT_EQ(w.Input->toolTip(), QStringLiteral("Поле для ввода фразы пользователя"));
    EXPECT_EQ(w.Input->palette().color(QPalette::Base), QColor(192, 192, 192));
    EXPECT_EQ(w.Input->palette().color(QPalette::Text), QColor(Qt::black));
    EXPECT_EQ(w.Input->font().family(), QStringLiteral("MS Sans Serif"));
    EXPECT_EQ(w.Input->font().pointSize(), 8);
    EXPECT_EQ(w.TabControl2->cursor().shape(), Qt::ForbiddenCursor);
}

TEST_F(WindowAsCreated, TheInputFieldTakesAtMost255TypedCharacters) {
    test::Program program(dir);
    program.type(QString(300, QChar(u'я')));
    EXPECT_EQ(program.main().Input->text().size(), 255);
    EXPECT_EQ(program.main().Input->text(), QString(255, QChar(u'я')));
    EXPECT_EQ(program.main().inputText(), std::string(255, '\xFF'));
}

TEST_F(WindowAsCreated, TheDisplayIsReadOnlySilverCentredWithBothScrollBarsAndItsHint) {
    test::Program program(dir);
    TForm1& w = program.main();
    EXPECT_TRUE(w.RE1->isReadOnly());
    EXPECT_TRUE(w.RE1->isEnabled());
    EXPECT_EQ(w.RE1->toolTip(), QStringLiteral("Поле для отображения диалога"));
    EXPECT_EQ(w.RE1->palette().color(QPalette::Base), QColor(192, 192, 192));
    EXPECT_EQ(w.RE1->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(w.RE1->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(w.RE1->viewport()->cursor().shape(), Qt::ForbiddenCursor);
    // The selection stays visible without the focus.
    EXPECT_EQ(w.RE1->palette().color(QPalette::Inactive, QPalette::Highlight),
              w.RE1->palette().color(QPalette::Active, QPalette::Highlight));
    EXPECT_EQ(w.displayCount(), 0);

    program.say(QStringLiteral("привет"));
    ASSERT_EQ(w.displayCount(), 2);
    const QTextDocument* document = w.RE1->document();
    ASSERT_EQ(document->blockCount(), 2);
    for (int i = 0; i < 2; ++i)
        EXPECT_EQ(document->findBlockByNumber(i).blockFormat().alignment() & Qt::AlignHorizontal_Mask,
                  Qt::AlignHCenter)
            << i;
    // A person cannot type into the display.
    QTest::keyClicks(w.RE1, QStringLiteral("abc"));
    EXPECT_EQ(document->toPlainText(), QStringLiteral("Привет.\nПривет!"));
}

TEST_F(WindowAsCreated, TheStatusBarHasPanelsOf130And322AndTheModeInTheThird) {
    test::Program program(dir);
    TForm1& w = program.main();
    EXPECT_EQ(w.SB1->toolTip(), QStringLiteral("Индикатор"));
    EXPECT_EQ(w.SB1->cursor().shape(), Qt::WhatsThisCursor);
    EXPECT_EQ(w.SB1->panelText(0), QString());
    EXPECT_EQ(w.SB1->panelText(1), QString());
    EXPECT_EQ(w.SB1->panelText(2), QStringLiteral("Режим Cpu\\User"));
    // Each panel starts where the one before it ends.
    EXPECT_EQ(w.SB1->panel(0)->x(), 0);
    EXPECT_EQ(w.SB1->panel(1)->x(), 130);
    EXPECT_EQ(w.SB1->panel(2)->x(), 130 + 322);
    EXPECT_GE(w.SB1->panel(2)->width(), 50 - 2);
    // It lies at the bottom of the client area, below the input bar.
    EXPECT_GE(w.SB1->y(), w.TabControl2->geometry().bottom());
    EXPECT_EQ(w.SB1->geometry().bottom(), 360);
    EXPECT_EQ(w.SB1->parentWidget(), w.centralWidget());
}

TEST_F(WindowAsCreated, TheMenuBarHoldsSystemSettingsAndHelp) {
    test::Program program(dir);
    TForm1& w = program.main();
    std::vector<std::string> bar;
    for (const QAction* item : w.menuBar()->actions())
        bar.push_back(str(item->text()));
    EXPECT_EQ(bar, (test::Lines{"&Система", "&Настройки", "С&правка"}));
    EXPECT_EQ(w.N1->menuAction(), w.menuBar()->actions().value(0));
    EXPECT_EQ(w.N5->menuAction(), w.menuBar()->actions().value(1));
    EXPECT_EQ(w.N11->menuAction(), w.menuBar()->actions().value(2));
}

TEST_F(WindowAsCreated, TheSystemMenuHasItsItemsInOrder) {
    test::Program program(dir);
    TForm1& w = program.main();
    EXPECT_EQ(captions(w.N1), (test::Lines{"&Новый диалог", "-", "&Вызвать виртуальную клавиатуру",
                                           "&Подробнее о базе:", "-", "В&ыход"}));
    EXPECT_EQ(w.N1->actions().value(0), w.N2);
    EXPECT_EQ(w.N1->actions().value(2), w.N22);
    EXPECT_EQ(w.N1->actions().value(3), w.N17->menuAction());
    EXPECT_EQ(w.N1->actions().value(5), w.N4);
    EXPECT_EQ(captions(w.N17),
              (test::Lines{"&Входящие выражения:", "&Исходящие выражения:", "&Итого:"}));
    EXPECT_EQ(w.N17->actions(), (QList<QAction*>{w.N18, w.N19, w.N20}));
    EXPECT_TRUE(w.N4->isEnabled());
}

TEST_F(WindowAsCreated, TheSettingsMenuHasItsItemsInOrderWithTheTwoShortcutSeparators) {
    test::Program program(dir);
    TForm1& w = program.main();
    EXPECT_EQ(captions(w.N5),
              (test::Lines{"&Цвет основного фона ", "Ц&вет фона поля вывода реплик",
                           "Цв&ет фона поля ввода реплик", "Цве&т шрифтов кнопок на панели", "-",
                           "Цвет &реплик", "-", "&Параметры шрифта", "-",
                           "Вернуть первоначальные настройки", "-", "&Режим", "Ре&дактор", "-",
                           "&Full Screen"}));
    const QList<QAction*> items = w.N5->actions();
    EXPECT_EQ(items.value(0), w.N6);
    EXPECT_EQ(items.value(1), w.N21);
    EXPECT_EQ(items.value(2), w.N16);
    EXPECT_EQ(items.value(3), w.N9);
    EXPECT_EQ(items.value(4), w.N15);
    EXPECT_EQ(items.value(5), w.N7->menuAction());
    EXPECT_EQ(items.value(6), w.N36);
    EXPECT_EQ(items.value(7), w.N10->menuAction());
    EXPECT_EQ(items.value(9), w.N13);
    EXPECT_EQ(items.value(11), w.N37->menuAction());
    EXPECT_EQ(items.value(12), w.N38);
    EXPECT_EQ(items.value(14), w.N40);

    // N15 and N36 are divider lines that carry Ctrl+Z and Ctrl+S.
    EXPECT_TRUE(w.N15->isSeparator());
    EXPECT_TRUE(w.N36->isSeparator());
    EXPECT_EQ(w.N15->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Z));
    EXPECT_EQ(w.N36->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));
    EXPECT_FALSE(w.N15->isEnabled()); // the display is empty
    EXPECT_TRUE(w.N36->isEnabled());

    EXPECT_EQ(captions(w.N7), (test::Lines{"&User", "&Cpu", "&My string"}));
    EXPECT_EQ(w.N7->actions(), (QList<QAction*>{w.User1, w.Cpu1, w.Mystring2}));
    EXPECT_EQ(captions(w.N10), (test::Lines{"&User", "&Cpu", "&My string"}));
    EXPECT_EQ(w.N10->actions(), (QList<QAction*>{w.User2, w.Cpu2, w.Mystring1}));
    EXPECT_EQ(captions(w.N37), (test::Lines{"&Cpu\\User", "C&pu\\Cpu"}));
    EXPECT_EQ(w.N37->actions(), (QList<QAction*>{w.CpuUser1, w.Cpu31}));
}

TEST_F(WindowAsCreated, TheRestoreItemAndTheModeCpuUserAreTickedAtStart) {
    test::Program program(dir);
    TForm1& w = program.main();
    EXPECT_TRUE(w.N13->isCheckable());
    EXPECT_TRUE(w.N13->isChecked());
    EXPECT_TRUE(w.CpuUser1->isChecked());
    EXPECT_FALSE(w.Cpu31->isChecked());
    EXPECT_FALSE(w.N40->isChecked());
    EXPECT_TRUE(w.cpuUserChecked());
    EXPECT_FALSE(w.cpuCpuChecked());
}

TEST_F(WindowAsCreated, TheHelpMenuHoldsTheAboutItem) {
    test::Program program(dir);
    EXPECT_EQ(captions(program.main().N11), (test::Lines{"&О программе..."}));
    EXPECT_EQ(program.main().N11->actions().value(0), program.main().N12);
}

TEST_F(WindowAsCreated, TheTimersHaveTheirIntervalsAndStartStates) {
    test::Program program(dir);
    TForm1& w = program.main();
    struct Expected {
        ui::Timer* timer;
        int interval;
        bool enabled;
    };
    const Expected table[] = {{w.T1, 1, true},     {w.T2, 1000, true},  {w.T3, 1, true},
                              {w.T4, 1, false},    {w.T5, 1, true},     {w.T6, 3000, false},
                              {w.T7, 1, true},     {w.T8, 1000, true},  {w.T9, 1000, false},
                              {w.T10, 1, false}};
    int number = 1;
    for (const Expected& row : table) {
        EXPECT_EQ(row.timer->interval(), row.interval) << "T" << number;
        EXPECT_EQ(row.timer->enabled(), row.enabled) << "T" << number;
        ++number;
    }
}

TEST_F(WindowAsCreated, CentringPutsTheWindowInTheMiddleOfTheDesktop) {
    test::Program program(dir);
    TForm1& w = program.main();
    test::showActive(w);
    w.move(0, 0);
    w.centreOnDesktop();
    ASSERT_NE(w.screen(), nullptr);
    const QPoint middle = w.screen()->availableGeometry().center();
    const QPoint centre = w.frameGeometry().center();
    EXPECT_LE(std::abs(centre.x() - middle.x()), 1);
    EXPECT_LE(std::abs(centre.y() - middle.y()), 1);
}

} // namespace
