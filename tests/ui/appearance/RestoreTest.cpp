// The initial look, and "Вернуть первоначальные настройки" that brings it
// back.

#include "AppearanceSupport.h"

#include <QAction>
#include <QSpinBox>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace {

using namespace appearance;

const QColor kRed(255, 0, 0);
const QColor kGreen(0, 128, 0);
const QColor kBlue(0, 0, 255);
const FontLook kInitial{QStringLiteral("MS Sans Serif"), 8, false, false};

class RestoreTest : public ::testing::Test {
protected:
    TForm1& main() { return program.main(); }

    // Every colour and font of the menu set to something else.
    void changeEverything() {
        answers.colours = {kRed, kRed, kRed, kRed, kRed, kRed, kRed, kGreen, kBlue};
        answers.fonts = {font("Courier New", 12, true, false), font("Arial", 10, false, true),
                         font("Courier New", 8, false, true)};
        main().N6Click();
        main().N21Click();
        main().N16Click();
        main().Mystring2Click();
        main().N9Click();
        main().User1Click();
        main().Cpu1Click();
        main().User2Click();
        main().Cpu2Click();
        main().Mystring1Click();
        ASSERT_TRUE(answers.colours.empty());
        ASSERT_TRUE(answers.fonts.empty());
    }

    BaseDirectory dir;
    test::MessageLog boxes;
    DialogAnswers answers;
    test::Program program{dir};
};

TEST_F(RestoreTest, AtStartTheLookIsTheInitialOne) {
    EXPECT_TRUE(main().N13->isChecked());
    EXPECT_EQ(colour(&main(), QPalette::Window), kSilver);
    EXPECT_EQ(colour(main().RE1, QPalette::Base), kSilver);
    EXPECT_EQ(colour(main().Input, QPalette::Base), kSilver);
    EXPECT_EQ(colour(main().Input, QPalette::Text), kBlack);
    EXPECT_EQ(look(main().Input->font()), kInitial);
    EXPECT_EQ(colour(main().Cancel, QPalette::ButtonText), kBlack);
    EXPECT_EQ(colour(main().Speak, QPalette::ButtonText), colour(&main(), QPalette::WindowText));
    EXPECT_EQ(colour(main().EnRus, QPalette::ButtonText), colour(&main(), QPalette::WindowText));
    for (const ui::FontDialog* dialog :
         {&main().FontDialog1, &main().FontDialog2, &main().FontDialog3})
        EXPECT_EQ(look(dialog->Font), kInitial);

    program.say(QStringLiteral("привет"));
    ASSERT_EQ(main().displayCount(), 2);
    for (int line = 0; line < 2; ++line) {
        EXPECT_EQ(foreground(main().displayLineFormat(line)), kBlack);
        EXPECT_EQ(look(main().displayLineFormat(line)), kInitial);
    }
}

TEST_F(RestoreTest, RestoreBringsBackTheInitialLookButNotTheInputFontName) {
    changeEverything();
    program.form2->Edit1->setText(QStringLiteral("E:\\Other.Dat"));
    program.form2->SpinEdit1->setValue(2500);
    program.form3->setHeight(TForm3::ExpandedHeight);

    main().N13Click();

    EXPECT_EQ(colour(&main(), QPalette::Window), kSilver);
    EXPECT_EQ(colour(main().RE1, QPalette::Base), kSilver);
    EXPECT_EQ(colour(main().Input, QPalette::Base), kSilver);
    EXPECT_EQ(colour(main().Input, QPalette::Text), kBlack);
    EXPECT_EQ(look(main().Input->font()),
              (FontLook{QStringLiteral("Courier New"), 8, true, false}));
    EXPECT_EQ(colour(main().Speak, QPalette::ButtonText), kBlack);
    EXPECT_EQ(colour(main().Cancel, QPalette::ButtonText), kBlack);
    EXPECT_EQ(colour(main().EnRus, QPalette::ButtonText), kBlack);
    EXPECT_EQ(main().ColorDialog1.Color, kBlack);
    EXPECT_EQ(main().ColorDialog2.Color, kBlack);
    EXPECT_EQ(main().ColorDialog3.Color, kBlack);
    EXPECT_EQ(look(main().FontDialog1.Font), kInitial);
    EXPECT_EQ(look(main().FontDialog2.Font), kInitial);
    // Name and size come back; the style stays as chosen.
    EXPECT_EQ(look(main().FontDialog3.Font),
              (FontLook{QStringLiteral("MS Sans Serif"), 8, false, true}));
    EXPECT_EQ(program.form2->Edit1->text(), QStringLiteral("D:\\Txt.Dat"));
    EXPECT_EQ(program.form2->SpinEdit1->value(), 1000);
    EXPECT_EQ(program.form3->Height(), 179);
    // Resetting the two settings fields was an edit of them.
    EXPECT_FALSE(main().N13->isChecked());

    // The next lines are written in the initial look again.
    program.say(QStringLiteral("привет"));
    ASSERT_EQ(main().displayCount(), 2);
    for (int line = 0; line < 2; ++line) {
        SCOPED_TRACE(line);
        EXPECT_EQ(foreground(main().displayLineFormat(line)), kBlack);
        EXPECT_EQ(look(main().displayLineFormat(line)), kInitial);
    }
}

TEST_F(RestoreTest, RestoreWithTheSettingsAtTheirDefaultsEndsTicked) {
    answers.colours = {kRed};
    main().N21Click();
    ASSERT_FALSE(main().N13->isChecked());
    main().N13Click();
    EXPECT_TRUE(main().N13->isChecked());
    EXPECT_EQ(colour(main().RE1, QPalette::Base), kSilver);
}

TEST_F(RestoreTest, RestoreLeavesTheLinesShownAndTheFullScreenLayout) {
    answers.colours = {kGreen};
    main().User1Click();
    program.say(QStringLiteral("привет"));
    main().N40Click();
    main().N13Click();
    EXPECT_TRUE(main().N40->isChecked());
    EXPECT_TRUE(main().isMaximized());
    EXPECT_EQ(foreground(main().displayLineFormat(0)), kGreen);
    QTextCursor cursor(main().RE1->document()->findBlockByNumber(0));
    cursor.movePosition(QTextCursor::NextCharacter);
    EXPECT_EQ(foreground(cursor.charFormat()), kGreen);
}

} // namespace
