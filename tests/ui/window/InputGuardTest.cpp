// The input guard T5 on the window: one character of the input
// field per tick; a marker character erases the whole field, sounds the
// keyboard cue and disables the display for the rest of the run.

#include "WindowSupport.h"

namespace {

using test::Lines;
using test::str;

class InputGuardTest : public ::testing::Test {
protected:
    InputGuardTest() { dir.writeSmallBase(); }
    test::WorkingDirectory dir;
    test::MessageLog boxes;
};

const QString kMarkers[] = {QStringLiteral("^"), QStringLiteral("_"), QStringLiteral(";"),
                            QStringLiteral("@")};

// Ticks the guard until the field is empty; the number of ticks, or -1 when
// `limit` ticks left it as it was.
int ticksUntilErased(TForm1& window, int limit) {
    for (int tick = 1; tick <= limit; ++tick) {
        window.T5Timer();
        if (window.Input->text().isEmpty())
            return tick;
    }
    return -1;
}

TEST_F(InputGuardTest, AMarkerIsFoundAtTheTickOfItsPositionFromAFreshStart) {
    for (const QString& marker : kMarkers) {
        for (int position = 0; position < 5; ++position) {
            QString text = QStringLiteral("абвг");
            text.insert(position, marker);
            SCOPED_TRACE(str(text));
            test::Program program(dir);
            TForm1& w = program.main();
            program.type(text);
            const int typed = test::asked(w, engine::Cue::KeyBoard);
            // One character per tick: the marker is examined at tick position + 1.
            for (int tick = 0; tick < position; ++tick)
                w.T5Timer();
            EXPECT_EQ(w.Input->text(), text);
            EXPECT_TRUE(w.RE1->isEnabled());
            w.T5Timer();
            EXPECT_TRUE(w.Input->text().isEmpty());
            EXPECT_FALSE(w.RE1->isEnabled());
            EXPECT_EQ(test::asked(w, engine::Cue::KeyBoard), typed + 1);
        }
    }
}

TEST_F(InputGuardTest, AMarkerTypedAnywhereIsFoundWithinAsManyTicksAsTheTextHasCharacters) {
    test::Program program(dir);
    TForm1& w = program.main();
    // The guard keeps its place from text to text; whatever the place, a
    // marker is met within one walk over the text.
    const QString texts[] = {QStringLiteral("привет^"),   QStringLiteral("_я"),
                             QStringLiteral("как;дела"), QStringLiteral("@"),
                             QStringLiteral("до встречи@"), QStringLiteral("ab^"),
                             QStringLiteral("очень длинная фраза с маркером _ внутри")};
    int checked = 0;
    for (int round = 0; round < 3; ++round) {
        for (const QString& text : texts) {
            SCOPED_TRACE(str(text));
            // A few ticks over a text without markers move the guard's place.
            program.type(QStringLiteral("абв"));
            for (int tick = 0; tick < round + checked % 4; ++tick)
                w.T5Timer();
            ASSERT_EQ(w.Input->text(), QStringLiteral("абв"));
            w.Input->clear();
            program.type(text);
            const int ticks = ticksUntilErased(w, static_cast<int>(text.size()));
            EXPECT_GE(ticks, 1);
            ++checked;
        }
    }
    EXPECT_FALSE(w.RE1->isEnabled());
}

TEST_F(InputGuardTest, AMarkerTypedAfterTheGuardHasWalkedTheTextIsFound) {
    test::Program program(dir);
    TForm1& w = program.main();
    program.type(QStringLiteral("привет"));
    for (int tick = 0; tick < 20; ++tick)
        w.T5Timer();
    EXPECT_EQ(w.Input->text(), QStringLiteral("привет"));
    program.type(QStringLiteral("^"));
    EXPECT_GE(ticksUntilErased(w, 7), 1);
}

TEST_F(InputGuardTest, AMarkerLeftInAShortenedTextIsFound) {
    test::Program program(dir);
    TForm1& w = program.main();
    program.type(QStringLiteral("^абвгдежз"));
    w.Input->setCursorPosition(1);
    // The guard is past the start when the text gets shorter.
    QTest::keyClick(w.Input, Qt::Key_Backspace); // removes the marker
    for (int tick = 0; tick < 6; ++tick)
        w.T5Timer();
    ASSERT_EQ(w.Input->text(), QStringLiteral("абвгдежз"));
    w.Input->setCursorPosition(8);
    for (int i = 0; i < 6; ++i)
        QTest::keyClick(w.Input, Qt::Key_Backspace);
    program.type(QStringLiteral("@"));
    ASSERT_EQ(w.Input->text(), QStringLiteral("аб@"));
    EXPECT_GE(ticksUntilErased(w, 3), 1);
}

TEST_F(InputGuardTest, TextWithoutMarkersStaysAndAnEmptyFieldIsLeftAlone) {
    test::Program program(dir);
    TForm1& w = program.main();
    for (int tick = 0; tick < 5; ++tick)
        w.T5Timer();
    EXPECT_EQ(test::asked(w, engine::Cue::KeyBoard), 0);
    program.type(QStringLiteral("Привет, как дела? Всё хорошо! 100% #1 & \"да\" - (ну) + ~ 'a'"));
    const int typed = test::asked(w, engine::Cue::KeyBoard);
    for (int tick = 0; tick < 200; ++tick)
        w.T5Timer();
    EXPECT_EQ(w.Input->text(), QStringLiteral("Привет, как дела? Всё хорошо! 100% #1 & \"да\" - (ну) + ~ 'a'"));
    EXPECT_TRUE(w.RE1->isEnabled());
    EXPECT_EQ(test::asked(w, engine::Cue::KeyBoard), typed);
}

TEST_F(InputGuardTest, TheDisplayStaysDisabledForTheRestOfTheRunAndStillGetsLines) {
    test::Program program(dir);
    TForm1& w = program.main();
    program.type(QStringLiteral("^"));
    w.T5Timer();
    ASSERT_FALSE(w.RE1->isEnabled());
    ASSERT_TRUE(w.Input->text().isEmpty());
    for (int tick = 0; tick < 5; ++tick) {
        w.T5Timer(); // nothing to examine
        w.T1Timer();
    }
    program.say(QStringLiteral("привет"));
    program.say(QStringLiteral("как дела"));
    EXPECT_EQ(program.display(), (Lines{"Привет.", "Привет!", "Как дела.", "Хорошо. А у тебя?"}));
    EXPECT_EQ(w.RE1->document()->toPlainText(),
              QStringLiteral("Привет.\nПривет!\nКак дела.\nХорошо. А у тебя?"));
    w.N2Click();
    w.CancelClick();
    program.say(QStringLiteral("привет"));
    EXPECT_EQ(w.displayCount(), 2);
    EXPECT_FALSE(w.RE1->isEnabled());
}

TEST_F(InputGuardTest, TheErasureIsOneChangeOfTheField) {
    test::Program program(dir);
    TForm1& w = program.main();
    test::Trace trace(w);
    program.type(QStringLiteral("а;"));
    w.T5Timer();
    w.T5Timer();
    EXPECT_EQ(trace.flush(), (Lines{"MP1", "input: а", "MP1", "input: а;", "MP1", "input: "}));
}

} // namespace
