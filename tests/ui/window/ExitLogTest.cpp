// The Exit command and the transcript log Base\Log.Brisol, and the
// close box, which writes nothing.

#include "WindowSupport.h"

#include <QAction>
#include <QDate>
#include <QLocale>
#include <QRegularExpression>
#include <QTime>

namespace {

using test::Lines;
using test::str;

class ExitLogTest : public ::testing::Test {
protected:
    ExitLogTest() { dir.writeSmallBase(); }
    test::WorkingDirectory dir;
    test::MessageLog boxes;
};

const std::string kIndent(22, ' ');
const std::string kHyphens(80, '-');
const std::string kUnderscores = kIndent + std::string(30, '_');
const std::string kTildes = kIndent + std::string(30, '~');
const std::string kEquals(53, '=');
const std::string kDatePrefix = kIndent + "Дата - ";

std::string loaded(int k) {
    return "//Загружено фраз выученных программой: " + std::to_string(k);
}

// When the Exit command ran, to the second.
struct Moment {
    QDate date;
    QTime time;
    static Moment now() {
        const QDateTime at = QDateTime::currentDateTime();
        const QTime t = at.time();
        return {at.date(), QTime(t.hour(), t.minute(), t.second())};
    }
};

// The date line: the system's short date, and a time of hours, minutes and
// seconds (with an AM or PM marker on the 12-hour clock) between `before`
// and `after`.
void expectDateLine(const std::string& line, const Moment& before, const Moment& after) {
    const QString text = QString::fromStdString(line);
    const QString prefix = QString::fromStdString(kDatePrefix);
    ASSERT_TRUE(text.startsWith(prefix)) << line;
    const QString rest = text.mid(prefix.size());
    const QString middle = QStringLiteral("   |   Время - ");
    const qsizetype bar = rest.indexOf(middle);
    ASSERT_GE(bar, 0) << line;
    const QString date = rest.left(bar);
    const QString time = rest.mid(bar + middle.size());

    const QLocale system = QLocale::system();
    EXPECT_TRUE(date == system.toString(before.date, QLocale::ShortFormat) ||
                date == system.toString(after.date, QLocale::ShortFormat))
        << line;

    QList<int> numbers;
    QRegularExpressionMatchIterator digits = QRegularExpression(QStringLiteral("\\d+")).globalMatch(time);
    while (digits.hasNext())
        numbers.append(digits.next().captured().toInt());
    ASSERT_EQ(numbers.size(), 3) << line;
    int hour = numbers[0];
    const QString upper = time.toUpper();
    const bool pm = !system.pmText().isEmpty() && upper.contains(system.pmText().toUpper());
    const bool am = !system.amText().isEmpty() && upper.contains(system.amText().toUpper());
    if (pm && hour < 12)
        hour += 12;
    if (am && hour == 12)
        hour = 0;
    const QTime written(hour, numbers[1], numbers[2]);
    ASSERT_TRUE(written.isValid()) << line;
    if (before.time <= after.time) {
        EXPECT_TRUE(before.time <= written && written <= after.time) << line;
    } else { // midnight passed
        EXPECT_TRUE(before.time <= written || written <= after.time) << line;
    }
}

// Checks one log block at `at`; returns the index after it.
std::size_t expectBlock(const Lines& file, std::size_t at, int k, const Lines& transcript,
                        const Moment& before, const Moment& after) {
    EXPECT_GE(file.size(), at + 7 + transcript.size());
    if (file.size() < at + 7 + transcript.size())
        return file.size();
    EXPECT_EQ(file[at], "");
    EXPECT_EQ(file[at + 1], kHyphens);
    EXPECT_EQ(file[at + 2], kUnderscores);
    expectDateLine(file[at + 3], before, after);
    EXPECT_EQ(file[at + 4], kTildes);
    EXPECT_EQ(file[at + 5], loaded(k));
    for (std::size_t i = 0; i < transcript.size(); ++i)
        EXPECT_EQ(file[at + 6 + i], transcript[i]) << "transcript line " << i;
    EXPECT_EQ(file[at + 6 + transcript.size()], kEquals);
    return at + 7 + transcript.size();
}

TEST_F(ExitLogTest, ExitAppendsTheLogBlockAndClosesTheWindow) {
    test::Program program(dir);
    TForm1& w = program.main();
    test::showActive(w);
    program.say(QStringLiteral("привет"));
    program.say(QStringLiteral("как дела"));
    const Lines transcript = program.transcript();
    ASSERT_EQ(transcript.size(), 4u);

    const Moment before = Moment::now();
    w.N4Click();
    const Moment after = Moment::now();

    EXPECT_TRUE(boxes.messages.isEmpty());
    const Lines file = dir.lines("Base/Log.Brisol");
    EXPECT_EQ(expectBlock(file, 0, 4, transcript, before, after), file.size());
    EXPECT_FALSE(w.isVisible());
    // Saved, as every file saved through the scratch list, as RTF.
    EXPECT_EQ(dir.bytes("Base/Log.Brisol").rfind("{\\rtf", 0), 0u);
}

TEST_F(ExitLogTest, ExitFromTheMenu) {
    test::Program program(dir);
    TForm1& w = program.main();
    test::showActive(w);
    program.say(QStringLiteral("привет"));
    const Moment before = Moment::now();
    w.N4->trigger();
    const Moment after = Moment::now();
    const Lines file = dir.lines("Base/Log.Brisol");
    EXPECT_EQ(expectBlock(file, 0, 4, {"USER:     Привет.", "CPU:     Привет!"}, before, after),
              file.size());
    EXPECT_FALSE(w.isVisible());
}

TEST_F(ExitLogTest, AnEmptyTranscriptGivesTheSixHeaderLinesThenTheEqualsSigns) {
    test::Program program(dir);
    const Moment before = Moment::now();
    program.main().N4Click();
    const Moment after = Moment::now();
    const Lines file = dir.lines("Base/Log.Brisol");
    ASSERT_EQ(file.size(), 7u);
    expectBlock(file, 0, 4, {}, before, after);
    EXPECT_EQ(file[6], kEquals);
}

TEST_F(ExitLogTest, TheCountIncludesThePhrasesLearnedDuringTheRun) {
    test::Program program(dir);
    program.say(QStringLiteral("привет"));
    program.say(QStringLiteral("погода"));
    ASSERT_EQ(dir.lines("Base/Words.Dat").size(), 6u); // one phrase learned
    const Lines transcript = program.transcript();
    const Moment before = Moment::now();
    program.main().N4Click();
    const Moment after = Moment::now();
    const Lines file = dir.lines("Base/Log.Brisol");
    EXPECT_EQ(expectBlock(file, 0, 5, transcript, before, after), file.size());
}

TEST_F(ExitLogTest, TheBlockIsAppendedAfterWhatTheLogHeld) {
    dir.write("Base/Log.Brisol", {"Старый журнал", "USER:     Было."});
    test::Program program(dir);
    program.say(QStringLiteral("привет"));
    const Moment before = Moment::now();
    program.main().N4Click();
    const Moment after = Moment::now();
    const Lines file = dir.lines("Base/Log.Brisol");
    ASSERT_GE(file.size(), 2u);
    EXPECT_EQ(file[0], "Старый журнал");
    EXPECT_EQ(file[1], "USER:     Было.");
    EXPECT_EQ(expectBlock(file, 2, 4, {"USER:     Привет.", "CPU:     Привет!"}, before, after),
              file.size());
}

TEST_F(ExitLogTest, TwoExitsInTwoRunsLeaveTwoBlocks) {
    const Moment before = Moment::now();
    {
        test::Program program(dir);
        program.say(QStringLiteral("привет"));
        program.main().N4Click();
    }
    {
        test::Program program(dir);
        program.say(QStringLiteral("как дела"));
        program.main().N4Click();
    }
    const Moment after = Moment::now();
    EXPECT_TRUE(boxes.messages.isEmpty());
    const Lines file = dir.lines("Base/Log.Brisol");
    const std::size_t second = expectBlock(file, 0, 4, {"USER:     Привет.", "CPU:     Привет!"}, before, after);
    EXPECT_EQ(expectBlock(file, second, 4, {"USER:     Как дела.", "CPU:     Хорошо. А у тебя?"}, before,
                          after),
              file.size());
}

TEST_F(ExitLogTest, ExitAfterANewDialogueHoldsOnlyTheUtterancesAfterIt) {
    test::Program program(dir);
    TForm1& w = program.main();
    program.say(QStringLiteral("привет"));
    w.N2Click();
    program.say(QStringLiteral("как дела"));
    const Moment before = Moment::now();
    w.N4Click();
    const Moment after = Moment::now();
    const Lines file = dir.lines("Base/Log.Brisol");
    EXPECT_EQ(expectBlock(file, 0, 4, {"USER:     Как дела.", "CPU:     Хорошо. А у тебя?"}, before, after),
              file.size());
}

TEST_F(ExitLogTest, ExitAfterUndoLeavesTheUndoneLineOut) {
    test::Program program(dir);
    TForm1& w = program.main();
    program.say(QStringLiteral("привет"));
    w.CancelClick();
    const Moment before = Moment::now();
    w.N4Click();
    const Moment after = Moment::now();
    const Lines file = dir.lines("Base/Log.Brisol");
    EXPECT_EQ(expectBlock(file, 0, 4, {"USER:     Привет."}, before, after), file.size());
}

TEST_F(ExitLogTest, AMissingLogFileIsReportedAndTheWindowStaysOpen) {
    dir.remove("Base/Log.Brisol");
    test::Program program(dir);
    TForm1& w = program.main();
    test::showActive(w);
    program.say(QStringLiteral("привет"));
    w.N4Click();
    EXPECT_EQ(boxes.messages, QStringList{QStringLiteral("Cannot open file Base\\Log.Brisol.")});
    EXPECT_TRUE(w.isVisible());
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "Base" / "Log.Brisol")); // never created
    // The dialogue goes on.
    EXPECT_EQ(program.transcript().size(), 2u);
    program.say(QStringLiteral("как дела"));
    EXPECT_EQ(w.displayCount(), 4);
}

TEST_F(ExitLogTest, AMissingWordsDatAtExitIsReportedAndNothingIsWritten) {
    test::Program program(dir);
    TForm1& w = program.main();
    test::showActive(w);
    program.say(QStringLiteral("привет"));
    dir.remove("Base/Words.Dat");
    const std::string log = dir.bytes("Base/Log.Brisol");
    w.N4Click();
    EXPECT_EQ(boxes.messages, QStringList{QStringLiteral("Cannot open file Base\\Words.dat.")});
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(dir.bytes("Base/Log.Brisol"), log);
}

TEST_F(ExitLogTest, TheCloseBoxWritesNothing) {
    test::Program program(dir);
    TForm1& w = program.main();
    test::showActive(w);
    program.say(QStringLiteral("привет"));
    const std::string log = dir.bytes("Base/Log.Brisol");
    EXPECT_TRUE(w.close());
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(dir.bytes("Base/Log.Brisol"), log);
    EXPECT_TRUE(boxes.messages.isEmpty());
}

} // namespace
