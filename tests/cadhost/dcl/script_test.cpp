// The scripted and terminal drivers: the action syntax, a whole session
// with a nested dialog written down and replayed, errors and input ending.
#include <cstdio>
#include <stdexcept>

#include "dcl/action.h"
#include "dcl/drivers.h"
#include "fixture.h"

using namespace cadhost::dcl;
using dcltest::DialogTest;

namespace {
size_t count_of(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t p = text.find(what); p != std::string::npos; p = text.find(what, p + what.size())) ++n;
    return n;
}
}  // namespace

TEST(DialogActions, ParseTheScriptSyntax) {
    auto a = parse_action("  name = \"two words\" ");
    ASSERT_TRUE(a.ok());
    EXPECT_EQ(a->kind, ActionKind::Set);
    EXPECT_EQ(a->key, "name");
    EXPECT_EQ(a->value, "two words");
    EXPECT_EQ(parse_action("path=a=b").value().value, "a=b");
    EXPECT_EQ(parse_action("more").value().kind, ActionKind::Press);
    auto p = parse_action("press icon 3 4");
    EXPECT_EQ(p->x, 3);
    EXPECT_EQ(p->y, 4);
    EXPECT_EQ(parse_action("select multi 0 2").value().rows, (std::vector<int>{0, 2}));
    EXPECT_EQ(parse_action("dclick items 1").value().rows, (std::vector<int>{1}));
    EXPECT_EQ(parse_action("svg \"out.svg\" icon").value().value, "out.svg");
    EXPECT_EQ(parse_action("ok").value().kind, ActionKind::Ok);
    EXPECT_EQ(parse_action("; note").value().kind, ActionKind::Nothing);
    EXPECT_EQ(parse_action("").value().kind, ActionKind::Nothing);
    for (const char* bad : {"select items", "select items x", "dclick a 1 2 3", "svg", "frob a b", "press"})
        EXPECT_FALSE(parse_action(bad).ok()) << bad;
}

namespace {

// Runs "every" with a nested child from the "more" button and a bound OK
// that refuses an empty name; returns the status.
int run_every(DialogEngine& e, int id, std::vector<std::string>& log) {
    Dialog* d = e.new_dialog("every", id, {}).value();
    (void)d->action_tile("accept", [&, d](const CallbackEvent&) {
        if (d->get_tile("name").value().empty()) (void)d->set_tile("error", "Name required");
        else (void)e.done_dialog(d, 1);
    });
    (void)d->action_tile("items", [&](const CallbackEvent& ev) { log.push_back("items " + std::to_string(ev.reason) + " " + ev.value); });
    (void)d->action_tile("icon", [&](const CallbackEvent& ev) {
        log.push_back("icon " + std::to_string(ev.reason) + " " + std::to_string(ev.x) + "," + std::to_string(ev.y));
    });
    (void)d->action_tile("more", [&, id](const CallbackEvent& ev) {
        Dialog* c = e.new_dialog("child", id, {}).value();
        int st = e.start_dialog(c).value();
        log.push_back("child " + std::to_string(st));
        (void)ev.dialog->set_tile("msg", "back");
    });
    (void)d->action_tile("mode", [&](const CallbackEvent& ev) { log.push_back("mode " + ev.value); });
    (void)e.start_list(d, "kind", 3, 0);
    (void)e.add_list("a");
    (void)e.add_list("b");
    (void)e.end_list();
    (void)d->set_tile("name", "");
    return e.start_dialog(d).value();
}

}  // namespace

TEST_F(DialogTest, ScriptDrivesAWholeSessionWithNestedDialog) {
    StringInput in(
        "name=abcdefghijkl\n"
        "select items 2\n"
        "dclick items 0\n"
        "kind=1\n"
        "flag\n"
        "m2\n"
        "mode=m3\n"
        "press icon 5 6\n"
        "dclick icon\n"
        "more\n"
        "val=hello\n"
        "ok\n"
        "no_such_key\n"
        "name=\n"
        "ok\n"
        "name=fred\n"
        "ok\n"
        "this line is for the command line\n");
    engine().set_input(&in);
    int id = engine().load_dialog("every.dcl").value();
    std::vector<std::string> log;
    EXPECT_EQ(run_every(engine(), id, log), 1);
    EXPECT_EQ(log, (std::vector<std::string>{"items 1 2", "items 4 0", "mode m2", "mode m3", "icon 1 5,6", "icon 4 0,0",
                                             "child 1"}));
    EXPECT_NE(m_out.str().find("no tile with this key: no_such_key"), std::string::npos) << m_out.str();
    // The dialog read only its own lines.
    EXPECT_EQ(in.read_line("").value(), "this line is for the command line");
}

TEST_F(DialogTest, ScriptEndOrEndOfInputCancelsAndErrorsDoNotStopTheDialog) {
    int id = engine().load_dialog("every.dcl").value();
    {
        StringInput in("frob\nselect val\nval=x\nend\nok\n");
        engine().set_input(&in);
        Dialog* d = engine().new_dialog("child", id, {}).value();
        EXPECT_EQ(engine().start_dialog(d).value(), 0);
        EXPECT_NE(m_out.str().find("no tile with this key: frob"), std::string::npos);
        EXPECT_NE(m_out.str().find("missing argument: select"), std::string::npos);
        EXPECT_EQ(in.read_line("").value(), "ok");
    }
    {
        StringInput in("val=1\n");
        engine().set_input(&in);
        Dialog* d = engine().new_dialog("child", id, {}).value();
        EXPECT_EQ(engine().start_dialog(d).value(), 0);
        EXPECT_NE(m_out.str().find("no input for the dialog"), std::string::npos);
    }
    {
        engine().set_input(nullptr);  // no input at all: cancelled at once
        Dialog* d = engine().new_dialog("child", id, {}).value();
        EXPECT_EQ(engine().start_dialog(d).value(), 0);
    }
}

TEST_F(DialogTest, ScriptStopsAtAFailedCallbackWhichIsReportedOnce) {
    int id = engine().load_dialog("every.dcl").value();
    StringInput in("val=3\nok\nthis line is for the command line\n");
    engine().set_input(&in);
    Dialog* d = engine().new_dialog("child", id, {}).value();
    (void)d->action_tile("val", [](const CallbackEvent&) { throw std::runtime_error("no such value"); });
    auto st = engine().start_dialog(d);
    ASSERT_FALSE(st.ok());
    EXPECT_EQ(count_of(m_out.str(), "tile \"val\": action failed: no such value"), 1u) << m_out.str();
    EXPECT_EQ(in.read_line("").value(), "ok") << "the failed dialog reads no more lines";
}

TEST_F(DialogTest, TerminalShowsTheDialogAndHelp) {
    // Written where tests keep their files, never into the working folder.
    const std::string svg = ::testing::TempDir() + "out_terminal.svg";
    StringInput in("help\nmsg=x\nsvg " + svg + "\nok\n", true);
    engine().set_input(&in);
    int id = engine().load_dialog("every.dcl").value();
    Dialog* d = engine().new_dialog("every", id, {}).value();
    (void)d->mode_tile("flag", 1);
    (void)d->set_tile("error", "Something wrong");
    (void)engine().start_list(d, "kind", 3, 0);
    (void)engine().add_list("first row");
    (void)engine().end_list();
    EXPECT_EQ(engine().start_dialog(d).value(), 1);
    std::string shown = m_out.str();
    EXPECT_NE(shown.find("Dialog \"every\": Every tile"), std::string::npos) << shown;
    EXPECT_NE(shown.find("toggle [flag] \"Flag\" = \"0\" (disabled)"), std::string::npos) << shown;
    EXPECT_NE(shown.find("text [error] = \"Something wrong\""), std::string::npos);
    EXPECT_NE(shown.find("0: first row"), std::string::npos);
    EXPECT_NE(shown.find("select key N"), std::string::npos);  // help text
    EXPECT_NE(shown.find("value not allowed for this tile: msg"), std::string::npos);
    EXPECT_NE(in.prompts().find("Dialog action"), std::string::npos);
    EXPECT_NE(dcltest::read_text(svg).find("<svg"), std::string::npos);
    std::remove(svg.c_str());
    // Tiles in layout order: the name box comes before the OK button.
    EXPECT_LT(shown.find("[name]"), shown.find("[accept]"));
}

// After the first showing only the lines an action changed are shown
// again, with the error line for as long as it has text; "show" shows all.
TEST_F(DialogTest, TerminalReprintsOnlyWhatAnActionChanged) {
    StringInput in("name=abc\nflag\nshow\nok\n", true);
    engine().set_input(&in);
    int id = engine().load_dialog("every.dcl").value();
    Dialog* d = engine().new_dialog("every", id, {}).value();
    (void)d->set_tile("error", "Still wrong");
    (void)engine().start_dialog(d);
    std::string shown = m_out.str();
    EXPECT_EQ(count_of(shown, "Dialog \"every\": Every tile"), 2u) << "first showing and show: " << shown;
    EXPECT_EQ(count_of(shown, "[name]"), 3u) << "first, changed to abc, show: " << shown;
    EXPECT_EQ(count_of(shown, "[flag]"), 3u) << "first, flipped, show: " << shown;
    EXPECT_EQ(count_of(shown, "[level]"), 2u) << "the slider never changed: " << shown;
    EXPECT_EQ(count_of(shown, "text [error] = \"Still wrong\""), 5u) << "before every action and at show: " << shown;
    EXPECT_NE(shown.find("edit_box [name] \"Name:\" = \"abc\""), std::string::npos) << shown;
}
