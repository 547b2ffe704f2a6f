// The slide library builder.
#include "menus/slide_builder.h"

#include <cstdio>

#include "host/dialogs.h"
#include "host/module_state.h"
#include "library/file_ops.h"
#include "library/paths.h"
#include "menus/slide_pack.h"

namespace symvault {

namespace {

int fail(int code) {
    error_code() = code;
    report_error();
    return SLB_FAILED;
}

std::string counted(const char* format, int n) {
    char buf[96];
    snprintf(buf, sizeof buf, format, n);
    return buf;
}

}  // namespace

int build_slide_library(const LibraryRecord* lib) {
    if (!lib) return alert_dialog("Invalid library!", ""), SLB_FAILED;
    std::string dir = library_dir(lib->name, lib->location);
    std::string target = dir + lib->name + ".SLB";
    if (file_exists(target) && yesno_dialog("Slide library already exists", "", "Proceed?") != ANSWER_YES)
        return SLB_DECLINED;
    int symbols = 0, found = 0;
    auto has_slide = [&](const std::string& name) { return file_exists(dir + name + ".SLD"); };
    std::vector<std::string> names = slide_names(*lib, has_slide, &symbols, &found);
    std::vector<std::string> slides;
    for (const std::string& n : names) {
        auto bytes = read_binary(dir + n + ".SLD");
        if (!bytes) return alert_dialog("Error, opening slide file", dir + n + ".SLD"), fail(5052);
        slides.push_back(std::move(*bytes));
    }
    if (yesno_dialog(counted("Library contains %d symbols,", symbols),
                     counted("%d slide image files found...", found),
                     "Proceed and create slide library?") != ANSWER_YES)
        return fail(5062);
    std::vector<uint32_t> sizes;
    for (const std::string& s : slides) sizes.push_back(static_cast<uint32_t>(s.size()));
    std::vector<uint8_t> head = slide_library_head(names, sizes);
    std::string content(head.begin(), head.end());
    for (const std::string& s : slides) content += s;
    // Written beside the old one, so that a failure keeps the previous file.
    if (!write_whole_file(target, content)) return alert_dialog("Error, opening slide file", target), fail(5061);
    return SLB_BUILT;
}

}  // namespace symvault
