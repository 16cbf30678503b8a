// A handle driven the way a player drives it, every call under a watchdog (BoundedCall.h), with
// the media time read from the picture of a time-ramp clip: each frame's brightness is
// 16 + 20 t in luma, so any frame tells the second it shows.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "framelift.h"

namespace ramp {

constexpr double kSeconds = 10.0;  // every ramp clip's length

struct Clip {
    std::string name;    // file name; its ending gives the container
    std::string codecs;  // ffmpeg output options; "-an" for a silent clip
    bool sound = false;
};

// Makes (once per test run) the 10-second, 160 by 120 ramp clip.
std::string make(const Clip& clip);

// A number as a reader wants it in a message: 1e-09, 0.5, 3.
std::string number(double v);

// Seconds shown by a frame of a ramp clip: the mean grey of a block at the picture's centre.
double secondsShown(const uint8_t* texture, int texWidth, int videoWidth, int videoHeight);

class Session {
public:
    // `context` names the scenario in the name of a step that hangs.
    explicit Session(std::string context);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    VideoTexture* handle() const { return h_; }
    void setContext(std::string context) { context_ = std::move(context); }

    // The exports, bounded. load() also reads the sizes the picture is read with.
    bool load(const std::string& path);
    bool play();
    bool pause();
    bool stop();
    bool gotoTime(double seconds);
    bool setRate(double rate);
    bool updateEvent();
    bool freeVideo();

    struct Frame {
        const uint8_t* pixels = nullptr;
        double seconds = -1;  // -1 without a frame
        bool fresh = false;   // newer than the previous call's
    };
    // GetTexture, bounded: the newest frame and the time it shows.
    Frame frame();

    // Stop (the resume position back to 0), Play and wait for a first frame; false without one.
    bool playFromStart();

    // Feeds like a drawing tick (UpdateEvent when `updateEvents`, then GetTexture, every 20 ms)
    // until a frame showing a time in [from, to] is served or `patience` runs out. `last` gets
    // the last time seen.
    bool waitShows(double from, double to, std::chrono::milliseconds patience,
                   double* last = nullptr, bool updateEvents = true);

    // Feeds like a drawing tick for `span`; returns the time of every new frame served.
    std::vector<double> feedFor(std::chrono::milliseconds span, bool updateEvents = true);

    // The rate the picture moves at: media seconds per real second over `window`, counted over
    // the spans in which new frames came (a pause of the picture shorter than the window does
    // not count); 0 when the picture moved for less than a second. `seen` gets some of the
    // frames as "real second:media second".
    double measureRate(std::chrono::milliseconds window = std::chrono::milliseconds(3000),
                       std::string* seen = nullptr);

    // The first new frames after a seek that has returned: whether one of the first three
    // shows a time in [from, to] (within `patience`); `seen` lists what they showed.
    bool nextFramesShow(double from, double to, std::string* seen,
                        std::chrono::milliseconds patience = std::chrono::seconds(6));

private:
    std::string step(const std::string& call) const;

    std::string context_;
    VideoTexture* h_ = nullptr;
    int texWidth_ = 0, videoWidth_ = 0, videoHeight_ = 0;
    const uint8_t* lastPixels_ = nullptr;  // the previous GetTexture's result
};

}  // namespace ramp
