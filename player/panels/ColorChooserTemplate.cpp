#include "ColorChooserTemplate.h"

#include <algorithm>

namespace panel {

namespace {

constexpr ControlTemplate kTemplate[] = {
    {WindowStyleGroup, ControlKind::GroupBox, "Window Style", 0, 8, 207, 53},
    {HueLabel, ControlKind::Static, "Hue:", 3, 19, 40, 8},
    {HueSlider, ControlKind::Slider, nullptr, 46, 17, 157, 14},
    {SaturationLabel, ControlKind::Static, "Saturation:", 3, 31, 43, 8},
    {SaturationSlider, ControlKind::Slider, nullptr, 46, 31, 157, 14},
    {PresetBackwardButton, ControlKind::ImageButton, "IDB_BTN_BAR_PREV", 4, 44, 12, 12},
    {PresetForwardButton, ControlKind::ImageButton, "IDB_BTN_BAR_NEXT", 23, 44, 12, 12},
    {ResetLink, ControlKind::LinkButton, "Reset", 41, 44, 72, 12},
    {MediaGroup, ControlKind::GroupBox, "Media Base Control", 0, 64, 207, 67},
    {OriginalSizeRadio, ControlKind::Radio, nullptr, 7, 76, 10, 8},
    {OriginalSizeLabel, ControlKind::Static, "Original size", 19, 76, 112, 8},
    {ProportionLabel, ControlKind::Static, "Proportion:", 33, 87, 45, 8},
    {ProportionSlider, ControlKind::Slider, nullptr, 82, 87, 120, 12},
    {FullViewRadio, ControlKind::Radio, nullptr, 7, 100, 10, 8},
    {FullViewLabel, ControlKind::Static, "Full View", 19, 100, 94, 8},
    {PlayRateLabel, ControlKind::Static, "Play Rate:", 9, 116, 41, 8},
    {PlayRateSlider, ControlKind::Slider, nullptr, 54, 114, 148, 12},
    {SurfaceGroup, ControlKind::GroupBox, "Surface Bethel", 0, 134, 206, 203},
    {ModifyLabel, ControlKind::Static, "Modify", 116, 143, 44, 8},
    {NormalRadio, ControlKind::Radio, nullptr, 7, 149, 11, 8},
    {NormalLabel, ControlKind::Static, "Normal", 21, 148, 48, 8},
    {Bethel1Radio, ControlKind::Radio, nullptr, 7, 163, 11, 8},
    {Bethel1Label, ControlKind::Static, "Bethel 1", 21, 162, 44, 8},
    {Bethel1Slider, ControlKind::Slider, nullptr, 67, 160, 135, 15},
    {Bethel2Radio, ControlKind::Radio, nullptr, 7, 176, 11, 8},
    {Bethel2Label, ControlKind::Static, "Bethel 2", 21, 175, 44, 8},
    {Bethel2Slider, ControlKind::Slider, nullptr, 67, 173, 135, 15},
    {Bethel3Radio, ControlKind::Radio, nullptr, 7, 190, 11, 8},
    {Bethel3Label, ControlKind::Static, "Bethel 3", 21, 190, 45, 8},
    {Bethel3Slider, ControlKind::Slider, nullptr, 67, 187, 135, 15},
    {Bethel4Radio, ControlKind::Radio, nullptr, 7, 203, 11, 8},
    {Bethel4Label, ControlKind::Static, "Bethel 4", 21, 203, 44, 8},
    {Bethel4Slider, ControlKind::Slider, nullptr, 67, 200, 135, 15},
    {NoneRadio, ControlKind::Radio, nullptr, 7, 215, 11, 8},
    {NoneLabel, ControlKind::Static, "None", 21, 215, 48, 8},
    {FreedomRadio, ControlKind::Radio, nullptr, 7, 226, 12, 8},
    {FreedomLabel, ControlKind::Static, "Freedom to adjust", 21, 227, 101, 8},
    {0, ControlKind::BlackFrame, nullptr, 64, 259, 71, 49},
    {FreedomTopLeftSlider, ControlKind::Slider, nullptr, 10, 252, 51, 11},
    {FreedomTopSlider, ControlKind::Slider, nullptr, 66, 239, 63, 12},
    {FreedomTopRightSlider, ControlKind::Slider, nullptr, 136, 250, 56, 12},
    {FreedomRightSlider, ControlKind::Slider, nullptr, 151, 279, 54, 12},
    {FreedomBottomRightSlider, ControlKind::Slider, nullptr, 136, 308, 58, 11},
    {FreedomBottomSlider, ControlKind::Slider, nullptr, 67, 322, 65, 12},
    {FreedomBottomLeftSlider, ControlKind::Slider, nullptr, 11, 308, 52, 11},
    {FreedomLeftSlider, ControlKind::Slider, nullptr, 1, 279, 53, 11},
    {ShapeGroup, ControlKind::GroupBox, "Three-dimensional", 0, 339, 206, 55},
    {FlatRadio, ControlKind::Radio, nullptr, 8, 351, 11, 8},
    {FlatLabel, ControlKind::Static, "Flat", 22, 351, 48, 8},
    {CubeRadio, ControlKind::Radio, nullptr, 79, 351, 12, 8},
    {CubeLabel, ControlKind::Static, "Cube", 93, 351, 51, 8},
    {SphereRadio, ControlKind::Radio, nullptr, 149, 351, 9, 8},
    {SphereLabel, ControlKind::Static, "Sphere", 163, 351, 38, 8},
    {CylinderRadio, ControlKind::Radio, nullptr, 7, 365, 12, 8},
    {CylinderLabel, ControlKind::Static, "Cylinder", 21, 365, 53, 8},
    {TaperRadio, ControlKind::Radio, nullptr, 79, 365, 12, 8},
    {TaperLabel, ControlKind::Static, "Taper", 93, 365, 62, 8},
    {RotationCheck, ControlKind::CheckBox, nullptr, 8, 379, 11, 8},
    {RotationLabel, ControlKind::Static, "Rotation", 21, 379, 43, 8},
    {RotationSlider, ControlKind::Slider, nullptr, 66, 381, 135, 10},
    {ScrollLeftButton, ControlKind::ImageButton, "IDB_BTN_BAR_PREV", 179, 5, 18, 13},
    {ScrollRightButton, ControlKind::ImageButton, "IDB_BTN_BAR_NEXT", 197, 5, 13, 14},
    {ScrollUpButton, ControlKind::ImageButton, "IDB_BTN_BAR_UP", 193, 359, 16, 14},
    {ScrollDownButton, ControlKind::ImageButton, "IDB_BTN_BAR_DOWN", 193, 371, 16, 14},
};

// The gap a widened caption keeps from the control after it, and from its group box's edge.
constexpr int kCaptionGap = 1;
constexpr int kGroupInnerMargin = 3;

bool overlapsVertically(const ControlTemplate& a, const ControlTemplate& b)
{
    return a.y < b.y + b.height && b.y < a.y + a.height;
}

bool contains(const ControlTemplate& outer, const ControlTemplate& inner)
{
    return inner.x >= outer.x && inner.x < outer.x + outer.width && inner.y >= outer.y &&
           inner.y < outer.y + outer.height;
}

}  // namespace

std::span<const ControlTemplate> controlTemplate() { return kTemplate; }

bool isScrollArrow(int id)
{
    for (ControlId arrow : kScrollArrows)
        if (arrow == id)
            return true;
    return false;
}

Extent contentExtent()
{
    Extent extent{0, 0};
    for (const ControlTemplate& t : kTemplate) {
        if (isScrollArrow(t.id))
            continue;
        extent.width = std::max(extent.width, t.x + t.width);
        extent.height = std::max(extent.height, t.y + t.height);
    }
    return extent;
}

int captionRoom(const ControlTemplate& caption)
{
    int right = kTemplateWidth - kGroupInnerMargin;
    for (const ControlTemplate& t : kTemplate) {
        if (t.id == caption.id || isScrollArrow(t.id))
            continue;
        if (t.kind == ControlKind::GroupBox && contains(t, caption))
            right = std::min(right, t.x + t.width - kGroupInnerMargin);
        else if (t.kind != ControlKind::GroupBox && t.x > caption.x &&
                 overlapsVertically(t, caption))
            right = std::min(right, t.x - kCaptionGap);
    }
    return std::max(caption.width, right - caption.x);
}

}  // namespace panel
