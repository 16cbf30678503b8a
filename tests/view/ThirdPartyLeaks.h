// Include in exactly one file of a test program that shows GL widgets or plays media.
//
// Third-party memory the leak checker cannot name: GLib's one-time tables from its library
// constructor (reached through GStreamer; GLib is built without frame pointers, so the stacks
// stop at g_malloc), and D-Bus buffers of Qt's desktop integration. The Mesa driver is kept
// loaded after the first GL widget, so that what it holds until the process ends stays
// reachable instead of being reported from an unloaded module.
#pragma once

#include <dlfcn.h>
#include <link.h>

#include <cstring>

extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libglib-2.0.so\n"
           "leak:_dl_init\n"
           "leak:libdbus-1.so\n";
}

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
