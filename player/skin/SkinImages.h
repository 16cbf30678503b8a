// The skin's pictures: the nine-grid elements (drawn stretched between fixed margins) and the
// image strips (drawn whole, one cell at a time), with the sizes the painting code relies on.
#pragma once

#include <QMargins>
#include <QSize>

enum class SkinElement {
    Caption,           // main-window caption background
    CaptionLine,       // line under the main-window caption
    ExplorerLeft,      // frame borders beside the explorer toolbar
    ExplorerRight,
    BorderLeft,        // frame borders, middle segment; floating panels' sides
    BorderRight,
    Navi1Left,         // frame borders beside the navigation bar, narrow style
    Navi1Right,
    Navi1Bottom,       // bottom frame border, narrow style
    Navi2Left,         // the same, wide style
    Navi2Right,
    Navi2Bottom,
    FloatCaption,      // floating panel caption
    FloatCaptionLine,  // two images: under the caption, along the top border
    FloatBottom,       // floating panel bottom border
    ExplorerBack,      // two images: normal, under desktop composition
    ExplorerButton,    // two images: hot, pressed
    ExplorerLogo,      // three images: idle, hot, pressed
    Navi1Back,         // navigation bar background, narrow and wide style
    Navi2Back,
    ProgressBack,      // the progress slider's groove
    Count
};

enum class SkinStrip {
    SystemGroup,        // background of the caption's system-button group
    MinimizeBack,       // system-button backgrounds: image 0 highlighted, 1 pressed
    MaximizeBack,
    CloseBack,
    CloseIcon,          // system-button symbols
    RestoreIcon,
    MaximizeIcon,
    MinimizeIcon,
    PanelClose,         // close button of panel captions: normal, highlighted, pressed
    Navi2Ornament,      // ornament over the bottom border, wide style
    ThumbHorizontal,    // slider thumbs: normal, highlighted, pressed
    ThumbVertical,
    ArrowDown,          // drop-down arrow
    ExplorerBackForward,
    ExplorerBackForwardFrame,
    ExplorerSeparator,
    Navi1Control,       // navigation bar control area, narrow and wide style
    Navi1ControlGlass,  // the same under desktop composition (never chosen here)
    Navi2Control,
    Navi2ControlGlass,
    EqualizerChannel,   // slider channel of the media-information panel
    Count
};

namespace skinimages {

struct ElementInfo {
    const char* name;   // resource name, ":/images/NAME.png"
    QSize size;         // one image
    QMargins margins;   // left, top, right, bottom
    bool recolored;
};

struct StripInfo {
    const char* name;
    QSize cell;
    bool recolored;
};

const ElementInfo& info(SkinElement element);
const StripInfo& info(SkinStrip strip);

}  // namespace skinimages
