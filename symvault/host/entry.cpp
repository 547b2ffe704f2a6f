// The entry point: initialisation, registration of the function table on
// every drawing load, dispatch of calls and dropping libraries on unload.
#include "host/entry.h"

#include <exception>

#include "host/function_table.h"
#include "host/host_api.h"
#include "host/messages.h"
#include "host/module_state.h"

namespace symvault {

void initialise() {
    reset_module_state();
    Settings& s = settings();
    s.build_tag = "ARX";
    apply_host(s, host_string_var("PLATFORM"), host_string_var("ACADVER"));
    ads_printf(msg::kVersionAndPlatform, s.version_line.c_str(), s.platform.c_str());
    apply_environment(s, rt_getenv("SV_IDR"), rt_getenv("SV_FRT"), rt_getenv("SV_NETLIB"));
    if (s.dir_option) ads_printf(msg::kDirOption, s.product_dir.c_str());
    if (s.drive_option) ads_printf(msg::kDriveOption, s.drive.c_str());
    if (s.net_option) ads_printf(msg::kNetOption, s.net_dir.c_str());
    ads_printf("%s", msg::kInitialising);
}

int define_functions() {
    for (short code = 0; code < kFunctionCount; ++code) {
        const FunctionEntry& e = kFunctionTable[code];
        if (ads_defun(e.name, code) != RTNORM) return RTERROR;
        if (!e.dispatched && ads_regfunc(kDirectHandlers[code], code) != RTNORM) return RTERROR;
    }
    set_short_var("CMDECHO", 0);
    return RTNORM;
}

void dispatch() {
    ads_retnil();
    error_code() = 0;
    int code = ads_getfuncode();
    if (code == RTERROR || code < 0 || code >= kFunctionCount) return;
    run_entry(static_cast<short>(code));
}

void unload_libraries() {
    for (const auto& lib : sv().libraries) ads_printf(msg::kUnloading, lib->name.c_str());
    sv().libraries.clear();
}

}  // namespace symvault

extern "C" {

int acrxEntryPoint(int msg, void* app_id) {
    (void)app_id;
    try {
        switch (msg) {
        case kInitAppMsg: symvault::initialise(); break;
        case kLoadDwgMsg: symvault::define_functions(); break;
        case kUnloadDwgMsg: symvault::unload_libraries(); break;
        case kInvkSubrMsg: symvault::dispatch(); break;
        default: break;
        }
    } catch (const std::exception& e) {
        // Nothing may escape into the host: say what went wrong.
        ads_printf("\nSYMVAULT : %s\n", e.what());
    }
    return kRetOK;
}

int acrxGetApiVersion(void) { return ACRX_API_VERSION; }

// The loader's runtime start-up hook; this module reaches the host through
// the resolved ads_* symbols instead.
void _SetacrxPtp(void* ptp) { (void)ptp; }
}
