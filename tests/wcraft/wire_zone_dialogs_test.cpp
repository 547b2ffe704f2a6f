// The wire definitions, wire selection, zone definitions and zone selection
// dialogs driven as a user would, on the stand-in host.
#include "config_dialog_fixture.h"

#include "dialogs/dialog_tools.h"
#include "dialogs/wire_dialog.h"
#include "dialogs/zone_dialog.h"

namespace wcraft::test {

namespace {

// `n` wire types W0, W1, ... with the list end behind them.
void fill_wires(int n) {
    for (int i = 0; i < n; ++i) {
        config().wire_defs[i].w_name = "W" + std::to_string(i);
        config().wire_defs[i].l_name = "WCR_WIRE_W" + std::to_string(i);
        config().wire_defs[i].incr = 1;
        config().wire_defs[i].is_default = i == 0;
    }
    if (n < kMaxWires) config().wire_defs[n].w_name = kListEnd;
}

void press_times(FakeDialog& d, const char* key, int n) {
    for (int i = 0; i < n; ++i) d.press(key);
}

}  // namespace

class CommandShellDialogs : public ConfigDialogTest {};

TEST_F(CommandShellDialogs, EveryConfigKeywordOpensItsDialog) {
    struct Entry {
        const char *keyword, *dialog;
    } entries[] = {{"APPINTERFACE", "application_defn"}, {"ATTRIBUTES", "attrib_defn"}, {"COMPONENTS", "comp_defn"},
                   {"CONTROL", "control_defn"},          {"RELAYID", "relay_id_defn"},  {"TERMINALS", "term_defn"},
                   {"WIRES", "wire_defn"},               {"GLOBALS", "glwire_defn"},    {"ZONES", "zone_defn"},
                   {"ZONELEVELS", "zone_levels_defn"}};
    for (const Entry& e : entries) {
        fake().dialog_names.clear();
        std::string out = config_dialog(e.keyword, {[](FakeDialog& d) { d.cancel(); }});
        EXPECT_EQ(fake().dialog_names, std::vector<std::string>{e.dialog}) << e.keyword;
        EXPECT_TRUE(has(out, "\nCancel!")) << e.keyword;
        EXPECT_FALSE(has(out, "not built")) << e.keyword;
    }
    EXPECT_EQ(config().config_changed, 0);
}

TEST_F(CommandShellDialogs, AMissingDialogFileIsReported) {
    std::filesystem::remove(install / "wcraft2.dcl");
    call(1, {"CONFIG", "WIRES"});
    EXPECT_EQ(fake().failures, std::vector<std::string>{"Unable to initialize dialogue box \"wire_defn\"\n"});
}

class WireDialog : public ConfigDialogTest {};

TEST_F(WireDialog, EachFieldIsTestedWithItsMessage) {
    struct Case {
        const char *key, *value, *message;
    } cases[] = {
        {"w_name", "ph1", "Duplicate/Invalid Wire name"},   {"w_name", "", "Duplicate/Invalid Wire name"},
        {"l_name", "A-B", "Invalid Layer name"},            {"colnum", "x", "Invalid Layer colour number"},
        {"colnum", "256", "Layer colour number must be between 1 and 255"},
        {"colnum", "0", "Layer colour number must be between 1 and 255"},
        {"init", "-1", "Invalid Initial number"},           {"incr", "0", "Invalid Increment number"},
        {"incr", "", "Invalid Increment number"},           {"t_height", "2.5.1", "Invalid Text height number"},
        {"x_off", "-1", "Invalid X offset value"},          {"y_off", "1e3", "Invalid Y offset value"},
    };
    for (const Case& c : cases) {
        std::string out = config_dialog("WIRES", {[&](FakeDialog& d) {
            d.type(c.key, c.value);
            d.ok();
            EXPECT_FALSE(d.done) << c.key << "=" << c.value;
            EXPECT_EQ(d.error(), c.message) << c.key << "=" << c.value;
            EXPECT_EQ(d.modes[c.key], MODE_SETFOCUS) << c.key;
        }});
        EXPECT_TRUE(has(out, "\nCancel!"));
    }
    EXPECT_EQ(config().wire_defs[0].w_name.view(), "CONTROL");
    EXPECT_EQ(config().wire_defs[0].incr, 1);
    EXPECT_EQ(config().config_changed, 0);
}

TEST_F(WireDialog, OkStoresTheShownRecordWithItsNameInUpperCase) {
    std::string out = config_dialog("WIRES", {[](FakeDialog& d) {
        EXPECT_EQ(d.tiles["w_name"], "CONTROL");
        d.type("w_name", "main");
        EXPECT_EQ(d.tiles["l_name"], "WCR_WIRE_MAIN") << "typing a name proposes its layer";
        d.type("colnum", "3");
        d.type("incr", "2");
        d.type("t_height", "3.5");
        d.type("none", "1");
        EXPECT_TRUE(disabled(d, "pp_val"));
        d.ok();
        EXPECT_TRUE(d.done);
    }});
    const WireDefn& w = config().wire_defs[0];
    EXPECT_EQ(w.w_name.view(), "MAIN");
    EXPECT_EQ(w.l_name.view(), "WCR_WIRE_MAIN");
    EXPECT_EQ(w.colnum, 3);
    EXPECT_EQ(w.incr, 2);
    EXPECT_EQ(w.t_height, 3.5);
    EXPECT_EQ(w.pp_mode, PP_NONE);
    EXPECT_EQ(w.pp_val.view(), "W") << "the affix text is kept";
    EXPECT_EQ(config().config_changed, 1);
    EXPECT_TRUE(has(out, "\nOK!"));
}

TEST_F(WireDialog, NavigationStoresFirstAndStopsAtTheListEnds) {
    config_dialog("WIRES", {[](FakeDialog& d) {
        EXPECT_TRUE(disabled(d, "prev"));
        EXPECT_FALSE(disabled(d, "next"));
        d.type("incr", "0");
        d.press("next");
        EXPECT_EQ(d.tiles["w_name"], "CONTROL") << "a record that cannot be stored is not left";
        d.type("incr", "5");
        d.type("colour", "BLACK");
        press_times(d, "next", 7);
        EXPECT_EQ(d.tiles["w_name"], "0");
        EXPECT_TRUE(disabled(d, "next")) << "the following slot is the list end";
        d.press("next");
        EXPECT_EQ(d.tiles["w_name"], "0");
        press_times(d, "prev", 7);
        EXPECT_EQ(d.tiles["colour"], "BLACK");
        EXPECT_EQ(d.tiles["incr"], "5");
        d.cancel();
    }});
    EXPECT_EQ(config().wire_defs[0].incr, 1) << "cancel keeps the configuration";
}

TEST_F(WireDialog, AddAppendsTheScreenValuesAndRefusesAnUnchangedName) {
    config_dialog("WIRES", {[](FakeDialog& d) {
        d.press("add");
        EXPECT_EQ(d.error(), "Duplicate/Invalid Wire name");
        d.type("w_name", "aux");
        d.type("signal", "24V");
        d.press("add");
        EXPECT_EQ(d.error(), "New wire definitions added!");
        EXPECT_EQ(d.tiles["default"], "0");
        EXPECT_TRUE(disabled(d, "next"));
        EXPECT_FALSE(disabled(d, "prev"));
        d.ok();
    }});
    const ProjectConfig& c = config();
    EXPECT_EQ(c.wire_defs[0].w_name.view(), "CONTROL") << "the record shown before keeps its stored values";
    EXPECT_EQ(c.wire_defs[0].signal.view(), "CONTROL");
    EXPECT_EQ(c.wire_defs[0].is_default, 1);
    EXPECT_EQ(c.wire_defs[8].w_name.view(), "AUX");
    EXPECT_EQ(c.wire_defs[8].l_name.view(), "WCR_WIRE_AUX");
    EXPECT_EQ(c.wire_defs[8].signal.view(), "24V");
    EXPECT_EQ(c.wire_defs[8].is_default, 0);
    EXPECT_EQ(c.wire_defs[9].w_name.view(), kListEnd);
}

TEST_F(WireDialog, AddIsRefusedAtIndex98AndFillsTheLastSlotFromBelow) {
    fill_wires(99);
    config_dialog("WIRES", {[](FakeDialog& d) {
        press_times(d, "next", 98);
        ASSERT_EQ(d.tiles["w_name"], "W98");
        d.type("w_name", "NEW1");
        d.press("add");
        EXPECT_EQ(d.error(), "Can't add wire definition, MAX already defined");
        d.type("w_name", "W98");
        d.press("prev");
        d.type("w_name", "NEW2");
        d.press("add");
        EXPECT_EQ(d.error(), "New wire definitions added!");
        d.ok();
    }});
    EXPECT_EQ(config().wire_defs[99].w_name.view(), "NEW2");
    EXPECT_EQ(config().wire_defs[98].w_name.view(), "W98");
    EXPECT_EQ(wire_count(config()), 100) << "a full list has no marker";
}

TEST_F(WireDialog, DeletingTheDefaultMakesTheFirstRecordTheDefault) {
    config_dialog("WIRES", {[](FakeDialog& d) {
        d.press("next");
        d.press("next");
        d.type("default", "1");
        d.press("del");
        EXPECT_EQ(d.tiles["w_name"], "PH3") << "the index stays";
        EXPECT_EQ(d.tiles["default"], "0");
        press_times(d, "next", 4);
        EXPECT_EQ(d.tiles["w_name"], "0");
        d.press("del");
        EXPECT_EQ(d.tiles["w_name"], "5V") << "deleting the last record goes back one";
        d.ok();
    }});
    const ProjectConfig& c = config();
    EXPECT_EQ(wire_count(c), 6);
    EXPECT_EQ(c.wire_defs[2].w_name.view(), "PH3");
    int defaults = 0;
    for (const WireDefn& w : c.wire_defs) defaults += w.is_default;
    EXPECT_EQ(defaults, 1);
    EXPECT_EQ(c.wire_defs[0].is_default, 1);
}

TEST_F(WireDialog, TheOnlyRecordCannotBeDeletedAndTheDefaultNotSwitchedOff) {
    fill_wires(1);
    config_dialog("WIRES", {[](FakeDialog& d) {
        d.press("del");
        EXPECT_EQ(d.error(), "Can't delete the default wire definition");
        d.type("default", "0");
        EXPECT_EQ(d.error(), "Default can only be set");
        EXPECT_EQ(d.tiles["default"], "1");
        d.ok();
    }});
    EXPECT_EQ(config().wire_defs[0].w_name.view(), "W0");
    EXPECT_EQ(config().wire_defs[0].is_default, 1);
}

TEST_F(WireDialog, DeletingFromAFullListEndsItAgain) {
    fill_wires(100);
    config_dialog("WIRES", {[](FakeDialog& d) {
        d.press("del");
        d.ok();
    }});
    EXPECT_EQ(wire_count(config()), 99);
    EXPECT_EQ(config().wire_defs[0].w_name.view(), "W1");
    EXPECT_EQ(config().wire_defs[98].w_name.view(), "W99");
}

TEST_F(WireDialog, LayerColoursFollowOnlyWhenTheConfigMenuOpenedIt) {
    config_dialog("WIRES", {[](FakeDialog& d) {
        EXPECT_FALSE(disabled(d, "pick"));
        d.ok();
    }});
    EXPECT_EQ(fake().commands, (std::vector<std::string>{"'LAYER", ""}));

    fake().commands.clear();
    from_config() = 0;
    on_dialog([](FakeDialog& d) {
        EXPECT_TRUE(disabled(d, "pick"));
        d.ok();
    });
    fake().out.clear();
    wire_dialog();
    EXPECT_TRUE(fake().commands.empty());
    EXPECT_TRUE(has(fake().out, "\nOK!"));
}

TEST_F(WireDialog, PickListsTheWorkingCopyAndEndsTheLayerUpdate) {
    config_dialog("WIRES", {[this](FakeDialog& d) {
        d.type("w_name", "MAIN");
        on_dialog([](FakeDialog& sel) {
            EXPECT_EQ(sel.name, "wire_sel_defn");
            EXPECT_EQ(sel.lists["wire_names"][0], "MAIN") << "the shown record is stored before the pick";
            EXPECT_EQ(sel.lists["wire_names"].size(), 8u);
            EXPECT_TRUE(disabled(sel, "config"));
            sel.select("wire_names", 3);
            EXPECT_EQ(sel.tiles["l_name"], "WCR_WIRE_PH3");
            EXPECT_EQ(sel.tiles["signal"], "Phase 3");
            sel.ok();
        });
        d.press("pick");
        EXPECT_EQ(d.tiles["w_name"], "PH3");
        EXPECT_FALSE(disabled(d, "prev"));
        d.ok();
    }});
    EXPECT_EQ(config().wire_defs[0].w_name.view(), "MAIN");
    EXPECT_TRUE(fake().commands.empty()) << "after a pick OK sends no layer command";
}

class WireSelection : public ConfigDialogTest {};

TEST_F(WireSelection, AnswersTheDoubleClickedTypeOrMinusOne) {
    on_dialog([](FakeDialog& d) {
        EXPECT_EQ(d.tiles["p_title"], "No title");
        dclick(d, "wire_names", 2);
    });
    EXPECT_EQ(wire_select_dialog(), 2);
    on_dialog([](FakeDialog& d) { d.ok(); });
    EXPECT_EQ(wire_select_dialog(), -1) << "OK with nothing selected";
    on_dialog([](FakeDialog& d) {
        d.select("wire_names", 1);
        d.cancel();
    });
    EXPECT_EQ(wire_select_dialog(), -1);
}

TEST_F(WireSelection, ConfigOpensTheDefinitionsWithoutPickOrLayerCommand) {
    from_config() = 1;
    on_dialog([this](FakeDialog& d) {
        on_dialog([](FakeDialog& defs) {
            EXPECT_EQ(defs.name, "wire_defn");
            EXPECT_TRUE(disabled(defs, "pick"));
            defs.type("w_name", "LIVE");
            defs.ok();
        });
        d.press("config");
        EXPECT_EQ(d.lists["wire_names"][0], "LIVE") << "the list is read again";
        d.select("wire_names", 0);
        d.ok();
    });
    EXPECT_EQ(wire_select_dialog(), 0);
    EXPECT_EQ(from_config(), 0);
    EXPECT_TRUE(fake().commands.empty());
}

class ZoneDialog : public ConfigDialogTest {
protected:
    // A handler that picks `row` and goes down into it.
    static DialogHandler down(int row) {
        return [row](FakeDialog& d) {
            d.select("z_names", row);
            d.press("next");
            EXPECT_TRUE(d.done) << d.error();
        };
    }
    static std::vector<std::string> rows(FakeDialog& d) { return d.lists["z_names"]; }
};

TEST_F(ZoneDialog, AZoneAddedUnderRack1AtLevel3IsListedOnlyThere) {
    std::string out = config_dialog(
        "ZONES", {[](FakeDialog& d) {
                      EXPECT_EQ(rows(d), std::vector<std::string>{"CONTROL_SUITE"});
                      EXPECT_EQ(d.tiles["p_zone"], "*Top level*");
                      EXPECT_EQ(d.tiles["c_level"], "SUITE");
                      EXPECT_TRUE(disabled(d, "prev"));
                      down(0)(d);
                  },
                  down(0), down(0),
                  [](FakeDialog& d) {
                      EXPECT_TRUE(rows(d).empty());
                      EXPECT_EQ(d.tiles["c_level"], "ZONE");
                      EXPECT_EQ(d.tiles["p_level"], "SUB-RACK");
                      EXPECT_EQ(d.tiles["p_zone"], "RACK_1");
                      EXPECT_EQ(d.tiles["colnum"], "7");
                      d.type("z_edit", "io_1");
                      EXPECT_EQ(d.tiles["l_name"], "WCR_ZONE_IO_1");
                      d.type("colnum", "3");
                      d.press("add");
                      EXPECT_EQ(d.error(), "");
                      EXPECT_EQ(rows(d), std::vector<std::string>{"IO_1"});
                      EXPECT_EQ(d.tiles["z_edit"], "");
                      d.ok();
                  }});
    EXPECT_TRUE(has(out, "\nOK!"));
    const ZoneDefn& z = config().zone_defs[7];
    EXPECT_EQ(z.z_name.view(), "IO_1");
    EXPECT_EQ(z.l_name.view(), "WCR_ZONE_IO_1");
    EXPECT_EQ(z.colnum, 3);
    EXPECT_EQ(z.level, 3);
    EXPECT_EQ(z.parent.view(), "RACK_1");
    EXPECT_EQ(config().zone_defs[8].z_name.view(), kListEnd);
    EXPECT_EQ(config().config_changed, 1);

    std::vector<std::string> under_rack2;
    config_dialog("ZONES", {down(0), down(0), down(1), [&](FakeDialog& d) {
                                under_rack2 = rows(d);
                                EXPECT_EQ(d.tiles["p_zone"], "RACK_2");
                                d.press("prev");
                            },
                            [](FakeDialog& d) {
                                EXPECT_EQ(rows(d), (std::vector<std::string>{"RACK_1", "RACK_2"}));
                                d.cancel();
                            }});
    EXPECT_TRUE(under_rack2.empty());
}

TEST_F(ZoneDialog, AZoneWithSubZonesCannotBeDeleted) {
    config_dialog("ZONES", {down(0),
                            [](FakeDialog& d) {
                                d.select("z_names", 0);
                                d.press("del");
                                EXPECT_EQ(d.error(), "Delete sub zones first!");
                                EXPECT_EQ(rows(d).size(), 2u);
                                down(0)(d);
                            },
                            [](FakeDialog& d) {
                                d.select("z_names", 1);
                                d.press("del");
                                EXPECT_EQ(rows(d), std::vector<std::string>{"RACK_1"});
                                d.press("del");
                                EXPECT_EQ(d.error(), "Select zone name to delete first!");
                                d.ok();
                            }});
    EXPECT_EQ(zone_count(config()), 6);
    EXPECT_EQ(config().zone_defs[4].z_name.view(), "RACK_3");
}

TEST_F(ZoneDialog, NamesAreCheckedIgnoringCaseAndStoredInUpperCase) {
    config_dialog("ZONES", {[](FakeDialog& d) {
        struct Case {
            const char *name, *colour, *message;
        } cases[] = {{"rack_1", "4", "Duplicate zone name!"},
                     {"BAD NAME", "4", "Invalid zone name!"},
                     {"", "4", "Invalid zone name!"},
                     {"ANNEX", "0", "Layer colour number must be between 1 and 255"},
                     {"ANNEX", "red", "Invalid Layer colour number"}};
        for (const Case& c : cases) {
            d.type("z_edit", c.name);
            d.type("colnum", c.colour);
            d.press("add");
            EXPECT_EQ(d.error(), c.message) << c.name;
        }
        EXPECT_EQ(rows(d).size(), 1u);
        d.type("z_edit", "annex");
        d.type("colnum", "2");
        d.press("add");
        d.ok();
    }});
    EXPECT_EQ(config().zone_defs[7].z_name.view(), "ANNEX");
    EXPECT_EQ(config().zone_defs[7].parent.view(), "*");
}

TEST_F(ZoneDialog, SetcolourIgnoresABadValueWithoutAWord) {
    config_dialog("ZONES", {[](FakeDialog& d) {
        d.press("setcolour");
        EXPECT_EQ(d.error(), "Select zone name first!");
        d.select("z_names", 0);
        EXPECT_EQ(d.tiles["colnum"], "7");
        d.type("colnum", "300");
        d.press("setcolour");
        EXPECT_EQ(d.error(), "");
        d.ok();
    }});
    EXPECT_EQ(config().zone_defs[0].colnum, 7);
    config_dialog("ZONES", {[](FakeDialog& d) {
        d.select("z_names", 0);
        d.type("colnum", "12");
        d.press("setcolour");
        d.ok();
    }});
    EXPECT_EQ(config().zone_defs[0].colnum, 12);
}

TEST_F(ZoneDialog, RenamingLeavesTheSubZonesParentText) {
    config_dialog("ZONES", {down(0), [](FakeDialog& d) {
                                d.press("mod");
                                EXPECT_EQ(d.error(), "Select zone to modify first!");
                                d.select("z_names", 1);
                                d.type("z_edit", "cubicle_1");
                                d.press("mod");
                                EXPECT_EQ(d.error(), "Duplicate zone name!");
                                d.type("z_edit", "cubicle_2");
                                d.press("mod");
                                EXPECT_EQ(d.error(), "") << "its own name is no duplicate";
                                d.type("z_edit", "cab_2");
                                d.type("colnum", "9");
                                d.press("mod");
                                EXPECT_EQ(rows(d), (std::vector<std::string>{"CUBICLE_1", "CAB_2"}));
                                d.ok();
                            }});
    const ZoneDefn& z = config().zone_defs[2];
    EXPECT_EQ(z.z_name.view(), "CAB_2");
    EXPECT_EQ(z.l_name.view(), "WCR_ZONE_CAB_2");
    EXPECT_EQ(z.colnum, 9);
    EXPECT_EQ(config().zone_defs[5].parent.view(), "CUBICLE_2");
}

TEST_F(ZoneDialog, TheDeepestLevelIsNine) {
    ZoneDefn* zones = config().zone_defs;
    for (int i = 0; i < 10; ++i) {
        zones[i].z_name = "Z" + std::to_string(i);
        zones[i].level = i;
        zones[i].parent = i == 0 ? "*" : "Z" + std::to_string(i - 1);
    }
    zones[10].z_name = kListEnd;
    for (int i = 0; i < 9; ++i) on_dialog(down(0));
    on_dialog([](FakeDialog& d) {
        EXPECT_EQ(rows(d), std::vector<std::string>{"Z9"});
        EXPECT_EQ(d.tiles["p_zone"], "Z8");
        EXPECT_TRUE(disabled(d, "next"));
        d.select("z_names", 0);
        d.press("next");
        EXPECT_FALSE(d.done);
        EXPECT_EQ(d.error(), "Max zone level reached");
        d.press("prev");
        EXPECT_TRUE(d.done);
    });
    on_dialog([](FakeDialog& d) {
        EXPECT_EQ(rows(d), std::vector<std::string>{"Z8"});
        d.cancel();
    });
    call(1, {"CONFIG", "ZONES"});
    EXPECT_EQ(fake().dialog_names.size(), 11u);
}

TEST_F(ZoneDialog, PrevAtTheTopIsRefused) {
    config_dialog("ZONES", {[](FakeDialog& d) {
        d.press("prev");
        EXPECT_EQ(d.error(), "Top zone level reached");
        EXPECT_FALSE(d.done);
        d.press("next");
        EXPECT_EQ(d.error(), "Select zone name first!");
        d.cancel();
    }});
}

TEST_F(ZoneDialog, LayerColoursFollowOnlyWhenTheConfigMenuOpenedIt) {
    config_dialog("ZONES", {[](FakeDialog& d) { d.ok(); }});
    EXPECT_EQ(fake().commands, (std::vector<std::string>{"'LAYER", ""}));
    fake().commands.clear();
    config_dialog("ZONES", {[](FakeDialog& d) { d.cancel(); }});
    from_config() = 0;
    on_dialog([](FakeDialog& d) { d.ok(); });
    zone_dialog();
    EXPECT_TRUE(fake().commands.empty());
}

class ZoneSelection : public ConfigDialogTest {};

TEST_F(ZoneSelection, TreeOrderIsPreOrderWithSubZonesAfterTheirParent) {
    // A sub-zone listed before its parent still follows it in the walk.
    ZoneDefn* z = config().zone_defs;
    z[7].z_name = "EARLY";
    z[7].level = 3;
    z[7].parent = "RACK_3";
    z[8].z_name = kListEnd;
    std::swap(z[1], z[7]);
    std::vector<std::pair<std::string, int>> walk;
    for (const ZoneOrderEntry& e : zone_tree_order(z)) walk.push_back({z[e.index].z_name.c_str(), e.depth});
    EXPECT_EQ(walk, (std::vector<std::pair<std::string, int>>{{"CONTROL_SUITE", 0},
                                                                  {"CUBICLE_2", 1},
                                                                  {"RACK_3", 2},
                                                                  {"EARLY", 3},
                                                                  {"RACK_4", 2},
                                                                  {"CUBICLE_1", 1},
                                                                  {"RACK_1", 2},
                                                                  {"RACK_2", 2}}));
}

TEST_F(ZoneSelection, ShowsTheIndentedTreeAndAnswersTheZoneIndex) {
    on_dialog([](FakeDialog& d) {
        ASSERT_EQ(d.lists["z_names"].size(), 7u);
        EXPECT_EQ(d.lists["z_names"][1], "   CUBICLE_1");
        EXPECT_EQ(d.lists["z_names"][2], "      RACK_1");
        EXPECT_EQ(d.lists["z_names"][4], "   CUBICLE_2");
        d.select("z_names", 4);
        EXPECT_EQ(d.tiles["c_level"], "CUBICLE");
        EXPECT_EQ(d.tiles["z_edit"], "CUBICLE_2");
        EXPECT_EQ(d.tiles["colnum"], "6");
        d.ok();
    });
    EXPECT_EQ(zone_select_dialog(), 2);
    on_dialog([](FakeDialog& d) { dclick(d, "z_names", 6); });
    EXPECT_EQ(zone_select_dialog(), 6);
    on_dialog([](FakeDialog& d) { d.ok(); });
    EXPECT_EQ(zone_select_dialog(), -1);
}

TEST_F(ZoneSelection, ConfigEditsTheZonesAndListsThemAgain) {
    from_config() = 1;
    on_dialog([this](FakeDialog& d) {
        on_dialog([](FakeDialog& defs) {
            EXPECT_EQ(defs.name, "zone_defn");
            defs.type("z_edit", "YARD");
            defs.press("add");
            defs.ok();
        });
        d.press("config");
        EXPECT_EQ(d.lists["z_names"].back(), "YARD");
        d.cancel();
    });
    EXPECT_EQ(zone_select_dialog(), -1);
    EXPECT_TRUE(fake().commands.empty()) << "the selection dialog cleared the flag";
    EXPECT_EQ(config().zone_defs[7].z_name.view(), "YARD");
}

}  // namespace wcraft::test
