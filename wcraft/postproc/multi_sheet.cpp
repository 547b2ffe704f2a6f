// PROCESS RUN: checks the project's drawings, empties the report files,
// writes the run-time event log header and the script that visits every
// drawing, and starts the script.
#include <string>

#include "host/error_report.h"
#include "host/host_api.h"
#include "host/module_state.h"
#include "host/publish.h"
#include "postproc/messages.h"
#include "postproc/postproc.h"
#include "postproc/run_files.h"

namespace wcraft {

namespace {

void write_log_header(FILE* log, const ProjectConfig& c) {
    write_log_title(log, pmsg::kLogTitle, pmsg::kLogRule, c);
    fputs(pmsg::kControlHeading, log);
    write_control_lines(c, log);
    fputs(pmsg::kGenerating, log);
}

// The OPEN block of every drawing, the drawing's line in the log; returns
// how many drawings the script visits.
int write_drawings(FILE* scr, FILE* log, const ProjectConfig& c) {
    int count = 0;
    for (const std::string& path : run_drawings(c)) {
        ++count;
        script_line(scr, pmsg::kScriptOpen);
        if (count == 1) script_line(scr, pmsg::kScriptYes);
        script_line(scr, path);
        script_line(scr, pmsg::kScriptLoad);
        script_line(scr, script_sheet_line(sheet_text_of(count)));
        script_line(scr, pmsg::kScriptDrawing);
        fprintf(log, pmsg::kLogDrawing, path.c_str());
    }
    return count;
}

int write_run_files(FILE* scr, FILE* log) {
    const ProjectConfig& c = config();
    write_log_header(log, c);
    script_line(scr, pmsg::kScriptLoad);
    script_line(scr, script_sheet_line("000"));
    script_line(scr, pmsg::kScriptStart);
    int count = write_drawings(scr, log, c);
    if (count == 0) error_code() = ERR_RUN_NO_DRAWINGS;
    fputs(pmsg::kEndOfList, log);
    fprintf(log, pmsg::kToProcess, count);
    script_line(scr, pmsg::kScriptNew);
    script_line(scr, "");
    script_line(scr, pmsg::kScriptLoad);
    script_line(scr, pmsg::kScriptFinish);
    // A script or log that is not whole is an error of its own, stronger
    // than an empty drawing list.
    close_run_files(scr, log);
    return count;
}

}  // namespace

int multi_sheet_processor() {
    ModuleState& s = wcr();
    ads_printf("%s", pmsg::kMultiBanner);
    print_rule(pmsg::kMultiRule);
    s.stage = 0;
    s.qrun = 0;
    put_int_sym("wcrqrun", 0);
    put_int_sym("wcrstage", s.stage);
    wcr_next_stage();
    s.drawing_count = 0;
    error_code() = 0;
    if (project_drawing_check() != 1) {
        error_code() = ERR_RUN_CHECK;
        return stop_run();
    }
    FILE* scr = nullptr;
    FILE* log = nullptr;
    if (!open_run_files(scr, log)) return stop_run();
    int count = write_run_files(scr, log);
    if (error_code() != 0) return stop_run();
    s.drawing_count = static_cast<short>(count);
    start_script(run_file(pmsg::kScriptExt));
    return 1;
}

}  // namespace wcraft
