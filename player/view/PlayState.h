// Whether the view plays: nothing opened yet, playing, or paused.
#pragma once

enum class PlayState { NoVideo = 0, Playing = 1, Paused = 2 };
