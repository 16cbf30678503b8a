// The player's keys: which key does what, and the rows the "Keyboard shortcuts" dialog lists
// in each of the six languages. The main frame runs the actions for the keys that reach it
// (those the focused widget leaves alone, whichever of its widgets has the focus); the
// arrow keys, F12, Esc in full screen and the media keys stay with the view and the scene.
#pragma once

#include "LanguageTables.h"

#include <Qt>

#include <array>
#include <optional>

namespace shortcuts {

enum class Action {
    PlayPause,
    ToggleFullScreen,
    LeaveFullScreen,
    MuteVideoSound,
    VolumeDown,  // the player's own volume, by one step
    VolumeUp,
    ForwardLong,   // 60 seconds
    BackLong,
    ForwardShort,  // 10 seconds
    BackShort,
    FrameForward,  // a paused video's next frame (a playing one is paused first)
    FrameBack,
    RateUp,
    RateDown,
    RateNormal,
    ToStart,
    NextFile,  // the playlist's neighbours
    PreviousFile,
    ToggleSubtitles,
};

inline constexpr int kLongSeekSeconds = 60;
inline constexpr int kShortSeekSeconds = 10;

// The action of a key pressed with these modifiers; none for any other key. Shift, the
// keypad and the keyboard's level shift (AltGr) do not count, so "[" typed with AltGr and the
// keypad's Enter work too; with Ctrl, Alt or Meta no key has an action here.
std::optional<Action> actionFor(int key, Qt::KeyboardModifiers modifiers);

// One row of the dialog: the keys and what they do, in each language.
struct Row {
    std::array<const char*, lang::kLanguageCount> keys;
    std::array<const char*, lang::kLanguageCount> meaning;
};
extern const std::array<Row, 18> kRows;

// The dialog's title (also its menu entry's caption), column headers and button.
const char* title(int language);
const char* keyHeader(int language);
const char* actionHeader(int language);
const char* closeCaption(int language);

}  // namespace shortcuts
