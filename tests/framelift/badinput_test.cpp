// Bad input gets a clear false or null without a long wait, and the handle stays usable.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "FrameliftClips.h"
#include "Playback.h"
#include "TestMedia.h"

using playback::Handle;

namespace {

std::string goodClip()
{
    return clips::quadrants({"quad-mpeg4-mp3.avi", 320, 240, 50, "avenc_mpeg4", "lamemp3enc", "avimux"});
}

// After a failure the same handle loads and plays a good file.
void expectUsable(VideoTexture* h)
{
    ASSERT_TRUE(LoadVideo(h, goodClip().c_str(), 1, 0));
    EXPECT_EQ(GetVideoWidth(h), 320);
    Play(h);
    EXPECT_NE(GetTexture(h), nullptr);
    Stop(h);
}

std::string truncatedCopy(const std::string& path, const std::string& name, double part)
{
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    bytes.resize(static_cast<size_t>(bytes.size() * part));
    return testmedia::writeFile(name, bytes);
}

struct BadFile {
    const char* label;
    std::string (*make)();
};

void PrintTo(const BadFile& f, std::ostream* os)
{
    *os << f.label;
}

class BadFiles : public testing::TestWithParam<BadFile> {};

// The load fails, the accessors answer no usable video, and the handle plays the next file.
TEST_P(BadFiles, LoadFailsAndTheHandleStaysUsable)
{
    const std::string path = GetParam().make();
    Handle h;
    EXPECT_FALSE(LoadVideo(h, path.c_str(), 1, 0));
    EXPECT_LE(GetVideoWidth(h), 0);
    EXPECT_EQ(GetVideoRatio(h), 1.0f);
    EXPECT_EQ(GetTexture(h), nullptr);
    EXPECT_TRUE(Play(h));
    EXPECT_FALSE(UpdateEvent(h));
    expectUsable(h);
}

INSTANTIATE_TEST_SUITE_P(
    Framelift, BadFiles,
    testing::Values(
        BadFile{"missing", [] { return testmedia::mediaDir() + "/no-such-file.avi"; }},
        BadFile{"empty", [] { return testmedia::writeFile("empty.avi", ""); }},
        BadFile{"text", [] {
                    return testmedia::writeFile("text.avi", "This is a text file, not a video.\n");
                }},
        BadFile{"truncated_mp4",
                [] {
                    // The index of an MP4 comes last: without it nothing can be played.
                    return truncatedCopy(
                        clips::quadrants({"quad-h264-aac.mp4", 320, 240, 50, "x264enc",
                                          "avenc_aac", "mp4mux"}),
                        "truncated.mp4", 0.5);
                }},
        BadFile{"sound_only", [] { return clips::soundOnly(); }},
        BadFile{"folder", [] { return testmedia::mediaDir(); }},
        BadFile{"too_long",
                [] { return testmedia::mediaDir() + "/" + std::string(5000, 'a') + ".avi"; }}),
    [](const testing::TestParamInfo<BadFile>& info) { return std::string(info.param.label); });

// A truncated AVI plays what it has (or fails); either way nothing hangs and the handle
// stays usable.
TEST(BadInput, TruncatedAviDoesNotHang)
{
    const std::string path = truncatedCopy(goodClip(), "truncated.avi", 0.4);
    Handle h;
    if (LoadVideo(h, path.c_str(), 1, 0)) {
        Play(h);
        GetTexture(h);  // a frame, or null after the bounded wait
        for (int i = 0; i < 20; ++i)
            UpdateEvent(h);
    }
    expectUsable(h);
}

// An unknown size mode fails the load.
TEST(BadInput, UnknownSizeMode)
{
    Handle h;
    EXPECT_FALSE(LoadVideo(h, goodClip().c_str(), 3, 0));
    EXPECT_FALSE(LoadVideo(h, goodClip().c_str(), -1, 0));
    EXPECT_EQ(GetTexture(h), nullptr);
    expectUsable(h);
}

// A null path fails the load.
TEST(BadInput, NullPath)
{
    Handle h;
    EXPECT_FALSE(LoadVideo(h, nullptr, 1, 0));
    expectUsable(h);
}

// A path with non-ASCII letters loads like any other.
TEST(Paths, NonAsciiLettersLoad)
{
    namespace fs = std::filesystem;
    const fs::path copy = fs::path(testmedia::mediaDir()) / "Видео – été 映像.avi";
    fs::copy_file(goodClip(), copy, fs::copy_options::overwrite_existing);
    Handle h;
    ASSERT_TRUE(LoadVideo(h, copy.c_str(), 1, 0));
    EXPECT_EQ(GetVideoWidth(h), 320);
    Play(h);
    EXPECT_NE(GetTexture(h), nullptr);
}

// A loaded graph that is never run serves no frame: GetTexture gives up with null instead of
// waiting for ever.
TEST(BadInput, GetTextureWithoutPlayGivesUp)
{
    Handle h;
    ASSERT_TRUE(LoadVideo(h, goodClip().c_str(), 1, 0));
    EXPECT_EQ(GetTexture(h), nullptr);
    Play(h);
    EXPECT_NE(GetTexture(h), nullptr);
}

}  // namespace
