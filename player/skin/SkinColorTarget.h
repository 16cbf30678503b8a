// Receives the skin colour that the control panel chooses: a hue rotation in degrees and an
// additive saturation shift. The visual manager implements it and recolours its images.
#pragma once

class SkinColorTarget {
public:
    virtual ~SkinColorTarget() = default;
    virtual double hue() const = 0;         // degrees, -180 to 180
    virtual double saturation() const = 0;  // -1.0 to about 0.414
    // Does nothing when both equal the current values exactly.
    virtual void setHueSaturation(double hue, double saturation) = 0;
};
