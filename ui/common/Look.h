#pragma once

// The look the program's windows share: silver, in the program's font, with
// disabled text greyed yet readable on silver.

#include <QColor>

class QWidget;

namespace ui {

inline const QColor kSilver(192, 192, 192);

void giveWindowLook(QWidget* window);

} // namespace ui
