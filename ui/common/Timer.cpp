#include "Timer.h"

#include <vector>

namespace ui {
namespace {

constexpr int kResolutionMs = 10;

bool& started() {
    static bool running = false;
    return running;
}

std::vector<Timer*>& allTimers() {
    static std::vector<Timer*> timers;
    return timers;
}

} // namespace

Timer::Timer(int interval, bool enabled, std::function<void()> handler, QObject* parent)
    : QObject(parent), interval_(interval), enabled_(enabled), handler_(std::move(handler)) {
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, [this] { handler_(); });
    allTimers().push_back(this);
    restart();
}

Timer::~Timer() {
    std::erase(allTimers(), this);
}

int Timer::effectiveInterval(int interval) {
    return interval < kResolutionMs ? kResolutionMs : interval;
}

void Timer::restart() {
    if (enabled_ && started())
        timer_.start(effectiveInterval(interval_));
    else
        timer_.stop();
}

void Timer::setEnabled(bool enabled) {
    if (enabled == enabled_)
        return;
    enabled_ = enabled;
    restart();
}

void Timer::setInterval(int interval) {
    if (interval == interval_)
        return;
    interval_ = interval;
    restart();
}

void Timer::setLoopRunning(bool running) {
    started() = running;
    for (Timer* timer : allTimers())
        timer->restart();
}

} // namespace ui
