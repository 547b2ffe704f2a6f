// The help call. The host has no help viewer: it names the file and topic
// on the command line, and says so when the help file is not there.
#include <filesystem>

#include "ads.h"
#include "guard.h"

using cadhost::ads::guarded;
using cadhost::host::Session;

extern "C" int ads_help(const char* file, const char* topic, int command) {
    return guarded([&](Session& s) {
        if (!file) return RTERROR;
        std::string f = file;
        std::string path = s.host_path(f);
        if (!std::filesystem::exists(path)) path = s.find_file(f);
        if (path.empty()) {
            s.print("\nHelp file " + f + " not found.\n");
            return RTERROR;
        }
        std::string t = topic && *topic ? topic : "contents";
        s.print("\nHelp: topic \"" + t + "\" of " + f + (command == HELP_CONTENTS ? " (contents)" : "") + "\n");
        return RTNORM;
    }, RTERROR);
}
