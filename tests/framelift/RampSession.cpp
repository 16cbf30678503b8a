#include "RampSession.h"

#include <cmath>
#include <sstream>
#include <thread>

#include "BoundedCall.h"
#include "TestMedia.h"

namespace ramp {
namespace {

using Clock = std::chrono::steady_clock;

constexpr auto kTick = std::chrono::milliseconds(20);
// Frames further apart than this (in real seconds) mean the picture stood still in between.
constexpr double kLongestFrameGap = 0.4;
// The least real time the picture must move in a rate's window for the rate to count.
constexpr double kLeastMovingTime = 1.0;

}  // namespace

std::string number(double v)
{
    std::ostringstream s;
    s << v;
    return s.str();
}

std::string make(const Clip& clip)
{
    // Near-lossless encodings: a flat grey survives every codec within a level or two.
    std::string arguments = "-f lavfi -i color=black:s=160x120:r=25:d=10";
    if (clip.sound)
        arguments += " -f lavfi -i sine=frequency=440:sample_rate=44100:duration=10";
    arguments += " -vf \"geq=lum='16+T*20':cb=128:cr=128,format=yuv420p\" " + clip.codecs;
    return testmedia::byFfmpeg(clip.name, arguments);
}

double secondsShown(const uint8_t* texture, int texWidth, int videoWidth, int videoHeight)
{
    // Grey Y = 16 + 20 t in limited range turns into 255 / 219 * 20 t in each of B, G and R.
    constexpr int kBlock = 8;
    const int x0 = videoWidth / 2 - kBlock / 2, row0 = videoHeight / 2 - kBlock / 2;
    double sum = 0;
    for (int row = row0; row < row0 + kBlock; ++row)
        for (int x = x0; x < x0 + kBlock; ++x)
            for (int c = 0; c < 3; ++c)
                sum += texture[(static_cast<size_t>(row) * texWidth + x) * 3 + c];
    const double level = sum / (kBlock * kBlock * 3);
    return level * 219.0 / 255.0 / 20.0;
}

Session::Session(std::string context) : context_(std::move(context))
{
    h_ = CreateVideoTexture();
}

Session::~Session()
{
    VideoTexture* h = h_;
    bounded::call(step("DeleteVideoTexture"), [h] { return DeleteVideoTexture(h); });
}

std::string Session::step(const std::string& call) const
{
    return context_.empty() ? call : context_ + ": " + call;
}

bool Session::load(const std::string& path)
{
    VideoTexture* h = h_;
    lastPixels_ = nullptr;
    const bool ok = bounded::call(
        step("LoadVideo(" + path + ")"),
        [h, path] { return LoadVideo(h, path.c_str(), FRAMELIFT_SIZE_EXACT, 0); },
        std::chrono::seconds(30));
    texWidth_ = GetTexWidth(h);
    videoWidth_ = GetVideoWidth(h);
    videoHeight_ = GetVideoHeight(h);
    return ok;
}

bool Session::play()
{
    VideoTexture* h = h_;
    return bounded::call(step("Play"), [h] { return Play(h); });
}

bool Session::pause()
{
    VideoTexture* h = h_;
    return bounded::call(step("Pause"), [h] { return Pause(h); });
}

bool Session::stop()
{
    VideoTexture* h = h_;
    return bounded::call(step("Stop"), [h] { return Stop(h); });
}

bool Session::gotoTime(double seconds)
{
    VideoTexture* h = h_;
    return bounded::call(step("GotoTime(" + number(seconds) + ")"),
                         [h, seconds] { return GotoTime(h, seconds); });
}

bool Session::setRate(double rate)
{
    VideoTexture* h = h_;
    return bounded::call(step("SetRate(" + number(rate) + ")"),
                         [h, rate] { return SetRate(h, rate); });
}

bool Session::updateEvent()
{
    VideoTexture* h = h_;
    return bounded::call(step("UpdateEvent"), [h] { return UpdateEvent(h); });
}

bool Session::freeVideo()
{
    VideoTexture* h = h_;
    lastPixels_ = nullptr;
    return bounded::call(step("FreeVideo"), [h] { return FreeVideo(h); });
}

Session::Frame Session::frame()
{
    VideoTexture* h = h_;
    Frame f;
    f.pixels = bounded::call(step("GetTexture"), [h] { return GetTexture(h); });
    f.fresh = f.pixels && f.pixels != lastPixels_;
    lastPixels_ = f.pixels;
    if (f.pixels && videoWidth_ > 0 && videoHeight_ > 0 && texWidth_ >= videoWidth_)
        f.seconds = secondsShown(f.pixels, texWidth_, videoWidth_, videoHeight_);
    return f;
}

bool Session::playFromStart()
{
    stop();
    play();
    return waitShows(0, 1.0, std::chrono::seconds(10));
}

bool Session::waitShows(double from, double to, std::chrono::milliseconds patience, double* last,
                        bool updateEvents)
{
    const auto giveUp = Clock::now() + patience;
    do {
        if (updateEvents)
            updateEvent();
        const Frame f = frame();
        if (last)
            *last = f.seconds;
        if (f.pixels && f.seconds >= from && f.seconds <= to)
            return true;
        std::this_thread::sleep_for(kTick);
    } while (Clock::now() < giveUp);
    return false;
}

std::vector<double> Session::feedFor(std::chrono::milliseconds span, bool updateEvents)
{
    std::vector<double> shown;
    const auto until = Clock::now() + span;
    while (Clock::now() < until) {
        if (updateEvents)
            updateEvent();
        const Frame f = frame();
        if (f.fresh)
            shown.push_back(f.seconds);
        std::this_thread::sleep_for(kTick);
    }
    return shown;
}

double Session::measureRate(std::chrono::milliseconds window, std::string* seen)
{
    std::vector<std::pair<double, double>> samples;  // real seconds, media seconds
    const auto began = Clock::now();
    while (Clock::now() - began < window) {
        updateEvent();
        const Frame f = frame();
        if (f.fresh)
            samples.emplace_back(std::chrono::duration<double>(Clock::now() - began).count(),
                                 f.seconds);
        std::this_thread::sleep_for(kTick);
    }
    if (seen) {
        const size_t step = samples.size() / 10 + 1;
        for (size_t i = 0; i < samples.size(); i += step)
            *seen += number(std::round(samples[i].first * 10) / 10) + "s:" +
                     number(std::round(samples[i].second * 100) / 100) + " ";
        if (samples.empty())
            *seen = "no new frame";
    }
    // Over the spans in which the picture moved on. A sound device starved of processor time
    // holds the clock for a moment (no new frame, then playback goes on where it stood);
    // that is not the rate. A picture that stands still for most of the window is.
    double real = 0, media = 0;
    for (size_t i = 1; i < samples.size(); ++i) {
        const double dt = samples[i].first - samples[i - 1].first;
        if (dt > kLongestFrameGap)
            continue;
        real += dt;
        media += samples[i].second - samples[i - 1].second;
    }
    return real >= kLeastMovingTime ? media / real : 0;
}

bool Session::nextFramesShow(double from, double to, std::string* seen,
                             std::chrono::milliseconds patience)
{
    frame();  // whatever waits now may have been copied before the seek
    int newFrames = 0;
    const auto giveUp = Clock::now() + patience;
    while (newFrames < 3 && Clock::now() < giveUp) {
        updateEvent();
        const Frame f = frame();
        if (f.fresh) {
            ++newFrames;
            if (seen)
                *seen += (seen->empty() ? "" : " ") + number(f.seconds);
            if (f.seconds >= from && f.seconds <= to)
                return true;
        }
        std::this_thread::sleep_for(kTick);
    }
    if (seen && newFrames == 0)
        *seen = "no new frame";
    return false;
}

}  // namespace ramp
