// Fuzz target for the slide reader: any bytes read or fail cleanly; a slide
// that reads writes a file that reads back to the same picture.
#include <cstdint>

#include "finding.h"
#include "slide/slide.h"

using namespace cadhost::slide;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Bytes bytes(data, data + size);
    auto first = read_slide(bytes, "fuzz.sld");
    if (!first.ok()) return 0;
    auto written = write_slide(first.value());
    if (!written.ok()) return 0;  // a picture the file form cannot hold is refused, not lost
    auto second = read_slide(written.value(), "written.sld");
    if (!second.ok()) fuzz::finding("fuzz_slide", "a written slide does not read back", second.error().what());
    const Slide& a = first.value();
    const Slide& b = second.value();
    if (a.high_x != b.high_x || a.high_y != b.high_y || a.hardware_fill != b.hardware_fill || a.shapes != b.shapes)
        fuzz::finding("fuzz_slide", "a written slide reads back different");
    return 0;
}
