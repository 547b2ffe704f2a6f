// WCRCTRL and WCRNEXTSTAGE: stage checks, the sheet text, the order of a
// run's stages in the log, the save step and the store's life.
#include <cstring>

#include "ads.h"
#include "extract/store.h"
#include "host/module_state.h"
#include "postproc/postproc.h"
#include "postproc_fixture.h"

namespace wcraft::test {
namespace {

class Stages : public PostprocTest {
protected:
    void SetUp() override {
        PostprocTest::SetUp();
        steps_off_but_audit(0);
        write_file(kLog, "HEADER");
    }
    // Runs WCRCTRL with the option at the stage; the log text it appended.
    std::string ctrl(int option, short stage, int* result = nullptr) {
        std::string before = read_file(kLog);
        wcr().stage = stage;
        set_short("wcroptn", option);
        int r = wcr_ctrl();
        if (result) *result = r;
        std::string after = read_file(kLog);
        return after.substr(before.size());
    }
    static constexpr const char* kLog = "WCRAFT/PROCESS/ELEC1.LOG";
};

TEST_F(Stages, AnOptionAtTheWrongStageDoesNothing) {
    const int wrong[][3] = {{1000, 0, 3001}, {2000, 3, 3002}, {3000, 4, 3003}, {4000, 2, 3004}, {5000, 1, 3005}};
    set_string("wcrshtn", "001");
    for (auto& w : wrong) {
        error_code() = 0;
        int r = 1;
        EXPECT_EQ(ctrl(w[0], static_cast<short>(w[1]), &r), "") << w[0];
        EXPECT_EQ(r, 0);
        EXPECT_EQ(error_code(), w[2]);
        EXPECT_EQ(wcr().stage, w[1]) << "a wrong stage neither advances nor resets";
    }
    EXPECT_EQ(out, "") << "the dispatcher reports, not WCRCTRL";
}

TEST_F(Stages, OptionsThatAreNoneOfTheFive) {
    EXPECT_EQ(ctrl(1234, 1), "");
    EXPECT_EQ(error_code(), 3009);
    wcr().stage = 1;
    set_string("wcroptn", "1000");
    EXPECT_EQ(wcr_ctrl(), 0);
    EXPECT_EQ(error_code(), 3000);
    ASSERT_EQ(ads_putsym("wcroptn", nullptr), RTNORM);
    EXPECT_EQ(wcr_ctrl(), 0);
    EXPECT_EQ(error_code(), 3000);
    EXPECT_EQ(read_file(kLog), "HEADER");
}

TEST_F(Stages, ALogThatCannotBeAppendedTo) {
    std::filesystem::remove(on_c(kLog));
    std::filesystem::create_directories(on_c(kLog));
    wcr().stage = 1;
    set_short("wcroptn", 1000);
    EXPECT_EQ(wcr_ctrl(), 0);
    EXPECT_EQ(error_code(), 2021);
}

TEST_F(Stages, SheetTextFromWcrshtn) {
    config().wire_num = 1;
    open_drawing("A.DXF", dxf_drawing(dxf_line("WCR_WIRE_CONTROL", 0, 10, 5, 10)));
    set_string("wcrshtn", "01");  // after the drawing: AutoLISP starts afresh with each one
    std::string got = ctrl(2000, 2);
    EXPECT_EQ(got.find("\n:Illegal sheet number value in 'wcrshtn'\n(Stage 2) - Extracting drawing information, "
                       "sheet number 000"),
              0u)
        << got;
    EXPECT_EQ(got.find("grid references"), std::string::npos) << "grid references come from sheet 1 only";
    ASSERT_EQ(store().wires[0].size(), 1u);
    EXPECT_EQ(store().wires[0][0].sheet, 0);

    set_short("wcrshtn", 1);
    EXPECT_EQ(ctrl(2000, 2).find("\n:Invalid sheet number type in 'wcrshtn'\n(Stage 2)"), 0u);

    set_string("wcrshtn", "001");
    got = ctrl(2000, 2);
    EXPECT_EQ(got.find("\n(Stage 2) - Extracting drawing information, sheet number 001"), 0u) << got;
    EXPECT_NE(got.find("grid references"), std::string::npos) << got;
    EXPECT_EQ(wcr().sheet_no, 1);

    set_string("wcrshtn", "007");
    EXPECT_EQ(ctrl(3000, 3).find("\n(Stage 3) Calculating post processor functions...\nCalculating wire numbering..."),
              0u);
    EXPECT_EQ(wcr().sheet_text.view(), "000") << "stage 3 works on no sheet";
}

TEST_F(Stages, NextStageWrapsAfterFive) {
    for (short from : {0, 1, 4, 5}) {
        wcr().stage = from;
        EXPECT_EQ(wcr_next_stage(), 1);
        short want = from == 5 ? 0 : static_cast<short>(from + 1);
        EXPECT_EQ(wcr().stage, want);
        EXPECT_EQ(get_short("wcrstage"), want);
    }
    EXPECT_EQ(error_code(), 0);
}

TEST_F(Stages, ARunWithEveryFlagOff) {
    open_drawing("A.DXF", dxf_drawing(dxf_line("WCR_WIRE_CONTROL", 0, 10, 5, 10)));
    std::string log = ctrl(1000, 1);
    EXPECT_EQ(log, "\n(Stage 1) - Initializing Post processor ...");
    EXPECT_NE(wcr().dblog, nullptr);
    EXPECT_TRUE(std::filesystem::exists(scratch() / "dblog.txt"));
    set_string("wcrshtn", "001");
    log = ctrl(2000, 2);
    EXPECT_EQ(log.find("\n(Stage 2) - Extracting drawing information, sheet number 001"
                       "\nExtracting grid references on layer :GRIDREF_HOR "),
              0u)
        << log;
    EXPECT_EQ(log.find("wire"), std::string::npos) << "only the grid references of sheet 1";
    EXPECT_TRUE(store().wires[0].empty());
    EXPECT_EQ(ctrl(3000, 3), "\n(Stage 3) Calculating post processor functions...");
    EXPECT_NE(out.find("\nWirecraft ARX : Calculating post processor functions, wait..."), std::string::npos);
    EXPECT_EQ(ctrl(4000, 4), "\n(Stage 4) - Modifying drawing information, sheet number 001"
                             "\n: DRAWING FILE NOT MODIFIED - OK!");
    EXPECT_EQ(ctrl(5000, 5), "\n(Stage 5) - Finalizing post processor functions...\n\n***End of post processor log***");
    EXPECT_EQ(wcr().dblog, nullptr);
    EXPECT_EQ(out.find("not built"), std::string::npos) << out;
    EXPECT_EQ(out.find("Error"), std::string::npos) << out;
}

TEST_F(Stages, TheSaveStepSavesAModifiedDrawingUnlessQuickRun) {
    open_drawing("A.DXF", dxf_drawing(""));
    ads_point a = {0, 0, 0}, b = {5, 5, 0};
    ASSERT_EQ(ads_command(RTSTR, "_.LINE", RT3DPOINT, a, RT3DPOINT, b, RTSTR, "", 0), RTNORM);
    set_string("wcrshtn", "001");
    wcr().qrun = 1;
    EXPECT_EQ(ctrl(4000, 4), "\n(Stage 4) - Modifying drawing information, sheet number 001");
    EXPECT_EQ(read_file("PROJ/A.DXF").find("\nLINE\n"), std::string::npos);
    wcr().qrun = 0;
    EXPECT_EQ(ctrl(4000, 4), "\n(Stage 4) - Modifying drawing information, sheet number 001"
                             "\n: DRAWING FILE SAVED - OK!");
    EXPECT_NE(read_file("PROJ/A.DXF").find("\nLINE\n"), std::string::npos);
}

// With every optional operation switched on, each stage runs them in their
// order and each writes its first log line, on a drawing with nothing to
// number, update or list.
TEST_F(Stages, EveryOperationRunsInItsStageInOrder) {
    ProjectConfig& c = config();
    c.comp_num = c.term_num = c.relay_cr = c.wire_lis = c.sheet_no = c.wire_lnk = c.part_lis = c.analysis = 1;
    c.wire_num = c.audit = 1;
    c.cont_num = 0;
    open_drawing("A.DXF", dxf_drawing(""));
    set_string("wcrshtn", "001");
    wcr().qrun = 1;
    EXPECT_EQ(ctrl(3000, 3), "\n(Stage 3) Calculating post processor functions..."
                             "\nCalculating wire numbering..."
                             "\nCalculating component numbers..."
                             "\nCalculating terminal numbers..."
                             "\nCalculating relay correlation..."
                             "\nContact auto-numbering disabled..."
                             "\nCorrelating coil and contact references..."
                             "\nCalculating relay contact listing..."
                             "\nCalculating PTP wire list...");
    std::string stage4 = ctrl(4000, 4);
    const char* order4[] = {"\n(Stage 4) - Modifying drawing information, sheet number 001",
                            "\nUpdating title block sheetnumber references...",
                            "\nUpdating wire number information...",
                            "\nUpdating component references...",
                            "\nUpdating terminal references...",
                            "\nUpdating relay coil references...",
                            "\nUpdating relay contact references...",
                            "\nUpdating wirelink references..."};
    size_t at = 0;
    for (const char* line : order4) {
        size_t found = stage4.find(line, at);
        EXPECT_NE(found, std::string::npos) << line << " in its place in:" << stage4;
        if (found != std::string::npos) at = found + strlen(line);
    }
    std::string stage5 = ctrl(5000, 5);
    EXPECT_EQ(stage5.rfind("\n(Stage 5) - Finalizing post processor functions..."
                           "\nCalculating parts listing..."
                           "\nCalculating 3rd party analysis file..."
                           "\n\n***End of post processor log***"
                           "\n\n\fWirecraft Post processor Audit V1.0 ",
                           0),
              0u)
        << stage5;
    EXPECT_EQ(out.find("is not built yet"), std::string::npos) << out;
}

TEST_F(Stages, AStoreFromAnAbandonedRunIsForgottenAtStageOne) {
    config().wire_num = 1;
    open_drawing("A.DXF", dxf_drawing(dxf_line("WCR_WIRE_CONTROL", 0, 10, 5, 10)));
    set_string("wcrshtn", "001");
    ctrl(1000, 1);
    ctrl(2000, 2);
    ASSERT_EQ(store().wires[0].size(), 1u);
    FILE* first = wcr().dblog;
    ASSERT_NE(first, nullptr);
    ctrl(1000, 1);  // a new run after the first stopped in stage 2
    EXPECT_TRUE(store().wires[0].empty());
    EXPECT_NE(wcr().dblog, nullptr);
}

}  // namespace
}  // namespace wcraft::test
