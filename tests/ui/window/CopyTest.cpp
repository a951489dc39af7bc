// Ctrl+C copies the display's selection although the poller keeps the focus
// in the input field; a selection in the input field is copied as before.

#include "WindowSupport.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QTextCursor>

namespace {

class CopyTest : public ::testing::Test {
protected:
    CopyTest() {
        dir.writeSmallBase();
        QGuiApplication::clipboard()->setText(QStringLiteral("прежнее"));
    }
    TForm1& main() { return program.main(); }
    // Selects `length` characters of the display from `start`.
    void selectInDisplay(int start, int length) {
        QTextCursor cursor(main().RE1->document());
        cursor.setPosition(start);
        cursor.setPosition(start + length, QTextCursor::KeepAnchor);
        main().RE1->setTextCursor(cursor);
    }
    void pressCtrlC() {
        main().T1Timer(); // the focus goes back to the input field
        ASSERT_TRUE(main().Input->hasFocus());
        QTest::keyClick(main().Input, Qt::Key_C, Qt::ControlModifier);
    }
    static QString clipboard() { return QGuiApplication::clipboard()->text(); }

    test::WorkingDirectory dir;
    test::MessageLog boxes;
    test::Program program{dir};
};

TEST_F(CopyTest, CtrlCCopiesTheDisplaysSelectionWhileTheInputFieldHasTheFocus) {
    test::showActive(main());
    program.say(QStringLiteral("привет"));
    ASSERT_EQ(main().RE1->document()->toPlainText(), QStringLiteral("Привет.\nПривет!"));
    selectInDisplay(8, 6);
    pressCtrlC();
    EXPECT_EQ(clipboard(), QStringLiteral("Привет"));
}

TEST_F(CopyTest, ASelectionInTheInputFieldIsCopiedBeforeTheDisplays) {
    test::showActive(main());
    program.say(QStringLiteral("привет"));
    selectInDisplay(0, 6);
    program.type(QStringLiteral("как дела"));
    main().Input->setSelection(4, 4);
    pressCtrlC();
    EXPECT_EQ(clipboard(), QStringLiteral("дела"));
    EXPECT_EQ(main().Input->text(), QStringLiteral("как дела"));
}

TEST_F(CopyTest, WithoutASelectionCtrlCLeavesTheClipboardAlone) {
    test::showActive(main());
    program.say(QStringLiteral("привет"));
    program.type(QStringLiteral("как дела"));
    pressCtrlC();
    EXPECT_EQ(clipboard(), QStringLiteral("прежнее"));
}

} // namespace
