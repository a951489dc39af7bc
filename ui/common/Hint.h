#pragma once

// What a screen reader tells of a control: its accessible name, and its
// hint, which is shown as a tooltip as well.

#include <QString>
#include <QWidget>

namespace ui {

inline void describe(QWidget* control, const QString& name, const QString& hint = {}) {
    control->setAccessibleName(name);
    if (!hint.isEmpty()) {
        control->setToolTip(hint);
        control->setAccessibleDescription(hint);
    }
}

} // namespace ui
