// The application control file: entries read from its lines and written
// as lines, and the manager's list rows. Nothing here calls the host.
#pragma once

#include <string>
#include <vector>

#include "library/library_format.h"

namespace symvault {

inline constexpr size_t kAppNameChars = 140;
inline constexpr size_t kAppDescChars = 64;

enum AppType { APP_ADS = 1, APP_ARX = 2, APP_LSP = 3 };

struct ApplicationEntry {
    std::string name;         // kAppNameChars: path of the application file
    std::string description;  // kAppDescChars
    int type = APP_LSP;
    int enabled = 1;
    int debug = 0;
};

struct AppFile {
    bool valid = false;  // the first line is the control file's own
    std::vector<ApplicationEntry> entries;
};

// Reads the lines after the caller has cleaned them (line end and trailing
// blanks removed). An empty source or a wrong first line is not valid.
AppFile parse_app_file(const LineSource& next);
std::vector<std::string> app_file_lines(const std::vector<ApplicationEntry>& entries);
// "[LSP + n ]", a tab and the description.
std::string app_row(const ApplicationEntry& e);

}  // namespace symvault
