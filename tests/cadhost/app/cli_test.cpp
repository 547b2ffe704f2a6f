// The cadhost executable end to end: drawings on the command line, input
// from standard input, applications loaded with --load.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "../../tools/host_run.h"

namespace fs = std::filesystem;

namespace {

using cadhost::test::RunResult;

class Cli : public cadhost::test::HostRun {
protected:
    std::string slurp(const fs::path& p) const {
        std::ifstream f(p, std::ios::binary);
        std::stringstream ss;
        ss << f.rdbuf();
        return ss.str();
    }
};

TEST_F(Cli, SaveasFromStandardInputWritesACopy) {
    RunResult r = run("SAVEAS\n\nOUT.DXF\nQUIT\n", "IN.DXF");
    EXPECT_EQ(r.status, 0) << r.out;
    ASSERT_TRUE(fs::exists(dir / "OUT.DXF")) << r.out;
    EXPECT_NE(r.out.find("Enter file format"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Save drawing as"), std::string::npos) << r.out;
    RunResult again = run("LIST\nALL\n\nQUIT\n", "OUT.DXF");
    EXPECT_EQ(again.status, 0);
    EXPECT_NE(again.out.find("8 found"), std::string::npos) << again.out;
    EXPECT_NE(again.out.find("X1-2"), std::string::npos) << "attribute values listed";
}

TEST_F(Cli, SaveasAsksBeforeReplacingAnExistingFile) {
    std::ofstream(dir / "OLD.DXF") << "keep me";
    RunResult r = run("SAVEAS\nR12\nOLD\nN\nQUIT\n", "IN.DXF");
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("Do you want to replace it?"), std::string::npos) << r.out;
    EXPECT_EQ(slurp(dir / "OLD.DXF"), "keep me");
    RunResult yes = run("SAVEAS\nR12\nOLD\nY\nQUIT\n", "IN.DXF");
    EXPECT_NE(slurp(dir / "OLD.DXF").find("AC1009"), std::string::npos) << yes.out;
}

TEST_F(Cli, UnreadableDrawingGivesTheLineAndAFailureStatus) {
    std::ofstream(dir / "BAD.DXF") << "  0\nSECTION\n  2\nENTITIES\n  0\nLINE\n 10\n1.0\nxyz\n2.0\n  0\nENDSEC\n  0\nEOF\n";
    std::string before = slurp(dir / "BAD.DXF");
    RunResult r = run("QSAVE\nQUIT\n", "BAD.DXF");
    EXPECT_NE(r.status, 0);
    EXPECT_NE(r.out.find("BAD.DXF:9"), std::string::npos) << r.out;
    EXPECT_EQ(slurp(dir / "BAD.DXF"), before);
}

// A folder or an empty file given as the drawing is refused as a missing
// file is: a message naming it and status 1, nothing written.
TEST_F(Cli, AFolderOrAnEmptyFileIsNotADrawing) {
    fs::create_directories(dir / "PROJECT");
    std::ofstream(dir / "EMPTY.DXF").close();
    for (const char* name : {"PROJECT", "EMPTY.DXF", "MISSING.DXF"}) {
        RunResult r = run("QSAVE\nQUIT\n", name);
        EXPECT_EQ(r.status, 1) << name << ": " << r.out;
        EXPECT_NE(r.out.find(name), std::string::npos) << r.out;
        if (std::string(name) != "MISSING.DXF") {
            EXPECT_NE(r.out.find("not a drawing file"), std::string::npos) << r.out;
        }
    }
    EXPECT_TRUE(fs::is_directory(dir / "PROJECT"));
    EXPECT_EQ(fs::file_size(dir / "EMPTY.DXF"), 0u);
}

TEST_F(Cli, SavingAsR12SaysWhatItLeavesOut) {
    const char* hatch = "(entmake '((0 . \"HATCH\") (100 . \"AcDbEntity\") (8 . \"0\") (100 . \"AcDbHatch\")"
                        " (10 0.0 0.0 0.0) (2 . \"SOLID\") (70 . 1) (71 . 0) (91 . 0)))\n";
    RunResult r = run(std::string(hatch) + hatch + "SAVEAS\nR12\nOLD\nSAVEAS\n2018\nNEW\nQUIT\nY\n", "");
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find("2 HATCH not saved: R12 has no such entities"), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find("not saved", r.out.find("NEW")), std::string::npos) << "2018 holds them: " << r.out;
    EXPECT_EQ(slurp(dir / "OLD.dxf").find("HATCH"), std::string::npos);
    EXPECT_NE(slurp(dir / "NEW.dxf").find("HATCH"), std::string::npos);
}

TEST_F(Cli, FailedSaveReportsAndKeepsTheOldFile) {
    fs::create_directories(dir / "ro");
    fs::copy_file(dir / "IN.DXF", dir / "ro" / "A.DXF");
    std::string before = slurp(dir / "ro" / "A.DXF");
    fs::permissions(dir / "ro", fs::perms::owner_read | fs::perms::owner_exec);
    if (access((dir / "ro").c_str(), W_OK) == 0) GTEST_SKIP() << "running with rights that ignore permissions";
    RunResult r = run("CLAYER\nWIRES\nQSAVE\nQUIT\nY\n", "ro/A.DXF");
    EXPECT_NE(r.out.find("Error saving"), std::string::npos) << r.out;
    EXPECT_EQ(slurp(dir / "ro" / "A.DXF"), before);
}

TEST_F(Cli, LoadedApplicationGetsItsMessagesAndRunsItsCommand) {
    RunResult r = run("HELLO\nNEW\nY\n\nHELLO\nDIRECT\nQUIT\nY\n", "--load '" CH_TESTAPP "' IN.DXF");
    EXPECT_EQ(r.status, 0) << r.out;
    const char* expected[] = {"testapp: init", "testapp: load drawing (calls so far 0)", "testapp: hello 1, line made",
                              "testapp: unload drawing", "testapp: load drawing (calls so far 1)",
                              "testapp: hello 2, line made", "testapp: direct handler", "testapp: quit"};
    size_t pos = 0;
    for (const char* e : expected) {
        size_t at = r.out.find(e, pos);
        ASSERT_NE(at, std::string::npos) << "missing in order: " << e << "\n" << r.out;
        pos = at;
    }
}

TEST_F(Cli, ApplicationsThatCannotLoadGiveAMessageAndFailBeforeAnyInput) {
    RunResult bad = run("QUIT\n", "--load '" CH_BADAPP "' --load '" + (dir / "none.so").string() + "' IN.DXF");
    EXPECT_EQ(bad.status, 1) << bad.out;
    EXPECT_NE(bad.out.find("another interface version"), std::string::npos) << bad.out;
    EXPECT_NE(bad.out.find("Unable to load"), std::string::npos) << bad.out;
    EXPECT_EQ(bad.out.find("Command: "), std::string::npos) << "no input read: " << bad.out;
}

TEST_F(Cli, HelpAndVersionDescribeTheHost) {
    RunResult help = run("", "--help");
    EXPECT_EQ(help.status, 0);
    for (const char* opt : {"--drive L=DIR", "--support DIR", "--load MODULE", "--script FILE", "--plot OUTDIR", "--help",
                            "--version"})
        EXPECT_NE(help.out.find(opt), std::string::npos) << opt << " missing from\n" << help.out;
    RunResult version = run("", "--version");
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out.rfind("cadhost ", 0), 0u) << version.out;
    EXPECT_EQ(version.out.find("Command:"), std::string::npos);
    RunResult wrong = run("", "--frobnicate");
    EXPECT_EQ(wrong.status, 2);
    EXPECT_NE(wrong.out.find("unknown option --frobnicate"), std::string::npos);
}

TEST_F(Cli, HelpListsCommandsAndDescribesOne) {
    write("ACAD.LSP", "(defun C:HELLO () (princ \"hi\") (princ))\n");
    RunResult r = run("HELP\n?\nHELP LINE\nHELP HELLO\nHELP NOSUCH\nQUIT\n", "IN.DXF");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(count(r.out, "Commands (HELP NAME tells more"), 2u) << r.out;
    for (const char* line : {"  LINE           draws lines", "  SAVEAS         saves the drawing", "  HELLO          defined by AutoLISP"})
        EXPECT_NE(r.out.find(line), std::string::npos) << line << "\n" << r.out;
    EXPECT_NE(r.out.find("LINE: draws lines from point to point.\n  It asks: From point:"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("HELLO: defined by AutoLISP."), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("No command \"NOSUCH\""), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find("Unknown command \"LINE\""), std::string::npos) << "LINE was not run as a command: " << r.out;
}

TEST_F(Cli, ListNamesFieldsByEntityTypeWithAnglesInDegrees) {
    // A text slanted 15 degrees and turned 90, and a polyline with two vertices.
    std::string lisp = "(entmake '((0 . \"TEXT\") (10 1.0 2.0 0.0) (40 . 2.5) (1 . \"T1\") (50 . 1.5707963267948966)"
                       " (51 . 0.2617993877991494)))\n"
                       "(entmake '((0 . \"POLYLINE\") (66 . 1) (10 0.0 0.0 0.0)))\n"
                       "(entmake '((0 . \"VERTEX\") (10 1.0 1.0 0.0)))\n"
                       "(entmake '((0 . \"VERTEX\") (10 2.0 1.0 0.0) (42 . 0.5)))\n"
                       "(entmake '((0 . \"SEQEND\")))\n";
    RunResult r = run(lisp + "LIST\nALL\n\nLAYER\n?\n\nQUIT\nY\n", "IN.DXF");
    EXPECT_NE(r.out.find("oblique angle: 15.0000 degrees"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("rotation angle: 90.0000 degrees"), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find("end angle"), std::string::npos) << "TEXT has no end angle: " << r.out;
    EXPECT_NE(r.out.find("                    at point: X=2.0000"), std::string::npos) << "vertex indented: " << r.out;
    EXPECT_NE(r.out.find("bulge: 0.5000\n"), std::string::npos) << "a bulge is not an angle: " << r.out;
    EXPECT_NE(r.out.find("                VERTEX  Layer:"), std::string::npos) << r.out;
    // LAYER ?: each layer with state, colour and linetype; the current one marked.
    EXPECT_NE(r.out.find("Layer name"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("* 0 "), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("WIRES"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("CONTINUOUS"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("On"), std::string::npos) << r.out;
}

TEST_F(Cli, UnknownCommandsAreReported) {
    RunResult r = run("FROBNICATE\nQUIT\n", "IN.DXF");
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("Unknown command \"FROBNICATE\""), std::string::npos) << r.out;
}

}  // namespace
