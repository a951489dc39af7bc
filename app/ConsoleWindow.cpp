#include "ConsoleWindow.h"

namespace console {

std::string ConsoleWindow::displayLine(int index) const {
    if (index < 0 || index >= displayCount())
        return {};
    return display_[static_cast<std::size_t>(index)];
}

void ConsoleWindow::deleteLastDisplayLine() {
    if (!display_.empty())
        display_.pop_back();
}

void ConsoleWindow::setTimerEnabled(engine::Timer timer, bool enabled) {
    if (enabled)
        timers_.insert(timer);
    else
        timers_.erase(timer);
}

} // namespace console
