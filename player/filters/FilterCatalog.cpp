#include "FilterCatalog.h"

#include "framelift.h"

namespace filtercatalog {

std::optional<QStringList> installed(Category category)
{
    QStringList names;
    const int32_t count = EnumerateFilters(
        category == Category::Filters ? FRAMELIFT_CATEGORY_FILTERS
                                      : FRAMELIFT_CATEGORY_VIDEO_COMPRESSORS,
        [](const char* name, void* list) {
            static_cast<QStringList*>(list)->append(QString::fromUtf8(name));
        },
        &names);
    if (count < 0)
        return std::nullopt;
    return names;
}

}  // namespace filtercatalog
