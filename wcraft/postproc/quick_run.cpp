// PROCESS QRUN: the five stages over the open drawing alone, as sheet 001,
// inside one undo group and without saving. It shares the run files of
// PROCESS RUN; its script visits no other drawing, so the drawing stays
// open and modified when the run ends.
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

bool write_quick_files(FILE* scr, FILE* log) {
    write_log_title(log, pmsg::kQuickLogTitle, pmsg::kQuickLogRule, config());
    fputs(pmsg::kGenerating, log);
    script_line(scr, pmsg::kScriptLoad);
    script_line(scr, script_sheet_line("000"));
    script_line(scr, pmsg::kScriptStart);
    script_line(scr, script_sheet_line(pmsg::kQuickSheet));
    script_line(scr, pmsg::kScriptDrawing);
    // Ends the undo group once stage 4 has written into the drawing, so
    // that one undo takes back the whole run.
    script_line(scr, pmsg::kScriptUndoEnd);
    script_line(scr, pmsg::kScriptFinish);
    return close_run_files(scr, log);
}

}  // namespace

int single_sheet_processor() {
    ModuleState& s = wcr();
    ads_printf("%s", pmsg::kQuickBanner);
    print_rule(pmsg::kQuickRule);
    s.stage = 0;
    s.qrun = 1;
    ads_command(RTSTR, "_.UNDO", RTSTR, "_BE", 0);
    put_int_sym("wcrqrun", 1);
    put_int_sym("wcrstage", 0);
    publish_lisp_vars();
    wcr_next_stage();
    s.drawing_count = 0;
    error_code() = 0;
    FILE* scr = nullptr;
    FILE* log = nullptr;
    if (!open_run_files(scr, log) || !write_quick_files(scr, log)) {
        // Nothing will end the group the run began: end it here, so that
        // the user's next undo does not take back everything done since.
        ads_command(RTSTR, "_.UNDO", RTSTR, "_E", 0);
        return stop_run();
    }
    s.drawing_count = 1;
    start_script(run_file(pmsg::kScriptExt));
    return 1;
}

}  // namespace wcraft
