// Running dialogs through the C interface with the test driver: every tile
// kind, callbacks and reasons, radio groups, lists, modes, nesting, a bound
// OK that refuses to close, images and slides.
#include <cstdio>
#include <cstring>
#include <stdexcept>

#include "adsdlg.h"
#include "dcl/action.h"
#include "fixture.h"
#include "slide/view_render.h"

using namespace cadhost::dcl;
using dcltest::DialogTest;

namespace {

struct State {
    int dcl_id = -1;
    std::vector<std::pair<int, std::string>> items_events;  // reason, value
    void* items_client = nullptr;
    int child_status = -99;
    std::string accepted_name;
    std::string tile_key_seen;
};
State* g = nullptr;

std::string get(ads_hdlg h, const char* key) {
    char buf[TILE_STR_LIMIT + 1];
    if (ads_get_tile(h, key, buf, sizeof buf) != RTNORM) return "<error>";
    return buf;
}

void on_items(ads_callback_packet* p) {
    g->items_events.push_back({p->reason, p->value});
    g->items_client = p->client_data;
    char key[32];
    if (ads_get_attr_string(p->tile, "key", key, sizeof key) == RTNORM) g->tile_key_seen = key;
}

void on_accept(ads_callback_packet* p) {
    std::string name = get(p->dialog, "name");
    if (name.empty()) {
        ads_set_tile(p->dialog, "error", "Name required");
        return;
    }
    g->accepted_name = name;
    ads_done_dialog(p->dialog, DLGOK);
}

void on_more(ads_callback_packet* p) {
    ads_hdlg child = nullptr;
    if (ads_new_dialog("child", g->dcl_id, NULLCB, &child) != RTNORM) return;
    ads_set_tile(child, "val", "7");
    int status = -99;
    ads_start_dialog(child, &status);
    g->child_status = status;
    ads_set_tile(p->dialog, "msg", status == DLGOK ? "child ok" : "child cancelled");
}

void on_term(ads_callback_packet*) { ads_term_dialog(); }

}  // namespace

class CDialogTest : public DialogTest {
protected:
    void SetUp() override {
        DialogTest::SetUp();
        g = &m_state;
        ASSERT_EQ(ads_load_dialog("every.dcl", &m_state.dcl_id), RTNORM) << m_out.str();
    }
    ads_hdlg open(const char* name = "every") {
        ads_hdlg h = nullptr;
        EXPECT_EQ(ads_new_dialog(name, m_state.dcl_id, NULLCB, &h), RTNORM);
        return h;
    }
    State m_state;
};

TEST_F(CDialogTest, RunsEveryTileKindThroughTheTestDriver) {
    ads_hdlg h = open();
    ASSERT_NE(h, nullptr);
    ASSERT_EQ(ads_set_tile(h, "name", "abc"), RTNORM);
    ASSERT_EQ(ads_start_list(h, "kind", LIST_NEW, 0), RTNORM);
    for (const char* s : {"a", "b", "c"}) ads_add_list(s);
    ASSERT_EQ(ads_end_list(), RTNORM);
    ads_start_list(h, "multi", LIST_NEW, 0);
    for (const char* s : {"x", "y", "z"}) ads_add_list(s);
    ads_end_list();
    ads_action_tile(h, "items", on_items);
    ads_client_data_tile(h, "items", &m_state);
    ads_action_tile(h, "accept", on_accept);
    ads_action_tile(h, "more", on_more);
    ads_mode_tile(h, "flag", MODE_DISABLE);

    std::vector<std::string> seen;
    TestHooks hooks;
    hooks.on_dialog = [&](Dialog& d) {
        seen.push_back(d.name());
        if (d.name() == "child") {
            EXPECT_EQ(d.get_tile("val").value(), "7");
            EXPECT_TRUE(d.user_set("val", "42").ok());
            EXPECT_TRUE(d.user_ok().ok());
            return;
        }
        EXPECT_EQ(d.get_tile("name").value(), "abc");
        EXPECT_EQ(d.get_tile("mode").value(), "m1");
        EXPECT_EQ(d.get_tile("side").value(), "right");
        EXPECT_EQ(d.get_tile("right").value(), "1");
        EXPECT_EQ(d.get_tile("kind").value(), "0");
        EXPECT_EQ(d.find("items")->list.size(), 3u);
        EXPECT_EQ(d.get_tile("level").value(), "5");
        EXPECT_EQ(d.get_tile("msg").value(), "hello");

        // A bound OK that refuses to close.
        EXPECT_TRUE(d.user_set("name", "").ok());
        EXPECT_TRUE(d.user_ok().ok());
        EXPECT_FALSE(d.done());
        EXPECT_EQ(d.get_tile("error").value(), "Name required");

        EXPECT_TRUE(d.user_set("name", "abcdefghijk").ok());
        EXPECT_EQ(d.get_tile("name").value(), "abcdefgh");  // edit_limit 8
        EXPECT_TRUE(d.user_select("items", {2}).ok());
        EXPECT_TRUE(d.user_select("items", {1}, Reason::DoubleClick).ok());
        EXPECT_FALSE(d.user_select("items", {3}).ok());
        EXPECT_FALSE(d.user_select("items", {0, 1}).ok());  // not multiple_select
        EXPECT_TRUE(d.user_select("multi", {2, 0}).ok());
        EXPECT_EQ(d.get_tile("multi").value(), "0 2");
        EXPECT_TRUE(d.user_set("kind", "2").ok());

        EXPECT_TRUE(d.user_press("m2").ok());
        EXPECT_EQ(d.get_tile("mode").value(), "m2");
        EXPECT_EQ(d.get_tile("m1").value(), "0");
        EXPECT_TRUE(d.user_set("mode", "m3").ok());
        EXPECT_EQ(d.get_tile("m2").value(), "0");
        EXPECT_EQ(d.get_tile("m3").value(), "1");
        EXPECT_FALSE(d.user_set("mode", "left").ok());  // a button of another group

        EXPECT_FALSE(d.user_press("flag").ok());  // disabled by the application
        EXPECT_FALSE(d.user_set("level", "11").ok());
        EXPECT_TRUE(d.user_set("level", "9").ok());
        EXPECT_FALSE(d.user_press("msg").ok());

        EXPECT_TRUE(d.user_press("more").ok());  // nested dialog
        EXPECT_FALSE(d.done());
        EXPECT_EQ(d.get_tile("msg").value(), "child ok");
        EXPECT_TRUE(d.user_ok().ok());
        EXPECT_TRUE(d.done());
    };
    engine().set_test_hooks(hooks);
    int status = -99;
    ASSERT_EQ(ads_start_dialog(h, &status), RTNORM);
    EXPECT_EQ(status, DLGOK);
    EXPECT_EQ(seen, (std::vector<std::string>{"every", "child"}));
    EXPECT_EQ(m_state.child_status, DLGOK);
    EXPECT_EQ(m_state.accepted_name, "abcdefgh");
    ASSERT_EQ(m_state.items_events.size(), 2u);
    EXPECT_EQ(m_state.items_events[0], (std::pair<int, std::string>{CBR_SELECT, "2"}));
    EXPECT_EQ(m_state.items_events[1], (std::pair<int, std::string>{CBR_DOUBLE_CLICK, "1"}));
    EXPECT_EQ(m_state.items_client, &m_state);
    EXPECT_EQ(m_state.tile_key_seen, "items");
    // The handle is dead once the dialog is closed.
    EXPECT_EQ(ads_set_tile(h, "name", "x"), RTERROR);
    EXPECT_EQ(ads_start_dialog(h, &status), RTERROR);
}

TEST_F(CDialogTest, UnboundOkAndCancelCloseWithOneAndZero) {
    for (int want : {DLGOK, DLGCANCEL}) {
        ads_hdlg h = open("child");
        TestHooks hooks;
        hooks.on_dialog = [&](Dialog& d) { EXPECT_TRUE((want == DLGOK ? d.user_ok() : d.user_press("cancel")).ok()); };
        engine().set_test_hooks(hooks);
        int status = -99;
        ASSERT_EQ(ads_start_dialog(h, &status), RTNORM);
        EXPECT_EQ(status, want);
    }
    // A hook that leaves the dialog open: it is cancelled rather than left hanging.
    ads_hdlg h = open("child");
    ads_hdlg before = h;
    TestHooks idle;
    idle.on_dialog = [](Dialog&) {};
    engine().set_test_hooks(idle);
    int status = -99;
    ASSERT_EQ(ads_start_dialog(h, &status), RTNORM);
    EXPECT_EQ(status, DLGCANCEL);
    // The closed dialog's handle does not reach the next one, wherever it lives.
    ads_hdlg next = open("child");
    EXPECT_NE(next, before);
    EXPECT_EQ(ads_set_tile(before, "val", "1"), RTERROR);
    EXPECT_EQ(ads_set_tile(next, "val", "1"), RTNORM);
}

TEST_F(CDialogTest, MissingDialogNameFailsAndTermClosesEverything) {
    ads_hdlg h = reinterpret_cast<ads_hdlg>(1);
    EXPECT_EQ(ads_new_dialog("sv_nothing", m_state.dcl_id, NULLCB, &h), RTERROR);
    EXPECT_EQ(h, nullptr);
    EXPECT_EQ(ads_new_dialog("every", 999, NULLCB, &h), RTERROR);
    EXPECT_EQ(ads_new_dialog(nullptr, m_state.dcl_id, NULLCB, &h), RTERROR);

    ads_hdlg parent = open("every");
    ads_hdlg idle = open("child");  // opened, never started
    ads_action_tile(parent, "more", on_term);
    TestHooks hooks;
    hooks.on_dialog = [](Dialog& d) { EXPECT_TRUE(d.user_press("more").ok()); };
    engine().set_test_hooks(hooks);
    int status = 0;
    ASSERT_EQ(ads_start_dialog(parent, &status), RTNORM);
    EXPECT_EQ(status, DLGALLDONE);
    EXPECT_EQ(ads_set_tile(idle, "val", "1"), RTERROR);
}

TEST_F(CDialogTest, ListsChangeAppendAndKeepSelectionValid) {
    ads_hdlg h = open();
    ads_start_list(h, "items", LIST_CHANGE, 1);
    EXPECT_EQ(ads_add_list("TWO"), RTNORM);
    EXPECT_EQ(ads_add_list("THREE"), RTNORM);
    EXPECT_EQ(ads_add_list("beyond"), RTERROR);  // a change may not grow the list
    ads_end_list();
    ads_start_list(h, "items", LIST_APPEND, 0);
    ads_add_list("four");
    ads_end_list();
    Dialog* d = engine().open_dialog(h);
    EXPECT_EQ(d->find("items")->list, (std::vector<std::string>{"one", "TWO", "THREE", "four"}));
    ASSERT_EQ(ads_set_tile(h, "items", "3"), RTNORM);
    EXPECT_EQ(ads_set_tile(h, "items", "4"), RTERROR);
    ads_start_list(h, "items", LIST_NEW, 0);
    ads_add_list("only");
    ads_end_list();
    EXPECT_EQ(get(h, "items"), "");  // row 3 is gone
    EXPECT_EQ(ads_start_list(h, "items", LIST_CHANGE, 5), RTERROR);
    EXPECT_EQ(ads_start_list(h, "msg", LIST_NEW, 0), RTERROR);
    EXPECT_EQ(ads_start_list(h, "items", 9, 0), RTERROR);
    EXPECT_EQ(ads_add_list("x"), RTERROR);
    EXPECT_EQ(ads_end_list(), RTERROR);
}

TEST_F(CDialogTest, ModesAttributesAndBuffers) {
    ads_hdlg h = open();
    Dialog* d = engine().open_dialog(h);
    EXPECT_EQ(ads_mode_tile(h, "icon", MODE_FLIP), RTNORM);
    EXPECT_TRUE(d->find("icon")->highlighted);
    ads_mode_tile(h, "icon", MODE_FLIP);
    EXPECT_FALSE(d->find("icon")->highlighted);
    EXPECT_EQ(ads_mode_tile(h, "name", MODE_SETSEL), RTNORM);
    EXPECT_EQ(d->focus(), "name");
    EXPECT_TRUE(d->find("name")->text_selected);
    EXPECT_EQ(ads_mode_tile(h, "name", 7), RTERROR);
    EXPECT_EQ(ads_mode_tile(h, "nokey", MODE_ENABLE), RTERROR);
    char small[4];
    ads_set_tile(h, "name", "abcdef");
    EXPECT_EQ(ads_get_tile(h, "name", small, sizeof small), RTNORM);
    EXPECT_STREQ(small, "abc");
    EXPECT_EQ(ads_get_tile(h, "name", small, 0), RTERROR);
    char attr[32];
    EXPECT_EQ(ads_get_attr(h, "name", "label", attr, sizeof attr), RTNORM);
    EXPECT_STREQ(attr, "Name:");
    EXPECT_EQ(ads_get_attr(h, "name", "edit_limit", attr, sizeof attr), RTNORM);
    EXPECT_STREQ(attr, "8");
    EXPECT_EQ(ads_get_attr_string(reinterpret_cast<ads_htile>(&m_state), "key", attr, sizeof attr), RTERROR);
    EXPECT_EQ(ads_set_tile(h, "mode", "nope"), RTERROR);
    EXPECT_EQ(ads_set_tile(h, "mode", "m3"), RTNORM);
    EXPECT_EQ(get(h, "m1"), "0");
    EXPECT_EQ(ads_set_tile(h, "flag", "yes"), RTNORM);
    EXPECT_EQ(get(h, "flag"), "1");
    EXPECT_EQ(ads_done_dialog(h, DLGOK), RTERROR);  // not started yet
}

TEST_F(CDialogTest, ImagesKeepWhatIsDrawnAndAViewSlideReachesTheSvg) {
    // A drawing view rendered to a slide file, as the slide command does.
    cadhost::slide::ViewSpec view;
    view.centre_x = 5, view.centre_y = 5, view.height = 10, view.aspect = 1, view.high_y = 200;
    auto slide = cadhost::slide::render_view({{0, 0, 10, 10, 1}, {0, 10, 10, 0, 3}, {100, 100, 110, 110, 2}}, view);
    ASSERT_TRUE(slide.ok());
    auto bytes = cadhost::slide::write_slide(*slide);
    ASSERT_TRUE(bytes.ok());
    std::map<std::string, cadhost::slide::Bytes> files{{"view.sld", *bytes}};
    engine().set_slide_reader([&](const std::string& p) -> cadhost::Result<cadhost::slide::Bytes> {
        auto it = files.find(p);
        if (it == files.end()) return cadhost::Error{"no file", p, 0};
        return it->second;
    });

    ads_hdlg h = open();
    short cx = 0, cy = 0;
    ASSERT_EQ(ads_dimensions_tile(h, "icon", &cx, &cy), RTNORM);
    EXPECT_EQ(cx, 48);
    EXPECT_EQ(cy, 48);  // aspect_ratio 1: square
    ASSERT_EQ(ads_start_image(h, "icon"), RTNORM);
    EXPECT_EQ(ads_fill_image(0, 0, cx, cy, 0), RTNORM);
    EXPECT_EQ(ads_slide_image(0, 0, cx, cy, "view"), RTNORM);  // read back from the file
    EXPECT_EQ(ads_slide_image(0, 0, cx, cy, "nothere"), RTERROR);
    ASSERT_EQ(ads_end_image(), RTNORM);
    EXPECT_EQ(ads_start_image(h, "name"), RTERROR);
    EXPECT_EQ(ads_vector_image(0, 0, 1, 1, 1), RTERROR);  // no image started

    ads_start_image(h, "pic");
    ads_fill_image(0, 0, 80, 64, DBGLCOLOR);
    ads_vector_image(1, 2, 30, 40, 5);
    ads_end_image();
    Dialog* d = engine().open_dialog(h);
    EXPECT_EQ(d->find("icon")->image.size(), 3u);  // fill plus the two visible lines
    ads_start_image(h, "icon");
    ads_fill_image(0, 0, cx, cy, 0);  // covers the tile: older drawing is gone
    ads_end_image();
    EXPECT_EQ(d->find("icon")->image.size(), 1u);
    ads_start_image(h, "icon");
    ads_slide_image(0, 0, cx, cy, "view");
    ads_end_image();

    std::string file = ::testing::TempDir() + "icon_test.svg";
    ASSERT_TRUE(write_svg(*d, file, "icon").ok());
    std::string svg = dcltest::read_text(file);
    EXPECT_NE(svg.find("<line x1=\"0\" y1=\"47\" x2=\"47\" y2=\"0\" stroke=\"#ff0000\"/>"), std::string::npos) << svg;
    EXPECT_NE(svg.find("<line x1=\"0\" y1=\"0\" x2=\"47\" y2=\"47\" stroke=\"#00ff00\"/>"), std::string::npos) << svg;
    EXPECT_EQ(svg.find("tile1"), std::string::npos);  // only the one tile
    ASSERT_TRUE(write_svg(*d, file, "").ok());
    EXPECT_NE(dcltest::read_text(file).find("#d4d0c8"), std::string::npos);  // the other image too
    EXPECT_FALSE(write_svg(*d, file, "name").ok());
    std::remove(file.c_str());
}

namespace {

void on_throw(ads_callback_packet*) { throw std::runtime_error("the callback broke"); }
void on_throw_other(ads_callback_packet*) { throw 42; }

// Starts a child whose OK throws, then records what the child's start gave.
void on_more_throwing_child(ads_callback_packet* p) {
    ads_hdlg child = nullptr;
    if (ads_new_dialog("child", g->dcl_id, NULLCB, &child) != RTNORM) return;
    ads_action_tile(child, "accept", on_throw);
    int status = -99;
    int rc = ads_start_dialog(child, &status);
    g->child_status = rc == RTERROR ? -1000 - status : status;
    ads_set_tile(p->dialog, "msg", "after child");
}

}  // namespace

// A callback that throws fails its dialog: the failure is reported with the
// tile's key, the dialog ends as cancelled and its start returns RTERROR.
TEST_F(CDialogTest, ACallbackThatThrowsEndsTheDialogAndItsStartFails) {
    struct Case {
        const char* key;
        CLIENTFUNC tile_action;
        CLIENTFUNC default_action;
        const char* why;
    };
    for (const Case& c : {Case{"more", on_throw, NULLCB, "the callback broke"},
                          Case{"accept", on_throw_other, NULLCB, "an exception of unknown type"},
                          Case{"more", NULLCB, on_throw, "the callback broke"}}) {
        SCOPED_TRACE(c.key);
        m_out.str("");
        ads_hdlg h = nullptr;
        ASSERT_EQ(ads_new_dialog("every", m_state.dcl_id, c.default_action, &h), RTNORM);
        if (c.tile_action) ads_action_tile(h, c.key, c.tile_action);
        bool later_refused = false;
        TestHooks hooks;
        hooks.on_dialog = [&](Dialog& d) {
            auto st = std::string(c.key) == "accept" ? d.user_ok() : d.user_press(c.key);
            EXPECT_FALSE(st.ok()) << "the action reports its callback's failure";
            EXPECT_TRUE(d.done());
            later_refused = !d.user_set("name", "x").ok();
        };
        engine().set_test_hooks(hooks);
        int status = DLGOK;
        EXPECT_EQ(ads_start_dialog(h, &status), RTERROR);
        EXPECT_EQ(status, DLGCANCEL);
        EXPECT_TRUE(later_refused) << "nothing goes on in the failed dialog";
        std::string want = std::string("tile \"") + c.key + "\": action failed: " + c.why;
        EXPECT_NE(m_out.str().find(want), std::string::npos) << m_out.str();
        EXPECT_EQ(ads_set_tile(h, "name", "x"), RTERROR) << "the failed dialog is closed";
    }
    // The engine is left sound: the next dialog runs as usual.
    ads_hdlg h = open("child");
    TestHooks ok;
    ok.on_dialog = [](Dialog& d) { EXPECT_TRUE(d.user_ok().ok()); };
    engine().set_test_hooks(ok);
    int status = -99;
    ASSERT_EQ(ads_start_dialog(h, &status), RTNORM);
    EXPECT_EQ(status, DLGOK);
}

TEST_F(CDialogTest, AFailedNestedDialogIsSeenByItsCallerWhichGoesOn) {
    ads_hdlg h = open();
    ads_action_tile(h, "more", on_more_throwing_child);
    TestHooks hooks;
    hooks.on_dialog = [&](Dialog& d) {
        if (d.name() == "child") {
            EXPECT_FALSE(d.user_ok().ok());
            return;
        }
        EXPECT_TRUE(d.user_press("more").ok());
        EXPECT_FALSE(d.done());
        EXPECT_EQ(d.get_tile("msg").value(), "after child");
        EXPECT_TRUE(d.user_ok().ok());
    };
    engine().set_test_hooks(hooks);
    int status = -99;
    ASSERT_EQ(ads_start_dialog(h, &status), RTNORM);
    EXPECT_EQ(status, DLGOK);
    EXPECT_EQ(m_state.child_status, -1000 - DLGCANCEL);
    EXPECT_NE(m_out.str().find("child, tile \"accept\": action failed: the callback broke"), std::string::npos)
        << m_out.str();
}

TEST_F(CDialogTest, AHookThatThrowsFailsTheDialogWithoutLeavingItOpen) {
    ads_hdlg h = open("child");
    TestHooks hooks;
    hooks.on_dialog = [](Dialog&) { throw std::runtime_error("the driver broke"); };
    engine().set_test_hooks(hooks);
    int status = DLGOK;
    EXPECT_EQ(ads_start_dialog(h, &status), RTERROR);
    EXPECT_EQ(status, DLGCANCEL);
    EXPECT_NE(m_out.str().find("the driver broke"), std::string::npos) << m_out.str();
    EXPECT_EQ(engine().current(), nullptr) << "the failed dialog left the stack";
}

TEST_F(CDialogTest, ACallThatBreaksInsideTheEngineFailsAndSaysWhy) {
    engine().set_dcl_resolver([](const std::string&) -> cadhost::Result<std::string> {
        throw std::runtime_error("the file layer broke");
    });
    int id = 99;
    EXPECT_EQ(ads_load_dialog("other.dcl", &id), RTERROR);
    EXPECT_NE(m_out.str().find("Dialog call failed: the file layer broke"), std::string::npos) << m_out.str();
}
