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
