// CLN, under GiNaC, allocates some static data once and never frees it. Leak checking in the
// sanitizer build reads these suppressions from the program itself, so that test discovery and
// every run see them without extra environment.
extern "C" const char* __lsan_default_suppressions();
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libcln.so\n";
}
