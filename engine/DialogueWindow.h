#pragma once

// What the reply engine needs of the main window. The desktop window, the
// console driver and the tests each implement it.

#include <string>

namespace engine {

enum class Cue {
    KeyBoard,   // MP1: the text of the input field changed
    UserPhrase, // MP2: the user's phrase is shown
    Layout,     // MP3: a layout conversion starts
    Shake,      // MP4: the window shake starts
    Program,    // MP5: the program shows a line
    Close,      // MP6: a step of the leave animation
};

// The display style set before a line is added.
enum class LineStyle {
    User,       // user colour and user font
    Program,    // program colour and program font
    IdlePrompt, // the general colour only; the font stays as the last line left it
    Service,    // teal only
};

enum class Timer { T4, T7, T9, T10 };

class DialogueWindow {
public:
    virtual ~DialogueWindow() = default;

    virtual std::string inputText() const = 0;
    // Rewrites the whole field; a change sounds the keyboard cue.
    virtual void setInputText(const std::string& text) = 0;

    virtual int displayCount() const = 0;
    virtual std::string displayLine(int index) const = 0;
    // One line, without line breaks.
    virtual void addDisplayLine(const std::string& line, LineStyle style) = 0;
    virtual void deleteLastDisplayLine() = 0;
    virtual void clearDisplay() = 0;

    virtual void playCue(Cue cue) = 0;
    virtual void setBusyCursor(bool busy) = 0;
    // Enabling an enabled timer leaves its running interval alone.
    virtual void setTimerEnabled(Timer timer, bool enabled) = 0;

    // The check marks of the mode items `CpuUser1` and `Cpu31`.
    virtual bool cpuUserChecked() const = 0;
    virtual bool cpuCpuChecked() const = 0;
    // The exchange-file path as the settings window's field holds it.
    virtual std::string exchangePath() const = 0;
};

} // namespace engine
