#pragma once

// The main window as the console driver sees it: an input field, a display
// list, the timer flags the engine sets, and the mode marks. Cues and cursors
// are silent.

#include "engine/DialogueWindow.h"

#include <set>
#include <string>
#include <vector>

namespace console {

class ConsoleWindow final : public engine::DialogueWindow {
public:
    std::string inputText() const override { return input_; }
    void setInputText(const std::string& text) override { input_ = text; }

    int displayCount() const override { return static_cast<int>(display_.size()); }
    std::string displayLine(int index) const override;
    void addDisplayLine(const std::string& line, engine::LineStyle) override {
        display_.push_back(line);
    }
    void deleteLastDisplayLine() override;
    void clearDisplay() override { display_.clear(); }

    void playCue(engine::Cue) override {}
    void setBusyCursor(bool) override {}
    void setTimerEnabled(engine::Timer timer, bool enabled) override;
    bool timerEnabled(engine::Timer timer) const { return timers_.count(timer) != 0; }

    bool cpuUserChecked() const override { return !cpuCpu_; }
    bool cpuCpuChecked() const override { return cpuCpu_; }
    void setCpuCpu(bool on) { cpuCpu_ = on; }
    std::string exchangePath() const override { return exchangePath_; }
    void setExchangePath(std::string path) { exchangePath_ = std::move(path); }

private:
    std::string input_;
    std::vector<std::string> display_;
    std::set<engine::Timer> timers_;
    bool cpuCpu_ = false;
    std::string exchangePath_;
};

} // namespace console
