// The run's files while the file layer fails each write, each close and
// each rename in turn: the report files, the script and log a run starts
// with, the log the stages append to and the batch utilities' script. A
// file written over keeps its previous text on every failure and the
// module's error code for it is given; an append that fails is reported.
#include <cstring>
#include <functional>
#include <regex>

#include "extract/store.h"
#include "fs/faults.h"
#include "host/error_table.h"
#include "host/module_state.h"
#include "host/replace_file.h"
#include "host/setup.h"
#include "postproc/batch_utils.h"
#include "postproc/postproc.h"
#include "postproc_fixture.h"
#include "reports/exports.h"
#include "reports/wire_listing.h"

namespace wcraft::test {
namespace {

using cadhost::fs::FaultPlan;

struct Step {
    const char* what;
    int FaultPlan::*field;
};
const Step kWrite{"write", &FaultPlan::write}, kClose{"close", &FaultPlan::close},
    kRename{"rename", &FaultPlan::rename};

class RunFileFaults : public PostprocTest {
protected:
    void SetUp() override {
        PostprocTest::SetUp();
        steps_off_but_audit(0);
    }
    // For each step, runs `write` with the 1st, 2nd, ... such step failing,
    // each time after `prepare`, until the writer no longer reaches the
    // failing step. `check(failed)` judges each run; every step must have
    // failed at least once, so that no case passes without a failure.
    void walk(std::initializer_list<Step> steps, const std::function<void()>& prepare,
              const std::function<void()>& write, const std::function<void(bool failed)>& check) {
        for (const Step& step : steps) {
            int failures = 0;
            for (int n = 1; n < 500; ++n) {
                SCOPED_TRACE(std::string(step.what) + " " + std::to_string(n));
                prepare();
                out.clear();
                error_code() = 0;
                FaultPlan plan;
                plan.*step.field = n;
                cadhost::fs::set_fault_plan(plan);
                write();
                FaultPlan seen = cadhost::fs::fault_counts();
                cadhost::fs::clear_fault_plan();
                bool failed = seen.*step.field >= n;
                check(failed);
                if (!failed) break;
                ++failures;
            }
            EXPECT_GT(failures, 0) << step.what << ": the writer never reached this step";
        }
    }
    static std::string run_path(const char* ext) { return std::string("WCRAFT/PROCESS/ELEC1.") + ext; }
    std::string previous(const char* ext) const { return std::string("the previous ") + ext; }
    // Writes the previous text of each file and forgets any script a run
    // before this one started.
    void write_previous(std::initializer_list<const char*> exts) {
        for (const char* ext : exts) write_file(run_path(ext), previous(ext));
        session->input().stop_scripts();
    }
    // No file written beside one of these is left behind.
    void nothing_beside(std::initializer_list<const char*> exts) {
        for (const char* ext : exts)
            EXPECT_FALSE(std::filesystem::exists(on_c(beside_name(run_path(ext))))) << ext;
    }
    // The codes of the errors reported on the command line.
    std::vector<int> reported_codes() const {
        std::vector<int> codes;
        static const std::regex code(R"(Error : WCRAFT\((\d+)\))");
        for (std::sregex_iterator it(out.begin(), out.end(), code), end; it != end; ++it)
            codes.push_back(std::stoi((*it)[1]));
        return codes;
    }
};

// Each report writer on its own: the previous report stays and the
// writer gives 0 with error 2018; past its last step the new report is in
// place.
TEST_F(RunFileFaults, AReportThatCannotBeWrittenWholeKeepsThePreviousOne) {
    Component pb;
    pb.sheet = 1;
    pb.ref = "PB1";
    pb.bom = "PB";
    Component k1;
    k1.sheet = 1;
    k1.ref = "K1";
    k1.cv = "24V";
    struct Report {
        const char* ext;
        int (*write)(FILE*);
    };
    for (Report r : {Report{"WLF", write_wire_listing}, Report{"RLF", write_relay_listing},
                     Report{"PLF", write_parts_listing}, Report{"ALF", write_analysis_file}}) {
        SCOPED_TRACE(r.ext);
        int result = -1;
        walk(
            {kWrite, kClose, kRename},
            [&] {
                store().reset();
                store().components = {pb};
                store().coils = {k1};
                write_previous({r.ext});
            },
            [&] { result = r.write(nullptr); },
            [&](bool failed) {
                std::string now = read_file(run_path(r.ext));
                if (failed) {
                    EXPECT_EQ(result, 0);
                    EXPECT_EQ(error_code(), 2018);
                    EXPECT_EQ(now, previous(r.ext));
                } else {
                    EXPECT_EQ(result, 1);
                    EXPECT_EQ(error_code(), 0);
                    EXPECT_NE(now, previous(r.ext));
                    EXPECT_FALSE(now.empty());
                }
                nothing_beside({r.ext});
            });
    }
}

// The run's start: the four reports emptied, the script and the log
// header. On a failure the run does not start, one error names a file
// that kept its previous text, and every file holds either its previous
// text or the whole new one.
class RunStartFaults : public RunFileFaults {
protected:
    void SetUp() override {
        RunFileFaults::SetUp();
        write_file("PROJ/A.DXF", dxf_drawing(""));
        write_file("PROJ/B.DXF", dxf_drawing(""));
        config().f_names[0] = "A";
        config().f_names[1] = "B";
        config().f_names[2] = "*ND*";
        config().f_mode = FM_FILENAME;
    }
    void check_start(bool failed, const char* script_end, const char* log_end) {
        const char* files[] = {"WLF", "PLF", "RLF", "ALF", "SCR", "LOG"};
        const char* ends[] = {"", "", "", "", script_end, log_end};
        for (int i = 0; i < 6; ++i) {
            std::string now = read_file(run_path(files[i]));
            bool whole = ends[i][0] == '\0' ? now.empty()
                                            : now.size() > strlen(ends[i]) &&
                                                  now.compare(now.size() - strlen(ends[i]), std::string::npos,
                                                              ends[i]) == 0;
            EXPECT_TRUE(now == previous(files[i]) || whole) << files[i] << ": " << now;
            if (!failed) {
                EXPECT_TRUE(whole) << files[i] << ": " << now;
            }
        }
        nothing_beside({"WLF", "PLF", "RLF", "ALF", "SCR", "LOG"});
        std::vector<int> codes = reported_codes();
        if (!failed) {
            EXPECT_TRUE(codes.empty()) << out;
            EXPECT_TRUE(session->input().in_script());
            return;
        }
        ASSERT_EQ(codes.size(), 1u) << out;
        EXPECT_EQ(wcr().stage, 0);
        EXPECT_FALSE(session->input().in_script());
        const char* kept = codes[0] == 2010 ? "SCR" : codes[0] == 2020 ? "LOG" : nullptr;
        if (codes[0] >= 2016 && codes[0] <= 2019) kept = files[codes[0] - 2016];
        ASSERT_NE(kept, nullptr) << out;
        EXPECT_EQ(read_file(run_path(kept)), previous(kept)) << "the file the error names";
        EXPECT_NE(out.find(error_report_text(codes[0])), std::string::npos) << out;
    }
};

TEST_F(RunStartFaults, AMultiSheetRunThatCannotWriteItsFilesKeepsTheOldOnes) {
    walk(
        {kWrite, kClose, kRename}, [&] { write_previous({"WLF", "PLF", "RLF", "ALF", "SCR", "LOG"}); },
        [&] { multi_sheet_processor(); },
        [&](bool failed) { check_start(failed, "WCRPPRO3_5\n", "\n:2 Drawings to process.\n:Script file complete."); });
}

TEST_F(RunStartFaults, AQuickRunThatCannotWriteItsFilesKeepsTheOldOnesAndEndsItsUndoGroup) {
    int groups = 0;  // open before the run (a run that started leaves one)
    walk(
        {kWrite, kClose, kRename},
        [&] {
            write_previous({"WLF", "PLF", "RLF", "ALF", "SCR", "LOG"});
            groups = cl->undo_state().open_groups;
        },
        [&] { single_sheet_processor(); },
        [&](bool failed) {
            check_start(failed, "WCRPPRO3_5\n", ":-\n:Script file complete.");
            EXPECT_EQ(cl->undo_state().open_groups, groups + (failed ? 0 : 1));
        });
}

// WCRCTRL appends to the log: what was there stays, what is appended is
// the start of the whole append, and a write or close that fails makes the
// call fail with 2021 instead of succeeding.
TEST_F(RunFileFaults, ALogAppendThatFailsIsReported) {
    config().audit = 1;
    store().reset();
    std::string whole;
    auto prepare = [&] {
        write_file(run_path("LOG"), "HEADER");
        wcr().stage = 5;
        set_short("wcroptn", 5000);
    };
    prepare();
    ASSERT_EQ(wcr_ctrl(), 1) << out;
    whole = read_file(run_path("LOG"));
    ASSERT_GT(whole.size(), std::string("HEADER").size());
    int result = -1;
    walk({kWrite, kClose}, prepare, [&] { result = wcr_ctrl(); },
         [&](bool failed) {
             std::string now = read_file(run_path("LOG"));
             EXPECT_EQ(whole.compare(0, now.size(), now), 0) << now;
             if (failed) {
                 EXPECT_EQ(result, 0);
                 EXPECT_EQ(error_code(), 2021);
             } else {
                 EXPECT_EQ(result, 1);
                 EXPECT_EQ(now, whole);
             }
         });
}

// The batch utilities' script: the previous script stays, error 2012 is
// reported and nothing starts.
TEST_F(RunFileFaults, ABatchScriptThatCannotBeWrittenWholeKeepsThePreviousOne) {
    write_file("PROJ/A.DXF", dxf_drawing(""));
    config().f_names[0] = "A";
    config().f_names[1] = "*ND*";
    config().f_mode = FM_FILENAME;
    for (int (*utility)() : {batch_plot, user_script}) {
        walk(
            {kWrite, kClose, kRename}, [&] { write_previous({"SCR"}); }, [&] { utility(); },
            [&](bool failed) {
                std::string now = read_file(run_path("SCR"));
                if (failed) {
                    EXPECT_EQ(now, previous("SCR"));
                    EXPECT_EQ(reported_codes(), std::vector<int>{2012}) << out;
                    EXPECT_FALSE(session->input().in_script());
                } else {
                    EXPECT_EQ(now.rfind("NEW\nY\n", 0), 0u) << now;
                    EXPECT_TRUE(reported_codes().empty()) << out;
                    EXPECT_TRUE(session->input().in_script());
                }
                nothing_beside({"SCR"});
            });
    }
}

// The demo reset copies each demo drawing over its working copy: a copy
// that fails keeps the working copy as it was.
TEST_F(RunFileFaults, ADemoResetThatCannotCopyKeepsTheWorkingCopy) {
    const std::string demo(20000, 'd');  // several blocks, so several writes
    write_file("WCRAFT/NEW001.DXF", demo);
    std::filesystem::create_directories(on_c("WCRAFT/Wcrdemo"));
    const std::string copy = "WCRAFT/Wcrdemo/DEMO001.DXF";
    walk(
        {kWrite, kClose, kRename}, [&] { write_file(copy, "edited"); }, [&] { cmd_reset_demo(); },
        [&](bool failed) {
            EXPECT_EQ(read_file(copy), failed ? "edited" : demo);
            EXPECT_FALSE(std::filesystem::exists(on_c(beside_name(copy))));
        });
}

}  // namespace
}  // namespace wcraft::test
