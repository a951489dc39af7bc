// The settings window, the about window and the on-screen keyboard belong to
// the main window: the window manager is told so, and keeps them above it.

#include "WindowSupport.h"

#include <QAction>
#include <QWindow>

#include <functional>

namespace {

struct Opening {
    const char* name;
    std::function<QWidget*(test::Program&)> window;
    std::function<void(TForm1&)> open;
};

void PrintTo(const Opening& opening, std::ostream* out) {
    *out << opening.name;
}

class AuxiliaryWindows : public ::testing::TestWithParam<Opening> {
protected:
    AuxiliaryWindows() { dir.writeSmallBase(); }
    test::WorkingDirectory dir;
    test::MessageLog boxes;
};

TEST_P(AuxiliaryWindows, TheMainWindowOwnsThemAsTheirTransientParent) {
    test::Program program(dir);
    test::showActive(program.main());
    QWidget* window = GetParam().window(program);
    EXPECT_EQ(window->parentWidget(), &program.main());
    EXPECT_TRUE(window->isWindow());

    GetParam().open(program.main());
    ASSERT_TRUE(window->isVisible());
    ASSERT_NE(window->windowHandle(), nullptr);
    EXPECT_EQ(window->windowHandle()->transientParent(), program.main().windowHandle());
    EXPECT_TRUE(window->isEnabled()); // though the main window that owns it is disabled
    EXPECT_FALSE(program.main().isEnabled());
}

TEST_P(AuxiliaryWindows, TheirTitleBarHasNoCloseBoxNoSystemMenuAndNoOtherBox) {
    test::Program program(dir);
    const Qt::WindowFlags flags = GetParam().window(program)->windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::WindowTitleHint));
    for (const Qt::WindowType box : {Qt::WindowCloseButtonHint, Qt::WindowSystemMenuHint,
                                     Qt::WindowMinimizeButtonHint, Qt::WindowMaximizeButtonHint})
        EXPECT_FALSE(flags.testFlag(box)) << box;
}

TEST_P(AuxiliaryWindows, AClickOnTheDisabledMainWindowHandsTheKeyboardToTheOpenWindow) {
    test::Program program(dir);
    test::showActive(program.main());
    QWidget* window = GetParam().window(program);
    GetParam().open(program.main());
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));

    program.main().activateWindow();
    EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == window; }));
    EXPECT_FALSE(program.main().isEnabled());
}

TEST_P(AuxiliaryWindows, TheirDisabledKeysStayReadableOnSilver) {
    test::Program program(dir);
    const QColor greyed =
        GetParam().window(program)->palette().color(QPalette::Disabled, QPalette::ButtonText);
    EXPECT_GT(std::abs(qGray(greyed.rgb()) - qGray(QColor(192, 192, 192).rgb())), 60)
        << greyed.name().toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    , AuxiliaryWindows,
    ::testing::Values(
        Opening{"Settings", [](test::Program& p) -> QWidget* { return p.form2.get(); },
                [](TForm1& main) { main.N38->trigger(); }},
        Opening{"About", [](test::Program& p) -> QWidget* { return p.form3.get(); },
                [](TForm1& main) { main.N12->trigger(); }},
        Opening{"Keyboard", [](test::Program& p) -> QWidget* { return p.form4.get(); },
                [](TForm1& main) { main.N22->trigger(); }}),
    [](const ::testing::TestParamInfo<Opening>& info) { return std::string(info.param.name); });

} // namespace
