#include "MessageBox.h"

#include <QApplication>
#include <QMessageBox>

namespace ui {
namespace {

std::function<void(const QString&)>& answerer() {
    static std::function<void(const QString&)> answer;
    return answer;
}

} // namespace

void MessageBox::error(QWidget* parent, const QString& text) {
    if (answerer()) {
        answerer()(text);
        return;
    }
    QMessageBox::critical(parent, QApplication::applicationName(), text);
}

void MessageBox::setAnswerer(std::function<void(const QString&)> answer) {
    answerer() = std::move(answer);
}

} // namespace ui
