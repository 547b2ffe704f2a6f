// Platform recognition, the version line and the environment options.
#include "host/settings.h"

#include <cstdlib>

#include "host/messages.h"
#include "host/text.h"

namespace symvault {

namespace {

const PlatformRow kPlatforms[] = {
    {"UNKNOWN OPERATING SYSTEM", 0, 0, 0},    {"386 DOS EXTENDER", 0, 0, 0},
    {"MICROSOFT WINDOWS NT", 1, 1, 1},        {"MICROSOFT WINDOWS VERSION 3", 1, 0, 0},
    {"MICROSOFT WINDOWS VERSION 4", 1, 1, 1}, {"MICROSOFT WINDOWS", 1, 0, 0},
};

}  // namespace

const PlatformRow& recognise_platform(const std::string& platform) {
    std::string up = upper(platform);
    for (const PlatformRow& row : kPlatforms)
        if (up.rfind(row.name, 0) == 0) return row;
    return kPlatforms[0];
}

void apply_host(Settings& s, const std::string& platform, const std::string& acadver) {
    const PlatformRow& row = recognise_platform(platform);
    s.platform = row.name;
    s.windows = row.windows;
    s.long_names = row.long_names;
    s.direct_start = row.direct_start;
    std::string two = acadver.substr(0, 2);
    s.host_version = std::atoi(two.c_str());
    s.version_line = std::string(msg::kVersionStart) + msg::kVersionNumber + "(" + s.build_tag + " " + two +
                     (s.windows ? ".W" : ".D") + (s.long_names ? ".L" : ".S") + ")";
    s.max_name_length = s.long_names ? 16 : 8;
}

void apply_environment(Settings& s, const char* idr, const char* frt, const char* netlib) {
    if (idr) {
        s.dir_option = 1;
        s.product_dir = bounded(idr, kDirChars);
    }
    if (frt) {
        s.drive_option = 1;
        s.drive = bounded(frt[0] == '\\' ? frt + 1 : frt, kDriveChars);
    }
    if (netlib) {
        s.net_option = 1;
        s.net_dir = bounded(netlib, kDirChars);
        if (s.net_dir.empty() || s.net_dir.back() != '\\') s.net_dir += '\\';
    }
}

std::string support_dir(const Settings& s) { return s.drive + "\\" + s.product_dir + "\\"; }

}  // namespace symvault
