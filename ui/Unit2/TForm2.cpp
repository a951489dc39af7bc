#include "TForm2.h"

TForm2::TForm2(TForm1* main) : main_(main) {
    setWindowTitle(QStringLiteral("Редактор"));
}

std::string TForm2::exchangePath() const {
    return DefaultPath;
}
