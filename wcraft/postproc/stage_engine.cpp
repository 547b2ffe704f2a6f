// WCRCTRL and WCRNEXTSTAGE: the application side of the run's stage
// protocol. Each WCRCTRL call appends to the run-time event log and runs
// the operations of the current stage under the project's control flags.
#include <cstdlib>
#include <cstring>

#include "extract/extract.h"
#include "extract/store.h"
#include "host/error_report.h"
#include "host/host_api.h"
#include "host/module_state.h"
#include "host/publish.h"
#include "numbering/component_numbering.h"
#include "numbering/relay_correlation.h"
#include "numbering/wire_numbering.h"
#include "postproc/messages.h"
#include "postproc/postproc.h"
#include "postproc/run_files.h"
#include "reports/exports.h"
#include "reports/wire_listing.h"
#include "update/attribute_writeback.h"
#include "update/wire_writeback.h"

namespace wcraft {

namespace {

// Runs one operation of a stage; an error it leaves is reported at once
// (which clears it) so that the next operation starts clean.
template <typename Op>
void step(Op op) {
    op();
    if (error_code() != 0) report_error();
}


// The sheet text from wcrshtn, or "000" with a log line saying why not.
void read_sheet(FILE* log) {
    ModuleState& s = wcr();
    s.sheet_text = "000";
    if (s.stage == 2 || s.stage == 4) {
        struct resbuf* rb = nullptr;
        if (ads_getsym("wcrshtn", &rb) != RTNORM || !rb) fputs(pmsg::kShtnUnreadable, log);
        else if (rb->restype != RTSTR || !rb->resval.rstring) fputs(pmsg::kShtnType, log);
        else if (strlen(rb->resval.rstring) != 3) fputs(pmsg::kShtnLength, log);
        else s.sheet_text = rb->resval.rstring;
        if (rb) ads_relrb(rb);
    }
    s.sheet_no = static_cast<short>(atoi(s.sheet_text.c_str()));
}

// 1 with the option when wcroptn holds a short integer.
int read_option(short& option) {
    struct resbuf* rb = nullptr;
    int ok = ads_getsym("wcroptn", &rb) == RTNORM && rb && rb->restype == RTSHORT;
    if (ok) option = rb->resval.rint;
    if (rb) ads_relrb(rb);
    return ok;
}

void stage_initialise(FILE* log) {
    ModuleState& s = wcr();
    fputs(pmsg::kStage1, log);
    store().reset();
    if (s.dblog) fclose(s.dblog);  // left open by a run that never reached stage 5
    s.dblog = rt_fopen(pmsg::kDebugFile, "w");
}

void stage_extract(FILE* log) {
    const ProjectConfig& c = config();
    fprintf(log, pmsg::kStage2, wcr().sheet_text.c_str());
    if (wcr().sheet_no == 1) step([log] { extract_grid_refs(log); });
    if (c.wire_num) step([log] { extract_wires(log); });
    if (c.wire_lis || c.part_lis || c.analysis || c.term_num || c.relay_cr || c.comp_num) {
        step([log] { extract_zones(log); });
        step([log] { extract_components(log); });
        if (c.cont_blk) step([log] { extract_relay_marks(log); });
    }
}

void stage_calculate(FILE* log) {
    const ProjectConfig& c = config();
    ads_printf("%s", pmsg::kStage3Command);
    fputs(pmsg::kStage3, log);
    if (c.wire_num) step([log] { number_wires(log); });
    if (c.comp_num) step([log] { number_components(log); });
    if (c.term_num) step([log] { number_terminals(log); });
    if (c.relay_cr) {
        step([log] { correlate_relays(log); });
        step([log] { write_relay_listing(log); });
    }
    if (c.wire_lis) step([log] { write_wire_listing(log); });
}

void save_step(FILE* log) {
    struct resbuf rb {};
    if (ads_getvar("DBMOD", &rb) != RTNORM) {
        error_code() = ERR_RUN_DBMOD_READ;
    } else if (rb.restype != RTSHORT) {
        error_code() = ERR_RUN_DBMOD_TYPE;
    } else if (rb.resval.rint == 0) {
        fputs(pmsg::kNotModified, log);
    } else if (ads_command(RTSTR, "_.QSAVE", 0) == RTNORM) {
        fputs(pmsg::kSaved, log);
    } else {
        error_code() = ERR_RUN_QSAVE;
        fputs(pmsg::kNotSaved, log);
    }
}

void stage_modify(FILE* log) {
    const ProjectConfig& c = config();
    fprintf(log, pmsg::kStage4, wcr().sheet_text.c_str());
    if (c.sheet_no) step([log] { update_title_blocks(log); });
    if (c.wire_num) step([log] { write_wire_numbers(log); });
    if (c.comp_num) step([log] { update_component_refs(log); });
    if (c.term_num) step([log] { update_terminal_refs(log); });
    if (c.relay_cr) {
        step([log] { update_coil_refs(log); });
        step([log] { update_contact_refs(log); });
    }
    if (c.wire_lnk) step([log] { update_wirelink_refs(log); });
    if (wcr().qrun == 0) step([log] { save_step(log); });
}

void stage_finish(FILE* log) {
    const ProjectConfig& c = config();
    ModuleState& s = wcr();
    fputs(pmsg::kStage5, log);
    if (c.part_lis) step([log] { write_parts_listing(log); });
    // The analysis file is written on a thread of its own while the audit
    // goes into the log. Both only read the store, and the audit neither
    // talks to the host nor fails, so the log, the file and the command
    // line come out as when the one is written after the other.
    AnalysisFileWriter analysis;
    if (c.analysis) step([&] { analysis.start(log); });
    fputs(pmsg::kLogEnd, log);
    if (c.audit) step([log] { write_audit(log); });
    if (c.analysis) step([&] { analysis.finish(); });
    store().reset();  // frees every record
    if (s.dblog) fclose(s.dblog);
    s.dblog = nullptr;
}

struct StageEntry {
    short option;
    short stage;     // the stage the option needs
    int wrong_stage;  // error code when the stage differs
    void (*run)(FILE* log);
};

const StageEntry kStages[] = {
    {1000, 1, ERR_RUN_STAGE1, stage_initialise},   {2000, 2, ERR_RUN_STAGE1 + 1, stage_extract},
    {3000, 3, ERR_RUN_STAGE1 + 2, stage_calculate}, {4000, 4, ERR_RUN_STAGE1 + 3, stage_modify},
    {5000, 5, ERR_RUN_STAGE1 + 4, stage_finish},
};

void run_option(short option, FILE* log) {
    for (const StageEntry& e : kStages) {
        if (e.option != option) continue;
        if (wcr().stage != e.stage) error_code() = e.wrong_stage;
        else e.run(log);
        return;
    }
    error_code() = ERR_RUN_BAD_OPTION;
}

}  // namespace

int wcr_ctrl() {
    error_code() = 0;
    short option = 0;
    if (!read_option(option)) {
        error_code() = ERR_RUN_OPTION;
        return 0;
    }
    FILE* log = rt_fopen(run_file(pmsg::kLogExt).c_str(), "a");
    if (!log) {
        error_code() = ERR_RUN_LOG_APPEND;
        return 0;
    }
    read_sheet(log);
    run_option(option, log);
    // Lines that never reached the log are a failure, not a quiet gap: the
    // stage's own error (if any) is reported first, then this one stands.
    bool written = ferror(log) == 0;
    if (fclose(log) != 0) written = false;
    if (!written) {
        if (error_code() != 0) report_error();
        error_code() = ERR_RUN_LOG_APPEND;
    }
    return error_code() == 0;
}

int wcr_next_stage() {
    ModuleState& s = wcr();
    s.stage = static_cast<short>(s.stage + 1);
    if (s.stage == 6) s.stage = 0;
    if (put_int_sym("wcrstage", s.stage) != RTNORM) error_code() = ERR_RUN_STAGE_BUILD;
    return 1;
}

}  // namespace wcraft
