#include "FrameliftClips.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>

#include <unistd.h>

#include "TestMedia.h"

namespace fs = std::filesystem;

namespace clips {
namespace {

std::string box(const char* pattern, int frames, int w, int h, const std::string& target)
{
    return "videotestsrc pattern=" + std::string(pattern) + " num-buffers=" +
           std::to_string(frames) + " ! video/x-raw,width=" + std::to_string(w) +
           ",height=" + std::to_string(h) + ",framerate=25/1 ! " + target + " ";
}

}  // namespace

std::string quadrants(const Quadrants& s)
{
    const int left = s.width / 2, right = s.width - left;
    const int top = s.height / 2, bottom = s.height - top;
    std::string p = "compositor name=c background=black "
                    "sink_1::xpos=" + std::to_string(left) +
                    " sink_2::ypos=" + std::to_string(top) +
                    " sink_3::xpos=" + std::to_string(left) +
                    " sink_3::ypos=" + std::to_string(top) +
                    " ! video/x-raw,width=" + std::to_string(s.width) +
                    ",height=" + std::to_string(s.height) + ",framerate=25/1 ! videoconvert ! ";
    if (!s.videoEncoder.empty())
        p += s.videoEncoder + " ! ";
    p += "mux. ";
    p += box("blue", s.frames, left, top, "c.sink_0");
    p += box("green", s.frames, right, top, "c.sink_1");
    p += box("red", s.frames, left, bottom, "c.sink_2");
    p += box("white", s.frames, right, bottom, "c.sink_3");
    if (!s.audioEncoder.empty()) {
        const int buffers = s.frames * 10 / 25 + 1;  // buffers of a tenth of a second
        p += "audiotestsrc num-buffers=" + std::to_string(buffers) +
             " samplesperbuffer=4410 ! audio/x-raw,rate=44100,channels=2 ! audioconvert ! "
             "audioresample ! " + s.audioEncoder + " ! mux. ";
    }
    p += s.muxer + " name=mux ! filesink location=@OUT@";
    return testmedia::custom(s.name, p);
}

std::string timeRamp(const std::string& name, int seconds, bool withSound)
{
    const fs::path target = fs::path(testmedia::mediaDir()) / name;
    if (fs::exists(target) && fs::file_size(target) > 0)
        return target.string();
    const std::string partial = target.string() + ".part" + std::to_string(::getpid()) + ".mkv";
    const std::string d = std::to_string(seconds);
    std::string command = "ffmpeg -hide_banner -loglevel error -y -f lavfi -i color=black:s=64x48:r=25:d=" + d;
    if (withSound)
        command += " -f lavfi -i sine=frequency=440:sample_rate=44100:duration=" + d;
    command += " -vf \"geq=lum='16+T*20':cb=128:cr=128,format=yuv420p\" -c:v ffv1";
    if (withSound)
        command += " -c:a flac";
    command += " '" + partial + "' >/dev/null 2>&1";
    if (std::system(command.c_str()) != 0 || !fs::exists(partial)) {
        fs::remove(partial);
        throw std::runtime_error("could not make test media: " + command);
    }
    fs::rename(partial, target);
    return target.string();
}

double rampSeconds(const uint8_t* texture)
{
    // Grey Y = 16 + 20 t in limited range turns into 255 / 219 * 20 t in BGR.
    const double level = (texture[0] + texture[1] + texture[2]) / 3.0;
    return level * 219.0 / 255.0 / 20.0;
}

std::string soundOnly()
{
    return testmedia::custom(
        "sound-only.ogg",
        "audiotestsrc num-buffers=40 samplesperbuffer=4410 ! audio/x-raw,rate=44100 ! "
        "audioconvert ! vorbisenc ! oggmux ! filesink location=@OUT@");
}

bool pixelNear(const uint8_t* texture, int texWidth, int x, int row, Bgr expected, int tolerance)
{
    const uint8_t* p = texture + (static_cast<size_t>(row) * texWidth + x) * 3;
    return std::abs(p[0] - expected.b) <= tolerance && std::abs(p[1] - expected.g) <= tolerance &&
           std::abs(p[2] - expected.r) <= tolerance;
}

std::string describePixel(const uint8_t* texture, int texWidth, int x, int row)
{
    const uint8_t* p = texture + (static_cast<size_t>(row) * texWidth + x) * 3;
    char text[64];
    std::snprintf(text, sizeof text, "(%d,%d) bgr=%d,%d,%d", x, row, p[0], p[1], p[2]);
    return text;
}

}  // namespace clips
