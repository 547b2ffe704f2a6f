// The application control file's lines.
#include "apps/app_file.h"

#include "host/text.h"

namespace symvault {

namespace {

// Applies one line inside an entry; false when the entry ends here.
bool apply_key(ApplicationEntry& e, const std::string& line) {
    std::string u = upper(line);
    if (u.compare(0, 11, "**APP_NAME=") == 0) e.name = bounded(line.substr(11), kAppNameChars);
    else if (u.compare(0, 11, "**APP_DESC=") == 0) e.description = bounded(line.substr(11), kAppDescChars);
    else if (u == "**APP_TYPE_ADS") e.type = APP_ADS;
    else if (u == "**APP_TYPE_ARX") e.type = APP_ARX;
    else if (u == "**APP_TYPE_LSP") e.type = APP_LSP;
    else if (u == "**APP_ENABLED" || u == "**APP_ENABLE") e.enabled = 1;
    else if (u == "**APP_DISABLED") e.enabled = 0;
    else if (u == "**APP_DEBUG_ON") e.debug = 1;
    else if (u == "**APP_DEBUG_OFF") e.debug = 0;
    else if (u == "***END_APPLICATION") return false;
    return true;
}

}  // namespace

AppFile parse_app_file(const LineSource& next) {
    AppFile f;
    auto first = next();
    if (!first || upper(*first) != "***APPLICATION_CONTROL V1.0") return f;
    f.valid = true;
    bool open = false;
    while (auto line = next()) {
        std::string u = upper(*line);
        if (u == "***END_OF_FILE") break;
        if (!open) {
            if (u == "***BEGIN_APPLICATION") {
                f.entries.emplace_back();
                open = true;
            }
            continue;
        }
        // A begin line inside an open entry is one more unknown line.
        if (!apply_key(f.entries.back(), *line)) open = false;
    }
    return f;
}

std::vector<std::string> app_file_lines(const std::vector<ApplicationEntry>& entries) {
    static const char* kTypes[] = {"**APP_TYPE_ADS", "**APP_TYPE_ARX", "**APP_TYPE_LSP"};
    std::vector<std::string> out{"***APPLICATION_CONTROL V1.0"};
    for (const ApplicationEntry& e : entries) {
        out.push_back("***BEGIN_APPLICATION");
        out.push_back("**APP_NAME=" + e.name);
        out.push_back("**APP_DESC=" + e.description);
        out.push_back(kTypes[e.type >= APP_ADS && e.type <= APP_LSP ? e.type - 1 : APP_LSP - 1]);
        out.push_back(e.enabled ? "**APP_ENABLED" : "**APP_DISABLED");
        out.push_back(e.debug ? "**APP_DEBUG_ON" : "**APP_DEBUG_OFF");
        out.push_back("***END_APPLICATION");
    }
    out.push_back("***END_OF_FILE");
    return out;
}

std::string app_row(const ApplicationEntry& e) {
    const char* type = e.type == APP_ADS ? "ADS " : e.type == APP_ARX ? "ARX " : e.type == APP_LSP ? "LSP " : "??? ";
    return std::string("[") + type + (e.enabled ? "+ " : "- ") + (e.debug ? "d " : "n ") + "]\t" + e.description;
}

}  // namespace symvault
