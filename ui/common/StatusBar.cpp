#include "StatusBar.h"

#include <QLabel>

namespace ui {

StatusBar::StatusBar(const std::vector<int>& widths, QWidget* parent)
    : QFrame(parent), widths_(widths) {
    for (std::size_t i = 0; i < widths_.size(); ++i) {
        auto* label = new QLabel(this);
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setIndent(2);
        label->setTextFormat(Qt::PlainText);
        panels_.push_back(label);
    }
    layoutPanels();
}

QString StatusBar::panelText(int panel) const {
    return panels_.at(static_cast<std::size_t>(panel))->text();
}

void StatusBar::setPanelText(int panel, const QString& text) {
    QLabel* label = panels_.at(static_cast<std::size_t>(panel));
    label->setText(text);
    label->setAccessibleDescription(text);
}

void StatusBar::setPanelName(int panel, const QString& accessibleName) {
    panels_.at(static_cast<std::size_t>(panel))->setAccessibleName(accessibleName);
}

void StatusBar::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    layoutPanels();
}

void StatusBar::layoutPanels() {
    int left = 0;
    for (std::size_t i = 0; i < panels_.size(); ++i) {
        const bool last = i + 1 == panels_.size();
        const int width = last ? std::max(widths_[i], this->width() - left) : widths_[i];
        panels_[i]->setGeometry(left, 1, width - 2, height() - 2);
        left += width;
    }
}

} // namespace ui
