// A small two-sheet project drawn at the shell with the drawing commands
// through the host executable, then numbered by PROCESS RUN; and the user
// script utility run over it.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "../../tools/command_output.h"
#include "project/project_config.h"
#include "project/project_format.h"
#include "select_dcl.h"
#include "../../tools/scratch.h"

namespace fs = std::filesystem;

namespace {

std::string g(int code, const std::string& value) { return std::to_string(code) + "\n" + value + "\n"; }

std::string empty_drawing() {
    return g(0, "SECTION") + g(2, "HEADER") + g(9, "$ACADVER") + g(1, "AC1014") + g(0, "ENDSEC") + g(0, "SECTION") +
           g(2, "ENTITIES") + g(0, "ENDSEC") + g(0, "EOF");
}

// An entity of a saved drawing's ENTITIES section.
struct Found {
    std::string type, layer, value, tag;
    double x = 0, y = 0;
};

std::vector<Found> saved_entities(const std::string& dxf) {
    std::vector<Found> found;
    std::istringstream in(dxf);
    std::string code, value;
    bool entities = false;
    while (std::getline(in, code) && std::getline(in, value)) {
        if (!value.empty() && value.back() == '\r') value.pop_back();
        int c = std::stoi(code);
        if (c == 2 && value == "ENTITIES") entities = true;
        if (!entities) continue;
        if (c == 0 && value == "ENDSEC") break;
        if (c == 0) found.push_back({value, "", "", "", 0, 0});
        else if (!found.empty()) {
            Found& f = found.back();
            if (c == 8) f.layer = value;
            if (c == 1) f.value = value;
            if (c == 2) (f.type == "INSERT" ? f.value : f.tag) = value;
            if (c == 10) f.x = std::stod(value);
            if (c == 20) f.y = std::stod(value);
        }
    }
    return found;
}

class DrawnProject : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir = fs::temp_directory_path() / ("wcraft-drawn-" + std::to_string(getpid())) / info->name();
        fs::remove_all(dir);
        fs::create_directories(dir / "PROJ");
        std::string cmd = "'" CH_SOURCE_DIR "/support/wcraft/install.sh' '" + dir.string() + "' '" CH_BINARY_DIR
                          "' > /dev/null";
        ASSERT_EQ(system(cmd.c_str()), 0);
        if (!fs::exists(dir / "WCRAFT" / "wcraft11.dcl"))
            std::ofstream(dir / "WCRAFT" / "wcraft11.dcl") << wcraft::test::kZoneSelectDcl;
        wcraft::ProjectConfig cfg;
        wcraft::fill_defaults(cfg);
        cfg.p_name = "ELEC1";
        cfg.p_title = "Drawn rig";
        cfg.p_dir = "C:\\PROJ";
        cfg.wire_defs[1].w_name = wcraft::kListEnd;  // one wire type: CONTROL
        cfg.cont_blk = 1;
        cfg.audit = 1;
        cfg.f_mode = wcraft::FM_FILENAME;
        cfg.f_names[0] = "SHT001";
        cfg.f_names[1] = "SHT002";
        cfg.f_names[2] = wcraft::kListEnd;
        FILE* f = fopen((dir / "WCRAFT" / "PROJECT" / "ELEC1.PRJ").c_str(), "w");
        ASSERT_NE(f, nullptr);
        ASSERT_TRUE(wcraft::write_project(f, cfg));
        fclose(f);
        for (const char* sheet : {"SHT001.DXF", "SHT002.DXF"}) std::ofstream(dir / "PROJ" / sheet) << empty_drawing();
    }
    void TearDown() override { test_tools::remove_scratch(dir); }

    // One host session on `drawing` (relative to the test folder): the
    // project opened, then `input`.
    std::string host(const std::string& drawing, const std::string& input) {
        std::ofstream(dir / "input.txt")
            << "WCRAFT\nPROJECT\nOPEN\nC:\\WCRAFT\\PROJECT\\ELEC1.PRJ\nEXIT\n" + input + "QUIT\nY\n";
        std::string cmd = "cd '" + dir.string() + "' && timeout 120 '" CH_CADHOST "' --drive C='" + dir.string() +
                          "' --support '" + (dir / "WCRAFT").string() + "' --support '" CH_SOURCE_DIR
                          "/support/dcl' '" + (dir / drawing).string() + "' < input.txt 2>&1";
        return test_tools::command_output(cmd).out;
    }
    std::string slurp(const std::string& rel) const {
        std::ifstream f(dir / rel, std::ios::binary);
        std::stringstream ss;
        ss << f.rdbuf();
        return ss.str();
    }
    std::vector<Found> of(const std::string& rel, const std::string& type, const std::string& layer) {
        std::vector<Found> got;
        for (const Found& e : saved_entities(slurp(rel)))
            if (e.type == type && e.layer == layer) got.push_back(e);
        return got;
    }
    // Draws both sheets: on sheet 1 a T of two wires and a wire linked on
    // with link 7, a relay marker, the sheet number block and a zone round
    // it all; on sheet 2 the linked wire, its link and one more wire.
    void draw_sheets() {
        std::string one = host("PROJ/SHT001.DXF",
                               "DRAW\nWIRE\n0,100\n100,100\n\nWIRE\n50,100\n50,50\n\nWIRE\n0,80\n40,80\n\n"
                               "WLINKR\n40,80\n7\n\n\nRLMARKER\n120,50\nK1\nSHEETNOBLK\n150,0\nDrawn rig\nSHT001\n\n\n"
                               "ZONE\nselect z_names 1\nok\n-10,-10\n300,120\n\nEXIT\nEXIT\nQSAVE\n");
        ASSERT_EQ(one.find("Unable to load"), std::string::npos) << one;
        std::string two = host("PROJ/SHT002.DXF",
                               "DRAW\nWIRE\n0,100\n60,100\n\nWLINKL\n0,100\n7\n\n\nWIRE\n0,50\n30,50\n\n"
                               "SHEETNOBLK\n150,0\nDrawn rig\nSHT002\n\n\nEXIT\nEXIT\nQSAVE\n");
        ASSERT_EQ(of("PROJ/SHT001.DXF", "LINE", "WCR_WIRE_CONTROL").size(), 3u) << one;
        ASSERT_EQ(of("PROJ/SHT002.DXF", "LINE", "WCR_WIRE_CONTROL").size(), 2u) << two;
    }

    fs::path dir;
};

TEST_F(DrawnProject, WhatTheCommandsDrawIsNumberedByARun) {
    draw_sheets();
    auto links = of("PROJ/SHT001.DXF", "INSERT", "WCR_WIRE_LINK_LAYER");
    ASSERT_EQ(links.size(), 1u);
    EXPECT_EQ(links[0].value, "WLINKR");
    EXPECT_EQ(of("PROJ/SHT001.DXF", "INSERT", "WCR_RELAY_MARK_LAYER").size(), 1u);
    EXPECT_EQ(of("PROJ/SHT001.DXF", "LWPOLYLINE", "WCR_ZONE_CUBICLE_1").size() +
                  of("PROJ/SHT001.DXF", "POLYLINE", "WCR_ZONE_CUBICLE_1").size(),
              1u);
    auto blocks = of("PROJ/SHT002.DXF", "INSERT", "0");
    ASSERT_EQ(blocks.size(), 1u);
    EXPECT_EQ(blocks[0].value, "SHEETNO");

    std::string run = host("PROJ/SHT001.DXF", "PROCESS\nRUN\n");
    auto near = [](const Found& f, const char* value, double x, double y) {
        return f.value == value && std::fabs(f.x - x) < 1e-9 && std::fabs(f.y - y) < 1e-9;
    };
    auto t1 = of("PROJ/SHT001.DXF", "TEXT", "WCR_WIRE_CONTROL");
    auto t2 = of("PROJ/SHT002.DXF", "TEXT", "WCR_WIRE_CONTROL");
    ASSERT_EQ(t1.size(), 2u) << run;
    EXPECT_TRUE(near(t1[0], "W1", 2.2, 101.5)) << t1[0].value << " " << t1[0].x << "," << t1[0].y;
    EXPECT_TRUE(near(t1[1], "W7", 2.2, 81.5)) << t1[1].value << ": the link number becomes the wire number";
    ASSERT_EQ(t2.size(), 2u) << run;
    EXPECT_TRUE(near(t2[0], "W7", 2.2, 101.5)) << t2[0].value << ": the link carries the number to sheet 2";
    EXPECT_TRUE(near(t2[1], "W2", 2.2, 51.5)) << t2[1].value;
    auto nodes = of("PROJ/SHT001.DXF", "INSERT", "WCR_WIRE_CONTROL");
    ASSERT_EQ(nodes.size(), 1u);
    EXPECT_EQ(nodes[0].value, "WIRENODE");
    EXPECT_DOUBLE_EQ(nodes[0].x, 50);
    EXPECT_DOUBLE_EQ(nodes[0].y, 100);
    // The audit at the end of the log: the link, the marker and the zone box
    // as the run read them.
    std::string log = slurp("WCRAFT/PROCESS/ELEC1.LOG");
    EXPECT_NE(log.find("\nSheet(1), ip(x=40.000000, y=80.000000), link(7)"), std::string::npos) << log;
    EXPECT_NE(log.find("\nSheet(2), ip(x=0.000000, y=100.000000), link(7)"), std::string::npos) << log;
    EXPECT_NE(log.find("iref(K1)"), std::string::npos) << log;
    EXPECT_NE(log.find("\nSheet(1), Boundary  b/left x,y(x=-10.000000, y=-10.000000), t/right x,y(x=300.000000, "
                       "y=120.000000)"),
              std::string::npos)
        << log;
}

TEST_F(DrawnProject, AUserScriptRunsOnEveryDrawing) {
    std::ofstream(dir / "WCRAFT" / "USERSCR.SCR") << "LINE\n-50,-50\n-40,-50\n;\nQSAVE\n";
    std::string out = host("PROJ/SHT001.DXF", "PROCESS\nUSERSCRIPT\n");
    EXPECT_NE(out.find("\nBeginning process user script on 2, drawings... "), std::string::npos) << out;
    EXPECT_EQ(out.find("Unknown command"), std::string::npos) << out;
    for (const char* sheet : {"PROJ/SHT001.DXF", "PROJ/SHT002.DXF"}) {
        auto lines = of(sheet, "LINE", "0");
        ASSERT_EQ(lines.size(), 1u) << sheet << "\n" << out;
        EXPECT_DOUBLE_EQ(lines[0].x, -50);
    }
}

// The plot answers are the host's PLOT; without that command in the host
// the script still visits every drawing.
TEST_F(DrawnProject, ABatchPlotVisitsEveryDrawing) {
    std::string out = host("PROJ/SHT001.DXF", "PROCESS\nBATCHPLOT\n");
    EXPECT_NE(out.find("\nBeginning Process Batch Plotting on 2, drawings... "), std::string::npos) << out;
    std::string script = slurp("WCRAFT/PROCESS/ELEC1.SCR");
    EXPECT_NE(script.find("OPEN\nC:\\PROJ\\SHT002\nWCRPPLOT\nPLOT\nE\n2\nC:\\WCRAFT\\WCRAFT\nE\n0\n"),
              std::string::npos)
        << script;
    EXPECT_EQ(out.find("Unknown command \"WCRPPLOT\""), std::string::npos) << out;
    size_t visits = 0;
    for (size_t at = out.find("\nCommand: WCRPPLOT"); at != std::string::npos; at = out.find("\nCommand: WCRPPLOT", at + 1))
        ++visits;
    EXPECT_EQ(visits, 2u) << out;
    bool host_plots = out.find("Unknown command \"PLOT\"") == std::string::npos &&
                      out.find("Unknown command PLOT") == std::string::npos;
    if (!host_plots) GTEST_SKIP() << "the host has no PLOT command yet";
    EXPECT_EQ(out.find("Unknown command"), std::string::npos) << out;
}

}  // namespace
