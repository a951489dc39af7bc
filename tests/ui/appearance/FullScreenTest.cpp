// "Full Screen" and "Normal": the maximised layout and the way back.

#include "AppearanceSupport.h"

#include <QAction>
#include <QCoreApplication>
#include <QFrame>
#include <QScrollBar>

namespace {

using namespace appearance;

class FullScreenTest : public ::testing::Test {
protected:
    TForm1& main() { return program.main(); }

    // The window's outer size from its client area: the normal layout's numbers
    // (a display 581 wide is W - 11, an input bar at 312 is H - 99 with a
    // client area of 587 by 361) put it 5 pixels wider and 50 taller.
    int W() { return main().centralWidget()->width() + 5; }
    int H() { return main().centralWidget()->height() + 50; }

    void expectNormalLayout() {
        EXPECT_EQ(main().TabControl1->size(), QSize(588, 313));
        EXPECT_EQ(main().RE1->size(), QSize(581, 305));
        EXPECT_EQ(main().TabControl2->width(), 585);
        EXPECT_EQ(main().TabControl2->y(), 312);
        EXPECT_EQ(main().Speak->x(), 496);
        EXPECT_EQ(main().EnRus->x(), 453);
        EXPECT_EQ(main().Cancel->x(), 426);
        EXPECT_EQ(main().Input->width(), 422);
    }

    void expectFullScreenLayout() {
        EXPECT_EQ(main().TabControl1->size(), QSize(W() - 4, H() - 98));
        EXPECT_EQ(main().RE1->size(), QSize(W() - 11, H() - 108));
        EXPECT_EQ(main().TabControl2->width(), W() - 5);
        EXPECT_EQ(main().TabControl2->y(), H() - 99);
        EXPECT_EQ(main().Speak->x(), W() - 93);
        EXPECT_EQ(main().EnRus->x(), W() - 136);
        EXPECT_EQ(main().Cancel->x(), W() - 163);
        EXPECT_EQ(main().Input->width(), W() - 167);
    }

    BaseDirectory dir;
    test::MessageLog boxes;
    test::Program program{dir};
};

TEST_F(FullScreenTest, TheWindowStartsInItsNormalLayout) {
    EXPECT_FALSE(main().N40->isChecked());
    EXPECT_EQ(main().N40->text(), QStringLiteral("&Full Screen"));
    EXPECT_EQ(main().centralWidget()->size(), QSize(587, 361));
    EXPECT_EQ(main().RE1->geometry(), QRect(3, 6, 581, 303));
    EXPECT_EQ(main().TabControl1->geometry(), QRect(0, 0, 588, 313));
    EXPECT_EQ(main().TabControl2->geometry(), QRect(0, 312, 585, 30));
    EXPECT_EQ(main().Input->geometry(), QRect(3, 5, 422, 21));
}

TEST_F(FullScreenTest, FullScreenMaximisesAndLaysTheWindowOutByItsSize) {
    main().show();
    main().N40Click();
    QCoreApplication::processEvents(); // the window system's answer to maximising
    EXPECT_TRUE(main().N40->isChecked());
    EXPECT_EQ(main().N40->text(), QStringLiteral("Normal"));
    EXPECT_TRUE(main().isMaximized());
    EXPECT_GT(main().centralWidget()->width(), 587);
    EXPECT_GT(main().centralWidget()->height(), 361);
    expectFullScreenLayout();
}

TEST_F(FullScreenTest, NormalGivesBackTheFirstSizesWithTheDisplayTwoPixelsTaller) {
    main().show();
    main().N40Click();
    QCoreApplication::processEvents();
    main().N40Click();
    QCoreApplication::processEvents();
    EXPECT_FALSE(main().N40->isChecked());
    EXPECT_EQ(main().N40->text(), QStringLiteral("Full Screen"));
    EXPECT_FALSE(main().isMaximized());
    expectNormalLayout();

    // And full screen once more.
    main().N40Click();
    QCoreApplication::processEvents();
    EXPECT_TRUE(main().N40->isChecked());
    EXPECT_EQ(main().N40->text(), QStringLiteral("Normal"));
    EXPECT_TRUE(main().isMaximized());
    expectFullScreenLayout();
}

TEST_F(FullScreenTest, TheMenuItemTogglesTheLayout) {
    main().show();
    main().N40->trigger();
    QCoreApplication::processEvents();
    EXPECT_TRUE(main().N40->isChecked());
    EXPECT_TRUE(main().isMaximized());
    main().N40->trigger();
    QCoreApplication::processEvents();
    EXPECT_FALSE(main().N40->isChecked());
    EXPECT_FALSE(main().isMaximized());
    expectNormalLayout();
}

TEST_F(FullScreenTest, BackFromFullScreenTheWindowStandsWhereItStoodAndShowsTheLastLine) {
    for (int line = 0; line < 60; ++line)
        main().addDisplayLine("строка", engine::LineStyle::Program);
    main().show();
    main().move(123, 77);
    QCoreApplication::processEvents();
    const QRect before = main().geometry();

    main().N40Click();
    QCoreApplication::processEvents();
    ASSERT_TRUE(main().isMaximized());
    main().N40Click();
    QCoreApplication::processEvents();

    EXPECT_EQ(main().geometry(), before);
    const QScrollBar* bar = main().RE1->verticalScrollBar();
    EXPECT_GT(bar->maximum(), 0);
    EXPECT_EQ(bar->value(), bar->maximum());
}

} // namespace
