// Sanitizer defaults for the library's test programs and the campaign, linked into each.

// GLib and GStreamer are built without frame pointers, so the quick unwinder stops at g_malloc
// and every GLib allocation would look alike: full unwinding gives the leak checker (and its
// suppressions) real stacks. Options given in ASAN_OPTIONS still take precedence.
extern "C" const char* __asan_default_options()
{
    return "fast_unwind_on_malloc=0";
}

// The same third-party suppressions as tests/lsan.supp, built in so that a program run on its
// own (and the test listing at build time) checks alike.
extern "C" const char* __lsan_default_suppressions()
{
    // GLib's library constructor allocates its tables once when libglib is loaded.
    return "leak:_dl_init\n";
}
