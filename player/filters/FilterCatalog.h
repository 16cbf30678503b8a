// The installed media filters by category, as the media library lists them: every element of
// the pipeline is a filter; the video encoders are the video compressors.
#pragma once

#include <QStringList>

#include <functional>
#include <optional>

namespace filtercatalog {

enum class Category { Filters, VideoCompressors };

// The friendly names of a category's filters in the library's order; no value when the
// category cannot be listed.
std::optional<QStringList> installed(Category category);

// Where the filter list takes its names from (installed, or a stand-in in tests).
using Source = std::function<std::optional<QStringList>(Category)>;

}  // namespace filtercatalog
