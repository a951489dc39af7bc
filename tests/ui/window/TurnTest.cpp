#include "WindowSupport.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>
#include <QTextBlock>
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

TEST_F(TurnTest, TurnsGiveTheDisplayAndTranscriptLinesInOrder) {
    test::Program program(dir);
    program.say(QStringLiteral("привет"));
    program.say(QStringLiteral("как дела"));
    program.say(QStringLiteral("хорошо"));
    EXPECT_EQ(program.display(), (Lines{"Привет.", "Привет!", "Как дела.", "Хорошо. А у тебя?",
                                        "Хорошо.", "Рад за тебя!"}));
    EXPECT_EQ(program.transcript(),
              (Lines{"USER:     Привет.", "CPU:     Привет!", "USER:     Как дела.",
                     "CPU:     Хорошо. А у тебя?", "USER:     Хорошо.", "CPU:     Рад за тебя!"}));
    // The display shows what it holds, one line a paragraph.
    EXPECT_EQ(program.main().RE1->document()->toPlainText(),
              QStringLiteral("Привет.\nПривет!\nКак дела.\nХорошо. А у тебя?\nХорошо.\nРад за тебя!"));
}

void expectStyle(const QTextCharFormat& format, const QColor& colour, const QString& family,
                 qreal size, bool bold, bool italic, bool underline, bool strikeOut) {
    EXPECT_EQ(format.foreground().color(), colour);
    ASSERT_FALSE(format.fontFamilies().toStringList().isEmpty());
    EXPECT_EQ(format.fontFamilies().toStringList().first(), family);
    EXPECT_EQ(format.fontPointSize(), size);
    EXPECT_EQ(format.fontWeight() >= QFont::Bold, bold);
    EXPECT_EQ(format.fontItalic(), italic);
    EXPECT_EQ(format.fontUnderline(), underline);
    EXPECT_EQ(format.fontStrikeOut(), strikeOut);
}

// The format of the text of display line `index` as the display holds it.
QTextCharFormat shownFormat(const TForm1& window, int index) {
    const QTextBlock block = window.RE1->document()->findBlockByNumber(index);
    const QTextBlock::iterator fragment = block.begin();
    if (fragment.atEnd())
        return {};
    return fragment.fragment().charFormat();
}

TEST_F(TurnTest, TheUsersLineTakesTheUserStyleAndTheAnswerTheProgramStyle) {
    test::Program program(dir);
    TForm1& w = program.main();
    const QColor userColour(200, 0, 0);
    const QColor programColour(0, 0, 210);
    w.ColorDialog2.Color = userColour;
    QFont userFont(QStringLiteral("DejaVu Serif"));
    userFont.setPointSize(14);
    userFont.setBold(true);
    userFont.setItalic(true);
    w.FontDialog1.Font = userFont;
    w.ColorDialog3.Color = programColour;
    QFont programFont(QStringLiteral("DejaVu Sans Mono"));
    programFont.setPointSize(11);
    programFont.setUnderline(true);
    w.FontDialog2.Font = programFont;
    // The colour of the other dialogs is never used for dialogue lines.
    w.ColorDialog1.Color = QColor(0, 150, 0);

    program.say(QStringLiteral("привет"));
    ASSERT_EQ(w.displayCount(), 2);
    {
        SCOPED_TRACE("user line");
        expectStyle(w.displayLineFormat(0), userColour, QStringLiteral("DejaVu Serif"), 14, true, true,
                    false, false);
        expectStyle(shownFormat(w, 0), userColour, QStringLiteral("DejaVu Serif"), 14, true, true,
                    false, false);
    }
    {
        SCOPED_TRACE("answer");
        expectStyle(w.displayLineFormat(1), programColour, QStringLiteral("DejaVu Sans Mono"), 11, false,
                    false, true, false);
        expectStyle(shownFormat(w, 1), programColour, QStringLiteral("DejaVu Sans Mono"), 11, false,
                    false, true, false);
    }

    // New styles apply to the lines after them; earlier lines keep theirs.
    const QColor laterColour(90, 40, 0);
    w.ColorDialog2.Color = laterColour;
    QFont laterFont(QStringLiteral("DejaVu Sans"));
    laterFont.setPointSize(9);
    laterFont.setStrikeOut(true);
    w.FontDialog1.Font = laterFont;
    program.say(QStringLiteral("как дела"));
    ASSERT_EQ(w.displayCount(), 4);
    {
        SCOPED_TRACE("second user line");
        expectStyle(w.displayLineFormat(2), laterColour, QStringLiteral("DejaVu Sans"), 9, false, false,
                    false, true);
        expectStyle(shownFormat(w, 2), laterColour, QStringLiteral("DejaVu Sans"), 9, false, false,
                    false, true);
    }
    {
        SCOPED_TRACE("lines kept");
        expectStyle(shownFormat(w, 0), userColour, QStringLiteral("DejaVu Serif"), 14, true, true,
                    false, false);
        expectStyle(shownFormat(w, 3), programColour, QStringLiteral("DejaVu Sans Mono"), 11, false,
                    false, true, false);
    }
}

TEST_F(TurnTest, TheCuesAndTheCursorComeInTheirOrder) {
    test::Program program(dir);
    TForm1& w = program.main();
    test::Trace trace(w);
    program.say(QStringLiteral("при"));
    program.main().T1Timer();
    EXPECT_EQ(trace.flush(),
              (Lines{"MP1", "input: п", "MP1", "input: пр", "MP1", "input: при",
                     // Enter: the phrase with its cue, the answer with its cue, the clearing.
                     "busy", "MP2", "shown: При.", "MP5", "shown: Расскажи подробнее.", "normal", "MP1",
                     "input: "}));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_FALSE(w.busyCursor());
    EXPECT_FALSE(w.Speak->isEnabled());
    EXPECT_FALSE(w.Talk->isEnabled());
}

TEST_F(TurnTest, EveryChangeOfTheInputFieldSoundsTheKeyboardCue) {
    test::Program program(dir);
    TForm1& w = program.main();
    program.type(QStringLiteral("привет"));
    EXPECT_EQ(test::asked(w, engine::Cue::KeyBoard), 6);
    QTest::keyClick(w.Input, Qt::Key_Backspace);
    EXPECT_EQ(test::asked(w, engine::Cue::KeyBoard), 7);
    w.Input->setText(QStringLiteral("как дела"));
    EXPECT_EQ(test::asked(w, engine::Cue::KeyBoard), 8);
    // A key that changes nothing is no change.
    QTest::keyClick(w.Input, Qt::Key_Left);
    EXPECT_EQ(test::asked(w, engine::Cue::KeyBoard), 8);
    w.T1Timer();
    QTest::keyClick(w.Input, Qt::Key_Return);
    EXPECT_EQ(test::asked(w, engine::Cue::KeyBoard), 9); // the clearing after the answer
    EXPECT_EQ(test::asked(w, engine::Cue::UserPhrase), 1);
    EXPECT_EQ(test::asked(w, engine::Cue::Program), 1);
}

TEST_F(TurnTest, AFailedTurnLeavesTheBusyCursorUntilTheNextTurnEnds) {
    dir.remove("Base/Povtor.Dat");
    test::Program program(dir);
    TForm1& w = program.main();
    program.say(QStringLiteral("привет"));
    program.say(QStringLiteral("привет"));
    ASSERT_EQ(boxes.messages.size(), 1);
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    // No answer cue and no clearing for the failed turn.
    EXPECT_EQ(test::asked(w, engine::Cue::UserPhrase), 2);
    EXPECT_EQ(test::asked(w, engine::Cue::Program), 1);
    dir.write("Base/Povtor.Dat", {"Ты это уже говорил."});
    w.Input->clear();
    program.say(QStringLiteral("как дела"));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_FALSE(w.busyCursor());
    EXPECT_TRUE(w.Input->text().isEmpty());
}

TEST_F(TurnTest, CyrillicTextReachesTheEngineAsWindows1251) {
    test::Program program(dir);
    TForm1& w = program.main();
    program.type(QStringLiteral("ёлка"));
    EXPECT_EQ(w.inputText(), std::string("\xB8\xEB\xEA\xE0"));
    w.T1Timer();
    QTest::keyClick(w.Input, Qt::Key_Return);
    EXPECT_EQ(w.conversation().state().Phrase, std::string("\xA8\xEB\xEA\xE0."));
    EXPECT_EQ(program.display().front(), "Ёлка.");
    EXPECT_EQ(program.transcript().front(), "USER:     Ёлка.");
}

TEST_F(TurnTest, ACharacterWithoutAWindows1251FormBecomesAQuestionMark) {
    test::Program program(dir);
    TForm1& w = program.main();
    program.type(QStringLiteral("я日ты"));
    EXPECT_EQ(w.inputText(), test::cp1251("я?ты"));
    w.T1Timer();
    QTest::keyClick(w.Input, Qt::Key_Return);
    EXPECT_EQ(program.display().front(), "Я?ты.");
    EXPECT_EQ(program.transcript().front(), "USER:     Я?ты.");

    // A character outside the basic plane is one character, one "?".
    w.Input->setText(QStringLiteral("да") + QString::fromUcs4(U"\U0001F600"));
    EXPECT_EQ(w.inputText(), test::cp1251("да?"));
}

TEST_F(TurnTest, TheAnswersTextIsShownAsWindows1251Decodes) {
    dir.write("Base/Words.Dat", {"Заголовок", "ЦЕНА^Стоит 5€ — «дёшево»;"});
    test::Program program(dir);
    program.say(QStringLiteral("цена"));
    EXPECT_EQ(program.display(), (Lines{"Цена.", "Стоит 5€ — «дёшево»"}));
    EXPECT_EQ(program.main().RE1->document()->lastBlock().text(), QStringLiteral("Стоит 5€ — «дёшево»"));
}

} // namespace
