#pragma once

// The settings window "Редактор": the path of the exchange file and the
// interval of the exchange timer. Both fields are read at every exchange, so
// an edit takes effect at once, whichever button closes the window.

#include "ui/common/AuxiliaryWindow.h"
#include "ui/common/Timer.h"

#include <string>

class QFrame;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QSpinBox;

class TForm2 : public ui::AuxiliaryWindow {
    Q_OBJECT
public:
    static constexpr const char* DefaultPath = "D:\\Txt.Dat";
    static constexpr int DefaultInterval = 1000;

    explicit TForm2(ui::MainWindowLink& main);

    // The path as the field holds it, in Windows-1251.
    std::string exchangePath() const;
    // The interval in milliseconds, within 1 to 60000.
    int interval() const;

    // Opened over the main window, with its focus hop running.
    void open();

    void Button1Click();
    void Button2Click();
    void Timer1Timer();
    void Edit1Change();
    void SpinEdit1Change();

    QFrame* Bevel1 = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QGroupBox* GroupBox2 = nullptr;
    QSpinBox* SpinEdit1 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    ui::Timer* Timer1 = nullptr;

protected:
    void closeByOwnMeans() override;
};
