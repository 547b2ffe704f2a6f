// Slide libraries: one file holding many slides behind a directory of names
// and addresses; and names of the form "library(slide)" that reach them.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "slide/slide.h"

namespace cadhost::slide {

struct LibraryEntry {
    std::string name;
    uint32_t address = 0;  // from the start of the file
    uint32_t size = 0;     // up to the next slide or the end of the file
};

class SlideLibrary {
public:
    // Parses the header and directory; every entry must lie inside the file.
    static Result<SlideLibrary> parse(Bytes data, const std::string& file_name = "");
    // The bytes of the named slide: exact match first, else ignoring case.
    Result<Bytes> slide_bytes(const std::string& name) const;
    const std::vector<LibraryEntry>& entries() const { return m_entries; }

private:
    std::vector<LibraryEntry> m_entries;
    Bytes m_data;
    std::string m_file;
};

struct NamedSlide {
    std::string name;
    Bytes data;  // a slide file, byte for byte
};

// Builds a library from slides in the given order. Names must be 1-31
// characters and distinct.
Result<Bytes> write_library(const std::vector<NamedSlide>& slides);

// "lib(member)" names a slide inside a library file, anything else a slide
// file. Files without an extension get ".slb" or ".sld".
struct SlideName {
    std::string file;
    std::string member;  // empty for a slide file
};
Result<SlideName> parse_slide_name(const std::string& name);

// Reads a whole file; the host connects this to its file layer.
using FileReader = std::function<Result<Bytes>(const std::string& path)>;
Result<Slide> load_slide(const std::string& name, const FileReader& read_file);

}  // namespace cadhost::slide
