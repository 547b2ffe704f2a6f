// Completion candidates for the terminal's Tab key.
#include "cmd/completion.h"

#include <algorithm>
#include <filesystem>
#include <map>

#include "lisp/interpreter.h"

namespace cadhost::cmd {

namespace {

bool starts_with_nocase(const std::string& text, const std::string& prefix) {
    return prefix.size() <= text.size() && host::to_upper(text.substr(0, prefix.size())) == host::to_upper(prefix);
}

}  // namespace

std::vector<CommandEntry> known_commands(CommandLine& cl) {
    std::map<std::string, std::string> all;
    host::Session& s = cl.session();
    for (const auto& [name, def] : s.apps().functions()) {
        if (name.rfind("C:", 0) != 0) continue;
        host::LoadedApp* app = s.apps().by_id(def.app_id);
        all.emplace(name.substr(2), app ? app->name : "an application");
    }
    if (lisp::Interpreter* l = s.lisp())
        for (const std::string& name : l->command_names()) all.emplace(name.substr(2), "AutoLISP");
    // Host commands last, so that their entries win over a same-named one:
    // dispatch runs the host's command first.
    for (const std::string& name : cl.names()) all[name] = "";
    std::vector<CommandEntry> out;
    for (auto& [name, source] : all) out.push_back({name, source});
    return out;
}

std::vector<std::string> complete_command(CommandLine& cl, const std::string& word) {
    size_t skip = 0;
    while (skip < word.size() && (word[skip] == '_' || word[skip] == '.' || word[skip] == '\'')) ++skip;
    std::string prefix = word.substr(0, skip), stem = word.substr(skip);
    std::vector<std::string> out;
    for (const CommandEntry& c : known_commands(cl))
        if (starts_with_nocase(c.name, stem)) out.push_back(prefix + c.name);
    return out;
}

std::vector<std::string> complete_file(const host::Session& s, const std::string& word) {
    size_t sep = word.find_last_of("/\\");
    std::string folder = sep == std::string::npos ? "" : word.substr(0, sep + 1);
    if (folder.empty() && word.size() >= 2 && word[1] == ':') folder = word.substr(0, 2);  // "C:name"
    std::string stem = word.substr(folder.size());
    bool windows = folder.find_first_of("\\:") != std::string::npos;
    std::string host_folder = folder.empty() ? "." : s.host_path(folder.size() == 2 && folder[1] == ':' ? folder + "\\" : folder);
    std::vector<std::string> out;
    std::error_code ec;
    for (const auto& e : std::filesystem::directory_iterator(host_folder, ec)) {
        std::string name = e.path().filename().string();
        if (!starts_with_nocase(name, stem)) continue;
        std::error_code dir_ec;
        bool dir = e.is_directory(dir_ec);
        out.push_back(folder + name + (dir ? (windows ? "\\" : "/") : ""));
    }
    std::sort(out.begin(), out.end());
    return out;
}

}  // namespace cadhost::cmd
