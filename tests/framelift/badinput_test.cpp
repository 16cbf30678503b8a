// Every export's answer for a null and for an empty handle, and bad input: a clear false or
// null without a long wait, after which the same handle still plays a good file.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>

#include "FrameliftClips.h"
#include "TestMedia.h"

using clips::Handle;

namespace {

void expectUsable(VideoTexture* h)
{
    ASSERT_TRUE(LoadVideo(h, clips::mpeg4Avi().c_str(), 1, 0));
    EXPECT_EQ(GetVideoWidth(h), 320);
    Play(h);
    EXPECT_NE(GetTexture(h), nullptr);
    Stop(h);
}

// Every export given a null handle, or a handle with nothing loaded (new, or after loads refused
// for a null path or an unknown size mode), answers no video at once; an empty handle's
// control calls do nothing and succeed, a null handle's fail.
TEST(NoVideo, NullAndEmptyHandles)
{
    const std::string avi = clips::mpeg4Avi();
    EXPECT_FALSE(LoadVideo(nullptr, avi.c_str(), 1, 0));
    EXPECT_EQ(GetLoadFailure(nullptr), FRAMELIFT_LOAD_OK);
    EXPECT_FALSE(DeleteVideoTexture(nullptr));
    FreeImageBmp(nullptr);
    VideoTexture* empty = CreateVideoTexture();
    ASSERT_NE(empty, nullptr);
    for (VideoTexture* h : {static_cast<VideoTexture*>(nullptr), empty}) {
        SCOPED_TRACE(h ? "empty handle" : "null handle");
        const bool controls = h != nullptr;
        EXPECT_FALSE(LoadVideo(h, nullptr, 1, 0));
        for (int mode : {3, -1})
            EXPECT_FALSE(LoadVideo(h, avi.c_str(), mode, 0)) << "size mode " << mode;
        EXPECT_EQ(Play(h), controls);
        EXPECT_EQ(Pause(h), controls);
        EXPECT_EQ(Stop(h), controls);
        EXPECT_EQ(Restart(h), controls);
        EXPECT_EQ(GotoTime(h, 3.0), controls);
        EXPECT_EQ(SetRate(h, 2.0), controls);
        EXPECT_EQ(MuteSound(h), controls);
        EXPECT_EQ(FullScreen(h), controls);
        EXPECT_FALSE(UpdateEvent(h));
        EXPECT_EQ(GetTexWidth(h), 0);
        EXPECT_EQ(GetTexHeight(h), 0);
        EXPECT_EQ(GetVideoWidth(h), 0);
        EXPECT_EQ(GetVideoHeight(h), 0);
        EXPECT_EQ(GetVideoRatio(h), 1.0f);
        float matrix[16];
        std::fill(std::begin(matrix), std::end(matrix), 7.0f);
        EXPECT_EQ(GetTexScalMatrix(h, matrix), controls);
        EXPECT_EQ(std::count(std::begin(matrix), std::end(matrix), 7.0f), 16) << "left untouched";
        EXPECT_EQ(GetTexScalMatrix(h, nullptr), controls);
        EXPECT_EQ(GetTexture(h), nullptr);
        const ImageBmpInfo bmp = GetCurrentImageBmp(h);
        EXPECT_EQ(bmp.width + bmp.height + bmp.byteCount, 0);
        EXPECT_EQ(bmp.data, nullptr);
        EXPECT_EQ(FreeVideo(h), controls);
    }
    expectUsable(empty);
    EXPECT_TRUE(DeleteVideoTexture(empty));
}

std::string truncatedCopy(const std::string& path, const std::string& name, double part)
{
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    bytes.resize(static_cast<size_t>(bytes.size() * part));
    return testmedia::writeFile(name, bytes);
}

// A Matroska clip whose video codec no decoder knows.
std::string unknownCodecMkv()
{
    const std::string good = testmedia::byFfmpeg(
        "codec-source.mkv", "-f lavfi -i testsrc2=s=160x120:r=25:d=1 -c:v mpeg4");
    std::ifstream in(good, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const size_t id = bytes.find("V_MPEG4/ISO/ASP");
    if (id == std::string::npos)
        return good;
    bytes.replace(id, 15, "V_VELMORA/NONE1");
    return testmedia::writeFile("unknown-codec.mkv", bytes);
}

struct BadFile {
    const char* label;
    std::string (*make)();
    int32_t cause;         // what GetLoadFailure() tells after the failed load
    bool mayPlay = false;  // plays what it has, or fails
    int32_t orCause = -1;  // another answer that fits as well
};

void PrintTo(const BadFile& f, std::ostream* os)
{
    *os << f.label;
}

class BadFiles : public testing::TestWithParam<BadFile> {};

// The load fails quickly and the accessors answer no usable video (or, for a damaged file
// that can play what it has, nothing hangs), and the handle plays the next file.
TEST_P(BadFiles, LoadFailsAndTheHandleStaysUsable)
{
    const std::string path = GetParam().make();
    Handle h;
    if (GetParam().mayPlay && LoadVideo(h, path.c_str(), 1, 0)) {
        Play(h);
        GetTexture(h);  // a frame, or null after the bounded wait
        for (int i = 0; i < 20; ++i)
            UpdateEvent(h);
    } else {
        EXPECT_FALSE(LoadVideo(h, path.c_str(), 1, 0));
        const int32_t cause = GetLoadFailure(h);
        if (cause != GetParam().orCause) {
            EXPECT_EQ(cause, GetParam().cause);
        }
        EXPECT_LE(GetVideoWidth(h), 0);
        EXPECT_EQ(GetVideoRatio(h), 1.0f);
        EXPECT_EQ(GetTexture(h), nullptr);
        EXPECT_TRUE(Play(h));
        EXPECT_FALSE(UpdateEvent(h));
    }
    expectUsable(h);
    EXPECT_EQ(GetLoadFailure(h), FRAMELIFT_LOAD_OK) << "a good load clears the cause";
}

INSTANTIATE_TEST_SUITE_P(
    Framelift, BadFiles,
    testing::Values(
        BadFile{"missing", [] { return testmedia::mediaDir() + "/no-such-file.avi"; },
                FRAMELIFT_LOAD_MISSING},
        BadFile{"empty", [] { return testmedia::writeFile("empty.avi", ""); },
                FRAMELIFT_LOAD_EMPTY},
        BadFile{"text", [] { return testmedia::writeFile("text.avi", "This is a text file.\n"); },
                FRAMELIFT_LOAD_NOT_MEDIA},
        BadFile{"long_text",
                [] { return testmedia::writeFile("long-text.mp4", std::string(4000, 'x') + "\n"); },
                FRAMELIFT_LOAD_NOT_MEDIA},
        // Recognised, as XML, but nothing plays XML: no codec is missing.
        BadFile{"xml",
                [] {
                    return testmedia::writeFile("page.avi", "<?xml version=\"1.0\"?><a>b</a>\n");
                },
                FRAMELIFT_LOAD_NOT_MEDIA},
        BadFile{"noise",
                [] { return testmedia::writeFile("noise.mkv", std::string(3000, '\x9d')); },
                FRAMELIFT_LOAD_NOT_MEDIA},
        BadFile{"unknown_codec", unknownCodecMkv, FRAMELIFT_LOAD_NO_DECODER},
        // The index of an MP4 comes last: without it nothing can be played.
        BadFile{"truncated_mp4",
                [] { return truncatedCopy(clips::h264Mp4(), "truncated.mp4", 0.5); },
                FRAMELIFT_LOAD_DAMAGED},
        BadFile{"sound_only",
                [] {
                    testmedia::ClipSpec sound;
                    sound.name = "sound-only.ogg";
                    sound.frames = 0;
                    sound.audioEncoder = "vorbisenc";
                    sound.muxer = "oggmux";
                    return testmedia::clip(sound);
                },
                FRAMELIFT_LOAD_NO_PICTURE},
        BadFile{"truncated_avi",
                [] { return truncatedCopy(clips::mpeg4Avi(), "truncated.avi", 0.4); },
                // What is left may hold only the sound's data: no picture to show.
                FRAMELIFT_LOAD_DAMAGED, true, FRAMELIFT_LOAD_NO_PICTURE},
        BadFile{"folder", [] { return testmedia::mediaDir(); }, FRAMELIFT_LOAD_MISSING},
        BadFile{"too_long",
                [] { return testmedia::mediaDir() + "/" + std::string(5000, 'a') + ".avi"; },
                FRAMELIFT_LOAD_MISSING}),
    [](const testing::TestParamInfo<BadFile>& info) { return std::string(info.param.label); });

// A path with non-ASCII letters loads like any other. A loaded graph that is never run serves
// no frame: GetTexture gives up with null instead of waiting for ever.
TEST(Paths, NonAsciiLettersLoad)
{
    namespace fs = std::filesystem;
    const fs::path copy = fs::path(testmedia::mediaDir()) / "Видео – été 映像.avi";
    fs::copy_file(clips::mpeg4Avi(), copy, fs::copy_options::overwrite_existing);
    Handle h;
    ASSERT_TRUE(LoadVideo(h, copy.c_str(), 1, 0));
    EXPECT_EQ(GetVideoWidth(h), 320);
    EXPECT_EQ(GetTexture(h), nullptr);
    Play(h);
    EXPECT_NE(GetTexture(h), nullptr);
}

}  // namespace

namespace {

// A Vorbis identification header whose sample rate lies beyond the integer range made
// GStreamer's Vorbis decoder divide by zero inside the load. The sound is now left undecoded:
// the video loads and plays without it.
TEST(BadInput, DamagedVorbisHeaderLeavesTheVideoPlaying)
{
    const std::string good = testmedia::byFfmpeg(
        "vorbis-source.mkv", "-f lavfi -i testsrc2=s=160x120:r=25:d=2 -f lavfi -i sine=d=2 "
                             "-c:v mpeg4 -c:a libvorbis");
    std::ifstream in(good, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const size_t header = bytes.find(std::string("\x01vorbis", 7));
    ASSERT_NE(header, std::string::npos);
    bytes.replace(header + 12, 4, "\xff\xff\xff\xff");  // the sample rate
    const std::string damaged = testmedia::writeFile("vorbis-rate-damaged.mkv", bytes);
    Handle h;
    ASSERT_TRUE(LoadVideo(h, damaged.c_str(), 1, 0));
    EXPECT_EQ(GetVideoWidth(h), 160);
    Play(h);
    EXPECT_NE(GetTexture(h), nullptr);
    Stop(h);
}

// GStreamer's RealMedia demuxer read a stream header's media type past the header's end and
// crashed the process comparing it. Such a file is refused before it reaches the graph; the
// intact file still plays, and so does the handle after the refusal.
TEST(BadInput, RealMediaStreamHeaderRunningPastItsEndIsRefused)
{
    const std::string good = testmedia::byFfmpeg(
        "rm-source.rm", "-f lavfi -i testsrc2=s=160x120:r=25:d=2 -f lavfi -i sine=d=2 "
                        "-c:v rv20 -c:a ac3");
    std::ifstream in(good, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const size_t audio = bytes.find("audio/x-pn-realaudio");
    ASSERT_NE(audio, std::string::npos);
    std::string longType = bytes, longName = bytes;
    longType[audio - 1] = '\xb7';  // the media type's length
    const size_t name = bytes.rfind("MDPR", audio) + 10 + 30;
    longName[name] = '\x80';  // the stream name's length
    Handle h;
    for (const auto& [file, damaged] : {std::pair{"rm-type-too-long.rm", longType},
                                        std::pair{"rm-name-too-long.rm", longName}}) {
        SCOPED_TRACE(file);
        EXPECT_FALSE(LoadVideo(h, testmedia::writeFile(file, damaged).c_str(), 1, 0));
        EXPECT_EQ(GetLoadFailure(h), FRAMELIFT_LOAD_DAMAGED);
    }
    ASSERT_TRUE(LoadVideo(h, good.c_str(), 1, 0));
    EXPECT_EQ(GetVideoWidth(h), 160);
    Play(h);
    EXPECT_NE(GetTexture(h), nullptr);
    Stop(h);
}

}  // namespace
