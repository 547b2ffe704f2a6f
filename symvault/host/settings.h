// Installation settings read from the environment, the platform the host
// runs on and the version line built from both. Nothing here calls the host.
#pragma once

#include <string>

namespace symvault {

inline constexpr size_t kDriveChars = 20;
inline constexpr size_t kDirChars = 120;

struct PlatformRow {
    const char* name;  // upper case; a platform matches when it begins with this
    int windows;
    int long_names;
    int direct_start;  // an editor program is started as a process of its own
};

struct Settings {
    std::string build_tag = "ARX";
    std::string drive = "C:";          // up to kDriveChars
    std::string product_dir = "SYMVAULT";  // up to kDirChars
    std::string net_dir;               // up to kDirChars, ends with "\" when set
    int drive_option = 0, dir_option = 0, net_option = 0;
    std::string platform = "UNKNOWN OPERATING SYSTEM";
    int windows = 0, long_names = 0, direct_start = 0;
    int host_version = 0;      // 13 or 14, from ACADVER
    int max_name_length = 8;   // 16 with long names
    std::string version_line;
};

// The row of the platform table for a PLATFORM value (any case); the first
// row when nothing matches.
const PlatformRow& recognise_platform(const std::string& platform);

// Takes the platform row, host version and name length from PLATFORM and
// ACADVER and builds the version line.
void apply_host(Settings& s, const std::string& platform, const std::string& acadver);

// The three environment options; a null value means the variable is absent.
void apply_environment(Settings& s, const char* idr, const char* frt, const char* netlib);

// The support directory: drive, "\", product directory, "\".
std::string support_dir(const Settings& s);

}  // namespace symvault
