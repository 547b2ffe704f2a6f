// The whole post-processor on the demonstration project with every control
// flag on, through the host executable: the five report files and the
// run-time event log must be byte for byte the kept ones, and a quick run
// of one demo sheet must stay in one undo group.
//
// The kept files are in golden/. After a deliberate change of output, run
// the test with CH_UPDATE_GOLDEN=1 to write them anew, and read the
// difference before committing it.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "../../tools/command_output.h"
#include "project/project_config.h"
#include "project/project_format.h"

namespace fs = std::filesystem;

namespace {

const fs::path kGolden = fs::path(CH_SOURCE_DIR) / "tests" / "wcraft" / "postproc" / "golden";

std::string slurp(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    std::stringstream ss;
    ss << f.rdbuf();
    return ss.str();
}

// The first line where two texts differ, for a readable failure.
std::string first_difference(const std::string& want, const std::string& got) {
    std::istringstream a(want), b(got);
    std::string la, lb;
    for (int n = 1;; ++n) {
        bool more_a = static_cast<bool>(std::getline(a, la)), more_b = static_cast<bool>(std::getline(b, lb));
        if (!more_a && !more_b) return "texts differ only in their last line end";
        if (!more_a || !more_b || la != lb)
            return "line " + std::to_string(n) + ":\n  kept: " + (more_a ? la : "(end)") +
                   "\n  made: " + (more_b ? lb : "(end)");
    }
}

class DemoGolden : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("wcraft-golden-" + std::to_string(getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
        std::string cmd = "'" CH_SOURCE_DIR "/support/wcraft/install.sh' '" + dir.string() + "' '" CH_BINARY_DIR
                          "' > /dev/null";
        ASSERT_EQ(system(cmd.c_str()), 0);
        // The first start lays the demo folder out and copies the pristine sheets.
        host("QUIT\n");
        ASSERT_TRUE(fs::exists(dir / "WCRAFT" / "WcrDemo" / "DEMO001.DXF"));
        every_flag_on(dir / "WCRAFT" / "PROJECT" / "wcrdemo.prj");
    }
    void TearDown() override { fs::remove_all(dir); }

    static void every_flag_on(const fs::path& prj) {
        wcraft::ProjectConfig c;
        wcraft::fill_defaults(c);
        FILE* in = fopen(prj.c_str(), "r");
        ASSERT_NE(in, nullptr) << prj;
        int error = wcraft::read_project(in, c, [](const std::string&) {});
        fclose(in);
        ASSERT_EQ(error, 0);
        for (int* flag : {&c.wire_num, &c.sheet_rot, &c.wire_lis, &c.wire_sch, &c.wire_lnk, &c.part_lis, &c.analysis,
                          &c.term_num, &c.relay_cr, &c.cont_num, &c.cont_blk, &c.comp_num, &c.sheet_no,
                          &c.application_int, &c.audit})
            *flag = 1;
        FILE* out = fopen(prj.c_str(), "w");
        ASSERT_NE(out, nullptr);
        ASSERT_TRUE(wcraft::write_project(out, c));
        fclose(out);
    }

    // Runs the host on drive C with `input`, optionally opening `drawing`.
    std::string host(const std::string& input, const std::string& drawing = "") {
        std::ofstream(dir / "input.txt") << input;
        std::string cmd = "cd '" + dir.string() + "' && timeout 300 '" CH_CADHOST "' --drive C='" + dir.string() +
                          "' --support '" + (dir / "WCRAFT").string() + "' --support '" CH_SOURCE_DIR
                          "/support/dcl' " + (drawing.empty() ? "" : "'" + (dir / drawing).string() + "' ") +
                          "< input.txt 2>&1";
        return test_tools::command_output(cmd).out;
    }
    std::string open_project(const std::string& keywords) {
        return "WCRAFT\nPROJECT\nOPEN\nC:\\WCRAFT\\PROJECT\\wcrdemo.prj\nEXIT\nPROCESS\n" + keywords;
    }

    fs::path dir;
};

TEST_F(DemoGolden, EveryReportAndTheLogAreTheKeptOnes) {
    std::string out = host(open_project("RUN\n") + "QUIT\n");
    EXPECT_EQ(out.find("is not built yet"), std::string::npos) << out;
    EXPECT_EQ(out.find("ARX error"), std::string::npos) << out;
    bool update = getenv("CH_UPDATE_GOLDEN") != nullptr;
    for (const char* ext : {"WLF", "RLF", "PLF", "ALF", "LOG"}) {
        SCOPED_TRACE(ext);
        fs::path made = dir / "WCRAFT" / "PROCESS" / (std::string("WCRDEMO.") + ext);
        ASSERT_TRUE(fs::exists(made)) << out;
        std::string got = slurp(made);
        fs::path kept = kGolden / (std::string("WCRDEMO.") + ext);
        if (update) {
            fs::create_directories(kGolden);
            std::ofstream(kept, std::ios::binary) << got;
            continue;
        }
        ASSERT_TRUE(fs::exists(kept)) << "no kept file " << kept << "; run with CH_UPDATE_GOLDEN=1 to make it";
        std::string want = slurp(kept);
        EXPECT_TRUE(want == got) << first_difference(want, got);
    }
    if (update) GTEST_SKIP() << "kept files written anew in " << kGolden;
}

// Every update of the run (sheet numbers, references, coil texts, contact
// blocks) happens inside the quick run's undo group: one undo gives back
// the drawing as it was opened.
TEST_F(DemoGolden, QuickRunOfADemoSheetIsOneUndoStep) {
    const std::string sheet = "WCRAFT/WcrDemo/DEMO002.DXF";
    std::string before = slurp(dir / sheet);
    auto count = [](const char* tag, const char* layer) {
        return std::string("(progn (princ (strcat \"\\n") + tag + "=\" (itoa (if (setq s (ssget \"X\" '((8 . \"" +
               layer + "\")))) (sslength s) 0)))) (princ))\n";
    };
    std::string out = host(open_project("QRUN\n") + count("COILTEXT", "WCR_COIL_TEXT_LAYER") +
                               count("WIRETEXT", "WCR_WIRE_CONTROL") +
                               "(progn (princ (strcat \"\\nMODIFIED=\" (itoa (getvar \"DBMOD\")))) (princ))\n"
                               "SAVEAS\n\nC:\\RUN.DXF\nU\nSAVEAS\n\nC:\\UNDONE.DXF\n" +
                               count("AFTERUNDO", "WCR_COIL_TEXT_LAYER") + "QUIT\nY\n",
                           sheet);
    EXPECT_EQ(slurp(dir / sheet), before) << "a quick run never saves";
    EXPECT_EQ(out.find("MODIFIED=0"), std::string::npos) << out;
    EXPECT_EQ(out.find("\nCOILTEXT=0"), std::string::npos) << "coil texts drawn: " << out;
    EXPECT_NE(out.find("\nAFTERUNDO=0"), std::string::npos) << out;
    std::string run = slurp(dir / "RUN.DXF"), undone = slurp(dir / "UNDONE.DXF");
    ASSERT_FALSE(run.empty()) << out;
    ASSERT_FALSE(undone.empty()) << out;
    EXPECT_NE(run.find("WCR_COIL_TEXT_LAYER"), std::string::npos);
    // The undone drawing holds none of the run's texts and references.
    EXPECT_EQ(undone.find("\nK1-1\n"), std::string::npos) << "a contact reference outlived the undo";
    EXPECT_NE(run.find("\nK1-1\n"), std::string::npos) << "the run gave the first K1 contact its reference";
}

}  // namespace
