// Case-insensitive name lookup in folders, remembering their listings.
#include "fs/folder_listings.h"

#include <dirent.h>
#include <sys/stat.h>

#include "fs/pathsplit.h"

namespace cadhost::fs {

namespace {

// A change within this much of a listing could share its timestamp on file
// systems with coarse clocks, so such a listing is not kept.
constexpr long kSettleSeconds = 2;

bool before(const timespec& t, const timespec& limit) {
    return t.tv_sec < limit.tv_sec || (t.tv_sec == limit.tv_sec && t.tv_nsec < limit.tv_nsec);
}

bool exists(const std::string& path) {
    struct stat st;
    return lstat(path.c_str(), &st) == 0;
}

std::string join(const std::string& dir, const std::string& name) { return dir == "/" ? "/" + name : dir + "/" + name; }

}  // namespace

bool FolderListings::Stamp::operator==(const Stamp& o) const {
    return dev == o.dev && ino == o.ino && mtime.tv_sec == o.mtime.tv_sec && mtime.tv_nsec == o.mtime.tv_nsec &&
           ctime.tv_sec == o.ctime.tv_sec && ctime.tv_nsec == o.ctime.tv_nsec;
}

std::optional<FolderListings::Stamp> FolderListings::stamp_of(const std::string& dir) {
    struct stat st;
    if (stat(dir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return std::nullopt;
    return Stamp{st.st_dev, st.st_ino, st.st_mtim, st.st_ctim};
}

FolderListings::Listing FolderListings::list(const std::string& dir, const Stamp& stamp) {
    Listing l;
    l.stamp = stamp;
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    now.tv_sec -= kSettleSeconds;
    l.settled = before(stamp.mtime, now);
    DIR* d = opendir(dir.c_str());
    if (!d) return l;
    while (const dirent* e = readdir(d)) {
        std::string n = e->d_name;
        if (n == "." || n == "..") continue;
        auto [it, added] = l.first.try_emplace(upper_ascii(n), n);
        if (!added && n < it->second) it->second = n;
    }
    closedir(d);
    return l;
}

std::optional<std::string> FolderListings::spelling(const std::string& dir, const std::string& name) {
    if (exists(join(dir, name))) return name;
    // Upper-case letters sort before lower-case ones, so the all upper-case
    // spelling, when present, is the first candidate: no listing is needed.
    std::string upper = upper_ascii(name);
    if (upper != name && exists(join(dir, upper))) return upper;
    auto stamp = stamp_of(dir);
    if (!stamp) return std::nullopt;
    std::lock_guard lock(m_mutex);
    auto it = m_folders.find(dir);
    if (it != m_folders.end() && it->second.settled && it->second.stamp == *stamp) {
        ++m_hits;
    } else {
        ++m_listed;
        Listing fresh = list(dir, *stamp);
        if (it == m_folders.end()) it = m_folders.emplace(dir, std::move(fresh)).first;
        else it->second = std::move(fresh);
    }
    auto found = it->second.first.find(upper);
    if (found == it->second.first.end()) return std::nullopt;
    return found->second;
}

void FolderListings::clear() {
    std::lock_guard lock(m_mutex);
    m_folders.clear();
    m_hits = m_listed = 0;
}

uint64_t FolderListings::hits() const {
    std::lock_guard lock(m_mutex);
    return m_hits;
}

uint64_t FolderListings::listings() const {
    std::lock_guard lock(m_mutex);
    return m_listed;
}

}  // namespace cadhost::fs
