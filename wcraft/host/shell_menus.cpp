// Keyword tables: order matters, since the first entry an input abbreviates
// is the one that runs.
#include "host/shell_menus.h"

#include <iterator>

#include "dialogs/comp_dialog.h"
#include "dialogs/dialog_tools.h"
#include "dialogs/project_dialog.h"
#include "dialogs/settings_dialogs.h"
#include "dialogs/wire_dialog.h"
#include "dialogs/zone_dialog.h"
#include "draw/block_commands.h"
#include "draw/entity_lister.h"
#include "draw/wire_command.h"
#include "draw/zone_command.h"
#include "host/function_table.h"
#include "host/host_api.h"
#include "host/messages.h"
#include "postproc/batch_utils.h"
#include "postproc/postproc.h"
#include "project/project_commands.h"

namespace wcraft {

namespace {

#define WCR_TABLE(entries) KeywordTable{entries, std::size(entries)}

int list_config(ArgCursor&) {
    print_keyword_list(msg::kConfigList, config_menu().table);
    return 1;
}
int list_draw(ArgCursor&) {
    print_keyword_list(msg::kDrawList, draw_menu().table);
    return 1;
}
int list_process(ArgCursor&) {
    print_keyword_list(msg::kProcessList, process_menu().table);
    return 1;
}
int list_project(ArgCursor&) {
    print_keyword_list(msg::kProjectList, project_menu().table);
    return 1;
}
int leave(ArgCursor&) { return 0; }

const KeywordEntry kConfigEntries[] = {
    {"?", list_config},
    {"APPINTERFACE", [](ArgCursor&) { return run_from_config(application_dialog); }},
    {"ATTRIBUTES", [](ArgCursor&) { return run_from_config(attribute_dialog); }},
    {"COMPONENTS", [](ArgCursor&) { return run_from_config(comp_dialog); }},
    {"CONTROL", [](ArgCursor&) { return run_from_config(control_dialog); }},
    {"EXIT", leave},
    {"PROJECT", [](ArgCursor&) { return project_dialog(); }},
    {"RELAYID", [](ArgCursor&) { return run_from_config(relay_id_dialog); }},
    {"TERMINALS", [](ArgCursor&) { return run_from_config(term_dialog); }},
    {"WIRES", [](ArgCursor&) { return run_from_config(wire_dialog); }},
    {"GLOBALS", [](ArgCursor&) { return run_from_config(global_wire_dialog); }},
    {"ZONES", [](ArgCursor&) { return run_from_config(zone_dialog); }},
    {"ZONELEVELS", [](ArgCursor&) { return run_from_config(zone_levels_dialog); }},
};

const KeywordEntry kDrawEntries[] = {
    {"?", list_draw},
    {"EXIT", leave},
    {"LISTENT", [](ArgCursor&) { return list_entity_command(); }},
    {"RLMARKER", [](ArgCursor&) { return relay_marker_command(); }},
    {"WIRE", [](ArgCursor&) { return wire_command(); }},
    {"WLINKU", [](ArgCursor&) { return wire_link_command(LinkDirection::Up); }},
    {"WLINKD", [](ArgCursor&) { return wire_link_command(LinkDirection::Down); }},
    {"WLINKR", [](ArgCursor&) { return wire_link_command(LinkDirection::Right); }},
    {"WLINKL", [](ArgCursor&) { return wire_link_command(LinkDirection::Left); }},
    {"SHEETNOBLK", [](ArgCursor&) { return sheet_number_block_command(); }},
    {"ZONE", [](ArgCursor&) { return zone_command(); }},
};

const KeywordEntry kProcessEntries[] = {
    {"?", list_process},
    {"BATCHPLOT", [](ArgCursor&) { return batch_plot(); }},
    {"USERSCRIPT", [](ArgCursor&) { return user_script(); }},
    {"CHECK",
     [](ArgCursor&) {
         project_drawing_check();
         return 1;
     }},
    {"EXIT", leave},
    {"RUN",
     [](ArgCursor&) {
         if (save_drawing_check() == 1) multi_sheet_processor();
         return 1;
     }},
    {"QRUN", [](ArgCursor&) { return single_sheet_processor(); }},
};

const KeywordEntry kProjectEntries[] = {
    {"?", list_project},
    {"DISPLAY", [](ArgCursor&) { return project_display(); }},
    {"NEW", [](ArgCursor&) { return project_new(); }},
    {"OPEN", [](ArgCursor&) { return project_open(); }},
    {"SAVE", [](ArgCursor&) { return project_save(); }},
    {"EXIT", leave},
};

int list_main(ArgCursor&) {
    print_keyword_list(msg::kMainList, main_table());
    return 1;
}

int version(ArgCursor&) {
    ads_printf("%s", msg::kVersionBanner);
    return 1;
}

const KeywordEntry kMainEntries[] = {
    {"?", list_main},
    {"CONFIG", [](ArgCursor& a) { return run_sub_menu(config_menu(), a); }},
    {"DRAW", [](ArgCursor& a) { return run_sub_menu(draw_menu(), a); }},
    {"EXIT",
     [](ArgCursor&) {
         ads_printf("%s", msg::kExiting);
         return 0;
     }},
    {"PROCESS", [](ArgCursor& a) { return run_sub_menu(process_menu(), a); }},
    {"PROJECT", [](ArgCursor& a) { return run_sub_menu(project_menu(), a); }},
    {"VERSION", version},
    {"?", list_main},
};

}  // namespace

const KeywordTable& main_table() {
    static const KeywordTable t = WCR_TABLE(kMainEntries);
    return t;
}

const SubMenu& config_menu() {
    static const SubMenu m{msg::kConfigPrompt, msg::kConfigUnknown, WCR_TABLE(kConfigEntries)};
    return m;
}

const SubMenu& draw_menu() {
    static const SubMenu m{msg::kDrawPrompt, msg::kDrawUnknown, WCR_TABLE(kDrawEntries)};
    return m;
}

const SubMenu& process_menu() {
    static const SubMenu m{msg::kProcessPrompt, msg::kProcessUnknown, WCR_TABLE(kProcessEntries)};
    return m;
}

const SubMenu& project_menu() {
    static const SubMenu m{msg::kProjectPrompt, msg::kProjectUnknown, WCR_TABLE(kProjectEntries)};
    return m;
}

}  // namespace wcraft
