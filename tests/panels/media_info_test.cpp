// The MediaInfo binding: the duration and the four pages from the real library, and what
// a missing library gives.
#include "MediaInfo.h"
#include "MediaInfoReader.h"
#include "TestMedia.h"

#include <gtest/gtest.h>

using namespace mediainfo;

namespace {

std::string twoSecondClip()
{
    testmedia::ClipRequest wanted;
    wanted.name = "mediainfo-320x240.avi";
    wanted.frames = 50;  // two seconds at 25 frames a second
    return testmedia::clip(wanted);
}

// 628 frames at 125 a second: 5.024 seconds.
std::string fiveSecondClip()
{
    testmedia::ClipSpec wanted;
    wanted.name = "mediainfo-5024ms.avi";
    wanted.width = 64;
    wanted.height = 48;
    wanted.frames = 628;
    wanted.fps = 125;
    return testmedia::clip(wanted);
}

// The library's own report of path with "Complete" set to level.
std::string reportAt(const std::string& path, const char* level)
{
    MediaInfo info;
    info.open(path);
    info.option("Complete", level);
    const std::string text = info.inform();
    info.close();
    return text;
}

}  // namespace

// Each page is the one before followed by the library's report at the next "Complete"
// level, with nothing between them; the duration is the general stream's.
TEST(MediaInfo, PagesAreTheLibrarysReportsJoinedAndDurationIsTheFilesOwn)
{
    const std::string path = fiveSecondClip();
    ASSERT_NE(api(), nullptr) << "libmediainfo.so.0 did not bind";
    const std::string plain = reportAt(path, "");
    const std::string complete = reportAt(path, "1");
    const std::string internal = reportAt(path, "2");
    ASSERT_NE(plain.find("AVI"), std::string::npos);
    ASSERT_GT(complete.size(), plain.size());

    const MediaReport report = readMediaReport(path);
    EXPECT_EQ(report.pages[0], plain);
    EXPECT_EQ(report.pages[1], plain + plain);
    EXPECT_EQ(report.pages[2], plain + plain + complete);
    EXPECT_EQ(report.pages[3], plain + plain + complete + internal);
    EXPECT_EQ(report.durationMs, 5024);
    EXPECT_EQ(readMediaReport(twoSecondClip()).durationMs, 2000);
}

// "Complete" is one setting of the whole library, and the read leaves it at "2": a file read
// after another still gets the plain Base page, the same as its own first read gave.
TEST(MediaInfo, AFileReadAfterAnotherHasTheSameBasePage)
{
    const std::string first = twoSecondClip();
    const std::string second = fiveSecondClip();
    const MediaReport firstAlone = readMediaReport(first);
    const MediaReport secondAfter = readMediaReport(second);
    const MediaReport firstAgain = readMediaReport(first);
    EXPECT_EQ(firstAgain.pages[0], firstAlone.pages[0]);
    EXPECT_EQ(firstAgain.pages[3], firstAlone.pages[3]);
    EXPECT_EQ(secondAfter.pages[0], reportAt(second, ""));
    EXPECT_LT(secondAfter.pages[0].size() * 2, secondAfter.pages[3].size());
}

TEST(MediaInfo, AFileItCannotReadHasNoDuration)
{
    const std::string text = testmedia::writeFile("mediainfo-text.avi", "plain text\n");
    EXPECT_EQ(readMediaReport(text).durationMs, 0);
    EXPECT_EQ(readMediaReport("").durationMs, 0);
    EXPECT_EQ(readMediaReport("/no/such/file.avi").durationMs, 0);
}

TEST(MediaInfo, WithoutTheLibraryEveryAnswerSaysSo)
{
    Api unused{};
    EXPECT_EQ(bindFrom("libvelmora-no-such-library.so.0", unused), nullptr);
    MediaInfo missing(nullptr);
    EXPECT_FALSE(missing.isLoaded());
    const MediaReport report = readMediaReport(missing, "/any/file.avi");
    const std::string once = "Unable to load libmediainfo.so.0";
    EXPECT_EQ(report.pages[0], once);
    EXPECT_EQ(report.pages[1], once + once);
    EXPECT_EQ(report.pages[2], once + once + once);
    EXPECT_EQ(report.pages[3], once + once + once + once);
    EXPECT_EQ(report.durationMs, 0);
}

TEST(MediaInfo, DurationTextIsReadAsAtoiReadsIt)
{
    EXPECT_EQ(leadingInteger("5024"), 5024);
    EXPECT_EQ(leadingInteger("5024.5"), 5024);
    EXPECT_EQ(leadingInteger(""), 0);
    EXPECT_EQ(leadingInteger("  -12ms"), -12);
    EXPECT_EQ(leadingInteger("+7"), 7);
    EXPECT_EQ(leadingInteger("abc"), 0);
    EXPECT_EQ(leadingInteger("99999999999999"), 2147483647);
}
