// A command whose body throws fails as a whole: the failure is reported,
// the call that ran it learns of it, and nothing it made stays.
#include <stdexcept>

#include "ads.h"
#include "session_fixture.h"
#include "cmd/commandline.h"
#include "cmd/lisp_host.h"
#include "db/drawing.h"
#include "lisp/interpreter.h"

namespace cadhost::cmd {
namespace {

class CommandFailure : public test::HostTest {
protected:
    void SetUp() override {
        HostTest::SetUp();
        session->new_drawing();
        cl = std::make_unique<CommandLine>(*session);
        // Makes a line and starts a block definition, then breaks.
        cl->add({"BREAKS", [](CommandLine& c) -> CmdStatus {
                    db::Drawing& d = c.session().drawing();
                    EXPECT_TRUE(d.entmake({make_group(0, std::string("LINE")), make_group(10, Point{0, 0, 0}),
                                           make_group(11, Point{1, 1, 0})}));
                    EXPECT_TRUE(d.entmake({make_group(0, std::string("BLOCK")), make_group(2, std::string("HALF")),
                                           make_group(10, Point{0, 0, 0})}));
                    throw std::runtime_error("the body broke");
                }});
    }
    bool block_can_be_made() {
        db::Drawing& d = session->drawing();
        return d.entmake({make_group(0, std::string("BLOCK")), make_group(2, std::string("WHOLE")),
                          make_group(10, Point{0, 0, 0})}) &&
               d.entmake({make_group(0, std::string("ENDBLK"))});
    }

    void TearDown() override {
        cl.reset();
        HostTest::TearDown();
    }

    std::unique_ptr<CommandLine> cl;
};

TEST_F(CommandFailure, AdsCommandOfACommandThatThrowsReturnsAnErrorAndLeavesNothingMade) {
    EntityRef before = session->drawing().last_entity();
    EXPECT_EQ(ads_command(RTSTR, "BREAKS", 0), RTERROR);
    EXPECT_NE(out.find("Command BREAKS failed: the body broke\n"), std::string::npos) << out;
    EXPECT_EQ(session->drawing().last_entity(), before);
    EXPECT_FALSE(session->drawing().block_start("HALF"));
    EXPECT_TRUE(block_can_be_made()) << "no block definition is left open";
    EXPECT_FALSE(cl->command_active());
}

TEST_F(CommandFailure, LispCommandOfACommandThatThrowsRaisesAnError) {
    LispBinding lisp(*session, *cl);
    auto r = lisp.interpreter().eval_string("(progn (command \"BREAKS\") (setq reached T))");
    EXPECT_FALSE(r.ok());
    EXPECT_NE(out.find("; error: command failed"), std::string::npos) << out;
    auto reached = lisp.interpreter().eval_string("reached");
    ASSERT_TRUE(reached.ok());
    EXPECT_TRUE(reached.value().is_nil());
    EXPECT_EQ(session->drawing().last_entity(), EntityRef{});
}

}  // namespace
}  // namespace cadhost::cmd
