// Start-up: the creation handler's load of Words.dat, the start-up
// load T3 with its statistics in the status bar, the menu statistics T8, and
// the first second of the event loop.

#include "WindowSupport.h"

#include "ui/common/StatusBar.h"

#include <QAction>
#include <QToolButton>

namespace {

using test::str;

const QString kLoading = QStringLiteral("Идёт загрузка подождите...");
const QString kLoaded = QStringLiteral("Загрузка окончена");

QString statistics(int mainPhrases, int branches) {
    return QStringLiteral("Программе известно:   [главные фразы - %1   ветки - %2]")
        .arg(mainPhrases)
        .arg(branches);
}

class StartupTest : public ::testing::Test {
protected:
    StartupTest() { dir.writeSmallBase(); }
    test::WorkingDirectory dir;
    test::MessageLog boxes;
};

TEST_F(StartupTest, CreationLoadsWordsDatAndNothingElse) {
    test::Program program(dir);
    EXPECT_TRUE(boxes.messages.isEmpty());
    // The scratch list holds Words.dat; the statistics come only from T3.
    EXPECT_EQ(program.main().conversation().scratch().count(), 5);
    EXPECT_EQ(program.main().SB1->panelText(0), QString());
    EXPECT_EQ(program.main().SB1->panelText(1), QString());
    EXPECT_TRUE(program.main().T3->enabled());
}

TEST_F(StartupTest, CreationWithoutWordsDatShowsTheErrorAndTheWindowIsMadeAllTheSame) {
    dir.remove("Base/Words.Dat");
    test::Program program(dir);
    EXPECT_EQ(boxes.messages, QStringList{QStringLiteral("Cannot open file Base\\Words.dat.")});
    ASSERT_NE(program.form1, nullptr);
    ASSERT_NE(program.form4, nullptr); // the windows after it are made too
    test::showActive(program.main());
    EXPECT_TRUE(program.main().isVisible());
    EXPECT_EQ(program.main().centralWidget()->size(), QSize(587, 361));
}

TEST_F(StartupTest, NoTimerFiresBeforeTheEventLoopStarts) {
    test::Program program(dir);
    QTest::qWait(100);
    EXPECT_EQ(program.main().SB1->panelText(0), QString());
    EXPECT_TRUE(program.main().T3->enabled());
    EXPECT_TRUE(program.main().T8->enabled());
    EXPECT_TRUE(program.main().T7->enabled());
    EXPECT_EQ(program.main().N18->text(), QStringLiteral("&Входящие выражения:"));
}

TEST_F(StartupTest, TheLoadShowsTheCountsOfMainPhrasesAndBranches) {
    test::Program program(dir);
    TForm1& w = program.main();
    w.T3Timer();
    EXPECT_EQ(w.SB1->panelText(0), kLoaded);
    // Lines 1 to 4 of the small base: three main phrases and one branch.
    EXPECT_EQ(w.SB1->panelText(1), statistics(3, 1));
    EXPECT_EQ(w.SB1->panelText(2), QStringLiteral("Режим Cpu\\User"));
    EXPECT_FALSE(w.Input->isReadOnly());
    EXPECT_TRUE(w.Speak->isEnabled());
    EXPECT_FALSE(w.T3->enabled());
    EXPECT_TRUE(boxes.messages.isEmpty());
    // Then the poller takes over the send button.
    w.T1Timer();
    EXPECT_FALSE(w.Speak->isEnabled());
}

TEST_F(StartupTest, TheFirstLineIsNeverCountedEvenWhenItBeginsWithAnUnderscore) {
    dir.write("Base/Words.Dat", {"_Заголовок;;", "ДА^Да.;", "_ДА^Ну да.;", "НЕТ^Нет.;Нет?;", "__ТАК^Так.;"});
    test::Program program(dir);
    program.main().T3Timer();
    EXPECT_EQ(program.main().SB1->panelText(1), statistics(2, 2));
}

TEST_F(StartupTest, AWordsDatWithOnlyItsFirstLineCountsNothing) {
    dir.write("Base/Words.Dat", {"_Заголовок;"});
    test::Program program(dir);
    TForm1& w = program.main();
    w.T3Timer();
    EXPECT_EQ(w.SB1->panelText(0), kLoaded);
    EXPECT_EQ(w.SB1->panelText(1), statistics(0, 0));
    w.T8Timer();
    EXPECT_EQ(w.N18->text(), QStringLiteral("&Входящие выражения: [0]"));
    EXPECT_EQ(w.N19->text(), QStringLiteral("&Исходящие выражения: [6]"));
    EXPECT_EQ(w.N20->text(), QStringLiteral("&Итого: [6]"));
    EXPECT_TRUE(boxes.messages.isEmpty());
}

TEST_F(StartupTest, TheStatusBarStatisticsAreNotUpdatedLater) {
    test::Program program(dir);
    TForm1& w = program.main();
    w.T3Timer();
    dir.write("Base/Words.Dat", {"Заголовок", "А^а;", "Б^б;", "_В^в;"});
    program.say(QStringLiteral("привет"));
    w.T1Timer();
    EXPECT_FALSE(w.T3->enabled()); // a disabled timer does not tick again
    EXPECT_EQ(w.SB1->panelText(1), statistics(3, 1));
}

TEST_F(StartupTest, AMissingWordsDatKeepsTheLoadDueAndTheFieldReadOnly) {
    dir.remove("Base/Words.Dat");
    test::Program program(dir);
    TForm1& w = program.main();
    boxes.messages.clear(); // the creation handler's report
    for (int tick = 0; tick < 5; ++tick) {
        w.T3Timer();
        w.T1Timer();
    }
    EXPECT_EQ(w.SB1->panelText(0), kLoading);
    EXPECT_EQ(w.SB1->panelText(1), QString());
    EXPECT_TRUE(w.Input->isReadOnly());
    EXPECT_TRUE(w.T3->enabled());
    // Shown once, however many ticks fail.
    EXPECT_EQ(boxes.messages, QStringList{QStringLiteral("Cannot open file Base\\Words.Dat.")});
    // A person cannot type into the field meanwhile.
    program.type(QStringLiteral("привет"));
    EXPECT_TRUE(w.Input->text().isEmpty());

    // Restored, the next tick finishes the load.
    dir.writeSmallBase();
    w.T3Timer();
    EXPECT_EQ(w.SB1->panelText(0), kLoaded);
    EXPECT_EQ(w.SB1->panelText(1), statistics(3, 1));
    EXPECT_FALSE(w.Input->isReadOnly());
    EXPECT_FALSE(w.T3->enabled());
    EXPECT_EQ(boxes.messages.size(), 1);
    program.type(QStringLiteral("привет"));
    EXPECT_EQ(w.Input->text(), QStringLiteral("привет"));
}

TEST_F(StartupTest, TheMenuStatisticsAddUpTheAnswerFiles) {
    dir.write("Base/Words.Dat", {"Заголовок;;;;", "ДА^Да.;Ага.;", "_ДА^Ну да.;", "НЕТ^Нет.;Нет?;Нет!;@",
                                 "ПУСТО^"});
    dir.write("Base/BigString.Dat", {"1", "2"});
    dir.write("Base/Pause.Dat", {"1", "2", "3"});
    dir.write("Base/Povtor.Dat", {"1", "2", "3", "4"});
    dir.write("Base/W1.Dat", {"1", "2", "3", "4", "5"});
    dir.write("Base/W2.Dat", {"1", "2", "3", "4", "5", "6"});
    dir.write("Base/X.Dat", {"1", "2", "3", "4", "5", "6", "7"});
    // Not counted.
    dir.write("Base/Collection.Dat", {"1", "2", "3", "4", "5", "6", "7", "8"});
    dir.write("Base/AI.dat", {"1", "2", "3", "4", "5", "6", "7", "8", "9"});
    dir.write("Base/Begin.dat", {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"});
    test::Program program(dir);
    TForm1& w = program.main();
    w.T8Timer();
    // W - 1 = 4; O = 2 + 3 + 4 + 5 + 6 + 7 and the six ";" of lines 1 to 4.
    EXPECT_EQ(w.N18->text(), QStringLiteral("&Входящие выражения: [4]"));
    EXPECT_EQ(w.N19->text(), QStringLiteral("&Исходящие выражения: [33]"));
    EXPECT_EQ(w.N20->text(), QStringLiteral("&Итого: [37]"));
    EXPECT_FALSE(w.T8->enabled());
    EXPECT_TRUE(boxes.messages.isEmpty());
}

TEST_F(StartupTest, TheMenuStatisticsOfTheSmallBase) {
    test::Program program(dir);
    TForm1& w = program.main();
    w.T8Timer();
    // Four phrases; six answer-file lines and four ";".
    EXPECT_EQ(w.N18->text(), QStringLiteral("&Входящие выражения: [4]"));
    EXPECT_EQ(w.N19->text(), QStringLiteral("&Исходящие выражения: [10]"));
    EXPECT_EQ(w.N20->text(), QStringLiteral("&Итого: [14]"));
}

TEST_F(StartupTest, TheMenuStatisticsAreTakenOnceAndLearningDoesNotChangeThem) {
    test::Program program(dir);
    TForm1& w = program.main();
    w.T8Timer();
    EXPECT_FALSE(w.T8->enabled());
    // The first turn completes; the second, unknown, phrase is learned.
    program.say(QStringLiteral("привет"));
    program.say(QStringLiteral("погода"));
    ASSERT_EQ(dir.lines("Base/Words.Dat").size(), 6u);
    w.T1Timer();
    EXPECT_FALSE(w.T8->enabled());
    EXPECT_EQ(w.N18->text(), QStringLiteral("&Входящие выражения: [4]"));
    EXPECT_EQ(w.N19->text(), QStringLiteral("&Исходящие выражения: [10]"));
    EXPECT_EQ(w.N20->text(), QStringLiteral("&Итого: [14]"));
}

TEST_F(StartupTest, AFailingMenuCountIsRetriedWithoutASecondBracketedNumber) {
    dir.remove("Base/X.Dat");
    test::Program program(dir);
    TForm1& w = program.main();
    for (int tick = 0; tick < 3; ++tick)
        w.T8Timer();
    // The caption already extended keeps its number; the others wait.
    EXPECT_EQ(w.N18->text(), QStringLiteral("&Входящие выражения: [4]"));
    EXPECT_EQ(w.N19->text(), QStringLiteral("&Исходящие выражения:"));
    EXPECT_EQ(w.N20->text(), QStringLiteral("&Итого:"));
    EXPECT_TRUE(w.T8->enabled());
    EXPECT_EQ(boxes.messages, QStringList{QStringLiteral("Cannot open file Base\\X.Dat.")});

    dir.write("Base/X.Dat", {"Не надо так."});
    w.T8Timer();
    EXPECT_EQ(w.N18->text(), QStringLiteral("&Входящие выражения: [4]"));
    EXPECT_EQ(w.N19->text(), QStringLiteral("&Исходящие выражения: [10]"));
    EXPECT_EQ(w.N20->text(), QStringLiteral("&Итого: [14]"));
    EXPECT_FALSE(w.T8->enabled());
    EXPECT_EQ(boxes.messages.size(), 1);
}

TEST_F(StartupTest, AMissingWordsDatLeavesTheMenuCaptionsAsTheyWere) {
    dir.remove("Base/Words.Dat");
    test::Program program(dir);
    TForm1& w = program.main();
    boxes.messages.clear();
    w.T8Timer();
    w.T8Timer();
    EXPECT_EQ(w.N18->text(), QStringLiteral("&Входящие выражения:"));
    EXPECT_TRUE(w.T8->enabled());
    EXPECT_EQ(boxes.messages, QStringList{QStringLiteral("Cannot open file Base\\Words.Dat.")});
}

TEST_F(StartupTest, TheFirstSecondOfTheEventLoopLoadsCountsAndShakes) {
    test::Program program(dir);
    TForm1& w = program.main();
    test::showActive(w);
    {
        test::LoopRunning loop;
        // T3 and T7 are due at once, T8 after one second.
        EXPECT_TRUE(QTest::qWaitFor([&] { return !w.T3->enabled(); }, 2000));
        EXPECT_EQ(w.SB1->panelText(0), kLoaded);
        EXPECT_EQ(w.SB1->panelText(1), statistics(3, 1));
        EXPECT_TRUE(QTest::qWaitFor([&] { return !w.T8->enabled(); }, 3000));
        EXPECT_EQ(w.N18->text(), QStringLiteral("&Входящие выражения: [4]"));
        EXPECT_EQ(w.N20->text(), QStringLiteral("&Итого: [14]"));
        EXPECT_FALSE(w.T7->enabled());
        EXPECT_EQ(test::asked(w, engine::Cue::Shake), 1);
        // The poller keeps the focus in the input field.
        EXPECT_TRUE(QTest::qWaitFor([&] { return w.Input->hasFocus(); }, 1000));
        // The greeting comes with probability one half.
        EXPECT_LE(w.displayCount(), 1);
        if (w.displayCount() == 1) {
            EXPECT_EQ(test::utf8(w.displayLine(0)), "Здравствуй!");
        }
    }
    EXPECT_TRUE(boxes.messages.isEmpty());
}

} // namespace
