// Batch plot and user script: both check the open drawing is saved, write a
// script that visits the project's drawings after a NEW, and start it.
#include "postproc/batch_utils.h"

#include <cstring>

#include "host/error_report.h"
#include "host/host_api.h"
#include "host/module_state.h"
#include "host/replace_file.h"
#include "host/setup.h"
#include "postproc/postproc.h"
#include "postproc/run_files.h"

namespace wcraft {

namespace {

constexpr int ERR_BATCH_SCRIPT = 2012;  // the generated script cannot be written
constexpr size_t kFragmentLineChars = 129;
constexpr int kMaskSheets = 998;

// What tells one utility from the other.
struct Utility {
    const char* banner;
    int rule;
    const char* fragment;  // in the install directory
    const char* drawing_call;
    const char* none_found;
    const char* aborted;
    const char* beginning;
    bool plot;             // sets FILEDIA and sends the plot answers
};

const Utility kBatchPlot = {
    "\nWirecraft Post Process Batch plot utility Ver 1.0.",
    60,
    "WCRPLT.WCR",
    "WCRPPLOT\n",
    "\nWarning: No drawing files found to plot!",
    "\nProcess batch plot aborted...",
    "\nBeginning Process Batch Plotting on %d, drawings... ",
    true,
};

const Utility kUserScript = {
    "\nWirecraft Post Process user script utility Ver 1.0.",
    61,
    "USERSCR.SCR",
    "WCRUSERSCR\n",
    "\nWarning: No drawing files found to execute user script!",
    "\nProcess user script aborted...",
    "\nBeginning process user script on %d, drawings... ",
    false,
};

constexpr const char* kCantFind = "\nWarning: Can't find drawing file %s";
constexpr const char* kCheckConfig = "\nCheck project configuration!";

bool drawing_exists(const std::string& path) {
    char where[512];
    return ads_findfile((path + "." + kDrawingExt).c_str(), where) == RTNORM;
}

void walk_file_names(const ProjectConfig& c, const std::string& dir, BatchDrawings& out) {
    for (int i = 0; i < kMaxFileNames && !is_list_end(c.f_names[i].view()); ++i) {
        std::string path = dir + c.f_names[i].c_str();
        if (!drawing_exists(path)) {
            out.missing = path;
            out.failed = true;
            return;
        }
        out.paths.push_back(path);
    }
}

void walk_mask(const ProjectConfig& c, const std::string& dir, BatchDrawings& out) {
    for (int n = 1; n <= kMaskSheets; ++n) {
        std::string path = dir + c.f_mask.c_str() + sheet_text_of(n);
        if (!drawing_exists(path)) break;
        out.paths.push_back(path);
    }
    out.failed = out.paths.empty();
}

void walk_directory(const std::string& dir, BatchDrawings& out) {
    const std::string ext = std::string(".") + kDrawingExt;
    for (std::string& name : list_files(dir + "*" + ext)) {
        size_t cut = name.find(ext);
        if (cut != std::string::npos) name.resize(cut);
        out.paths.push_back(dir + name);
    }
    out.failed = out.paths.empty();
}

// One line without its line end, read whole however long it is, so that a
// long line cannot spill into the next; a Windows line end counts as one.
// False at the end of the file.
bool read_whole_line(FILE* in, std::string& line) {
    line.clear();
    int ch;
    while ((ch = fgetc(in)) != EOF && ch != '\n') line += static_cast<char>(ch);
    if (ch == EOF && line.empty()) return false;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return true;
}

bool release14() { return strncmp(host_string_var("ACADVER").c_str(), "14", 2) == 0; }

void write_plot_answers(FILE* scr) {
    std::string plot_file = std::string(wcr().install_dir.c_str()) + "WCRAFT\n";
    if (release14()) fputs(("PLOT\nE\n2\n" + plot_file + "E\n0\n").c_str(), scr);
    else fputs(("PLOT\nE\nF\n" + plot_file + "N\n").c_str(), scr);
}

void write_script(FILE* scr, const Utility& u, const std::vector<std::string>& paths) {
    fputs("NEW\nY\n\n", scr);
    fputs("CMDDIA\n0\n", scr);
    if (u.plot) fputs("FILEDIA\n0\n", scr);
    std::string fragment = std::string(wcr().install_dir.c_str()) + u.fragment;
    for (const std::string& path : paths) {
        fprintf(scr, "OPEN\n%s\n", path.c_str());
        fputs(u.drawing_call, scr);
        if (!copy_fragment(fragment, scr) && u.plot) write_plot_answers(scr);
    }
    fputs("NEW\n\n", scr);
    fputs("CMDDIA\n1\n", scr);
    if (u.plot) fputs("FILEDIA\n1\n", scr);
}

int run_utility(const Utility& u) {
    if (save_drawing_check() != 1) return 1;
    ads_printf("%s", u.banner);
    print_rule(u.rule);
    error_code() = 0;
    std::string script = run_file("SCR");
    // Written beside the old script, which stays if the new one is not whole.
    FILE* scr = open_beside(script);
    if (!scr) {
        error_code() = ERR_BATCH_SCRIPT;
        return report_error();
    }
    BatchDrawings d = batch_drawings(config());
    write_script(scr, u, d.paths);
    if (!put_in_place(scr, script)) {
        error_code() = ERR_BATCH_SCRIPT;
        return report_error();
    }
    if (d.paths.empty() || d.failed) {
        if (d.paths.empty()) ads_printf("%s", u.none_found);
        else ads_printf(kCantFind, d.missing.c_str());
        ads_printf("%s", kCheckConfig);
        ads_printf("%s", u.aborted);
        return 1;
    }
    ads_printf(u.beginning, static_cast<int>(d.paths.size()));
    start_script(script);
    return 1;
}

}  // namespace

BatchDrawings batch_drawings(const ProjectConfig& c) {
    BatchDrawings out;
    std::string dir = std::string(c.p_dir.c_str()) + "\\";
    switch (c.f_mode) {
        case FM_FILENAME: walk_file_names(c, dir, out); break;
        case FM_MASK: walk_mask(c, dir, out); break;
        default: walk_directory(dir, out); break;
    }
    return out;
}

bool copy_fragment(const std::string& path, FILE* script) {
    FILE* in = rt_fopen(path.c_str(), "r");
    if (!in) return false;
    std::string line;
    while (read_whole_line(in, line)) {
        if (line.size() > kFragmentLineChars) line.resize(kFragmentLineChars);
        if (line != ";") fputs(line.c_str(), script);
        fputc('\n', script);
    }
    fclose(in);
    return true;
}

int batch_plot() { return run_utility(kBatchPlot); }

int user_script() { return run_utility(kUserScript); }

}  // namespace wcraft
