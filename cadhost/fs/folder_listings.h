// Which spelling of a name a folder holds when case is ignored, with the
// folders' listings remembered between lookups.
#pragma once

#include <cstdint>
#include <ctime>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>

namespace cadhost::fs {

// Invariant: every answer is the one a fresh lookup would give: the exact
// spelling when the folder holds it, else the first of the entries equal to
// the name but for ASCII case in byte order, else none. A remembered
// listing is used only while the folder's identity and its modification
// and change times are what they were when it was listed, and only when the
// modification time was then far enough in the past that a change in the
// clock tick of the listing would have moved it.
class FolderListings {
public:
    std::optional<std::string> spelling(const std::string& dir, const std::string& name);
    void clear();
    // Lookups answered from a remembered listing and listings made (tests).
    uint64_t hits() const;
    uint64_t listings() const;

private:
    struct Stamp {
        dev_t dev = 0;
        ino_t ino = 0;
        timespec mtime{};
        timespec ctime{};
        bool operator==(const Stamp& o) const;
    };
    struct Listing {
        Stamp stamp;
        bool settled = false;  // the folder's modification time was in the past when it was listed
        std::unordered_map<std::string, std::string> first;  // upper-case name -> first spelling in byte order
    };
    static std::optional<Stamp> stamp_of(const std::string& dir);
    static Listing list(const std::string& dir, const Stamp& stamp);

    mutable std::mutex m_mutex;
    std::unordered_map<std::string, Listing> m_folders;
    uint64_t m_hits = 0;
    uint64_t m_listed = 0;
};

}  // namespace cadhost::fs
