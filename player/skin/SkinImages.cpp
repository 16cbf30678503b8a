#include "SkinImages.h"

#include <array>

namespace skinimages {

namespace {

using E = ElementInfo;
constexpr std::array<ElementInfo, static_cast<size_t>(SkinElement::Count)> kElements = {{
    E{"IDB_MP_BORDER_CAPTION", {35, 25}, {5, 20, 5, 1}, true},
    E{"IDB_MP_BORDER_CAPTION_B", {21, 3}, {4, 1, 4, 1}, true},
    E{"IDB_MP_BORDER_EXPLORER_L", {8, 36}, {2, 3, 2, 3}, true},
    E{"IDB_MP_BORDER_EXPLORER_R", {8, 36}, {2, 3, 2, 3}, true},
    E{"IDB_MP_BORDER_L", {8, 530}, {2, 1, 2, 1}, true},
    E{"IDB_MP_BORDER_R", {8, 530}, {2, 1, 2, 1}, true},
    E{"IDB_MP_BORDER_NAVI1_L", {8, 53}, {2, 36, 2, 1}, true},
    E{"IDB_MP_BORDER_NAVI1_R", {8, 53}, {2, 36, 2, 2}, true},
    E{"IDB_MP_BORDER_NAVI1_B", {17, 16}, {8, 2, 8, 14}, true},
    E{"IDB_MP_BORDER_NAVI2_L", {8, 53}, {2, 36, 2, 2}, true},
    E{"IDB_MP_BORDER_NAVI2_R", {8, 53}, {2, 36, 2, 2}, true},
    E{"IDB_MP_BORDER_NAVI2_B", {17, 16}, {8, 2, 8, 14}, true},
    E{"IDB_MP_BORDER_CAPTION_M", {11, 23}, {5, 9, 5, 1}, true},
    E{"IDB_MP_BORDER_CAPTION_M_B", {5, 3}, {2, 1, 2, 1}, true},
    E{"IDB_MP_BORDER_M", {7, 4}, {3, 1, 3, 2}, true},
    E{"IDB_BACK_EXPLORER", {9, 36}, {4, 16, 4, 18}, true},
    E{"IDB_BTN_EXPLORER", {66, 33}, {5, 14, 5, 2}, true},
    E{"IDB_BTN_EXPLORER_LOGO", {33, 33}, {1, 1, 2, 2}, true},
    E{"IDB_BACK_NAVI1", {3, 69}, {1, 36, 1, 14}, true},
    E{"IDB_BACK_NAVI2", {9, 69}, {4, 36, 4, 14}, true},
    E{"IDB_NAVI_PROGRESS_BACK", {21, 9}, {10, 4, 10, 4}, false},
}};

using S = StripInfo;
constexpr std::array<StripInfo, static_cast<size_t>(SkinStrip::Count)> kStrips = {{
    S{"IDB_MP_BTN_SYS", {97, 20}, true},
    S{"IDB_MP_BTN_SYS_1", {25, 18}, false},
    S{"IDB_MP_BTN_SYS_2", {25, 18}, false},
    S{"IDB_MP_BTN_SYS_3", {43, 18}, false},
    S{"IDB_MP_ICON_CLOSE", {41, 20}, false},
    S{"IDB_MP_ICON_RESTORE", {24, 20}, false},
    S{"IDB_MP_ICON_MAXIMIZE", {24, 20}, false},
    S{"IDB_MP_ICON_MINIMIZE", {24, 20}, false},
    S{"IDB_MP_CAPTION_BTN_CLOSE", {11, 11}, false},
    S{"IDB_MP_BORDER_NAVI2_B_CTRL", {296, 15}, true},
    S{"IDB_THUMB_B", {8, 15}, false},
    S{"IDB_THUMB_V", {16, 8}, false},
    S{"IDB_ICON_ARROW_DOWN", {7, 7}, false},
    // The explorer toolbar's back/forward pictures follow the skin colour too.
    S{"IDB_EXPLORER_BF", {25, 25}, true},
    S{"IDB_EXPLORER_BF_FRAME", {76, 29}, true},
    S{"IDB_BTN_EXPLORER_SEP", {2, 33}, true},
    S{"IDB_BACK_NAVI1_CTRL", {268, 69}, true},
    S{"IDB_BACK_NAVI1_CTRL_A", {268, 69}, false},
    S{"IDB_BACK_NAVI2_CTRL", {422, 69}, true},
    S{"IDB_BACK_NAVI2_CTRL_A", {422, 69}, false},
    S{"IDB_CHANNEL_EQUALIZER_V", {22, 75}, false},
}};

}  // namespace

const ElementInfo& info(SkinElement element)
{
    return kElements[static_cast<size_t>(element)];
}

const StripInfo& info(SkinStrip strip)
{
    return kStrips[static_cast<size_t>(strip)];
}

}  // namespace skinimages
