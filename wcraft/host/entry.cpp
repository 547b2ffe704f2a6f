// The module's entry point: the host's application messages, registration
// of the function table on every drawing load, and dispatch of calls.
#include "host/entry.h"

#include "host/error_report.h"
#include "host/function_table.h"
#include "host/host_api.h"
#include "host/messages.h"
#include "host/module_state.h"
#include "host/publish.h"
#include "project/project_commands.h"
#include "project/project_io.h"

namespace wcraft {

// A fresh load: everything the module keeps starts over.
void on_init_app() {
    reset_module_state();
    ModuleState& s = wcr();
    s.stage = 0;
    s.first_load = 1;
    s.qrun = 0;
    s.install_dir = kInitialInstallDir;
}

int register_functions() {
    ads_printf("%s", msg::kInitialising);
    int result = RTNORM;
    for (short code = 0; code < kFunctionCount; ++code) {
        const FunctionEntry& e = kFunctionTable[code];
        if (ads_defun(e.name, code) != RTNORM) result = RTERROR;
        if (e.direct && ads_regfunc(e.direct, code) != RTNORM) result = RTERROR;
    }
    if (result == RTNORM) {
        if (wcr().first_load) {
            load_defaults();
            wcr().first_load = 0;
        }
        publish_lisp_vars();
        print_banner();
    }
    ads_printf("\n");
    return result;
}

void dispatch() {
    error_code() = 0;
    int code = ads_getfuncode();
    if (code != RTERROR && code >= 0 && code < kFunctionCount) kFunctionTable[code].handler();
    if (error_code() != 0) report_error();
    ads_retvoid();
}

}  // namespace wcraft

extern "C" {

int acrxEntryPoint(int msg, void* app_id) {
    (void)app_id;
    try {
        switch (msg) {
        case kInitAppMsg: wcraft::on_init_app(); break;
        case kLoadDwgMsg: wcraft::register_functions(); break;
        case kInvkSubrMsg: wcraft::dispatch(); break;
        case kEndMsg:
        case kQuitMsg: wcraft::save_if_changed(); break;
        default: break;
        }
    } catch (...) {
        // Nothing may escape into the host; an allocation failure here
        // leaves the state as it was before the message.
    }
    return kRetOK;
}

int acrxGetApiVersion(void) { return ACRX_API_VERSION; }

// The host loader hands over its function table; this module reaches the
// host through the resolved ads_* symbols instead.
void _SetacrxPtp(void* ptp) { (void)ptp; }
}
