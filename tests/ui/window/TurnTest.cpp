#include "Support.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

using Lines = std::vector<std::string>;

class TurnTest : public ::testing::Test {
protected:
    TurnTest() { dir.writeSmallBase(); }
    test::WorkingDirectory dir;
    test::MessageLog boxes;
};

TEST_F(TurnTest, TypingAndEnterShowThePhraseAndTheAnswer) {
    test::Program program(dir);
    program.say(QStringLiteral("привет"));
    EXPECT_EQ(program.display(), (Lines{"Привет.", "Привет!"}));
    EXPECT_EQ(program.transcript(), (Lines{"USER:     Привет.", "CPU:     Привет!"}));
    EXPECT_TRUE(program.main().Input->text().isEmpty());
    EXPECT_FALSE(program.main().busyCursor());
    EXPECT_TRUE(boxes.messages.isEmpty());
}

TEST_F(TurnTest, EnterOnAnEmptyFieldDoesNothing) {
    test::Program program(dir);
    program.main().T1Timer();
    EXPECT_FALSE(program.main().Talk->isEnabled());
    EXPECT_FALSE(program.main().Speak->isEnabled());
    QTest::keyClick(program.main().Input, Qt::Key_Return);
    EXPECT_EQ(program.main().displayCount(), 0);
}

TEST_F(TurnTest, AFileErrorIsShownWithAFullStopAndTheTurnStops) {
    dir.remove("Base/Povtor.Dat");
    test::Program program(dir);
    program.say(QStringLiteral("привет"));
    program.say(QStringLiteral("ПРИВЕТ"));
    ASSERT_EQ(boxes.messages, QStringList{QStringLiteral("Cannot open file Base\\Povtor.Dat.")});
    EXPECT_EQ(program.display(), (Lines{"Привет.", "Привет!", "ПРИВЕТ."}));
    EXPECT_EQ(program.main().Input->text(), QStringLiteral("ПРИВЕТ"));
    EXPECT_TRUE(program.main().busyCursor());
}

} // namespace
