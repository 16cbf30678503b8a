// CVolumeDialog: the captionless volume pop-up of the transport bar's Volume button: two
// vertical channel sliders, left and right, over the labels "L  R". The sliders stand at the
// speakers' volumes each time the pop-up is about to open and write both channels, each from
// its own slider, whenever either one moves: continuously while it is dragged, and on release
// and keys.
#pragma once

#include "MixerControls.h"

#include <QDialog>

class CChannelSlider;
class QLabel;

class CVolumeDialog : public QDialog {
    Q_OBJECT
public:
    // Control ids of the sliders and the label.
    static constexpr int kLeftSliderId = 1084;
    static constexpr int kRightSliderId = 1085;
    static constexpr int kLabelId = 1086;
    static const QString kLabelText;  // "L  R"

    // Created hidden. The pop-up is a window of its own that stays above parent's window.
    explicit CVolumeDialog(QWidget* parent = nullptr);
    ~CVolumeDialog() override;

    // Sets the sliders (whose range is the mixer's bounds) to the speakers' volumes now (a mono sink's right slider stands at the minimum). False, with the sliders
    // left as they were, when no sound server answers.
    bool readVolumes();

    CChannelSlider* leftSlider() const { return left_; }
    CChannelSlider* rightSlider() const { return right_; }
    QLabel* label() const { return label_; }
    CMixerVolumeControl& volumeControl() { return volume_; }

private:
    // Both slider notifications: write the volume from both sliders.
    void onSliderNotification(int controlId);

    CChannelSlider* right_ = nullptr;
    CChannelSlider* left_ = nullptr;
    QLabel* label_ = nullptr;
    CMixerVolumeControl volume_;
};
