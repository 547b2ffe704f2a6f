// Start-up of a host session from command-line options; shared by the
// executable and the tests that run whole sessions.
#pragma once

#include <istream>
#include <string>
#include <utility>
#include <vector>

namespace cadhost::app {

struct Options {
    std::vector<std::pair<char, std::string>> drives;  // --drive L=DIR
    std::vector<std::string> support;                  // --support DIR
    std::vector<std::string> loads;                    // --load MODULE
    std::string script;                                // --script FILE
    std::string drawing;                               // DRAWING
    bool help = false;
};

bool parse_options(int argc, char** argv, Options& out, std::string& error);
const char* usage();

// Runs a whole session reading from `in`; returns the exit status.
int run_host(const Options& opts, std::istream& in, bool terminal);

}  // namespace cadhost::app
