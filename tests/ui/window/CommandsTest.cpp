// Undo and new dialogue on the window.

#include "WindowSupport.h"

#include <QAction>
#include <QToolButton>

namespace {

using test::Lines;
using test::str;

class CommandsTest : public ::testing::Test {
protected:
    CommandsTest() { dir.writeSmallBase(); }
    test::WorkingDirectory dir;
    test::MessageLog boxes;
};

TEST_F(CommandsTest, UndoRemovesTheLastDisplayAndTranscriptLinesAndArmsTheShake) {
    test::Program program(dir);
    TForm1& w = program.main();
    program.say(QStringLiteral("привет"));
    program.say(QStringLiteral("как дела"));
    w.T7->setEnabled(false);
    w.T10->setEnabled(false);
    const std::string words = dir.bytes("Base/Words.Dat");
    const std::string prevReply = w.conversation().state().PrevReply;
    program.type(QStringLiteral("хорошо"));

    w.CancelClick();
    EXPECT_EQ(program.display(), (Lines{"Привет.", "Привет!", "Как дела."}));
    EXPECT_EQ(w.RE1->document()->toPlainText(), QStringLiteral("Привет.\nПривет!\nКак дела."));
    EXPECT_EQ(program.transcript(), (Lines{"USER:     Привет.", "CPU:     Привет!", "USER:     Как дела."}));
    EXPECT_TRUE(w.T7->enabled());
    EXPECT_FALSE(w.T10->enabled()); // the shake arms it later
    // Nothing else changes.
    EXPECT_EQ(w.Input->text(), QStringLiteral("хорошо"));
    EXPECT_EQ(dir.bytes("Base/Words.Dat"), words);
    EXPECT_EQ(w.conversation().state().PrevReply, prevReply);

    w.CancelClick();
    w.CancelClick();
    EXPECT_EQ(program.display(), (Lines{"Привет."}));
    EXPECT_EQ(program.transcript(), (Lines{"USER:     Привет."}));
}

TEST_F(CommandsTest, UndoOnEmptyListsDoesNothing) {
    test::Program program(dir);
    TForm1& w = program.main();
    w.CancelClick();
    EXPECT_EQ(w.displayCount(), 0);
    EXPECT_TRUE(w.RE1->document()->toPlainText().isEmpty());
    EXPECT_TRUE(program.transcript().empty());
    EXPECT_TRUE(boxes.messages.isEmpty());
    // And the lists work as before.
    program.say(QStringLiteral("привет"));
    EXPECT_EQ(program.display(), (Lines{"Привет.", "Привет!"}));
}

TEST_F(CommandsTest, TheUndoButtonUndoes) {
    test::Program program(dir);
    TForm1& w = program.main();
    test::showActive(w);
    program.say(QStringLiteral("привет"));
    w.T1Timer();
    ASSERT_TRUE(w.Cancel->isEnabled());
    QTest::mouseClick(w.Cancel, Qt::LeftButton);
    EXPECT_EQ(program.display(), (Lines{"Привет."}));
    EXPECT_EQ(program.transcript(), (Lines{"USER:     Привет."}));
}

TEST_F(CommandsTest, AfterUndoTheNextLinesFollowTheRemainingOnes) {
    test::Program program(dir);
    TForm1& w = program.main();
    program.say(QStringLiteral("привет"));
    w.CancelClick();
    w.CancelClick();
    program.say(QStringLiteral("как дела"));
    EXPECT_EQ(program.display(), (Lines{"Как дела.", "Хорошо. А у тебя?"}));
    EXPECT_EQ(w.RE1->document()->toPlainText(), QStringLiteral("Как дела.\nХорошо. А у тебя?"));
    EXPECT_EQ(w.RE1->document()->blockCount(), 2);
}

TEST_F(CommandsTest, NewDialogueClearsDisplayTranscriptAndInputAndArmsShakeAndGreeting) {
    test::Program program(dir);
    TForm1& w = program.main();
    program.say(QStringLiteral("привет"));
    w.T7->setEnabled(false);
    w.T10->setEnabled(false);
    program.type(QStringLiteral("как"));
    const int keys = test::asked(w, engine::Cue::KeyBoard);
    const std::string prevReply = w.conversation().state().PrevReply;
    const int depth = w.conversation().state().BranchDepth;

    w.N2Click();
    EXPECT_EQ(w.displayCount(), 0);
    EXPECT_TRUE(w.RE1->document()->toPlainText().isEmpty());
    EXPECT_TRUE(program.transcript().empty());
    EXPECT_TRUE(w.Input->text().isEmpty());
    EXPECT_EQ(test::asked(w, engine::Cue::KeyBoard), keys + 1); // the clearing of the field
    EXPECT_TRUE(w.T7->enabled());
    EXPECT_TRUE(w.T10->enabled());
    // The dialogue variables are not reset.
    EXPECT_EQ(w.conversation().state().PrevReply, prevReply);
    EXPECT_EQ(w.conversation().state().BranchDepth, depth);
    // Nothing went to the log.
    EXPECT_TRUE(dir.lines("Base/Log.Brisol").empty());
}

TEST_F(CommandsTest, NewDialogueFromTheMenu) {
    test::Program program(dir);
    TForm1& w = program.main();
    program.say(QStringLiteral("привет"));
    w.N2->trigger();
    EXPECT_EQ(w.displayCount(), 0);
    EXPECT_TRUE(program.transcript().empty());
    w.T1Timer();
    EXPECT_FALSE(w.Cancel->isEnabled());
    EXPECT_FALSE(w.N15->isEnabled());
    program.say(QStringLiteral("как дела"));
    EXPECT_EQ(program.display(), (Lines{"Как дела.", "Хорошо. А у тебя?"}));
}

TEST_F(CommandsTest, NewDialogueWithAnEmptyFieldSoundsNoKeyboardCue) {
    test::Program program(dir);
    TForm1& w = program.main();
    program.say(QStringLiteral("привет"));
    const int keys = test::asked(w, engine::Cue::KeyBoard);
    w.N2Click();
    EXPECT_EQ(test::asked(w, engine::Cue::KeyBoard), keys);
}

} // namespace
