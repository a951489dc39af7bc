#pragma once

// The on-screen keyboard "Виртуальная клавиатура": a phrase composed and sent
// with the mouse. Every key works on the end of the main window's input field.

#include "ui/common/AuxiliaryWindow.h"
#include "ui/common/Timer.h"

#include <map>

class QAction;
class QGroupBox;
class QMenuBar;
class QToolButton;

class TForm4 : public ui::AuxiliaryWindow {
    Q_OBJECT
public:
    explicit TForm4(ui::MainWindowLink& main);

    void FormCreate();
    void T1Timer();
    void N2Click();
    void SB62Click(); // Bcksp
    void SB66Click(); // [Enter]
    void SB23Click(); // Пробел
    void SB63Click(); // Caps Lock
    // A sign or letter key.
    void characterKeyClick(QToolButton* key);

    // Opened over the main window, with its poller running.
    void open();
    // Closed by the leave animation: the main window stays as it is.
    void closeForLeave();

    // 0: small letters; 1: capitals. Kept between openings.
    int CapsState = 0;

    QMenuBar* menu = nullptr;
    QAction* N2 = nullptr;
    QGroupBox* signs = nullptr;
    QGroupBox* letters = nullptr;
    QToolButton* SB62 = nullptr;
    QToolButton* SB66 = nullptr;
    QToolButton* SB23 = nullptr;
    QToolButton* SB63 = nullptr;
    ui::Timer* T1 = nullptr;

    // The sign and letter keys by their names (SB4 ... SB61, Sd8).
    QToolButton* key(const QString& name) const;
    const std::map<QString, QToolButton*>& keys() const { return keys_; }

protected:
    void closeByOwnMeans() override { N2Click(); }

private:
    struct Key {
        const char* name;
        int left;
        const char* caption; // UTF-8
        unsigned char small;
        unsigned char capital;
    };
    QToolButton* makeKey(QWidget* parent, const Key& key, int top, int width);
    void appendCharacter(char c);

    std::map<QString, QToolButton*> keys_;
    std::map<QToolButton*, std::pair<char, char>> inserts_;
};
