// The cadhost executable: options, the first drawing, applications to load,
// then the command line until input ends or QUIT.
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "app/startup.h"

int main(int argc, char** argv) {
    cadhost::app::Options opts;
    std::string err;
    if (!cadhost::app::parse_options(argc, argv, opts, err)) {
        fprintf(stderr, "cadhost: %s\n%s", err.c_str(), cadhost::app::usage());
        return 2;
    }
    if (opts.help) {
        fputs(cadhost::app::usage(), stdout);
        return 0;
    }
    return cadhost::app::run_host(opts, std::cin, isatty(0) != 0);
}
