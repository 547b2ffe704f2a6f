// The component and terminal definition dialogs and the six settings
// dialogs driven as a user would, on the stand-in host.
#include "config_dialog_fixture.h"

namespace wcraft::test {

namespace {

// Types a definition into the edit area of the component dialog.
void enter_component(FakeDialog& d, const char* name, const char* init, const char* incr) {
    d.type("c_edit", name);
    d.type("init", init);
    d.type("incr", incr);
}

}  // namespace

class ComponentDialog : public ConfigDialogTest {};

TEST_F(ComponentDialog, AddAcceptsIncrementZeroAndRepeatedNames) {
    std::string out = config_dialog("COMPONENTS", {[](FakeDialog& d) {
        EXPECT_EQ(d.lists["c_names"].size(), 4u);
        enter_component(d, "relay", "10", "0");
        d.type("post", "1");
        d.type("pp_val", "K");
        d.type("cont_wire", "1");
        d.press("add");
        EXPECT_EQ(d.error(), "");
        EXPECT_EQ(d.lists["c_names"].back(), "RELAY");
        EXPECT_EQ(d.tiles["c_names"], "4") << "the new definition is current";
        EXPECT_EQ(d.tiles["c_edit"], "");
        enter_component(d, "lamp", "1", "1");
        d.press("add");
        EXPECT_EQ(d.lists["c_names"].size(), 6u);
        d.ok();
    }});
    EXPECT_TRUE(has(out, "\nOK!"));
    const CompDefn& r = config().comp_defs[4];
    EXPECT_EQ(r.name.view(), "RELAY");
    EXPECT_EQ(r.init, 10);
    EXPECT_EQ(r.incr, 0);
    EXPECT_EQ(r.pp_mode, PP_POSTFIX);
    EXPECT_EQ(r.pp_val.view(), "K");
    EXPECT_EQ(r.cont_wire, 1);
    EXPECT_EQ(config().comp_defs[5].name.view(), "LAMP");
    EXPECT_EQ(config().comp_defs[3].name.view(), "LAMP");
    EXPECT_EQ(config().comp_defs[6].name.view(), kListEnd);
    EXPECT_EQ(config().config_changed, 1);
}

TEST_F(ComponentDialog, TestsInOrderAndRefusesWithoutSelection) {
    config_dialog("COMPONENTS", {[](FakeDialog& d) {
        struct Case {
            const char *name, *init, *incr, *message;
        } cases[] = {{"PH-1", "1", "1", "Invalid component name!"},
                     {"", "1", "1", "Invalid component name!"},
                     {"SIXTEEN CHARS 16", "1", "1", "Invalid component name!"},
                     {"FUSE", "x", "1", "Invalid inital value!"},
                     {"FUSE", "1", "-1", "Invalid increment value!"}};
        for (const Case& c : cases) {
            enter_component(d, c.name, c.init, c.incr);
            d.press("add");
            EXPECT_EQ(d.error(), c.message) << c.name;
        }
        EXPECT_EQ(d.lists["c_names"].size(), 4u);
        d.press("del");
        EXPECT_EQ(d.error(), "Select component name to delete first!");
        d.press("mod");
        EXPECT_EQ(d.error(), "Select component to modify first!");
        enter_component(d, "FIFTEEN CHARS15", "1", "1");
        d.press("add");
        EXPECT_EQ(d.error(), "") << "15 characters fit the field";
        d.cancel();
    }});
    EXPECT_EQ(comp_count(config().comp_defs, kMaxCompDefs), 4) << "cancel keeps the list";
}

TEST_F(ComponentDialog, ModifyStoresTheNameAsTypedAndNoneKeepsTheAffix) {
    config_dialog("COMPONENTS", {[](FakeDialog& d) {
        d.select("c_names", 0);
        EXPECT_EQ(d.tiles["c_edit"], "PUSH BUTTON");
        EXPECT_EQ(d.tiles["pp_val"], "PB");
        EXPECT_EQ(d.tiles["pref"], "1");
        d.type("c_edit", "Push Btn");
        d.type("none", "1");
        EXPECT_TRUE(disabled(d, "pp_val"));
        d.press("mod");
        EXPECT_EQ(d.lists["c_names"][0], "Push Btn");
        d.ok();
    }});
    const CompDefn& c = config().comp_defs[0];
    EXPECT_EQ(c.name.view(), "Push Btn");
    EXPECT_EQ(c.pp_mode, PP_NONE);
    EXPECT_EQ(c.pp_val.view(), "PB");
}

TEST_F(ComponentDialog, DeleteMovesTheRestUpAndKeepsTheLineSelected) {
    config_dialog("COMPONENTS", {[](FakeDialog& d) {
        d.select("c_names", 1);
        d.press("del");
        EXPECT_EQ(d.lists["c_names"], (std::vector<std::string>{"PUSH BUTTON", "NO SWITCH", "LAMP"}));
        EXPECT_EQ(d.tiles["c_names"], "1");
        EXPECT_EQ(d.tiles["c_edit"], "NO SWITCH") << "the edit area follows the selected line";
        d.select("c_names", 2);
        d.press("del");
        EXPECT_EQ(d.tiles["c_names"], "1") << "deleting the last line selects the one before";
        d.ok();
    }});
    EXPECT_EQ(comp_count(config().comp_defs, kMaxCompDefs), 2);
    EXPECT_EQ(config().comp_defs[1].name.view(), "NO SWITCH");
    EXPECT_EQ(config().comp_defs[1].pp_val.view(), "NO");
}

class TerminalDialog : public ConfigDialogTest {};

TEST_F(TerminalDialog, EditsTheTerminalListWithItsOwnMessages) {
    CompDefn* t = config().term_defs;
    for (int i = 4; i < 98; ++i) t[i].name = "TB" + std::to_string(i);
    t[98].name = kListEnd;
    config_dialog("TERMINALS", {[](FakeDialog& d) {
        d.press("del");
        EXPECT_EQ(d.error(), "Select terminal name to delete first!");
        d.press("mod");
        EXPECT_EQ(d.error(), "Select terminal to modify first!");
        d.type("t_edit", "X.1");
        d.press("add");
        EXPECT_EQ(d.error(), "Invalid terminal name!");
        d.type("t_edit", "last");
        d.press("add");
        EXPECT_EQ(d.error(), "");
        d.type("t_edit", "over");
        d.press("add");
        EXPECT_EQ(d.error(), "Maximum terminal defs defined!");
        d.ok();
    }});
    EXPECT_EQ(t[98].name.view(), "LAST");
    EXPECT_EQ(t[99].name.view(), kListEnd);
    EXPECT_EQ(config().comp_defs[4].name.view(), kListEnd) << "the component list is not touched";
}

class SettingsDialogs : public ConfigDialogTest {};

TEST_F(SettingsDialogs, ControlFlagsAreStoredFromTheirToggles) {
    config_dialog("CONTROL", {[](FakeDialog& d) {
        EXPECT_EQ(d.tiles["wire_num"], "1");
        EXPECT_EQ(d.tiles["audit"], "0");
        EXPECT_EQ(d.tiles["p_title"], "No title");
        d.tiles["wire_num"] = "0";
        d.tiles["audit"] = "1";
        d.tiles["application_int"] = "1";
        d.ok();
    }});
    EXPECT_EQ(config().wire_num, 0);
    EXPECT_EQ(config().audit, 1);
    EXPECT_EQ(config().application_int, 1);
    EXPECT_EQ(config().relay_cr, 1);
    EXPECT_EQ(config().config_changed, 1);
}

TEST_F(SettingsDialogs, InterfaceWithAFunctionNameOnlyIsAccepted) {
    config_dialog("APPINTERFACE", {[](FakeDialog& d) {
        d.tiles["int3x"] = "MY FUNC";
        d.tiles["int5f"] = "hook";
        d.tiles["int5x"] = "RUN_HOOK";
        d.ok();
        EXPECT_TRUE(d.done) << d.error();
    }});
    EXPECT_EQ(config().int3x.view(), "MY FUNC");
    EXPECT_EQ(config().int3f.view(), "");
    EXPECT_EQ(config().int5f.view(), "HOOK") << "file names are stored in upper case";
}

TEST_F(SettingsDialogs, InterfaceFailuresLeaveTheLastMessageAndStoreNothing) {
    config_dialog("APPINTERFACE", {[](FakeDialog& d) {
        d.tiles["int1x"] = "bad-name";
        d.tiles["int2f"] = "a.lsp";
        d.tiles["int4x"] = "GOOD";
        d.ok();
        EXPECT_FALSE(d.done);
        EXPECT_EQ(d.error(), "Invalid Interface 2 AutoLISP file name!");
        d.tiles["int2f"] = "";
        d.ok();
        EXPECT_EQ(d.error(), "Invalid Interface 1 Function name!");
        d.cancel();
    }});
    EXPECT_EQ(config().int4x.view(), "");
    EXPECT_EQ(config().config_changed, 0);
}

TEST_F(SettingsDialogs, AttributeNamesAreIdentifiers) {
    config_dialog("ATTRIBUTES", {[](FakeDialog& d) {
        EXPECT_EQ(d.tiles["zonename"], "ZONE");
        d.tiles["cid"] = "";
        d.ok();
        EXPECT_EQ(d.error(), "Invalid ID attribute!");
        d.tiles["cid"] = "RELAY_ID";
        d.tiles["grid_ref"] = "GRID REF";
        d.tiles["cv"] = "";
        d.ok();
        EXPECT_EQ(d.error(), "Invalid CV attribute!") << "the last failure's message stays";
        EXPECT_EQ(d.modes["cv"], MODE_SETFOCUS);
        d.tiles["grid_ref"] = "GRID_V";
        d.tiles["cv"] = "VOLTS";
        d.tiles["zonename"] = "AREA";
        d.ok();
        EXPECT_TRUE(d.done) << d.error();
    }});
    EXPECT_EQ(config().cid.view(), "RELAY_ID");
    EXPECT_EQ(config().grid_ref.view(), "GRID_V");
    EXPECT_EQ(config().zonename.view(), "AREA");
    EXPECT_EQ(config().title_block.view(), "SHEETNO");
}

TEST_F(SettingsDialogs, RelayIdentificationsAreTestedAndAffixesAreNot) {
    config_dialog("RELAYID", {[](FakeDialog& d) {
        EXPECT_EQ(d.tiles["nc_prefix"], "%%O");
        d.tiles["coil_id"] = "SIXTEEN_LETTERS_";
        d.ok();
        EXPECT_EQ(d.error(), "Invalid Coil identification!") << "longer than the field is refused";
        d.tiles["coil_id"] = "RELAY_COIL";
        d.tiles["tm_id"] = "T/C";
        d.ok();
        EXPECT_EQ(d.error(), "Invalid TMR identification!");
        d.tiles["tm_id"] = "TIMER";
        d.tiles["no_prefix"] = "%%U";
        d.tiles["tm_postfix"] = "";
        d.ok();
        EXPECT_TRUE(d.done) << d.error();
    }});
    EXPECT_EQ(config().coil_id.view(), "RELAY_COIL");
    EXPECT_EQ(config().tm_id.view(), "TIMER");
    EXPECT_EQ(config().no_prefix.view(), "%%U");
    EXPECT_EQ(config().tm_postfix.view(), "");
}

TEST_F(SettingsDialogs, GreyedGlobalValuesAreStillStored) {
    config().en = 1;
    config_dialog("GLOBALS", {[](FakeDialog& d) {
        EXPECT_FALSE(disabled(d, "height"));
        EXPECT_EQ(d.tiles["height"], "2.5");
        d.type("en", "0");
        for (const char* k : {"v_x", "v_y", "h_x", "h_y", "height"}) EXPECT_TRUE(disabled(d, k)) << k;
        d.tiles["v_x"] = "3.25";
        d.tiles["h_y"] = "abc";
        d.tiles["ftg"] = "0";
        d.ok();
    }});
    EXPECT_EQ(config().en, 0);
    EXPECT_EQ(config().v_x, 3.25);
    EXPECT_EQ(config().h_y, 0.0) << "text that is not a number reads as 0";
    EXPECT_EQ(config().height, 2.5);
    EXPECT_EQ(config().ftg, 0);
    EXPECT_EQ(config().ls, 1);
}

TEST_F(SettingsDialogs, ZoneLevelNamesAreStoredUntested) {
    config_dialog("ZONELEVELS", {[](FakeDialog& d) {
        EXPECT_EQ(d.tiles["zone2"], "SUB-RACK");
        EXPECT_EQ(d.tiles["zone9"], "*UNDEFINED");
        d.tiles["zone4"] = "Terminal strip";
        d.tiles["zone9"] = "";
        d.ok();
    }});
    EXPECT_EQ(config().zone_levels[4].view(), "Terminal strip");
    EXPECT_EQ(config().zone_levels[9].view(), "");
    EXPECT_EQ(config().zone_levels[0].view(), "SUITE");
}

}  // namespace wcraft::test
