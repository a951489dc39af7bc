#pragma once

class QWidget;

namespace ui {

// Places a window at the centre of the desktop it is on.
void centreOnDesktop(QWidget* window);

} // namespace ui
