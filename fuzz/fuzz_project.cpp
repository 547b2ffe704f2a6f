// Fuzz target for wcraft's project file reader: any bytes read or fail
// with a project file error code; a file that reads writes the current
// layout, which reads again, and writing that gives the same text.
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include "finding.h"
#include "project/project_config.h"
#include "project/project_format.h"

using namespace wcraft;

namespace {

int read_bytes(const std::string& bytes, ProjectConfig& c) {
    // fmemopen refuses an empty buffer; an empty file is a file without lines.
    std::string buf = bytes.empty() ? std::string(1, '\0') : bytes;
    FILE* f = fmemopen(buf.data(), bytes.size() ? bytes.size() : 0, "r");
    if (!f) f = tmpfile();
    int r = read_project(f, c, [](const std::string&) {});
    fclose(f);
    return r;
}

std::string write_text(const ProjectConfig& c) {
    char* data = nullptr;
    size_t size = 0;
    FILE* f = open_memstream(&data, &size);
    if (!write_project(f, c)) fuzz::finding("fuzz_project", "writing to memory failed");
    fclose(f);
    std::string out(data, size);
    free(data);
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string bytes(reinterpret_cast<const char*>(data), size);
    auto first = std::make_unique<ProjectConfig>();
    fill_defaults(*first);
    if (read_bytes(bytes, *first) != 0) return 0;
    std::string written = write_text(*first);
    auto second = std::make_unique<ProjectConfig>();
    fill_defaults(*second);
    int again = read_bytes(written, *second);
    if (again != 0) fuzz::finding("fuzz_project", "a written project file does not read back", written);
    if (write_text(*second) != written)
        fuzz::finding("fuzz_project", "a written project file reads back different", written);
    return 0;
}
