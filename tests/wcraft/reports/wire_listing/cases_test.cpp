// The wire listing on small hand-made projects: the whole report of an
// interzone wire under the default zones, chains, exact points, zones the
// tree does not reach, empty projects and files that cannot be written.

#include <gtest/gtest.h>

#include <unistd.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "host/module_state.h"
#include "host/replace_file.h"
#include "listing_support.h"
#include "reports/wire_listing.h"
#include "../../../tools/scratch.h"

namespace wcraft::test {
namespace {

// Default zone indices.
constexpr int kSuite = 0, kCubicle1 = 1, kRack1 = 3;

const std::string kTitle = "\nWirecraft 5 - Point to point wire listing : Project name (NONAME), Title (No title)";
const std::string kColumns = "\n" + std::string(33, ' ') + "Wire" + std::string(64, ' ') +
                             "\nSource         : ID       :     Number    : Destination   : ID       : "
                             "Wirename           : Colour   : Size     : Signal   " +
                             "\n" + std::string(124, '-');
const std::string kUnconnectedHead = kTitle + "\n           Unconnected component listing" + "\nComponent" +
                                     std::string(87, ' ') + "\nReference      : ID         : Gridref        " +
                                     "\n" + std::string(45, '-');
const std::string kEnd = "\n\n*End of report*\f";

class WireListing : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        m_drive = std::filesystem::temp_directory_path() / ("wcraft-wl-" + std::to_string(getpid())) / info->name();
        fresh_module(m_drive);
    }
    void TearDown() override { test_tools::remove_scratch(m_drive); }

    // A component record with one ID point per entry of `ids`, named "1", "2", ...
    Component& record(const char* ref, int zone, const std::vector<XY>& ids, int16_t sheet = 1,
                      std::vector<Component>* list = nullptr) {
        Component c;
        c.sheet = sheet;
        c.ref = ref;
        c.zone = zone;
        c.grid = "1,A";
        for (size_t i = 0; i < ids.size(); ++i) c.ids.push_back(IdPoint{ids[i], {}, 0, 0, 0});
        for (size_t i = 0; i < ids.size(); ++i) c.ids[i].id = std::to_string(i + 1);
        (list ? *list : store().components).push_back(c);
        return (list ? *list : store().components).back();
    }
    void wire(XY from, XY to, int group, int number = 5, int16_t sheet = 1, int type = 0) {
        WireSegment s;
        s.sheet = sheet;
        s.start = from;
        s.end = to;
        s.group = group;
        s.wire_number = number;
        store().wires[type].push_back(s);
    }
    static std::string row(const char* src, const char* sid, const char* number, const char* dst, const char* did) {
        auto pad = [](std::string s, size_t w) { return s.size() < w ? s + std::string(w - s.size(), ' ') : s; };
        return "\n" + pad(src, 15) + " " + pad(sid, 10) + ":" + pad(number, 15) + ":" + pad(dst, 15) + " " +
               pad(did, 10) + ":" + pad("CONTROL", 20) + ":" + pad("WHITE", 10) + ":" + pad("2.5", 10) + ":" +
               pad("CONTROL", 10);
    }
    static Flags flags(const IdPoint& p) { return Flags{p.has_connection, p.is_connected, p.visited}; }
    std::string listing() {
        Outcome o = run_listing(false);
        EXPECT_EQ(o.result, 1);
        EXPECT_EQ(o.log, "\nCalculating PTP wire list...");
        return o.report;
    }

    std::filesystem::path m_drive;
};

std::string default_breakdown() {
    std::string s = "\nWirecraft 5 - point to point wire listing : Project name (NONAME), Title (No title)"
                    "\nBreakdown of zone levels ....:-\n-------------------------------\n"
                    "\n[0]  SUITE\n[1]     CUBICLE\n[2]        SUB-RACK\n[3]           ZONE";
    for (int i = 4; i <= 8; ++i) s += "\n[" + std::to_string(i) + "]  " + std::string(3 * i, ' ') + "*UNDEFINED";
    s += "\n\nBreakdown of zone boundaries :-\n-------------------------------\n"
         "\n[0]  CONTROL_SUITE\n[1]     CUBICLE_1\n[2]        RACK_1\n[2]        RACK_2"
         "\n[1]     CUBICLE_2\n[2]        RACK_3\n[2]        RACK_4";
    return s;
}

TEST_F(WireListing, AWireFromARackToItsCubicleIsListedFromTheRackOnly) {
    config().wire_sch = 1;
    record("K1", kCubicle1, {{50, 20}});
    record("X1", kRack1, {{10, 20}}, 1, &store().terminals);
    wire({10, 20}, {50, 20}, 1);
    std::string expected = default_breakdown() + "\f\n" + kTitle +
                           "\n           Interzone wire schedule, from level(SUB-RACK), zone(RACK_1) to "
                           "level(CUBICLE), zone(CUBICLE_1)" +
                           kColumns + row("X1", "1", "W5", "K1", "1") + "\f\n" + kUnconnectedHead + kEnd;
    EXPECT_EQ(listing(), expected);
    // The rack's point started the row; the cubicle's was the source of
    // nothing in the external pass and so ends visited.
    EXPECT_EQ(flags(store().terminals[0].ids[0]), (Flags{1, 1, 0}));
    EXPECT_EQ(flags(store().components[0].ids[0]), (Flags{1, 0, 1}));
}

TEST_F(WireListing, OnlyTheExternalListingWithoutZoneSchedulesAndNoLeadingFormFeed) {
    config().wire_sch = 0;
    record("K1", kRack1, {{0, 10}});
    record("K2", kRack1, {{10, 10}});
    record("K3", -1, {{20, 10}, {90, 90}});
    wire({0, 10}, {10, 10}, 1, 7);
    wire({10, 10}, {20, 10}, 1, 7);
    std::string expected = kTitle + "\n           External wiring listing " + kColumns + row("K1", "1", "W7", "K2", "1") +
                           row("K2", "1", "W7", "K3", "1") + "\f\n" + kUnconnectedHead +
                           "\nK3              : 2          : 1,A   " + kEnd;
    EXPECT_EQ(listing(), expected);
    // The chain's last point starts no row: its only candidates are connected.
    EXPECT_EQ(flags(store().components[0].ids[0]), (Flags{1, 1, 1}));
    EXPECT_EQ(flags(store().components[1].ids[0]), (Flags{1, 1, 1}));
    EXPECT_EQ(flags(store().components[2].ids[0]), (Flags{1, 0, 1}));
    EXPECT_EQ(flags(store().components[2].ids[1]), (Flags{0, 0, 1}));
}

TEST_F(WireListing, APointWiredInsideItsZoneAndBeyondGetsOnlyTheInternalRow) {
    config().wire_sch = 1;
    record("A", kRack1, {{0, 0}});
    record("B", kRack1, {{10, 0}});
    record("C", kCubicle1, {{20, 0}});
    wire({0, 0}, {10, 0}, 3);
    wire({0, 0}, {20, 0}, 3);
    std::string text = listing();
    Sections s = sections_of(text);
    EXPECT_EQ(s.internal, 1u);  // RACK_1 only: no other zone has internal wiring
    EXPECT_EQ(s.internal_rows, 1u);
    EXPECT_EQ(s.interzone_rows, 1u);  // B to C: A is connected by then
    EXPECT_EQ(s.external, 0u);
    EXPECT_NE(text.find(row("A", "1", "W5", "B", "1")), std::string::npos);
    EXPECT_NE(text.find(row("B", "1", "W5", "C", "1")), std::string::npos);
}

TEST_F(WireListing, WireEndsMeetPointsExactlyWithNegativeZeroEqualToZero) {
    config().wire_sch = 0;
    record("NEAR", -1, {{0, 5}, {10, 5}});
    wire({0, 5}, {std::nextafter(10.0, 11.0), 5}, 1);  // misses the second point by one ulp
    record("ZERO", -1, {{-0.0, 50}, {10, 50}});
    wire({0.0, 50}, {10, 50}, 2);
    std::string text = listing();
    EXPECT_EQ(sections_of(text).external_rows, 1u);
    EXPECT_NE(text.find(row("ZERO", "1", "W5", "ZERO", "2")), std::string::npos);
    EXPECT_EQ(sections_of(text).unconnected, 2u);
    EXPECT_NE(text.find("\nNEAR            : 1          : 1,A   "), std::string::npos);
}

TEST_F(WireListing, WireGroupsCarryTheConnectionToOtherSheetsButNotOtherTypes) {
    config().wire_sch = 0;
    record("S1", -1, {{0, 0}}, 1);
    record("S2", -1, {{0, 0}}, 2);
    record("T", -1, {{5, 5}}, 2);
    wire({0, 0}, {1, 0}, 4, 5, 1);
    wire({0, 0}, {1, 0}, 4, 5, 2);
    wire({5, 5}, {6, 5}, 4, 5, 2, 1);  // same group number, another wire type
    std::string text = listing();
    EXPECT_EQ(sections_of(text).external_rows, 1u);
    EXPECT_NE(text.find(row("S1", "1", "W5", "S2", "1")), std::string::npos);
}

TEST_F(WireListing, AZoneTheTreeDoesNotReachIsListedOnlyExternally) {
    config().wire_sch = 1;
    ZoneDefn& orphan = config().zone_defs[7];
    orphan.z_name = "ORPHAN";
    orphan.level = 1;
    orphan.parent = "NOWHERE";
    config().zone_defs[8].z_name = "*ND*";
    record("P", 7, {{0, 0}, {4, 0}});
    wire({0, 0}, {4, 0}, 1);
    std::string text = listing();
    EXPECT_EQ(text.find("ORPHAN"), std::string::npos);
    Sections s = sections_of(text);
    EXPECT_EQ(s.internal + s.interzone, 0u);
    EXPECT_EQ(s.external_rows, 1u);
}

TEST_F(WireListing, ZonesBelowTheNamedLevelsHaveAnEmptyLevelName) {
    config().wire_sch = 1;
    for (int z = 0; z <= 10; ++z) {
        ZoneDefn& d = config().zone_defs[z];
        d.z_name = "D" + std::to_string(z);
        d.level = z;
        d.parent = z == 0 ? "*" : "D" + std::to_string(z - 1);
    }
    config().zone_defs[11].z_name = "*ND*";
    record("P", 10, {{0, 0}, {4, 0}});
    wire({0, 0}, {4, 0}, 1);
    std::string text = listing();
    EXPECT_NE(text.find("\n[10]  " + std::string(30, ' ') + "D10"), std::string::npos);
    EXPECT_NE(text.find("Internal wiring schedule, level(), zone(D10)"), std::string::npos);
}

TEST_F(WireListing, TheZoneOrderStopsAt250Entries) {
    // Two top zones of one name (possible in a hand-made file) each take
    // all 200 sub-zones: 402 entries before the limit.
    config().wire_sch = 1;
    for (int z = 0; z < 202; ++z) {
        ZoneDefn& d = config().zone_defs[z];
        d.z_name = z < 2 ? "TOP" : "S" + std::to_string(z);
        d.level = z < 2 ? 0 : 1;
        d.parent = z < 2 ? "*" : "TOP";
    }
    config().zone_defs[202].z_name = "*ND*";
    std::string text = listing();
    size_t from = text.find("Breakdown of zone boundaries");
    size_t lines = 0;
    for (size_t p = text.find("\n[", from); p != std::string::npos; p = text.find("\n[", p + 1)) ++lines;
    EXPECT_EQ(lines, 250u);
    EXPECT_NE(text.find("\n[1]     S49\f"), std::string::npos);  // the second TOP's 48th sub-zone ends it
}

TEST_F(WireListing, AnEmptyProjectStillWritesTheUnconnectedListing) {
    config().wire_sch = 0;
    EXPECT_EQ(listing(), kUnconnectedHead + kEnd);
    config().wire_sch = 1;
    EXPECT_EQ(listing(), default_breakdown() + "\f\n" + kUnconnectedHead + kEnd);
}

TEST_F(WireListing, AFileThatCannotBeOpenedIsError2018AndNothingIsTouched) {
    fresh_module(m_drive, false);  // no PROCESS folder
    record("A", -1, {{0, 0}, {1, 0}});
    wire({0, 0}, {1, 0}, 1);
    Outcome o = run_listing(false);
    EXPECT_EQ(o.result, 0);
    EXPECT_EQ(o.error, 2018);
    EXPECT_EQ(o.log, "");
    EXPECT_EQ(o.flags, (std::vector<Flags>{{0, 0, 0}, {0, 0, 0}}));
}

TEST_F(WireListing, AListingThatCannotBeWrittenWholeIsReportedAsFailed) {
    if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
    // The listing is written beside the old one, which it then replaces.
    std::ofstream(listing_path()) << "the previous listing";
    std::filesystem::create_symlink("/dev/full", beside_name(listing_path().string()));
    record("A", -1, {{0, 0}, {1, 0}});
    error_code() = 0;
    EXPECT_EQ(write_wire_listing(nullptr), 0);
    EXPECT_EQ(error_code(), 2018);
    std::ifstream in(listing_path());
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "the previous listing");
}

}  // namespace
}  // namespace wcraft::test
