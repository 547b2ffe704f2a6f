// The sixteen registered functions and commands. Those whose work comes
// with later parts of the application are registered and say so.
#include "host/function_table.h"

#include "host/command_shell.h"
#include "host/host_api.h"
#include "host/messages.h"
#include "host/setup.h"
#include "postproc/postproc.h"
#include "reports/exports.h"

namespace wcraft {

int not_built(const char* what) {
    ads_printf(msg::kNotBuilt, what);
    return 1;
}

namespace {

int direct_ppro_interface() { return wcr_pproint(); }

}  // namespace

const FunctionEntry kFunctionTable[kFunctionCount] = {
    {"C:WCRAFT", cmd_wcraft, nullptr},
    {"XWCRAFT", cmd_xwcraft, nullptr},
    {"C:WCRWIRE", [] { return not_built("WCRWIRE"); }, nullptr},
    {"C:WCRZONE", [] { return not_built("WCRZONE"); }, nullptr},
    {"C:WCRLISTENT", [] { return not_built("WCRLISTENT"); }, nullptr},
    {"C:WCRRLMARKER", [] { return not_built("WCRRLMARKER"); }, nullptr},
    {"C:WCRWLINKU", [] { return not_built("WCRWLINKU"); }, nullptr},
    {"C:WCRWLINKD", [] { return not_built("WCRWLINKD"); }, nullptr},
    {"C:WCRWLINKR", [] { return not_built("WCRWLINKR"); }, nullptr},
    {"C:WCRWLINKL", [] { return not_built("WCRWLINKL"); }, nullptr},
    {"C:WCRVIEWREPORT", cmd_view_report, nullptr},
    {"C:WCRRESETDEMO", cmd_reset_demo, nullptr},
    {"WCRCTRL", wcr_ctrl, nullptr},
    {"WCRNEXTSTAGE", wcr_next_stage, nullptr},
    {"WCRPPROINT", [] { return wcr_pproint() == RTNORM ? 1 : 0; }, direct_ppro_interface},
    {"WCRSETDIR", cmd_setdir, direct_setdir},
};

}  // namespace wcraft
