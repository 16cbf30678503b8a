// The interface texts that change with the language: the explorer bar's menu buttons, the
// translated menu items and the two panels' window names. Index 0 English, 1 German,
// 2 French, 3 Spanish, 4 Italian, 5 Russian. Texts are UTF-8.
#pragma once

#include "CommandIds.h"

#include <array>
#include <optional>

namespace lang {

inline constexpr int kLanguageCount = 6;

constexpr bool isValid(int language)
{
    return language >= 0 && language < kLanguageCount;
}

// A text in each language, in the order above.
using Texts = const char* const[kLanguageCount];
// The text of language; English for an invalid language.
constexpr const char* pick(const Texts& texts, int language)
{
    return isValid(language) ? texts[language] : texts[0];
}

// The four menu buttons, in bar order.
enum MenuButton { FileMenu, ViewMenu, PluginMenu, HelpMenu, MenuButtonCount };

// Caption of a menu button in language; nullptr for an invalid language.
const char* menuButtonCaption(int language, MenuButton button);

// A menu item whose caption changes with the language: found by its command, or (without
// one) the plug-in menu's "Download Others" submenu, found by its position.
struct ItemCaption {
    MenuButton menu;
    std::optional<Command> command;  // none: the submenu at submenuPosition
    int submenuPosition;
    std::array<const char*, kLanguageCount> text;  // [0] is null: English keeps the menu's own
};

extern const std::array<ItemCaption, 13> ItemCaptionTable;

// Window names of the control panel and the media-information panel.
const char* controlPanelName(int language);
const char* mediaInfoPanelName(int language);

}  // namespace lang
