// Helpers shared by the library's playback tests: an owned handle and bounded waits on the
// frames a playing handle serves.
#pragma once

#include <chrono>
#include <functional>
#include <thread>

#include "framelift.h"

namespace playback {

struct Handle {
    VideoTexture* h = CreateVideoTexture();
    ~Handle() { DeleteVideoTexture(h); }
    operator VideoTexture*() const { return h; }
};

// Feeds the handle as a player's drawing tick does (UpdateEvent, GetTexture) until `done`
// holds for a served texture, or gives up after a generous time. Returns whether it held.
inline bool feedUntil(VideoTexture* h, const std::function<bool(const uint8_t*)>& done,
                      std::chrono::seconds patience = std::chrono::seconds(20))
{
    const auto giveUp = std::chrono::steady_clock::now() + patience;
    while (std::chrono::steady_clock::now() < giveUp) {
        UpdateEvent(h);
        const uint8_t* texture = GetTexture(h);
        if (texture && done(texture))
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

// The next texture newer than `previous` (null after a generous wait).
inline const uint8_t* nextFrame(VideoTexture* h, const uint8_t* previous)
{
    const uint8_t* found = nullptr;
    feedUntil(h, [&](const uint8_t* t) {
        if (t == previous)
            return false;
        found = t;
        return true;
    });
    return found;
}

}  // namespace playback
