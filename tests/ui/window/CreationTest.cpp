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

TEST_F(WindowAsCreated, TheDefaultButtonLiesOutsideTheVisibleArea) {
    test::Program program(dir);
    TForm1& w = program.main();
    test::showActive(w);
    const QRect onClient(w.Talk->mapTo(w.centralWidget(), QPoint(0, 0)), w.Talk->size());
    EXPECT_FALSE(onClient.intersects(w.centralWidget()->rect()));
    EXPECT_EQ(w.Talk->text(), QStringLiteral("<ENTER> (Для кнопки сказать)"));
    EXPECT_FALSE(w.Talk->isEnabled());
}

TEST_F(WindowAsCreated, TheInputFieldTakesAtMost255TypedCharacters) {
    test::Program program(dir);
    program.type(QString(300, QChar(u'я')));
    EXPECT_EQ(program.main().Input->text().size(), 255);
    EXPECT_EQ(program.main().Input->text(), QString(255, QChar(u'я')));
    EXPECT_EQ(program.main().inputText(), std::string(255, '\xFF'));
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
