// The module inside the host executable, driven as a person would: typed
// keywords on standard input, dialogs answered with the host's dialog
// actions, drawings opened one after another.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "../tools/command_output.h"
#include "../tools/scratch.h"

namespace fs = std::filesystem;

namespace {

class HostSession : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir = fs::temp_directory_path() / ("wcraft-host-" + std::to_string(getpid())) / info->name();
        fs::remove_all(dir);
        fs::create_directories(dir);
        std::string cmd = "'" CH_SOURCE_DIR "/support/wcraft/install.sh' '" + dir.string() + "' '" CH_BINARY_DIR
                          "' > /dev/null";
        ASSERT_EQ(system(cmd.c_str()), 0);
        fs::copy_file(std::string(CH_SOURCE_DIR) + "/support/samples/demo.dxf", dir / "A.DXF");
        fs::copy_file(std::string(CH_SOURCE_DIR) + "/support/samples/demo.dxf", dir / "B.DXF");
    }
    void TearDown() override { test_tools::remove_scratch(dir); }

    // Runs the host on A.DXF with `input` on stdin; the start-up file of
    // the install directory loads the module.
    std::string run(const std::string& input) {
        std::ofstream(dir / "input.txt") << input;
        std::string wc = (dir / "WCRAFT").string();
        std::string cmd = "cd '" + dir.string() + "' && '" CH_CADHOST "' --drive C='" + dir.string() +
                          "' --support '" + wc + "' --support '" CH_SOURCE_DIR "/support/dcl' A.DXF < input.txt 2>&1";
        return test_tools::command_output(cmd).out;
    }
    // Why the host could not load the module; empty when it did.
    static std::string load_failure(const std::string& out) {
        size_t at = out.find("Unable to load");
        if (at == std::string::npos) return "";
        return out.substr(at, out.find('\n', at) - at);
    }
    static std::string slurp(const fs::path& p) {
        std::ifstream f(p, std::ios::binary);
        std::stringstream ss;
        ss << f.rdbuf();
        return ss.str();
    }
    fs::path dir;
};

TEST_F(HostSession, TypedKeywordsAbbreviationsAndEscape) {
    std::string out = run("WCRAFT\n\np\n\nproj\nDISPLAY\n^C\nQUIT\n");
    if (std::string why = load_failure(out); !why.empty()) GTEST_SKIP() << why;
    EXPECT_NE(out.find("Initialising Wirecraft V5 C4, ARX"), std::string::npos) << out;
    EXPECT_NE(out.find("List of Wirecraft commands :- "), std::string::npos) << out;
    EXPECT_NE(out.find("WCRAFT Command:->PROCESS : "), std::string::npos) << out;
    EXPECT_NE(out.find("Wirecraft 5 : Project[NONAME]"), std::string::npos) << out;
    EXPECT_NE(out.find("*Cancel*"), std::string::npos) << out;
}

TEST_F(HostSession, ProjectSavedEditedInTheDialogAndOpenedAgain) {
    std::string out = run(
        "WCRAFT\nCONFIG\nPROJECT\n"
        "p_name=elec1\np_title=Pump station\nf_but\nf_edit=sheet9\nadd\nok\n"
        "\nPROJECT\nSAVE\nOPEN\nC:\\WCRAFT\\PROJECT\\ELEC1.PRJ\nEXIT\nEXIT\nQUIT\n");
    if (std::string why = load_failure(out); !why.empty()) GTEST_SKIP() << why;
    std::string saved = slurp(dir / "WCRAFT" / "PROJECT" / "ELEC1.PRJ");
    ASSERT_FALSE(saved.empty()) << out;
    EXPECT_EQ(std::count(saved.begin(), saved.end(), '\n'), 4527);
    EXPECT_NE(saved.find("\nSHEET9\n"), std::string::npos);
    EXPECT_NE(out.find("Project[ELEC1]\nTitle [Pump station]"), std::string::npos) << out;
    EXPECT_NE(out.find(" - project file version Ver2.0 - OK!"), std::string::npos) << out;
}

TEST_F(HostSession, SecondDrawingKeepsTheProject) {
    std::string out = run(
        "WCRAFT\nCONFIG\nPROJECT\np_name=kept\nok\n\nEXIT\nOPEN\nB.DXF\n"
        "WCRAFT\nPROJECT\nDISPLAY\n\nEXIT\nQUIT\nno\n");
    if (std::string why = load_failure(out); !why.empty()) GTEST_SKIP() << why;
    size_t second = out.rfind("Initialising Wirecraft V5 C4");
    ASSERT_NE(second, std::string::npos) << out;
    EXPECT_NE(out.find("Project[KEPT]", second), std::string::npos) << out;
    EXPECT_EQ(out.find("Default project settings loaded", second), std::string::npos) << "defaults only once";
    EXPECT_FALSE(fs::exists(dir / "WCRAFT" / "PROJECT" / "KEPT.PRJ")) << "No at the quit question writes nothing";
}

TEST_F(HostSession, ArgumentListsAndTheOverwriteQuestion) {
    std::string out = run(
        "(XWCRAFT \"PROJECT\" \"SAVE\")\n"
        "(XWCRAFT \"PROJECT\" \"SAVE\")\nno\n"
        "(XWCRAFT \"p\")\n\n"
        "(XWCRAFT 12)\n"
        "QUIT\n");
    if (std::string why = load_failure(out); !why.empty()) GTEST_SKIP() << why;
    size_t first = out.find("Saving project configuration...done!");
    ASSERT_NE(first, std::string::npos) << out;
    EXPECT_EQ(out.find("Saving project configuration", first + 1), std::string::npos) << "No writes nothing: " << out;
    EXPECT_FALSE(fs::exists(dir / "WCRAFT" / "PROJECT" / "NONAME.BAK"));
    size_t process = out.find("WCRAFT Command:->PROCESS : ");
    EXPECT_NE(process, std::string::npos) << out;
    EXPECT_EQ(out.find("WCRAFT Command:->PROCESS : ", process + 1), std::string::npos) << "one prompt only";
    EXPECT_NE(out.find("*Cancel*"), std::string::npos) << "a number as argument cancels: " << out;
    EXPECT_TRUE(fs::exists(dir / "WCRAFT" / "first.log")) << "the start-up file set the install directory up";
}

}  // namespace
