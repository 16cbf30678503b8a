// The installed filters by category, as the filter list shows them: every element is a
// filter, video encoders are the video compressors, each named by its long name.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "framelift.h"

namespace {

std::vector<std::string> namesOf(int32_t category, int32_t* count)
{
    std::vector<std::string> names;
    *count = EnumerateFilters(
        category,
        [](const char* name, void* data) { static_cast<std::vector<std::string>*>(data)->push_back(name); },
        &names);
    return names;
}

bool contains(const std::vector<std::string>& names, const char* name)
{
    return std::find(names.begin(), names.end(), name) != names.end();
}

TEST(Filters, EveryElementIsAFilterAndVideoEncodersAreCompressors)
{
    int32_t filterCount = 0;
    const auto filters = namesOf(FRAMELIFT_CATEGORY_FILTERS, &filterCount);
    EXPECT_EQ(filterCount, static_cast<int32_t>(filters.size()));
    EXPECT_TRUE(contains(filters, "Video test source"));          // videotestsrc
    EXPECT_TRUE(contains(filters, "libav MPEG-4 part 2 encoder"));  // avenc_mpeg4
    EXPECT_TRUE(contains(filters, "Avi muxer"));                  // avimux

    int32_t compressorCount = 0;
    const auto compressors = namesOf(FRAMELIFT_CATEGORY_VIDEO_COMPRESSORS, &compressorCount);
    EXPECT_EQ(compressorCount, static_cast<int32_t>(compressors.size()));
    EXPECT_TRUE(contains(compressors, "libav MPEG-4 part 2 encoder"));
    EXPECT_FALSE(contains(compressors, "Video test source"));   // a source, not an encoder
    EXPECT_FALSE(contains(compressors, "Avi muxer"));
    EXPECT_FALSE(contains(compressors, "libav MPEG-4 part 2 decoder"));
    EXPECT_LT(compressorCount, filterCount);
}

TEST(Filters, UnknownCategoryOrNoReceiverIsRefused)
{
    int32_t count = 0;
    EXPECT_TRUE(namesOf(2, &count).empty());
    EXPECT_EQ(count, -1);
    EXPECT_TRUE(namesOf(-1, &count).empty());
    EXPECT_EQ(count, -1);
    EXPECT_EQ(EnumerateFilters(FRAMELIFT_CATEGORY_FILTERS, nullptr, nullptr), -1);
}

}  // namespace
