// The analysis file: the documented opening lines, a whole file for a small
// project with every kind of record, and the bounds of the definition
// lists.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "exports_support.h"
#include "host/module_state.h"
#include "postproc/progress.h"
#include "reports/exports.h"

namespace wcraft::test {

namespace {

size_t count(const std::string& hay, const std::string& needle) {
    size_t n = 0;
    for (size_t p = hay.find(needle); p != std::string::npos; p = hay.find(needle, p + 1)) ++n;
    return n;
}

using AnalysisFile = ExportTest;

TEST_F(AnalysisFile, BeginsWithTheHeaderAndTheFirstWireType) {
    store().wires[0] = {segment(1, {10, 200}, {10, 150}, 1)};
    ASSERT_EQ(write_analysis_file(log.file()), 1);
    const char* lines[] = {"Wirecraft 5 HEADER", "0", "WIREDEF", "1", "CONTROL", "2", "WHITE", "3", "2.5",
                           "4", "CONTROL", "8", "WCR_WIRE_CONTROL", "40", "0",
                           "0", "WIRE", "9", "1", "10", "10.000000,200.000000", "11", "10.000000,150.000000",
                           "15", "1", "40", "0"};
    std::string expected;
    for (const char* l : lines) expected += std::string(expected.empty() ? "" : "\n") + l;
    EXPECT_EQ(report("ALF").substr(0, expected.size() + 1), expected + "\n");
    EXPECT_EQ(log.text(), "\nCalculating 3rd party analysis file...");
}

TEST_F(AnalysisFile, SmallProjectWholeFile) {
    ProjectConfig& c = config();
    c.wire_defs[1].w_name = "*ND*";  // one wire type, one zone
    c.zone_defs[1].z_name = "*ND*";
    Store& s = store();
    s.wires[0] = {segment(1, {10, 200}, {10, 150}, 1)};
    s.nodes[0] = {NodePoint{2, {10, 175}}};
    s.wires[1] = {segment(1, {0, 0}, {1, 0}, 9)};  // behind the list end: not written
    WireLink link;
    link.sheet = 1;
    link.point = {10, 150};
    link.link = -10;
    link.handle = "2A";
    s.links = {link};
    WireLink phantom;
    phantom.link = -10001;
    s.phantoms = {phantom};  // phantom links are not written
    s.grid = {GridRef{{5, 290}, {}}};
    s.grid[0].text = "A";
    s.zones[0] = {ZoneBox{1, {0, 0}, {420, 297}}};
    Component pb = block(1, {50.5, 100}, "PB1");  // lacks CV, BOM attribute, CID and USER
    pb.handle = "3F";
    pb.grid = "1,B";
    pb.bom = "PB-22";
    pb.tag = "PUSH BUTTON";
    pb.ids = {IdPoint{{48, 100}, {}}, IdPoint{{53, 100}, {}}};
    pb.ids[0].id = "1";
    pb.ids[1].id = "2";
    s.components = {pb};
    Component tb = block(3, {-5, 7.25}, "TB1");
    tb.handle = "41";
    s.terminals = {tb};
    Component k1 = block(1, {100, 50}, "K1");
    k1.handle = "40";
    k1.cid = "COIL";
    k1.cv = "24V";
    k1.ids = {IdPoint{{100, 55}, {}}};
    k1.ids[0].id = "A1";
    k1.xdata = {XdataNode{{}, XD_NO}};
    k1.xdata[0].name = "1/5";
    s.coils = {k1};
    Component k1c = block(2, {30, 40}, "K1");
    k1c.handle = "50";
    k1c.cid = "NOC";
    k1c.xdata = {XdataNode{{}, XD_COIL}};
    k1c.xdata[0].name = "1/K1";
    s.contacts = {k1c};
    Component odd = block(1, {1, 2}, "Q1");
    odd.handle = "60";
    odd.user = "spare";
    s.unlisted = {odd};

    ASSERT_EQ(write_analysis_file(log.file()), 1);
    EXPECT_EQ(report("ALF"),
              "Wirecraft 5 HEADER"
              "\n0\nWIREDEF\n1\nCONTROL\n2\nWHITE\n3\n2.5\n4\nCONTROL\n8\nWCR_WIRE_CONTROL\n40\n0"
              "\n0\nWIRE\n9\n1\n10\n10.000000,200.000000\n11\n10.000000,150.000000\n15\n1\n40\n0"
              "\n0\nNODEPOINT\n9\n2\n10\n10.000000,175.000000\n40\n0"
              "\n\n:>Wirelink list ..."
              "\n0\nWIRELINK\n1\n-10\n9\n1\n10\n10.000000,150.000000"
              "\n0\nGRIDREF\n1\nA\n10\n5.000000,290.000000"
              "\n0\nZONEDEF\n1\nCONTROL_SUITE\n8\nWCR_ZONE_CONTROL_SUITE\n40\n0"
              "\n0\nZONE\n9\n1\n10\n0.000000,0.000000\n11\n420.000000,297.000000\n40\n0"
              "\n0\nCOMPONENT\n1\nPB1\n5\n3F\n9\n1\n10\n50.500000,100.000000"
              "\n20\n1,B\n21\n\n22\nPB-22\n23\n\n24\nPUSH BUTTON\n25\n\n26\n"
              "\n0\nID\n1\n1\n5\n3F\n10\n48.000000,100.000000"
              "\n0\nID\n1\n2\n5\n3F\n10\n53.000000,100.000000"
              "\n0\nTERMINAL\n1\nTB1\n5\n41\n9\n3\n10\n-5.000000,7.250000"
              "\n20\n\n21\n\n22\n\n23\n\n24\n\n25\n\n26\n"
              "\n0\nCONTACT\n1\nK1\n5\n50\n9\n2\n10\n30.000000,40.000000"
              "\n20\n\n21\n\n22\n\n23\n\n24\n\n25\nNOC\n26\n"
              "\n0\nXDATA\n1\n1/K1\n5\n50\n41\n4"
              "\n0\nCOIL\n1\nK1\n5\n40\n9\n1\n10\n100.000000,50.000000"
              "\n20\n\n21\n24V\n22\n\n23\n\n24\n\n25\nCOIL\n26\n"
              "\n0\nID\n1\nA1\n5\n40\n10\n100.000000,55.000000"
              "\n0\nXDATA\n1\n1/5\n5\n40\n41\n1"
              "\n0\nUNLISTEDCOMPONENT\n1\nQ1\n5\n60\n9\n1\n10\n1.000000,2.000000"
              "\n20\n\n21\n\n22\n\n23\n\n24\n\n25\n\n26\nspare"
              "\n*EOF*");
}

TEST_F(AnalysisFile, EmptyStoreWritesEveryDefinition) {
    ASSERT_EQ(write_analysis_file(log.file()), 1);
    struct Wire {
        const char *name, *colour, *size, *signal;
    };
    const Wire wires[] = {{"CONTROL", "WHITE", "2.5", "CONTROL"}, {"PH1", "RED", "", "Phase 1"},
                          {"PH2", "YELLOW", "", "Phase 2"},      {"PH3", "BLUE", "", "Phase 3"},
                          {"PHN", "CYAN", "", "NEUTRAL"},        {"12V", "MAGENTA", "2.5", "+12V"},
                          {"5V", "RED", "2.5", "+5V"},           {"0", "GREY", "2.5", "0V"}};
    std::string expected = "Wirecraft 5 HEADER";
    int index = 0;
    for (const Wire& w : wires)
        expected += std::string("\n0\nWIREDEF\n1\n") + w.name + "\n2\n" + w.colour + "\n3\n" + w.size + "\n4\n" +
                    w.signal + "\n8\nWCR_WIRE_" + w.name + "\n40\n" + std::to_string(index++);
    expected += "\n\n:>Wirelink list ...";
    index = 0;
    for (const char* z : {"CONTROL_SUITE", "CUBICLE_1", "CUBICLE_2", "RACK_1", "RACK_2", "RACK_3", "RACK_4"})
        expected += std::string("\n0\nZONEDEF\n1\n") + z + "\n8\nWCR_ZONE_" + z + "\n40\n" + std::to_string(index++);
    expected += "\n*EOF*";
    EXPECT_EQ(report("ALF"), expected);
}

TEST_F(AnalysisFile, DefinitionListsWithoutEndMarkerStopAtTheirLastSlot) {
    ProjectConfig& c = config();
    for (int t = 0; t < kMaxWires; ++t) c.wire_defs[t].w_name = "W" + std::to_string(t);
    for (int z = 0; z < kMaxZones; ++z) c.zone_defs[z].z_name = "Z" + std::to_string(z);
    store().wires[kMaxWires - 1] = {segment(7, {1, 2}, {3, 2}, 5)};
    store().zones[kMaxZones - 1] = {ZoneBox{7, {0, 0}, {1, 1}}};
    ASSERT_EQ(write_analysis_file(log.file()), 1);
    std::string alf = report("ALF");
    EXPECT_EQ(count(alf, "\n0\nWIREDEF\n"), 100u);
    EXPECT_EQ(count(alf, "\n0\nZONEDEF\n"), 250u);
    EXPECT_NE(alf.find("\n0\nWIRE\n9\n7\n10\n1.000000,2.000000\n11\n3.000000,2.000000\n15\n5\n40\n99"), std::string::npos);
    EXPECT_NE(alf.find("\n0\nZONE\n9\n7\n10\n0.000000,0.000000\n11\n1.000000,1.000000\n40\n249\n*EOF*"),
              std::string::npos);
}

// Written on a thread of its own beside other work, the file is the same,
// the one before it stays until it is finished, and the progress shown
// while writing it comes out whole when it is finished.
TEST_F(AnalysisFile, WrittenAsideItComesOutTheSameWhenFinished) {
    Store& s = store();
    for (int i = 0; i < 300; ++i) s.wires[0].push_back(segment(1, {double(i), 0}, {double(i), 5}, i));
    s.components = {block(1, {1, 2}, "PB1"), block(2, {3, 4}, "PB2")};
    ASSERT_EQ(write_analysis_file(log.file()), 1);
    const std::string alone = report("ALF");
    // The indicator advances once per record, from where it stood.
    size_t records = 0;
    for (const char* type : {"WIREDEF", "WIRE", "ZONEDEF", "COMPONENT", "ID"})
        records += count(alone, std::string("\n0\n") + type + "\n");
    ASSERT_GT(records, 300u);
    wcr().progress = 1;
    host().command_line.clear();
    for (size_t i = 0; i < records; ++i) progress_tick();
    const std::string shown = host().command_line;
    const short counter = wcr().progress;

    s.wires[0].pop_back();  // what the file held before is told apart
    ASSERT_EQ(write_analysis_file(log.file()), 1);
    const std::string before = report("ALF");
    s.wires[0].push_back(segment(1, {299, 0}, {299, 5}, 299));
    wcr().progress = 1;
    host().command_line.clear();
    const size_t logged = log.text().size();

    AnalysisFileWriter w;
    ASSERT_EQ(w.start(log.file()), 1);
    EXPECT_EQ(log.text().substr(logged), "\nCalculating 3rd party analysis file...");
    ASSERT_EQ(write_audit(log.file()), 1);  // the work done beside it
    EXPECT_EQ(host().command_line, "");
    EXPECT_EQ(report("ALF"), before);
    ASSERT_EQ(w.finish(), 1);
    EXPECT_EQ(report("ALF"), alone);
    EXPECT_EQ(host().command_line, shown);
    EXPECT_EQ(wcr().progress, counter);
}

// Started and never finished (the run stopped by an error between the
// two): the half-written file goes and the previous one stays.
TEST_F(AnalysisFile, OneNeverFinishedLeavesThePreviousFile) {
    store().wires[0] = {segment(1, {10, 200}, {10, 150}, 1)};
    ASSERT_EQ(write_analysis_file(log.file()), 1);
    const std::string before = report("ALF");
    store().wires[0].push_back(segment(2, {0, 0}, {5, 0}, 2));
    {
        AnalysisFileWriter w;
        ASSERT_EQ(w.start(log.file()), 1);
    }
    EXPECT_EQ(report("ALF"), before);
    std::vector<std::string> files;
    for (const auto& f : std::filesystem::directory_iterator(host().folder)) files.push_back(f.path().filename().string());
    EXPECT_EQ(files, std::vector<std::string>{"NONAME.ALF"});
}

}  // namespace

}  // namespace wcraft::test
