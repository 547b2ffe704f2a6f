// The six settings dialogs share one runner: fill the tiles from the
// configuration, and on OK read and test every tile in its order (the last
// failure's message stays), storing nothing unless all pass.
#include "dialogs/settings_dialogs.h"

#include <cstdlib>
#include <iterator>
#include <string>

#include "dialogs/dialog_tools.h"
#include "dialogs/messages.h"
#include "host/message_dialogs.h"
#include "host/messages.h"
#include "host/module_state.h"
#include "host/validators.h"

namespace wcraft {

namespace {

struct SettingsDialog {
    const char* dcl_file;
    const char* dialog;
    void (*fill)(ads_hdlg h, const ProjectConfig& c);
    // Reads and tests the tiles; stores them into `c` only when all pass.
    bool (*accept)(ads_hdlg h, ProjectConfig& c);
    void (*bind)(ads_hdlg h);  // actions of the dialog's own tiles, or null
};

const SettingsDialog* g_settings = nullptr;  // the dialog running

void on_accept(ads_callback_packet* p) {
    clear_error(p->dialog);
    if (!g_settings->accept(p->dialog, config())) return;
    config().config_changed = 1;
    ads_done_dialog(p->dialog, DLGOK);
}

int run_settings(const SettingsDialog& s) {
    OpenDialog d;
    if (!open_dialog(s.dcl_file, s.dialog, d)) return 1;
    const SettingsDialog* outer = g_settings;
    g_settings = &s;
    ads_action_tile(d.hdlg, "accept", on_accept);
    ads_action_tile(d.hdlg, "info", wcr_info);
    if (s.bind) s.bind(d.hdlg);
    ads_set_tile(d.hdlg, "p_title", config().p_title.c_str());
    s.fill(d.hdlg, config());
    int status = run_dialog(d);
    g_settings = outer;
    close_dialog(d);
    ads_printf("%s", status == DLGOK ? msg::kDialogOk : msg::kDialogCancel);
    return 1;
}

// A text tile tested in turn: every failure shows its message and focuses
// its tile, so the last failure is the one left on the screen.
struct Checks {
    ads_hdlg h;
    bool ok = true;
    void expect(bool valid, const char* key, const char* text) {
        if (valid) return;
        refuse(h, key, text);
        ok = false;
    }
};

}  // namespace

// Post-processor control flags.
namespace {

struct FlagTile {
    const char* key;
    int ProjectConfig::*flag;
};

const FlagTile kControlFlags[] = {
    {"wire_num", &ProjectConfig::wire_num}, {"sheet_rot", &ProjectConfig::sheet_rot},
    {"wire_lis", &ProjectConfig::wire_lis}, {"wire_sch", &ProjectConfig::wire_sch},
    {"wire_lnk", &ProjectConfig::wire_lnk}, {"part_lis", &ProjectConfig::part_lis},
    {"analysis", &ProjectConfig::analysis}, {"term_num", &ProjectConfig::term_num},
    {"relay_cr", &ProjectConfig::relay_cr}, {"cont_num", &ProjectConfig::cont_num},
    {"cont_blk", &ProjectConfig::cont_blk}, {"comp_num", &ProjectConfig::comp_num},
    {"sheet_no", &ProjectConfig::sheet_no}, {"application_int", &ProjectConfig::application_int},
    {"audit", &ProjectConfig::audit},
};

void fill_flags(ads_hdlg h, const ProjectConfig& c) {
    for (const FlagTile& f : kControlFlags) ads_set_tile(h, f.key, c.*f.flag == 1 ? "1" : "0");
}

bool accept_flags(ads_hdlg h, ProjectConfig& c) {
    for (const FlagTile& f : kControlFlags) c.*f.flag = tile_on(h, f.key) ? 1 : 0;
    return true;
}

const SettingsDialog kControl{"wcraft6.dcl", "control_defn", fill_flags, accept_flags, nullptr};

}  // namespace

// Application interfaces: a function name and an AutoLISP file per interface.
namespace {

struct InterfaceTiles {
    const char *func_key, *file_key;
    FixedText<14> ProjectConfig::*func;
    FixedText<8> ProjectConfig::*file;
};

const InterfaceTiles kInterfaces[] = {
    {"int1x", "int1f", &ProjectConfig::int1x, &ProjectConfig::int1f},
    {"int2x", "int2f", &ProjectConfig::int2x, &ProjectConfig::int2f},
    {"int3x", "int3f", &ProjectConfig::int3x, &ProjectConfig::int3f},
    {"int4x", "int4f", &ProjectConfig::int4x, &ProjectConfig::int4f},
    {"int5x", "int5f", &ProjectConfig::int5x, &ProjectConfig::int5f},
};

void fill_interfaces(ads_hdlg h, const ProjectConfig& c) {
    for (const InterfaceTiles& t : kInterfaces) {
        ads_set_tile(h, t.func_key, (c.*t.func).c_str());
        ads_set_tile(h, t.file_key, (c.*t.file).c_str());
    }
}

// Empty names are allowed: that interface is then not used.
bool accept_interfaces(ads_hdlg h, ProjectConfig& c) {
    Checks check{h};
    FixedText<14> funcs[5];
    FixedText<8> files[5];
    for (int i = 0; i < 5; ++i) {
        const InterfaceTiles& t = kInterfaces[i];
        funcs[i] = tile_text(h, t.func_key, 14);
        files[i] = tile_text(h, t.file_key, 8);
        check.expect(funcs[i].empty() || is_valid_text(funcs[i].c_str()), t.func_key, dlgmsg::kBadInterface[i][0]);
        check.expect(files[i].empty() || is_valid_file(files[i].buf), t.file_key, dlgmsg::kBadInterface[i][1]);
    }
    if (!check.ok) return false;
    for (int i = 0; i < 5; ++i) {
        c.*kInterfaces[i].func = funcs[i].view();
        c.*kInterfaces[i].file = files[i].view();
    }
    return true;
}

const SettingsDialog kApplication{"wcraft7.dcl", "application_defn", fill_interfaces, accept_interfaces, nullptr};

}  // namespace

// Attribute, block and layer names.
namespace {

struct NameTile {
    const char* key;
    FixedText<19> ProjectConfig::*field;
    const char* bad;
};

const NameTile kAttributes[] = {
    {"grid_ref", &ProjectConfig::grid_ref, dlgmsg::kBadGridRef},
    {"title_block", &ProjectConfig::title_block, dlgmsg::kBadTitleBlock},
    {"sheetno", &ProjectConfig::sheetno, dlgmsg::kBadSheetNo},
    {"sheetmax", &ProjectConfig::sheetmax, dlgmsg::kBadSheetMax},
    {"ref", &ProjectConfig::ref, dlgmsg::kBadRef},
    {"bom", &ProjectConfig::bom, dlgmsg::kBadBom},
    {"bomatt", &ProjectConfig::bomatt, dlgmsg::kBadBomAtt},
    {"tag", &ProjectConfig::tag, dlgmsg::kBadTag},
    {"cid", &ProjectConfig::cid, dlgmsg::kBadId},
    {"user", &ProjectConfig::user, dlgmsg::kBadUser},
    {"id", &ProjectConfig::id, dlgmsg::kBadId},
    {"cv", &ProjectConfig::cv, dlgmsg::kBadCv},
    {"zonename", &ProjectConfig::zonename, dlgmsg::kBadZoneAttr},
};
constexpr int kAttributeCount = static_cast<int>(std::size(kAttributes));

void fill_attributes(ads_hdlg h, const ProjectConfig& c) {
    for (const NameTile& t : kAttributes) ads_set_tile(h, t.key, (c.*t.field).c_str());
}

bool accept_attributes(ads_hdlg h, ProjectConfig& c) {
    Checks check{h};
    FixedText<19> names[kAttributeCount];
    for (int i = 0; i < kAttributeCount; ++i) {
        names[i] = tile_text(h, kAttributes[i].key, 19);
        check.expect(is_valid_ident(names[i].c_str()) != 0, kAttributes[i].key, kAttributes[i].bad);
    }
    if (!check.ok) return false;
    for (int i = 0; i < kAttributeCount; ++i) c.*kAttributes[i].field = names[i].view();
    return true;
}

const SettingsDialog kAttribute{"wcraft8.dcl", "attrib_defn", fill_attributes, accept_attributes, nullptr};

}  // namespace

// Relay identifications and the texts around contact references.
namespace {

struct IdTile {
    const char* key;
    FixedText<15> ProjectConfig::*field;
    const char* bad;
};

const IdTile kRelayIds[] = {
    {"coil_id", &ProjectConfig::coil_id, dlgmsg::kBadCoilId}, {"no_id", &ProjectConfig::no_id, dlgmsg::kBadNoId},
    {"nc_id", &ProjectConfig::nc_id, dlgmsg::kBadNcId},       {"co_id", &ProjectConfig::co_id, dlgmsg::kBadCoId},
    {"tm_id", &ProjectConfig::tm_id, dlgmsg::kBadTmId},
};

struct AffixTile {
    const char* key;
    FixedText<4> ProjectConfig::*field;
};

const AffixTile kAffixes[] = {
    {"no_prefix", &ProjectConfig::no_prefix},   {"nc_prefix", &ProjectConfig::nc_prefix},
    {"tm_prefix", &ProjectConfig::tm_prefix},   {"no_postfix", &ProjectConfig::no_postfix},
    {"nc_postfix", &ProjectConfig::nc_postfix}, {"tm_postfix", &ProjectConfig::tm_postfix},
};

void fill_relay_ids(ads_hdlg h, const ProjectConfig& c) {
    for (const IdTile& t : kRelayIds) ads_set_tile(h, t.key, (c.*t.field).c_str());
    for (const AffixTile& t : kAffixes) ads_set_tile(h, t.key, (c.*t.field).c_str());
}

// The edit boxes take 19 characters; an identification longer than its
// 15-character field is refused rather than cut.
bool accept_relay_ids(ads_hdlg h, ProjectConfig& c) {
    Checks check{h};
    std::string ids[std::size(kRelayIds)];
    for (size_t i = 0; i < std::size(kRelayIds); ++i) {
        ids[i] = tile_text(h, kRelayIds[i].key, TILE_STR_LIMIT);
        bool fits = ids[i].size() <= FixedText<15>::capacity;
        check.expect(fits && is_valid_ident(ids[i].c_str()), kRelayIds[i].key, kRelayIds[i].bad);
    }
    if (!check.ok) return false;
    for (size_t i = 0; i < std::size(kRelayIds); ++i) c.*kRelayIds[i].field = ids[i];
    for (const AffixTile& t : kAffixes) c.*t.field = tile_text(h, t.key, FixedText<4>::capacity);
    return true;
}

const SettingsDialog kRelayId{"wcraft9.dcl", "relay_id_defn", fill_relay_ids, accept_relay_ids, nullptr};

}  // namespace

// Global wire-number settings.
namespace {

struct RealTile {
    const char* key;
    double ProjectConfig::*field;
};

const RealTile kGlobalReals[] = {
    {"v_x", &ProjectConfig::v_x}, {"v_y", &ProjectConfig::v_y},       {"h_x", &ProjectConfig::h_x},
    {"h_y", &ProjectConfig::h_y}, {"height", &ProjectConfig::height},
};

const FlagTile kGlobalFlags[] = {
    {"ls", &ProjectConfig::ls},   {"us", &ProjectConfig::us},   {"gs", &ProjectConfig::gs},
    {"wbs", &ProjectConfig::wbs}, {"wbg", &ProjectConfig::wbg}, {"ftg", &ProjectConfig::ftg},
};

constexpr size_t kGlobalRealChars = 6;

void enable_globals(ads_hdlg h, bool on) {
    for (const RealTile& t : kGlobalReals) ads_mode_tile(h, t.key, on ? MODE_ENABLE : MODE_DISABLE);
}

void fill_globals(ads_hdlg h, const ProjectConfig& c) {
    ads_set_tile(h, "en", c.en == 1 ? "1" : "0");
    for (const RealTile& t : kGlobalReals) set_tile_real(h, t.key, c.*t.field);
    for (const FlagTile& f : kGlobalFlags) ads_set_tile(h, f.key, c.*f.flag == 1 ? "1" : "0");
    enable_globals(h, c.en == 1);
}

// Greyed values are stored too: `en` decides only whether they are used.
bool accept_globals(ads_hdlg h, ProjectConfig& c) {
    c.en = tile_on(h, "en") ? 1 : 0;
    for (const RealTile& t : kGlobalReals) c.*t.field = atof(tile_text(h, t.key, kGlobalRealChars).c_str());
    for (const FlagTile& f : kGlobalFlags) c.*f.flag = tile_on(h, f.key) ? 1 : 0;
    return true;
}

void bind_globals(ads_hdlg h) {
    ads_action_tile(h, "en", [](ads_callback_packet* p) {
        clear_error(p->dialog);
        enable_globals(p->dialog, packet_text(p, 1) == "1");
    });
}

const SettingsDialog kGlobalWire{"wcraft12.dcl", "glwire_defn", fill_globals, accept_globals, bind_globals};

}  // namespace

// Zone level names.
namespace {

const char* const kLevelKeys[kZoneLevels] = {"zone0", "zone1", "zone2", "zone3", "zone4",
                                             "zone5", "zone6", "zone7", "zone8", "zone9"};

void fill_levels(ads_hdlg h, const ProjectConfig& c) {
    for (int i = 0; i < kZoneLevels; ++i) ads_set_tile(h, kLevelKeys[i], c.zone_levels[i].c_str());
}

bool accept_levels(ads_hdlg h, ProjectConfig& c) {
    for (int i = 0; i < kZoneLevels; ++i) c.zone_levels[i] = tile_text(h, kLevelKeys[i], FixedText<14>::capacity);
    return true;
}

const SettingsDialog kZoneLevelNames{"wcraft13.dcl", "zone_levels_defn", fill_levels, accept_levels, nullptr};

}  // namespace

int control_dialog() { return run_settings(kControl); }
int application_dialog() { return run_settings(kApplication); }
int attribute_dialog() { return run_settings(kAttribute); }
int relay_id_dialog() { return run_settings(kRelayId); }
int global_wire_dialog() { return run_settings(kGlobalWire); }
int zone_levels_dialog() { return run_settings(kZoneLevelNames); }

}  // namespace wcraft
