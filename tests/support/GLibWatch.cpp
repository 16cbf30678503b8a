#include "GLibWatch.h"

#include <glib.h>

#include <cstring>
#include <utility>

namespace glibwatch {
namespace {

std::function<void(const Problem&)>& observer()
{
    static std::function<void(const Problem&)> seen;
    return seen;
}

std::string field(const GLogField* fields, gsize count, const char* key)
{
    for (gsize i = 0; i < count; ++i) {
        if (std::strcmp(fields[i].key, key) != 0 || !fields[i].value)
            continue;
        const char* value = static_cast<const char*>(fields[i].value);
        return fields[i].length < 0 ? std::string(value)
                                    : std::string(value, static_cast<size_t>(fields[i].length));
    }
    return {};
}

GLogWriterOutput writer(GLogLevelFlags level, const GLogField* fields, gsize count, gpointer data)
{
    if (level & (G_LOG_LEVEL_ERROR | G_LOG_LEVEL_CRITICAL | G_LOG_LEVEL_WARNING)) {
        Problem problem;
        problem.critical = (level & (G_LOG_LEVEL_ERROR | G_LOG_LEVEL_CRITICAL)) != 0;
        problem.domain = field(fields, count, "GLIB_DOMAIN");
        problem.text = field(fields, count, "MESSAGE");
        observer()(problem);
    }
    return g_log_writer_default(level, fields, count, data);
}

}  // namespace

void watch(std::function<void(const Problem&)> seen)
{
    static bool installed = false;
    if (installed || !seen)
        return;
    installed = true;
    observer() = std::move(seen);
    g_log_set_writer_func(writer, nullptr, nullptr);
}

}  // namespace glibwatch
