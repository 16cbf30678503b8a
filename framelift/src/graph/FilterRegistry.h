// The installed filters as categories: every element factory of the GStreamer registry is a
// filter; those whose class names both "Encoder" and "Video" are the video compressors. A
// filter's friendly name is its factory's long name.
#pragma once

#include <gst/gst.h>

#include <optional>
#include <string>
#include <vector>

namespace framelift {

struct FilterEntry {
    std::string friendlyName;
    std::string factoryName;
};

enum class FilterCategory { Filters, VideoCompressors };

// Entries of a category, in registry order. Empty optional when the registry cannot be read.
std::optional<std::vector<FilterEntry>> filtersOf(FilterCategory category);

// Entries of the video-compressor category, in registry order. Empty optional when the
// registry cannot be read.
inline std::optional<std::vector<FilterEntry>> videoCompressors()
{
    return filtersOf(FilterCategory::VideoCompressors);
}

// A new filter (floating reference) made from the entry's factory; null when it cannot be.
GstElement* bindToFilter(const FilterEntry& entry);

}  // namespace framelift
