// The control-state poller T1, Enter through the hidden default button, the
// send button, and the two hidden shortcut items N15 (Ctrl+Z) and N36
// (Ctrl+S).

#include "WindowSupport.h"

#include <QAction>
#include <QPushButton>
#include <QToolButton>

namespace {

using test::Lines;
using test::str;

class PollerTest : public ::testing::Test {
protected:
    PollerTest() { dir.writeSmallBase(); }
    test::WorkingDirectory dir;
    test::MessageLog boxes;
};

struct Controls {
    bool speak, enRus, talk, cancel, n15, t6;
    bool operator==(const Controls&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Controls& c) {
    return out << "{Speak " << c.speak << ", EnRus " << c.enRus << ", Talk " << c.talk << ", Cancel "
               << c.cancel << ", N15 " << c.n15 << ", T6 " << c.t6 << "}";
}

Controls controls(const TForm1& w) {
    return {w.Speak->isEnabled(), w.EnRus->isEnabled(), w.Talk->isEnabled(),
            w.Cancel->isEnabled(), w.N15->isEnabled(),  w.T6->enabled()};
}

TEST_F(PollerTest, AtStartEverySendAndUndoControlIsDisabled) {
    test::Program program(dir);
    EXPECT_EQ(controls(program.main()), (Controls{false, false, false, false, false, false}));
    program.main().T1Timer();
    EXPECT_EQ(controls(program.main()), (Controls{false, false, false, false, false, false}));
}

TEST_F(PollerTest, TheSendControlsFollowTheInputField) {
    test::Program program(dir);
    TForm1& w = program.main();
    program.type(QStringLiteral("д"));
    // Nothing changes until the poller ticks.
    EXPECT_FALSE(w.Speak->isEnabled());
    w.T1Timer();
    EXPECT_EQ(controls(w), (Controls{true, true, true, false, false, false}));
    QTest::keyClick(w.Input, Qt::Key_Backspace);
    ASSERT_TRUE(w.Input->text().isEmpty());
    w.T1Timer();
    EXPECT_EQ(controls(w), (Controls{false, false, false, false, false, false}));
    // A blank is text.
    program.type(QStringLiteral(" "));
    w.T1Timer();
    EXPECT_EQ(controls(w), (Controls{true, true, true, false, false, false}));
}

TEST_F(PollerTest, UndoIsEnabledWhileTheDisplayHoldsALine) {
    test::Program program(dir);
    TForm1& w = program.main();
    program.say(QStringLiteral("привет"));
    w.T1Timer();
    // The field was cleared by the answer.
    EXPECT_EQ(controls(w), (Controls{false, false, false, true, true, false}));
    w.CancelClick();
    w.T1Timer();
    EXPECT_TRUE(w.Cancel->isEnabled()); // one line left
    w.CancelClick();
    w.T1Timer();
    EXPECT_EQ(controls(w), (Controls{false, false, false, false, false, false}));
}

TEST_F(PollerTest, TheExchangeTimerFollowsTheModeMark) {
    test::Program program(dir);
    TForm1& w = program.main();
    w.Cpu31->setChecked(true);
    EXPECT_FALSE(w.T6->enabled());
    w.T1Timer();
    EXPECT_TRUE(w.T6->enabled());
    w.T1Timer();
    EXPECT_TRUE(w.T6->enabled());
    w.Cpu31->setChecked(false);
    w.T1Timer();
    EXPECT_FALSE(w.T6->enabled());
}

TEST_F(PollerTest, ThePollerMovesTheFocusIntoTheInputField) {
    test::Program program(dir);
    TForm1& w = program.main();
    test::showActive(w);
    w.RE1->setFocus(Qt::OtherFocusReason);
    ASSERT_TRUE(w.RE1->hasFocus());
    w.T1Timer();
    EXPECT_TRUE(w.Input->hasFocus());
}

TEST_F(PollerTest, ThePollerTouchesNoFile) {
    test::Program program(dir);
    TForm1& w = program.main();
    dir.remove("Base/Words.Dat");
    dir.remove("Base/Log.Brisol");
    program.type(QStringLiteral("да"));
    for (int tick = 0; tick < 3; ++tick)
        w.T1Timer();
    EXPECT_TRUE(boxes.messages.isEmpty());
    EXPECT_TRUE(w.Speak->isEnabled());
}

TEST_F(PollerTest, EnterInTheFieldRunsTheTurn) {
    test::Program program(dir);
    TForm1& w = program.main();
    test::showActive(w);
    w.T1Timer();
    program.type(QStringLiteral("привет"));
    w.T1Timer();
    ASSERT_TRUE(w.Input->hasFocus());
    // The key goes to the window as a person presses it.
    QTest::keyClick(w.windowHandle(), Qt::Key_Return);
    EXPECT_EQ(program.display(), (Lines{"Привет.", "Привет!"}));
    EXPECT_TRUE(w.Input->text().isEmpty());
}

TEST_F(PollerTest, EnterWithAnEmptyFieldDoesNothing) {
    test::Program program(dir);
    TForm1& w = program.main();
    test::showActive(w);
    w.T1Timer();
    QTest::keyClick(w.Input, Qt::Key_Return);
    QTest::keyClick(w.Input, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(w.displayCount(), 0);
    EXPECT_TRUE(program.transcript().empty());
    EXPECT_EQ(test::asked(w, engine::Cue::UserPhrase), 0);
    EXPECT_FALSE(w.busyCursor());
}

TEST_F(PollerTest, EnterWaitsForThePollerToEnableTheDefaultButton) {
    test::Program program(dir);
    TForm1& w = program.main();
    test::showActive(w);
    program.type(QStringLiteral("привет"));
    ASSERT_FALSE(w.Talk->isEnabled());
    QTest::keyClick(w.Input, Qt::Key_Return);
    EXPECT_EQ(w.displayCount(), 0);
    w.T1Timer();
    QTest::keyClick(w.Input, Qt::Key_Return);
    EXPECT_EQ(program.display(), (Lines{"Привет.", "Привет!"}));
}

TEST_F(PollerTest, TheDefaultButtonRunsTheTurnWhateverTheSendButtonsState) {
    test::Program program(dir);
    TForm1& w = program.main();
    program.type(QStringLiteral("привет"));
    ASSERT_FALSE(w.Speak->isEnabled()); // the poller has not ticked
    w.TalkClick();
    EXPECT_EQ(program.display(), (Lines{"Привет.", "Привет!"}));
}

TEST_F(PollerTest, TheDefaultButtonsClickRunsTheTurn) {
    test::Program program(dir);
    TForm1& w = program.main();
    program.type(QStringLiteral("привет"));
    w.T1Timer();
    w.Talk->click();
    EXPECT_EQ(program.display(), (Lines{"Привет.", "Привет!"}));
}

TEST_F(PollerTest, AClickOnTheSendButtonRunsTheTurn) {
    test::Program program(dir);
    TForm1& w = program.main();
    test::showActive(w);
    program.type(QStringLiteral("привет"));
    w.T1Timer();
    QTest::mouseClick(w.Speak, Qt::LeftButton);
    EXPECT_EQ(program.display(), (Lines{"Привет.", "Привет!"}));
    EXPECT_EQ(program.transcript(), (Lines{"USER:     Привет.", "CPU:     Привет!"}));
}

TEST_F(PollerTest, ADisabledSendButtonCannotBeClicked) {
    test::Program program(dir);
    TForm1& w = program.main();
    test::showActive(w);
    w.T1Timer();
    QTest::mouseClick(w.Speak, Qt::LeftButton);
    EXPECT_EQ(w.displayCount(), 0);
}

TEST_F(PollerTest, CtrlZUndoesAlsoWhenTheFieldHoldsTextAndHasTheFocus) {
    test::Program program(dir);
    TForm1& w = program.main();
    test::showActive(w);
    program.say(QStringLiteral("привет"));
    w.T7->setEnabled(false);
    program.type(QStringLiteral("как дела"));
    w.T1Timer();
    ASSERT_TRUE(w.Input->hasFocus());
    ASSERT_TRUE(w.N15->isEnabled());

    QTest::keyClick(w.Input, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(program.display(), (Lines{"Привет."}));
    EXPECT_EQ(program.transcript(), (Lines{"USER:     Привет."}));
    EXPECT_TRUE(w.T7->enabled());
    // The field did not take the key for its own undo.
    EXPECT_EQ(w.Input->text(), QStringLiteral("как дела"));

    w.T1Timer();
    QTest::keyClick(w.Input, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(program.display().empty());
    EXPECT_TRUE(program.transcript().empty());
    EXPECT_EQ(w.Input->text(), QStringLiteral("как дела"));
}

TEST_F(PollerTest, CtrlZIsIgnoredOnAnEmptyDisplay) {
    test::Program program(dir);
    TForm1& w = program.main();
    test::showActive(w);
    w.T7->setEnabled(false);
    w.T1Timer();
    ASSERT_FALSE(w.N15->isEnabled());
    QTest::keyClick(w.Input, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(w.displayCount(), 0);
    EXPECT_TRUE(program.transcript().empty());
    EXPECT_FALSE(w.T7->enabled()); // no undo ran
}

TEST_F(PollerTest, CtrlSConvertsTheLayoutAlsoWhileTheButtonIsDisabled) {
    test::Program program(dir);
    TForm1& w = program.main();
    test::showActive(w);
    program.type(QStringLiteral("ghbdtn"));
    ASSERT_FALSE(w.EnRus->isEnabled()); // the poller has not ticked
    const int keys = test::asked(w, engine::Cue::KeyBoard);
    QTest::keyClick(w.Input, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(w.Input->text(), QStringLiteral("привет"));
    EXPECT_EQ(test::asked(w, engine::Cue::Layout), 1);
    EXPECT_EQ(test::asked(w, engine::Cue::KeyBoard), keys + 1);
}

TEST_F(PollerTest, CtrlSWithAnEmptyFieldStillRunsTheConversion) {
    test::Program program(dir);
    TForm1& w = program.main();
    test::showActive(w);
    w.T1Timer();
    ASSERT_FALSE(w.EnRus->isEnabled());
    ASSERT_TRUE(w.N36->isEnabled());
    QTest::keyClick(w.Input, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(test::asked(w, engine::Cue::Layout), 1);
    EXPECT_TRUE(w.Input->text().isEmpty());
    EXPECT_EQ(test::asked(w, engine::Cue::KeyBoard), 0);
    w.T1Timer();
    EXPECT_TRUE(w.N36->isEnabled());
}

TEST_F(PollerTest, TheLayoutButtonConvertsWhenEnabled) {
    test::Program program(dir);
    TForm1& w = program.main();
    test::showActive(w);
    program.type(QStringLiteral("ghbdtn"));
    w.T1Timer();
    QTest::mouseClick(w.EnRus, Qt::LeftButton);
    EXPECT_EQ(w.Input->text(), QStringLiteral("привет"));
    EXPECT_EQ(test::asked(w, engine::Cue::Layout), 1);
}

} // namespace
