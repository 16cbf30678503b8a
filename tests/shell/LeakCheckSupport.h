// Leak-checker support for the frame tests, whose programs bring up GStreamer (through the
// view's video handle) and Mesa's OpenGL driver. Include it from one file per test program.
//
// GLib (under GStreamer) and libdbus (under Qt's accessibility bus) keep one-time allocations
// for the whole process; built without frame pointers, their leak stacks end inside the
// library, so the suppressions name the libraries and nothing of the player. Mesa's driver is
// unloaded when the last context goes, after which the checker could not tell its allocations
// from the program's: keepGlDriverLoaded pins it.
#pragma once

#include <cstring>

#include <dlfcn.h>
#include <link.h>

extern "C" const char* __lsan_default_suppressions()
{
    return "leak:_dl_init\n"
           "leak:libglib-2.0.so\n"
           "leak:libdbus-1.so\n";
}

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
