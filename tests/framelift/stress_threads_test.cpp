// Scenario stress over containers with sound and without: seek storms while playing and
// paused, open/close cycles, seeks at and past the end, scrubbing while paused, rate steps
// with seeks from one thread and from three, and the sequences that once froze a caller. Every
// call runs under a watchdog (a hang fails the test and names the step), and the media time
// is read from the picture of a time-ramp clip, so a seek must show the sought second and a
// rate must move the picture at that rate. GLib criticals and warnings fail the test too.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <functional>
#include <future>
#include <iterator>
#include <limits>
#include <map>
#include <memory>
#include <mutex>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "BoundedCall.h"
#include "GLibWatch.h"
#include "RampSession.h"
#include "TestMedia.h"

using namespace std::chrono_literals;
using ramp::Session;

namespace ramp {

void PrintTo(const Clip& clip, std::ostream* os)
{
    *os << clip.name;
}

}  // namespace ramp

namespace {

// Generous bounds for a loaded two-core machine.
constexpr double kSeekSlackBefore = 0.3;  // a seek may land on the frame just before
constexpr double kSeekSlackAfter = 1.0;   // ...or a little later when the first frames drop

const ramp::Clip kH264{"ramp-h264.mp4", "-an -c:v libx264 -qp 6 -g 25", false};
const ramp::Clip kH264Aac{"ramp-h264-aac.mp4", "-c:v libx264 -qp 6 -g 25 -c:a aac", true};
const ramp::Clip kMpeg4{"ramp-mpeg4.avi", "-an -c:v mpeg4 -q:v 2 -g 25", false};
const ramp::Clip kMpeg4Mp3{"ramp-mpeg4-mp3.avi", "-c:v mpeg4 -q:v 2 -g 25 -c:a libmp3lame",
                           true};
const ramp::Clip kFfv1Vorbis{"ramp-ffv1-vorbis.mkv", "-c:v ffv1 -c:a libvorbis", true};
const ramp::Clip kTheora{"ramp-theora.ogv", "-an -c:v libtheora -q:v 10 -g 25", false};
const ramp::Clip kFlvMp3{"ramp-flv1-mp3.flv", "-c:v flv -q:v 2 -g 25 -c:a libmp3lame -ar 44100",
                         true};
const ramp::Clip kMpeg2Ps{"ramp-mpeg2.mpg", "-an -c:v mpeg2video -q:v 2 -g 12 -f vob", false};

const ramp::Clip kAll[] = {kH264, kH264Aac, kMpeg4, kMpeg4Mp3, kFfv1Vorbis, kTheora, kFlvMp3,
                           kMpeg2Ps};

// Collects GLib's criticals and warnings from every thread (installed before GStreamer starts).
std::mutex problemsLock;
std::vector<std::string> problems;

class WatchGLib : public testing::Environment {
public:
    void SetUp() override
    {
        glibwatch::watch([](const glibwatch::Problem& p) {
            std::lock_guard<std::mutex> lock(problemsLock);
            problems.push_back(p.domain + (p.critical ? "-CRITICAL: " : "-WARNING: ") + p.text);
        });
    }
};
const auto* watching = testing::AddGlobalTestEnvironment(new WatchGLib);

// Every scenario ends with no GLib critical or warning logged while it ran.
class Scenario : public testing::Test {
protected:
    void SetUp() override
    {
        std::lock_guard<std::mutex> lock(problemsLock);
        problems.clear();
    }
    void TearDown() override
    {
        std::lock_guard<std::mutex> lock(problemsLock);
        std::map<std::string, int> times;
        for (const std::string& p : problems)
            ++times[p];
        for (const auto& [text, count] : times)
            ADD_FAILURE() << "GLib logged " << count << " time(s): " << text;
    }
};

class EachClip : public Scenario, public testing::WithParamInterface<ramp::Clip> {
protected:
    std::string path() const { return ramp::make(GetParam()); }
    std::string name() const { return GetParam().name; }
};

std::string describe(const std::vector<double>& times)
{
    std::string s;
    for (double t : times)
        s += (s.empty() ? "" : " ") + ramp::number(std::round(t * 100) / 100);
    return s.empty() ? "no new frame" : s;
}

// Expects the picture to move at `rate` media seconds a second, within generous margins.
void expectRate(Session& s, double rate, const std::string& when)
{
    std::string seen;
    const double measured = s.measureRate(3000ms, &seen);
    EXPECT_TRUE(measured >= rate * 0.7 && measured <= rate * 1.3)
        << when << ": the picture moved at " << measured << " media seconds a second, asked "
        << rate << "; frames (real s: media s): " << seen;
}

// After a seek while playing, the next frames show the sought second.
void expectSeekShows(Session& s, double target, const std::string& when)
{
    std::string seen;
    EXPECT_TRUE(s.nextFramesShow(target - kSeekSlackBefore, target + kSeekSlackAfter, &seen))
        << when << ": after GotoTime(" << target << ") the next frames showed " << seen;
}

// 200 seeks to random places (and to negative, past-the-end and non-finite ones) in turns of
// 25 while playing and while paused, the picture checked after every tenth seek while playing;
// it plays on from a last seek afterwards.
TEST_P(EachClip, SeekStormWhilePlayingAndPaused)
{
    Session s("seek storm on " + name());
    ASSERT_TRUE(s.load(path()));
    ASSERT_TRUE(s.playFromStart()) << "no first frame";
    std::mt19937 rng(20240807);
    std::uniform_real_distribution<double> anywhere(-1.0, 12.0), checked(0.5, 8.0);
    const double odd[] = {std::nan(""), std::numeric_limits<double>::infinity(),
                          -std::numeric_limits<double>::infinity(), 1e9, -1e9, ramp::kSeconds};
    bool playing = true;
    for (int i = 0; i < 200; ++i) {
        if (i % 25 == 0 && i > 0) {
            playing = !playing;
            playing ? s.play() : s.pause();
        }
        const bool check = playing && i % 10 == 5;
        const double target = check ? checked(rng) : i % 20 == 7 ? odd[i / 20 % 6] : anywhere(rng);
        s.setContext("seek storm on " + name() + ", seek " + std::to_string(i) +
                     (playing ? " while playing" : " while paused"));
        ASSERT_TRUE(s.gotoTime(target));
        if (check)
            expectSeekShows(s, target, "seek " + std::to_string(i));
        else if (i % 3 == 0)
            s.updateEvent();
    }
    s.setContext("seek storm on " + name() + ", after the storm");
    s.play();
    s.gotoTime(3.0);
    expectSeekShows(s, 3.0, "after the storm");
    double last = -1;
    EXPECT_TRUE(s.waitShows(3.8, ramp::kSeconds, 5s, &last))
        << "does not play on after the storm; last shown " << last;
}

// Seeks to the end, just before it and beyond it while playing: the video reaches its end,
// UpdateEvent rewinds it and it plays on; a seek then lands where asked. Paused, a seek past
// the end leaves Play to resume where the pause was.
TEST_P(EachClip, SeeksAtAndAfterTheEnd)
{
    Session s("seeks at the end of " + name());
    ASSERT_TRUE(s.load(path()));
    ASSERT_TRUE(s.playFromStart());
    for (double target : {ramp::kSeconds, ramp::kSeconds - 0.04, ramp::kSeconds + 0.5, 15.0, 1e6}) {
        s.setContext("GotoTime(" + ramp::number(target) + ") on " + name());
        ASSERT_TRUE(s.gotoTime(target));
        double last = -1;
        EXPECT_TRUE(s.waitShows(0, 1.0, 10s, &last))
            << "no rewind to the start after GotoTime(" << target << "); last shown " << last;
        EXPECT_TRUE(s.waitShows(1.5, 4.0, 6s, &last))
            << "does not play on after the rewind; last shown " << last;
    }
    s.setContext("after the seeks at the end of " + name());
    ASSERT_TRUE(s.gotoTime(5.0));
    expectSeekShows(s, 5.0, "after the seeks at the end");

    s.setContext("paused seeks at the end of " + name());
    s.gotoTime(2.0);
    double last = -1;
    ASSERT_TRUE(s.waitShows(2.0, 4.0, 6s, &last)) << "last shown " << last;
    ASSERT_TRUE(s.pause());
    const double pausedAt = s.frame().seconds;
    for (double target : {ramp::kSeconds, ramp::kSeconds + 1, 1e6})
        ASSERT_TRUE(s.gotoTime(target));
    ASSERT_TRUE(s.play());
    expectSeekShows(s, pausedAt, "Play after seeks past the end while paused");
}

// While paused, 60 quick seeks change nothing on the picture; Play resumes where the pause
// was, and a seek while playing then lands where asked.
TEST_P(EachClip, ScrubbingWhilePaused)
{
    Session s("scrubbing " + name());
    ASSERT_TRUE(s.load(path()));
    ASSERT_TRUE(s.playFromStart());
    double last = -1;
    ASSERT_TRUE(s.waitShows(2.0, 5.0, 8s, &last)) << "last shown " << last;
    ASSERT_TRUE(s.pause());
    std::this_thread::sleep_for(300ms);
    const ramp::Session::Frame paused = s.frame();
    ASSERT_NE(paused.pixels, nullptr);
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> anywhere(0.0, ramp::kSeconds);
    for (int i = 0; i < 60; ++i) {
        ASSERT_TRUE(s.gotoTime(anywhere(rng)));
        if (i % 6 == 0)
            s.updateEvent();
        std::this_thread::sleep_for(15ms);
    }
    std::this_thread::sleep_for(200ms);
    EXPECT_FALSE(s.frame().fresh) << "a paused graph served a new frame while scrubbed";
    ASSERT_TRUE(s.play());
    expectSeekShows(s, paused.seconds, "Play after scrubbing");
    ASSERT_TRUE(s.gotoTime(6.0));
    expectSeekShows(s, 6.0, "a seek after scrubbing");
}

// Rate steps 0 (ignored) -> 2 -> 0.5 -> 1 with seeks between them: each seek shows the sought
// second and the picture moves at the rate last asked for, a seek keeping it.
TEST_P(EachClip, RateStepsWithSeeks)
{
    Session s("rate steps on " + name());
    ASSERT_TRUE(s.load(path()));
    ASSERT_TRUE(s.playFromStart());
    EXPECT_FALSE(s.setRate(0.0)) << "a rate of 0 is refused";
    expectRate(s, 1.0, "after SetRate(0), which is refused");

    ASSERT_TRUE(s.gotoTime(1.0));
    expectSeekShows(s, 1.0, "before SetRate(2)");
    ASSERT_TRUE(s.setRate(2.0));
    expectRate(s, 2.0, "after SetRate(2)");
    ASSERT_TRUE(s.gotoTime(2.0));
    expectSeekShows(s, 2.0, "a seek at rate 2");
    expectRate(s, 2.0, "rate 2 after a seek");

    ASSERT_TRUE(s.setRate(0.5));
    expectRate(s, 0.5, "after SetRate(0.5)");
    ASSERT_TRUE(s.gotoTime(6.0));
    expectSeekShows(s, 6.0, "a seek at rate 0.5");
    ASSERT_TRUE(s.setRate(1.0));
    expectRate(s, 1.0, "after SetRate(1)");
}

// Three threads call rates, seeks, Play, Pause and UpdateEvent on one handle at once while the
// test thread takes the frames; afterwards the handle obeys a seek and plays at rate 1.
TEST_P(EachClip, RateStepsAndSeeksFromThreeThreads)
{
    Session s("three threads on " + name());
    ASSERT_TRUE(s.load(path()));
    ASSERT_TRUE(s.playFromStart());
    VideoTexture* h = s.handle();
    auto worker = [h, clip = name()](unsigned seed) {
        std::mt19937 rng(seed);
        const double rates[] = {0.0, 2.0, 0.5, 1.0};
        for (int i = 0; i < 30; ++i) {
            const std::string where = "thread " + std::to_string(seed) + " call " +
                                      std::to_string(i) + " on " + clip + ": ";
            const double seconds = std::uniform_real_distribution<double>(0, 9)(rng);
            const double rate = rates[rng() % 4];
            switch (rng() % 6) {
            case 0:
            case 1:
                bounded::call(where + "SetRate(" + ramp::number(rate) + ")",
                              [h, rate] { return SetRate(h, rate); });
                break;
            case 2:
            case 3:
                bounded::call(where + "GotoTime(" + ramp::number(seconds) + ")",
                              [h, seconds] { return GotoTime(h, seconds); });
                break;
            case 4:
                bounded::call(where + "Play", [h] { return Play(h); });
                break;
            default:
                bounded::call(where + (i % 2 ? "Pause" : "UpdateEvent"),
                              [h, i] { return i % 2 ? Pause(h) : UpdateEvent(h); });
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(rng() % 40));
        }
    };
    std::vector<std::thread> threads;
    for (unsigned seed : {1u, 2u, 3u})
        threads.emplace_back(worker, seed);
    s.feedFor(1500ms);
    for (std::thread& t : threads)
        t.join();

    s.setContext("after three threads on " + name());
    ASSERT_TRUE(s.setRate(1.0));
    ASSERT_TRUE(s.play());
    ASSERT_TRUE(s.gotoTime(2.0));
    expectSeekShows(s, 2.0, "after the threads");
    expectRate(s, 1.0, "rate 1 after the threads");
}

// Rates too small to play are refused: SetRate answers false and the picture keeps its pace.
TEST_P(EachClip, TinyRatesRefused)
{
    Session s("tiny rates on " + name());
    ASSERT_TRUE(s.load(path()));
    ASSERT_TRUE(s.playFromStart());
    for (double tiny : {1e-9, 1e-6}) {
        EXPECT_FALSE(s.setRate(tiny)) << "SetRate(" << tiny << ") was accepted";
        expectRate(s, 1.0, "after SetRate(" + ramp::number(tiny) + ")");
        ASSERT_TRUE(s.gotoTime(1.0));
        expectSeekShows(s, 1.0, "a seek after a refused rate");
    }
    EXPECT_TRUE(s.setRate(1.0));
}

// The end of the stream reached without UpdateEvent, then a seek: the stale end-of-stream
// event that UpdateEvent drains afterwards must not rewind the video to the start.
TEST_P(EachClip, StaleEndOfStreamKeepsALaterSeek)
{
    Session s("stale end of stream on " + name());
    ASSERT_TRUE(s.load(path()));
    ASSERT_TRUE(s.playFromStart());
    ASSERT_TRUE(s.gotoTime(ramp::kSeconds - 0.5));
    double last = -1;
    ASSERT_TRUE(s.waitShows(ramp::kSeconds - 0.25, ramp::kSeconds, 6s, &last, false))
        << "never reached the end; last shown " << last;
    s.feedFor(1s, false);  // past the end, no UpdateEvent
    ASSERT_TRUE(s.gotoTime(3.0));
    std::this_thread::sleep_for(300ms);
    const std::vector<double> shown = s.feedFor(2s);
    ASSERT_FALSE(shown.empty()) << "no new frame in the 2 s after GotoTime(3)";
    EXPECT_GE(*std::min_element(shown.begin(), shown.end()), 3.0 - kSeekSlackBefore)
        << "UpdateEvent undid the seek to 3 s; shown: " << describe(shown);
    EXPECT_GE(shown.back(), 3.3) << "does not play on from 3 s; shown: " << describe(shown);
}

// A rate change right after a seek keeps the sought position.
TEST_P(EachClip, RateRightAfterASeekKeepsThePosition)
{
    Session s("rate after a seek on " + name());
    ASSERT_TRUE(s.load(path()));
    ASSERT_TRUE(s.playFromStart());
    double last = -1;
    ASSERT_TRUE(s.waitShows(0.5, 3.0, 5s, &last)) << "last shown " << last;
    ASSERT_TRUE(s.gotoTime(5.0));
    ASSERT_TRUE(s.setRate(0.5));
    expectSeekShows(s, 5.0, "SetRate(0.5) right after GotoTime(5)");
    expectRate(s, 0.5, "SetRate(0.5) right after GotoTime(5)");
}

INSTANTIATE_TEST_SUITE_P(Stress, EachClip, testing::ValuesIn(kAll),
                         [](const testing::TestParamInfo<ramp::Clip>& info) {
                             std::string name = info.param.name;
                             for (char& c : name)
                                 c = isalnum(static_cast<unsigned char>(c)) ? c : '_';
                             return name;
                         });

using StressCycles = Scenario;

// 40 loads and frees over every container, each left in another state: playing, paused,
// sought, or replaced by the next load without a FreeVideo; a new handle every ten.
TEST_F(StressCycles, FortyOpenCloseCycles)
{
    std::unique_ptr<Session> s;
    for (int i = 0; i < 40; ++i) {
        const ramp::Clip& clip = kAll[i % std::size(kAll)];
        const std::string context = "cycle " + std::to_string(i) + " on " + clip.name;
        if (i % 10 == 0)
            s = std::make_unique<Session>(context);
        s->setContext(context);
        ASSERT_TRUE(s->load(ramp::make(clip)));
        EXPECT_EQ(GetVideoWidth(s->handle()), 160) << context;
        EXPECT_EQ(GetVideoHeight(s->handle()), 120) << context;
        ASSERT_TRUE(s->playFromStart()) << context << ": no first frame";
        switch (i % 4) {
        case 0:
            break;  // freed while playing
        case 1:
            s->pause();
            break;
        case 2:
            s->gotoTime(5.0);
            expectSeekShows(*s, 5.0, context);
            s->stop();
            break;
        default:
            continue;  // the next load replaces it
        }
        ASSERT_TRUE(s->freeVideo());
        EXPECT_EQ(GetVideoWidth(s->handle()), 0) << context;
    }
}

using StressSequences = Scenario;

// Load, Play, 300 ms, SetRate(1.5), GotoTime(1), SetRate(1), GotoTime(4) on a video-only
// MP4, three times from one thread and four times from three threads at once: no call hangs
// and the picture then shows 4 s on.
TEST_F(StressSequences, SetRateThenSeeksOnVideoOnlyMp4)
{
    const std::string path = ramp::make(kH264);
    auto sequence = [](VideoTexture* h, const std::string& where) {
        bounded::call(where + "SetRate(1.5)", [h] { return SetRate(h, 1.5); });
        bounded::call(where + "GotoTime(1)", [h] { return GotoTime(h, 1.0); });
        bounded::call(where + "SetRate(1)", [h] { return SetRate(h, 1.0); });
        bounded::call(where + "GotoTime(4)", [h] { return GotoTime(h, 4.0); });
    };
    for (int run = 0; run < 7; ++run) {
        const int threads = run < 3 ? 1 : 3;
        const std::string context = "run " + std::to_string(run) + " with " +
                                    std::to_string(threads) + " thread(s)";
        Session s(context);
        ASSERT_TRUE(s.load(path));
        ASSERT_TRUE(s.playFromStart());
        std::this_thread::sleep_for(300ms);
        std::vector<std::thread> callers;
        for (int t = 0; t < threads; ++t)
            callers.emplace_back(sequence, s.handle(),
                                 context + ", thread " + std::to_string(t) + ": ");
        for (std::thread& t : callers)
            t.join();
        double last = -1;
        EXPECT_TRUE(s.waitShows(4.0 - kSeekSlackBefore, 4.0 + 2 * kSeekSlackAfter, 6s, &last))
            << context << ": after GotoTime(4) the picture showed " << last;
        expectRate(s, 1.0, context);
        ASSERT_TRUE(s.freeVideo());
    }
}

// A video-only MPEG program stream: Play, SetRate(2) or SetRate(0.5), Stop and FreeVideo all
// return.
TEST_F(StressSequences, RateThenStopOnVideoOnlyMpegProgramStream)
{
    const std::string path = ramp::make(kMpeg2Ps);
    for (double rate : {2.0, 0.5, 2.0}) {
        Session s("MPEG-PS at rate " + ramp::number(rate));
        ASSERT_TRUE(s.load(path));
        ASSERT_TRUE(s.playFromStart());
        ASSERT_TRUE(s.setRate(rate));
        std::this_thread::sleep_for(500ms);
        ASSERT_TRUE(s.stop());
        ASSERT_TRUE(s.freeVideo());
    }
}

// The first pack of an MPEG program stream: one clock reference, so the stream lasts
// no time. Seeks, rates and a replay at its end change nothing and log nothing; GStreamer's
// demuxer divided by the stream's length looking for a seek's offset.
TEST_F(StressSequences, ProgramStreamThatLastsNoTimeTakesSeeksQuietly)
{
    std::ifstream in(ramp::make(kMpeg2Ps), std::ios::binary);
    std::string head(2048, '\0');
    in.read(head.data(), static_cast<std::streamsize>(head.size()));
    const std::string path = testmedia::writeFile("ramp-mpeg2-head.mpg", head);
    Session s("MPEG-PS head");
    ASSERT_TRUE(s.load(path));
    ASSERT_TRUE(s.playFromStart());
    bounded::call("GotoTime(1)", [&s] { return GotoTime(s.handle(), 1.0); });
    bounded::call("SetRate(2)", [&s] { return SetRate(s.handle(), 2.0); });
    bounded::call("GotoTime(0)", [&s] { return GotoTime(s.handle(), 0.0); });
    std::this_thread::sleep_for(300ms);
    for (int i = 0; i < 5; ++i)
        UpdateEvent(s.handle());
    ASSERT_TRUE(s.stop());
    ASSERT_TRUE(s.freeVideo());
}

using StressNotFiles = Scenario;

// Loads a path in the background; fails the test when the load has not answered within five
// seconds (a refusal should be at once), then waits for its answer, doing `release` every
// 100 ms to free a load that waits on the path.
bool loadAnswersSoon(VideoTexture* h, const std::string& path, const std::function<void()>& release)
{
    auto load = std::async(std::launch::async,
                           [h, path] { return LoadVideo(h, path.c_str(), 1, 0); });
    if (load.wait_for(5s) != std::future_status::ready) {
        ADD_FAILURE() << "LoadVideo(" << path << ") did not answer within 5 s";
        for (int i = 0; i < 300 && load.wait_for(100ms) != std::future_status::ready; ++i)
            release();
        if (load.wait_for(0s) != std::future_status::ready)
            bounded::hung("LoadVideo(" + path + ")", 35s);
    }
    return load.get();
}

// A FIFO with no writer, a character device and a folder fail the load at once; the handle
// then still plays a file.
TEST_F(StressNotFiles, FifoDeviceAndFolderRefusedAtOnce)
{
    const std::string fifo =
        testmedia::mediaDir() + "/no-writer-" + std::to_string(::getpid()) + ".fifo";
    ::unlink(fifo.c_str());
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    Session s("not files");
    EXPECT_FALSE(loadAnswersSoon(s.handle(), fifo, [&] {
        // A writer that comes and goes at once: the reader sees the end of the file.
        const int fd = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
        if (fd >= 0)
            ::close(fd);
    })) << "a FIFO was loaded";
    ::unlink(fifo.c_str());
    for (const char* path : {"/dev/zero", "/dev/null", "/tmp"})
        EXPECT_FALSE(loadAnswersSoon(s.handle(), path, [] {})) << path << " was loaded";
    ASSERT_TRUE(s.load(ramp::make(kH264)));
    EXPECT_TRUE(s.playFromStart());
}

}  // namespace
