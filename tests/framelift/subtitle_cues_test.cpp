// The cues read from SubRip, WebVTT and SSA/ASS text: their times, their text as Pango markup,
// overlapping cues, and text that is not UTF-8.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "graph/SubtitleCues.h"
#include "graph/SubtitleFile.h"

using framelift::SubtitleCues;

namespace {

constexpr GstClockTime ms(long long value)
{
    return static_cast<GstClockTime>(value) * GST_MSECOND;
}

TEST(SubtitleCues, SubRipTimesTextAndStyling)
{
    const SubtitleCues cues = SubtitleCues::parse(
        "1\r\n00:00:01,000 --> 00:00:02,500\r\n<i>Hello</i> & <font color=\"red\">you</font>\r\n"
        "second line\r\n\r\n"
        "2\r\n00:00:02,000 --> 00:00:03,000\r\nOverlap <b>unclosed\r\n\r\n"
        "3\r\n00:00:05,000 --> 00:00:04,000\r\nends before it starts\r\n");
    ASSERT_EQ(cues.size(), 2u);
    EXPECT_EQ(cues.at(ms(999)), "");
    EXPECT_EQ(cues.at(ms(1000)), "<i>Hello</i> &amp; you\nsecond line");
    EXPECT_EQ(cues.at(ms(2200)), "<i>Hello</i> &amp; you\nsecond line\nOverlap unclosed");
    EXPECT_EQ(cues.at(ms(2500)), "Overlap unclosed");
    EXPECT_EQ(cues.at(ms(3000)), "");
    EXPECT_EQ(cues.at(ms(4500)), "");
}

TEST(SubtitleCues, WebVttWithoutHoursAndWithSettings)
{
    const SubtitleCues cues = SubtitleCues::parse(
        "WEBVTT\n\nNOTE a comment\n\n01:02.500 --> 01:04.000 align:start line:0\nLate <3\n");
    ASSERT_EQ(cues.size(), 1u);
    EXPECT_EQ(cues.at(ms(63000)), "Late &lt;3");
    EXPECT_EQ(cues.at(ms(64000)), "");
}

TEST(SubtitleCues, SsaDialoguesWithOverridesAndBreaks)
{
    const SubtitleCues cues = SubtitleCues::parse(
        "[Script Info]\nTitle: x\n\n[Events]\n"
        "Format: Layer, Start, End, Style, Name, MarginL, MarginR, MarginV, Effect, Text\n"
        "Dialogue: 0,0:00:01.00,0:00:02.50,Default,,0,0,0,,{\\an8}Top, with a comma\\Nnext\n"
        "Dialogue: broken\n");
    ASSERT_EQ(cues.size(), 1u);
    EXPECT_EQ(cues.at(ms(1500)), "Top, with a comma\nnext");
}

TEST(SubtitleCues, TextThatIsNotUtf8IsReadAsWindows1252)
{
    const std::string path = testing::TempDir() + "/latin.srt";
    std::ofstream(path, std::ios::binary) << "1\n00:00:01,000 --> 00:00:02,000\nCaf\xe9\n";
    EXPECT_EQ(SubtitleCues::read(path).at(ms(1500)), "Caf\xc3\xa9");
    std::ofstream(path, std::ios::binary) << "\xef\xbb\xbf" "1\n00:00:01,000 --> 00:00:02,000\nCaf\xc3\xa9\n";
    EXPECT_EQ(SubtitleCues::read(path).at(ms(1500)), "Caf\xc3\xa9") << "after a byte order mark";

    // Cyrillic in Windows-1251, read in the encoding the user's language suggests.
    std::ofstream(path, std::ios::binary) << "1\n00:00:01,000 --> 00:00:02,000\n\xcf\xf0\xe8\xe2\xe5\xf2\n";
    EXPECT_EQ(SubtitleCues::read(path, "WINDOWS-1251").at(ms(1500)),
              "\xd0\x9f\xd1\x80\xd0\xb8\xd0\xb2\xd0\xb5\xd1\x82");
    EXPECT_EQ(SubtitleCues::read(path, "NO-SUCH-ENCODING").at(ms(1500)),
              SubtitleCues::read(path).at(ms(1500))) << "an unknown one reads as Windows-1252";
    EXPECT_TRUE(SubtitleCues::parse("").empty());
    EXPECT_TRUE(SubtitleCues::parse("00:00:01,000 --> soon\n").empty());
}

// The library-wide choice: a name the system knows is taken, another refused and the choice
// kept; empty gives back the default.
TEST(SubtitleEncoding, OnlyKnownEncodingsAreTaken)
{
    EXPECT_EQ(framelift::subtitleEncoding(), "WINDOWS-1252");
    EXPECT_TRUE(framelift::setSubtitleEncoding("WINDOWS-1251"));
    EXPECT_FALSE(framelift::setSubtitleEncoding("NO-SUCH-ENCODING"));
    EXPECT_EQ(framelift::subtitleEncoding(), "WINDOWS-1251");
    EXPECT_TRUE(framelift::setSubtitleEncoding(""));
    EXPECT_EQ(framelift::subtitleEncoding(), "WINDOWS-1252");
}

}  // namespace
