// Leak-checker help for test programs that show GL widgets. Mesa's driver is unloaded when the
// last context goes, after which the checker could not tell its one-time allocations from the
// program's; keepGlDriverLoaded pins it. The third-party suppressions themselves live with the
// Qt test main (QtTestMain.cpp), which every such program links.
#pragma once

#include <cstring>
#include <string>
#include <vector>

#include <dlfcn.h>
#include <link.h>

namespace leakcheck {

// Call once an OpenGL context exists. The driver's paths are gathered while the loader's list
// is walked and pinned only after the walk: dl_iterate_phdr holds the loader's lock, and a
// dlopen inside its callback would take the sanitizers' own lock of loaded libraries in the
// opposite order to a streaming thread loading a plugin, which deadlocks.
inline void keepGlDriverLoaded()
{
    std::vector<std::string> drivers;
    dl_iterate_phdr(
        [](dl_phdr_info* info, size_t, void* found) {
            if (info->dlpi_name && std::strstr(info->dlpi_name, "_dri.so"))
                static_cast<std::vector<std::string>*>(found)->emplace_back(info->dlpi_name);
            return 0;
        },
        &drivers);
    for (const std::string& path : drivers)
        dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
}

}  // namespace leakcheck
