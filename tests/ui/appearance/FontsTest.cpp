// The font commands: the fonts of the user's and the program's lines, and
// the font of the input field.

#include "AppearanceSupport.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFontComboBox>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>

namespace {

using namespace appearance;
using Lines = std::vector<std::string>;

const FontLook kInitial{QStringLiteral("MS Sans Serif"), 8, false, false};

FontLook shownLook(QTextEdit* display, int block) {
    QTextCursor cursor(display->document()->findBlockByNumber(block));
    cursor.movePosition(QTextCursor::NextCharacter);
    return look(cursor.charFormat());
}

void selectLine(QTextEdit* display, int block) {
    QTextCursor selection(display->document()->findBlockByNumber(block));
    selection.select(QTextCursor::BlockUnderCursor);
    display->setTextCursor(selection);
}

class FontsTest : public AppearanceFixture {};

TEST_F(FontsTest, LineFontsAreTakenByTheNextLinesAndShownLinesKeepTheirs) {
    DialogAnswers answers;
    program.say(QStringLiteral("привет"));
    answers.fonts = {font("Courier New", 12, true, false), font("Arial", 10, false, true)};
    main().User2Click();
    main().Cpu2Click();
    program.say(QStringLiteral("как дела"));

    ASSERT_EQ(main().displayCount(), 4);
    const FontLook expected[] = {kInitial,
                                 kInitial,
                                 {QStringLiteral("Courier New"), 12, true, false},
                                 {QStringLiteral("Arial"), 10, false, true}};
    for (int line = 0; line < 4; ++line) {
        SCOPED_TRACE(line);
        EXPECT_EQ(look(main().displayLineFormat(line)), expected[line]);
        EXPECT_EQ(shownLook(main().RE1, line), expected[line]);
    }
}

TEST_F(FontsTest, ACancelledUserFontStillReappliesItsSizeAndStyle) {
    DialogAnswers answers;
    answers.fonts = {font("Courier New", 14, true, false)};
    main().User2Click();
    program.say(QStringLiteral("привет")); // the program's line leaves its own font current
    ASSERT_EQ(look(main().currentDisplayFormat()), kInitial);

    selectLine(main().RE1, 1);
    answers.fonts = {std::nullopt};
    main().User2Click();
    const FontLook reapplied{QStringLiteral("MS Sans Serif"), 14, true, false};
    EXPECT_EQ(look(main().currentDisplayFormat()), reapplied);
    EXPECT_EQ(shownLook(main().RE1, 1), reapplied);
    EXPECT_EQ(shownLook(main().RE1, 0), (FontLook{QStringLiteral("Courier New"), 14, true, false}));
    EXPECT_EQ(look(main().FontDialog1.Font),
              (FontLook{QStringLiteral("Courier New"), 14, true, false}));

    // The idle prompt sets no font: it is written in what the cancel left.
    idlePrompt();
    ASSERT_EQ(main().displayCount(), 3);
    EXPECT_EQ(look(main().displayLineFormat(2)), reapplied);
}

TEST_F(FontsTest, ACancelledProgramFontStillReappliesItsSizeAndStyle) {
    DialogAnswers answers;
    answers.fonts = {font("Arial", 10, false, true), font("Courier New", 14, true, false)};
    main().Cpu2Click();
    main().User2Click();
    ASSERT_EQ(look(main().currentDisplayFormat()),
              (FontLook{QStringLiteral("Courier New"), 14, true, false}));
    answers.fonts = {std::nullopt};
    main().Cpu2Click();
    EXPECT_EQ(look(main().currentDisplayFormat()),
              (FontLook{QStringLiteral("Courier New"), 10, false, true}));
    EXPECT_EQ(look(main().FontDialog2.Font), (FontLook{QStringLiteral("Arial"), 10, false, true}));
}

TEST_F(FontsTest, TheMyStringFontSetsTheInputNameOnlyWhenConfirmedAndNeverItsSize) {
    DialogAnswers answers;
    const int inputSize = main().Input->font().pointSize();
    EXPECT_EQ(inputSize, 8);

    answers.fonts = {font("Courier New", 8, true, true)};
    main().Mystring1Click();
    EXPECT_EQ(look(main().Input->font()), (FontLook{QStringLiteral("Courier New"), 8, true, true}));

    // A size that the dialog would not offer does not reach the field either.
    answers.fonts = {font("Arial", 12, false, false)};
    main().Mystring1Click();
    EXPECT_EQ(look(main().Input->font()), (FontLook{QStringLiteral("Arial"), 8, false, false}));

    // A cancel sets the dialog's style, and keeps the name.
    main().N13Click(); // the field's font becomes bold
    ASSERT_TRUE(main().Input->font().bold());
    answers.fonts = {std::nullopt};
    main().Mystring1Click();
    EXPECT_EQ(look(main().Input->font()), (FontLook{QStringLiteral("Arial"), 8, false, false}));

    for (const auto& range : answers.fontRanges)
        EXPECT_EQ(range, std::make_pair(8, 8));
    EXPECT_EQ(main().FontDialog3.MinFontSize, 8);
    EXPECT_EQ(main().FontDialog3.MaxFontSize, 8);
}

// The sizes that the real font dialog offers, read while it is open; the
// dialog is then cancelled.
struct OfferedChoice {
    QStringList sizes;
    int effectChoices = 0;
};

OfferedChoice offeredByRealDialog(TForm1& window, void (TForm1::*command)()) {
    OfferedChoice offered;
    QTimer::singleShot(0, [&offered] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog) {
            ADD_FAILURE() << "no font dialog open";
            return;
        }
        for (QComboBox* box : dialog->findChildren<QComboBox*>()) {
            if (qobject_cast<QFontComboBox*>(box))
                continue;
            QStringList items;
            bool numbers = true;
            for (int i = 0; i < box->count(); ++i) {
                items.append(box->itemText(i));
                box->itemText(i).toInt(&numbers);
                if (!numbers)
                    break;
            }
            if (numbers && !items.isEmpty())
                offered.sizes = items;
        }
        offered.effectChoices = static_cast<int>(dialog->findChildren<QCheckBox*>().size());
        dialog->reject();
    });
    (window.*command)();
    return offered;
}

TEST_F(FontsTest, TheMyStringDialogOffersSizeEightOnly) {
    const OfferedChoice myString = offeredByRealDialog(main(), &TForm1::Mystring1Click);
    EXPECT_EQ(myString.sizes, QStringList{QStringLiteral("8")});
    EXPECT_EQ(myString.effectChoices, 0);
    EXPECT_FALSE(main().N13->isChecked());

    const OfferedChoice user = offeredByRealDialog(main(), &TForm1::User2Click);
    EXPECT_GT(user.sizes.size(), 1);
    EXPECT_EQ(user.effectChoices, 0);
    EXPECT_EQ(look(main().FontDialog1.Font), kInitial);
}

} // namespace
