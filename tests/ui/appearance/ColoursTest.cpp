// The colour commands of the settings menu: what each one recolours, what a
// cancel leaves, and which lines take the colours of the dialogue.

#include "AppearanceSupport.h"

#include <QAction>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace {

using namespace appearance;

const QColor kRed(255, 0, 0);
const QColor kGreen(0, 128, 0);
const QColor kBlue(0, 0, 255);
const QColor kYellow(255, 255, 0);

// The colour and font with which the display holds line `block`.
QTextCharFormat shownFormat(QTextEdit* display, int block) {
    QTextCursor cursor(display->document()->findBlockByNumber(block));
    cursor.movePosition(QTextCursor::NextCharacter);
    return cursor.charFormat();
}

class ColoursTest : public AppearanceFixture {
protected:
    DialogAnswers answers;
};

struct Command {
    const char* name;
    void (TForm1::*handler)();
    int colourDialogs;
    int fontDialogs;
};

const Command kCommands[] = {
    {"N6", &TForm1::N6Click, 1, 0},
    {"N21", &TForm1::N21Click, 1, 0},
    {"N16", &TForm1::N16Click, 1, 0},
    {"N9", &TForm1::N9Click, 3, 0},
    {"User1", &TForm1::User1Click, 1, 0},
    {"Cpu1", &TForm1::Cpu1Click, 1, 0},
    {"Mystring2", &TForm1::Mystring2Click, 1, 0},
    {"User2", &TForm1::User2Click, 0, 1},
    {"Cpu2", &TForm1::Cpu2Click, 0, 1},
    {"Mystring1", &TForm1::Mystring1Click, 0, 1},
};

TEST_F(ColoursTest, EveryColourAndFontCommandClearsTheRestoreTickConfirmedOrCancelled) {
    ASSERT_TRUE(main().N13->isChecked());
    for (const Command& command : kCommands) {
        for (const bool confirm : {false, true}) {
            SCOPED_TRACE(std::string(command.name) + (confirm ? " confirmed" : " cancelled"));
            main().N13Click();
            ASSERT_TRUE(main().N13->isChecked());
            for (int i = 0; i < command.colourDialogs; ++i)
                answers.colours.push_back(confirm ? std::optional<QColor>(kRed) : std::nullopt);
            for (int i = 0; i < command.fontDialogs; ++i) {
                answers.fonts.push_back(
                    confirm ? std::optional<QFont>(font("Arial", 8, false, false)) : std::nullopt);
            }
            (main().*command.handler)();
            EXPECT_FALSE(main().N13->isChecked());
            EXPECT_TRUE(answers.colours.empty());
            EXPECT_TRUE(answers.fonts.empty());
        }
    }
}

TEST_F(ColoursTest, ConfirmedColoursGoToTheirTargetsAndBecomeTheGeneralColour) {
    Look expected = lookOf(main());

    answers.colours = {kRed, kGreen, kBlue, kYellow};
    main().N6Click();
    expected.window = expected.general = kRed;
    EXPECT_EQ(lookOf(main()), expected);
    main().N21Click();
    expected.display = expected.general = kGreen;
    EXPECT_EQ(lookOf(main()), expected);
    main().N16Click();
    expected.input = expected.general = kBlue;
    EXPECT_EQ(lookOf(main()), expected);
    main().Mystring2Click();
    expected.inputText = expected.general = kYellow;
    EXPECT_EQ(lookOf(main()), expected);

    // Each dialog opens on the general colour as the last one left it.
    EXPECT_EQ(answers.colourShownOn, (std::vector<QColor>{kBlack, kRed, kGreen, kBlue}));
}

TEST_F(ColoursTest, ACancelledColourDialogChangesNothing) {
    answers.colours = {kRed, kGreen}; // a look that is not the initial one
    main().N21Click();
    main().User1Click();
    const Look before = lookOf(main());
    for (const Command& command : kCommands) {
        if (command.colourDialogs == 0)
            continue;
        SCOPED_TRACE(command.name);
        for (int i = 0; i < command.colourDialogs; ++i)
            answers.colours.push_back(std::nullopt);
        (main().*command.handler)();
        EXPECT_EQ(lookOf(main()), before);
    }
}

TEST_F(ColoursTest, TheThreeButtonCaptionDialogsAreIndependent) {
    answers.colours = {kRed, std::nullopt, kBlue};
    main().N9Click();
    EXPECT_EQ(colour(main().Speak, QPalette::ButtonText), kRed);
    EXPECT_EQ(colour(main().Cancel, QPalette::ButtonText), kBlack);
    EXPECT_EQ(colour(main().EnRus, QPalette::ButtonText), kBlue);
    EXPECT_EQ(main().ColorDialog1.Color, kBlue);
    // The second opens on the colour just chosen; the third after a cancel too.
    EXPECT_EQ(answers.colourShownOn, (std::vector<QColor>{kBlack, kRed, kRed}));

    main().N13Click();
    answers.colours = {std::nullopt, kGreen, std::nullopt};
    main().N9Click();
    EXPECT_EQ(colour(main().Speak, QPalette::ButtonText), kBlack);
    EXPECT_EQ(colour(main().Cancel, QPalette::ButtonText), kGreen);
    EXPECT_EQ(colour(main().EnRus, QPalette::ButtonText), kBlack);
}

TEST_F(ColoursTest, TheMyStringColourIsAlsoTheColourOfTheNextIdlePrompt) {
    answers.colours = {kRed};
    main().Mystring2Click();
    idlePrompt();
    ASSERT_EQ(program.display(), (std::vector<std::string>{"Ты здесь?"}));
    EXPECT_EQ(foreground(main().displayLineFormat(0)), kRed);

    // A cancel keeps the general colour.
    answers.colours = {std::nullopt};
    main().Mystring2Click();
    idlePrompt();
    ASSERT_EQ(main().displayCount(), 2);
    EXPECT_EQ(foreground(main().displayLineFormat(1)), kRed);
}

TEST_F(ColoursTest, IdlePromptsAreBlackUntilAGeneralColourIsChosen) {
    answers.colours = {std::nullopt};
    main().N6Click();
    idlePrompt();
    ASSERT_EQ(main().displayCount(), 1);
    EXPECT_EQ(foreground(main().displayLineFormat(0)), kBlack);
}

TEST_F(ColoursTest, LineColoursAreTakenByTheNextLinesAndShownLinesKeepTheirs) {
    program.say(QStringLiteral("привет"));
    answers.colours = {kGreen, kBlue};
    main().User1Click();
    EXPECT_EQ(foreground(main().currentDisplayFormat()), kGreen);
    main().Cpu1Click();
    EXPECT_EQ(foreground(main().currentDisplayFormat()), kBlue);
    program.say(QStringLiteral("как дела"));

    ASSERT_EQ(program.display(),
              (std::vector<std::string>{"Привет.", "Привет!", "Как дела.", "Хорошо. А у тебя?"}));
    const QColor expected[] = {kBlack, kBlack, kGreen, kBlue};
    for (int line = 0; line < 4; ++line) {
        SCOPED_TRACE(line);
        EXPECT_EQ(foreground(main().displayLineFormat(line)), expected[line]);
        EXPECT_EQ(foreground(shownFormat(main().RE1, line)), expected[line]);
    }
}

TEST_F(ColoursTest, ALineColourChosenWithTextSelectedInTheDisplayColoursThatText) {
    program.say(QStringLiteral("привет"));
    QTextCursor selection(main().RE1->document()->findBlockByNumber(1));
    selection.select(QTextCursor::BlockUnderCursor);
    main().RE1->setTextCursor(selection);

    answers.colours = {kGreen};
    main().Cpu1Click();
    EXPECT_EQ(foreground(shownFormat(main().RE1, 0)), kBlack);
    EXPECT_EQ(foreground(shownFormat(main().RE1, 1)), kGreen);

    // A cancel recolours nothing, also with a selection.
    answers.colours = {std::nullopt};
    main().User1Click();
    EXPECT_EQ(foreground(shownFormat(main().RE1, 1)), kGreen);
}

// Pixels of the button as drawn that are close to `colour`.
int pixelsNear(QWidget* button, const QColor& colour) {
    const QImage image = button->grab().toImage();
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            const int distance = std::abs(pixel.red() - colour.red()) +
                                 std::abs(pixel.green() - colour.green()) +
                                 std::abs(pixel.blue() - colour.blue());
            count += distance < 90 ? 1 : 0;
        }
    }
    return count;
}

class DisabledButtonsTest : public AppearanceFixture {
protected:
    DialogAnswers answers;
};

TEST_F(DisabledButtonsTest, ACaptionColourShowsOnlyWhileTheButtonIsEnabled) {
    answers.colours = {kRed, kGreen, kBlue};
    main().N9Click();
    main().show();
    const std::pair<QToolButton*, QColor> buttons[] = {
        {main().Speak, kRed}, {main().Cancel, kGreen}, {main().EnRus, kBlue}};

    main().Input->setText(QStringLiteral("привет"));
    main().addDisplayLine("x", engine::LineStyle::User);
    main().T1Timer();
    for (const auto& [button, colour] : buttons)
        EXPECT_GT(pixelsNear(button, colour), 0) << button->text().toStdString();

    main().Input->clear();
    main().clearDisplay();
    main().T1Timer();
    for (const auto& [button, colour] : buttons) {
        ASSERT_FALSE(button->isEnabled());
        EXPECT_EQ(pixelsNear(button, colour), 0) << button->text().toStdString();
    }
}

TEST_F(DisabledButtonsTest, AfterARestoreTheDisabledButtonsAreGreyedNotBlack) {
    main().N13Click();
    main().show();
    main().T1Timer();
    for (QToolButton* button : {main().Speak, main().EnRus, main().Cancel}) {
        ASSERT_FALSE(button->isEnabled());
        EXPECT_EQ(pixelsNear(button, kBlack), 0) << button->text().toStdString();
        EXPECT_GT(pixelsNear(button, QColor(110, 110, 110)), 0) << button->text().toStdString();
    }
    main().Input->setText(QStringLiteral("привет"));
    main().T1Timer();
    EXPECT_GT(pixelsNear(main().Speak, kBlack), 0);
}

} // namespace
