// Windows path splitting and joining, and file-name wildcards.
#include "fs/pathsplit.h"

#include <cctype>

namespace cadhost::fs {

namespace {

bool is_sep(char c) { return c == '\\' || c == '/'; }

char fold(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }

// "*" and "?" over bytes; the walk returns to the last star on a mismatch,
// which is exact because every other element takes one character.
bool wild(const std::string& n, const std::string& p) {
    size_t ni = 0, pi = 0, star = std::string::npos, mark = 0;
    while (ni < n.size()) {
        if (pi < p.size() && p[pi] == '*') {
            star = ++pi;
            mark = ni;
            continue;
        }
        if (pi < p.size() && (p[pi] == '?' || fold(p[pi]) == fold(n[ni]))) {
            ++pi, ++ni;
            continue;
        }
        if (star == std::string::npos) return false;
        pi = star;
        ni = ++mark;
    }
    while (pi < p.size() && p[pi] == '*') ++pi;
    return pi == p.size();
}

}  // namespace

std::string upper_ascii(std::string s) {
    for (auto& c : s) c = fold(c);
    return s;
}

bool has_drive(const std::string& path) {
    return path.size() >= 2 && path[1] == ':' && std::isalpha(static_cast<unsigned char>(path[0]));
}

std::vector<std::string> path_components(const std::string& path) {
    std::vector<std::string> out;
    std::string cur;
    for (char c : path) {
        if (!is_sep(c)) {
            cur += c;
            continue;
        }
        if (!cur.empty()) out.push_back(cur);
        cur.clear();
    }
    if (!cur.empty()) out.push_back(cur);
    return out;
}

bool name_matches(const std::string& name, const std::string& pattern) {
    bool dotless = name.find('.') == std::string::npos;
    if (pattern.size() >= 2 && pattern.compare(pattern.size() - 2, 2, ".*") == 0 && dotless &&
        wild(name, pattern.substr(0, pattern.size() - 2)))
        return true;
    if (!pattern.empty() && pattern.back() == '.' && pattern.find_first_of("*?") != std::string::npos)
        return dotless && wild(name, pattern.substr(0, pattern.size() - 1));
    return wild(name, pattern);
}

SplitPath split_path(const std::string& path) {
    SplitPath s;
    std::string rest = path;
    if (rest.size() >= 2 && rest[1] == ':') {
        s.drive = rest.substr(0, 2);
        rest.erase(0, 2);
    }
    size_t sep = rest.find_last_of("/\\");
    if (sep != std::string::npos) {
        s.dir = rest.substr(0, sep + 1);
        rest.erase(0, sep + 1);
    }
    size_t dot = rest.find_last_of('.');
    if (dot != std::string::npos) {
        s.ext = rest.substr(dot);
        rest.erase(dot);
    }
    s.fname = rest;
    return s;
}

std::string make_path(const std::string& drive, const std::string& dir, const std::string& fname,
                      const std::string& ext) {
    std::string out;
    if (!drive.empty()) {
        out += drive[0];
        out += ':';
    }
    out += dir;
    if (!dir.empty() && !is_sep(dir.back())) out += '\\';
    out += fname;
    if (!ext.empty() && ext[0] != '.') out += '.';
    out += ext;
    return out;
}

}  // namespace cadhost::fs
