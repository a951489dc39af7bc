#pragma once

// The settings window "Редактор": the exchange file's path and interval.

#include <QWidget>

#include <string>

class TForm1;

class TForm2 : public QWidget {
    Q_OBJECT
public:
    static constexpr const char* DefaultPath = "D:\\Txt.Dat";

    explicit TForm2(TForm1* main);

    // The path as the field holds it, in Windows-1251.
    std::string exchangePath() const;

private:
    TForm1* main_;
};
