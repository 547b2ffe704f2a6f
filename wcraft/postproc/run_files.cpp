// Run file names, sheet texts, the drawing walk of a run and the control
// flag lines shared by the log header and the drawing check.
#include "postproc/run_files.h"

#include <cstdlib>

#include "host/command_shell.h"
#include "host/error_report.h"
#include "host/host_api.h"
#include "host/module_state.h"
#include "host/replace_file.h"
#include "host/setup.h"
#include "postproc/messages.h"
#include "postproc/progress.h"

namespace wcraft {

std::string run_file(const char* ext) {
    std::string p = wcr().install_dir.c_str();
    p += pmsg::kProcessDir;
    p += "\\";
    p += config().p_name.c_str();
    p += ".";
    p += ext;
    return p;
}

std::string sheet_text_of(int position) {
    char buf[16];
    snprintf(buf, sizeof buf, "%03d", position);
    return buf;
}

std::vector<std::string> list_files(const std::string& pattern) {
    std::vector<std::string> names;
    rt_finddata_t fd{};
    long h = rt_findfirst(pattern.c_str(), &fd);
    if (h == -1) return names;
    do {
        if (!(fd.attrib & RT_A_SUBDIR)) names.emplace_back(fd.name);
    } while (rt_findnext(h, &fd) == 0);
    rt_findclose(h);
    return names;
}

std::vector<std::string> run_drawings(const ProjectConfig& c) {
    std::vector<std::string> paths;
    std::string dir = std::string(c.p_dir.c_str()) + "\\";
    if (c.f_mode == FM_FILENAME) {
        for (int i = 0; i < kMaxFileNames; ++i) {
            if (is_list_end(c.f_names[i].view())) break;
            paths.push_back(dir + c.f_names[i].c_str());
        }
        return paths;
    }
    const std::string ext = std::string(".") + kDrawingExt;
    for (std::string& name : list_files(dir + "*" + ext)) {
        size_t cut = name.find(ext);  // upper case only: other spellings stay whole
        if (cut != std::string::npos) name.resize(cut);
        paths.push_back(dir + name);
    }
    return paths;
}

void control_flags(const ProjectConfig& c, int (&flags)[15]) {
    const int in_order[15] = {c.wire_num, c.wire_lis, c.wire_sch, c.wire_lnk,  c.comp_num,
                              c.term_num, c.relay_cr, c.cont_num, c.cont_blk,  c.sheet_no,
                              c.sheet_rot, c.part_lis, c.analysis, c.application_int, c.audit};
    for (int i = 0; i < 15; ++i) flags[i] = in_order[i];
}

void write_control_lines(const ProjectConfig& c, FILE* out) {
    int flags[15];
    control_flags(c, flags);
    for (int i = 0; i < 15; ++i) {
        char word[16];
        enabled_text(flags[i], word);
        if (out) fprintf(out, pmsg::kControlLines[i], word);
        else ads_printf(pmsg::kControlLines[i], word);
    }
}

bool open_run_files(FILE*& script, FILE*& log) {
    // Each file is written beside the one it replaces (see replace_file.h).
    for (int i = 0; i < 4; ++i) {
        std::string report = run_file(pmsg::kReportExts[i]);
        FILE* f = open_beside(report);
        if (!f || !put_in_place(f, report)) error_code() = ERR_RUN_WLF + i;
    }
    script = open_beside(run_file(pmsg::kScriptExt));
    if (!script) error_code() = ERR_RUN_SCRIPT;
    log = nullptr;
    if (error_code() == 0) {
        log = open_beside(run_file(pmsg::kLogExt));
        if (!log) error_code() = ERR_RUN_LOG;
    }
    if (error_code() == 0) return true;
    if (script) close_beside(script), drop_beside(run_file(pmsg::kScriptExt));
    if (log) close_beside(log), drop_beside(run_file(pmsg::kLogExt));
    script = log = nullptr;
    return false;
}

void script_line(FILE* script, const std::string& text) {
    fputs(text.c_str(), script);
    fputc('\n', script);
}

std::string script_sheet_line(const std::string& sheet) {
    char buf[64];
    snprintf(buf, sizeof buf, pmsg::kScriptSheet, sheet.c_str());
    return buf;
}

void write_log_title(FILE* log, const char* title, int rule, const ProjectConfig& c) {
    fputs(title, log);
    fprintf(log, "\n%s", std::string(static_cast<size_t>(rule), '=').c_str());
    fprintf(log, pmsg::kLogName, c.p_name.c_str());
    fprintf(log, pmsg::kLogTitleLine, c.p_title.c_str());
    fprintf(log, pmsg::kLogDir, c.p_dir.c_str());
}

bool close_run_files(FILE* script, FILE* log) {
    fputs(pmsg::kScriptComplete, log);
    const std::string script_path = run_file(pmsg::kScriptExt), log_path = run_file(pmsg::kLogExt);
    bool script_ok = close_beside(script);
    bool log_ok = close_beside(log);
    // Neither replaces its old file unless both were written whole, so that
    // a script is never left beside the log of another run for want of disk.
    bool script_placed = script_ok && log_ok && place_beside(script_path);
    bool log_placed = script_placed && place_beside(log_path);
    if (!script_placed) drop_beside(script_path);
    if (!log_placed) drop_beside(log_path);
    if (!script_ok) error_code() = ERR_RUN_SCRIPT;
    else if (!log_ok) error_code() = ERR_RUN_LOG;
    else if (!script_placed) error_code() = ERR_RUN_SCRIPT;
    else if (!log_placed) error_code() = ERR_RUN_LOG;
    return log_placed;
}

void print_rule(int width) { ads_printf("\n%s", std::string(static_cast<size_t>(width), '=').c_str()); }

int stop_run() {
    wcr().stage = 0;
    report_error();
    return 1;
}

int start_script(const std::string& path) {
    request_shell_leave();
    return ads_command(RTSTR, "_.SCRIPT", RTSTR, path.c_str(), 0);
}

std::string host_string_var(const char* name) {
    struct resbuf rb {};
    if (ads_getvar(name, &rb) != RTNORM || rb.restype != RTSTR || !rb.resval.rstring) return "";
    std::string value = rb.resval.rstring;
    free(rb.resval.rstring);
    return value;
}

}  // namespace wcraft
