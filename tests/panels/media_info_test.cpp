// The MediaInfo binding: the duration and the four pages from the real library, and what
// a missing library gives.
#include "MediaInfo.h"
#include "MediaInfoReader.h"
#include "TestMedia.h"

#include <gtest/gtest.h>

using namespace mediainfo;

TEST(MediaInfo, ReadsDurationAndBuildsEachPageOnThePreviousOne)
{
    testmedia::ClipRequest wanted;
    wanted.name = "mediainfo-320x240.avi";
    wanted.frames = 50;  // two seconds at 25 frames a second
    const std::string path = testmedia::clip(wanted);
    ASSERT_NE(api(), nullptr) << "libmediainfo.so.0 did not bind";
    const MediaReport report = readMediaReport(path);
    EXPECT_EQ(report.durationMs, 2000);
    EXPECT_NE(report.pages[0].find("AVI"), std::string::npos);
    for (int page = 1; page < 4; ++page) {
        EXPECT_EQ(report.pages[page].compare(0, report.pages[page - 1].size(),
                                             report.pages[page - 1]), 0) << page;
        EXPECT_GT(report.pages[page].size(), report.pages[page - 1].size()) << page;
    }
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
