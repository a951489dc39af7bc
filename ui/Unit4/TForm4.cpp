#include "TForm4.h"

TForm4::TForm4(TForm1* main) : main_(main) {
    setWindowTitle(QStringLiteral("Виртуальная клавиатура"));
}
