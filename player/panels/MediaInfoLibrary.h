// Run-time binding of the MediaInfo library (libmediainfo.so.0) through its 8-bit character
// interface. The library is loaded and every entry point bound on first use; a library that
// is missing, or lacks one of the names, counts as not loaded and is tried again next time.
// Once bound it stays loaded for the rest of the process.
#pragma once

#include <cstddef>

namespace mediainfo {

inline constexpr const char* kLibraryName = "libmediainfo.so.0";
inline constexpr const char* kUnableText = "Unable to load libmediainfo.so.0";

// The entry points the program binds, by their exported names.
struct Api {
    void* (*New)();
    void* (*ListNew)();
    void (*Delete)(void*);
    void (*ListDelete)(void*);
    size_t (*Open)(void*, const char*);
    size_t (*ListOpen)(void*, const char*, int);
    size_t (*OpenBufferInit)(void*, unsigned long long, unsigned long long);
    size_t (*OpenBufferContinue)(void*, const unsigned char*, size_t);
    unsigned long long (*OpenBufferContinueGoToGet)(void*);
    size_t (*OpenBufferFinalize)(void*);
    void (*Close)(void*);
    void (*ListClose)(void*, size_t);
    const char* (*Inform)(void*, size_t);
    const char* (*ListInform)(void*, size_t, size_t);
    const char* (*GetI)(void*, int, size_t, size_t, int);
    const char* (*ListGetI)(void*, size_t, int, size_t, size_t, int);
    const char* (*Get)(void*, int, size_t, const char*, int, int);
    const char* (*ListGet)(void*, size_t, int, size_t, const char*, int, int);
    const char* (*OutputBufferGet)(void*, const char*);
    const char* (*OutputBufferGetI)(void*, size_t);
    const char* (*Option)(void*, const char*, const char*);
    const char* (*ListOption)(void*, const char*, const char*);
    size_t (*StateGet)(void*);
    size_t (*ListStateGet)(void*);
    size_t (*CountGet)(void*, int, size_t);
    size_t (*ListCountGet)(void*, size_t, int, size_t);
    size_t (*ListCountGetFiles)(void*);
};

// The bound interface, loading the library when it is not loaded yet; null when it cannot
// be loaded. Thread-safe.
const Api* api();

// Loads from another file name instead (for tests of the failure path); not cached unless
// it succeeds. Returns null on failure.
const Api* bindFrom(const char* fileName, Api& out);

}  // namespace mediainfo
