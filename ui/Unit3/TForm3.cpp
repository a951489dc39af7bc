#include "TForm3.h"

TForm3::TForm3(TForm1* main) : main_(main) {
    setWindowTitle(QStringLiteral("О программе"));
}
