// File dialog logic: defaults, extensions, replace and existence checks;
// an unusable answer is reported and asked for again.
#include "dcl/filedialog.h"

#include <algorithm>
#include <cctype>
#include <sstream>
#include <vector>

#include "dcl/messages.h"

namespace cadhost::dcl {

namespace {

constexpr int kMaxAttempts = 100;  // a driver that keeps giving bad names is cancelled

std::string lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

std::vector<std::string> extensions(const std::string& ext) {
    std::vector<std::string> out;
    std::istringstream in(ext);
    for (std::string e; std::getline(in, e, ';');) {
        while (!e.empty() && (e.front() == '.' || e.front() == '*' || e.front() == ' ')) e.erase(e.begin());
        if (!e.empty()) out.push_back(lower(e));
    }
    return out;
}

// The extension of the last path component, without the dot; empty if none.
std::string extension_of(const std::string& path) {
    size_t sep = path.find_last_of("/\\");
    size_t dot = path.rfind('.');
    if (dot == std::string::npos || (sep != std::string::npos && dot < sep)) return "";
    return lower(path.substr(dot + 1));
}

bool is_absolute(const std::string& p) {
    return !p.empty() && (p[0] == '/' || p[0] == '\\' || (p.size() > 1 && p[1] == ':'));
}

bool is_separator(char c) { return c == '/' || c == '\\'; }

// The folder the dialog shows: the default when it names a folder, else the
// default's own folder; "" when the default has none.
std::string dialog_folder(const FiledRequest& r, const std::string& shown_default) {
    if (shown_default.empty()) return "";
    if (is_separator(shown_default.back())) return shown_default;
    if (r.flags & kFiledDefaultIsDir) return shown_default + (shown_default.find('\\') != std::string::npos ? "\\" : "/");
    size_t sep = shown_default.find_last_of("/\\");
    return sep == std::string::npos ? "" : shown_default.substr(0, sep + 1);
}

bool has_wildcard(const std::string& s) { return s.find_first_of("*?") != std::string::npos; }

// Lists the folder's files that match, one a line after a heading.
void list_files(const FiledRequest& r, const std::string& folder, std::string pattern, Driver& to,
                const FileChecks& checks) {
    auto exts = extensions(r.ext);
    if (pattern.empty() || pattern == "?") pattern = exts.empty() ? "*" : "*." + exts[0];
    std::vector<std::string> names = checks.list(folder, pattern);
    std::string where = folder.empty() ? "the current folder" : folder;
    if (names.empty()) {
        to.message(text(Msg::NoFilesMatch, pattern + " in " + where));
        return;
    }
    std::string shown = text(Msg::FilesMatching, pattern + " in " + where);
    for (const std::string& n : names) shown += "\n  " + n;
    to.message(shown);
}

struct Verdict {
    std::optional<std::string> path;  // accepted
    std::string message;              // why it was not
};

Verdict check(const FiledRequest& r, std::string answer, const std::string& shown_default, Driver& asker,
              const FileChecks& checks) {
    if (answer.empty()) answer = shown_default;
    if (r.flags & kFiledArbitrary) return {answer, ""};
    if (answer.empty()) return {std::nullopt, text(Msg::EmptyFileName)};
    // A bare name is in the dialog's folder.
    std::string folder = dialog_folder(r, shown_default);
    if (!is_absolute(answer) && answer != shown_default && answer.find_first_of("/\\") == std::string::npos)
        answer = folder + answer;
    auto exts = extensions(r.ext);
    std::string have = extension_of(answer);
    if (!exts.empty() && have.empty()) answer += "." + exts[0];
    else if (!exts.empty() && !(r.flags & kFiledAnyExt) && std::find(exts.begin(), exts.end(), have) == exts.end())
        return {std::nullopt, text(Msg::WrongExtension, "." + exts[0])};
    bool exists = checks.exists && checks.exists(answer);
    if (r.flags & kFiledNew) {
        if (exists && !(r.flags & kFiledNoReplaceWarning) &&
            !asker.confirm(answer + " " + text(Msg::ReplaceQuestion)))
            return {std::nullopt, ""};
    } else if (checks.exists && !exists) {
        return {std::nullopt, text(Msg::FileMissing, answer)};
    }
    return {answer, ""};
}

// The command-line form: one line a question.
class PromptDriver : public Driver {
public:
    explicit PromptDriver(InputSource* in) : m_in(in) {}
    void run(Dialog&) override {}
    std::optional<std::string> ask_file(const FiledRequest& r, const std::string& shown_default) override {
        std::string prompt = r.title.empty() ? "Enter file name" : r.title;
        if (!shown_default.empty()) prompt += " <" + shown_default + ">";
        return m_in ? m_in->read_line(prompt + ": ") : std::nullopt;
    }
    bool confirm(const std::string& question) override {
        auto a = m_in ? m_in->read_line(question + ": ") : std::nullopt;
        return a && !a->empty() && (a->front() == 'y' || a->front() == 'Y');
    }
    void message(const std::string&) override {}

private:
    InputSource* m_in;
};

}  // namespace

Result<std::optional<std::string>> run_file_dialog(const FiledRequest& r, FiledMode mode, Driver& dialog,
                                                   InputSource* prompt_input, const FileChecks& checks) {
    std::string shown_default = r.default_name;
    if ((r.flags & kFiledSearchDefault) && checks.find && !shown_default.empty())
        if (auto found = checks.find(shown_default)) shown_default = *found;
    PromptDriver prompt(prompt_input);
    for (int attempt = 0; attempt < kMaxAttempts; ++attempt) {
        Driver& asker = mode == FiledMode::Prompt ? static_cast<Driver&>(prompt) : dialog;
        auto answer = asker.ask_file(r, shown_default);
        if (!answer) return std::optional<std::string>{};
        if (mode == FiledMode::Prompt && *answer == "~") {
            mode = FiledMode::Dialog;
            continue;
        }
        // A wildcard, "?", or Enter with no file to take lists the folder's files.
        std::string folder = dialog_folder(r, shown_default);
        bool no_default = shown_default.empty() || shown_default == folder;
        if (checks.list && !(r.flags & kFiledArbitrary) &&
            (has_wildcard(*answer) || (answer->empty() && no_default))) {
            std::string pattern = *answer;
            size_t sep = pattern.find_last_of("/\\");
            if (sep != std::string::npos) {
                std::string in = pattern.substr(0, sep + 1);
                folder = is_absolute(in) ? in : folder + in;
                pattern.erase(0, sep + 1);
            }
            list_files(r, folder, pattern, dialog, checks);
            continue;
        }
        Verdict v = check(r, *answer, shown_default, asker, checks);
        if (v.path) return v.path;
        if (!v.message.empty()) dialog.message(v.message);
    }
    return std::optional<std::string>{};
}

}  // namespace cadhost::dcl
