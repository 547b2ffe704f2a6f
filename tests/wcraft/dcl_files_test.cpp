// The application's dialog files, read by the host's dialog engine: they
// parse, hold the dialogs the module opens, and every tile key it uses.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "dcl/engine.h"

using namespace cadhost;

namespace {

Result<std::string> read_support(const std::string& name) {
    std::string dir = name == dcl::kBaseFile ? "/support/dcl/" : "/support/wcraft/";
    std::ifstream f(std::string(CH_SOURCE_DIR) + dir + name);
    if (!f) return Error{"no such file " + name};
    std::stringstream ss;
    ss << f.rdbuf();
    return ss.str();
}

void expect_keys(const char* file, const char* dialog, const std::vector<const char*>& keys) {
    dcl::DialogEngine engine;
    engine.set_dcl_resolver(read_support);
    auto id = engine.load_dialog(file);
    ASSERT_TRUE(id.ok()) << id.error().what();
    auto d = engine.new_dialog(dialog, *id, nullptr);
    ASSERT_TRUE(d.ok()) << d.error().what();
    for (const char* k : keys) EXPECT_NE((*d)->find(k), nullptr) << dialog << " lacks " << k;
    EXPECT_FALSE(engine.new_dialog("no_such_dialog", *id, nullptr).ok());
}

}  // namespace

TEST(DialogFiles, ProjectDialogHasEveryTile) {
    expect_keys("wcraft.dcl", "project_main",
                {"p_name", "p_dir", "p_title", "m_but", "f_but", "d_but", "f_mask", "f_names", "f_edit", "add", "del",
                 "mod", "ins", "info", "accept", "cancel", "errormsg"});
}

TEST(DialogFiles, EditLimitsMatchTheFields) {
    dcl::DialogEngine engine;
    engine.set_dcl_resolver(read_support);
    auto id = engine.load_dialog("wcraft.dcl");
    ASSERT_TRUE(id.ok()) << id.error().what();
    auto d = engine.new_dialog("project_main", *id, nullptr);
    ASSERT_TRUE(d.ok());
    struct Limit {
        const char* key;
        const char* limit;
    } limits[] = {{"p_name", "8"}, {"p_dir", "60"}, {"p_title", "58"}, {"f_mask", "8"}, {"f_edit", "8"}};
    for (const Limit& l : limits) {
        auto v = (*d)->get_attr(l.key, "edit_limit");
        ASSERT_TRUE(v.ok()) << l.key;
        EXPECT_EQ(*v, l.limit) << l.key;
    }
}

TEST(DialogFiles, MessageDialogsHaveTheirTiles) {
    expect_keys("wcraftYN.dcl", "wcr_yesno", {"msg1", "msg2", "msg3", "yes", "no", "cancel"});
    expect_keys("wcraftI.dcl", "wcr_info", {"wcr_info", "wcr_version", "accept"});
}

TEST(DialogFiles, ConfigurationDialogsHaveEveryTile) {
    const std::vector<const char*> common = {"info", "accept", "cancel", "errormsg"};
    auto with_common = [&](std::vector<const char*> keys) {
        keys.insert(keys.end(), common.begin(), common.end());
        return keys;
    };
    expect_keys("wcraft2.dcl", "wire_defn",
                with_common({"w_name", "l_name", "colnum", "colour", "size", "signal", "nodepts", "init", "incr",
                             "pp_val", "pref", "post", "none", "t_height", "x_off", "y_off", "default", "prev", "next",
                             "pick", "add", "del"}));
    expect_keys("wcraft3.dcl", "zone_defn",
                with_common({"z_names", "z_edit", "l_name", "colnum", "add", "del", "mod", "setcolour", "next", "prev",
                             "c_level", "p_level", "p_zone", "p_title"}));
    expect_keys("wcraft4.dcl", "comp_defn",
                with_common({"c_names", "c_edit", "pref", "post", "none", "pp_val", "cont_wire", "init", "incr", "add",
                             "del", "mod"}));
    expect_keys("wcraft5.dcl", "term_defn",
                with_common({"t_names", "t_edit", "pref", "post", "none", "pp_val", "cont_wire", "init", "incr", "add",
                             "del", "mod"}));
    expect_keys("wcraft6.dcl", "control_defn",
                with_common({"p_title", "wire_num", "sheet_rot", "wire_lis", "wire_sch", "wire_lnk", "part_lis",
                             "analysis", "term_num", "relay_cr", "cont_num", "cont_blk", "comp_num", "sheet_no",
                             "application_int", "audit"}));
    expect_keys("wcraft7.dcl", "application_defn",
                with_common({"p_title", "int1x", "int1f", "int2x", "int2f", "int3x", "int3f", "int4x", "int4f", "int5x",
                             "int5f"}));
    expect_keys("wcraft8.dcl", "attrib_defn",
                with_common({"p_title", "grid_ref", "title_block", "sheetno", "sheetmax", "ref", "bom", "bomatt", "tag",
                             "cid", "user", "id", "cv", "zonename"}));
    expect_keys("wcraft9.dcl", "relay_id_defn",
                with_common({"p_title", "coil_id", "no_id", "nc_id", "co_id", "tm_id", "no_prefix", "nc_prefix",
                             "tm_prefix", "no_postfix", "nc_postfix", "tm_postfix"}));
    expect_keys("wcraft10.dcl", "wire_sel_defn",
                with_common({"p_title", "wire_names", "l_name", "colour", "size", "signal", "config"}));
    expect_keys("wcraft11.dcl", "zone_sel_defn", with_common({"p_title", "z_names", "c_level", "z_edit", "colnum", "config"}));
    expect_keys("wcraft12.dcl", "glwire_defn",
                with_common({"p_title", "en", "v_x", "v_y", "h_x", "h_y", "height", "ls", "us", "gs", "wbs", "wbg",
                             "ftg"}));
    expect_keys("wcraft13.dcl", "zone_levels_defn",
                with_common({"p_title", "zone0", "zone1", "zone2", "zone3", "zone4", "zone5", "zone6", "zone7", "zone8",
                             "zone9"}));
}

// Edit limits the dialogs rely on: a tile that took more than its field
// holds would have its text cut when read.
TEST(DialogFiles, ConfigurationEditLimitsMatchTheFields) {
    struct Limit {
        const char *file, *dialog, *key, *limit;
    } limits[] = {
        {"wcraft2.dcl", "wire_defn", "w_name", "20"},    {"wcraft2.dcl", "wire_defn", "l_name", "32"},
        {"wcraft2.dcl", "wire_defn", "pp_val", "5"},     {"wcraft2.dcl", "wire_defn", "t_height", "7"},
        {"wcraft3.dcl", "zone_defn", "z_edit", "20"},    {"wcraft4.dcl", "comp_defn", "pp_val", "4"},
        {"wcraft5.dcl", "term_defn", "t_edit", "20"},    {"wcraft7.dcl", "application_defn", "int3x", "14"},
        {"wcraft7.dcl", "application_defn", "int3f", "8"}, {"wcraft8.dcl", "attrib_defn", "zonename", "19"},
        {"wcraft9.dcl", "relay_id_defn", "tm_postfix", "4"}, {"wcraft12.dcl", "glwire_defn", "height", "6"},
        {"wcraft13.dcl", "zone_levels_defn", "zone9", "14"},
    };
    for (const Limit& l : limits) {
        dcl::DialogEngine engine;
        engine.set_dcl_resolver(read_support);
        auto id = engine.load_dialog(l.file);
        ASSERT_TRUE(id.ok()) << id.error().what();
        auto d = engine.new_dialog(l.dialog, *id, nullptr);
        ASSERT_TRUE(d.ok()) << l.dialog;
        auto v = (*d)->get_attr(l.key, "edit_limit");
        ASSERT_TRUE(v.ok()) << l.dialog << " " << l.key;
        EXPECT_EQ(*v, l.limit) << l.dialog << " " << l.key;
    }
}
