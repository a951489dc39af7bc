// The settings window "Редактор": opening it suspends the main window, its
// two buttons and the window manager's close bring the main window back.

#include "TimersSupport.h"

#include <QAction>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QTest>

#include <cstdlib>

namespace {

class SettingsWindow : public timers::ProgramTest {
protected:
    SettingsWindow() : program(dir) { program.main().show(); }
    TForm1& window() { return program.main(); }
    TForm2& settings() { return *program.form2; }
    void expectMainRestored() {
        EXPECT_FALSE(settings().isVisible());
        EXPECT_TRUE(window().isEnabled());
        EXPECT_TRUE(window().T1->enabled());
        EXPECT_FALSE(settings().Timer1->enabled());
    }
    // Whether the keyboard focus of the settings window is in `field`.
    bool focusIn(QWidget* field) {
        QWidget* focused = settings().focusWidget();
        return focused != nullptr && (focused == field || field->isAncestorOf(focused));
    }
    test::Program program;
};

TEST_F(SettingsWindow, OpensWithTheMainWindowSuspendedAndItsFocusHopRunning) {
    window().Cpu31Click();
    window().T1Timer();
    window().N38->trigger();
    EXPECT_TRUE(settings().isVisible());
    EXPECT_TRUE(settings().isEnabled());
    EXPECT_FALSE(window().isEnabled());
    EXPECT_FALSE(window().T1->enabled());
    EXPECT_TRUE(settings().Timer1->enabled());
    EXPECT_EQ(settings().Timer1->interval(), 2000);
    // The other timers keep running, the exchange timer as the poller left it.
    EXPECT_TRUE(window().T2->enabled());
    EXPECT_TRUE(window().T6->enabled());
}

TEST_F(SettingsWindow, OpensCentredOnTheDesktopAsAToolWindow) {
    window().N38Click();
    const QPoint offset =
        settings().frameGeometry().center() - settings().screen()->availableGeometry().center();
    EXPECT_LE(std::abs(offset.x()), 1);
    EXPECT_LE(std::abs(offset.y()), 1);
    EXPECT_EQ(settings().windowFlags() & Qt::WindowType_Mask, Qt::Tool);
}

TEST_F(SettingsWindow, HasItsCaptionsAndDefaults) {
    EXPECT_FALSE(settings().isVisible());
    EXPECT_EQ(settings().windowTitle(), QStringLiteral("Редактор"));
    EXPECT_EQ(settings().size(), QSize(305, 105));
    EXPECT_EQ(settings().GroupBox1->title(), QStringLiteral("Путь файла:"));
    EXPECT_EQ(settings().GroupBox2->title(), QStringLiteral("Интервал (сек.):"));
    EXPECT_EQ(settings().Button1->text(), QStringLiteral("Хорошо"));
    EXPECT_EQ(settings().Button2->text(), QStringLiteral("Отмена"));
    EXPECT_EQ(settings().Edit1->text(), QStringLiteral("D:\\Txt.Dat"));
    EXPECT_EQ(settings().SpinEdit1->value(), 1000);
    EXPECT_EQ(settings().SpinEdit1->minimum(), 1);
    EXPECT_EQ(settings().SpinEdit1->maximum(), 60000);
    EXPECT_FALSE(settings().Timer1->enabled());
    EXPECT_FALSE(settings().windowFlags() & Qt::WindowCloseButtonHint);
}

TEST_F(SettingsWindow, EitherButtonClosesItAndRestoresTheMainWindow) {
    for (QPushButton* button : {settings().Button1, settings().Button2}) {
        window().N38Click();
        ASSERT_TRUE(settings().isVisible());
        QTest::mouseClick(button, Qt::LeftButton);
        expectMainRestored();
    }
}

TEST_F(SettingsWindow, NeitherButtonUndoesAnEdit) {
    window().N38Click();
    settings().Edit1->setText(QStringLiteral("Obmen\\Drugoi.Dat"));
    settings().SpinEdit1->setValue(2500);
    QTest::mouseClick(settings().Button2, Qt::LeftButton);
    EXPECT_EQ(settings().Edit1->text(), QStringLiteral("Obmen\\Drugoi.Dat"));
    EXPECT_EQ(settings().SpinEdit1->value(), 2500);

    // The exchange takes the edited path and interval at once.
    dir.write("Obmen/Drugoi.Dat", {"привет"});
    window().Cpu31Click();
    window().T1Timer();
    window().T6Timer();
    EXPECT_TRUE(boxes.messages.isEmpty());
    EXPECT_EQ(window().T6->interval(), 2500);
    EXPECT_EQ(dir.bytes("Obmen/Drugoi.Dat"), timers::lineBytes("Привет!"));

    window().N38Click();
    settings().Edit1->setText(QStringLiteral("Obmen\\Tretii.Dat"));
    QTest::mouseClick(settings().Button1, Qt::LeftButton);
    EXPECT_EQ(settings().Edit1->text(), QStringLiteral("Obmen\\Tretii.Dat"));
}

TEST_F(SettingsWindow, ClosedByTheWindowManagerRestoresTheMainWindowToo) {
    window().N38Click();
    ASSERT_TRUE(settings().isVisible());
    settings().close();
    expectMainRestored();
}

TEST_F(SettingsWindow, TheFocusHopLandsOnEitherFieldAsTheClockDraws) {
    window().N38Click();
    int onPath = 0;
    int onInterval = 0;
    for (std::uint32_t ms = 5; ms < 200'000; ms += 997) {
        program.clock.set(ms);
        // Away from both fields first, so that each hop is seen.
        settings().Button1->setFocus(Qt::OtherFocusReason);
        settings().Timer1Timer();
        const bool toPath = timers::firstDraw(ms, 6) % 2 == 0; // r = 1, 3 or 5
        ASSERT_EQ(focusIn(settings().Edit1), toPath) << "clock " << ms;
        ASSERT_EQ(focusIn(settings().SpinEdit1), !toPath) << "clock " << ms;
        ++(toPath ? onPath : onInterval);
    }
    EXPECT_GT(onPath, 40);
    EXPECT_GT(onInterval, 40);
}

TEST_F(SettingsWindow, AnIntervalFieldWithoutANumberGivesTheSmallestInterval) {
    window().N38Click();
    settings().SpinEdit1->setFocus(Qt::OtherFocusReason);
    settings().SpinEdit1->selectAll();
    QTest::keyClick(settings().SpinEdit1, Qt::Key_Backspace);
    ASSERT_TRUE(settings().SpinEdit1->text().isEmpty());
    dir.write("Obmen/Txt.Dat", {"привет"});
    settings().Edit1->setText(QStringLiteral("Obmen\\Txt.Dat"));
    window().Cpu31Click();
    window().T6Timer();
    EXPECT_EQ(window().T6->interval(), 1);
}

TEST_F(SettingsWindow, TheExchangeGoesOnWhileItIsOpen) {
    dir.write("Obmen/Txt.Dat", {"привет"});
    settings().Edit1->setText(QStringLiteral("Obmen\\Txt.Dat"));
    window().Cpu31Click();
    window().T1Timer();
    window().N38Click();
    window().T6Timer();
    EXPECT_EQ(timers::lastDisplayLine(program), "Привет!");
    EXPECT_EQ(dir.bytes("Obmen/Txt.Dat"), timers::lineBytes("Привет!"));
    EXPECT_FALSE(window().isEnabled());
}

TEST_F(SettingsWindow, AnEditOfEitherFieldClearsTheDefaultSettingsMark) {
    ASSERT_TRUE(window().N13->isChecked());
    window().N38Click();
    QTest::keyClicks(settings().Edit1, QStringLiteral("x"));
    EXPECT_FALSE(window().N13->isChecked());

    window().N13->setChecked(true);
    settings().SpinEdit1->setValue(1500);
    EXPECT_FALSE(window().N13->isChecked());
}

} // namespace
