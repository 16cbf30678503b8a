// SpeakerCommands: what the view does for the transport bar's Sound and Volume buttons. Sound
// switches the speakers' mute (the first click mutes, the next unmutes, and so on) and the
// bar's sound icon follows; Volume shows the volume pop-up at the pointer or hides it.
//
// With no sound server both buttons leave everything as it is: the mute and the icon stay,
// and no pop-up opens, since its sliders would move nothing. An open pop-up can always be
// closed.
#pragma once

#include "MixerControls.h"

#include <QPoint>

class CNavigationBar;
class CVolumeDialog;
class QWidget;

class SpeakerCommands {
public:
    // The pop-up's size, and how far above the pointer its top lies.
    static constexpr int kPopupWidth = 45;
    static constexpr int kPopupHeight = 130;

    // Opens the mute switch and creates the hidden pop-up, which stays above owner's window
    // and goes with owner.
    explicit SpeakerCommands(QWidget* owner);
    ~SpeakerCommands();
    SpeakerCommands(const SpeakerCommands&) = delete;
    SpeakerCommands& operator=(const SpeakerCommands&) = delete;

    // Sound: writes nextMute to the mute switch. When the server takes it, the bar shows the
    // muted icon (-1) after muting and level 1 after unmuting, and nextMute flips.
    void ToggleMute(CNavigationBar* bar);
    // Volume: a hidden pop-up opens with its top-left corner at the pointer's x and 130 pixels
    // above its y (45 x 130), showing the speakers' volumes now; an open one closes.
    void ToggleVolumePopup(QPoint cursor);

    int nextMute() const { return nextMute_; }
    // Hidden until Volume opens it; Volume, or Esc in the pop-up, hides it again.
    bool isPopupHidden() const;
    CVolumeDialog* volumePopup() const { return popup_; }
    CMixerMuteControl& muteControl() { return mute_; }

private:
    CMixerMuteControl mute_;
    CVolumeDialog* popup_ = nullptr;  // owned by the owner widget
    int nextMute_ = 1;
};
