#pragma once

// Errors end an event handler: they are caught here, at the boundary, and
// shown in a message box; the program goes on.

#include "MessageBox.h"
#include "Text.h"

#include "kb/FileError.h"

#include <exception>
#include <type_traits>

class QWidget;

namespace ui {

inline void reportError(QWidget* parent, const std::exception& error) {
    MessageBox::error(parent, fromCp1251(kb::withFullStop(error.what())));
}

// Runs a handler's work; returns false when it stopped on an error, which has
// then been shown.
template <typename Work> bool runReported(QWidget* parent, Work&& work) {
    try {
        work();
        return true;
    } catch (const std::exception& error) {
        reportError(parent, error);
        return false;
    }
}

// For a timer step that stays due after a failure: the failure is shown once,
// and again only after the step has succeeded and then failed anew, so that a
// timer firing every few milliseconds does not open box after box. Work that
// returns a bool says whether it did what it is for: a tick with nothing to
// do (the idle prompt before its time) is no success.
class ReportOnce {
public:
    template <typename Work> bool run(QWidget* parent, Work&& work) {
        try {
            if constexpr (std::is_same_v<std::invoke_result_t<Work>, bool>) {
                if (work())
                    reported_ = false;
            } else {
                work();
                reported_ = false;
            }
            return true;
        } catch (const std::exception& error) {
            if (!reported_) {
                // Set first: the box runs an event loop in which the timer ticks again.
                reported_ = true;
                reportError(parent, error);
            }
            return false;
        }
    }
    bool reported() const { return reported_; }

private:
    bool reported_ = false;
};

} // namespace ui
