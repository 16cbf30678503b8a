#include "SkinColor.h"

#include <cmath>

namespace skincolor {

double hueFromSlider(int position)
{
    return static_cast<double>(position) - 180.0;
}

double saturationFromSlider(int position)
{
    return std::sqrt(position * 0.01) - 1.0;
}

int sliderFromHue(double hue)
{
    return static_cast<int>(hue + 180.0);
}

int sliderFromSaturation(double saturation)
{
    const double root = saturation + 1.0;
    return static_cast<int>(root * root * 100.0);
}

}  // namespace skincolor
