// Whole files, copies and directories through the host's file layer.
#include "library/file_ops.h"

#include <cstdio>

#include "host/host_api.h"
#include "host/text.h"

namespace symvault {

bool file_exists(const std::string& path) { return rt_access(path.c_str(), 0) == 0; }

bool dir_exists(const std::string& path) {
    std::string p = path;
    while (!p.empty() && (p.back() == '\\' || p.back() == '/')) p.pop_back();
    struct rt_finddata_t found;
    long h = rt_findfirst(p.c_str(), &found);
    if (h == -1) return false;
    bool dir = (found.attrib & RT_A_SUBDIR) != 0;
    rt_findclose(h);
    return dir;
}

bool replace_file(const std::string& fresh, const std::string& target) {
    // A folder in the file's place is not the file's to move.
    if (dir_exists(target)) return false;
    // The file layer never renames over a file: the old one steps aside.
    std::string aside = target + "~";
    bool had = file_exists(target);
    if (had) {
        rt_remove(aside.c_str());
        if (rt_rename(target.c_str(), aside.c_str()) != 0) return false;
    }
    if (rt_rename(fresh.c_str(), target.c_str()) != 0) {
        if (had) rt_rename(aside.c_str(), target.c_str());
        return false;
    }
    if (had) rt_remove(aside.c_str());
    return true;
}

bool write_whole_file(const std::string& target, const std::string& content) {
    std::string fresh = target + "$";
    FILE* f = rt_fopen(fresh.c_str(), "wb");
    if (!f) return false;
    bool ok = fwrite(content.data(), 1, content.size(), f) == content.size();
    if (fclose(f) != 0) ok = false;
    if (ok) ok = replace_file(fresh, target);
    if (!ok) rt_remove(fresh.c_str());
    return ok;
}

std::string joined_lines(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& l : lines) out += l + "\n";
    return out;
}

CopyResult copy_binary(const std::string& from, const std::string& to, bool (*stop)()) {
    FILE* in = rt_fopen(from.c_str(), "rb");
    if (!in) return COPY_FAILED;
    FILE* out = rt_fopen(to.c_str(), "wb");
    if (!out) return fclose(in), COPY_FAILED;
    CopyResult r = COPY_OK;
    char buf[8192];
    size_t n;
    while (r == COPY_OK && (n = fread(buf, 1, sizeof buf, in)) > 0) {
        if (fwrite(buf, 1, n, out) != n) r = COPY_FAILED;
        else if (stop && stop()) r = COPY_BROKEN;
    }
    if (ferror(in)) r = COPY_FAILED;
    fclose(in);
    if (fclose(out) != 0 && r == COPY_OK) r = COPY_FAILED;
    if (r != COPY_OK) rt_remove(to.c_str());
    return r;
}

std::optional<std::string> read_binary(const std::string& path) {
    FILE* f = rt_fopen(path.c_str(), "rb");
    if (!f) return std::nullopt;
    std::string data;
    char buf[8192];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, f)) > 0) data.append(buf, n);
    bool bad = ferror(f) != 0;
    fclose(f);
    if (bad) return std::nullopt;
    return data;
}

std::optional<std::vector<std::string>> read_raw_lines(const std::string& path) {
    auto text = read_binary(path);
    if (!text) return std::nullopt;
    std::vector<std::string> lines;
    size_t at = 0;
    while (at < text->size()) {
        size_t lf = text->find('\n', at);
        std::string l = text->substr(at, lf == std::string::npos ? std::string::npos : lf - at);
        if (!l.empty() && l.back() == '\r') l.pop_back();
        lines.push_back(l);
        at = lf == std::string::npos ? text->size() : lf + 1;
    }
    return lines;
}

std::optional<std::vector<std::string>> read_clean_lines(const std::string& path) {
    auto lines = read_raw_lines(path);
    if (lines)
        for (std::string& l : *lines) l = trim_trailing_blanks(l);
    return lines;
}

MakeDir make_dir(const std::string& path) {
    if (dir_exists(path)) return DIR_EXISTS;
    std::string p = path;
    while (!p.empty() && (p.back() == '\\' || p.back() == '/')) p.pop_back();
    return rt_mkdir(p.c_str()) == 0 ? DIR_MADE : DIR_FAILED;
}

std::string find_host_file(const std::string& name) {
    char found[512] = {};
    return ads_findfile(name.c_str(), found) == RTNORM ? std::string(found) : std::string();
}

std::vector<std::string> list_files(const std::string& pattern) {
    std::vector<std::string> out;
    struct rt_finddata_t found;
    long h = rt_findfirst(pattern.c_str(), &found);
    if (h == -1) return out;
    do {
        if (!(found.attrib & RT_A_SUBDIR)) out.push_back(found.name);
    } while (rt_findnext(h, &found) == 0);
    rt_findclose(h);
    return out;
}

}  // namespace symvault
