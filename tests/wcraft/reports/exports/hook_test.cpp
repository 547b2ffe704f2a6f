// WCRPPROINT: which stage's interface it hands back, and when nil.
#include <gtest/gtest.h>

#include <string>

#include "exports_support.h"
#include "host/host_api.h"
#include "host/module_state.h"
#include "reports/exports.h"

namespace wcraft::test {

namespace {

class StageHook : public ExportTest {
protected:
    void SetUp() override {
        ExportTest::SetUp();
        ProjectConfig& c = config();
        c.application_int = 1;
        FixedText<8>* files[] = {&c.int1f, &c.int2f, &c.int3f, &c.int4f, &c.int5f};
        FixedText<14>* functions[] = {&c.int1x, &c.int2x, &c.int3x, &c.int4x, &c.int5x};
        for (int i = 0; i < 5; ++i) {
            *files[i] = "FILE" + std::to_string(i + 1);
            *functions[i] = "FUNC" + std::to_string(i + 1);
        }
    }
    // Calls the hook at `stage`; true when it returned nil.
    bool call_at(short stage) {
        wcr().stage = stage;
        host().returned_nil = host().returned_list = false;
        host().command_line.clear();
        EXPECT_EQ(wcr_pproint(), RTNORM);
        EXPECT_NE(host().returned_nil, host().returned_list) << "exactly one result";
        return host().returned_nil;
    }
};

TEST_F(StageHook, EachStageHandsBackItsOwnFunctionAndFile) {
    for (short stage = 1; stage <= 5; ++stage) {
        SCOPED_TRACE(stage);
        ASSERT_FALSE(call_at(stage));
        std::string n = std::to_string(stage);
        EXPECT_EQ(host().list, (std::vector<std::string>{"FUNC" + n, "FILE" + n}));
        EXPECT_EQ(host().command_line,
                  "\nInvoking 3rd party interface, stage(" + n + "), file(FILE" + n + "), function(FUNC" + n + ")");
    }
}

TEST_F(StageHook, NilAndSilentWhenNothingIsToBeCalled) {
    EXPECT_TRUE(call_at(0)) << "outside a run";
    EXPECT_TRUE(call_at(6));
    config().int3x = "";
    EXPECT_TRUE(call_at(3)) << "empty function name";
    for (int flag : {0, 2}) {
        config().application_int = flag;
        EXPECT_TRUE(call_at(1)) << "application_int " << flag;
    }
    EXPECT_EQ(host().command_line, "");
}

TEST_F(StageHook, EmptyFileNameIsHandedBackEmpty) {
    config().int2f = "";
    ASSERT_FALSE(call_at(2));
    EXPECT_EQ(host().list, (std::vector<std::string>{"FUNC2", ""}));
    EXPECT_EQ(host().command_line, "\nInvoking 3rd party interface, stage(2), file(), function(FUNC2)");
}

TEST_F(StageHook, ListThatCannotBeBuiltIsReportedAndNil) {
    host().buildlist_fails = true;
    EXPECT_TRUE(call_at(4));
    EXPECT_EQ(host().command_line, "\n:Error, Invoking 3rd party interface");
}

}  // namespace

}  // namespace wcraft::test
