// Wires and wire links read from drawings into the store.
#include "extract/extract.h"
#include "extract/store.h"
#include "extract_fixture.h"
#include "host/module_state.h"

namespace wcraft::test {
namespace {

struct Seg {
    double sx, sy, ex, ey;
    short sheet;
    bool operator==(const Seg&) const = default;
};

std::vector<Seg> segs(int type) {
    std::vector<Seg> v;
    for (const WireSegment& w : store().wires[type]) v.push_back({w.start.x, w.start.y, w.end.x, w.end.y, w.sheet});
    return v;
}

std::ostream& operator<<(std::ostream& o, const Seg& s) {
    return o << "(" << s.sx << "," << s.sy << ")-(" << s.ex << "," << s.ey << ")@" << s.sheet;
}

class Wires : public ExtractTest {
protected:
    void SetUp() override {
        ExtractTest::SetUp();
        set_wires({{"CONTROL", "WCR_WIRE_CONTROL"}, {"POWER", "POWER"}});
    }
};

TEST_F(Wires, ReversedLinesStartAtTheUpperOrLeftEnd) {
    open_sheet(line("WCR_WIRE_CONTROL", 10, 5, 2, 5) + line("WCR_WIRE_CONTROL", 4, 1, 4, 9) +
               line("WCR_WIRE_CONTROL", 7, 7, 7, 7));
    EXPECT_EQ(extract_wires(log), 1);
    EXPECT_EQ(segs(0), (std::vector<Seg>{{4, 9, 4, 1, 1}, {7, 7, 7, 7, 1}, {2, 5, 10, 5, 1}}));
    const WireSegment& w = store().wires[0][0];
    EXPECT_EQ(w.wire_number + w.state + w.group + w.link + w.user_link + w.link_wire_type + w.link_pending + w.label, 0);
    EXPECT_EQ(error_code(), 0);
}

TEST_F(Wires, DiagonalLinesAreLoggedAndSkipped) {
    open_sheet(line("WCR_WIRE_CONTROL", 0, 0, 1, 1) + line("WCR_WIRE_CONTROL", 0, 3, 5, 3), 7);
    extract_wires(log);
    EXPECT_EQ(segs(0), (std::vector<Seg>{{0, 3, 5, 3, 7}}));
    EXPECT_NE(log_text().find("\n:Diagonal wire on sheet 007, ignored...\n:    Sp x(0.000000), y(0.000000) : Ep "
                              "x(1.000000), y(1.000000)"),
              std::string::npos)
        << log_text();
}

TEST_F(Wires, TypesReadInTableOrderUpToTheListEnd) {
    set_wires({{"CONTROL", "WCR_WIRE_CONTROL"}, {"SHARED", "WCR_WIRE_CONTROL"}, {"EMPTY", "NOTHING"}});
    config().wire_defs[4].w_name = "LATE";  // beyond the list end
    config().wire_defs[4].l_name = "OTHER";
    open_sheet(line("WCR_WIRE_CONTROL", 0, 0, 5, 0) + line("OTHER", 0, 1, 5, 1) + line("UNUSED", 0, 2, 5, 2));
    extract_wires(log);
    EXPECT_EQ(segs(0).size(), 1u);
    EXPECT_EQ(segs(1), segs(0)) << "a layer of two wire types is read into both lists";
    EXPECT_TRUE(store().wires[2].empty());
    EXPECT_TRUE(store().wires[4].empty());
    EXPECT_EQ(log_text(),
              "\nExtracting wire information..."
              "\n:Wirename : EMPTY, on layer NOTHING - None found!"
              "\nExtracting wire links..."
              "\n:No wire links found");
}

TEST_F(Wires, SortedBySheetThenTopDownThenLeftFirst) {
    open_sheet(line("POWER", 0, 10, 5, 10) + line("POWER", 20, 50, 20, 30) + line("POWER", 3, 50, 9, 50) +
                   line("POWER", 3, 50, 3, 20),
               1);
    extract_wires(log);
    open_sheet(line("POWER", 1, 99, 2, 99) + line("POWER", 0, 10, 5, 10), 2);
    extract_wires(log);
    EXPECT_EQ(segs(1), (std::vector<Seg>{{3, 50, 9, 50, 1},
                                         {3, 50, 3, 20, 1},  // equal start: read order kept
                                         {20, 50, 20, 30, 1},
                                         {0, 10, 5, 10, 1},
                                         {1, 99, 2, 99, 2},
                                         {0, 10, 5, 10, 2}}));
}

TEST_F(Wires, SheetRotateSortsLeftFirstThenTopDown) {
    config().sheet_rot = 1;
    open_sheet(line("POWER", 0, 10, 5, 10) + line("POWER", 20, 50, 20, 30) + line("POWER", 0, 50, 0, 20));
    extract_wires(log);
    EXPECT_EQ(segs(1), (std::vector<Seg>{{0, 50, 0, 20, 1}, {0, 10, 5, 10, 1}, {20, 50, 20, 30, 1}}));
}

// ---- wire links

struct Lk {
    double x, y;
    int link;
    std::string handle;
    bool operator==(const Lk&) const = default;
};

std::ostream& operator<<(std::ostream& o, const Lk& l) {
    return o << "(" << l.x << "," << l.y << ")=" << l.link << " " << l.handle;
}

std::vector<Lk> links() {
    std::vector<Lk> v;
    for (const WireLink& l : store().links) {
        EXPECT_TRUE(l.attached.empty());
        v.push_back({l.point.x, l.point.y, l.link, l.handle.c_str()});
    }
    return v;
}

std::string wlink(double x, double y, const std::string& value, const std::string& handle = "") {
    return insert("WLINKU", "WCR_WIRE_LINK_LAYER", x, y, {{"LINK", value, x + 1, y + 1}}, handle);
}

using WireLinks = Wires;

TEST_F(WireLinks, LinkValueIsTheLeadingInteger) {
    open_sheet(wlink(1, 1, "12", "A1") + wlink(2, 2, "12AB") + wlink(3, 3, "") + wlink(4, 4, "-7x") +
                   wlink(5, 5, "X9"),
               3);
    EXPECT_EQ(extract_wire_links(log), 1);
    ASSERT_EQ(links().size(), 5u);
    EXPECT_EQ(links()[0], (Lk{1, 1, 12, "A1"}));
    EXPECT_EQ(links()[1].link, 12);
    EXPECT_EQ(links()[2].link, 0) << "an empty value";
    EXPECT_EQ(links()[3].link, -7);
    EXPECT_EQ(links()[4].link, 0) << "no digits";
    EXPECT_EQ(store().links[0].sheet, 3);
}

TEST_F(WireLinks, NumbersBeyondTheLimitsAreRefused) {
    open_sheet(wlink(1, 1, "10000") + wlink(2, 2, "-10000") + wlink(3, 4, "10001") + wlink(5, 6, "-10001") +
                   wlink(7, 8, "99999999999999999999999"),
               2);
    extract_wire_links(log);
    EXPECT_EQ(links().size(), 2u);
    EXPECT_EQ(links()[0].link, 10000);
    EXPECT_EQ(links()[1].link, -10000);
    EXPECT_EQ(log_text(),
              "\nExtracting wire links..."
              "\n:Warning: Wire link number on sheet 2, x,y( 3.000000, 4.000000) outside MAX limit, ignored!"
              "\n:Warning: Wire link number on sheet 2, x,y( 5.000000, 6.000000) outside MAX limit, ignored!"
              "\n:Warning: Wire link number on sheet 2, x,y( 7.000000, 8.000000) outside MAX limit, ignored!");
}

TEST_F(WireLinks, OnlyLinkBlocksOnTheLinkLayerWithLinkFirst) {
    open_sheet(insert("WLINKD", "OTHER", 1, 1, {{"LINK", "4"}}) +                         // wrong layer
               insert("WLINKD", "WCR_WIRE_LINK_LAYER", 2, 2, {}) +                        // no attributes
               insert("WLINKD", "WCR_WIRE_LINK_LAYER", 3, 3, {{"X", "1"}, {"LINK", "5"}}) +  // LINK second
               insert("WLINKD", "WCR_WIRE_LINK_LAYER", 4, 4, {{"link", "6"}}) +           // tag case differs
               insert("MARK", "WCR_WIRE_LINK_LAYER", 5, 5, {{"LINK", "7"}}) +             // other block
               insert("WLINKR", "WCR_WIRE_LINK_LAYER", 6, 6, {{"LINK", "8"}}));
    extract_wire_links(log);
    ASSERT_EQ(links().size(), 1u);
    EXPECT_EQ(links()[0].link, 8);
    EXPECT_EQ(links()[0].x, 6);
    EXPECT_EQ(log_text(), "\nExtracting wire links...");
}

TEST_F(WireLinks, WireExtractionEndsWithTheLinks) {
    open_sheet(line("POWER", 0, 0, 5, 0) + wlink(5, 0, "3"));
    extract_wires(log);
    EXPECT_EQ(links().size(), 1u);
    EXPECT_EQ(store().wires[1].size(), 1u);
}

}  // namespace
}  // namespace wcraft::test
