// A time-ramp clip for the player's tests and the time its picture shows: each frame is a
// flat grey whose level rises evenly from 16 at the start to 216 at the end, so a picture of
// it on the screen tells the second it shows.
#pragma once

#include "TestMedia.h"

#include <QImage>
#include <QPoint>

#include <string>

namespace ramppicture {

// Makes (once per test run) a 64 x 48 ramp clip of `seconds` at `fps`, with a key frame every
// second, so every second can be sought to.
inline std::string clip(int seconds, int fps)
{
    const std::string s = std::to_string(seconds), r = std::to_string(fps);
    return testmedia::byFfmpeg(
        "ramp-" + s + "s-" + r + "fps.avi",
        "-f lavfi -i color=black:s=64x48:r=" + r + ":d=" + s +
            " -vf \"geq=lum='16+T*200/" + s +
            "':cb=128:cr=128,format=yuv420p\" -c:v mpeg4 -q:v 1 -g " + r + " -an");
}

// Seconds shown at `centre` of a picture of a clip of `seconds`: the mean grey of a small
// block there (luma 16 + 200 t / seconds in limited range reaches the screen as 255 / 219 of
// 200 t / seconds).
inline double secondsShown(const QImage& picture, QPoint centre, int seconds)
{
    constexpr int kHalfBlock = 3;
    double sum = 0;
    int n = 0;
    for (int y = centre.y() - kHalfBlock; y <= centre.y() + kHalfBlock; ++y)
        for (int x = centre.x() - kHalfBlock; x <= centre.x() + kHalfBlock; ++x, ++n)
            sum += qGray(picture.pixel(x, y));
    return (sum / n) * 219.0 / 255.0 * seconds / 200.0;
}

}  // namespace ramppicture
