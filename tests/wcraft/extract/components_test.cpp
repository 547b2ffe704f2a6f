// Blocks with attributes, zone boundaries and relay markers read from
// drawings; the entity access helpers on host entity data.
#include <cmath>

#include "extract/entity_access.h"
#include "extract/extract.h"
#include "extract/store.h"
#include "extract_fixture.h"
#include "host/module_state.h"

namespace wcraft::test {
namespace {

class Components : public ExtractTest {
protected:
    void SetUp() override {
        ExtractTest::SetUp();
        config().comp_defs[0].name = "motor";
        config().term_defs[0].name = "TERMBLK1";
        set_zones({{"Z0", "ZL0"}, {"Z1", "ZL1"}, {"Z2", "ZL2"}});
    }
    // Zones first, then components, as a run reads a sheet.
    void read_sheet(const std::string& entities, short sheet = 1) {
        open_sheet(entities, sheet);
        extract_zones(log);
        EXPECT_EQ(extract_components(log), 1);
    }
};

std::string block(double x, double y, const std::vector<Att>& atts) { return insert("SYM", "0", x, y, atts); }

TEST_F(Components, TheIdentifyingAttributesChooseTheList) {
    read_sheet(block(1, 1, {{"TAG", "MOTOR"}, {"REF", "M1"}}) +            // component (definition "motor")
               block(2, 1, {{"TAG", "MOTOR"}}) +                            // no REF: dropped
               block(3, 1, {{"TAG", "MOTOR"}, {"CID", "coil"}, {"REF", "K1"}}) +  // coil whatever its TAG
               block(4, 1, {{"CID", "NOC"}}) +                              // dropped
               block(5, 1, {{"CID", "tmc"}, {"REF", "K1"}}) +               // contact
               block(6, 1, {{"REF", "X1"}, {"TAG", "TERMBLK1"}}) +          // terminal
               block(7, 1, {{"REF", "Q1"}, {"TAG", "VALVE"}}) +             // unlisted
               block(8, 1, {{"REF", "Q2"}, {"CID", "OTHER"}}));            // unlisted
    Store& s = store();
    ASSERT_EQ(s.components.size(), 1u);
    EXPECT_EQ(s.components[0].ref, "M1");
    ASSERT_EQ(s.coils.size(), 1u);
    EXPECT_EQ(s.coils[0].point.x, 3);
    ASSERT_EQ(s.contacts.size(), 1u);
    EXPECT_EQ(s.contacts[0].cid, "tmc");
    ASSERT_EQ(s.terminals.size(), 1u);
    EXPECT_EQ(s.terminals[0].ref, "X1");
    ASSERT_EQ(s.unlisted.size(), 2u);
    EXPECT_EQ(s.unlisted[0].ref, "Q1");
    EXPECT_EQ(s.unlisted[1].ref, "Q2");
}

TEST_F(Components, FieldsAreCopiedAndCut) {
    read_sheet(insert("SYM", "0", 40, 30,
                      {{"ref", "K12345678901234567890"}, {"CV", "24V"}, {"REFNO", "B7"}, {"REFATT", "ATT"},
                       {"TAG", "T"}, {"CID", "C"}, {"USER", "U"}, {"OTHER", "ignored"}},
                      "2F"),
               12);
    ASSERT_EQ(store().unlisted.size(), 1u);
    const Component& c = store().unlisted[0];
    EXPECT_EQ(c.ref, "K1234567890123") << "14 characters kept";
    EXPECT_EQ(c.cv, "24V");
    EXPECT_EQ(c.bom, "B7");
    EXPECT_EQ(c.bomatt, "ATT");
    EXPECT_EQ(c.tag, "T");
    EXPECT_EQ(c.cid, "C");
    EXPECT_EQ(c.user, "U");
    EXPECT_EQ(c.handle, "2F");
    EXPECT_EQ(c.grid, "12,*") << "no grid read";
    EXPECT_EQ(c.zone, -1);
    EXPECT_EQ(c.sheet, 12);
    EXPECT_EQ(c.numbered, 0);
    EXPECT_TRUE(c.ids.empty());
}

TEST_F(Components, IdPointsInAttributeOrderAtTheirTextPoints) {
    Att left{"ID", "1234567890AB", 10, 20};
    Att centred{"id", "A2", 30, 40, 1, 33, 44};
    read_sheet(block(0, 0, {left, {"REF", "M1"}, centred}));
    ASSERT_EQ(store().unlisted.size(), 1u);
    const auto& ids = store().unlisted[0].ids;
    ASSERT_EQ(ids.size(), 2u);
    EXPECT_EQ(ids[0].id, "123456789") << "9 characters kept";
    EXPECT_EQ(ids[0].point.x, 10);
    EXPECT_EQ(ids[0].point.y, 20);
    EXPECT_EQ(ids[1].id, "A2");
    EXPECT_EQ(ids[1].point.x, 33) << "a centred attribute is placed by its alignment point";
    EXPECT_EQ(ids[1].point.y, 44);
    EXPECT_EQ(ids[1].has_connection + ids[1].is_connected + ids[1].visited, 0);
}

TEST_F(Components, SortedBySheetAndPosition) {
    read_sheet(block(5, 10, {{"REF", "A"}}) + block(1, 20, {{"REF", "B"}}) + block(0, 10, {{"REF", "C"}}) +
               block(0, 10, {{"REF", "D"}}));
    read_sheet(block(9, 99, {{"REF", "E"}}), 2);
    std::string order;
    for (const Component& c : store().unlisted) order += c.ref.view();
    EXPECT_EQ(order, "BCDAE");
}

TEST_F(Components, NoBlocksWithAttributes) {
    read_sheet(insert("SYM", "0", 1, 1, {}) + line("0", 0, 0, 1, 0), 4);
    EXPECT_EQ(log_text(),
              "\nExtracting zone information..."
              "\n:Zonename : Z0, on layer ZL0 - No zone boundary found!"
              "\n:Zonename : Z1, on layer ZL1 - No zone boundary found!"
              "\n:Zonename : Z2, on layer ZL2 - No zone boundary found!"
              "\nExtracting component information..."
              "\n:No blocks with attributes found on sheet 004!");
}

// ---- zones

std::string box(const std::string& layer, double x1, double y1, double x2, double y2) {
    return lwpolyline(layer, 1, {{x1, y1}, {x2, y1}, {x2, y2}, {x1, y2}});
}

TEST_F(Components, LowestZoneWinsAndOverlapsAreReportedInZoneOrder) {
    read_sheet(box("ZL2", 0, 0, 100, 100) + box("ZL0", 50, 50, 100, 100) + box("ZL0", 60, 60, 70, 70) +
                   box("ZL1", 0, 0, 50, 50) + block(50, 50, {{"REF", "A"}}) +  // edge of Z0, Z1 and Z2
                   block(10, 10, {{"REF", "B"}}) + block(200, 0, {{"REF", "C"}}),
               3);
    const auto& u = store().unlisted;
    ASSERT_EQ(u.size(), 3u);
    EXPECT_EQ(u[0].zone, 0);
    EXPECT_EQ(u[1].zone, 1);
    EXPECT_EQ(u[2].zone, -1);
    std::string t = log_text();
    std::string warnings = t.substr(t.find("\nExtracting component information..."));
    EXPECT_EQ(warnings,
              "\nExtracting component information..."
              "\n:Warning, Component in Zone Z1, overlaps Zone Z0 on sheet 3, Ignored!"
              "\n:Warning, Component in Zone Z2, overlaps Zone Z0 on sheet 3, Ignored!"
              "\n:Warning, Component in Zone Z2, overlaps Zone Z1 on sheet 3, Ignored!");
}

TEST_F(Components, BoundariesOfOtherSheetsDoNotCount) {
    read_sheet(box("ZL1", 0, 0, 10, 10), 1);
    read_sheet(block(5, 5, {{"REF", "A"}}), 2);
    ASSERT_EQ(store().unlisted.size(), 1u);
    EXPECT_EQ(store().unlisted[0].zone, -1);
    EXPECT_EQ(store().zones[1].size(), 1u);
}

TEST_F(Components, ZoneAttributeOverridesBoundaries) {
    config().zone_defs[1].z_name = "LONG_ZONE_NAME_19CH";
    read_sheet(box("ZL0", 0, 0, 100, 100) + block(1, 1, {{"REF", "A"}, {"ZONE", "LONG_ZONE_NAME_19CH"}}) +
               block(2, 1, {{"REF", "B"}, {"zone", "UNDEFINED"}}) + block(3, 1, {{"REF", "C"}, {"ZONE", "z2"}}));
    const auto& u = store().unlisted;
    ASSERT_EQ(u.size(), 3u);
    EXPECT_EQ(u[0].zone, 1);
    EXPECT_EQ(u[0].zone_text, "LONG_ZONE_NAME_19CH");
    EXPECT_EQ(u[1].zone, 0) << "an undefined zone name leaves the boundary's zone";
    EXPECT_EQ(u[1].zone_text, "UNDEFINED");
    EXPECT_EQ(u[2].zone, 0) << "zone names compare case-sensitive";
}

TEST_F(Components, BoundaryShapes) {
    read_sheet(polyline("ZL0", 1, {{0, 0}, {5, 0}, {5, 5}}) +                           // three vertices
                   polyline("ZL0", 1, {{1, 2}, {9, 2}, {9, 8}, {1, 8}, {50, 50}, {-5, -5}}) +  // first four count
                   polyline("ZL0", 0, {{0, 0}, {5, 0}, {5, 5}, {0, 5}}) +               // open
                   polyline("ZL0", 129, {{0, 0}, {5, 0}, {5, 5}, {0, 5}}) +             // closed plus other bits
                   lwpolyline("ZL0", 0, {{20, 30}, {10, 30}, {10, 40}, {20, 40}, {90, 90}}) +  // open is fine
                   lwpolyline("ZL0", 1, {{0, 0}, {5, 0}, {5, 5}}),
               6);
    const auto& z = store().zones[0];
    ASSERT_EQ(z.size(), 2u);
    EXPECT_EQ(z[0].bottom_left.x, 1);
    EXPECT_EQ(z[0].bottom_left.y, 2);
    EXPECT_EQ(z[0].top_right.x, 9);
    EXPECT_EQ(z[0].top_right.y, 8);
    EXPECT_EQ(z[1].bottom_left.x, 10);
    EXPECT_EQ(z[1].top_right.y, 40);
    EXPECT_EQ(z[1].sheet, 6);
    std::string invalid = "\n:Invalid zone boundary, sheet 6, zone Z0, Ignored!";
    std::string t = log_text();
    size_t n = 0;
    for (size_t at = t.find(invalid); at != std::string::npos; at = t.find(invalid, at + 1)) ++n;
    EXPECT_EQ(n, 4u) << t;
}

// ---- relay markers

TEST_F(Components, RelayMarkersTakeTheIrefAttribute) {
    Att iref{"iref", "K1-COIL-ABCDEFGHIJ", 5, 6, 1, 7, 8, 3.5, 90};  // rotation in degrees in the file
    open_sheet(insert("RLMARKER", "WCR_RELAY_MARK_LAYER", 1, 1, {{"OTHER", "x"}, iref}) +
                   insert("RLMARKER", "WCR_RELAY_MARK_LAYER", 2, 2, {{"OTHER", "x"}}) +
                   insert("RLMARKER", "ELSEWHERE", 3, 3, {iref}) + insert("RLMARKER", "WCR_RELAY_MARK_LAYER", 4, 4, {}),
               9);
    EXPECT_EQ(extract_relay_marks(log), 1);
    ASSERT_EQ(store().relay_marks.size(), 1u);
    const RelayMark& m = store().relay_marks[0];
    EXPECT_EQ(m.sheet, 9);
    EXPECT_EQ(m.point.x, 7);
    EXPECT_EQ(m.point.y, 8);
    EXPECT_EQ(m.height, 3.5);
    EXPECT_DOUBLE_EQ(m.rotation, M_PI / 2) << "radians, as the host gives it";
    EXPECT_EQ(m.iref, "K1-COIL-ABCDEF");
    EXPECT_EQ(log_text(),
              "\nExtracting relay contact display markers..."
              ":Error, missing attribute(IREF), on relay mark block(RLMARKER), sheet(9)");
    EXPECT_EQ(error_code(), 0);
}

TEST_F(Components, NoRelayMarkers) {
    open_sheet(line("0", 0, 0, 1, 0));
    extract_relay_marks(log);
    EXPECT_EQ(log_text(), "\nExtracting relay contact display markers...\n:No relay contact display markers found");
    EXPECT_TRUE(store().relay_marks.empty());
}

// ---- entity access on entity data the host builds

using EntityAccess = ExtractTest;

TEST_F(EntityAccess, PointIsTheAlignmentPointOfAJustifiedEntity) {
    ads_point at = {1, 2, 0}, align = {3, 4, 0};
    double x = 0, y = 0;
    resbuf* plain = ads_buildlist(10, at, 11, align, 72, 0, 73, 0, 0);
    EXPECT_EQ(entity_point(plain, x, y), 1);
    EXPECT_EQ(x, 1);
    EXPECT_EQ(y, 2);
    resbuf* middle = ads_buildlist(11, align, 74, 2, 10, at, 0);  // groups in any order
    entity_point(middle, x, y);
    EXPECT_EQ(x, 3);
    EXPECT_EQ(y, 4);
    resbuf* none = ads_buildlist(11, align, 0);
    x = y = 9;
    EXPECT_EQ(entity_point(none, x, y), 0);
    EXPECT_EQ(x, 9);
    EXPECT_EQ(out, "\nWCRAFT ARX error extracting block insertion point...");
    ads_relrb(plain), ads_relrb(middle), ads_relrb(none);
}

TEST_F(EntityAccess, HandlesUpToTwentyCharacters) {
    FixedText<20> h;
    resbuf* ok = ads_buildlist(5, "ABCDEF0123456789ABCD", 0);
    EXPECT_EQ(entity_handle(ok, h.ref()), 1);
    EXPECT_EQ(h, "ABCDEF0123456789ABCD");
    resbuf* big = ads_buildlist(5, "ABCDEF0123456789ABCDE", 0);
    EXPECT_EQ(entity_handle(big, h.ref()), 0);
    EXPECT_EQ(h, "ABCDEF0123456789ABCD") << "left unchanged";
    EXPECT_EQ(out, "\nError : Entity HANDLE too big!\nWCRAFT ARX error extracting block handle...");
    ads_relrb(ok), ads_relrb(big);
}

TEST_F(EntityAccess, AttributeTextsAreCutAndTheLastGroupWins) {
    FixedText<20> name, value;
    FixedText<40> layer;
    resbuf* ed = ads_buildlist(RTDXF0, "ATTRIB", 2, "FIRST", 1, "12345678901234567890", 2, "SECONDTAGISLONGER", 8,
                               "LAYER_NAME_OF_MORE_THAN_THIRTY_ONE_CHARACTERS", 0);
    EXPECT_EQ(is_attribute(ed), 1);
    attribute_name(ed, name.ref());
    attribute_value(ed, value.ref());
    entity_layer(ed, layer.ref());
    EXPECT_EQ(name, "SECONDTAGISLON");
    EXPECT_EQ(value, "12345678901234");
    EXPECT_EQ(layer, "LAYER_NAME_OF_MORE_THAN_THIRTY_");
    resbuf* other = ads_buildlist(RTDXF0, "attrib", 0);
    EXPECT_EQ(is_attribute(other), 0);
    EXPECT_EQ(attribute_value(other, value.ref()), 0);
    EXPECT_EQ(attribute_name(other, name.ref()), 0);
    EXPECT_EQ(entity_layer(other, layer.ref()), 0);
    EXPECT_EQ(out,
              "\nWCRAFT ARX error extracting attribute value..."
              "\nWCRAFT ARX error extracting attribute name..."
              "\nWCRAFT ARX error extracting block layername...");
    ads_relrb(ed), ads_relrb(other);
}

}  // namespace
}  // namespace wcraft::test
