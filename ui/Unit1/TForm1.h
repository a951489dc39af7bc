#pragma once

// The main window: the dialogue display, the input bar, the status bar, the
// menu, the hidden lists, the wave players and the ten timers. Its handlers
// are thin: they wire the controls to the reply engine.

#include "engine/Conversation.h"
#include "engine/InputGuard.h"
#include "kb/FileStore.h"
#include "ui/common/AuxiliaryWindow.h"
#include "ui/common/CuePlayer.h"
#include "ui/common/Dialogs.h"
#include "ui/common/Reporting.h"
#include "ui/common/Timer.h"

#include <QMainWindow>
#include <QTextCharFormat>

#include <array>
#include <memory>

class QAction;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTextEdit;
class QToolButton;

class TForm2;
class TForm3;
class TForm4;

namespace ui {

struct MainWindowOptions {
    QString workingDirectory;            // empty: the current directory
    const engine::Clock* clock = nullptr; // null: the system clock
    bool sound = true;
};

// The status bar: three panels of 130, 322 and the remaining width.
class StatusBar;

} // namespace ui

class TForm1 : public QMainWindow, public engine::DialogueWindow, public ui::MainWindowLink {
    Q_OBJECT
public:
    explicit TForm1(const ui::MainWindowOptions& options = {});
    ~TForm1() override;

    // The other windows, created after this one.
    void attach(TForm2* settings, TForm3* about, TForm4* keyboard);

    // engine::DialogueWindow (the input field's text serves the on-screen
    // keyboard too)
    std::string inputText() const override;
    void setInputText(const std::string& text) override;
    int displayCount() const override;
    std::string displayLine(int index) const override;
    void addDisplayLine(const std::string& line, engine::LineStyle style) override;
    void deleteLastDisplayLine() override;
    void clearDisplay() override;
    void playCue(engine::Cue cue) override;
    void setBusyCursor(bool busy) override;
    void setTimerEnabled(engine::Timer timer, bool enabled) override;
    bool cpuUserChecked() const override;
    bool cpuCpuChecked() const override;
    std::string exchangePath() const override;

    // ui::MainWindowLink: what the auxiliary windows reach of this one.
    QWidget* ownerWindow() override { return this; }
    void setPollerEnabled(bool enabled) override;
    void clearInitialLookTick() override;
    int reseededRandom(int n) override;
    kb::FileStore& workingDirectory() override { return *store_; }
    void clickSpeak() override { SpeakClick(); }

    // Start-up and the poller.
    void FormCreate();
    void T1Timer();
    void T3Timer();
    void T8Timer();
    // The turn and the input field.
    void SpeakClick();
    void TalkClick();
    void InputChange();
    void T5Timer();
    // Undo, new dialogue, exit.
    void CancelClick();
    void N15Click();
    void N2Click();
    void N4Click();
    // Timed prompts and window effects.
    void T2Timer();
    void T9Timer();
    void T10Timer();
    void T7Timer();
    void T4Timer();
    // Dialogue modes.
    void CpuUser1Click();
    void Cpu31Click();
    void T6Timer();
    void N38Click();
    // Input aids.
    void EnRusClick();
    void N36Click();
    void N22Click();
    // Appearance and the about window.
    void N6Click();
    void N21Click();
    void N16Click();
    void N9Click();
    void User1Click();
    void Cpu1Click();
    void Mystring2Click();
    void User2Click();
    void Cpu2Click();
    void Mystring1Click();
    void N13Click();
    void N40Click();
    void N12Click();

    engine::Conversation& conversation() { return *conversation_; }
    kb::FileStore& store() { return *store_; }
    void centreOnDesktop();
    const ui::CuePlayer& player(engine::Cue cue) const { return *players_[static_cast<int>(cue)]; }
    bool busyCursor() const { return busy_; }
    // The style the next display line would take.
    const QTextCharFormat& currentDisplayFormat() const { return displayFormat_; }
    QTextCharFormat displayLineFormat(int index) const;

    // Controls (named as the program's handlers know them).
    QFrame* TabControl1 = nullptr;
    QTextEdit* RE1 = nullptr;
    QPushButton* Talk = nullptr;
    QFrame* TabControl2 = nullptr;
    QLineEdit* Input = nullptr;
    QToolButton* Cancel = nullptr;
    QToolButton* EnRus = nullptr;
    QToolButton* Speak = nullptr;
    ui::StatusBar* SB1 = nullptr;

    // The menu.
    QMenu* N1 = nullptr;
    QAction* N2 = nullptr;
    QAction* N22 = nullptr;
    QMenu* N17 = nullptr;
    QAction* N18 = nullptr;
    QAction* N19 = nullptr;
    QAction* N20 = nullptr;
    QAction* N4 = nullptr;
    QMenu* N5 = nullptr;
    QAction* N6 = nullptr;
    QAction* N21 = nullptr;
    QAction* N16 = nullptr;
    QAction* N9 = nullptr;
    QAction* N15 = nullptr;
    QMenu* N7 = nullptr;
    QAction* User1 = nullptr;
    QAction* Cpu1 = nullptr;
    QAction* Mystring2 = nullptr;
    QAction* N36 = nullptr;
    QMenu* N10 = nullptr;
    QAction* User2 = nullptr;
    QAction* Cpu2 = nullptr;
    QAction* Mystring1 = nullptr;
    QAction* N13 = nullptr;
    QMenu* N37 = nullptr;
    QAction* CpuUser1 = nullptr;
    QAction* Cpu31 = nullptr;
    QAction* N38 = nullptr;
    QAction* N40 = nullptr;
    QMenu* N11 = nullptr;
    QAction* N12 = nullptr;

    // The timers of the main window.
    ui::Timer* T1 = nullptr;
    ui::Timer* T2 = nullptr;
    ui::Timer* T3 = nullptr;
    ui::Timer* T4 = nullptr;
    ui::Timer* T5 = nullptr;
    ui::Timer* T6 = nullptr;
    ui::Timer* T7 = nullptr;
    ui::Timer* T8 = nullptr;
    ui::Timer* T9 = nullptr;
    ui::Timer* T10 = nullptr;

    // The colours and fonts of the display and the input field.
    ui::ColorDialog ColorDialog1, ColorDialog2, ColorDialog3;
    ui::FontDialog FontDialog1, FontDialog2, FontDialog3;

    // The step counter of the leave animation.
    int Tag = 0;

    TForm2* Form2 = nullptr;
    TForm3* Form3 = nullptr;
    TForm4* Form4 = nullptr;

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    void createMenu();
    void createTimers();
    void createPlayers(bool sound);
    void setMenusEnabled(bool enabled);
    // The Exit command's work: the log block, then the window closes.
    void exitWithLog();
    void layoutNormal();
    void layoutFullScreen();
    void scrollDisplayToEnd();
    // Ctrl+C: the selection of the input field, or else the display's.
    void copySelection();

    std::unique_ptr<engine::Clock> ownClock_;
    std::unique_ptr<kb::FileStore> store_;
    std::unique_ptr<engine::Conversation> conversation_;
    engine::InputGuard guard_;
    std::array<std::unique_ptr<ui::CuePlayer>, 6> players_;
    std::vector<std::string> displayLines_;
    std::vector<QTextCharFormat> displayFormats_;
    QTextCharFormat displayFormat_;
    bool busy_ = false;
    // Where the window stood before full screen.
    QRect placeBeforeFullScreen_;

    ui::ReportOnce t3Report_, t8Report_, t2Report_, t10Report_, t4Report_, t6Report_;
};
