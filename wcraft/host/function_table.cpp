// The sixteen registered functions and commands.
#include "host/function_table.h"

#include "draw/block_commands.h"
#include "draw/entity_lister.h"
#include "draw/wire_command.h"
#include "draw/zone_command.h"
#include "host/command_shell.h"
#include "host/host_api.h"
#include "host/messages.h"
#include "host/setup.h"
#include "postproc/postproc.h"
#include "reports/exports.h"

namespace wcraft {

namespace {

int direct_ppro_interface() { return wcr_pproint(); }

}  // namespace

const FunctionEntry kFunctionTable[kFunctionCount] = {
    {"C:WCRAFT", cmd_wcraft, nullptr},
    {"XWCRAFT", cmd_xwcraft, nullptr},
    {"C:WCRWIRE", wire_command, nullptr},
    {"C:WCRZONE", zone_command, nullptr},
    {"C:WCRLISTENT", list_entity_command, nullptr},
    {"C:WCRRLMARKER", relay_marker_command, nullptr},
    {"C:WCRWLINKU", [] { return wire_link_command(LinkDirection::Up); }, nullptr},
    {"C:WCRWLINKD", [] { return wire_link_command(LinkDirection::Down); }, nullptr},
    {"C:WCRWLINKR", [] { return wire_link_command(LinkDirection::Right); }, nullptr},
    {"C:WCRWLINKL", [] { return wire_link_command(LinkDirection::Left); }, nullptr},
    {"C:WCRVIEWREPORT", cmd_view_report, nullptr},
    {"C:WCRRESETDEMO", cmd_reset_demo, nullptr},
    {"WCRCTRL", wcr_ctrl, nullptr},
    {"WCRNEXTSTAGE", wcr_next_stage, nullptr},
    {"WCRPPROINT", [] { return wcr_pproint() == RTNORM ? 1 : 0; }, direct_ppro_interface},
    {"WCRSETDIR", cmd_setdir, direct_setdir},
};

}  // namespace wcraft
