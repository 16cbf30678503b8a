// The player's commands. Menus, toolbar buttons, the transport bar and the control panel's
// push buttons send them; the command routing runs them and asks for their states. The
// numbers are fixed: a menu item carries its command's number as its data, and the panel's
// push buttons have the same number as their command.
#pragma once

enum class Command : int {
    // Transport (explorer bar back/forward and the navigation bar)
    Back = 1042,
    Forward = 1043,
    Stop = 1044,
    Previous = 1045,
    Play = 1046,
    Next = 1047,
    Sound = 1048,
    Volume = 1049,

    // Control panel push buttons
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
    ResetLayout = 32893,
    LoadSubtitleFile = 32894,
    ShowSubtitles = 32895,
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
    KeyboardShortcuts = 32890,

    // Playback settings (the Open Media menu)
    PlayNextAtEnd = 32891,
    ResumePlayback = 32892,

    // Languages
    LanguageGerman = 32882,
    LanguageEnglish = 32883,
    LanguageFrench = 32885,
    LanguageSpanish = 32886,
    LanguageItalian = 32887,
    LanguageRussian = 32888,

    // File and application
    FileNew = 57600,
    FileOpen = 57601,
    // The Open Media menu's recent files, most recent first: RecentFile1 and the nine
    // numbers after it.
    RecentFile1 = 57616,
    AppAbout = 57664,
};

// The command's number, as menu items carry it.
constexpr int toInt(Command command) { return static_cast<int>(command); }

inline constexpr int kRecentFileCommands = 10;
// The command of the recent file at index 0 to 9.
constexpr Command recentFileCommand(int index)
{
    return static_cast<Command>(toInt(Command::RecentFile1) + index);
}
