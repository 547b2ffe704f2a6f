// The configuration dialogs inside the host: its dialog engine reads the
// dialog files and the actions typed, and its layer command receives the
// layer colours.
#include "postproc_fixture.h"

#include "ads.h"
#include "dialogs/dialog_tools.h"
#include "dialogs/wire_dialog.h"
#include "dialogs/zone_dialog.h"
#include "host/module_state.h"

namespace wcraft::test {

namespace {

// The colour of a layer of the open drawing, 0 when there is no such layer.
int layer_colour(const char* name) {
    resbuf* rb = ads_tblsearch("LAYER", name, 0);
    int colour = 0;
    for (resbuf* r = rb; r; r = r->rbnext)
        if (r->restype == 62) colour = r->resval.rint;
    ads_relrb(rb);
    return colour;
}

}  // namespace

class DialogsInHost : public PostprocTest {
protected:
    void SetUp() override {
        PostprocTest::SetUp();
        for (const char* f : {"wcraft2.dcl", "wcraft3.dcl", "wcraft10.dcl", "wcraftI.dcl"})
            std::filesystem::copy_file(std::string(CH_SOURCE_DIR) + "/support/wcraft/" + f, on_c("WCRAFT/") / f);
        open_drawing("A.DXF", dxf_drawing(dxf_line("WCR_WIRE_CONTROL", 0, 0, 10, 0) +
                                          dxf_line("WCR_ZONE_RACK_1", 0, 5, 10, 5)));
        from_config() = 0;
    }
};

TEST_F(DialogsInHost, WireLayerColoursFollowOkFromTheConfigMenu) {
    type("colnum=3\nok\n");
    run_from_config(wire_dialog);
    EXPECT_EQ(config().wire_defs[0].colnum, 3);
    EXPECT_EQ(layer_colour("WCR_WIRE_CONTROL"), 3) << out;
    EXPECT_EQ(layer_colour("WCR_WIRE_PH1"), 0) << "layers not in the drawing are not made";
    EXPECT_EQ(layer_colour("WCR_ZONE_RACK_1"), 7);
}

TEST_F(DialogsInHost, WithoutTheConfigFlagTheLayersStayAsTheyAre) {
    type("colnum=4\nok\n");
    wire_dialog();
    EXPECT_EQ(config().wire_defs[0].colnum, 4);
    EXPECT_EQ(layer_colour("WCR_WIRE_CONTROL"), 7);
}

TEST_F(DialogsInHost, ZoneLayerColourFollowsASetcolourDeepInTheTree) {
    type("select z_names 0\nnext\nselect z_names 0\nnext\n"
         "select z_names 0\ncolnum=5\nsetcolour\nok\n");
    run_from_config(zone_dialog);
    EXPECT_EQ(config().zone_defs[3].colnum, 5) << out;
    EXPECT_EQ(layer_colour("WCR_ZONE_RACK_1"), 5) << out;
    EXPECT_EQ(layer_colour("WCR_WIRE_CONTROL"), 7);
}

TEST_F(DialogsInHost, DisabledAffixAndPickTilesTakeNoInput) {
    type("none\npp_val=XX\npick\nok\n");
    wire_dialog();
    EXPECT_EQ(config().wire_defs[0].pp_mode, PP_NONE) << out;
    EXPECT_EQ(config().wire_defs[0].pp_val.view(), "W");
    EXPECT_NE(out.find("tile is disabled: pp_val"), std::string::npos) << out;
    EXPECT_NE(out.find("tile is disabled: pick"), std::string::npos) << "pick only from the CONFIG menu";
}

TEST_F(DialogsInHost, WireSelectionAnswersADoubleClick) {
    type("dclick wire_names 5\n");
    EXPECT_EQ(wire_select_dialog(), 5) << out;
    type("select wire_names 1\ncancel\n");
    EXPECT_EQ(wire_select_dialog(), -1);
}

}  // namespace wcraft::test
