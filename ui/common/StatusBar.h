#pragma once

// A status bar of three panels; the last one takes the remaining width.

#include <QFrame>
#include <QString>

#include <vector>

class QLabel;

namespace ui {

class StatusBar : public QFrame {
public:
    StatusBar(const std::vector<int>& widths, QWidget* parent);

    QString panelText(int panel) const;
    // The text is also the panel's accessible description.
    void setPanelText(int panel, const QString& text);
    void setPanelName(int panel, const QString& accessibleName);
    QLabel* panel(int index) const { return panels_.at(static_cast<std::size_t>(index)); }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void layoutPanels();

    std::vector<int> widths_;
    std::vector<QLabel*> panels_;
};

} // namespace ui
