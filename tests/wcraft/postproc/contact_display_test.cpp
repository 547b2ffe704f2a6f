// Relay contact display: the coil text lines and their layout, the contact
// blocks at the marker naming a coil, the coil text layer and the host
// variables around it, repeated runs, and the line length guard.
#include <cmath>
#include <filesystem>

#include "attribute_fixture.h"
#include "update/attribute_writeback.h"
#include "update/contact_display.h"

namespace wcraft::test {
namespace {

const char* kLayer = "WCR_COIL_TEXT_LAYER";

// A TEXT or INSERT on the coil text layer.
struct Drawn {
    std::string type, text, block, handle;
    double x = 0, y = 0, height = 0, rotation = 0;
    bool operator==(const Drawn& o) const {
        return type == o.type && text == o.text && block == o.block && x == o.x && y == o.y &&
               height == o.height && rotation == o.rotation;
    }
};

class ContactDisplay : public AttributeTest {
protected:
    void SetUp() override {
        AttributeTest::SetUp();
        for (const char* b : {"CTNOBLK", "CTNCBLK", "CTTMBLK"})
            std::filesystem::copy_file(std::string(CH_SOURCE_DIR) + "/support/wcraft/blocks/" + b + ".DXF",
                                       on_c(std::string("WCRAFT/") + b + ".DXF"));
    }
    // A coil block with REF and an RTP attribute at (100, 50), height 2.
    static std::string coil_block(const std::string& rtp, double rotation = 0) {
        return dxf_block("RLCOIL", "0", 90, 50, {{"REF", "K?"}, {"RTP", rtp, 100, 50, 2.0, rotation}});
    }
    Component& add_coil(const std::string& handle, const std::string& ref,
                        const std::vector<std::pair<int16_t, const char*>>& contacts, short on_sheet = 1) {
        store().coils.push_back(record(on_sheet, handle, ref, "1,C"));
        for (auto [type, place] : contacts) add_xdata_node(store().coils.back().xdata, type, place);
        return store().coils.back();
    }
    void add_mark(short on_sheet, const char* iref, double x, double y, double height, double rotation = 0) {
        RelayMark m;
        m.sheet = on_sheet;
        m.iref = iref;
        m.point = {x, y};
        m.height = height;
        m.rotation = rotation;
        store().relay_marks.push_back(m);
    }
    std::vector<Drawn> drawn(const std::string& type = "") {
        std::vector<Drawn> found;
        ads_name e;
        if (ads_entnext(nullptr, e) != RTNORM) return found;
        do {
            resbuf* ed = ads_entget(e);
            Drawn d;
            std::string layer;
            for (resbuf* rb = ed; rb; rb = rb->rbnext) {
                switch (rb->restype) {
                case 0: d.type = rb->resval.rstring; break;
                case 1: d.text = rb->resval.rstring; break;
                case 2: d.block = rb->resval.rstring; break;
                case 5: d.handle = rb->resval.rstring; break;
                case 8: layer = rb->resval.rstring; break;
                case 10: d.x = rb->resval.rpoint[0], d.y = rb->resval.rpoint[1]; break;
                case 40: d.height = rb->resval.rreal; break;
                case 50: d.rotation = rb->resval.rreal; break;
                }
            }
            ads_relrb(ed);
            if (layer == kLayer && (d.type == "TEXT" || d.type == "INSERT") && (type.empty() || d.type == type))
                found.push_back(d);
        } while (ads_entnext(e, e) == RTNORM);
        return found;
    }
    std::vector<std::string> texts() {
        std::vector<std::string> v;
        for (const Drawn& d : drawn("TEXT")) v.push_back(d.text);
        return v;
    }
    std::string var_text(const char* name) {
        resbuf rb{};
        if (ads_getvar(name, &rb) != RTNORM) return "<none>";
        std::string v = rb.restype == RTSTR ? rb.resval.rstring : std::to_string(rb.resval.rint);
        if (rb.restype == RTSTR) free(rb.resval.rstring);
        return v;
    }
    void set_var(const char* name, short v) {
        resbuf rb{};
        rb.restype = RTSHORT;
        rb.resval.rint = v;
        ASSERT_EQ(ads_setvar(name, &rb), RTNORM);
    }
};

// --- coil text ---

TEST_F(ContactDisplay, FiveContactsTwoALineGiveThreeLinesDownward) {
    open_drawing("A.DXF", dxf_drawing(coil_block("2"), {"RLCOIL"}));
    add_coil(insert_handles().at(0), "K1",
             {{XD_NO, "1,A"}, {XD_NC, "1,B"}, {XD_TM, "2,C"}, {XD_NO, "3,D"}, {XD_NO, "3,E"}});
    EXPECT_EQ(update_coil_refs(log), 1);
    std::vector<Drawn> t = drawn("TEXT");
    ASSERT_EQ(t.size(), 3u) << out;
    EXPECT_EQ(t[0].text, "1,A : %%O1,B%%O");
    EXPECT_EQ(t[1].text, "^2,C^ : 3,D");
    EXPECT_EQ(t[2].text, "3,E");
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(t[i].x, 100);
        EXPECT_EQ(t[i].height, 2.0);
        EXPECT_EQ(t[i].rotation, 0.0);
    }
    EXPECT_EQ(t[0].y, 50);
    EXPECT_EQ(t[1].y, 50 - 1.5 * 2.0);
    EXPECT_EQ(t[2].y, 50 - 1.5 * 2.0 - 1.5 * 2.0);
    EXPECT_EQ(value_of(insert_handles().at(0), "REF"), "K1");
    EXPECT_EQ(log_text(), "\nUpdating relay coil references...");
}

TEST_F(ContactDisplay, NoNumberOrZeroMeansTwoALine) {
    for (const char* rtp : {"0", "abc", ""}) {
        SCOPED_TRACE(rtp);
        store().reset();
        open_drawing("A.DXF", dxf_drawing(coil_block(rtp), {"RLCOIL"}));
        add_coil(insert_handles().at(0), "K1", {{XD_NO, "1,A"}, {XD_NO, "1,B"}, {XD_NO, "1,C"}});
        update_coil_refs(log);
        EXPECT_EQ(texts(), (std::vector<std::string>{"1,A : 1,B", "1,C"}));
    }
}

TEST_F(ContactDisplay, ARotatedRtpTurnsTheTextAndStepsRight) {
    open_drawing("A.DXF", dxf_drawing(coil_block("1", 0.25), {"RLCOIL"}));
    add_coil(insert_handles().at(0), "K1", {{XD_NO, "1,A"}, {XD_NO, "1,B"}});
    update_coil_refs(log);
    std::vector<Drawn> t = drawn("TEXT");
    ASSERT_EQ(t.size(), 2u);
    for (const Drawn& d : t) {
        EXPECT_NEAR(d.rotation, 1.570796327, 1e-12);  // the host keeps angles in degrees
        EXPECT_EQ(d.y, 50);
    }
    EXPECT_EQ(t[0].x, 100);
    EXPECT_EQ(t[1].x, 103);
}

TEST_F(ContactDisplay, ACoilWithoutRtpOrContactsGetsNoDisplay) {
    config().cont_blk = 1;
    open_drawing("A.DXF", dxf_drawing(dxf_block("RLCOIL", "0", 0, 0, {{"REF", "K?"}}) + coil_block("2"),
                                      {"RLCOIL"}));
    std::vector<std::string> h = insert_handles();
    add_coil(h[0], "K1", {{XD_NO, "1,A"}});
    add_coil(h[1], "K2", {});
    add_mark(1, "K1", 0, 0, 2.5);
    update_coil_refs(log);
    EXPECT_TRUE(drawn().empty());
    EXPECT_EQ(value_of(h[0], "REF"), "K1");
    EXPECT_EQ(value_of(h[1], "REF"), "K2");
    EXPECT_EQ(log_text(), "\nUpdating relay coil references..."
                          "\n:Error, missing attribute (RTP) on coil block (K1), gridref(1,C)");
}

// --- contact blocks ---

TEST_F(ContactDisplay, AChangeOverContactGivesTwoBlocksBelowItsMarker) {
    config().cont_blk = 1;
    open_drawing("A.DXF", dxf_drawing(coil_block("2"), {"RLCOIL"}));
    add_coil(insert_handles().at(0), "K1", {{XD_NO, "4,B"}, {XD_NC, "4,B"}, {XD_TM, "5,A"}});
    add_mark(2, "K1", 0, 0, 1.0);       // another sheet's
    add_mark(1, "k1", 200, 100, 2.5);   // the first of this sheet naming it, in any case
    add_mark(1, "K1", 300, 300, 2.5);   // only the first is used
    update_coil_refs(log);
    std::vector<Drawn> b = drawn("INSERT");
    ASSERT_EQ(b.size(), 3u) << out;
    EXPECT_EQ(b[0].block, "CTNOBLK");
    EXPECT_EQ(b[1].block, "CTNCBLK");
    EXPECT_EQ(b[2].block, "CTTMBLK");
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(b[i].x, 200);
        EXPECT_EQ(b[i].rotation, 0.0);
    }
    EXPECT_EQ(b[0].y, 100 - 1.5 * 2.5);
    EXPECT_EQ(b[1].y, 100 - 1.5 * 2.5 - 1.5 * 2.5);
    EXPECT_EQ(value_of(b[0].handle, "PLACE"), "4,B") << "the block's one attribute, answered at its prompt";
    EXPECT_EQ(value_of(b[1].handle, "PLACE"), "4,B");
    EXPECT_EQ(value_of(b[2].handle, "PLACE"), "5,A");
    EXPECT_EQ(texts(), (std::vector<std::string>{"4,B : %%O4,B%%O", "^5,A^"}));
    EXPECT_EQ(log_text(), "\nUpdating relay coil references...");
}

TEST_F(ContactDisplay, ARotatedMarkerTurnsTheBlocksAndStepsRight) {
    config().cont_blk = 1;
    open_drawing("A.DXF", dxf_drawing(coil_block("2"), {"RLCOIL"}));
    add_coil(insert_handles().at(0), "K1", {{XD_NO, "4,B"}, {XD_NO, "4,C"}});
    add_mark(1, "K1", 200, 100, 2.0, 0.01);
    update_coil_refs(log);
    std::vector<Drawn> b = drawn("INSERT");
    ASSERT_EQ(b.size(), 2u);
    EXPECT_DOUBLE_EQ(b[0].rotation, M_PI / 2);
    EXPECT_EQ(b[0].x, 203);
    EXPECT_EQ(b[1].x, 206);
    EXPECT_EQ(b[1].y, 100);
}

TEST_F(ContactDisplay, NoBlocksWithoutTheFlagOrAMarker) {
    open_drawing("A.DXF", dxf_drawing(coil_block("2"), {"RLCOIL"}));
    add_coil(insert_handles().at(0), "K1", {{XD_NO, "4,B"}});
    add_mark(1, "K1", 200, 100, 2.0);
    add_mark(1, "K2", 200, 100, 2.0);
    config().cont_blk = 0;
    update_coil_refs(log);
    EXPECT_TRUE(drawn("INSERT").empty());
    EXPECT_EQ(texts().size(), 1u);
    config().cont_blk = 1;
    store().coils[0].ref = "K3";  // named by no marker
    update_coil_refs(log);
    EXPECT_TRUE(drawn("INSERT").empty());
    EXPECT_EQ(texts().size(), 1u);
}

// --- the layer, the host variables and repeated runs ---

TEST_F(ContactDisplay, ARepeatedRunGivesTheSameDisplay) {
    config().cont_blk = 1;
    open_drawing("A.DXF", dxf_drawing(coil_block("2"), {"RLCOIL"}));
    add_coil(insert_handles().at(0), "K1", {{XD_NO, "4,B"}, {XD_NC, "4,B"}, {XD_NO, "6,A"}});
    add_mark(1, "K1", 200, 100, 2.5);
    update_coil_refs(log);
    std::vector<Drawn> first = drawn();
    ASSERT_EQ(first.size(), 5u);
    update_coil_refs(log);
    EXPECT_EQ(drawn(), first);
}

TEST_F(ContactDisplay, TheLayerIsMadeOrEmptiedAndTheVariablesGivenBack) {
    open_drawing("A.DXF", dxf_drawing(dxf_line("NOTES", 0, 0, 1, 1)));
    resbuf notes{};
    notes.restype = RTSTR;
    notes.resval.rstring = const_cast<char*>("NOTES");
    ASSERT_EQ(ads_setvar("CLAYER", &notes), RTNORM);
    set_var("ATTDIA", 1);
    set_var("ATTREQ", 0);
    ASSERT_EQ(ads_tblsearch("LAYER", kLayer, 0), nullptr);
    update_coil_refs(log);  // a sheet without coils
    resbuf* made = ads_tblsearch("LAYER", kLayer, 0);
    EXPECT_NE(made, nullptr);
    ads_relrb(made);
    EXPECT_EQ(var_text("CLAYER"), "NOTES");
    EXPECT_EQ(var_text("ATTDIA"), "1");
    EXPECT_EQ(var_text("ATTREQ"), "0");

    open_drawing("B.DXF", dxf_drawing(dxf_text(kLayer, 0, 0, "old") + dxf_line(kLayer, 0, 0, 5, 5) +
                                      dxf_text("NOTES", 0, 0, "keep")));
    update_coil_refs(log);
    EXPECT_TRUE(drawn().empty());
    EXPECT_EQ(entities_of("LINE", kLayer).size(), 0u);
    EXPECT_EQ(entities_of("TEXT", "NOTES").size(), 1u);
    EXPECT_EQ(var_text("CLAYER"), "0");
    EXPECT_EQ(error_code(), 0);
}

TEST_F(ContactDisplay, ARefusedEraseOrLayerCommandFailsThePreparation) {
    struct Case {
        const char* refused;
        bool layer_there;
    };
    for (const Case& c : {Case{"ERASE", true}, Case{"LAYER", true}, Case{"LAYER", false}}) {
        SCOPED_TRACE(std::string(c.refused) + (c.layer_there ? " on the layer" : " without the layer"));
        open_drawing("A.DXF", dxf_drawing(c.layer_there ? dxf_text(kLayer, 0, 0, "old") : dxf_line("0", 0, 0, 1, 1)));
        cl->add({c.refused, [](cadhost::cmd::CommandLine&) { return cadhost::cmd::CmdStatus::Rejected; }});
        set_var("ATTDIA", 1);
        error_code() = 0;
        CoilDisplaySaved saved;
        EXPECT_EQ(prepare_coil_display(saved), 0);
        EXPECT_EQ(error_code(), 3043);
        restore_coil_display(saved);
        EXPECT_EQ(var_text("ATTDIA"), "1") << "the variables are given back all the same";
    }
}

TEST_F(ContactDisplay, ARefusedPreparationWritesTheReferenceButNoText) {
    open_drawing("A.DXF", dxf_drawing(coil_block("2"), {"RLCOIL"}));
    cl->add({"LAYER", [](cadhost::cmd::CommandLine&) { return cadhost::cmd::CmdStatus::Rejected; }});
    add_coil(insert_handles().at(0), "K1", {{XD_NO, "1,A"}});
    error_code() = 0;
    update_coil_refs(log);
    EXPECT_EQ(error_code(), 3043);
    EXPECT_TRUE(texts().empty()) << out;
    EXPECT_EQ(value_of(insert_handles().at(0), "REF"), "K1");
}

// --- the line length guard ---

std::vector<XdataNode> places(int n, int16_t type = XD_NO) {
    std::vector<XdataNode> v;
    for (int i = 0; i < n; ++i) {
        char name[32];
        snprintf(name, sizeof name, "%03d,PLACES-%04d", i % 1000, i % 10000);  // 15 characters, the most a name holds
        add_xdata_node(v, type, name);
    }
    return v;
}

TEST(CoilTextLines, ALineThatWouldOverrunContinuesOnTheNext) {
    // 7 entries take 7 x 15 + 6 x 3 = 123 characters; an eighth would pass 127.
    std::vector<XdataNode> contacts = places(20);
    std::vector<std::string> lines = coil_text_lines(contacts, 10);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].size(), 123u);
    // The continued line counts its entries afresh: 7 again, not 3 to reach 10.
    EXPECT_EQ(lines[1].size(), 123u);
    std::string joined;
    for (const std::string& l : lines) {
        EXPECT_LE(l.size(), kCoilLineChars);
        joined += (joined.empty() ? "" : " : ") + l;
    }
    std::string want;
    for (const XdataNode& n : contacts) want += (want.empty() ? "" : " : ") + std::string(n.name.c_str());
    EXPECT_EQ(joined, want) << "every contact, in order";
    EXPECT_EQ(coil_text_lines(places(7), 1000).size(), 1u) << "123 characters fit";
    EXPECT_EQ(coil_text_lines(places(3, XD_NC), 4).size(), 1u);
}

TEST_F(ContactDisplay, AHugeRtpStillGivesLinesThatFit) {
    open_drawing("A.DXF", dxf_drawing(coil_block("99999999999999"), {"RLCOIL"}));
    Component& c = add_coil(insert_handles().at(0), "K1", {});
    config().nc_prefix = "%%O~";
    config().nc_postfix = "~%%O";
    c.xdata = places(9, XD_NC);  // 23 characters an entry with its prefix and postfix: 5 fill a line exactly
    update_coil_refs(log);
    std::vector<Drawn> t = drawn("TEXT");
    ASSERT_EQ(t.size(), 2u);
    EXPECT_EQ(t[0].text.size(), 5u * 23 + 4 * 3);
    EXPECT_EQ(t[1].y, 50 - 1.5 * 2.0);
}

}  // namespace
}  // namespace wcraft::test
