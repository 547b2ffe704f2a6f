// The drawing commands driven by typed input, and the post-processor's
// extraction reading back what they drew.
#include <cstdio>

#include "ads.h"
#include "draw/block_commands.h"
#include "draw/wire_command.h"
#include "draw/zone_command.h"
#include "draw_fixture.h"
#include "extract/extract.h"
#include "extract/store.h"
#include "host/module_state.h"

namespace wcraft::test {
namespace {

class Wire : public DrawTest {};

TEST_F(Wire, SegmentsChainAndDiagonalsAreRefused) {
    type("10,10\n10,50\n40,60\n40,50\n40,50\n\n");
    EXPECT_EQ(wire_command(), 1);
    auto lines = entities_of("LINE", "WCR_WIRE_CONTROL");
    ASSERT_EQ(lines.size(), 3u) << out;
    EXPECT_EQ(lines[0].x, 10);
    EXPECT_EQ(lines[0].y, 10);
    EXPECT_EQ(lines[1].x, 10) << "the second segment starts where the first ended";
    EXPECT_EQ(lines[1].y, 50);
    EXPECT_EQ(lines[2].x, 40) << "a zero-length segment is drawn";
    EXPECT_EQ(count_out("\n*Diagonal wires not permitted*"), 1);
    EXPECT_EQ(count_out("\nPick End point for wire >"), 5) << "the refused point is asked again";
    EXPECT_EQ(out.find("\nWirename : CONTROL, (Colour WHITE), (Size 2.5), (Signal CONTROL)"
                       "\n(Return to select wire type) / <wire start point> "),
              0u)
        << out;
}

TEST_F(Wire, TheLayerIsMadeColouredAndPutBackWithOrthoMode) {
    ASSERT_EQ(ads_command(RTSTR, "_.LAYER", RTSTR, "_M", RTSTR, "MINE", RTSTR, "", 0), RTNORM);
    config().wire_defs[0].colnum = 3;
    for (const char* cancel_or_enter : {"^C\n", "\n"}) {
        SCOPED_TRACE(cancel_or_enter);
        type(std::string("0,0\n20,0\n") + cancel_or_enter);
        wire_command();
        EXPECT_EQ(current_layer(), "MINE");
        EXPECT_EQ(short_var("ORTHOMODE"), 0);
    }
    EXPECT_EQ(layer("WCR_WIRE_CONTROL").colour, 3);
    EXPECT_EQ(entities_of("LINE", "WCR_WIRE_CONTROL").size(), 2u);
}

TEST_F(Wire, EnterAtTheStartChoosesAnotherTypeThatStaysTheDefault) {
    type("\nselect wire_names 1\nok\n0,0\n0,30\n\n");
    wire_command();
    EXPECT_EQ(entities_of("LINE", "WCR_WIRE_PH1").size(), 1u) << out;
    EXPECT_NE(out.find("\nWirename : PH1, (Colour RED), (Size ), (Signal Phase 1)"), std::string::npos) << out;
    EXPECT_EQ(config().wire_defs[0].is_default, 0);
    EXPECT_EQ(config().wire_defs[1].is_default, 1);
    EXPECT_EQ(config().config_changed, 0);
    EXPECT_EQ(layer("WCR_WIRE_PH1").colour, 1);
    out.clear();
    type("5,5\n");
    wire_command();
    EXPECT_EQ(out.find("\nWirename : PH1,"), 0u) << "the next command starts with the chosen type: " << out;
}

TEST_F(Wire, ACancelledChoiceKeepsTheType) {
    type("\ncancel\n\nok\n^C\n");
    wire_command();
    EXPECT_EQ(count_out("\nWirename : CONTROL,"), 3) << out;
    EXPECT_EQ(config().wire_defs[0].is_default, 1);
    EXPECT_TRUE(entities().empty());
}

TEST_F(Wire, WithoutADefaultTheFirstTypeBecomesIt) {
    for (WireDefn& w : config().wire_defs) w.is_default = 0;
    config().wire_defs[9].is_default = 1;  // past the list end: no wire type
    EXPECT_EQ(current_wire_type(), 0);
    EXPECT_EQ(config().wire_defs[0].is_default, 1);
    config().wire_defs[0].is_default = 0;
    config().wire_defs[3].is_default = 1;
    EXPECT_EQ(current_wire_type(), 3);
}

class Blocks : public DrawTest {};

TEST_F(Blocks, AWireLinkGoesOnTheLinkLayerWithTheTypedNumber) {
    type("20,30\n7\n\n\n");
    EXPECT_EQ(wire_link_command(LinkDirection::Right), 1);
    auto ins = inserts();
    ASSERT_EQ(ins.size(), 1u) << out;
    EXPECT_EQ(ins[0].block, "WLINKR");
    EXPECT_EQ(ins[0].layer, "WCR_WIRE_LINK_LAYER") << "the layer stays current until the values are typed";
    EXPECT_EQ(ins[0].x, 20);
    ASSERT_FALSE(ins[0].attributes.empty());
    EXPECT_EQ(ins[0].attributes[0], std::make_pair(std::string("LINK"), std::string("7")));
    EXPECT_EQ(current_layer(), "0");
    EXPECT_EQ(out.find("\nInsert wirelink (direction RIGHT)\nInsertion point for Wirelink >"), 0u) << out;
    EXPECT_EQ(short_var("CMDACTIVE"), 0) << "the insertion is complete";
}

TEST_F(Blocks, EveryDirectionHasItsBlock) {
    const std::pair<LinkDirection, const char*> dirs[] = {
        {LinkDirection::Up, "WLINKU"}, {LinkDirection::Down, "WLINKD"}, {LinkDirection::Left, "WLINKL"}};
    for (const auto& [dir, block] : dirs) {
        type("0,0\n1\n\n\n");
        wire_link_command(dir);
        EXPECT_EQ(inserts().back().block, block);
    }
    EXPECT_EQ(count_out("(direction UP)"), 1);
    EXPECT_EQ(count_out("(direction DOWN)"), 1);
    EXPECT_EQ(count_out("(direction LEFT)"), 1);
}

TEST_F(Blocks, NoPointDrawsNothingAndLeavesTheLayer) {
    ASSERT_EQ(ads_command(RTSTR, "_.LAYER", RTSTR, "_M", RTSTR, "MINE", RTSTR, "", 0), RTNORM);
    type("^C\n\n");
    wire_link_command(LinkDirection::Up);
    relay_marker_command();
    EXPECT_TRUE(inserts().empty());
    EXPECT_FALSE(layer("WCR_WIRE_LINK_LAYER").exists);
    EXPECT_EQ(current_layer(), "MINE");
}

TEST_F(Blocks, ARelayMarkerCarriesTheCoilReference) {
    type("50,60\nK1\n");
    EXPECT_EQ(relay_marker_command(), 1);
    auto ins = inserts();
    ASSERT_EQ(ins.size(), 1u) << out;
    EXPECT_EQ(ins[0].block, "RLMARKER");
    EXPECT_EQ(ins[0].layer, "WCR_RELAY_MARK_LAYER");
    ASSERT_EQ(ins[0].attributes.size(), 1u);
    EXPECT_EQ(ins[0].attributes[0].second, "K1");
    EXPECT_EQ(out.find("\nInsertion point for Relay contact display marker >"), 0u) << out;
    // The marker extraction of a run finds it.
    wcr().sheet_no = 1;
    FILE* log = tmpfile();
    config().cont_blk = 1;
    extract_relay_marks(log);
    fclose(log);
    ASSERT_EQ(store().relay_marks.size(), 1u);
    EXPECT_EQ(store().relay_marks[0].iref, "K1");
}

TEST_F(Blocks, TheSheetNumberBlockIsTheConfiguredBlockOnTheCurrentLayer) {
    write_file("PROJ/SHEETNO.DXF", read_file("WCRAFT/SHEETNO.DXF"));
    open_drawing("S1.DXF", dxf_drawing(""));
    ASSERT_EQ(ads_command(RTSTR, "_.LAYER", RTSTR, "_M", RTSTR, "BORDER", RTSTR, "", 0), RTNORM);
    out.clear();
    type("0,0\nPump station\nS1\n\n\n");
    EXPECT_EQ(sheet_number_block_command(), 1);
    auto ins = inserts();
    ASSERT_EQ(ins.size(), 1u) << out;
    EXPECT_EQ(ins[0].block, "SHEETNO");
    EXPECT_EQ(ins[0].layer, "BORDER");
    EXPECT_EQ(ins[0].attributes.size(), 4u);
    EXPECT_EQ(out.find("\nInsertion point sheet number block >"), 0u) << out;
}

class Zone : public DrawTest {};

TEST_F(Zone, AnOutlineIsAClosedRectangleOnTheZoneLayer) {
    ASSERT_EQ(ads_command(RTSTR, "_.LAYER", RTSTR, "_M", RTSTR, "MINE", RTSTR, "", 0), RTNORM);
    type("select z_names 1\nok\n0,0\n0,100\n10,20\n110,80\n\n");
    EXPECT_EQ(zone_command(), 1);
    auto o = outlines();
    ASSERT_EQ(o.size(), 1u) << out;
    EXPECT_EQ(o[0].layer, "WCR_ZONE_CUBICLE_1");
    EXPECT_TRUE(o[0].closed);
    std::vector<std::pair<double, double>> corners = {{10, 20}, {10, 80}, {110, 80}, {110, 20}};
    EXPECT_EQ(o[0].points, corners);
    EXPECT_EQ(count_out("\n*Invalid zone area*"), 1);
    EXPECT_EQ(count_out("\nZone : CUBICLE_1"), 3) << "asked again after the refusal and after the outline";
    EXPECT_EQ(count_out("\nPick 1st corner of zone > "), 3);
    EXPECT_EQ(layer("WCR_ZONE_CUBICLE_1").colour, 6);
    EXPECT_EQ(layer("WCR_ZONE_CUBICLE_1").linetype, "WCRZONE");
    EXPECT_EQ(current_layer(), "MINE");
    // The zone extraction of a run takes the box.
    wcr().sheet_no = 2;
    FILE* log = tmpfile();
    extract_zones(log);
    fclose(log);
    ASSERT_EQ(store().zones[1].size(), 1u);
    EXPECT_EQ(store().zones[1][0].bottom_left.x, 10);
    EXPECT_EQ(store().zones[1][0].top_right.y, 80);
}

TEST_F(Zone, TheLinetypeIsLoadedOnce) {
    type("select z_names 0\nok\n0,0\n5,5\n\n");
    zone_command();
    type("select z_names 0\nok\n10,10\n15,15\n^C\n");
    zone_command();
    EXPECT_EQ(outlines().size(), 2u) << out;
    EXPECT_EQ(count_out("WCRZONE loaded"), 1) << out;
}

TEST_F(Zone, NoChoiceDrawsNothing) {
    type("cancel\n");
    zone_command();
    EXPECT_TRUE(entities().empty());
    EXPECT_EQ(out.find("\nZone :"), std::string::npos);
    EXPECT_EQ(current_layer(), "0");
}

TEST_F(Wire, ThePostProcessorReadsTheDrawnWires) {
    config().wire_defs[1].w_name = kListEnd;
    type("10,5\n2,5\n2,40\n\n");
    wire_command();
    wcr().sheet_no = 1;
    FILE* log = tmpfile();
    extract_wires(log);
    fclose(log);
    ASSERT_EQ(store().wires[0].size(), 2u) << out;
    const WireSegment& h = store().wires[0][0].start.y == 5 ? store().wires[0][0] : store().wires[0][1];
    EXPECT_EQ(h.start.x, 2);
    EXPECT_EQ(h.end.x, 10);
}

}  // namespace
}  // namespace wcraft::test
