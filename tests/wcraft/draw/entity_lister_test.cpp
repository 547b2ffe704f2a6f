// The entity lister on one drawing holding one entity of every kind it
// tells apart, each picked by a point on it.
#include "draw/entity_lister.h"
#include "ads.h"
#include "draw_fixture.h"
#include "dxf_text.h"
#include "host/module_state.h"

namespace wcraft::test {
namespace {

const std::string I(19, ' ');  // the lister's indent

std::string attrib(const std::string& tag, const std::string& value, double x, double y, int centred = 0) {
    std::string t = g(0, "ATTRIB") + g(8, "0") + point(10, x, y) + g(40, "2.5") + g(1, value) + g(2, tag) + g(70, "0");
    if (centred) t += g(72, "1") + point(11, x + 5, y + 1);
    return t;
}

std::string block_with(const std::string& block, const std::string& layer, double x, double y,
                       const std::string& attributes) {
    return g(0, "INSERT") + g(8, layer) + g(66, "1") + g(2, block) + point(10, x, y) + attributes + g(0, "SEQEND") +
           g(8, layer);
}

std::string closed_polyline(const std::string& layer, double x1, double y1, double x2, double y2) {
    std::string t = g(0, "POLYLINE") + g(8, layer) + g(66, "1") + point(10, 0, 0) + g(70, "1");
    for (auto [x, y] : {std::pair{x1, y1}, {x1, y2}, {x2, y2}, {x2, y1}})
        t += g(0, "VERTEX") + g(8, layer) + point(10, x, y) + g(70, "0");
    return t + g(0, "SEQEND") + g(8, layer);
}

std::string lwpolyline(const std::string& layer, std::initializer_list<std::pair<double, double>> pts) {
    std::string t = g(0, "LWPOLYLINE") + g(8, layer) + g(90, std::to_string(pts.size())) + g(70, "0");
    for (auto [x, y] : pts) t += g(10, num(x)) + g(20, num(y));
    return t;
}

class ListEntity : public DrawTest {
protected:
    void SetUp() override {
        DrawTest::SetUp();
        std::string e = dxf_line("WCR_WIRE_PH1", 10, 40, 10, 10) + dxf_line("0", 200, 0, 220, 0) +
                        closed_polyline("WCR_ZONE_RACK_1", 300, 300, 400, 350) +
                        lwpolyline("WCR_ZONE_RACK_2", {{500, 500}, {500, 600}, {600, 600}}) +
                        block_with("WLINKU", "0", 1000, 0, attrib("LINK", "12", 1000, 2)) +
                        block_with("WLINKD", "WCR_WIRE_LINK_LAYER", 1100, 0, attrib("LTP", "x", 1100, 2)) +
                        block_with("RLMARKER", "WCR_RELAY_MARK_LAYER", 1200, 0, attrib("IREF", "K1", 1200, 2)) +
                        dxf_insert("WIRENODE", "WCR_WIRE_PH1", 1300, 0) +
                        block_with("RLCOIL", "0", 1400, 0,
                                   attrib("ref", "K1", 1400, 3) + attrib("CID", "COIL", 1400, 5) +
                                       attrib("ID", "A1", 1395, 0, 1) + attrib("ID", "A2", 1405, 0) +
                                       attrib("CV", "24V", 1400, 7)) +
                        block_with("CONTNO", "0", 1500, 0, attrib("REF", "K1", 1500, 3) + attrib("CID", "noc", 1500, 5)) +
                        block_with("LAMP", "0", 1600, 0,
                                   attrib("REF", "LP1", 1600, 3) + attrib("TAG", "LAMP", 1600, 5) +
                                       attrib("CID", "X", 1600, 7) + attrib("REFNO", "LP-24-G", 1600, 9) +
                                       attrib("USER", "u", 1600, 11)) +
                        block_with("TERMH", "0", 1700, 0, attrib("REF", "1", 1700, 3) + attrib("TAG", "termblk2", 1700, 5)) +
                        dxf_insert("PLAIN", "0", 1800, 0);
        open_drawing("L.DXF", dxf_drawing(e, {"WLINKU", "WLINKD", "RLMARKER", "WIRENODE", "RLCOIL", "CONTNO", "LAMP",
                                              "TERMH", "PLAIN"}));
    }
    // Lists the entity at the point; the output after the heading.
    std::string list_at(const char* at) {
        out.clear();
        type(std::string(at) + "\n");
        EXPECT_EQ(list_entity_command(), 1);
        std::string heading = "\n" + I + "     ======================================\n" + I +
                              "     =  Wirecraft, list entity  =\n" + I + "     ======================================\n";
        size_t h = out.find(heading);
        EXPECT_NE(h, std::string::npos) << out;
        return h == std::string::npos ? out : out.substr(h + heading.size());
    }
    static std::string line(const std::string& text) { return "\n" + I + text; }
};

TEST_F(ListEntity, AWireNamesItsTypeAndEnds) {
    EXPECT_EQ(list_at("10,20"), line("  Selected entity is a WIRE :-") + line("     Name .....: PH1") +
                                    line("     Layer ....: WCR_WIRE_PH1") + line("     Colour ...: RED") +
                                    line("     Size .....: ") + line("     Signal ...: Phase 1") +
                                    line("  from x,y(10.000000, 40.000000)") + line("  to   x,y(10.000000, 10.000000)"));
}

TEST_F(ListEntity, ALineOnNoWireLayerGoesToTheHostList) {
    std::string got = list_at("210,0");
    EXPECT_EQ(got.find("WIRE"), std::string::npos) << got;
    EXPECT_NE(got.find("LINE"), std::string::npos) << got;
    EXPECT_NE(got.find("Layer: \"0\""), std::string::npos) << got;
}

TEST_F(ListEntity, AZoneNamesItsLevelAndBox) {
    EXPECT_EQ(list_at("300,320"), line("  Selected entity is a ZONE :-") + line("     Zone name...: RACK_1") +
                                      line("     Level ......: SUB-RACK") + line("     Parent zone.: CUBICLE_1") +
                                      line("     Layer ......: WCR_ZONE_RACK_1") +
                                      line("Zone from blx,y(300.000000, 300.000000)") +
                                      line("     to   trx,y(400.000000, 350.000000)"));
    std::string bad = list_at("500,550");
    EXPECT_NE(bad.find(line("     Zone name...: RACK_2")), std::string::npos) << bad;
    EXPECT_NE(bad.find("\n" + I + "     Layer ......: WCR_ZONE_RACK_2" + I + " *Invalid zone boundry*"),
              std::string::npos)
        << "three vertices are no box: " << bad;
}

TEST_F(ListEntity, AWireLinkOnTheWrongLayerSaysHowToActivateIt) {
    EXPECT_EQ(list_at("1001,0"), line("  Selected entity is a WIRELINK :-") + line("On incorrect layer, 0") +
                                     line("To make link active, change layer to WCR_WIRE_LINK_LAYER") +
                                     line("Insertion point x,y(1000.000000, 0.000000)") +
                                     line("  Wire link attribute, LINK found") + line("     Link value is : 12"));
    std::string other = list_at("1101,0");
    EXPECT_NE(other.find(line("On correct layer : WCR_WIRE_LINK_LAYER")), std::string::npos) << other;
    EXPECT_NE(other.find(line("Wirelink attribute, LINK - Missing or incorrect!")), std::string::npos) << other;
    EXPECT_EQ(other.find("Layer: "), std::string::npos) << "no host LIST after a recognised link";
}

TEST_F(ListEntity, ARelayMarkerAndAWireNode) {
    EXPECT_EQ(list_at("1201,0"), line("  Selected entity is a RELAY MARKER Block :-") +
                                     line("  On correct layer : WCR_RELAY_MARK_LAYER") +
                                     line("     Insertion point x,y(1200.000000, 0.000000)") +
                                     line("  Relay Marker attribute, IREF found") + line("   Marker value is : K1"));
    EXPECT_EQ(list_at("1301,0"), line("  Selected entity is a WIRENODE :-") +
                                     line("Inserted at point x,y(1300.000000, 0.000000)"));
}

TEST_F(ListEntity, ACoilWithItsAttributesAndConnectionPoints) {
    EXPECT_EQ(list_at("1401,0"), line("Selected entity is a Wirecraft BLOCK :-") +
                                     line("Component identification : relay COIL") +
                                     line("Insertion point x,y(1400.000000, 0.000000)") +
                                     line("  Wirecraft Block attributes :-") + line("  REF (REF) = K1") +
                                     line("  CV (CV) = 24V") + line("  CID (CID) = COIL") +
                                     line("Connection point ID (ID) attribute nodes :-") +
                                     line("  ID node [A1] at x,y(1400.000000, 1.000000)") +
                                     line("  ID node [A2] at x,y(1405.000000, 0.000000)"));
}

TEST_F(ListEntity, ContactsListedComponentsAndTerminals) {
    std::string contact = list_at("1501,0");
    EXPECT_NE(contact.find(line("Component identification : N/O CONTACT") + line("Insertion point")),
              std::string::npos)
        << contact;
    EXPECT_NE(contact.find(line("     None found...")), std::string::npos) << contact;
    std::string lamp = list_at("1601,0");
    EXPECT_NE(lamp.find(line("Component identification : Listed component, LAMP")), std::string::npos) << lamp;
    EXPECT_NE(lamp.find(line("  REF (REF) = LP1") + line("  TAG (TAG) = LAMP") + line("  CID (CID) = X") +
                        line("  BOM (REFNO) = LP-24-G") + line("Connection point ID")),
              std::string::npos)
        << "USER is not printed: " << lamp;
    std::string term = list_at("1701,0");
    EXPECT_NE(term.find(line("Component identification : Terminal, termblk2")), std::string::npos) << term;
    config().term_defs[1].name = "OTHER";
    term = list_at("1701,0");
    EXPECT_NE(term.find(line("Component identification : Unlisted component")), std::string::npos) << term;
}

TEST_F(ListEntity, EqualIdentificationsPrintEveryMatch) {
    config().no_id = "COIL";
    std::string coil = list_at("1401,0");
    EXPECT_NE(coil.find(line("Component identification : relay COILN/O CONTACT")), std::string::npos) << coil;
}

TEST_F(ListEntity, APlainBlockSaysItsREFIsMissingThenTheHostLists) {
    std::string got = list_at("1801,0");
    std::string missing = line("Selected entity is a BLOCK :-") + line("REF attribute, (REF) missing!");
    ASSERT_EQ(got.find(missing), 0u) << got;
    EXPECT_NE(got.find("INSERT", missing.size()), std::string::npos) << got;
    EXPECT_NE(got.find("\"PLAIN\"", missing.size()), std::string::npos) << got;
    EXPECT_EQ(error_code(), 0) << "the last entity of the drawing has nothing after it to walk";
}

TEST_F(ListEntity, NothingPickedListsNothing) {
    type("\n");
    list_entity_command();
    type("5000,5000\n");
    list_entity_command();
    EXPECT_EQ(out.find("Wirecraft, list entity"), std::string::npos) << out;
}

}  // namespace
}  // namespace wcraft::test
