// Attribute write-back into the open sheet's blocks: the setter, component,
// terminal and contact references, wire link places, title block sheet
// numbers, and the order the stage runs them in.
#include "attribute_fixture.h"
#include "postproc/postproc.h"
#include "update/attribute_writeback.h"

namespace wcraft::test {
namespace {

class Attributes : public AttributeTest {
protected:
    ads_name& block(const std::string& handle) {
        EXPECT_EQ(ads_handent(handle.c_str(), m_block), RTNORM);
        return m_block;
    }

private:
    ads_name m_block{};
};

// --- the setter ---

TEST_F(Attributes, AnEqualValueIgnoringCaseIsLeftAlone) {
    open_drawing("A.DXF", dxf_drawing(dxf_block("K", "0", 0, 0, {{"TAG", "x"}, {"REF", "k1"}}), {"K"}));
    std::string h = insert_handles().at(0);
    ASSERT_EQ(dbmod(), 0);
    EXPECT_EQ(set_attribute("ref", "K1", block(h)), 1);
    EXPECT_EQ(value_of(h, "REF"), "k1") << "not written again";
    EXPECT_EQ(dbmod(), 0);
    EXPECT_EQ(set_attribute("REF", "K2", block(h)), 1);
    EXPECT_EQ(value_of(h, "REF"), "K2");
    EXPECT_NE(dbmod(), 0);
    EXPECT_EQ(value_of(h, "TAG"), "x");
}

TEST_F(Attributes, AValueIsComparedWhole) {
    // The first 14 characters agree; the rest must still be replaced.
    open_drawing("A.DXF", dxf_drawing(dxf_block("K", "0", 0, 0, {{"REF", "ABCDEFGHIJKLMN-OLD"}}), {"K"}));
    std::string h = insert_handles().at(0);
    EXPECT_EQ(set_attribute("REF", "ABCDEFGHIJKLMN", block(h)), 1);
    EXPECT_EQ(value_of(h, "REF"), "ABCDEFGHIJKLMN");
}

TEST_F(Attributes, AMissingTagOrAttributeFails) {
    open_drawing("A.DXF", dxf_drawing(dxf_block("K", "0", 0, 0, {{"REF", "K1"}}) + dxf_block("P", "0", 9, 9, {}) +
                                          dxf_line("0", 0, 0, 1, 1),
                                      {"K", "P"}));
    std::vector<std::string> h = insert_handles();
    EXPECT_EQ(set_attribute("CTP", "1,A", block(h[0])), 0);
    EXPECT_EQ(set_attribute("REF", "K1", block(h[1])), 0) << "a block without attributes";
    EXPECT_EQ(error_code(), 0);
    EXPECT_EQ(value_of(h[0], "REF"), "K1");
}

TEST_F(Attributes, ABlockWithNothingAfterItSetsTheEntnextError) {
    open_drawing("A.DXF", dxf_drawing(dxf_block("P", "0", 9, 9, {}), {"P"}));
    EXPECT_EQ(set_attribute("REF", "K1", block(insert_handles().at(0))), 0);
    EXPECT_EQ(error_code(), 3057);
}

// --- component, terminal and contact references ---

TEST_F(Attributes, OnlyNumberedComponentsOfTheOpenSheet) {
    open_drawing("A.DXF", dxf_drawing(dxf_block("M", "0", 0, 0, {{"REF", "M?"}}) +
                                          dxf_block("M", "0", 10, 0, {{"REF", "M?"}}) +
                                          dxf_block("M", "0", 20, 0, {{"REF", "M?"}}),
                                      {"M"}));
    std::vector<std::string> h = insert_handles();
    std::vector<Component>& list = store().components;
    list.push_back(record(1, h[0], "M1"));  // same drawing, but read as sheet 1
    list.push_back(record(2, h[1], "M2"));
    list.push_back(record(2, h[2], "M3"));
    list[0].numbered = list[1].numbered = 1;  // the third had no definition
    sheet(2);
    EXPECT_EQ(update_component_refs(log), 1);
    EXPECT_EQ(value_of(h[0], "REF"), "M?") << "another sheet's";
    EXPECT_EQ(value_of(h[1], "REF"), "M2");
    EXPECT_EQ(value_of(h[2], "REF"), "M?") << "numbered 0 keeps its drawn reference";
    EXPECT_EQ(log_text(), "\nUpdating component references...");
}

TEST_F(Attributes, TerminalsWithALostHandleOrNoRefAreReported) {
    open_drawing("A.DXF", dxf_drawing(dxf_block("T", "0", 0, 0, {{"TAG", "X"}}) +
                                          dxf_block("T", "0", 10, 0, {{"REF", "X1:?"}}),
                                      {"T"}));
    std::vector<std::string> h = insert_handles();
    std::vector<Component>& list = store().terminals;
    for (auto [handle, ref] : {std::pair{h[0], "X1:1"}, {"FFFF0", "X1:2"}, {h[1], "X1:3"}}) {
        list.push_back(record(1, handle, ref, "1,B"));
        list.back().numbered = 1;
    }
    EXPECT_EQ(update_terminal_refs(log), 1);
    EXPECT_EQ(value_of(h[1], "REF"), "X1:3") << "the run goes on after each";
    EXPECT_EQ(log_text(), "\nUpdating terminal references..."
                          "\n:Error, setting attribute (REF), on block (X1:1), gridref(1,B)"
                          "\n:Error, retrieving entity name from handle (FFFF0)");
}

TEST_F(Attributes, ContactsGetTheirCoilsPlaceOrStars) {
    open_drawing("A.DXF", dxf_drawing(dxf_block("C", "0", 0, 0, {{"REF", "?"}, {"CTP", "old"}}) +
                                          dxf_block("C", "0", 10, 0, {{"REF", "?"}, {"CTP", "old"}}),
                                      {"C"}));
    std::vector<std::string> h = insert_handles();
    std::vector<Component>& list = store().contacts;
    list.push_back(record(1, h[0], "K1.1"));
    add_xdata_node(list.back().xdata, XD_COIL, "3,D");
    add_xdata_node(list.back().xdata, XD_NO, "ignored");
    list.push_back(record(1, h[1], "K9.1"));  // correlated with no coil; numbered is not asked
    EXPECT_EQ(update_contact_refs(log), 1);
    EXPECT_EQ(value_of(h[0], "REF"), "K1.1");
    EXPECT_EQ(value_of(h[0], "CTP"), "3,D");
    EXPECT_EQ(value_of(h[1], "REF"), "K9.1");
    EXPECT_EQ(value_of(h[1], "CTP"), "*,*");
    EXPECT_EQ(log_text(), "\nUpdating relay contact references...");
}

// --- wire links ---

class WireLinks : public Attributes {
protected:
    void SetUp() override {
        Attributes::SetUp();
        // Grid references along a row: A left of 50, B right of it.
        store().grid = {GridRef{{0, 0}, {}}, GridRef{{100, 0}, {}}};
        store().grid[0].text = "A";
        store().grid[1].text = "B";
        store().grid_orientation = GRID_HORIZONTAL;
        WireSegment s;
        s.wire_number = 12;
        store().wires[0].push_back(s);
    }
    static std::string link_block(double x) {
        return dxf_block("WLINKR", "WCR_WIRE_LINK_LAYER", x, 0, {{"LINK", "5"}, {"LTP", ""}, {"LTX", ""}});
    }
    void add(short on_sheet, double x, int number, const std::string& handle, bool attached = true) {
        WireLink l;
        l.sheet = on_sheet;
        l.point = {x, 0};
        l.link = number;
        l.handle = handle;
        if (attached) l.attached = SegmentRef{0, 0};
        store().links.push_back(l);
    }
};

TEST_F(WireLinks, PartnersAreTheNextWithTheNumberOrTheFirstFromTheHead) {
    open_drawing("E.DXF", dxf_drawing(link_block(10) + link_block(90) + link_block(20) + link_block(30) +
                                          link_block(40),
                                      {"WLINKR"}));
    std::vector<std::string> h = insert_handles();
    add(2, 10, 5, "FFFF1");     // on sheet 2, not in this drawing
    add(5, 90, 5, h[1]);        // next with 5: the one below, on this sheet
    add(5, 60, 5, h[0]);        // none later: wraps to the head, sheet 2
    add(5, 20, 0, h[2]);        // number 0: no partner, but its wire number
    add(5, 30, 7, h[3], false);  // unattached: skipped
    add(5, 40, 8, h[4]);        // the only 8: its own partner is none
    sheet(5);
    EXPECT_EQ(update_wirelink_refs(log), 1);
    EXPECT_EQ(value_of(h[1], "LTP"), "5,B");
    EXPECT_EQ(value_of(h[0], "LTP"), "2,A");
    EXPECT_EQ(value_of(h[2], "LTP"), "");
    EXPECT_EQ(value_of(h[4], "LTP"), "");
    for (int i : {0, 1, 2, 4}) EXPECT_EQ(value_of(h[i], "LTX"), "W12") << i;
    EXPECT_EQ(value_of(h[3], "LTX"), "");
    EXPECT_EQ(log_text(), "\nUpdating wirelink references...");
}

TEST_F(WireLinks, AFailedSetNamesTheTagLinkAndSheet) {
    open_drawing("E.DXF", dxf_drawing(dxf_block("WLINKR", "WCR_WIRE_LINK_LAYER", 0, 0, {{"LTX", ""}}) +
                                          dxf_block("WLINKR", "WCR_WIRE_LINK_LAYER", 0, 0, {{"LINK", "3"}}),
                                      {"WLINKR"}));
    std::vector<std::string> h = insert_handles();
    add(4, 0, 3, h[0]);
    add(4, 90, 3, h[1]);
    store().wires[0][0].wire_number = 0;
    config().wire_defs[0].pp_mode = PP_POSTFIX;
    config().wire_defs[0].pp_val = "A";
    sheet(4);
    update_wirelink_refs(log);
    EXPECT_EQ(value_of(h[0], "LTX"), "A");
    EXPECT_EQ(log_text(), "\nUpdating wirelink references..."
                          "\n:Error, setting attribute (LTP), on wirelink(3), sheet(4)"
                          "\n:Error, setting attribute (LTP), on wirelink(3), sheet(4)"
                          "\n:Error, setting attribute (LTX), on wirelink(3), sheet(4)");
}

// --- title blocks ---

TEST_F(Attributes, TitleBlocksGetTheSheetAndTheTotal) {
    open_drawing("A.DXF", dxf_drawing(dxf_block("SHEETNO", "0", 0, 0, {{"SHT", "?"}, {"MAX", "?"}}) +
                                          dxf_block("SHEETNO", "0", 300, 0, {{"SHT", "?"}}) +
                                          dxf_block("OTHER", "0", 0, 0, {{"SHT", "?"}}),
                                      {"SHEETNO", "OTHER"}));
    std::vector<std::string> h = insert_handles();
    sheet(3);
    wcr().drawing_count = 12;
    EXPECT_EQ(update_title_blocks(log), 1);
    EXPECT_EQ(value_of(h[0], "SHT"), "3");
    EXPECT_EQ(value_of(h[0], "MAX"), "12");
    EXPECT_EQ(value_of(h[1], "SHT"), "3");
    EXPECT_EQ(value_of(h[2], "SHT"), "?");
    EXPECT_EQ(log_text(), "\nUpdating title block sheetnumber references..."
                          "\n:Error, unable to set MAX sheetnumber on block(SHEETNO), attrib(MAX)");
    EXPECT_EQ(error_code(), 0);
}

TEST_F(Attributes, ASheetWithoutTheTitleBlockSaysSo) {
    open_drawing("A.DXF", dxf_drawing(dxf_block("OTHER", "0", 0, 0, {{"SHT", "?"}}), {"OTHER"}));
    EXPECT_EQ(update_title_blocks(log), 1);
    EXPECT_EQ(value_of(insert_handles().at(0), "SHT"), "?");
    EXPECT_EQ(log_text(), "\nUpdating title block sheetnumber references..."
                          "\n:Error, Can't find title block(SHEETNO), Sheetnumber not updated!");
}

// --- in the run ---

TEST_F(Attributes, StageFourRunsTheUpdatesInOrder) {
    steps_off_but_audit(0);
    ProjectConfig& c = config();
    c.sheet_no = c.comp_num = c.term_num = c.relay_cr = c.wire_lnk = 1;
    write_file("WCRAFT/PROCESS/ELEC1.LOG", "");
    open_drawing("A.DXF", dxf_drawing(dxf_block("M", "0", 0, 0, {{"REF", "M?"}}), {"M"}));
    store().components.push_back(record(1, insert_handles().at(0), "M7"));
    store().components.back().numbered = 1;
    wcr().stage = 4;
    wcr().qrun = 1;
    set_string("wcrshtn", "001");
    set_short("wcroptn", 4000);
    EXPECT_EQ(wcr_ctrl(), 1);
    EXPECT_EQ(read_file("WCRAFT/PROCESS/ELEC1.LOG"),
              "\n(Stage 4) - Modifying drawing information, sheet number 001"
              "\nUpdating title block sheetnumber references..."
              "\n:Error, Can't find title block(SHEETNO), Sheetnumber not updated!"
              "\nUpdating component references..."
              "\nUpdating terminal references..."
              "\nUpdating relay coil references..."
              "\nUpdating relay contact references..."
              "\nUpdating wirelink references...");
    EXPECT_EQ(value_of(insert_handles().at(0), "REF"), "M7");
    EXPECT_EQ(out.find("not built"), std::string::npos) << out;
}

}  // namespace
}  // namespace wcraft::test
