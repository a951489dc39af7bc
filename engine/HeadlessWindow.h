#pragma once

// The main window without a screen, as the console driver and the
// knowledge-base workbench use it: an input field, a display list, the timer
// flags the engine sets, and the mode marks. Cues and cursors are silent.

#include "DialogueWindow.h"

#include <set>
#include <string>
#include <vector>

namespace engine {

class HeadlessWindow final : public DialogueWindow {
public:
    std::string inputText() const override { return input_; }
    void setInputText(const std::string& text) override { input_ = text; }

    int displayCount() const override { return static_cast<int>(display_.size()); }
    std::string displayLine(int index) const override;
    void addDisplayLine(const std::string& line, LineStyle) override {
        display_.push_back(line);
    }
    void deleteLastDisplayLine() override;
    void clearDisplay() override { display_.clear(); }

    void playCue(Cue) override {}
    void setBusyCursor(bool) override {}
    void setTimerEnabled(Timer timer, bool enabled) override;
    bool timerEnabled(Timer timer) const { return timers_.count(timer) != 0; }

    bool cpuUserChecked() const override { return !cpuCpu_; }
    bool cpuCpuChecked() const override { return cpuCpu_; }
    void setCpuCpu(bool on) { cpuCpu_ = on; }
    std::string exchangePath() const override { return exchangePath_; }
    void setExchangePath(std::string path) { exchangePath_ = std::move(path); }

private:
    std::string input_;
    std::vector<std::string> display_;
    std::set<Timer> timers_;
    bool cpuCpu_ = false;
    std::string exchangePath_;
};

} // namespace engine
