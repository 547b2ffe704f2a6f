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

TEST_F(Cli, ApplicationsThatCannotLoadGiveAMessage) {
    RunResult bad = run("QUIT\n", "--load '" CH_BADAPP "' --load '" + (dir / "none.so").string() + "' IN.DXF");
    EXPECT_EQ(bad.status, 0) << bad.out;
    EXPECT_NE(bad.out.find("another interface version"), std::string::npos) << bad.out;
    EXPECT_NE(bad.out.find("Unable to load"), std::string::npos) << bad.out;
}

TEST_F(Cli, UnknownCommandsAreReported) {
    RunResult r = run("FROBNICATE\nQUIT\n", "IN.DXF");
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("Unknown command \"FROBNICATE\""), std::string::npos) << r.out;
}

}  // namespace
