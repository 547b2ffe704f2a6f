// Replays one input the way fuzz_dxf does and writes the texts of each step
// beside a prefix, to see where a round trip changes the drawing.
// Usage: dxf_roundtrip INPUT PREFIX  ->  PREFIX.1.dxf, PREFIX.2.dxf
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "db/drawing.h"

using cadhost::db::Drawing;

namespace {

void dump(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: dxf_roundtrip INPUT PREFIX\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    std::string prefix = argv[2];
    auto first = Drawing::read_text(ss.str(), argv[1]);
    if (!first) {
        std::printf("input does not read: %s\n", first.error().what().c_str());
        return 0;
    }
    auto version = (*first)->version();
    std::string written = (*first)->write_text(version);
    dump(prefix + ".1.dxf", written);
    auto second = Drawing::read_text(written, prefix + ".1.dxf");
    if (!second) {
        std::printf("written text does not read: %s\n", second.error().what().c_str());
        return 1;
    }
    std::string rewritten = (*second)->write_text(version);
    dump(prefix + ".2.dxf", rewritten);
    std::printf(rewritten == written ? "stable\n" : "second write differs\n");
    return rewritten == written ? 0 : 1;
}
