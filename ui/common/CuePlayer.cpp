#include "CuePlayer.h"

#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>

namespace ui {

CuePlayer::CuePlayer(const QString& filePath) {
    if (filePath.isEmpty() || !QFileInfo(filePath).isFile())
        return;
    effect_ = std::make_unique<QSoundEffect>();
    effect_->setSource(QUrl::fromLocalFile(QFileInfo(filePath).absoluteFilePath()));
    effect_->setVolume(0.6f);
}

CuePlayer::~CuePlayer() = default;

void CuePlayer::play() {
    ++asked_;
    if (effect_ && !effect_->isPlaying())
        effect_->play();
}

} // namespace ui
