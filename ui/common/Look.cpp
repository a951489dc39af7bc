#include "Look.h"

#include "Dialogs.h"

#include <QPalette>
#include <QWidget>

namespace ui {

void giveWindowLook(QWidget* window) {
    window->setFont(defaultFont());
    QPalette palette = window->palette();
    palette.setColor(QPalette::Window, kSilver);
    palette.setColor(QPalette::Button, kSilver);
    // The style's own disabled grey would vanish on silver: a disabled
    // button, or a main window disabled under an auxiliary one, stays
    // readable.
    const QColor greyed(110, 110, 110);
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(QPalette::Disabled, role, greyed);
    window->setPalette(palette);
}

} // namespace ui
