// Fuzz target for the slide library reader: any bytes parse or fail
// cleanly, and every entry of a library that parses can be fetched by name
// and read (or refused) as a slide.
#include <cstdint>

#include "finding.h"
#include "slide/slide_library.h"

using namespace cadhost::slide;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto lib = SlideLibrary::parse(Bytes(data, data + size), "fuzz.slb");
    if (!lib.ok()) return 0;
    for (const LibraryEntry& e : lib.value().entries()) {
        if (uint64_t(e.address) + e.size > size)
            fuzz::finding("fuzz_slidelib", "an entry lies outside the file", e.name);
        auto bytes = lib.value().slide_bytes(e.name);
        if (!bytes.ok()) fuzz::finding("fuzz_slidelib", "a listed entry cannot be fetched", e.name);
        (void)read_slide(bytes.value(), e.name);
    }
    return 0;
}
