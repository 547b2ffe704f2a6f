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
    std::string plot_dir;                              // --plot OUTDIR: plot the drawings and exit
    std::vector<std::string> plot_drawings;            // the drawings to plot
    bool help = false;
    bool version = false;
};

bool parse_options(int argc, char** argv, Options& out, std::string& error);
const char* usage();
const char* help_text();     // --help: usage and every option
const char* version_text();  // --version

// Runs a whole session reading from `in`, or with --plot plots the
// drawings given; returns the exit status.
int run_host(const Options& opts, std::istream& in, bool terminal);

}  // namespace cadhost::app
