// The function table, and the one way every entry is run.
#include "host/function_table.h"

#include <exception>

#include "apps/app_manager.h"
#include "editor/editor.h"
#include "host/dialogs.h"
#include "host/messages.h"
#include "host/module_state.h"
#include "host/tools.h"
#include "library/distribution.h"
#include "library/registry.h"
#include "linetools/line_tools.h"
#include "menus/menus.h"
#include "picker/uselib.h"

namespace symvault {

namespace {

template <short Code>
int direct() {
    try {
        run_entry(Code);
    } catch (const std::exception& e) {
        // Nothing may escape into the host: say what went wrong.
        ads_printf("\nSYMVAULT : %s\n", e.what());
        ads_retnil();
    }
    return RTNORM;
}

}  // namespace

const FunctionEntry kFunctionTable[kFunctionCount] = {
    {"SV_USELIB", sv_uselib, 0, 0},
    {"SV_EDITLIB", sv_editlib, 1, 1},
    {"SV_SELECTLIB", sv_selectlib, 0, 0},
    {"C:SV_ABOUT", sv_about, 0, 1},
    {"C:SV_LOADLIB", sv_loadlib, 0, 1},
    {"C:SV_SAVELIB", sv_savelib, 1, 1},
    {"C:SV_APP_MANAGER", sv_app_manager, 0, 1},
    {"SV_APP_LIST", sv_app_list, 0, 0},
    {"SV_BREAKLINE", sv_breakline, 0, 1},
    {"SV_FIXLINE", sv_fixline, 0, 1},
    {"C:SV_UPDATE_MENU", sv_update_menu, 0, 1},
    {"SV_TOOLBAR2", sv_toolbar2, 0, 1},
    {"SV_TOOLS_GETFILENAME", sv_tools_getfilename, 0, 0},
    {"SV_TOOLS_SPLITPATH", sv_tools_splitpath, 0, 0},
    {"SV_TOOLS_GETBATCH_FLAG", sv_tools_getbatch_flag, 0, 0},
    {"SV_TOOLS_SETBATCH_FLAG", sv_tools_setbatch_flag, 0, 0},
    {"SV_TOOLS_YESNO_DLG", sv_tools_yesno_dlg, 0, 0},
    {"C:SV_LTMENUOUT", sv_ltmenuout, 1, 1},
};

// The host calls a direct handler with no code; each entry has its own.
const DirectHandler kDirectHandlers[kFunctionCount] = {
    direct<0>,  direct<1>,  direct<2>,  direct<3>,  direct<4>,  direct<5>,  direct<6>,  direct<7>,  direct<8>,
    direct<9>,  direct<10>, direct<11>, direct<12>, direct<13>, direct<14>, direct<15>, direct<16>, direct<17>,
};

void run_entry(short code) {
    error_code() = 0;
    if (code < 0 || code >= kFunctionCount) {
        ads_retnil();
        return;
    }
    const FunctionEntry& e = kFunctionTable[code];
    struct resbuf* args = ads_getargs();
    Reply r = e.handler(args);
    ads_relrb(args);
    if (error_code() != 0) {
        report_error();
        r = Reply::none();
    } else if (e.quiet) {
        r = Reply::none();
    }
    deliver(r);
}

}  // namespace symvault
