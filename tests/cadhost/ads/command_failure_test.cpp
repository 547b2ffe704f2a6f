// A command whose body throws fails as a whole: the failure is reported,
// the call that ran it learns of it, and nothing it made or changed stays.
// A value a system variable cannot take is refused, not stored changed.
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

// A drawing of three lines and a circle, and commands that change it:
// ALTERS modifies, erases and makes entities, then breaks (or, as ALTERSOK,
// ends well); WRAPS runs ALTERSOK inside it and then breaks; SURVIVES runs
// ALTERS inside it and then changes the circle itself.
class FailedCommandChanges : public CommandFailure {
protected:
    void SetUp() override {
        CommandFailure::SetUp();
        db::Drawing& d = session->drawing();
        for (double y : {0.0, 1.0, 2.0})
            ents.push_back(d.entmake({make_group(0, std::string("LINE")), make_group(10, Point{0, y, 0}),
                                      make_group(11, Point{5, y, 0})}).value());
        ents.push_back(d.entmake({make_group(0, std::string("CIRCLE")), make_group(10, Point{9, 9, 0}),
                                  make_group(40, 1.5)}).value());
        cl->add({"ALTERS", [this](CommandLine& c) { return alter(c, Ending::Breaks); }});
        cl->add({"ALTERSOK", [this](CommandLine& c) { return alter(c, Ending::Done); }});
        cl->add({"WRAPS", [this](CommandLine& c) -> CmdStatus {
                    EXPECT_EQ(ads_command(RTSTR, "ALTERSOK", 0), RTNORM);
                    move(c.session().drawing(), ents[3], Point{7, 7, 0});
                    throw std::runtime_error("the outer body broke");
                }});
        cl->add({"SURVIVES", [this](CommandLine& c) -> CmdStatus {
                    EXPECT_EQ(ads_command(RTSTR, "ALTERS", 0), RTERROR);
                    move(c.session().drawing(), ents[3], Point{7, 7, 0});
                    return CmdStatus::Done;
                }});
    }
    enum class Ending { Breaks, Done };
    static void move(db::Drawing& d, EntityRef e, Point to) {
        EXPECT_TRUE(d.entmod({make_ref(-1, e), make_group(10, to)}));
    }
    CmdStatus alter(CommandLine& c, Ending ending) {
        db::Drawing& d = c.session().drawing();
        // The first line twice (new layer, then new end point), the second
        // erased, the third erased and brought back, one entity made.
        EXPECT_TRUE(d.entmod({make_ref(-1, ents[0]), make_group(8, std::string("MOVED"))}));
        EXPECT_TRUE(d.entmod({make_ref(-1, ents[0]), make_group(11, Point{50, 50, 0})}));
        EXPECT_TRUE(d.entdel(ents[1]));
        EXPECT_TRUE(d.entdel(ents[2]));
        EXPECT_TRUE(d.entdel(ents[2]));
        EXPECT_TRUE(d.entmake({make_group(0, std::string("POINT")), make_group(10, Point{3, 3, 0})}));
        if (ending == Ending::Breaks) throw std::runtime_error("the body broke");
        return CmdStatus::Done;
    }
    // Every entity of the walk with its whole list.
    std::vector<GroupList> state() {
        std::vector<GroupList> all;
        db::Drawing& d = session->drawing();
        for (EntityRef e = d.first_entity(); e; e = d.next_entity(e)) all.push_back(d.entget(e, {"*"}).value());
        return all;
    }
    std::string entities_text() {
        std::string text = session->drawing().write_text(db::DxfVersion::R2000);
        size_t at = text.find("ENTITIES");
        return at == std::string::npos ? "" : text.substr(at, text.find("ENDSEC", at) - at);
    }
    std::vector<EntityRef> ents;
};

TEST_F(FailedCommandChanges, AFailedCommandLeavesTheDrawingAsItWasBefore) {
    auto before = state();
    std::string text_before = entities_text();
    EXPECT_EQ(ads_command(RTSTR, "ALTERS", 0), RTERROR);
    EXPECT_EQ(state(), before);
    EXPECT_EQ(entities_text(), text_before);
    // The walk still reaches the entities by their old names.
    EXPECT_FALSE(session->drawing().is_deleted(ents[1]));
    EXPECT_EQ(session->drawing().entget(ents[0]).value(), before[0]);
}

TEST_F(FailedCommandChanges, ACommandThatEndsWellKeepsItsChanges) {
    auto before = state();
    EXPECT_EQ(ads_command(RTSTR, "ALTERSOK", 0), RTNORM);
    db::Drawing& d = session->drawing();
    EXPECT_NE(d.entget(ents[0]).value(), before[0]);
    EXPECT_TRUE(d.is_deleted(ents[1]));
    EXPECT_FALSE(d.is_deleted(ents[2]));
    EXPECT_EQ(d.type_of(d.last_entity()), "POINT");
    // A later failure takes back only its own changes.
    auto after_ok = state();
    EXPECT_EQ(ads_command(RTSTR, "ALTERS", 0), RTERROR);
    EXPECT_EQ(state(), after_ok);
}

TEST_F(FailedCommandChanges, NestedCommandsTakeBackWhatTheFailedOneChanged) {
    auto before = state();
    // The inner command ended well, but the one around it failed: all goes.
    EXPECT_EQ(ads_command(RTSTR, "WRAPS", 0), RTERROR);
    EXPECT_EQ(state(), before);
    // The inner command failed and the outer went on: only the inner's goes.
    EXPECT_EQ(ads_command(RTSTR, "SURVIVES", 0), RTNORM);
    auto now = state();
    ASSERT_EQ(now.size(), before.size());
    for (size_t i = 0; i + 1 < now.size(); ++i) EXPECT_EQ(now[i], before[i]) << i;
    EXPECT_NE(now.back(), before.back()) << "the outer command moved the circle";
}

TEST_F(CommandFailure, SystemVariablesTakeOnlyWholeValuesOfTheirType) {
    auto value_of = [](const char* name) {
        struct resbuf rb {};
        EXPECT_EQ(ads_getvar(name, &rb), RTNORM);
        return rb.restype == RTREAL ? rb.resval.rreal : static_cast<double>(rb.resval.rint);
    };
    struct resbuf one {};
    one.restype = RTSHORT;
    one.resval.rint = 1;
    ASSERT_EQ(ads_setvar("ATTDIA", &one), RTNORM);
    double size = value_of("TEXTSIZE");
    struct Case {
        const char* name;
        const char* typed;
        const char* said;
    };
    for (const Case& c : {Case{"ATTDIA", "70000", "Value must be between -32768 and 32767."},
                          Case{"ATTDIA", "-40000", "Value must be between -32768 and 32767."},
                          Case{"ATTDIA", "0x", "Requires an integer value."},
                          Case{"ATTDIA", "1.5", "Requires an integer value."},
                          Case{"TEXTSIZE", "2.5mm", "Requires a real value."}}) {
        SCOPED_TRACE(std::string(c.name) + " " + c.typed);
        out.clear();
        EXPECT_EQ(ads_command(RTSTR, c.name, RTSTR, c.typed, 0), RTREJ);
        EXPECT_NE(out.find(c.said), std::string::npos) << out;
    }
    EXPECT_EQ(value_of("ATTDIA"), 1) << "nothing stored";
    EXPECT_EQ(value_of("TEXTSIZE"), size);
    EXPECT_EQ(ads_command(RTSTR, "ATTDIA", RTSTR, "+0", 0), RTNORM);
    EXPECT_EQ(value_of("ATTDIA"), 0);
    EXPECT_EQ(ads_command(RTSTR, "TEXTSIZE", RTSTR, "2.5", 0), RTNORM);
    EXPECT_EQ(value_of("TEXTSIZE"), 2.5);
}

}  // namespace
}  // namespace cadhost::cmd
