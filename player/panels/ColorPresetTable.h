// The skin colour presets walked by the control panel's "<" and ">" buttons, as hue (0 to
// 360) and saturation (0 to 200) slider positions. Entry 0 is the neutral colour.
#pragma once

#include <array>

struct ColorPreset {
    int hue;
    int saturation;
};

inline constexpr std::array<ColorPreset, 23> ColorPresetTable = {{
    {180, 100}, {150, 75},  {150, 100}, {120, 75},  {120, 100}, {60, 75},
    {60, 100},  {30, 75},   {30, 100},  {360, 25},  {360, 100}, {350, 135},
    {330, 75},  {330, 100}, {300, 100}, {270, 100}, {240, 75},  {240, 100},
    {210, 75},  {210, 100}, {180, 0},   {180, 25},  {180, 75},
}};
