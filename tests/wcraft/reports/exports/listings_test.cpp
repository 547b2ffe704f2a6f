// The relay contact listing and the parts listing: whole files for small
// fixed projects, and the file that cannot be opened.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "exports_support.h"
#include "host/module_state.h"
#include "host/replace_file.h"
#include "reports/exports.h"

namespace wcraft::test {

namespace {

std::string spaces(size_t n) { return std::string(n, ' '); }

// The listing's heading for the default project, as each part of it is
// described: name line, indented title, two heading lines and the rule.
std::string relay_heading() {
    return "\nWirecraft - Relay contact listing : Project name (NONAME)"
           "\n" + spaces(46) + "Title (No title)"
           "\n\n  Coil              Coil" + spaces(58) +
           "\nReference      :   Voltage     : N/O : N/C : T/M : Zone               : Gridref   "
           "\n" + std::string(82, '-');
}

Component coil(const char* ref, const char* cv, std::initializer_list<int16_t> contacts) {
    Component c = block(1, {10, 10}, ref);
    c.cv = cv;
    c.cid = "COIL";
    for (int16_t type : contacts) c.xdata.push_back(XdataNode{ValueText{}, type});
    return c;
}

using RelayListing = ExportTest;

TEST_F(RelayListing, CoilLinesCountContactsByKindAndPadEveryColumn) {
    // A change-over contact is one NO and one NC node; with a timer
    // contact that is 1, 1, 1. The first coil lies in no zone; the second
    // has no contacts, a reference filling its column and a grid
    // reference longer than its column, which is written whole.
    Component k1 = coil("K1", "24V", {XD_NO, XD_NC, XD_TM});
    k1.grid = "1,B2";
    Component k2 = coil("K-LONGREFERENCE", "110V AC", {});
    k2.zone = 1;
    k2.grid = "120,ABC";
    store().coils = {k1, k2};

    ASSERT_EQ(write_relay_listing(log.file()), 1);
    EXPECT_EQ(report("RLF"), relay_heading() +
                                 "\nK1             :24V            : 1   : 1   : 1   :" + spaces(20) + ":1,B2  "
                                 "\nK-LONGREFERENCE:110V AC        : 0   : 0   : 0   :CUBICLE_1           :120,ABC"
                                 "\n\n*End of report*");
    EXPECT_EQ(log.text(), "\nCalculating relay contact listing...");
    // Written beside the listing it replaces, then moved into place.
    EXPECT_EQ(host().opened, std::vector<std::string>{"C:\\SYMVAULT\\LIBRARY\\WCRAFT\\PROCESS\\NONAME.$RL"});
    EXPECT_FALSE(std::filesystem::exists(host().folder / "NONAME.$RL"));
    EXPECT_EQ(error_code(), 0);
}

TEST_F(RelayListing, ProjectWithoutCoilsHasHeadingAndEndOnly) {
    ASSERT_EQ(write_relay_listing(log.file()), 1);
    EXPECT_EQ(report("RLF"), relay_heading() + "\n\n*End of report*");
}

TEST_F(RelayListing, ZoneIndexOutsideTheTableIsShownAsNoZone) {
    Component k = coil("K9", "24V", {});
    k.zone = kMaxZones;
    store().coils = {k};
    ASSERT_EQ(write_relay_listing(log.file()), 1);
    EXPECT_NE(report("RLF").find("\nK9             :24V            : 0   : 0   : 0   :" + spaces(20) + ":      "),
              std::string::npos);
}

using PartsListing = ExportTest;

TEST_F(PartsListing, CoilsThenComponentsTerminalsAndUnlistedWithBomNumbers) {
    Component rel = coil("K1", "24V", {XD_NO, XD_NC, XD_NO});
    rel.bom = "K-REL";
    Component no_bom = coil("K2", "24V", {XD_NO});  // no BOM number: not listed
    Component many = coil("K3", "", {});
    many.bom = "K-BIG";
    for (int i = 0; i < 12; ++i) many.xdata.push_back(XdataNode{ValueText{}, XD_TM});
    store().coils = {rel, no_bom, many};
    Component pb = block(1, {1, 1}, "PB1");
    pb.bom = "PB-22";
    pb.bomatt = "GREEN";
    Component lamp = block(1, {2, 1}, "LP1");  // no BOM number
    lamp.bomatt = "RED";
    store().components = {pb, lamp};
    Component tb = block(1, {3, 1}, "TB1");
    tb.bom = "TB-4MM-GREY-CL1";  // fills its column
    store().terminals = {tb};
    Component contact = block(1, {4, 1}, "K1");  // counted on its coil's line
    contact.bom = "AUX";
    store().contacts = {contact};
    Component other = block(1, {5, 1}, "X");
    other.bom = "MISC";
    other.bomatt = "1";
    store().unlisted = {other};

    ASSERT_EQ(write_parts_listing(log.file()), 1);
    EXPECT_EQ(report("PLF"), "\nK-REL" + spaces(10) + "24V:2 :1 :0 "
                             "\nK-BIG" + spaces(10) + ":0 :0 :12"
                             "\nPB-22" + spaces(10) + "GREEN" + spaces(10) +
                             "\nTB-4MM-GREY-CL1" + spaces(15) +
                             "\nMISC" + spaces(11) + "1" + spaces(14));
    EXPECT_EQ(log.text(), "\nCalculating parts listing...");
}

TEST_F(PartsListing, ProjectWithoutBomNumbersGivesAnEmptyFile) {
    store().coils = {coil("K1", "24V", {XD_NO})};
    store().components = {block(1, {1, 1}, "PB1")};
    ASSERT_EQ(write_parts_listing(log.file()), 1);
    EXPECT_EQ(report("PLF"), "");
}

// Every report: a file that cannot be opened is error 2018, nothing
// written, nothing logged; one that exists is replaced.
using ReportFiles = ExportTest;

TEST_F(ReportFiles, UnopenableFileIsError2018AndWritesNothing) {
    store().coils = {coil("K1", "24V", {XD_NO})};
    struct Case {
        const char* ext;
        int (*write)(FILE*);
    };
    for (Case c : {Case{"RLF", write_relay_listing}, Case{"PLF", write_parts_listing},
                   Case{"ALF", write_analysis_file}}) {
        SCOPED_TRACE(c.ext);
        host().refused = {beside_name(std::string("NONAME.") + c.ext)};
        error_code() = 0;
        EXPECT_EQ(c.write(log.file()), 0);
        EXPECT_EQ(error_code(), 2018);
        EXPECT_FALSE(report_exists(c.ext));
        EXPECT_EQ(log.text(), "");
    }
}

TEST_F(ReportFiles, ExistingFileIsReplaced) {
    std::ofstream(host().folder / "NONAME.PLF") << "an older listing, longer than the new one";
    Component pb = block(1, {1, 1}, "PB1");
    pb.bom = "PB";
    store().components = {pb};
    ASSERT_EQ(write_parts_listing(log.file()), 1);
    EXPECT_EQ(report("PLF"), "\nPB" + spaces(13) + spaces(15));
}

}  // namespace

}  // namespace wcraft::test
