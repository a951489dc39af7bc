// The program entry: the main window first (its creation loads Words.Dat),
// then the settings window, the about window and the on-screen keyboard,
// hidden; the main window shown centred; the event loop until it closes.

#include "ui/Unit1/TForm1.h"
#include "ui/Unit2/TForm2.h"
#include "ui/Unit3/TForm3.h"
#include "ui/Unit4/TForm4.h"
#include "ui/common/Resources.h"
#include "ui/common/Timer.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Talkbase"));
    // The standard dialogs in the user's language, where Qt has it.
    QTranslator qtTexts;
    if (qtTexts.load(QLocale::system(), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTexts);

    ui::loadResources();
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/talkbase-256.png")));

    TForm1 form1;
    TForm2 form2(form1);
    TForm3 form3(form1);
    TForm4 form4(form1);
    form1.attach(&form2, &form3, &form4);

    form1.show();
    form1.centreOnDesktop();

    ui::Timer::setLoopRunning(true);
    return QApplication::exec();
}
