// The two dialogue modes: the mode items, the exchange timer and two copies
// of the program talking through one exchange file.

#include "TimersSupport.h"

#include "engine/Conversation.h"
#include "ui/common/StatusBar.h"

#include <QAction>
#include <QLineEdit>
#include <QSpinBox>

#include <algorithm>
#include <filesystem>

namespace {

using timers::Lines;

const QColor kTeal(0, 128, 128);
const std::string kCpuUserLine = "Сервис:   // Режим диалога Cpu\\User.";
const std::string kCpuCpuLine = "Сервис:   // Режим диалога Cpu\\Cpu.";

class DialogueMode : public timers::ProgramTest {
protected:
    DialogueMode() : program(dir) {}
    TForm1& window() { return program.main(); }
    QString panel2() { return window().SB1->panelText(2); }
    test::Program program;
};

// ---------------------------------------------------------------------------
// The mode items

using ModeSwitch = DialogueMode;

TEST_F(ModeSwitch, ToCpuUserAddsATealServiceLineAndAnEmptyLineToTheDisplayOnly) {
    window().FontDialog2.Font = QFont(QStringLiteral("Times New Roman"), 14);
    program.say(QStringLiteral("привет"));
    window().Cpu31->trigger();
    ASSERT_TRUE(window().Cpu31->isChecked());

    window().CpuUser1->trigger();
    EXPECT_EQ(program.display(), (Lines{"Привет.", "Привет!", kCpuCpuLine, kCpuUserLine, ""}));
    EXPECT_EQ(timers::lineColour(window(), 3), kTeal);
    EXPECT_EQ(timers::lineColour(window(), 4), kTeal);
    // The font stays as the last line left it.
    EXPECT_TRUE(timers::sameFont(window().displayLineFormat(3), window().displayLineFormat(1)));
    EXPECT_EQ(program.transcript(), (Lines{"USER:     Привет.", "CPU:     Привет!"}));
    EXPECT_EQ(panel2(), QStringLiteral("Режим Cpu\\User"));
    EXPECT_TRUE(window().CpuUser1->isChecked());
    EXPECT_FALSE(window().Cpu31->isChecked());
}

TEST_F(ModeSwitch, ToCpuCpuAddsOneTealServiceLine) {
    window().Cpu31->trigger();
    EXPECT_EQ(program.display(), (Lines{kCpuCpuLine}));
    EXPECT_EQ(timers::lineColour(window(), 0), kTeal);
    EXPECT_TRUE(program.transcript().empty());
    EXPECT_EQ(panel2(), QStringLiteral("Режим Cpu\\Cpu"));
    EXPECT_FALSE(window().CpuUser1->isChecked());
    EXPECT_TRUE(window().Cpu31->isChecked());
}

TEST_F(ModeSwitch, ChoosingTheModeInForceAddsItsLineAgain) {
    window().CpuUser1->trigger();
    window().CpuUser1->trigger();
    EXPECT_EQ(program.display(), (Lines{kCpuUserLine, "", kCpuUserLine, ""}));
    EXPECT_TRUE(window().CpuUser1->isChecked());
    window().Cpu31->trigger();
    window().Cpu31->trigger();
    EXPECT_EQ(window().displayCount(), 6);
    EXPECT_EQ(timers::lastDisplayLine(program), kCpuCpuLine);
    EXPECT_TRUE(window().Cpu31->isChecked());
    EXPECT_FALSE(window().CpuUser1->isChecked());
}

TEST_F(ModeSwitch, ThePollerEnablesTheExchangeTimerOnlyInCpuCpu) {
    window().T1Timer();
    EXPECT_FALSE(window().T6->enabled());
    window().Cpu31Click();
    EXPECT_FALSE(window().T6->enabled()); // at the next tick of the poller
    window().T1Timer();
    EXPECT_TRUE(window().T6->enabled());
    window().CpuUser1Click();
    window().T1Timer();
    EXPECT_FALSE(window().T6->enabled());
}

TEST_F(ModeSwitch, InCpuUserTheExchangeFileIsNeverWritten) {
    dir.write("Obmen/Txt.Dat", {"как дела"});
    program.form2->Edit1->setText(QStringLiteral("Obmen\\Txt.Dat"));
    program.say(QStringLiteral("привет"));
    ASSERT_EQ(timers::lastDisplayLine(program), "Привет!");
    EXPECT_EQ(dir.bytes("Obmen/Txt.Dat"), timers::lineBytes("как дела"));
}

TEST_F(ModeSwitch, UndoAfterTheSwitchToCpuUserRemovesTheEmptyLine) {
    program.say(QStringLiteral("привет"));
    window().CpuUser1Click();
    window().CancelClick();
    EXPECT_EQ(program.display(), (Lines{"Привет.", "Привет!", kCpuUserLine}));
    EXPECT_EQ(program.transcript(), (Lines{"USER:     Привет."}));
}

// ---------------------------------------------------------------------------
// The exchange timer

class Exchange : public DialogueMode {
protected:
    Exchange() {
        std::filesystem::create_directories(dir.path() / "Obmen");
        program.form2->Edit1->setText(QStringLiteral("Obmen\\Txt.Dat"));
        window().Cpu31Click();
        window().T1Timer();
    }
    void writeExchange(const Lines& lines) { dir.write("Obmen/Txt.Dat", lines); }
    std::string exchangeBytes() { return dir.bytes("Obmen/Txt.Dat"); }
};

TEST_F(Exchange, WaitsThreeSecondsFirstAndThenTheIntervalOfTheSettings) {
    program.form2->SpinEdit1->setValue(2500);
    EXPECT_TRUE(window().T6->enabled());
    EXPECT_EQ(window().T6->interval(), 3000);
    writeExchange({"привет"});
    window().T6Timer();
    EXPECT_EQ(window().T6->interval(), 2500);

    program.form2->SpinEdit1->setValue(70000);
    writeExchange({"привет"});
    window().T6Timer();
    EXPECT_EQ(window().T6->interval(), 60000);
    program.form2->SpinEdit1->setValue(0);
    writeExchange({"привет"});
    window().T6Timer();
    EXPECT_EQ(window().T6->interval(), 1);

    // Back in Cpu\User and again in Cpu\Cpu: the interval it last had.
    window().CpuUser1Click();
    window().T1Timer();
    EXPECT_FALSE(window().T6->enabled());
    window().Cpu31Click();
    window().T1Timer();
    EXPECT_TRUE(window().T6->enabled());
    EXPECT_EQ(window().T6->interval(), 1);
}

TEST_F(Exchange, ATickAnswersThePhraseOfTheFileAndWritesBackExactlyTheAnswer) {
    writeExchange({"привет"});
    window().T6Timer();
    EXPECT_EQ(program.display(), (Lines{kCpuCpuLine, "Привет.", "Привет!"}));
    EXPECT_EQ(program.transcript(), (Lines{"USER:     Привет.", "CPU:     Привет!"}));
    EXPECT_EQ(exchangeBytes(), timers::lineBytes("Привет!"));
    EXPECT_EQ(window().conversation().exchangeBuffer().lines(),
              (kb::Lines{test::cp1251("Привет!")}));
    EXPECT_TRUE(boxes.messages.isEmpty());
}

TEST_F(Exchange, ReadsTheWholeFileAsThePhrase) {
    writeExchange({"как дела", "привет"});
    window().T6Timer();
    const Lines display = program.display();
    ASSERT_GE(display.size(), 4u);
    EXPECT_EQ(display[1], "Как дела");
    EXPECT_EQ(display[2], "привет.");
    const Lines transcript = program.transcript();
    ASSERT_EQ(transcript.size(), 3u);
    EXPECT_EQ(transcript[0], "USER:     Как дела");
    EXPECT_EQ(transcript[1], "привет.");
    const std::string answer = transcript[2].substr(std::string("CPU:     ").size());
    EXPECT_EQ(exchangeBytes(), timers::lineBytes(answer));
}

TEST_F(Exchange, AMissingFileIsReportedOnceAndNothingElseHappens) {
    program.form2->SpinEdit1->setValue(2000);
    for (int tick = 0; tick < 5; ++tick) {
        window().T6Timer();
        window().T1Timer();
    }
    EXPECT_EQ(boxes.messages, QStringList{QStringLiteral("Cannot open file Obmen\\Txt.Dat.")});
    EXPECT_TRUE(window().T6->enabled());
    EXPECT_EQ(window().T6->interval(), 3000);
    EXPECT_EQ(program.display(), (Lines{kCpuCpuLine}));
    EXPECT_TRUE(program.transcript().empty());

    // The file written at last, the exchange goes on.
    writeExchange({"привет"});
    window().T6Timer();
    EXPECT_EQ(window().T6->interval(), 2000);
    EXPECT_EQ(timers::lastDisplayLine(program), "Привет!");
}

TEST_F(Exchange, ATurnThatFailsComesAfterTheIntervalIsTaken) {
    dir.remove("Base/Words.Dat");
    program.form2->SpinEdit1->setValue(2000);
    writeExchange({"привет"});
    window().T6Timer();
    EXPECT_EQ(boxes.messages.back(), QStringLiteral("Cannot open file Base\\Words.Dat."));
    EXPECT_EQ(window().T6->interval(), 2000);
    EXPECT_EQ(program.transcript(), (Lines{"USER:     Привет."}));
}

TEST_F(Exchange, AnEmptyFileStartsNoTurn) {
    writeExchange({});
    window().T6Timer();
    EXPECT_EQ(program.display(), (Lines{kCpuCpuLine}));
    EXPECT_TRUE(program.transcript().empty());
    EXPECT_TRUE(boxes.messages.isEmpty());
    EXPECT_FALSE(window().busyCursor());
}

TEST_F(Exchange, TheDefaultPathNamesAFolderUnderTheWorkingDirectory) {
    program.form2->Edit1->setText(QStringLiteral("D:\\Txt.Dat"));
    dir.write("D:/Txt.Dat", {"привет"});
    window().T6Timer();
    EXPECT_TRUE(boxes.messages.isEmpty());
    EXPECT_EQ(timers::lastDisplayLine(program), "Привет!");
    EXPECT_EQ(dir.bytes("D:/Txt.Dat"), timers::lineBytes("Привет!"));
}

TEST_F(Exchange, ATypedPhraseIsNotUsedButEnterStillRunsATurnAndClearsTheField) {
    writeExchange({"привет"});
    window().T6Timer();
    program.say(QStringLiteral("как дела"));
    const Lines transcript = program.transcript();
    ASSERT_EQ(transcript.size(), 4u);
    EXPECT_EQ(transcript[2], "USER:     Привет!");
    EXPECT_TRUE(window().Input->text().isEmpty());
    const Lines display = program.display();
    EXPECT_EQ(std::count(display.begin(), display.end(), "Как дела."), 0);
}

TEST_F(Exchange, ATickThatComesTwiceAnswersItsOwnLastAnswer) {
    writeExchange({"привет"});
    window().T6Timer();
    window().T6Timer();
    const Lines transcript = program.transcript();
    ASSERT_EQ(transcript.size(), 4u);
    EXPECT_EQ(transcript[2], "USER:     Привет!");
    const std::string answer = transcript[3].substr(std::string("CPU:     ").size());
    EXPECT_EQ(exchangeBytes(), timers::lineBytes(answer));
}

TEST_F(Exchange, TheCensorListStaysWholeAfterExchanges) {
    for (int turn = 0; turn < 3; ++turn) {
        writeExchange({"привет"});
        window().T6Timer();
    }
    EXPECT_EQ(window().conversation().censorList().count(), 83);
    window().CpuUser1Click();
    window().T1Timer();
    program.say(QStringLiteral("ты болван"));
    EXPECT_EQ(timers::lastDisplayLine(program), "Не надо так.");
}

TEST_F(Exchange, AnAnswerThatCannotBeWrittenIsReportedAndTheTurnEndsThere) {
    writeExchange({"как дела"});
    window().T6Timer();
    ASSERT_EQ(exchangeBytes(), timers::lineBytes("Хорошо. А у тебя?"));
    // The next turn answers along the thread, but its answer has nowhere to go.
    program.form2->Edit1->setText(QStringLiteral("Obmen"));
    program.say(QStringLiteral("привет"));
    EXPECT_EQ(boxes.messages, QStringList{QStringLiteral("Cannot create file Obmen.")});
    EXPECT_EQ(timers::lastDisplayLine(program), "Рад за тебя!");
    EXPECT_EQ(test::utf8(window().conversation().state().PrevReply), "Хорошо. А у тебя?");
    EXPECT_EQ(window().Input->text(), QStringLiteral("привет"));
    EXPECT_EQ(exchangeBytes(), timers::lineBytes("Хорошо. А у тебя?"));
}

// ---------------------------------------------------------------------------
// Two copies of the program

TEST(TwoPrograms, AnswerEachOtherThroughOneExchangeFile) {
    test::MessageLog boxes;
    test::WorkingDirectory shared;
    test::WorkingDirectory firstBase;
    test::WorkingDirectory secondBase;
    firstBase.writeSmallBase();
    secondBase.writeSmallBase();
    const QString path = QString::fromStdString((shared.path() / "Txt.Dat").string());
    shared.write("Txt.Dat", {"привет"});

    test::Program first(firstBase, 1'000);
    test::Program second(secondBase, 2'000);
    for (test::Program* program : {&first, &second}) {
        program->form2->Edit1->setText(path);
        program->main().Cpu31Click();
        program->main().T1Timer();
        ASSERT_TRUE(program->main().T6->enabled());
    }
    for (int round = 0; round < 12; ++round) {
        first.main().T6Timer();
        second.main().T6Timer();
    }
    ASSERT_TRUE(boxes.messages.isEmpty())
        << boxes.messages.join(QStringLiteral("; ")).toStdString();

    const std::string user = "USER:     ";
    const std::string cpu = "CPU:     ";
    const Lines firstLines = first.transcript();
    const Lines secondLines = second.transcript();
    ASSERT_EQ(firstLines.size(), 24u);
    ASSERT_EQ(secondLines.size(), 24u);
    EXPECT_EQ(firstLines[0], user + "Привет.");
    for (std::size_t turn = 0; turn < 12; ++turn) {
        const std::string firstAnswer = firstLines[2 * turn + 1].substr(cpu.size());
        const std::string secondAnswer = secondLines[2 * turn + 1].substr(cpu.size());
        ASSERT_EQ(firstLines[2 * turn + 1].substr(0, cpu.size()), cpu);
        EXPECT_EQ(secondLines[2 * turn], user + firstAnswer) << "turn " << turn;
        if (turn + 1 < 12) {
            EXPECT_EQ(firstLines[2 * turn + 2], user + secondAnswer) << "turn " << turn;
        }
    }
    EXPECT_EQ(shared.bytes("Txt.Dat"), timers::lineBytes(secondLines.back().substr(cpu.size())));
}

} // namespace
