#pragma once

// The on-screen keyboard "Виртуальная клавиатура".

#include <QWidget>

class TForm1;

class TForm4 : public QWidget {
    Q_OBJECT
public:
    explicit TForm4(TForm1* main);

private:
    TForm1* main_;
};
