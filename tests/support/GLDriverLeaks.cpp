// Linked into the test programs that load the system's OpenGL driver and
// fonts. Those libraries keep process-wide caches and unload their code before
// exit, so the leak checker of the sanitizer build cannot tell their
// allocations from ours; it is switched off for these programs only (the
// address and undefined-behaviour checks stay on). The software renderer's
// shader compiler also frees with free() what it took with operator new when
// it drops a compiled shader, which the allocation pairing check would
// report as ours. Unused in other builds.
extern "C" const char* __asan_default_options()
{
    return "detect_leaks=0:alloc_dealloc_mismatch=0";
}
