// Path resolution, directory listing and file operations of the runtime
// file layer.
#include "fs/filelayer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "fs/faults.h"
#include "fs/messages.h"
#include "fs/textstream.h"

namespace cadhost::fs {

namespace stdfs = std::filesystem;

namespace {

bool is_sep(char c) { return c == '\\' || c == '/'; }

std::string join(const std::string& dir, const std::string& name) {
    return dir == "/" ? "/" + name : dir + "/" + name;
}

std::string parent_of(const std::string& p) {
    size_t s = p.find_last_of('/');
    return s == 0 || s == std::string::npos ? "/" : p.substr(0, s);
}

std::string strip_trailing_slash(std::string p) {
    while (p.size() > 1 && p.back() == '/') p.pop_back();
    return p;
}

// The entry of `dir` spelled like `name` but for case: the exact spelling
// when it exists, else the first candidate in byte order, else the name.
std::string match_case(FolderListings& listings, const std::string& dir, const std::string& name) {
    return listings.spelling(dir, name).value_or(name);
}

// Walks components from `base`, never above `floor`.
std::string walk(FolderListings& listings, std::string cur, const std::string& floor,
                 const std::vector<std::string>& parts) {
    for (const std::string& c : parts) {
        if (c == ".") continue;
        if (c == "..") {
            if (cur != floor) cur = parent_of(cur);
            continue;
        }
        cur = join(cur, match_case(listings, cur, c));
    }
    return cur;
}

Status fail(const std::string& what, const std::string& path) {
    int e = errno;
    Error err(what + ": " + std::strerror(e), path);
    errno = e;
    return err;
}

Status sys_status(int rc, const char* what, const std::string& path) {
    if (rc == 0) return ok_status();
    return fail(what, path);
}

std::string default_drive_c() {
    std::string base;
    if (const char* x = std::getenv("XDG_DATA_HOME"); x && *x == '/') base = x;
    else if (const char* h = std::getenv("HOME"); h && *h) base = std::string(h) + "/.local/share";
    else base = stdfs::temp_directory_path().string();
    return strip_trailing_slash(base) + "/cadhost/C";
}

}  // namespace

FileLayer::FileLayer() = default;

void FileLayer::map_drive(char letter, const std::string& folder) {
    std::lock_guard lock(m_mutex);
    char l = static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
    m_drives[l] = strip_trailing_slash(folder);
    m_drive_dirs.erase(l);
}

std::optional<std::string> FileLayer::drive_folder(char letter) const {
    std::string r = drive_root(letter);
    if (r.empty()) return std::nullopt;
    return r;
}

std::string FileLayer::drive_root(char letter) const {
    char l = static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
    std::string folder;
    {
        std::lock_guard lock(m_mutex);
        auto it = m_drives.find(l);
        if (it != m_drives.end()) folder = it->second;
    }
    if (folder.empty() && l == 'C') {
        folder = default_drive_c();
        std::error_code ec;
        stdfs::create_directories(folder, ec);
    }
    return folder;
}

std::string FileLayer::resolve(const std::string& path) const {
    if (path.empty()) return "";
    if (path[0] == '/' && path.find('\\') == std::string::npos) return path;
    std::string rest = path;
    char letter;
    bool drive_relative = false;
    if (has_drive(path)) {
        letter = path[0];
        rest = path.substr(2);
        drive_relative = rest.empty() || !is_sep(rest[0]);
    } else if (is_sep(path[0])) {
        letter = static_cast<char>('A' + current_drive() - 1);
    } else {
        std::error_code ec;
        std::string cwd = stdfs::current_path(ec).string();
        return walk(m_listings, cwd.empty() ? "/" : cwd, "/", path_components(rest));
    }
    std::string root = drive_root(letter);
    if (root.empty()) return "";
    std::string base = root;
    if (drive_relative) {
        std::lock_guard lock(m_mutex);
        auto it = m_drive_dirs.find(static_cast<char>(std::toupper(static_cast<unsigned char>(letter))));
        if (it != m_drive_dirs.end() && !it->second.empty()) base = join(root, it->second);
    }
    return walk(m_listings, base, root, path_components(rest));
}

std::string FileLayer::find_file(const std::string& name, const std::vector<std::string>& dirs) const {
    if (name.empty()) return "";
    std::error_code ec;
    if (name.find_first_of("/\\") != std::string::npos || has_drive(name)) {
        std::string p = resolve(name);
        return !p.empty() && stdfs::is_regular_file(p, ec) ? p : "";
    }
    for (const auto& d : dirs) {
        std::string dir = resolve(d.empty() ? "." : d);
        if (dir.empty()) continue;
        std::string p = join(dir, match_case(m_listings, dir, name));
        if (stdfs::is_regular_file(p, ec)) return p;
    }
    return "";
}

std::vector<FindEntry> FileLayer::find(const std::string& pattern) const {
    size_t slash = pattern.find_last_of("/\\");
    std::string dir_part, wild_part = pattern;
    if (slash != std::string::npos) {
        dir_part = pattern.substr(0, slash + 1);
        wild_part = pattern.substr(slash + 1);
    } else if (has_drive(pattern)) {
        dir_part = pattern.substr(0, 2) + ".";
        wild_part = pattern.substr(2);
    }
    std::vector<FindEntry> out;
    if (wild_part.empty()) return out;
    std::string dir = resolve(dir_part.empty() ? "." : dir_part);
    if (dir.empty()) return out;
    std::vector<std::string> names;
    std::error_code ec;
    for (stdfs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec))
        names.push_back(it->path().filename().string());
    if (wild_part == "." || wild_part == "..") names.push_back(wild_part);
    for (const auto& n : names) {
        if (!name_matches(n, wild_part)) continue;
        FindEntry f;
        f.name = n;
        std::string full = join(dir, n);
        struct stat st;
        if (stat(full.c_str(), &st) == 0) {
            f.directory = S_ISDIR(st.st_mode);
            f.size = f.directory ? 0 : st.st_size;
            f.mtime = st.st_mtime;
            f.read_only = access(full.c_str(), W_OK) != 0;
        }
        out.push_back(f);
    }
    std::sort(out.begin(), out.end(), [](const FindEntry& a, const FindEntry& b) {
        std::string ua = upper_ascii(a.name), ub = upper_ascii(b.name);
        return ua != ub ? ua < ub : a.name < b.name;
    });
    return out;
}

Result<FILE*> FileLayer::open(const std::string& path, const std::string& mode) const {
    // Accepted: r w a, then any of + b t, and the Windows commit flags c n.
    std::string base;
    bool binary = false, plus = false;
    for (size_t i = 0; i < mode.size(); ++i) {
        char c = mode[i];
        if (i == 0 && (c == 'r' || c == 'w' || c == 'a')) base = c;
        else if (i > 0 && c == '+') plus = true;
        else if (i > 0 && c == 'b') binary = true;
        else if (i > 0 && (c == 't' || c == 'c' || c == 'n')) continue;
        else return errno = EINVAL, Error(std::string(msg::kBadMode) + mode);
    }
    if (base.empty()) return errno = EINVAL, Error(std::string(msg::kBadMode) + mode);
    std::string host = resolve(path);
    if (host.empty()) return errno = ENOENT, Error(path.empty() ? msg::kEmptyPath : msg::kNoDrive + path);
    FILE* f = std::fopen(host.c_str(), (base + (plus ? "+" : "")).c_str());
    if (!f) return fail("cannot open", host).error();
    if (plus || base != "r") return faulty_stream(f);
    if (binary) return f;
    FILE* text = open_text_reader(f);
    if (!text) {
        std::fclose(f);
        return fail("cannot open", host).error();
    }
    return text;
}

Status FileLayer::make_dir(const std::string& path) const {
    std::string host = resolve(path);
    if (host.empty()) return errno = ENOENT, Error(msg::kNoDrive + path);
    return sys_status(::mkdir(host.c_str(), 0777), "cannot make folder", host);
}

Status FileLayer::remove_dir(const std::string& path) const {
    std::string host = resolve(path);
    if (host.empty()) return errno = ENOENT, Error(msg::kNoDrive + path);
    return sys_status(::rmdir(host.c_str()), "cannot remove folder", host);
}

Status FileLayer::remove_file(const std::string& path) const {
    std::string host = resolve(path);
    if (host.empty()) return errno = ENOENT, Error(msg::kNoDrive + path);
    return sys_status(::unlink(host.c_str()), "cannot remove", host);
}

Status FileLayer::rename(const std::string& from, const std::string& to) const {
    std::string src = resolve(from), dst = resolve(to);
    if (src.empty() || dst.empty()) return errno = ENOENT, Error(msg::kNoDrive + (src.empty() ? from : to));
    if (rename_fails()) return errno = EIO, Error(std::string("cannot rename ") + src);
    if (dst == src) {
        // Same entry by case-insensitive match: a change of spelling only.
        auto parts = path_components(to);
        if (parts.empty()) return errno = EINVAL, Error(msg::kEmptyPath);
        dst = join(parent_of(dst), parts.back());
        if (dst == src) return ok_status();
        return sys_status(::rename(src.c_str(), dst.c_str()), "cannot rename", src);
    }
    // Windows never replaces the target; refuse atomically where the
    // kernel can, else by a check just before.
    if (::renameat2(AT_FDCWD, src.c_str(), AT_FDCWD, dst.c_str(), RENAME_NOREPLACE) == 0) return ok_status();
    if (errno != EINVAL && errno != ENOSYS) return fail("cannot rename", src);
    struct stat st;
    if (lstat(dst.c_str(), &st) == 0) return errno = EEXIST, Error(msg::kExists + dst);
    return sys_status(::rename(src.c_str(), dst.c_str()), "cannot rename", src);
}

Status FileLayer::check_access(const std::string& path, AccessMode mode) const {
    std::string host = resolve(path);
    if (host.empty()) return errno = ENOENT, Error(msg::kNoDrive + path);
    int m = static_cast<int>(mode);
    int how = (m & 2 ? W_OK : 0) | (m & 4 ? R_OK : 0);
    return sys_status(::access(host.c_str(), how ? how : F_OK), "no access", host);
}

bool FileLayer::exists(const std::string& path) const {
    std::string host = resolve(path);
    struct stat st;
    return !host.empty() && ::stat(host.c_str(), &st) == 0;
}

std::optional<char> FileLayer::drive_of_host_path(const std::string& host, std::string* rest) const {
    std::optional<char> best;
    size_t best_len = 0;
    for (char l = 'A'; l <= 'Z'; ++l) {
        std::string root;
        {
            std::lock_guard lock(m_mutex);
            auto it = m_drives.find(l);
            if (it != m_drives.end()) root = it->second;
        }
        if (root.empty() && l == 'C') root = default_drive_c();
        if (root.empty() || root.size() < best_len) continue;
        bool inside = host == root || (host.compare(0, root.size(), root) == 0 && host[root.size()] == '/');
        if (!inside) continue;
        best = l;
        best_len = root.size();
        if (rest) *rest = host.size() > root.size() ? host.substr(root.size() + 1) : "";
    }
    return best;
}

std::string FileLayer::current_dir() const {
    std::error_code ec;
    std::string cwd = stdfs::current_path(ec).string();
    std::string rest;
    auto letter = drive_of_host_path(cwd, &rest);
    if (!letter) return cwd;
    std::replace(rest.begin(), rest.end(), '/', '\\');
    return std::string(1, *letter) + ":\\" + rest;
}

Status FileLayer::change_dir(const std::string& path) {
    std::string host = resolve(path);
    if (host.empty()) return errno = ENOENT, Error(msg::kNoDrive + path);
    if (::chdir(host.c_str()) != 0) return fail("cannot change folder", host);
    std::error_code ec;
    std::string now = stdfs::current_path(ec).string();
    std::string rest;
    if (auto letter = drive_of_host_path(now, &rest)) {
        std::lock_guard lock(m_mutex);
        m_drive_dirs[*letter] = rest;
    }
    return ok_status();
}

int FileLayer::current_drive() const {
    std::lock_guard lock(m_mutex);
    return m_drive;
}

Status FileLayer::set_current_drive(int drive) {
    if (drive < 1 || drive > 26) return errno = EINVAL, Error(msg::kNoDrive + std::to_string(drive));
    char letter = static_cast<char>('A' + drive - 1);
    std::string root = drive_root(letter);
    if (root.empty()) return errno = EACCES, Error(msg::kNoDrive + std::string(1, letter));
    std::string target = root;
    {
        std::lock_guard lock(m_mutex);
        auto it = m_drive_dirs.find(letter);
        if (it != m_drive_dirs.end() && !it->second.empty()) target = join(root, it->second);
    }
    if (::chdir(target.c_str()) != 0 && ::chdir(root.c_str()) != 0) return fail("cannot change folder", root);
    std::lock_guard lock(m_mutex);
    m_drive = drive;
    return ok_status();
}

void FileLayer::reset() {
    std::lock_guard lock(m_mutex);
    m_drives.clear();
    m_drive_dirs.clear();
    m_drive = 3;
    m_listings.clear();
}

FileLayer& file_layer() {
    static FileLayer layer;
    return layer;
}

}  // namespace cadhost::fs
