// The runtime file layer's C entry points: argument checks, conversion to
// and from C types, and no exception ever crossing into the application.
#include "rtlib.h"

#include <cerrno>
#include <cstring>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "fs/filelayer.h"
#include "fs/process.h"

using cadhost::fs::file_layer;

namespace {

template <typename F, typename R>
R guard(F&& f, R on_error) noexcept {
    try {
        return f();
    } catch (...) {
        errno = EIO;
        return on_error;
    }
}

// Copies into a buffer of `cap` bytes, always terminated; false when cut.
bool copy_out(char* dst, size_t cap, const std::string& s) {
    if (!dst || cap == 0) return false;
    size_t n = std::min(s.size(), cap - 1);
    std::memcpy(dst, s.data(), n);
    dst[n] = 0;
    return n == s.size();
}

int status_rc(const cadhost::Status& s) { return s ? 0 : -1; }

struct Listing {
    std::vector<cadhost::fs::FindEntry> entries;
    size_t next = 0;
};

std::mutex g_listing_mutex;
std::map<long, Listing> g_listings;
long g_next_listing = 1;

void fill(const cadhost::fs::FindEntry& e, struct rt_finddata_t* d) {
    d->attrib = (e.directory ? RT_A_SUBDIR : 0) | (e.read_only ? RT_A_RDONLY : 0);
    d->time_write = e.mtime;
    d->size = e.size;
    copy_out(d->name, sizeof d->name, e.name);
}

}  // namespace

extern "C" FILE* rt_fopen(const char* path, const char* mode) {
    if (!path || !mode) return errno = EINVAL, nullptr;
    return guard([&]() -> FILE* {
        auto f = file_layer().open(path, mode);
        return f ? *f : nullptr;
    }, static_cast<FILE*>(nullptr));
}

extern "C" int rt_remove(const char* path) {
    if (!path) return errno = EINVAL, -1;
    return guard([&] { return status_rc(file_layer().remove_file(path)); }, -1);
}

extern "C" int rt_rename(const char* from, const char* to) {
    if (!from || !to) return errno = EINVAL, -1;
    return guard([&] { return status_rc(file_layer().rename(from, to)); }, -1);
}

extern "C" int rt_access(const char* path, int mode) {
    if (!path || (mode & ~6) != 0) return errno = EINVAL, -1;
    return guard([&] {
        return status_rc(file_layer().check_access(path, static_cast<cadhost::fs::AccessMode>(mode)));
    }, -1);
}

extern "C" int rt_mkdir(const char* path) {
    if (!path) return errno = EINVAL, -1;
    return guard([&] { return status_rc(file_layer().make_dir(path)); }, -1);
}

extern "C" int rt_rmdir(const char* path) {
    if (!path) return errno = EINVAL, -1;
    return guard([&] { return status_rc(file_layer().remove_dir(path)); }, -1);
}

extern "C" char* rt_getcwd(char* buf, int len) {
    if (!buf || len <= 0) return errno = EINVAL, nullptr;
    return guard([&]() -> char* {
        if (copy_out(buf, static_cast<size_t>(len), file_layer().current_dir())) return buf;
        buf[0] = 0;
        errno = ERANGE;
        return nullptr;
    }, static_cast<char*>(nullptr));
}

extern "C" int rt_chdir(const char* path) {
    if (!path) return errno = EINVAL, -1;
    return guard([&] { return status_rc(file_layer().change_dir(path)); }, -1);
}

extern "C" int rt_getdrive(void) {
    return guard([] { return file_layer().current_drive(); }, 0);
}

extern "C" int rt_chdrive(int drive) {
    return guard([&] { return status_rc(file_layer().set_current_drive(drive)); }, -1);
}

extern "C" long rt_findfirst(const char* pattern, struct rt_finddata_t* data) {
    if (!pattern || !data) return errno = EINVAL, -1L;
    return guard([&]() -> long {
        auto entries = file_layer().find(pattern);
        if (entries.empty()) return errno = ENOENT, -1L;
        fill(entries[0], data);
        std::lock_guard lock(g_listing_mutex);
        long id = g_next_listing++;
        g_listings[id] = Listing{std::move(entries), 1};
        return id;
    }, -1L);
}

extern "C" int rt_findnext(long handle, struct rt_finddata_t* data) {
    if (!data) return errno = EINVAL, -1;
    std::lock_guard lock(g_listing_mutex);
    auto it = g_listings.find(handle);
    if (it == g_listings.end()) return errno = EINVAL, -1;
    if (it->second.next >= it->second.entries.size()) return errno = ENOENT, -1;
    fill(it->second.entries[it->second.next++], data);
    return 0;
}

extern "C" int rt_findclose(long handle) {
    std::lock_guard lock(g_listing_mutex);
    return g_listings.erase(handle) ? 0 : (errno = EINVAL, -1);
}

// A split that fails leaves every part empty, not stale.
extern "C" void rt_splitpath(const char* path, char* drive, char* dir, char* fname, char* ext) {
    bool split = guard([&] {
        auto s = cadhost::fs::split_path(path ? path : "");
        copy_out(drive, RT_MAX_DRIVE, s.drive);
        copy_out(dir, RT_MAX_DIR, s.dir);
        copy_out(fname, RT_MAX_FNAME, s.fname);
        copy_out(ext, RT_MAX_EXT, s.ext);
        return true;
    }, false);
    if (!split)
        for (char* part : {drive, dir, fname, ext})
            if (part) part[0] = 0;
}

extern "C" void rt_makepath(char* path, const char* drive, const char* dir, const char* fname, const char* ext) {
    if (!path) return;
    bool made = guard([&] {
        std::string p = cadhost::fs::make_path(drive ? drive : "", dir ? dir : "", fname ? fname : "", ext ? ext : "");
        copy_out(path, RT_MAX_PATH, p);
        return true;
    }, false);
    if (!made) path[0] = 0;  // a path that cannot be made is empty, not stale
}

extern "C" const char* rt_hostpath(const char* path, char* buf, int len) {
    if (!path || !buf || len <= 0) return errno = EINVAL, nullptr;
    return guard([&]() -> const char* {
        std::string p = file_layer().resolve(path);
        if (p.empty()) return errno = ENOENT, nullptr;
        if (copy_out(buf, static_cast<size_t>(len), p)) return buf;
        buf[0] = 0;
        return errno = ERANGE, nullptr;
    }, static_cast<const char*>(nullptr));
}

extern "C" const char* rt_getenv(const char* name) {
    // The process environment's own storage, as the C runtime returns it.
    if (!name || !*name || std::strchr(name, '=')) return nullptr;
    return std::getenv(name);
}

extern "C" int rt_spawnv(int mode, const char* prog, const char* const* argv) {
    if (!prog || !argv || (mode != RT_P_WAIT && mode != RT_P_NOWAIT)) return errno = EINVAL, -1;
    return guard([&] {
        std::vector<std::string> args;
        for (const char* const* a = argv; *a; ++a) args.emplace_back(*a);
        auto m = mode == RT_P_WAIT ? cadhost::fs::SpawnMode::Wait : cadhost::fs::SpawnMode::NoWait;
        auto r = cadhost::fs::spawn(m, prog, args);
        return r ? *r : -1;
    }, -1);
}

extern "C" int rt_cwait(int* status, int pid, int action) {
    (void)action;
    return guard([&] {
        auto r = cadhost::fs::wait_process(pid);
        if (!r) return -1;
        if (status) *status = *r;
        return pid;
    }, -1);
}

extern "C" int rt_system(const char* command) {
    return guard([&] {
        if (!command) return cadhost::fs::shell_available() ? 1 : 0;
        auto r = cadhost::fs::run_shell(command);
        return r ? *r : -1;
    }, -1);
}
