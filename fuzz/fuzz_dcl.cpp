// Fuzz target for the DCL parser: any text parses or fails with an error
// that names the file and a line inside the text.
#include <algorithm>
#include <cstdint>
#include <string>

#include "dcl/parser.h"
#include "finding.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    auto r = cadhost::dcl::parse_dcl(text, "fuzz.dcl");
    if (r.ok()) return 0;
    long lines = 1 + static_cast<long>(std::count(text.begin(), text.end(), '\n'));
    const auto& e = r.error();
    if (e.file != "fuzz.dcl" || e.line < 0 || e.line > lines)
        fuzz::finding("fuzz_dcl", "error without the file or with a line outside the text", e.what());
    return 0;
}
