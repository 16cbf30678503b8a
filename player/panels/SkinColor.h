// The skin colour: hue and saturation shifts applied to the skin's images, kept in the
// settings as "ColorChooserH" and "ColorChooserS" (each value x 1000, truncated).
//
// The control panel shows the colour on two sliders: hue 0 to 360 and saturation 0 to 200.
// The conversions between slider positions and skin values live here so both directions
// stay each other's inverse.
#pragma once

#include "SkinColorTarget.h"

#include <QString>

namespace skincolor {

// Slider position 0 to 360 -> hue shift in degrees.
double hueFromSlider(int position);
// Slider position 0 to 200 -> saturation shift: sqrt(position x 0.01) - 1.
double saturationFromSlider(int position);
// Inverses, truncated toward zero as slider positions are.
int sliderFromHue(double hue);
int sliderFromSaturation(double saturation);

}  // namespace skincolor

// Keeps the skin colour and writes it to the settings store whenever it changes.
// With an empty settingsFile it uses the player's own store (organisation "MediaVelmora",
// application "settings", group "Settings"); tests pass an ini file of their own.
class SkinColorSettings : public SkinColorTarget {
public:
    explicit SkinColorSettings(QString settingsFile = {});

    double hue() const override { return hue_; }
    double saturation() const override { return saturation_; }
    void setHueSaturation(double hue, double saturation) override;

    // How many times a changed colour was stored (unchanged calls store nothing).
    int storeCount() const { return storeCount_; }

private:
    QString settingsFile_;
    double hue_ = 0.0;
    double saturation_ = 0.0;
    int storeCount_ = 0;
};
