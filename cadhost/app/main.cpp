// The cadhost executable: options, the first drawing, applications to load,
// then the command line until input ends or QUIT.
#include <unistd.h>
#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "app/startup.h"

namespace {

// A session opens and drops drawings one after another while applications
// build large lists beside them. The allocator, left to adapt, starts by
// giving blocks of 128 kB and more straight back to the system when they are
// freed, so every new drawing and every grown list has its memory paged in
// afresh, which costs more than filling it. Starting where that adaptation
// ends (blocks up to 32 MB and up to 64 MB of free room at the top kept for
// reuse) pages each part of the peak in once.
void keep_freed_memory() {
#if defined(__GLIBC__)
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, 64 << 20);
#endif
}

}  // namespace

int main(int argc, char** argv) {
    cadhost::app::Options opts;
    std::string err;
    if (!cadhost::app::parse_options(argc, argv, opts, err)) {
        fprintf(stderr, "cadhost: %s\n%s", err.c_str(), cadhost::app::usage());
        return 2;
    }
    if (opts.help) {
        fputs(cadhost::app::help_text(), stdout);
        return 0;
    }
    if (opts.version) {
        fputs(cadhost::app::version_text(), stdout);
        return 0;
    }
    keep_freed_memory();
    return cadhost::app::run_host(opts, std::cin, isatty(0) != 0);
}
