// The runtime file layer: Windows-style paths as applications build them
// ("C:\DIR\FILE.EXT", "c:/dir/file", "DIR\FILE") resolved to host paths,
// and the file operations applications call on them.
//
// Resolution rules:
//  - "X:\..." and "X:/..." start at the folder mapped to drive X. Drive C
//    defaults to the host's per-user folder ($XDG_DATA_HOME/cadhost/C or
//    ~/.local/share/cadhost/C, created when first used); other drives exist
//    only when mapped.
//  - "X:NAME" (no separator after the colon) starts at drive X's current
//    folder, "\NAME" at the root of the current drive.
//  - Other relative names start at the process's working directory.
//  - A name starting with "/" and holding no "\" is a host path and passes
//    unchanged, so the host's own command line takes ordinary paths.
//  - Each existing component is matched without regard to ASCII case:
//    the exact spelling when present, else the first of the candidates in
//    byte order (see FolderListings). Missing components keep the spelling
//    given.
//  - ".." never climbs above a drive's root.
// Operations that fail return an Error and leave errno set to the reason.
#pragma once

#include <cstdint>
#include <cstdio>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "core/result.h"
#include "fs/folder_listings.h"
#include "fs/pathsplit.h"

namespace cadhost::fs {

struct FindEntry {
    std::string name;  // real spelling on disk
    bool directory = false;
    bool read_only = false;
    int64_t size = 0;
    int64_t mtime = 0;  // seconds since the epoch
};

enum class AccessMode { Exists = 0, Write = 2, Read = 4, ReadWrite = 6 };

class FileLayer {
public:
    FileLayer();
    // Maps a drive letter to a host folder.
    void map_drive(char letter, const std::string& folder);
    // The folder of a drive, or nullopt when the drive is not mapped.
    std::optional<std::string> drive_folder(char letter) const;
    // Host path for a path as given; "" when it names an unmapped drive.
    std::string resolve(const std::string& path) const;
    // The first existing file: the name itself when it has a drive or
    // folder, otherwise the name in each folder in turn. "" when none.
    std::string find_file(const std::string& name, const std::vector<std::string>& dirs) const;
    // Entries of a folder matching a wildcard ("*", "?") in the last
    // component, ordered by name without regard to case; "." and ".." are
    // listed only when the pattern asks for them by name.
    std::vector<FindEntry> find(const std::string& pattern) const;

    // Streams. Text mode (no "b") reads CR LF as LF.
    Result<FILE*> open(const std::string& path, const std::string& mode) const;
    Status make_dir(const std::string& path) const;
    Status remove_dir(const std::string& path) const;
    Status remove_file(const std::string& path) const;
    // Renames without replacing an existing target, as Windows does; a
    // change of case only is allowed.
    Status rename(const std::string& from, const std::string& to) const;
    Status check_access(const std::string& path, AccessMode mode) const;
    bool exists(const std::string& path) const;

    // The working directory: "X:\DIR" when inside a mapped drive, else the
    // host path.
    std::string current_dir() const;
    // Changes the process working directory; a path inside a drive also
    // becomes that drive's current folder.
    Status change_dir(const std::string& path);
    // The current drive (1 = A). Selecting a drive makes its current folder
    // the working directory; a drive that is not mapped is refused.
    int current_drive() const;
    Status set_current_drive(int drive);
    // Forgets mappings, drive folders and remembered listings (tests).
    void reset();
    const FolderListings& listings() const { return m_listings; }

private:
    std::string drive_root(char letter) const;
    std::optional<char> drive_of_host_path(const std::string& host, std::string* rest) const;

    mutable std::mutex m_mutex;
    std::map<char, std::string> m_drives;
    std::map<char, std::string> m_drive_dirs;  // current folder per drive, relative to its root
    int m_drive = 3;
    mutable FolderListings m_listings;  // has its own lock
};

// The process-wide file layer.
FileLayer& file_layer();

}  // namespace cadhost::fs
