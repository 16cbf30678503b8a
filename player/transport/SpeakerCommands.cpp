#include "SpeakerCommands.h"

#include "NavigationBar.h"
#include "VolumeDialog.h"

#include <QWidget>

namespace {

constexpr int kMutedLevel = -1;
constexpr int kUnmutedLevel = 1;

}  // namespace

SpeakerCommands::SpeakerCommands(QWidget* owner)
{
    mute_.Open();
    popup_ = new CVolumeDialog(owner);
}

SpeakerCommands::~SpeakerCommands() = default;

void SpeakerCommands::ToggleMute(CNavigationBar* bar)
{
    if (!mute_.SetMute(nextMute_))
        return;
    const bool muted = nextMute_ == 1;
    if (bar)
        bar->setSoundLevel(muted ? kMutedLevel : kUnmutedLevel);
    nextMute_ = muted ? 0 : 1;
}

void SpeakerCommands::ToggleVolumePopup(QPoint cursor)
{
    if (!isPopupHidden()) {
        popup_->hide();
        return;
    }
    if (!popup_->readVolumes())
        return;
    popup_->setGeometry(cursor.x(), cursor.y() - kPopupHeight, kPopupWidth, kPopupHeight);
    popup_->show();
}

bool SpeakerCommands::isPopupHidden() const
{
    return popup_->isHidden();
}
