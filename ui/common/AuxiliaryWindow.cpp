#include "AuxiliaryWindow.h"

#include "Look.h"
#include "Placement.h"

#include <QCloseEvent>

namespace ui {

AuxiliaryWindow::AuxiliaryWindow(MainWindowLink& main, Qt::WindowType frame)
    : QWidget(main.ownerWindow(), frame | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      main_(main) {
    giveWindowLook(this);
}

void AuxiliaryWindow::openOverMain() {
    main_.setPollerEnabled(false);
    main_.ownerWindow()->setEnabled(false);
    show();
    centreOnDesktop(this);
    // Disabling the main window disabled the windows it owns as well.
    setEnabled(true);
    raise();
    activateWindow();
}

void AuxiliaryWindow::returnToMain() {
    main_.setPollerEnabled(true);
    main_.ownerWindow()->setEnabled(true);
    hide();
}

void AuxiliaryWindow::closeEvent(QCloseEvent* event) {
    if (isVisible())
        closeByOwnMeans();
    event->accept();
}

} // namespace ui
