#include "HeadlessWindow.h"

namespace engine {

std::string HeadlessWindow::displayLine(int index) const {
    if (index < 0 || index >= displayCount())
        return {};
    return display_[static_cast<std::size_t>(index)];
}

void HeadlessWindow::deleteLastDisplayLine() {
    if (!display_.empty())
        display_.pop_back();
}

void HeadlessWindow::setTimerEnabled(Timer timer, bool enabled) {
    if (enabled)
        timers_.insert(timer);
    else
        timers_.erase(timer);
}

} // namespace engine
