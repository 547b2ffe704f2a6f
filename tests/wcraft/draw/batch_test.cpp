// The batch plot and user script utilities: the drawings they find, the
// scripts they write and when they start them.
#include "ads.h"
#include "draw_fixture.h"
#include "host/module_state.h"
#include "postproc/batch_utils.h"

namespace wcraft::test {
namespace {

class Batch : public DrawTest {
protected:
    void SetUp() override {
        DrawTest::SetUp();
        config().f_mode = FM_FILENAME;
        names({"A", "B"});
    }
    void names(std::vector<std::string> list) {
        for (size_t i = 0; i < list.size(); ++i) config().f_names[i] = list[i];
        config().f_names[list.size()] = kListEnd;
    }
    void drawings(std::initializer_list<const char*> files) {
        for (const char* f : files) write_file(std::string("PROJ/") + f, dxf_drawing(""));
    }
    std::string script() const { return read_file("WCRAFT/PROCESS/ELEC1.SCR"); }
    bool started() { return session->input().in_script(); }
};

TEST_F(Batch, APlotVisitsEveryDrawingWithTheDefaultAnswers) {
    drawings({"A.DXF", "B.DXF"});
    EXPECT_EQ(batch_plot(), 1);
    EXPECT_EQ(script(),
              "NEW\nY\n\nCMDDIA\n0\nFILEDIA\n0\n"
              "OPEN\nC:\\PROJ\\A\nWCRPPLOT\nPLOT\nE\n2\nC:\\WCRAFT\\WCRAFT\nE\n0\n"
              "OPEN\nC:\\PROJ\\B\nWCRPPLOT\nPLOT\nE\n2\nC:\\WCRAFT\\WCRAFT\nE\n0\n"
              "NEW\n\nCMDDIA\n1\nFILEDIA\n1\n");
    EXPECT_EQ(out.find("\nWirecraft Post Process Batch plot utility Ver 1.0.\n" + std::string(60, '=') +
                       "\nBeginning Process Batch Plotting on 2, drawings... "),
              0u)
        << out;
    EXPECT_TRUE(started());
}

TEST_F(Batch, APlotFragmentReplacesTheAnswersLineByLine) {
    drawings({"A.DXF", "B.DXF"});
    write_file("WCRAFT/WCRPLT.WCR", "PLOT\n;\nE\r\n;\r\n" + std::string(140, 'x') + "\nlast");
    batch_plot();
    std::string each = "WCRPPLOT\nPLOT\n\nE\n\n" + std::string(129, 'x') + "\nlast\n";
    EXPECT_EQ(script(), "NEW\nY\n\nCMDDIA\n0\nFILEDIA\n0\nOPEN\nC:\\PROJ\\A\n" + each + "OPEN\nC:\\PROJ\\B\n" + each +
                            "NEW\n\nCMDDIA\n1\nFILEDIA\n1\n");
}

TEST_F(Batch, AMissingListedDrawingStopsTheWalkAndNothingStarts) {
    drawings({"A.DXF", "C.DXF"});
    names({"A", "B", "C"});
    batch_plot();
    EXPECT_NE(script().find("OPEN\nC:\\PROJ\\A\n"), std::string::npos);
    EXPECT_EQ(script().find("C:\\PROJ\\C"), std::string::npos) << script();
    EXPECT_NE(out.find("\nWarning: Can't find drawing file C:\\PROJ\\B\nCheck project configuration!"
                       "\nProcess batch plot aborted..."),
              std::string::npos)
        << out;
    EXPECT_FALSE(started());
}

TEST_F(Batch, MaskStopsAtTheFirstGapAndDirectoryTakesEveryDrawing) {
    drawings({"ELECT001.DXF", "ELECT002.DXF", "ELECT004.DXF"});
    config().f_mode = FM_MASK;
    BatchDrawings m = batch_drawings(config());
    EXPECT_EQ(m.paths, (std::vector<std::string>{"C:\\PROJ\\ELECT001", "C:\\PROJ\\ELECT002"}));
    EXPECT_FALSE(m.failed);
    config().f_mode = FM_DIRECTORY;
    BatchDrawings d = batch_drawings(config());
    EXPECT_EQ(d.paths.size(), 3u);
    EXPECT_FALSE(d.failed);
    config().f_mask = "OTHER";
    config().f_mode = FM_MASK;
    EXPECT_TRUE(batch_drawings(config()).failed);
}

TEST_F(Batch, NoDrawingsFoundIsSaidAndNothingStarts) {
    config().f_mode = FM_DIRECTORY;
    user_script();
    EXPECT_NE(out.find("\nWarning: No drawing files found to execute user script!\nCheck project configuration!"
                       "\nProcess user script aborted..."),
              std::string::npos)
        << out;
    EXPECT_EQ(script(), "NEW\nY\n\nCMDDIA\n0\nNEW\n\nCMDDIA\n1\n");
    EXPECT_FALSE(started());
    out.clear();
    names({"B"});
    config().f_mode = FM_FILENAME;
    batch_plot();
    EXPECT_NE(out.find("\nWarning: No drawing files found to plot!"), std::string::npos) << out;
}

TEST_F(Batch, AUserScriptRunsTheFragmentOnEveryDrawing) {
    drawings({"A.DXF", "B.DXF"});
    EXPECT_EQ(user_script(), 1);
    EXPECT_EQ(script(), "NEW\nY\n\nCMDDIA\n0\nOPEN\nC:\\PROJ\\A\nWCRUSERSCR\nOPEN\nC:\\PROJ\\B\nWCRUSERSCR\n"
                        "NEW\n\nCMDDIA\n1\n")
        << "without a fragment only the hook is called";
    write_file("WCRAFT/USERSCR.SCR", "ZOOM\nE\n");
    out.clear();
    user_script();
    EXPECT_NE(script().find("OPEN\nC:\\PROJ\\B\nWCRUSERSCR\nZOOM\nE\nNEW\n"), std::string::npos) << script();
    EXPECT_EQ(out.find("\nWirecraft Post Process user script utility Ver 1.0.\n" + std::string(61, '=') +
                       "\nBeginning process user script on 2, drawings... "),
              0u)
        << out;
}

TEST_F(Batch, AModifiedDrawingIsAskedAboutAndCancelStartsNothing) {
    drawings({"A.DXF", "B.DXF"});
    ads_point a = {0, 0, 0}, b = {5, 5, 0};
    ASSERT_EQ(ads_command(RTSTR, "_.LINE", RT3DPOINT, a, RT3DPOINT, b, RTSTR, "", 0), RTNORM);
    type("cancel\n");
    batch_plot();
    EXPECT_FALSE(std::filesystem::exists(on_c("WCRAFT/PROCESS/ELEC1.SCR")));
    EXPECT_EQ(out.find("Batch plot utility"), std::string::npos) << out;
    EXPECT_FALSE(started());
}

TEST_F(Batch, AScriptThatCannotBeWrittenIsReported) {
    drawings({"A.DXF"});
    std::filesystem::remove_all(on_c("WCRAFT/PROCESS"));
    write_file("WCRAFT/PROCESS", "a file where the folder belongs");
    user_script();
    EXPECT_NE(out.find("\nError : WCRAFT(2012), Can't open post process script file"), std::string::npos) << out;
    EXPECT_EQ(error_code(), 0) << "reported once, at once";
    EXPECT_FALSE(started());
}

}  // namespace
}  // namespace wcraft::test
