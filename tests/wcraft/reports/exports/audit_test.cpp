// The audit: a whole dump of a small store, the " - none!" of every empty
// list, and the grid orientation names.
#include <gtest/gtest.h>

#include <string>

#include "exports_support.h"
#include "host/module_state.h"
#include "reports/exports.h"

namespace wcraft::test {

namespace {

class Audit : public ExportTest {
protected:
    void SetUp() override {
        ExportTest::SetUp();
        config().wire_defs[1].w_name = "*ND*";  // one wire type, one zone
        config().zone_defs[1].z_name = "*ND*";
    }
    std::string audit() {
        EXPECT_EQ(write_audit(log.file()), 1);
        return log.text();
    }
};

const char* const kTitle = "\n\n\fWirecraft Post processor Audit V1.0 \n==================================================";

TEST_F(Audit, EmptyStoreShowsNoneForEveryList) {
    EXPECT_EQ(audit(), std::string(kTitle) +
                           "\n\n:>Wire list ..."
                           "\n\nWire name : CONTROL - none!"
                           "\n\n:>Node points ... - none!"
                           "\n\n:>Wirelink list ... - none!"
                           "\n\n:>Phantom Wirelink list ... - none!"
                           "\n\n:>Relay contact mark list ... - none!"
                           "\n\n:>Grid references ...\n:Orientation : UNDEFINED - none!"
                           "\n\n:>Zone list ..."
                           "\n\nZone name :(0) CONTROL_SUITE - none!"
                           "\n\n:>Wirecraft Listed Components ... - none!"
                           "\n\n:>Wirecraft Listed Terminals ... - none!"
                           "\n\n:>Wirecraft Listed Relay Coils ... - none!"
                           "\n\n:>Wirecraft Listed Relay Contacts ... - none!"
                           "\n\n:>Wirecraft Unlisted components ... - none!");
    EXPECT_EQ(host().command_line, "");
}

TEST_F(Audit, EveryRecordWithItsWorkingFields) {
    Store& s = store();
    WireSegment w = segment(1, {10, 200}, {10, 150}, 1);
    w.group = 3;
    w.link = -10;
    w.user_link = -10;
    w.state = SEG_WRITTEN;
    s.wires[0] = {w};
    s.nodes[0] = {NodePoint{1, {10, 175}}};
    WireLink link;
    link.sheet = 1;
    link.point = {10, 150};
    link.link = -10;
    link.handle = "2A";
    s.links = {link};
    WireLink phantom;
    phantom.sheet = 2;
    phantom.point = {48, 100};
    phantom.link = -10001;
    s.phantoms = {phantom};
    RelayMark mark;
    mark.sheet = 1;
    mark.point = {100, 50};
    mark.height = 2.5;
    mark.rotation = 90;
    mark.iref = "K1";
    s.relay_marks = {mark};
    s.grid_orientation = GRID_HORIZONTAL;
    s.grid = {GridRef{{5, 290}, {}}};
    s.grid[0].text = "A";
    s.zones[0] = {ZoneBox{1, {0, 0}, {420, 297}}};
    Component pb = block(1, {50.5, 100}, "PB1");
    pb.handle = "3F";
    pb.grid = "1,B";
    pb.bom = "PB-22";
    pb.tag = "PUSH BUTTON";
    pb.ids = {IdPoint{{48, 100}, {}, 1, 0, 1}};
    pb.ids[0].id = "1";
    s.components = {pb};
    Component k1 = block(1, {100, 50}, "K1");
    k1.handle = "40";
    k1.cv = "24V";
    k1.cid = "COIL";
    k1.zone = 0;
    k1.xdata = {XdataNode{{}, XD_NO}};
    k1.xdata[0].name = "1/5";
    s.coils = {k1};
    Component k1c = block(2, {30, 40}, "K1");
    k1c.handle = "50";
    k1c.cid = "NOC";
    s.contacts = {k1c};

    EXPECT_EQ(audit(),
              std::string(kTitle) +
                  "\n\n:>Wire list ..."
                  "\n\nWire name : CONTROL"
                  "\nSh(1), sp(x=10.000000, y=200.000000), ep(x=10.000000, y=150.000000), No(1), Gp(3), Lk(-10), "
                  "Usrlk(-10), St(10)"
                  "\n\n:>Node points ..."
                  "\nSheet(1), Point x,y(10.000000, 175.000000)"
                  "\n\n:>Wirelink list ..."
                  "\nSheet(1), ip(x=10.000000, y=150.000000), link(-10), Handle(2A)"
                  "\n\n:>Phantom Wirelink list ..."
                  "\nSheet(2), ip(x=48.000000, y=100.000000), link(-10001), Handle()"
                  "\n\n:>Relay contact mark list ..."
                  "\nSheet(1), ip(x=100.000000, y=50.000000), height(2.500000), rot(90.000000), iref(K1)"
                  "\n\n:>Grid references ...\n:Orientation : HORIZONTAL"
                  "\nXpos(5.000000), Ypos(290.000000), Ref(A)"
                  "\n\n:>Zone list ..."
                  "\n\nZone name :(0) CONTROL_SUITE"
                  "\nSheet(1), Boundary  b/left x,y(x=0.000000, y=0.000000), t/right x,y(x=420.000000, y=297.000000)"
                  "\n\n:>Wirecraft Listed Components ..."
                  "\n\nSheet(1), ip(x=50.500000, y=100.000000), handle(3F), gridref(1,B), ref(PB1), cv()"
                  "\n   bomno(PB-22), bomatt(), tag(PUSH BUTTON), cid(), user(), zone(-1)"
                  "\n    - (ID) identification points ..."
                  "\n    - Idval(1), position x,y(48.000000, 100.000000), has_connection(1), is_connected(0)"
                  "\n\n:>Wirecraft Listed Terminals ... - none!"
                  "\n\n:>Wirecraft Listed Relay Coils ..."
                  "\n\nSheet(1), ip(x=100.000000, y=50.000000), handle(40), gridref(), ref(K1), cv(24V)"
                  "\n   bomno(), bomatt(), tag(), cid(COIL), user(), zone(0)"
                  "\n    - (ID) identification points ... - none!"
                  "\n       - XDATA  ..."
                  "\n       - Xdata(1/5), Type (1)  [ NO=1, NC=2, TM=3, COIL=4 ]"
                  "\n\n:>Wirecraft Listed Relay Contacts ..."
                  "\n\nSheet(2), ip(x=30.000000, y=40.000000), handle(50), gridref(), ref(K1), cv()"
                  "\n   bomno(), bomatt(), tag(), cid(NOC), user(), zone(-1)"
                  "\n    - (ID) identification points ... - none!"
                  "\n       - XDATA  ... - none!"
                  "\n\n:>Wirecraft Unlisted components ... - none!");
}

TEST_F(Audit, GridOrientationNames) {
    const std::pair<int32_t, const char*> cases[] = {
        {GRID_UNDEFINED, "UNDEFINED"}, {GRID_HORIZONTAL, "HORIZONTAL"}, {GRID_VERTICAL, "VERTICAL"}, {3, "UNDEFINED"},
        {-1, "UNDEFINED"}};
    for (const auto& [value, name] : cases) {
        SCOPED_TRACE(value);
        store().grid_orientation = value;
        MemoryLog one;
        write_audit(one.file());
        EXPECT_NE(one.text().find(std::string("\n:Orientation : ") + name + " - none!\n\n:>Zone list"),
                  std::string::npos);
    }
}

TEST_F(Audit, EmptyDefinitionListsShowNone) {
    config().wire_defs[0].w_name = "*ND*";
    config().zone_defs[0].z_name = "*ND*";
    std::string text = audit();
    EXPECT_NE(text.find("\n\n:>Wire list ... - none!\n\n:>Wirelink list ... - none!"), std::string::npos);
    EXPECT_NE(text.find("\n\n:>Zone list ... - none!\n\n:>Wirecraft Listed Components"), std::string::npos);
}

}  // namespace

}  // namespace wcraft::test
