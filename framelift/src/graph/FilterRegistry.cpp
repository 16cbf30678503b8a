#include "FilterRegistry.h"

#include <cstring>

namespace framelift {
namespace {

bool isVideoCompressor(const char* klass)
{
    return klass && strstr(klass, "Encoder") && strstr(klass, "Video");
}

}  // namespace

std::optional<std::vector<FilterEntry>> filtersOf(FilterCategory category)
{
    GstRegistry* registry = gst_registry_get();
    if (!registry)
        return std::nullopt;
    std::vector<FilterEntry> entries;
    GList* features = gst_registry_get_feature_list(registry, GST_TYPE_ELEMENT_FACTORY);
    for (GList* node = features; node; node = node->next) {
        auto* factory = GST_ELEMENT_FACTORY(node->data);
        const char* klass = gst_element_factory_get_metadata(factory, GST_ELEMENT_METADATA_KLASS);
        const char* name =
            gst_element_factory_get_metadata(factory, GST_ELEMENT_METADATA_LONGNAME);
        if (!name)
            continue;
        if (category == FilterCategory::VideoCompressors && !isVideoCompressor(klass))
            continue;
        entries.push_back({name, GST_OBJECT_NAME(factory)});
    }
    gst_plugin_feature_list_free(features);
    return entries;
}

GstElement* bindToFilter(const FilterEntry& entry)
{
    return gst_element_factory_make(entry.factoryName.c_str(), nullptr);
}

}  // namespace framelift
