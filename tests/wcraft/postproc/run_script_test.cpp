// The multi-sheet run's script and log header, the drawing check on the
// command line and the save question before a run.
#include "ads.h"
#include "host/module_state.h"
#include "postproc/postproc.h"
#include "postproc/run_files.h"
#include "postproc_fixture.h"

namespace wcraft::test {
namespace {

const char* kAllDisabledControl =
    "\n     Wire numbering             : DISABLED"
    "\n        PTP wire listing        : DISABLED"
    "\n           Wire schedules       : DISABLED"
    "\n        Wire link references    : DISABLED"
    "\n     Component numbering        : DISABLED"
    "\n     Terminal numbering         : DISABLED"
    "\n     Relay correlation          : DISABLED"
    "\n        Contact numbering       : DISABLED"
    "\n        Contact blocks          : DISABLED"
    "\n     Sheet numbering            : DISABLED"
    "\n     Sheet rotate               : DISABLED"
    "\n     Parts listing              : DISABLED"
    "\n     3rd party data extraction  : DISABLED"
    "\n     3rd party APP' interface   : DISABLED"
    "\n     Generate Audit             : ENABLED";

class Run : public PostprocTest {
protected:
    void SetUp() override {
        PostprocTest::SetUp();
        steps_off_but_audit(1);
    }
    void filenames(std::vector<std::string> names) {
        for (size_t i = 0; i < names.size(); ++i) config().f_names[i] = names[i];
        config().f_names[names.size()] = "*ND*";
        config().f_mode = FM_FILENAME;
    }
    void drawings(std::initializer_list<const char*> names) {
        for (const char* n : names) write_file(std::string("PROJ/") + n, dxf_drawing(""));
    }
    std::string script() const { return read_file("WCRAFT/PROCESS/ELEC1.SCR"); }
    std::string log() const { return read_file("WCRAFT/PROCESS/ELEC1.LOG"); }
};

std::string header() {
    return std::string("\nWirecraft Post processor run time event log file:\n") + std::string(59, '=') +
           "\n:Project name ....... : ELEC1\n:Project Title ...... : Pump station\n:Project Directory... : C:\\PROJ"
           "\nPost processor control :-" +
           kAllDisabledControl + "\n\n:Generating script file for drawing files :-";
}

TEST_F(Run, FileNameProjectGivesTheScriptAndLogHeader) {
    drawings({"A.DXF", "B.DXF", "C.DXF"});
    filenames({"A", "B", "C"});
    write_file("WCRAFT/PROCESS/ELEC1.WLF", "old report");
    EXPECT_EQ(multi_sheet_processor(), 1);
    EXPECT_EQ(script(),
              "(load (strcat wcridir \"supportP.LSP\"))\n(setq wcrshtn \"000\")\nwcrPPRO1\n"
              "OPEN\nY\nC:\\PROJ\\A\n(load (strcat wcridir \"supportP.LSP\"))\n(setq wcrshtn \"001\")\nwcrPPRO2_4\n"
              "OPEN\nC:\\PROJ\\B\n(load (strcat wcridir \"supportP.LSP\"))\n(setq wcrshtn \"002\")\nwcrPPRO2_4\n"
              "OPEN\nC:\\PROJ\\C\n(load (strcat wcridir \"supportP.LSP\"))\n(setq wcrshtn \"003\")\nwcrPPRO2_4\n"
              "NEW\n\n(load (strcat wcridir \"supportP.LSP\"))\nWCRPPRO3_5\n");
    EXPECT_EQ(log(), header() + "\nC:\\PROJ\\A\nC:\\PROJ\\B\nC:\\PROJ\\C\n:End of drawing files list."
                                "\n:3 Drawings to process.\n:Script file complete.");
    for (const char* ext : {"WLF", "PLF", "RLF", "ALF"})
        EXPECT_EQ(read_file(std::string("WCRAFT/PROCESS/ELEC1.") + ext), "") << ext;
    EXPECT_TRUE(std::filesystem::exists(on_c("WCRAFT/PROCESS/ELEC1.ALF")));
    EXPECT_EQ(wcr().stage, 1);
    EXPECT_EQ(wcr().qrun, 0);
    EXPECT_EQ(wcr().drawing_count, 3);
    EXPECT_EQ(get_short("wcrstage"), 1);
    EXPECT_EQ(get_short("wcrqrun"), 0);
    EXPECT_TRUE(session->input().in_script()) << "the script was handed to the host";
    EXPECT_EQ(out.find("\nRunning Wirecraft Multi Sheet Processor Ver 1.1.\n" + std::string(58, '=')), 0u) << out;
    EXPECT_EQ(out.find("Error"), std::string::npos) << out;
}

TEST_F(Run, AListEndFirstFindsNoDrawing) {
    filenames({});
    EXPECT_EQ(multi_sheet_processor(), 1);
    EXPECT_NE(out.find("\nError : WCRAFT(2005), Project drawing file names incorrect"), std::string::npos) << out;
    EXPECT_EQ(wcr().stage, 0);
    EXPECT_EQ(error_code(), 0) << "reported and cleared";
    EXPECT_FALSE(session->input().in_script());
    EXPECT_EQ(log(), header() + "\n:End of drawing files list.\n:0 Drawings to process.\n:Script file complete.");
    EXPECT_EQ(script(), "(load (strcat wcridir \"supportP.LSP\"))\n(setq wcrshtn \"000\")\nwcrPPRO1\n"
                        "NEW\n\n(load (strcat wcridir \"supportP.LSP\"))\nWCRPPRO3_5\n");
}

TEST_F(Run, AFailedCheckStopsBeforeAnyRunFile) {
    drawings({"A.DXF", "C.DXF"});
    filenames({"A", "B", "C"});
    multi_sheet_processor();
    EXPECT_NE(out.find("\nWarning : 3 drawing files specified, 2 drawings found!"), std::string::npos) << out;
    EXPECT_NE(out.find("\nError : WCRAFT(2000), Project drawing file names incorrect"), std::string::npos) << out;
    EXPECT_FALSE(std::filesystem::exists(on_c("WCRAFT/PROCESS/ELEC1.SCR")));
    EXPECT_FALSE(std::filesystem::exists(on_c("WCRAFT/PROCESS/ELEC1.WLF")));
    EXPECT_EQ(wcr().stage, 0);
}

TEST_F(Run, MaskAndDirectoryProjectsTakeEveryDrawingOfTheFolder) {
    drawings({"ELECT001.DXF", "ELECT002.DXF", "ELECT003.DXF"});
    config().f_mask = "ELECT";
    for (int mode : {FM_MASK, FM_DIRECTORY}) {
        out.clear();
        config().f_mode = mode;
        multi_sheet_processor();
        std::string s = script();
        EXPECT_NE(s.find("OPEN\nY\nC:\\PROJ\\ELECT001\n(load (strcat wcridir \"supportP.LSP\"))\n(setq wcrshtn \"001\")"),
                  std::string::npos)
            << s;
        EXPECT_NE(s.find("OPEN\nC:\\PROJ\\ELECT003\n(load (strcat wcridir \"supportP.LSP\"))\n(setq wcrshtn \"003\")"),
                  std::string::npos)
            << s;
        EXPECT_EQ(s.find("(setq wcrshtn \"004\")"), std::string::npos);
        EXPECT_NE(log().find("\n:3 Drawings to process."), std::string::npos);
        EXPECT_EQ(wcr().drawing_count, 3);
    }
}

TEST_F(Run, OnlyAnUpperCaseExtensionIsCutFromAListedName) {
    drawings({"A.DXF", "b.dxf"});
    config().f_mode = FM_DIRECTORY;
    multi_sheet_processor();
    std::string s = script();
    EXPECT_NE(s.find("OPEN\nY\nC:\\PROJ\\A\n"), std::string::npos) << s;
    EXPECT_NE(s.find("OPEN\nC:\\PROJ\\b.dxf\n"), std::string::npos) << s;
    EXPECT_EQ(s.find("\nY\n", s.find("b.dxf")), std::string::npos) << "Y only after the first OPEN";
}

TEST_F(Run, RunFilesThatCannotBeWrittenStopTheRun) {
    drawings({"A.DXF"});
    filenames({"A"});
    std::filesystem::remove_all(on_c("WCRAFT/PROCESS"));
    write_file("WCRAFT/PROCESS", "a file where the folder belongs");
    multi_sheet_processor();
    EXPECT_NE(out.find("\nError : WCRAFT(2010), Can't open post process script file"), std::string::npos) << out;
    EXPECT_EQ(out.find("WCRAFT(2016)"), std::string::npos) << "one report, of the last code set";
    EXPECT_EQ(wcr().stage, 0);
    EXPECT_FALSE(session->input().in_script());
}

TEST_F(Run, AQuickRunThatCannotStartEndsItsUndoGroup) {
    std::filesystem::remove_all(on_c("WCRAFT/PROCESS"));
    write_file("WCRAFT/PROCESS", "a file where the folder belongs");
    single_sheet_processor();
    EXPECT_NE(out.find("\nError : WCRAFT(2010), Can't open post process script file"), std::string::npos) << out;
    EXPECT_EQ(wcr().stage, 0);
    EXPECT_EQ(cl->undo_state().open_groups, 0) << "no script will end the group";
    EXPECT_FALSE(session->input().in_script());
}

TEST(SheetText, ThreeDigitsUpTo999ThenUnpadded) {
    EXPECT_EQ(sheet_text_of(1), "001");
    EXPECT_EQ(sheet_text_of(12), "012");
    EXPECT_EQ(sheet_text_of(999), "999");
    EXPECT_EQ(sheet_text_of(1000), "1000");
}

class Check : public Run {};

TEST_F(Check, FileNameModeListsEveryMissingDrawing) {
    drawings({"A.DXF", "C.DXF"});
    filenames({"A", "B", "C"});
    EXPECT_EQ(project_drawing_check(), 0);
    EXPECT_EQ(out, std::string("\nChecking project drawing files for :-\nProject name .....: ELEC1"
                               "\nProject title ....: Pump station\nProject directory.: C:\\PROJ"
                               "\nPost processor control :-") +
                       kAllDisabledControl +
                       "\n\nDrawing files identified by : FILE\nSearching...\nDrawing file C:\\PROJ\\B.DXF, not found!"
                       "\nWarning : 3 drawing files specified, 2 drawings found!");
    out.clear();
    drawings({"B.DXF"});
    EXPECT_EQ(project_drawing_check(), 1);
    EXPECT_NE(out.find("\n3 drawing files specified, 3 drawings found OK!"), std::string::npos) << out;
}

TEST_F(Check, MaskModeStopsAtTheFirstGap) {
    drawings({"ELECT001.DXF", "ELECT002.DXF", "ELECT004.DXF"});
    config().f_mode = FM_MASK;
    config().f_mask = "ELECT";
    EXPECT_EQ(project_drawing_check(), 1);
    EXPECT_NE(out.find("MASK\nSearching...\nDrawing file C:\\PROJ\\ELECT003.DXF, not found!"
                       "\n2 drawing files found, from 001 to 002 inclusive!"),
              std::string::npos)
        << out;
    out.clear();
    config().f_mask = "OTHER";
    EXPECT_EQ(project_drawing_check(), 0);
    EXPECT_NE(out.find("\nDrawing file C:\\PROJ\\OTHER001.DXF, not found!\nWarning : No drawing files found!"),
              std::string::npos)
        << out;
}

TEST_F(Check, DirectoryModeCountsTheDrawings) {
    config().f_mode = FM_DIRECTORY;
    EXPECT_EQ(project_drawing_check(), 0);
    EXPECT_NE(out.find("DIRECTORY : C:\\PROJ\nSearching...\nWarning : No drawing files found in directory!"),
              std::string::npos)
        << out;
    out.clear();
    drawings({"X.DXF", "Y.DXF"});
    write_file("PROJ/NOTES.TXT", "not a drawing");
    EXPECT_EQ(project_drawing_check(), 1);
    EXPECT_NE(out.find("\n2 drawing files found OK!"), std::string::npos) << out;
}

class SaveQuestion : public Run {};

TEST_F(SaveQuestion, AnUnmodifiedDrawingGoesOnAtOnce) {
    EXPECT_EQ(save_drawing_check(), 1);
    EXPECT_EQ(out, "");
}

TEST_F(SaveQuestion, CancelStopsAndYesSavesANamedDrawing) {
    open_drawing("A.DXF", dxf_drawing(""));
    std::string before = read_file("PROJ/A.DXF");
    ads_point a = {0, 0, 0}, b = {5, 5, 0};
    ASSERT_EQ(ads_command(RTSTR, "_.LINE", RT3DPOINT, a, RT3DPOINT, b, RTSTR, "", 0), RTNORM);
    type("cancel\n");
    EXPECT_EQ(save_drawing_check(), 9);
    EXPECT_EQ(read_file("PROJ/A.DXF"), before);
    type("yes\n");
    EXPECT_EQ(save_drawing_check(), 1);
    EXPECT_NE(read_file("PROJ/A.DXF"), before);
    EXPECT_NE(read_file("PROJ/A.DXF").find("\nLINE\n"), std::string::npos);
    EXPECT_EQ(save_drawing_check(), 1) << "saved, so no question now";
}

TEST_F(SaveQuestion, NoKeepsTheFileAndSavesAScratchCopy) {
    open_drawing("A.DXF", dxf_drawing(""));
    std::string before = read_file("PROJ/A.DXF");
    ads_point a = {0, 0, 0}, b = {5, 5, 0};
    ASSERT_EQ(ads_command(RTSTR, "_.LINE", RT3DPOINT, a, RT3DPOINT, b, RTSTR, "", 0), RTNORM);
    type("no\n");
    EXPECT_EQ(save_drawing_check(), 1);
    EXPECT_EQ(read_file("PROJ/A.DXF"), before);
    EXPECT_NE(read_file("UNNAMED2.dxf").find("\nLINE\n"), std::string::npos) << out;
    // A second time the scratch file exists and is replaced.
    ASSERT_EQ(ads_command(RTSTR, "_.LINE", RT3DPOINT, b, RT3DPOINT, a, RTSTR, "", 0), RTNORM);
    type("no\n");
    EXPECT_EQ(save_drawing_check(), 1);
    EXPECT_EQ(read_file("PROJ/A.DXF"), before);
    struct resbuf rb {};
    ASSERT_EQ(ads_getvar("DBMOD", &rb), RTNORM);
    EXPECT_EQ(rb.resval.rint, 0) << out;
}

TEST_F(SaveQuestion, YesSavesAnUnnamedDrawingUnderTheOfferedName) {
    ads_point a = {0, 0, 0}, b = {5, 5, 0};
    ASSERT_EQ(ads_command(RTSTR, "_.LINE", RT3DPOINT, a, RT3DPOINT, b, RTSTR, "", 0), RTNORM);
    type("yes\n");
    EXPECT_EQ(save_drawing_check(), 1);
    struct resbuf rb {};
    ASSERT_EQ(ads_getvar("DBMOD", &rb), RTNORM);
    EXPECT_EQ(rb.resval.rint, 0) << out;
}

}  // namespace
}  // namespace wcraft::test
