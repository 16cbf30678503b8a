// Command ids of the player. They keep the integer values of the program's resources: menus,
// toolbar and transport buttons send these, and command routing and update handlers use them.
#pragma once

namespace cmd {

enum CommandId : int {
    // Transport (explorer bar back/forward and the navigation bar)
    Back = 1042,
    Forward = 1043,
    Stop = 1044,
    Previous = 1045,
    Play = 1046,
    Next = 1047,
    Sound = 1048,
    Volume = 1049,

    // Control panel push buttons, routed through the main frame back to the panel
    ResetSkinColor = 1053,
    ColorPresetForward = 1054,
    ColorPresetBackward = 1055,
    ScrollRight = 1085,
    ScrollLeft = 1084,
    ScrollUp = 1119,
    ScrollDown = 1120,

    // Panels and web
    ToggleControlPanel = 32860,
    TogglePropertyPanel = 32861,
    ProductSite = 32864,

    // Plug-in menu
    DownloadFfdshow = 32866,
    DownloadDivx = 32867,
    DownloadKLite = 32868,
    DownloadQuickTime = 32869,
    DownloadXvid = 32871,
    DownloadDvdDecoder = 32872,
    ShowPlugins = 32873,
    DownloadPerfectDecoder = 32875,

    // Help menu
    HomePage = 32876,
    CheckForUpdate = 32879,

    // Languages
    LanguageGerman = 32882,
    LanguageEnglish = 32883,
    LanguageFrench = 32885,
    LanguageSpanish = 32886,
    LanguageItalian = 32887,
    LanguageRussian = 32888,

    // Framework standard commands
    FileNew = 57600,
    FileOpen = 57601,
    AppAbout = 57664,
};

}  // namespace cmd
