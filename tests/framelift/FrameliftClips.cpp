#include "FrameliftClips.h"

#include <cmath>
#include <thread>

#include "TestMedia.h"

namespace clips {

std::string quadrants(const Quadrants& s)
{
    const int left = s.width / 2, right = s.width - left;
    const int top = s.height / 2, bottom = s.height - top;
    auto box = [&](const char* pattern, int w, int h, const char* pad) {
        return "videotestsrc pattern=" + std::string(pattern) + " num-buffers=" +
               std::to_string(s.frames) + " ! video/x-raw,width=" + std::to_string(w) +
               ",height=" + std::to_string(h) + ",framerate=25/1 ! " + pad + " ";
    };
    std::string p = "compositor name=c background=black sink_1::xpos=" + std::to_string(left) +
                    " sink_2::ypos=" + std::to_string(top) +
                    " sink_3::xpos=" + std::to_string(left) +
                    " sink_3::ypos=" + std::to_string(top) +
                    " ! video/x-raw,width=" + std::to_string(s.width) +
                    ",height=" + std::to_string(s.height) + ",framerate=25/1 ! videoconvert ! ";
    if (!s.videoEncoder.empty())
        p += s.videoEncoder + " ! ";
    p += "mux. " + box("blue", left, top, "c.sink_0") + box("green", right, top, "c.sink_1") +
         box("red", left, bottom, "c.sink_2") + box("white", right, bottom, "c.sink_3");
    if (!s.audioEncoder.empty()) {
        const int buffers = s.frames * 10 / 25 + 1;  // buffers of a tenth of a second
        p += "audiotestsrc num-buffers=" + std::to_string(buffers) +
             " samplesperbuffer=4410 ! audio/x-raw,rate=44100,channels=2 ! audioconvert ! "
             "audioresample ! " + s.audioEncoder + " ! mux. ";
    }
    p += s.muxer + " name=mux ! filesink location=@OUT@";
    return testmedia::custom(s.name, p);
}

std::string mpeg4Avi()
{
    return quadrants({"quad-mpeg4-mp3.avi", 320, 240, 50, "avenc_mpeg4", "lamemp3enc", "avimux"});
}

std::string h264Mp4()
{
    return quadrants({"quad-h264-aac.mp4", 320, 240, 50, "x264enc", "avenc_aac", "mp4mux"});
}

std::string timeRamp(const std::string& name, int seconds, bool withSound)
{
    const std::string d = std::to_string(seconds);
    std::string arguments = "-f lavfi -i color=black:s=64x48:r=25:d=" + d;
    if (withSound)
        arguments += " -f lavfi -i sine=frequency=440:sample_rate=44100:duration=" + d;
    arguments += " -vf \"geq=lum='16+T*20':cb=128:cr=128,format=yuv420p\" -c:v ffv1";
    if (withSound)
        arguments += " -c:a flac";
    return testmedia::byFfmpeg(name, arguments);
}

double rampSeconds(const uint8_t* texture)
{
    // Grey Y = 16 + 20 t in limited range turns into 255 / 219 * 20 t in BGR.
    const double level = (texture[0] + texture[1] + texture[2]) / 3.0;
    return level * 219.0 / 255.0 / 20.0;
}

std::string frameRamp(const std::string& name, const std::string& codecs, bool withSound)
{
    std::string arguments = "-f lavfi -i color=black:s=64x48:r=10:d=3";
    if (withSound)
        arguments += " -f lavfi -i sine=frequency=440:sample_rate=44100:duration=3";
    arguments += " -vf \"geq=lum='16+N*6':cb=128:cr=128,format=yuv420p\" " + codecs;
    return testmedia::byFfmpeg(name, arguments);
}

int rampFrame(const uint8_t* texture, int texWidth)
{
    // Luma 16 + 6 n in limited range reaches the texture as 255 / 219 * 6 n in B, G and R.
    double sum = 0;
    for (int row = 20; row < 28; ++row)
        for (int x = 28; x < 36; ++x)
            for (int c = 0; c < 3; ++c)
                sum += texture[(static_cast<size_t>(row) * texWidth + x) * 3 + c];
    const double level = sum / (8 * 8 * 3);
    return static_cast<int>(std::lround(level * 219.0 / 255.0 / 6.0));
}

Bgr quadrantAt(int x, int row, int w, int h)
{
    const bool top = h - 1 - row < h / 2, left = x < w / 2;
    return top ? (left ? kBlue : kGreen) : (left ? kRed : kWhite);
}

testing::AssertionResult pixelNear(const uint8_t* texture, int texWidth, int x, int row,
                                   Bgr expected, int tolerance)
{
    const uint8_t* p = texture + (static_cast<size_t>(row) * texWidth + x) * 3;
    if (std::abs(p[0] - expected.b) <= tolerance && std::abs(p[1] - expected.g) <= tolerance &&
        std::abs(p[2] - expected.r) <= tolerance)
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << "(" << x << "," << row << ") bgr=" << int(p[0]) << ","
                                       << int(p[1]) << "," << int(p[2]) << ", expected "
                                       << expected.b << "," << expected.g << "," << expected.r;
}

bool feedUntil(VideoTexture* h, const std::function<bool(const uint8_t*)>& done,
               std::chrono::seconds patience)
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

const uint8_t* nextFrame(VideoTexture* h, const uint8_t* previous)
{
    const uint8_t* found = nullptr;
    feedUntil(h, [&](const uint8_t* t) {
        found = t != previous ? t : nullptr;
        return found != nullptr;
    });
    return found;
}

}  // namespace clips
