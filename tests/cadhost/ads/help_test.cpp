// The help call: the host has no help viewer, so it names the topic and
// the file it found, or says that the file is missing.
#include <filesystem>
#include <fstream>

#include "session_fixture.h"

using namespace cadhost::test;

namespace {

class Help : public HostTest {};

TEST_F(Help, ATopicOfAFileBesideTheDrawingIsNamed) {
    std::filesystem::copy_file(demo_path(), scratch() / "D.DXF");
    open((scratch() / "D.DXF").string());
    std::ofstream(scratch() / "TOOL.AHP") << "help text\n";
    EXPECT_EQ(ads_help("tool.ahp", "use_toc", HELP_PARTIALKEY), RTNORM) << out;
    EXPECT_NE(out.find("Help: topic \"use_toc\" of tool.ahp\n"), std::string::npos) << out;
    out.clear();
    EXPECT_EQ(ads_help("TOOL.AHP", "", HELP_CONTENTS), RTNORM);
    EXPECT_NE(out.find("topic \"contents\" of TOOL.AHP (contents)"), std::string::npos) << out;
}

TEST_F(Help, AMissingFileIsReportedAndIsAnError) {
    open_demo();
    EXPECT_EQ(ads_help("NOHELP.AHP", "x", HELP_PARTIALKEY), RTERROR);
    EXPECT_NE(out.find("Help file NOHELP.AHP not found.\n"), std::string::npos) << out;
    EXPECT_EQ(ads_help(nullptr, "x", HELP_PARTIALKEY), RTERROR);
}

}  // namespace
