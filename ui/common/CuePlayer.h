#pragma once

// A wave player bound to one file. A cue is started and not waited for; a cue
// still sounding is not restarted. A missing file or no audio output at all
// is silence, never an error.

#include <QString>

#include <memory>

class QSoundEffect;

namespace ui {

class CuePlayer {
public:
    // An empty path makes a silent player.
    explicit CuePlayer(const QString& filePath);
    ~CuePlayer();
    CuePlayer(const CuePlayer&) = delete;
    CuePlayer& operator=(const CuePlayer&) = delete;

    void play();
    // How many times the cue was asked to play.
    int timesAsked() const { return asked_; }

private:
    std::unique_ptr<QSoundEffect> effect_;
    int asked_ = 0;
};

} // namespace ui
