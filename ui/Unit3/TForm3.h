#pragma once

// The about window "О программе": the picture, the version and the history.

#include <QWidget>

class TForm1;

class TForm3 : public QWidget {
    Q_OBJECT
public:
    explicit TForm3(TForm1* main);

private:
    TForm1* main_;
};
