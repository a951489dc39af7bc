#pragma once

// The settings window, the about window and the on-screen keyboard: windows
// owned by the main window (the window manager keeps them above it) and made
// modal by hand, always in the same order. They reach the main window only
// through MainWindowLink.

#include <QWidget>

#include <string>

namespace kb {
class FileStore;
}

namespace ui {

// What the auxiliary windows need of the main window.
class MainWindowLink {
public:
    // The main window itself: the owner of the auxiliary windows, disabled
    // while one of them is open.
    virtual QWidget* ownerWindow() = 0;
    // The control-state poller, which moves the keyboard focus into the
    // input field; it must not run while the main window is disabled.
    virtual void setPollerEnabled(bool enabled) = 0;

    // The settings window: an edit of its fields clears the tick that says
    // the initial look is in force.
    virtual void clearInitialLookTick() = 0;
    // The settings window: the program's generator re-seeded from the clock,
    // then Random(n).
    virtual int reseededRandom(int n) = 0;

    // The about window: the working directory, where ReadMe.Txt lies.
    virtual kb::FileStore& workingDirectory() = 0;

    // The on-screen keyboard: the text of the input field (Windows-1251)
    // and a click of the send button, whatever its enabled state.
    virtual std::string inputText() const = 0;
    virtual void setInputText(const std::string& text) = 0;
    virtual void clickSpeak() = 0;

protected:
    ~MainWindowLink() = default;
};

class AuxiliaryWindow : public QWidget {
    Q_OBJECT
public:
    // Opening: the main window's poller stops, the main window is disabled,
    // this window is shown at the centre of the desktop and enabled.
    void openOverMain();

protected:
    // `frame` is Qt::Tool or Qt::Dialog; the title bar has no close box and
    // no system menu. Silver, in the program's font.
    AuxiliaryWindow(MainWindowLink& main, Qt::WindowType frame);

    // Closing: the main window's poller starts, the main window is enabled,
    // this window hides.
    void returnToMain();

    // The window's own way out (a button or its menu). Where the window
    // manager closes the window all the same, this runs too, so that the
    // main window comes back exactly as it does then.
    virtual void closeByOwnMeans() = 0;

    void closeEvent(QCloseEvent* event) override;

    MainWindowLink& main_;
};

} // namespace ui
