// Leak-checker help for test programs that show GL widgets. Mesa's driver is unloaded when the
// last context goes, after which the checker could not tell its one-time allocations from the
// program's; keepGlDriverLoaded pins it. The third-party suppressions themselves live with the
// Qt test main (QtTestMain.cpp), which every such program links.
#pragma once

#include <cstring>

#include <dlfcn.h>
#include <link.h>

namespace leakcheck {

// Call once an OpenGL context exists.
inline void keepGlDriverLoaded()
{
    dl_iterate_phdr(
        [](dl_phdr_info* info, size_t, void*) {
            if (info->dlpi_name && std::strstr(info->dlpi_name, "_dri.so"))
                dlopen(info->dlpi_name, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
            return 0;
        },
        nullptr);
}

}  // namespace leakcheck
