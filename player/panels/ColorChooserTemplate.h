// The control panel's dialog template: every control with its id and its rectangle in dialog
// units, the names the panel's code gives those ids, and which controls belong together (a
// surface's radio and its depth slider, a shape's radio, a push button's command).
#pragma once

#include "CommandIds.h"
#include "SceneTypes.h"

#include <span>

namespace panel {

// The template's 210 x 629 dialog units.
inline constexpr int kTemplateWidth = 210;
inline constexpr int kTemplateHeight = 629;

// Control ids of the template. The caption table and the tests address controls by them.
enum ControlId : int {
    WindowStyleGroup = 1130, HueLabel = 1131, HueSlider = 1051,
    SaturationLabel = 1132, SaturationSlider = 1052,
    PresetBackwardButton = 1055, PresetForwardButton = 1054, ResetLink = 1053,

    MediaGroup = 1133, OriginalSizeRadio = 1087, OriginalSizeLabel = 1134,
    ProportionLabel = 1135, ProportionSlider = 1082, FullViewRadio = 1091, FullViewLabel = 1136,
    PlayRateLabel = 1137, PlayRateSlider = 1103,

    SurfaceGroup = 1138, ModifyLabel = 1153,
    NormalRadio = 1092, NormalLabel = 1139,
    Bethel1Radio = 1093, Bethel1Label = 1140, Bethel1Slider = 1105,
    Bethel2Radio = 1094, Bethel2Label = 1141, Bethel2Slider = 1106,
    Bethel3Radio = 1095, Bethel3Label = 1142, Bethel3Slider = 1107,
    Bethel4Radio = 1096, Bethel4Label = 1143, Bethel4Slider = 1108,
    NoneRadio = 1102, NoneLabel = 1144,
    FreedomRadio = 1109, FreedomLabel = 1145,
    FreedomTopLeftSlider = 1110, FreedomTopSlider = 1111, FreedomTopRightSlider = 1112,
    FreedomRightSlider = 1113, FreedomBottomRightSlider = 1114, FreedomBottomSlider = 1115,
    FreedomBottomLeftSlider = 1116, FreedomLeftSlider = 1117,

    ShapeGroup = 1146,
    FlatRadio = 1097, FlatLabel = 1147, CubeRadio = 1098, CubeLabel = 1148,
    SphereRadio = 1099, SphereLabel = 1149, CylinderRadio = 1100, CylinderLabel = 1150,
    TaperRadio = 1101, TaperLabel = 1151,
    RotationCheck = 1121, RotationLabel = 1152, RotationSlider = 1122,

    ScrollLeftButton = 1084, ScrollRightButton = 1085, ScrollUpButton = 1119,
    ScrollDownButton = 1120,
};

enum class ControlKind {
    GroupBox, Static, Slider, Radio, CheckBox, ImageButton, LinkButton, BlackFrame
};

struct ControlTemplate {
    int id;  // 0 for the unnumbered black frame
    ControlKind kind;
    const char* text;  // the caption, or the image strip of an image button
    int x, y, width, height;
};

// Every control of the template in creation order. Group boxes and the black frame are
// lowered below the rest after creation.
std::span<const ControlTemplate> controlTemplate();

// The corner opposite the origin of everything the panel shows (the scroll arrows, which
// move with the panel's edges, left out), in dialog units.
struct Extent {
    int width;
    int height;
};
Extent contentExtent();

// The width a static caption may take, in dialog units: its own, or more, up to the next
// control to its right on its row or else to the inside of its group box.
int captionRoom(const ControlTemplate& caption);

// The surface radios in panel order; a Bethel mode has the slider that sets its depth.
struct SurfaceChoice {
    ControlId radio;
    SurfaceMode mode;
    int depthSlider;  // 0: none
};
inline constexpr SurfaceChoice kSurfaceChoices[] = {
    {NormalRadio, SurfaceMode::Normal, 0},
    {Bethel1Radio, SurfaceMode::Bethel1, Bethel1Slider},
    {Bethel2Radio, SurfaceMode::Bethel2, Bethel2Slider},
    {Bethel3Radio, SurfaceMode::Bethel3, Bethel3Slider},
    {Bethel4Radio, SurfaceMode::Bethel4, Bethel4Slider},
    {NoneRadio, SurfaceMode::None, 0},
    {FreedomRadio, SurfaceMode::Freedom, 0},
};

// "Freedom to adjust": the sliders of the eight rim points in SurfaceSettings::freedom order.
inline constexpr ControlId kFreedomSliders[] = {
    FreedomTopLeftSlider, FreedomTopSlider, FreedomTopRightSlider, FreedomRightSlider,
    FreedomBottomRightSlider, FreedomBottomSlider, FreedomBottomLeftSlider, FreedomLeftSlider,
};

struct ShapeChoice {
    ControlId radio;
    ShapeKind kind;
};
inline constexpr ShapeChoice kShapeChoices[] = {
    {FlatRadio, ShapeKind::Flat}, {CubeRadio, ShapeKind::Cube}, {SphereRadio, ShapeKind::Sphere},
    {CylinderRadio, ShapeKind::Cylinder}, {TaperRadio, ShapeKind::Taper},
};

struct PushButton {
    ControlId control;
    Command command;
};
inline constexpr PushButton kPushButtons[] = {
    {ResetLink, Command::ResetSkinColor},
    {PresetForwardButton, Command::ColorPresetForward},
    {PresetBackwardButton, Command::ColorPresetBackward},
    {ScrollLeftButton, Command::ScrollLeft},
    {ScrollRightButton, Command::ScrollRight},
    {ScrollUpButton, Command::ScrollUp},
    {ScrollDownButton, Command::ScrollDown},
};

// The four scroll arrows, which show only while the panel is smaller than its template.
inline constexpr ControlId kScrollArrows[] = {
    ScrollLeftButton, ScrollRightButton, ScrollUpButton, ScrollDownButton,
};
bool isScrollArrow(int id);

}  // namespace panel
