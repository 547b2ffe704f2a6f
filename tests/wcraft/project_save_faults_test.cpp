// Saving the project over its previous file while the file layer fails
// each write, each close and each rename in turn: the previous project file
// stays as it was and the config file write error is reported; once the
// planned step lies beyond the save's last, the save succeeds and the
// backup holds the previous file. The backup itself is never left cut short.
#include "postproc_fixture.h"

#include "fs/faults.h"
#include "host/error_codes.h"
#include "host/error_table.h"
#include "host/module_state.h"
#include "project/project_io.h"

namespace wcraft::test {

class ProjectSaveFaults : public PostprocTest {};

TEST_F(ProjectSaveFaults, AFailureAtAnyStepLeavesThePreviousFile) {
    using cadhost::fs::FaultPlan;
    struct Step {
        const char* what;
        int FaultPlan::*field;
    } steps[] = {{"write", &FaultPlan::write}, {"close", &FaultPlan::close}, {"rename", &FaultPlan::rename}};
    std::filesystem::create_directories(on_c("WCRAFT/PROJECT"));
    const std::string failed = error_report_text(ERR_CFG_OPEN_W);
    for (const Step& step : steps) {
        int failures = 0;
        for (int n = 1; n < 2000; ++n) {
            SCOPED_TRACE(std::string(step.what) + " " + std::to_string(n));
            std::filesystem::remove_all(on_c("WCRAFT/PROJECT"));
            std::filesystem::create_directories(on_c("WCRAFT/PROJECT"));
            config().p_title = "Older";
            ASSERT_EQ(save_project(), 1) << out;
            std::string older = read_file("WCRAFT/PROJECT/ELEC1.PRJ");
            config().p_title = "Before";
            type("yes\n");
            ASSERT_EQ(save_project(), 1) << out;
            std::string before = read_file("WCRAFT/PROJECT/ELEC1.PRJ");
            ASSERT_EQ(read_file("WCRAFT/PROJECT/ELEC1.BAK"), older);
            ASSERT_FALSE(before.empty());
            config().p_title = "After";
            type("yes\n");  // replace the existing file
            out.clear();
            FaultPlan plan;
            plan.*step.field = n;
            cadhost::fs::set_fault_plan(plan);
            int ok = save_project();
            FaultPlan seen = cadhost::fs::fault_counts();
            cadhost::fs::clear_fault_plan();
            std::string now = read_file("WCRAFT/PROJECT/ELEC1.PRJ");
            if (seen.*step.field < n) {
                EXPECT_EQ(ok, 1) << out;
                EXPECT_NE(now, before);
                EXPECT_NE(now.find("After"), std::string::npos);
                EXPECT_EQ(read_file("WCRAFT/PROJECT/ELEC1.BAK"), before);
                break;
            }
            ++failures;
            EXPECT_EQ(ok, 0);
            EXPECT_EQ(now, before);
            EXPECT_NE(out.find(failed), std::string::npos) << out;
            EXPECT_FALSE(std::filesystem::exists(on_c("WCRAFT/PROJECT/ELEC1.TMP")));
            // The backup is the older one or a whole copy of the previous
            // file, never one cut short.
            std::string backup = read_file("WCRAFT/PROJECT/ELEC1.BAK");
            EXPECT_TRUE(backup == older || backup == before) << backup;
            EXPECT_FALSE(std::filesystem::exists(on_c("WCRAFT/PROJECT/ELEC1.BA$")));
        }
        EXPECT_GT(failures, 0) << step.what << ": the save never reached this step";
    }
}

}  // namespace wcraft::test
