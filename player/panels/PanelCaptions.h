// The control panel's captions in the six interface languages (0 English, 1 German,
// 2 French, 3 Spanish, 4 Italian, 5 Russian). English equals the panel's initial texts.
#pragma once

#include <array>

struct PanelCaption {
    int controlId;
    std::array<const char*, 6> text;  // UTF-8, by language index
};

// Every captioned control of the panel, in the order SetLanguage applies them.
extern const std::array<PanelCaption, 25> PanelCaptionTable;
