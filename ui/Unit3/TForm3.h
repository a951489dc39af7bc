#pragma once

// The about window "О программе": the picture, the version, and the history
// from ReadMe.Txt in a pane that folds out below.

#include "ui/common/AuxiliaryWindow.h"

class QFrame;
class QLabel;
class QPlainTextEdit;
class QPushButton;

class TForm3 : public ui::AuxiliaryWindow {
    Q_OBJECT
public:
    // The window's outer height tells the pane's state: 179 folded in, 327
    // folded out (a title bar of 27 pixels over the client area).
    static constexpr int CollapsedHeight = 179;
    static constexpr int ExpandedHeight = 327;
    static constexpr int TitleBarHeight = 27;

    explicit TForm3(ui::MainWindowLink& main);

    int Height() const { return height_; }
    void setHeight(int height);

    // Opened over the main window, always folded in.
    void open();
    void Button1Click(); // История
    void Button2Click(); // Закрыть

    QFrame* upperPane = nullptr;
    QLabel* QRImage1 = nullptr;
    QLabel* Label1 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    QFrame* lowerPane = nullptr;
    QPlainTextEdit* Memo1 = nullptr;

protected:
    void closeByOwnMeans() override { Button2Click(); }

private:
    int height_ = CollapsedHeight;
};
