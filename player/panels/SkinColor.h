// The skin colour on the control panel: the hue and saturation shifts of the skin's images,
// which CVisualManager keeps, shown on two sliders (hue 0 to 360, saturation 0 to 200).
// The conversions between slider positions and skin values live here so both directions
// stay each other's inverse.
#pragma once

namespace skincolor {

// Slider position 0 to 360 -> hue shift in degrees.
double hueFromSlider(int position);
// Slider position 0 to 200 -> saturation shift: sqrt(position x 0.01) - 1.
double saturationFromSlider(int position);
// Inverses, truncated toward zero as slider positions are.
int sliderFromHue(double hue);
int sliderFromSaturation(double saturation);

}  // namespace skincolor
