// Fuzz target for the DXF reader: any input either reads or fails cleanly;
// a drawing that reads must write text that reads again, and writing that
// second drawing must give the same text (saving is stable).
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "db/drawing.h"

using cadhost::db::Drawing;

namespace {

[[noreturn]] void finding(const char* what, const std::string& detail) {
    std::fprintf(stderr, "fuzz_dxf: %s\n%s\n", what, detail.c_str());
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    auto first = Drawing::read_text(text, "fuzz");
    if (!first) return 0;
    auto version = (*first)->version();
    std::string written = (*first)->write_text(version);
    auto second = Drawing::read_text(written, "fuzz-written");
    if (!second) finding("the written drawing does not read back", second.error().what());
    std::string rewritten = (*second)->write_text(version);
    if (rewritten != written) finding("writing the read-back drawing changes the text", "");
    return 0;
}
