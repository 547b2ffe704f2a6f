// Whole post-processor runs through the host executable: the module and
// its support files installed on drive C, a project file, small drawings
// with wires, a wire link pair across sheets and a T-junction; PROCESS RUN
// and PROCESS CHECK typed at the shell.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <cstring>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "../../tools/command_output.h"
#include "project/project_config.h"
#include "project/project_format.h"
#include "../../tools/scratch.h"

namespace fs = std::filesystem;

namespace {

std::string g(int code, const std::string& value) { return std::to_string(code) + "\n" + value + "\n"; }
std::string pt(int code, double x, double y) {
    std::ostringstream s;
    s.precision(17);
    s << code << "\n" << x << "\n" << code + 10 << "\n" << y << "\n" << code + 20 << "\n0.0\n";
    return s.str();
}
std::string line(double x1, double y1, double x2, double y2) {
    return g(0, "LINE") + g(8, "WCR_WIRE_CONTROL") + pt(10, x1, y1) + pt(11, x2, y2);
}
std::string wire_link(const std::string& block, double x, double y, int number) {
    return g(0, "INSERT") + g(8, "WCR_WIRE_LINK_LAYER") + g(66, "1") + g(2, block) + pt(10, x, y) + g(0, "ATTRIB") +
           g(8, "WCR_WIRE_LINK_LAYER") + pt(10, x, y) + g(40, "2.5") + g(1, std::to_string(number)) + g(2, "LINK") +
           g(70, "0") + g(0, "SEQEND") + g(8, "WCR_WIRE_LINK_LAYER");
}
std::string drawing(const std::string& entities) {
    std::string t = g(0, "SECTION") + g(2, "HEADER") + g(9, "$ACADVER") + g(1, "AC1014") + g(0, "ENDSEC");
    t += g(0, "SECTION") + g(2, "TABLES") + g(0, "TABLE") + g(2, "LAYER") + g(70, "3");
    for (const char* l : {"0", "WCR_WIRE_CONTROL", "WCR_WIRE_LINK_LAYER"})
        t += g(0, "LAYER") + g(2, l) + g(70, "0") + g(62, "7") + g(6, "CONTINUOUS");
    t += g(0, "ENDTAB") + g(0, "ENDSEC") + g(0, "SECTION") + g(2, "BLOCKS");
    for (const char* b : {"WLINKR", "WLINKL"})
        t += g(0, "BLOCK") + g(8, "0") + g(2, b) + g(70, "2") + pt(10, 0, 0) + g(3, b) + g(0, "ATTDEF") + g(8, "0") +
             pt(10, 0, 0) + g(40, "2.5") + g(1, "0") + g(3, "LINK") + g(2, "LINK") + g(70, "0") + g(0, "ENDBLK") +
             g(8, "0");
    return t + g(0, "ENDSEC") + g(0, "SECTION") + g(2, "ENTITIES") + entities + g(0, "ENDSEC") + g(0, "EOF");
}

// A TEXT or INSERT of a saved drawing's ENTITIES section.
struct Found {
    std::string type, layer, value;
    double x = 0, y = 0;
};

std::vector<Found> saved_entities(const std::string& dxf) {
    std::vector<Found> found;
    std::istringstream in(dxf);
    std::string code, value;
    bool entities = false;
    Found* cur = nullptr;
    while (std::getline(in, code) && std::getline(in, value)) {
        if (!value.empty() && value.back() == '\r') value.pop_back();
        int c = std::stoi(code);
        if (c == 2 && value == "ENTITIES") entities = true;
        if (!entities) continue;
        if (c == 0) {
            if (value == "ENDSEC") break;
            cur = nullptr;
            if (value == "TEXT" || value == "INSERT") {
                cur = &found.emplace_back();
                cur->type = value;
            }
        } else if (cur) {
            if (c == 8) cur->layer = value;
            if (c == 1 && cur->type == "TEXT") cur->value = value;
            if (c == 2 && cur->type == "INSERT") cur->value = value;
            if (c == 10) cur->x = std::stod(value);
            if (c == 20) cur->y = std::stod(value);
        }
    }
    return found;
}

class Runs : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir = fs::temp_directory_path() / ("wcraft-runs-" + std::to_string(getpid())) / info->name();
        fs::remove_all(dir);
        fs::create_directories(dir / "PROJ");
        std::string cmd = "'" CH_SOURCE_DIR "/support/wcraft/install.sh' '" + dir.string() + "' '" CH_BINARY_DIR
                          "' > /dev/null";
        ASSERT_EQ(system(cmd.c_str()), 0);
        wcraft::fill_defaults(cfg);
        cfg.p_name = "ELEC1";
        cfg.p_title = "Test rig";
        cfg.p_dir = "C:\\PROJ";
        cfg.wire_defs[1].w_name = wcraft::kListEnd;  // one wire type: CONTROL
        cfg.wire_lnk = cfg.comp_num = cfg.term_num = cfg.relay_cr = cfg.cont_num = cfg.sheet_no = 0;
        cfg.f_mode = wcraft::FM_FILENAME;
        cfg.f_names[0] = "SHT001";
        cfg.f_names[1] = "SHT002";
        cfg.f_names[2] = "SHT003";
        cfg.f_names[3] = wcraft::kListEnd;
        cfg.f_mask = "SHT";
    }
    void TearDown() override { test_tools::remove_scratch(dir); }

    // Three sheets: a T and a wire linked on to sheet 2, which has one more
    // wire; a vertical wire alone on sheet 3.
    void write_drawings(const std::string& ext = ".DXF") {
        write("PROJ/SHT001" + ext, drawing(line(0, 100, 100, 100) + line(50, 100, 50, 50) + line(0, 80, 40, 80) +
                                           wire_link("WLINKR", 40, 80, 7)));
        write("PROJ/SHT002" + ext, drawing(line(0, 100, 60, 100) + wire_link("WLINKL", 0, 100, 7) + line(0, 50, 30, 50)));
        write("PROJ/SHT003" + ext, drawing(line(10, 10, 10, 60)));
    }
    void write_project() {
        FILE* f = fopen((dir / "WCRAFT" / "PROJECT" / "ELEC1.PRJ").c_str(), "w");
        ASSERT_NE(f, nullptr);
        ASSERT_TRUE(wcraft::write_project(f, cfg));
        fclose(f);
    }
    // Opens the project, types `keywords` at the PROCESS menu, then
    // `after` at the host; `drawing` (relative to the test folder) is
    // opened first when given.
    std::string run(const std::string& keywords, const std::string& drawing = "", const std::string& after = "") {
        write_project();
        std::ofstream(dir / "input.txt")
            << "WCRAFT\nPROJECT\nOPEN\nC:\\WCRAFT\\PROJECT\\ELEC1.PRJ\nEXIT\nPROCESS\n" + keywords + after + "QUIT\n";
        std::string cmd = "cd '" + dir.string() + "' && timeout 120 '" CH_CADHOST "' --drive C='" + dir.string() +
                          "' --support '" + (dir / "WCRAFT").string() + "' --support '" CH_SOURCE_DIR
                          "/support/dcl' " + (drawing.empty() ? "" : "'" + (dir / drawing).string() + "' ") +
                          "< input.txt 2>&1";
        return test_tools::command_output(cmd).out;
    }
    void write(const std::string& rel, const std::string& text) { std::ofstream(dir / rel, std::ios::binary) << text; }
    std::string slurp(const std::string& rel) const {
        std::ifstream f(dir / rel, std::ios::binary);
        std::stringstream ss;
        ss << f.rdbuf();
        return ss.str();
    }
    // The run-time event log, line by line.
    std::vector<std::string> log_lines() const {
        std::vector<std::string> got;
        std::istringstream lines(slurp("WCRAFT/PROCESS/ELEC1.LOG"));
        for (std::string l; std::getline(lines, l);) got.push_back(l);
        return got;
    }
    std::vector<Found> texts(const std::string& rel) {
        std::vector<Found> t;
        for (const Found& e : saved_entities(slurp(rel)))
            if (e.type == "TEXT" && e.layer == "WCR_WIRE_CONTROL") t.push_back(e);
        return t;
    }
    std::vector<Found> nodes(const std::string& rel) {
        std::vector<Found> t;
        for (const Found& e : saved_entities(slurp(rel)))
            if (e.type == "INSERT" && e.value == "WIRENODE") t.push_back(e);
        return t;
    }
    static int audit_errors(const fs::path& p) {
        std::string cmd = "/usr/bin/python3 '" CH_SOURCE_DIR "/tests/tools/ezdxf_audit.py' '" + p.string() + "' 2>&1";
        test_tools::CommandOutput run = test_tools::command_output(cmd);
        if (run.status == -1 && run.out.empty()) return -1;
        const std::string& text = run.out;
        if (text.find("NO_EZDXF") != std::string::npos) return -1;
        size_t at = text.find("AUDIT_ERRORS ");
        if (at == std::string::npos) return 1000;
        return atoi(text.c_str() + at + 13);
    }
    // The numbers of the three sheets as written.
    void expect_numbered(const std::string& ext = ".DXF") {
        auto near = [](const Found& f, const char* value, double x, double y) {
            return f.value == value && std::fabs(f.x - x) < 1e-9 && std::fabs(f.y - y) < 1e-9;
        };
        auto t1 = texts("PROJ/SHT001" + ext), t2 = texts("PROJ/SHT002" + ext), t3 = texts("PROJ/SHT003" + ext);
        ASSERT_EQ(t1.size(), 2u);
        EXPECT_TRUE(near(t1[0], "W1", 2.2, 101.5)) << t1[0].value << " " << t1[0].x << "," << t1[0].y;
        EXPECT_TRUE(near(t1[1], "W7", 2.2, 81.5)) << t1[1].value;
        ASSERT_EQ(t2.size(), 2u);
        EXPECT_TRUE(near(t2[0], "W7", 2.2, 101.5)) << t2[0].value << ": the link carries the number on";
        EXPECT_TRUE(near(t2[1], "W2", 2.2, 51.5)) << t2[1].value;
        ASSERT_EQ(t3.size(), 1u);
        EXPECT_TRUE(near(t3[0], "W3", 11.5, 60 - 2.2 - 2.5)) << t3[0].value << " " << t3[0].x << "," << t3[0].y;
        auto n1 = nodes("PROJ/SHT001" + ext);
        ASSERT_EQ(n1.size(), 1u);
        EXPECT_EQ(n1[0].layer, "WCR_WIRE_CONTROL");
        EXPECT_DOUBLE_EQ(n1[0].x, 50);
        EXPECT_DOUBLE_EQ(n1[0].y, 100);
        EXPECT_TRUE(nodes("PROJ/SHT002" + ext).empty());
        for (const char* n : {"SHT001", "SHT002", "SHT003"}) {
            int errors = audit_errors(dir / "PROJ" / (n + ext));
            EXPECT_LE(errors, 0) << n << " (-1: ezdxf not available)";
        }
    }
    static std::string load_failure(const std::string& out) {
        size_t at = out.find("Unable to load");
        return at == std::string::npos ? "" : out.substr(at, out.find('\n', at) - at);
    }

    fs::path dir;
    wcraft::ProjectConfig cfg;
};

TEST_F(Runs, FileNameProjectIsNumberedAndLogged) {
    write_drawings();
    std::string out = run("RUN\n");
    if (std::string why = load_failure(out); !why.empty()) GTEST_SKIP() << why;
    expect_numbered();
    // The log line by line: header, drawings, then each stage in the order
    // of the protocol, each drawing visited twice.
    std::vector<std::string> want = {
        "",
        "Wirecraft Post processor run time event log file:",
        std::string(59, '='),
        ":Project name ....... : ELEC1",
        ":Project Title ...... : Test rig",
        ":Project Directory... : C:\\PROJ",
        "Post processor control :-",
        "     Wire numbering             : ENABLED",
        "        PTP wire listing        : DISABLED",
        "           Wire schedules       : DISABLED",
        "        Wire link references    : DISABLED",
        "     Component numbering        : DISABLED",
        "     Terminal numbering         : DISABLED",
        "     Relay correlation          : DISABLED",
        "        Contact numbering       : DISABLED",
        "        Contact blocks          : DISABLED",
        "     Sheet numbering            : DISABLED",
        "     Sheet rotate               : DISABLED",
        "     Parts listing              : DISABLED",
        "     3rd party data extraction  : DISABLED",
        "     3rd party APP' interface   : DISABLED",
        "     Generate Audit             : DISABLED",
        "",
        ":Generating script file for drawing files :-",
        "C:\\PROJ\\SHT001",
        "C:\\PROJ\\SHT002",
        "C:\\PROJ\\SHT003",
        ":End of drawing files list.",
        ":3 Drawings to process.",
        ":Script file complete.",
        "(Stage 1) - Initializing Post processor ...",
        "(Stage 2) - Extracting drawing information, sheet number 001",
        "Extracting grid references on layer :GRIDREF_HOR ",
        ":No grid reference text values found on layer :GRIDREF_HOR",
        ":Error, grid references on incorrect layer or missing",
        "Extracting wire information...",
        "Extracting wire links...",
        "(Stage 2) - Extracting drawing information, sheet number 002",
        "Extracting wire information...",
        "Extracting wire links...",
        "(Stage 2) - Extracting drawing information, sheet number 003",
        "Extracting wire information...",
        "Extracting wire links...",
        ":No wire links found",
        "(Stage 3) Calculating post processor functions...",
        "Calculating wire numbering...",
        "(Stage 4) - Modifying drawing information, sheet number 001",
        "Updating wire number information...",
        ": DRAWING FILE SAVED - OK!",
        "(Stage 4) - Modifying drawing information, sheet number 002",
        "Updating wire number information...",
        ": DRAWING FILE SAVED - OK!",
        "(Stage 4) - Modifying drawing information, sheet number 003",
        "Updating wire number information...",
        ": DRAWING FILE SAVED - OK!",
        "(Stage 5) - Finalizing post processor functions...",
        "",
        "***End of post processor log***",
    };
    EXPECT_EQ(log_lines(), want);
    EXPECT_EQ(out.find("Error"), std::string::npos) << out;
    EXPECT_EQ(out.find("error"), std::string::npos) << out;
}

TEST_F(Runs, ASecondRunLeavesOneTextPerWire) {
    write_drawings();
    std::string out = run("RUN\n");
    if (std::string why = load_failure(out); !why.empty()) GTEST_SKIP() << why;
    out = run("RUN\n");
    expect_numbered();
    EXPECT_EQ(slurp("WCRAFT/PROCESS/ELEC1.LOG").find("Stage 2) - Extracting drawing information, sheet number 004"),
              std::string::npos);
}

TEST_F(Runs, MaskAndDirectoryProjectsRunToo) {
    for (int mode : {wcraft::FM_MASK, wcraft::FM_DIRECTORY}) {
        fs::remove_all(dir / "PROJ");
        fs::create_directories(dir / "PROJ");
        write_drawings();
        cfg.f_mode = mode;
        std::string out = run("RUN\n");
        if (std::string why = load_failure(out); !why.empty()) GTEST_SKIP() << why;
        SCOPED_TRACE(mode);
        expect_numbered();
        EXPECT_NE(slurp("WCRAFT/PROCESS/ELEC1.LOG").find("\n:3 Drawings to process."), std::string::npos);
    }
}

// The quick run numbers the open drawing alone as sheet 001, leaves it
// modified and unsaved, and one undo takes the whole run back.
TEST_F(Runs, QuickRunNumbersTheOpenDrawingInOneUndoGroup) {
    write_drawings();
    std::string before = slurp("PROJ/SHT001.DXF");
    // Counts the texts, then a group of the user's own after the run:
    // undoing it must leave the run's texts, and undoing once more must
    // take the whole run back.
    auto count = [](const char* tag) {
        return std::string("(progn (princ (strcat \"\\n") + tag +
               "=\" (itoa (if (setq s (ssget \"X\" '((0 . \"TEXT\")))) (sslength s) 0)))) (princ))\n";
    };
    std::string out = run("QRUN\n", "PROJ/SHT001.DXF",
                          count("RUN") + "(progn (princ (strcat \"\\nMODIFIED=\" (itoa (getvar \"DBMOD\")))) (princ))\n" +
                              "SAVEAS\n\nC:\\PROJ\\COPY.DXF\nUNDO\nBE\nERASE\nALL\n\nUNDO\nE\nU\n" +
                              count("OWN") + "U\n" + count("ALL") + "QUIT\nY\n");
    if (std::string why = load_failure(out); !why.empty()) GTEST_SKIP() << why;
    EXPECT_NE(out.find("\nRunning Wirecraft Single Sheet Processor Ver 1.1.\n" + std::string(59, '=')), std::string::npos)
        << out;
    EXPECT_EQ(slurp("PROJ/SHT001.DXF"), before) << "a quick run never saves";
    EXPECT_NE(out.find("\nRUN=2"), std::string::npos) << out;
    EXPECT_EQ(out.find("MODIFIED=0"), std::string::npos) << out;
    EXPECT_NE(out.find("\nOWN=2"), std::string::npos) << "the run's group ended with the run: " << out;
    EXPECT_NE(out.find("\nALL=0"), std::string::npos) << "one undo takes the run back: " << out;
    auto t = texts("PROJ/COPY.DXF");
    ASSERT_EQ(t.size(), 2u);
    EXPECT_EQ(t[0].value, "W1");
    EXPECT_EQ(t[1].value, "W7");
    auto n = nodes("PROJ/COPY.DXF");
    ASSERT_EQ(n.size(), 1u);
    EXPECT_DOUBLE_EQ(n[0].x, 50);
    EXPECT_EQ(slurp("WCRAFT/PROCESS/ELEC1.SCR"),
              "(load (strcat wcridir \"supportP.LSP\"))\n(setq wcrshtn \"000\")\nwcrPPRO1\n(setq wcrshtn \"001\")\n"
              "wcrPPRO2_4\n(if (>= wcrstage 4) (command \"_.UNDO\" \"_E\"))\nWCRPPRO3_5\n");
    std::vector<std::string> want = {
        "",
        "Wirecraft Post processor quick run log file:",
        std::string(54, '='),
        ":Project name ....... : ELEC1",
        ":Project Title ...... : Test rig",
        ":Project Directory... : C:\\PROJ",
        "",
        ":Generating script file for drawing files :-",
        ":Script file complete.",
        "(Stage 1) - Initializing Post processor ...",
        "(Stage 2) - Extracting drawing information, sheet number 001",
        "Extracting grid references on layer :GRIDREF_HOR ",
        ":No grid reference text values found on layer :GRIDREF_HOR",
        ":Error, grid references on incorrect layer or missing",
        "Extracting wire information...",
        "Extracting wire links...",
        "(Stage 3) Calculating post processor functions...",
        "Calculating wire numbering...",
        "(Stage 4) - Modifying drawing information, sheet number 001",
        "Updating wire number information...",
        "(Stage 5) - Finalizing post processor functions...",
        "",
        "***End of post processor log***",
    };
    EXPECT_EQ(log_lines(), want);
}

TEST_F(Runs, CheckPrintsTheSettingsAndTheDrawingsFound) {
    write_drawings();
    fs::remove(dir / "PROJ" / "SHT002.DXF");
    std::string out = run("CHECK\nEXIT\nEXIT\n");
    if (std::string why = load_failure(out); !why.empty()) GTEST_SKIP() << why;
    EXPECT_NE(out.find("\nChecking project drawing files for :-\nProject name .....: ELEC1"
                       "\nProject title ....: Test rig\nProject directory.: C:\\PROJ\nPost processor control :-"
                       "\n     Wire numbering             : ENABLED"),
              std::string::npos)
        << out;
    EXPECT_NE(out.find("\n     Generate Audit             : DISABLED\n\nDrawing files identified by : FILE"
                       "\nSearching...\nDrawing file C:\\PROJ\\SHT002.DXF, not found!"
                       "\nWarning : 3 drawing files specified, 2 drawings found!"),
              std::string::npos)
        << out;
    EXPECT_NE(out.find("WCRAFT Command:->PROCESS : EXIT"), std::string::npos) << "CHECK stays in the menu: " << out;
    EXPECT_FALSE(fs::exists(dir / "WCRAFT" / "PROCESS" / "ELEC1.SCR"));
}

}  // namespace
