// Wire number texts and node blocks written into the open drawing from the
// store: which segments get a text, where, the clean-up of an earlier
// run, layers, node blocks, and agreement with the walk from every segment.
#include <random>

#include "ads.h"
#include "extract/store.h"
#include "host/module_state.h"
#include "postproc_fixture.h"
#include "update/wire_writeback.h"

namespace wcraft::test {
namespace {

const char* kLayer = "WCR_WIRE_CONTROL";

class Writeback : public PostprocTest {
protected:
    void SetUp() override {
        PostprocTest::SetUp();
        // A node block drawing: a small circle.
        write_file("WCRAFT/WIRENODE.DXF", dxf_drawing(dxf_line("0", -0.5, 0, 0.5, 0)));
        log = open_memstream(&m_log_buf, &m_log_len);
        sheet(1);
    }
    void TearDown() override {
        fclose(log);
        free(m_log_buf);
        PostprocTest::TearDown();
    }
    void sheet(short n) {
        wcr().sheet_no = n;
        char t[8];
        snprintf(t, sizeof t, "%03d", n);
        wcr().sheet_text = t;
    }
    WireSegment& seg(int type, short on_sheet, double sx, double sy, double ex, double ey, int number, int label = 0,
                     int state = SEG_DONE) {
        WireSegment s;
        s.sheet = on_sheet;
        s.start = {sx, sy};
        s.end = {ex, ey};
        s.wire_number = number;
        s.label = label;
        s.state = state;
        store().wires[type].push_back(s);
        return store().wires[type].back();
    }
    std::string log_text() {
        fflush(log);
        return std::string(m_log_buf, m_log_len);
    }
    std::vector<std::string> texts() {
        std::vector<std::string> v;
        for (const Ent& e : entities_of("TEXT", kLayer)) v.push_back(e.text);
        return v;
    }
    FILE* log = nullptr;

private:
    char* m_log_buf = nullptr;
    size_t m_log_len = 0;
};

TEST(WireNumberText, PrefixPostfixAndNone) {
    EXPECT_EQ(wire_number_text(12, PP_PREFIX, "W"), "W12");
    EXPECT_EQ(wire_number_text(12, PP_POSTFIX, "L1"), "12L1");
    EXPECT_EQ(wire_number_text(0, PP_POSTFIX, "A"), "A");
    EXPECT_EQ(wire_number_text(0, PP_PREFIX, "W"), "W");
    EXPECT_EQ(wire_number_text(0, PP_NONE, "W"), "0");
    EXPECT_EQ(wire_number_text(-5, PP_NONE, ""), "-5");
    EXPECT_EQ(wire_number_text(-5, PP_PREFIX, "S"), "S-5");
}

TEST_F(Writeback, OneTextAtTheFirstSegmentOfAWire) {
    open_drawing("A.DXF", dxf_drawing(""));
    seg(0, 1, 0, 100, 50, 100, 12);
    seg(0, 1, 50, 100, 50, 60, 12);
    seg(0, 1, 10, 60, 50, 60, 12);
    EXPECT_EQ(write_wire_numbers(log), 1);
    auto t = entities_of("TEXT", kLayer);
    ASSERT_EQ(t.size(), 1u);
    EXPECT_EQ(t[0].text, "W12");
    EXPECT_DOUBLE_EQ(t[0].x, 0 + 2.2);  // horizontal: X offset right, Y offset up
    EXPECT_DOUBLE_EQ(t[0].y, 100 + 1.5);
    EXPECT_DOUBLE_EQ(t[0].height, 2.5);
    EXPECT_DOUBLE_EQ(t[0].width, 1.0);
    for (const WireSegment& s : store().wires[0]) EXPECT_EQ(s.state, SEG_WRITTEN);
    EXPECT_EQ(store().wires[0][0].label, 1);
    EXPECT_EQ(store().wires[0][1].label, 0);
    EXPECT_EQ(log_text(), "\nUpdating wire number information...");
}

TEST_F(Writeback, LabelledSegmentsCarryTheirOwnTextAndOtherSheetsAreLeft) {
    open_drawing("B.DXF", dxf_drawing(""));
    seg(0, 1, 0, 200, 10, 200, 3);
    seg(0, 2, 0, 100, 10, 100, 4);
    seg(0, 2, 20, 90, 20, 50, 5);
    seg(0, 2, 30, 80, 40, 80, 4, 1);  // touches a pass-through component
    seg(0, 3, 0, 100, 10, 100, 4);
    sheet(2);
    write_wire_numbers(log);
    auto t = entities_of("TEXT", kLayer);
    ASSERT_EQ(t.size(), 3u);
    EXPECT_EQ(t[0].text, "W4");
    EXPECT_EQ(t[1].text, "W4") << "texts of one number come together, in list order";
    EXPECT_DOUBLE_EQ(t[1].x, 32.2);
    EXPECT_EQ(t[2].text, "W5");
    EXPECT_DOUBLE_EQ(t[2].x, 20 + 1.5);  // vertical: Y offset right, X offset and height down
    EXPECT_DOUBLE_EQ(t[2].y, 90 - 2.2 - 2.5);
    const auto& w = store().wires[0];
    EXPECT_EQ(w[0].state, SEG_DONE);
    EXPECT_EQ(w[4].state, SEG_DONE);
    EXPECT_EQ(w[4].label, 0);
}

TEST_F(Writeback, GlobalSettingsReplaceTheWireTypes) {
    open_drawing("A.DXF", dxf_drawing(""));
    ProjectConfig& c = config();
    c.en = 1;
    c.v_x = 3, c.v_y = 4, c.h_x = 5, c.h_y = 6, c.height = 7;
    seg(0, 1, 10, 100, 10, 50, 1);
    seg(0, 1, 20, 40, 60, 40, 2);
    write_wire_numbers(log);
    auto t = entities_of("TEXT", kLayer);
    ASSERT_EQ(t.size(), 2u);
    EXPECT_DOUBLE_EQ(t[0].x, 13);
    EXPECT_DOUBLE_EQ(t[0].y, 96);
    EXPECT_DOUBLE_EQ(t[1].x, 25);
    EXPECT_DOUBLE_EQ(t[1].y, 46);
    EXPECT_DOUBLE_EQ(t[1].height, 7);
}

TEST_F(Writeback, HeightZeroWritesNoTextButFinishesTheSegments) {
    open_drawing("A.DXF", dxf_drawing(""));
    config().wire_defs[0].t_height = 0;
    seg(0, 1, 0, 100, 50, 100, 12);
    seg(0, 1, 0, 90, 50, 90, 13, 1);
    write_wire_numbers(log);
    EXPECT_TRUE(texts().empty());
    for (const WireSegment& s : store().wires[0]) EXPECT_EQ(s.state, SEG_WRITTEN);
}

TEST_F(Writeback, TheTextWidthComesFromTheCurrentStyle) {
    open_drawing("A.DXF", dxf_drawing("", {}, dxf_style("NARROW", 0.75)));
    EXPECT_DOUBLE_EQ(text_width_factor(), 1.0) << "STANDARD is not in the table";
    struct resbuf v {};
    v.restype = RTSTR;
    v.resval.rstring = const_cast<char*>("NARROW");
    ASSERT_EQ(ads_setvar("TEXTSTYLE", &v), RTNORM);
    EXPECT_DOUBLE_EQ(text_width_factor(), 0.75);
    seg(0, 1, 0, 100, 50, 100, 12);
    write_wire_numbers(log);
    auto t = entities_of("TEXT", kLayer);
    ASSERT_EQ(t.size(), 1u);
    EXPECT_DOUBLE_EQ(t[0].width, 0.75);
}

TEST_F(Writeback, AnEarlierRunsTextsAndBlocksAreErased) {
    open_drawing("A.DXF", dxf_drawing(dxf_line(kLayer, 0, 100, 50, 100) + dxf_text(kLayer, 2.2, 101.5, "W99") +
                                          dxf_insert("WIRENODE", kLayer, 5, 5) + dxf_text("NOTES", 0, 0, "keep") +
                                          dxf_text("VUZA1WCR_WIRE_CONTROL", 0, 0, "old") +
                                          dxf_line("VUZA1WCR_WIRE_CONTROL", 0, 0, 1, 1),
                                      {"WIRENODE"}));
    seg(0, 1, 0, 100, 50, 100, 12);
    write_wire_numbers(log);
    EXPECT_EQ(texts(), std::vector<std::string>{"W12"});
    EXPECT_TRUE(entities_of("INSERT", kLayer).empty());
    EXPECT_EQ(entities_of("LINE", kLayer).size(), 1u) << "the wires stay";
    EXPECT_EQ(entities_of("TEXT", "NOTES").size(), 1u);
    EXPECT_TRUE(entities_of("TEXT", "VUZA1WCR_WIRE_CONTROL").empty());
    EXPECT_TRUE(entities_of("LINE", "VUZA1WCR_WIRE_CONTROL").empty());
    EXPECT_EQ(error_code(), 0);
}

// The host refusing a command the write-back needs, as a command that
// ends rejected whatever it is given.
void refuse(cadhost::cmd::CommandLine& cl, const char* name) {
    cl.add({name, [](cadhost::cmd::CommandLine&) { return cadhost::cmd::CmdStatus::Rejected; }});
}

TEST_F(Writeback, ARefusedEraseLeavesItsTypeUnwrittenAndFails) {
    open_drawing("A.DXF", dxf_drawing(dxf_text(kLayer, 2.2, 101.5, "W99")));
    seg(0, 1, 0, 100, 50, 100, 12);
    seg(1, 1, 0, 50, 50, 50, 7);  // PH1: its layer is made, nothing to erase
    refuse(*cl, "ERASE");
    EXPECT_EQ(write_wire_numbers(log), 0);
    EXPECT_EQ(error_code(), 3041);
    EXPECT_EQ(texts(), std::vector<std::string>{"W99"}) << "no second text beside the one left";
    EXPECT_EQ(store().wires[0][0].state, SEG_DONE) << "not written";
    auto ph1 = entities_of("TEXT", "WCR_WIRE_PH1");
    ASSERT_EQ(ph1.size(), 1u) << "the other types are still written";
    EXPECT_EQ(store().wires[1][0].state, SEG_WRITTEN);
}

TEST_F(Writeback, ARefusedLayerCommandFails) {
    // Making the layer, and making an existing one current.
    for (bool layer_there : {false, true}) {
        SCOPED_TRACE(layer_there);
        open_drawing("A.DXF", dxf_drawing(layer_there ? dxf_line(kLayer, 0, 0, 1, 1) : ""));
        store().wires[0].clear();
        seg(0, 1, 0, 100, 50, 100, 12);
        refuse(*cl, "LAYER");
        error_code() = 0;
        EXPECT_EQ(write_wire_numbers(log), 0);
        EXPECT_EQ(error_code(), 3042);
        EXPECT_TRUE(texts().empty());
        EXPECT_EQ(store().wires[0][0].state, SEG_DONE);
    }
}

TEST_F(Writeback, AMissingLayerIsMadeOnlyForATypeWithWires) {
    open_drawing("A.DXF", dxf_drawing(""));
    seg(1, 2, 0, 100, 50, 100, 7);  // PH1: wires, but none on this sheet
    write_wire_numbers(log);
    EXPECT_EQ(ads_tblsearch("LAYER", "WCR_WIRE_CONTROL", 0), nullptr);
    struct resbuf* ph1 = ads_tblsearch("LAYER", "WCR_WIRE_PH1", 0);
    ASSERT_NE(ph1, nullptr);
    int colour = 0;
    for (struct resbuf* r = ph1; r; r = r->rbnext)
        if (r->restype == 62) colour = r->resval.rint;
    EXPECT_EQ(colour, 1);
    ads_relrb(ph1);
    struct resbuf layer {};
    ASSERT_EQ(ads_getvar("CLAYER", &layer), RTNORM);
    EXPECT_STREQ(layer.resval.rstring, "0") << "the current layer is given back";
    free(layer.resval.rstring);
}

TEST_F(Writeback, NodeBlocksAtTheSheetsNodes) {
    open_drawing("A.DXF", dxf_drawing(""));
    seg(0, 1, 0, 100, 100, 100, 1);
    seg(0, 1, 50, 100, 50, 50, 1);
    store().nodes[0].push_back({3, {60, 100}});
    store().nodes[0].push_back({1, {50, 100}});
    store().nodes[0].push_back({2, {70, 100}});
    store().nodes[0].push_back({1, {80, 100}});
    store().nodes[0].push_back({2, {40, 100}});
    write_wire_numbers(log);
    auto blocks = entities_of("INSERT", kLayer);
    ASSERT_EQ(blocks.size(), 2u) << out;
    EXPECT_EQ(blocks[0].block, "WIRENODE");
    EXPECT_DOUBLE_EQ(blocks[0].x, 50);
    EXPECT_DOUBLE_EQ(blocks[1].x, 80);
    struct resbuf* block = ads_tblsearch("BLOCK", "WIRENODE", 0);
    EXPECT_NE(block, nullptr);
    ads_relrb(block);
    EXPECT_EQ(log_text(), "\nUpdating wire number information...");

    // The next sheet gets its own, in the order they were made.
    open_drawing("B.DXF", dxf_drawing(""));
    sheet(2);
    write_wire_numbers(log);
    blocks = entities_of("INSERT", kLayer);
    ASSERT_EQ(blocks.size(), 2u) << out;
    EXPECT_DOUBLE_EQ(blocks[0].x, 70);
    EXPECT_DOUBLE_EQ(blocks[1].x, 40);
}

TEST_F(Writeback, WithoutTheBlockFileTextsAreStillWritten) {
    std::filesystem::remove(on_c("WCRAFT/WIRENODE.DXF"));
    open_drawing("A.DXF", dxf_drawing(""));
    seg(0, 1, 0, 100, 100, 100, 1);
    store().nodes[0].push_back({1, {50, 100}});
    write_wire_numbers(log);
    EXPECT_EQ(texts(), std::vector<std::string>{"W1"});
    EXPECT_TRUE(entities_of("INSERT", kLayer).empty());
    EXPECT_EQ(log_text(), "\nUpdating wire number information...\n:Warning, WIRENODE.DXF block not found...");
}

// The write-back as a walk from every finished segment over the rest of
// its sheet: the texts it makes, in order, and the marks it leaves.
struct Made {
    std::string text;
    double x, y;
    bool operator==(const Made&) const = default;
};

std::vector<Made> walk_from_every_segment(std::vector<WireSegment>& list, short sheet, const WireDefn& w) {
    std::vector<Made> made;
    for (size_t i = 0; i < list.size(); ++i) {
        if (list[i].sheet != sheet || list[i].state != SEG_DONE) continue;
        list[i].label = 1;
        std::string text = wire_number_text(list[i].wire_number, w.pp_mode, w.pp_val.c_str());
        int number = list[i].wire_number;
        for (size_t k = i; k < list.size() && list[k].sheet == sheet; ++k) {
            WireSegment& u = list[k];
            if (u.wire_number != number) continue;
            if (u.label == 1) {
                bool vertical = u.start.x == u.end.x;
                made.push_back({text, vertical ? u.start.x + w.y_off : u.start.x + w.x_off,
                                vertical ? u.start.y - w.x_off - w.t_height : u.start.y + w.y_off});
            }
            u.state = SEG_WRITTEN;
        }
    }
    return made;
}

TEST_F(Writeback, AgreesWithTheWalkFromEverySegment) {
    std::mt19937 rng(20240611);
    for (int round = 0; round < 12; ++round) {
        open_drawing("R" + std::to_string(round) + ".DXF", dxf_drawing(""));
        store().reset();
        const short sheets = 4, on = static_cast<short>(1 + round % sheets);
        // From round 6 on the sheets come in blocks out of order, as after a
        // sheet read with a lower number: one sheet's segments in several runs.
        const bool interleaved = round >= 6;
        for (short b = 1; b <= sheets; ++b) {
            for (int k = 0; k < 150; ++k) {
                short s = interleaved ? static_cast<short>(1 + (b + k / 20) % sheets) : b;
                double x = static_cast<double>(rng() % 40), y = static_cast<double>(200 - k);
                bool vertical = rng() % 2;
                int state = rng() % 8 == 0 ? SEG_UNVISITED : SEG_DONE;
                seg(0, s, x, y, vertical ? x : x + 5, vertical ? y - 5 : y, static_cast<int>(rng() % 12) - 2,
                    rng() % 6 == 0, state);
            }
        }
        sheet(on);
        std::vector<WireSegment> expected = store().wires[0];
        std::vector<Made> want = walk_from_every_segment(expected, on, config().wire_defs[0]);
        write_wire_numbers(log);
        std::vector<Made> got;
        for (const Ent& e : entities_of("TEXT", kLayer)) got.push_back({e.text, e.x, e.y});
        EXPECT_EQ(got, want) << "round " << round;
        ASSERT_EQ(store().wires[0].size(), expected.size());
        for (size_t i = 0; i < expected.size(); ++i) {
            EXPECT_EQ(store().wires[0][i].state, expected[i].state) << i;
            EXPECT_EQ(store().wires[0][i].label, expected[i].label) << i;
        }
    }
}

}  // namespace
}  // namespace wcraft::test
