// Fuzz target for symvault's library file reader: any text is refused at
// its first line or read with an error code or a record; a record that
// reads gives lines that read back to the same lines.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "finding.h"
#include "library/library_format.h"

using namespace symvault;

namespace {

LineSource source_of(const std::vector<std::string>& lines) {
    auto at = std::make_shared<size_t>(0);
    return [&lines, at]() -> std::optional<std::string> {
        if (*at >= lines.size()) return std::nullopt;
        return lines[(*at)++];
    };
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> lines;
    fuzz::split_lines(text, [&](std::string l) { lines.push_back(clean_line(l)); });
    if (lines.empty()) return 0;
    FirstLine first = check_first_line(lines.front());
    if (first.kind != FirstLine::OK) return 0;
    std::vector<std::string> rest(lines.begin() + 1, lines.end());
    LibraryRecord lib;
    lib.version = first.version;
    if (parse_library(source_of(rest), lib) != 0) return 0;

    std::vector<std::string> written = library_lines(lib);
    if (written.empty()) fuzz::finding("fuzz_library", "a library wrote no lines");
    FirstLine again = check_first_line(written.front());
    if (again.kind != FirstLine::OK) fuzz::finding("fuzz_library", "a written first line is refused", written.front());
    std::vector<std::string> written_rest;
    for (size_t i = 1; i < written.size(); ++i) written_rest.push_back(clean_line(written[i]));
    LibraryRecord back;
    back.version = again.version;
    int err = parse_library(source_of(written_rest), back);
    if (err != 0) fuzz::finding("fuzz_library", "a written library does not read back", std::to_string(err));
    if (library_lines(back) != written) fuzz::finding("fuzz_library", "a written library reads back different");
    return 0;
}
