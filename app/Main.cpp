// The program entry: the working directory chosen (and made the first time),
// the main window first (its creation loads Words.Dat), then the settings
// window, the about window and the on-screen keyboard, hidden; the main
// window shown centred; the event loop until it closes.

#include "ui/Unit1/TForm1.h"
#include "ui/Unit2/TForm2.h"
#include "ui/Unit3/TForm3.h"
#include "ui/Unit4/TForm4.h"
#include "ui/common/Resources.h"
#include "ui/common/Timer.h"
#include "ui/common/WorkingDirectory.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Talkbase"));
    QApplication::setDesktopFileName(QStringLiteral("talkbase"));
    // The standard dialogs in the user's language, where Qt has it.
    QTranslator qtTexts;
    if (qtTexts.load(QLocale::system(), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTexts);

    QCommandLineParser arguments;
    arguments.setApplicationDescription(QStringLiteral("Talkbase: a conversation in Russian"));
    const QCommandLineOption dir(QStringLiteral("dir"),
                                 QStringLiteral("The working directory (made from the installed "
                                                "data when it holds no Base)."),
                                 QStringLiteral("DIR"));
    arguments.addOption(dir);
    arguments.addHelpOption();
    arguments.process(application);

    ui::loadResources();
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/talkbase-256.png")));

    const std::optional<QString> directory =
        ui::workingDirectoryOrReport(ui::DataPlaces::ofThisProgram(arguments.value(dir)));
    if (!directory)
        return 1;
    ui::MainWindowOptions options;
    options.workingDirectory = *directory;

    TForm1 form1(options);
    TForm2 form2(form1);
    TForm3 form3(form1);
    TForm4 form4(form1);
    form1.attach(&form2, &form3, &form4);

    form1.show();
    form1.centreOnDesktop();

    ui::Timer::setLoopRunning(true);
    return QApplication::exec();
}
