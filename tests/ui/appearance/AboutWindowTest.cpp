// The about window: the version, and the history from ReadMe.Txt in a pane
// that folds out and in.

#include "AppearanceSupport.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>

namespace {

using namespace appearance;

const std::vector<std::string> kHistory = {
    "История версий Talkbase", "2.2.0.7: клавиатура на экране", "2.2.0.6: полный экран"};

QString joined(const std::vector<std::string>& lines) {
    QStringList out;
    for (const auto& line : lines)
        out.append(QString::fromStdString(line));
    return out.join(QLatin1Char('\n'));
}

class AboutWindowTest : public ::testing::Test {
protected:
    TForm1& main() { return program.main(); }
    TForm3& about() { return *program.form3; }

    BaseDirectory dir;
    test::MessageLog boxes;
    test::Program program{dir};
};

TEST_F(AboutWindowTest, TheWindowShowsTheVersionAndItsTwoButtons) {
    EXPECT_EQ(about().windowTitle(), QStringLiteral("О программе"));
    EXPECT_FALSE(about().windowFlags().testFlag(Qt::WindowCloseButtonHint));
    EXPECT_FALSE(about().windowFlags().testFlag(Qt::WindowSystemMenuHint));
    EXPECT_EQ(about().Height(), 179);
    EXPECT_EQ(about().size(), QSize(377, 152)); // the client area under a 27-pixel title bar
    EXPECT_EQ(about().Label1->text(), QStringLiteral("ВЕРСИЯ: 2.2.0.7"));
    EXPECT_EQ(about().Label1->geometry(), QRect(187, 9, 164, 82));
    EXPECT_TRUE(about().Label1->font().bold());
    EXPECT_TRUE(about().Label1->font().underline());
    EXPECT_EQ(about().Label1->palette().color(QPalette::WindowText), QColor(Qt::white));
    EXPECT_EQ(about().Button1->text(), QStringLiteral("История"));
    EXPECT_EQ(about().Button1->geometry(), QRect(187, 96, 185, 25));
    EXPECT_EQ(about().Button2->text(), QStringLiteral("Закрыть"));
    EXPECT_EQ(about().Button2->geometry(), QRect(187, 120, 185, 25));
    EXPECT_EQ(about().QRImage1->geometry(), QRect(7, 8, 178, 137));
    EXPECT_EQ(about().Memo1->geometry(), QRect(3, 4, 370, 140));
    EXPECT_TRUE(about().Memo1->isReadOnly());
    EXPECT_TRUE(about().Memo1->toPlainText().isEmpty());
    EXPECT_FALSE(about().isVisible());
}

TEST_F(AboutWindowTest, OpeningStopsThePollerDisablesTheMainWindowAndShowsItCollapsed) {
    about().setHeight(TForm3::ExpandedHeight);
    bool pollerRanWhenDisabled = true;
    int heightWhenDisabled = 0;
    EnabledChangeWatch watch(&main(), [&](bool enabled) {
        if (!enabled) {
            pollerRanWhenDisabled = main().T1->enabled();
            heightWhenDisabled = about().Height();
        }
    });
    main().N12->trigger();
    EXPECT_FALSE(pollerRanWhenDisabled);
    EXPECT_EQ(heightWhenDisabled, 179);
    EXPECT_FALSE(main().T1->enabled());
    EXPECT_FALSE(main().isEnabled());
    EXPECT_TRUE(about().isVisible());
    EXPECT_TRUE(about().isEnabled());
    EXPECT_EQ(about().Height(), 179);
}

TEST_F(AboutWindowTest, HistoryLoadsTheFileAndFoldsThePaneOutAndIn) {
    dir.write("ReadMe.Txt", kHistory);
    main().N12Click();

    about().Button1->click();
    EXPECT_EQ(about().Memo1->toPlainText(), joined(kHistory));
    EXPECT_EQ(about().Height(), 327);
    EXPECT_EQ(about().size(), QSize(377, 300));

    about().Button1->click();
    EXPECT_EQ(about().Memo1->toPlainText(), joined(kHistory));
    EXPECT_EQ(about().Height(), 179);
    EXPECT_EQ(about().size(), QSize(377, 152));

    about().Button1->click();
    EXPECT_EQ(about().Height(), 327);
    EXPECT_TRUE(boxes.messages.isEmpty())
        << boxes.messages.join(QStringLiteral(" | ")).toStdString();
}

TEST_F(AboutWindowTest, AnEditedHistoryShowsAtTheNextClick) {
    dir.write("ReadMe.Txt", kHistory);
    main().N12Click();
    about().Button1Click();
    const std::vector<std::string> edited = {"Новая строка истории", "и ещё одна"};
    dir.write("ReadMe.Txt", edited);
    about().Button1Click(); // folding in loads the file too
    EXPECT_EQ(about().Memo1->toPlainText(), joined(edited));
    EXPECT_EQ(about().Height(), 179);
}

TEST_F(AboutWindowTest, AMissingHistoryIsReportedAndChangesNothing) {
    dir.write("ReadMe.Txt", kHistory);
    main().N12Click();
    about().Button1Click();
    ASSERT_EQ(about().Height(), 327);
    dir.remove("ReadMe.Txt");

    about().Button1Click();
    EXPECT_EQ(boxes.messages, QStringList{QStringLiteral("Cannot open file ReadMe.Txt.")});
    EXPECT_EQ(about().Memo1->toPlainText(), joined(kHistory));
    EXPECT_EQ(about().Height(), 327);

    about().Button2->click();
    EXPECT_FALSE(about().isVisible());
    EXPECT_TRUE(main().isEnabled());
    EXPECT_TRUE(main().T1->enabled());
}

TEST_F(AboutWindowTest, AMissingHistoryAtTheFirstClickLeavesThePaneFoldedIn) {
    main().N12Click();
    about().Button1Click();
    EXPECT_EQ(boxes.messages, QStringList{QStringLiteral("Cannot open file ReadMe.Txt.")});
    EXPECT_TRUE(about().Memo1->toPlainText().isEmpty());
    EXPECT_EQ(about().Height(), 179);
}

TEST_F(AboutWindowTest, ClosedWhileExpandedItOpensCollapsedWithTheTextKept) {
    dir.write("ReadMe.Txt", kHistory);
    main().N12Click();
    about().Button1Click();
    about().Button2Click();
    main().N12Click();
    EXPECT_TRUE(about().isVisible());
    EXPECT_EQ(about().Height(), 179);
    EXPECT_EQ(about().Memo1->toPlainText(), joined(kHistory));
}

TEST_F(AboutWindowTest, CloseStartsThePollerBeforeItEnablesTheMainWindowAndHides) {
    main().N12Click();
    bool pollerOnWhenEnabled = false;
    EnabledChangeWatch watch(&main(), [&](bool enabled) {
        if (enabled)
            pollerOnWhenEnabled = main().T1->enabled();
    });
    about().Button2->click();
    EXPECT_TRUE(pollerOnWhenEnabled);
    EXPECT_TRUE(main().T1->enabled());
    EXPECT_TRUE(main().isEnabled());
    EXPECT_FALSE(about().isVisible());
}

TEST_F(AboutWindowTest, ClosedByTheWindowManagerItRestoresTheMainWindowAsCloseDoes) {
    main().N12Click();
    EXPECT_TRUE(about().close());
    EXPECT_FALSE(about().isVisible());
    EXPECT_TRUE(main().isEnabled());
    EXPECT_TRUE(main().T1->enabled());
}

TEST_F(AboutWindowTest, ItOpensInTheCentreOfTheDesktop) {
    main().N12Click();
    const QRect desktop = about().screen()->availableGeometry();
    const QPoint offset = about().frameGeometry().center() - desktop.center();
    EXPECT_LE(offset.manhattanLength(), 2) << offset.x() << "," << offset.y();
}

} // namespace
