#pragma once

// A timer as the program's handlers expect it: an enabled flag and an
// interval. Enabling an enabled timer leaves its interval running; a new
// interval starts it afresh. Intervals under the system's resolution run at
// that resolution: a 1 ms timer fires at every turn of the event loop that
// comes after 10 ms, which keeps an idle program light.

#include <QObject>
#include <QTimer>

#include <functional>

namespace ui {

class Timer : public QObject {
    Q_OBJECT
public:
    Timer(int interval, bool enabled, std::function<void()> handler, QObject* parent = nullptr);
    ~Timer() override;

    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled);
    int interval() const { return interval_; }
    void setInterval(int interval);

    // Timers count only while the program's event loop runs: nothing fires
    // before it starts (tests tick the handlers themselves).
    static void setLoopRunning(bool running);

    // Runs the handler now, as a tick would.
    void fire() { handler_(); }

private:
    void restart();
    static int effectiveInterval(int interval);

    QTimer timer_;
    int interval_;
    bool enabled_;
    std::function<void()> handler_;
};

} // namespace ui
