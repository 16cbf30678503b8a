// Text subtitles kept beside a video (same base name, .srt) are drawn into its picture at
// their time, also after seeks and at another rate; subtitle files that are damaged, empty or
// not text leave the video playing without them.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "FrameliftClips.h"
#include "TestMedia.h"

namespace {

namespace fs = std::filesystem;

constexpr int kWidth = 320, kHeight = 240;

// Two subtitles: from 1 s to 2 s, and from 4 s to 5 s.
constexpr const char* kSubRip =
    "1\n00:00:01,000 --> 00:00:02,000\nVelmora WWW\n\n"
    "2\n00:00:04,000 --> 00:00:05,000\nSecond MMM\n\n";

// A grey picture whose level tells its time (see clips::rampSeconds), never brighter than
// about 140, so white text stands out.
std::string rampVideo(const std::string& name)
{
    return testmedia::byFfmpeg(name, "-f lavfi -i color=black:s=320x240:r=25:d=6 -vf "
                                     "\"geq=lum='16+T*20':cb=128:cr=128,format=yuv420p\" "
                                     "-c:v ffv1");
}

// A copy of the ramp in a folder of its own, with `subtitle` beside it as `subtitleName`.
std::string videoWithSubtitle(const std::string& folderName, const std::string& subtitleName,
                              const std::string& subtitle)
{
    const fs::path folder = fs::path(testmedia::mediaDir()) / folderName;
    fs::create_directories(folder);
    const fs::path video = folder / "film.mkv";
    fs::copy_file(rampVideo("subtitle-ramp.mkv"), video, fs::copy_options::overwrite_existing);
    const std::string written = testmedia::writeFile(folderName + "-" + subtitleName, subtitle);
    fs::rename(written, folder / subtitleName);
    return video.string();
}

// Pixels of the lower half that are nearly white: the text's.
int textPixels(const uint8_t* texture)
{
    int count = 0;
    for (int row = 0; row < kHeight / 2; ++row) {
        for (int x = 0; x < kWidth; ++x) {
            const uint8_t* p = texture + (row * kWidth + x) * 3;
            if (p[0] > 200 && p[1] > 200 && p[2] > 200)
                ++count;
        }
    }
    return count;
}

// Plays on until a frame between `from` and `to` seconds shows; its text pixels, or -1 when
// none came.
int textBetween(VideoTexture* h, double from, double to)
{
    int text = -1;
    clips::feedUntil(h, [&](const uint8_t* t) {
        const double at = clips::rampSeconds(t);
        if (at < from || at > to)
            return false;
        text = textPixels(t);
        return true;
    });
    return text;
}

constexpr int kSomeText = 40;

TEST(Subtitles, ShowAtTheirTimeAcrossSeeksAndRates)
{
    const std::string video = videoWithSubtitle("subtitled", "film.srt", kSubRip);
    clips::Handle h;
    ASSERT_TRUE(LoadVideo(h, video.c_str(), FRAMELIFT_SIZE_EXACT, 0));
    ASSERT_TRUE(Play(h));
    EXPECT_EQ(textBetween(h, 0.2, 0.8), 0) << "before the first subtitle";
    EXPECT_GT(textBetween(h, 1.2, 1.8), kSomeText) << "the first subtitle";
    EXPECT_EQ(textBetween(h, 2.4, 3.6), 0) << "after the first subtitle";

    ASSERT_TRUE(GotoTime(h, 4.2));
    EXPECT_GT(textBetween(h, 4.3, 4.8), kSomeText) << "after a seek into the second";
    ASSERT_TRUE(GotoTime(h, 0.1));
    EXPECT_EQ(textBetween(h, 0.1, 0.8), 0) << "after a seek back before the first";

    ASSERT_TRUE(SetRate(h, 2.0));
    EXPECT_GT(textBetween(h, 1.3, 1.8), kSomeText) << "at twice the rate";
    EXPECT_EQ(textBetween(h, 2.5, 3.5), 0) << "at twice the rate, between the two";
}

// A subtitle file named in capitals is found as well.
TEST(Subtitles, AnyLetterCaseOfTheEnding)
{
    const std::string video = videoWithSubtitle("subtitled-caps", "film.SRT", kSubRip);
    clips::Handle h;
    ASSERT_TRUE(LoadVideo(h, video.c_str(), FRAMELIFT_SIZE_EXACT, 0));
    ASSERT_TRUE(Play(h));
    EXPECT_GT(textBetween(h, 1.2, 1.8), kSomeText);
}

// The video's own text stream: SubRip in Matroska and timed text in MP4, also after a seek
// back over cues already seen.
TEST(Subtitles, TheVideosOwnTextStreamShows)
{
    const std::string srt = testmedia::writeFile("embedded-source.srt", kSubRip);
    const std::string ramp = rampVideo("subtitle-ramp.mkv");
    const std::string files[] = {
        testmedia::byFfmpeg("embedded-subtitles.mkv",
                            "-i " + ramp + " -i " + srt + " -map 0 -map 1 -c:v copy -c:s srt"),
        testmedia::byFfmpeg("embedded-subtitles.mp4", "-i " + ramp + " -i " + srt +
                                                          " -map 0 -map 1 -c:v libx264 -crf 5 "
                                                          "-pix_fmt yuv420p -c:s mov_text"),
    };
    for (const std::string& file : files) {
        SCOPED_TRACE(file);
        clips::Handle h;
        ASSERT_TRUE(LoadVideo(h, file.c_str(), FRAMELIFT_SIZE_EXACT, 0));
        ASSERT_TRUE(Play(h));
        EXPECT_EQ(textBetween(h, 0.2, 0.8), 0);
        EXPECT_GT(textBetween(h, 1.2, 1.8), kSomeText);
        EXPECT_EQ(textBetween(h, 2.4, 3.6), 0);
        ASSERT_TRUE(GotoTime(h, 1.1));
        EXPECT_GT(textBetween(h, 1.2, 1.8), kSomeText) << "after a seek back";
    }
}

// A subtitle file chosen while the video plays takes the place of the one beside it;
// subtitles can be hidden and shown again.
TEST(Subtitles, ChosenWhilePlayingAndHidden)
{
    const std::string video = videoWithSubtitle("subtitled-chosen", "film.srt", kSubRip);
    const std::string later = testmedia::writeFile(
        "chosen-later.srt", "1\n00:00:02,500 --> 00:00:03,500\nChosen WWW\n\n");
    clips::Handle h;
    EXPECT_FALSE(LoadSubtitleFile(h, later.c_str())) << "no video yet";
    EXPECT_FALSE(ShowSubtitles(h, 0)) << "no video yet";
    ASSERT_TRUE(LoadVideo(h, video.c_str(), FRAMELIFT_SIZE_EXACT, 0));
    ASSERT_TRUE(Play(h));
    EXPECT_FALSE(LoadSubtitleFile(h, nullptr));
    EXPECT_FALSE(LoadSubtitleFile(h, testmedia::writeFile("chosen-empty.srt", "").c_str()));
    EXPECT_GT(textBetween(h, 1.2, 1.8), kSomeText) << "a refused file changes nothing";
    ASSERT_TRUE(LoadSubtitleFile(h, later.c_str()));
    EXPECT_GT(textBetween(h, 2.6, 3.3), kSomeText) << "the chosen file's cue";
    ASSERT_TRUE(GotoTime(h, 1.0));
    EXPECT_EQ(textBetween(h, 1.2, 1.8), 0) << "the file beside is no longer used";

    // Frames already past the overlay when a switch and a seek come may still show as they
    // were: each check's window starts beyond where the one before it ended.
    ASSERT_TRUE(ShowSubtitles(h, 0));
    ASSERT_TRUE(GotoTime(h, 2.5));
    EXPECT_EQ(textBetween(h, 2.8, 3.3), 0) << "hidden";
    ASSERT_TRUE(ShowSubtitles(h, 1));
    ASSERT_TRUE(GotoTime(h, 2.5));
    EXPECT_GT(textBetween(h, 3.0, 3.3), kSomeText) << "shown again";
    EXPECT_FALSE(LoadSubtitleFile(nullptr, later.c_str()));
    EXPECT_FALSE(ShowSubtitles(nullptr, 1));
}

TEST(Subtitles, BadSubtitleFilesLeaveTheVideoPlaying)
{
    const struct {
        const char* folder;
        std::string bytes;
    } files[] = {
        {"subtitle-empty", ""},
        {"subtitle-binary", std::string("\x00\x01\x02\xff\xfe\x00\x9d", 7) + std::string(5000, '\x9d')},
        {"subtitle-broken-times", "1\n00:00:99,999 --> 00:00:0x,000\n\xff\xfe garbage\n\n-->\n"},
        {"subtitle-no-times", "Just a letter, not subtitles.\n"},
        {"subtitle-enormous", std::string(9 << 20, 'a') + "\n00:00:01,000 --> 00:00:02,000\n"},
    };
    for (const auto& file : files) {
        SCOPED_TRACE(file.folder);
        const std::string video = videoWithSubtitle(file.folder, "film.srt", file.bytes);
        clips::Handle h;
        ASSERT_TRUE(LoadVideo(h, video.c_str(), FRAMELIFT_SIZE_EXACT, 0));
        ASSERT_TRUE(Play(h));
        EXPECT_GE(textBetween(h, 1.2, 1.8), 0) << "the video went on";
        EXPECT_GE(textBetween(h, 2.4, 3.0), 0) << "the video went on";
    }
}

}  // namespace
