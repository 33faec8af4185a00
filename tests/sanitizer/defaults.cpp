// Linked into every program and library of the sanitizer build, so that test discovery at build
// time, ctest and a developer's own run all see the same options without extra environment.
// ORVELIN_LSAN_SUPPRESSIONS is the absolute path of lsan.supp next to this file.
extern "C" const char* __asan_default_options();
// Also a local used after its function returned, and a global read by another library's start-up
// before its own initialiser ran.
extern "C" const char* __asan_default_options() {
    return "detect_leaks=1:abort_on_error=1:detect_stack_use_after_return=1:"
           "check_initialization_order=1";
}

extern "C" const char* __ubsan_default_options();
extern "C" const char* __ubsan_default_options() {
    return "halt_on_error=1:print_stacktrace=1";
}

extern "C" const char* __lsan_default_options();
extern "C" const char* __lsan_default_options() {
    return "suppressions=" ORVELIN_LSAN_SUPPRESSIONS ":print_suppressions=0";
}
