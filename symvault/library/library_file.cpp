// Reading and writing library files through the host's file layer.
#include "library/library_file.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <new>

#include "host/dialogs.h"
#include "host/messages.h"
#include "host/module_state.h"
#include "host/text.h"
#include "library/file_ops.h"
#include "library/library_format.h"

namespace symvault {

LineRead read_library_line(FILE* f, std::string& line) {
    line.clear();
    int c;
    while ((c = getc(f)) != EOF) {
        if (line.size() == kMaxLineChars) {
            ungetc(c, f);
            return LineRead::TOO_LONG;
        }
        line += static_cast<char>(c);
        if (c == '\n') return LineRead::LINE;
    }
    return line.empty() ? LineRead::END : LineRead::LINE;
}

namespace {

// The cleaned lines of the file; a line beyond the bound ends them, with
// `*too_long` set to its number (from 1).
LineSource lines_of(FILE* f, int* too_long) {
    auto number = std::make_shared<int>(0);
    return [f, too_long, number]() -> std::optional<std::string> {
        std::string raw;
        LineRead r = read_library_line(f, raw);
        ++*number;
        if (r == LineRead::TOO_LONG) *too_long = *number;
        if (r != LineRead::LINE) return std::nullopt;
        return clean_line(raw);
    };
}

bool exists(const std::string& path) { return rt_access(path.c_str(), 0) == 0; }

// Copies a text file as text (the previous library into its backup), in
// blocks, so that no line length matters. The copy is made beside the
// target and moved over it once complete, so that a failed copy never
// leaves a backup cut short.
bool copy_text_file(const std::string& from, const std::string& to) {
    FILE* in = rt_fopen(from.c_str(), "r");
    if (!in) return false;
    std::string fresh = to + "$";
    FILE* out = rt_fopen(fresh.c_str(), "w");
    if (!out) return fclose(in), false;
    bool ok = true;
    char buf[8192];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, in)) > 0)
        if (fwrite(buf, 1, n, out) != n) ok = false;
    if (ferror(in) || ferror(out)) ok = false;
    fclose(in);
    if (fclose(out) != 0) ok = false;
    if (ok) ok = replace_file(fresh, to);
    if (!ok) rt_remove(fresh.c_str());
    return ok;
}

// Says which line went beyond the bound and reports error 5031; returns 0.
int line_too_long(int line) {
    ads_printf(msg::kLineTooLong, line, kMaxLineChars);
    error_code() = ERR_LINE_TOO_LONG;
    report_error();
    return 0;
}

int read_opened(FILE* f, const std::string& name, const std::string& path, int location) {
    int too_long = 0;
    auto first = check_first_line(lines_of(f, &too_long)());
    if (too_long) return line_too_long(too_long);
    if (first.kind == FirstLine::INVALID) return alert_dialog(msg::kInvalidFile, path), 0;
    if (first.kind == FirstLine::UNSUPPORTED) return alert_dialog(msg::kBadVersion, first.version_text), 0;
    auto lib = std::make_unique<LibraryRecord>();
    lib->version = first.version;
    lib->location = location;
    lib->name = bounded(name, kLibNameChars);
    ads_printf(msg::kLoading, lib->name.c_str());
    bool described = false;
    int err = parse_library(lines_of(f, &too_long), *lib, &described);
    if (described) ads_printf(msg::kDescription, lib->description.c_str());
    if (too_long) return line_too_long(too_long + 1);
    if (err) {
        error_code() = err;
        report_error();
        return 0;
    }
    ads_printf("%s", msg::kDone);
    sv().libraries.push_back(std::move(lib));
    return 1;
}

// Writes every line; false when any write failed.
bool write_lines(FILE* f, const std::vector<std::string>& lines) {
    bool ok = true;
    for (const std::string& l : lines)
        if (fputs(l.c_str(), f) < 0 || fputc('\n', f) == EOF) ok = false;
    if (fflush(f) != 0) ok = false;
    return ok;
}

}  // namespace

int read_library(const std::string& name, int location, Warn warn) {
    std::string path = library_path(name, location, "SVF");
    FILE* f = rt_fopen(path.c_str(), "r");
    if (!f) {
        if (warn == WARN_IF_MISSING) alert_dialog(msg::kMissingFile, path);
        return 0;
    }
    int ok = 0;
    try {
        ok = read_opened(f, name, path, location);
    } catch (const std::bad_alloc&) {
        out_of_memory(5001);
        report_error();
    }
    fclose(f);
    return ok;
}

int write_library(const LibraryRecord& lib) {
    std::string path = library_path(lib.name, lib.location, "SVF");
    std::string backup = library_path(lib.name, lib.location, "BAK");
    std::string fresh = library_path(lib.name, lib.location, "SV$");
    if (exists(path) && !copy_text_file(path, backup)) {
        error_code() = ERR_BACKUP;
        report_error();
        return 0;
    }
    FILE* f = rt_fopen(fresh.c_str(), "w");
    if (!f) {
        error_code() = ERR_OPEN_WRITE;
        report_error();
        return 0;
    }
    ads_printf(msg::kUpdating, lib.name.c_str());
    bool written = write_lines(f, library_lines(lib));
    if (fclose(f) != 0) written = false;
    int err = !written ? ERR_WRITE : !replace_file(fresh, path) ? ERR_OPEN_WRITE : 0;
    if (err) {
        // The previous file stays as it was; the half-written one goes.
        rt_remove(fresh.c_str());
        error_code() = err;
        report_error();
        return 0;
    }
    ads_printf("%s", msg::kDone);
    return 1;
}

void drop_library(const LibraryRecord* lib) {
    auto& list = sv().libraries;
    list.erase(std::remove_if(list.begin(), list.end(), [&](const auto& p) { return p.get() == lib; }), list.end());
}

}  // namespace symvault
