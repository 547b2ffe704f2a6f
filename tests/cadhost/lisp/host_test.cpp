// The interpreter's side of the host: entity lists, application values and
// functions, commands, input, selection sets, variables, files and load.
#include <gtest/gtest.h>

#include <stdexcept>
#include <thread>

#include "fake_host.h"
#include "lisp/entity_list.h"

namespace cadhost::lisp::test {

namespace {
GroupList sample_line() {
    return {make_group(0, std::string("LINE")),
            make_group(8, std::string("WALLS")),
            make_short(62, 3),
            make_long(90, 70000),
            make_group(10, Point{1, 2, 3}),
            make_group(11, Point{4, 5, 0, 2}),
            make_group(50, 1.5),
            make_ref(330, EntityRef{9}),
            {310, Binary{0x0A, 0xFF}},
            make_group(-3, std::string()),
            make_group(1001, std::string("WCRAFT")),
            make_group(1000, std::string("tag")),
            make_group(1010, Point{7, 8, 9}),
            make_short(1070, 12),
            make_group(1001, std::string("OTHER")),
            make_long(1071, 5)};
}

class HostSide : public ::testing::Test {
protected:
    FakeHost host;
    Interpreter in{host};
};
}  // namespace

TEST(EntityList, GroupsBecomeTheHostsAssociationList) {
    Value alist = groups_to_alist(sample_line());
    EXPECT_EQ(print_value(alist, PrintStyle::Prin1),
              "((0 . \"LINE\") (8 . \"WALLS\") (62 . 3) (90 . 70000) (10 1.0 2.0 3.0) (11 4.0 5.0) (50 . 1.5) "
              "(330 . <Entity name: 7ff700000009>) (310 . \"0AFF\") "
              "(-3 (\"WCRAFT\" (1000 . \"tag\") (1010 7.0 8.0 9.0) (1070 . 12)) (\"OTHER\" (1071 . 5))))");
}

TEST(EntityList, RoundTripKeepsEveryGroupAndType) {
    GroupList original = sample_line();
    auto back = alist_to_groups(groups_to_alist(original));
    ASSERT_TRUE(back.ok()) << back.error().message;
    EXPECT_EQ(back.value(), original);
}

TEST(EntityList, ValuesAreConvertedByGroupCodeType) {
    FakeHost host;
    Interpreter in(host);
    auto v = in.eval_string("'((40 . 2) (62 . 1) (10 1 2) (1040 . 3))");
    ASSERT_TRUE(v.ok());
    auto g = alist_to_groups(v.value());
    ASSERT_TRUE(g.ok());
    EXPECT_EQ(g.value()[0].value, GroupValue(2.0));  // integer given for a real group
    EXPECT_EQ(g.value()[1].value, GroupValue(int16_t(1)));
    EXPECT_EQ(g.value()[2].value, GroupValue(Point{1, 2, 0, 2}));
    EXPECT_EQ(g.value()[3].value, GroupValue(3.0));
}

TEST(EntityList, BadGroupsAreRejected) {
    FakeHost host;
    Interpreter in(host);
    const char* bad[] = {"'((62 . \"red\"))", "'((62 . 70000))", "'((10 . 1))", "'((8 . 1))", "'(1 2)",
                         "'((-3 . 5))"};
    for (const char* text : bad) {
        auto v = in.eval_string(text);
        ASSERT_TRUE(v.ok());
        EXPECT_FALSE(alist_to_groups(v.value()).ok()) << text;
    }
}

TEST_F(HostSide, EntityFunctions) {
    EntityRef line = host.add_entity(sample_line());
    host.add_entity({make_group(0, std::string("CIRCLE")), make_group(40, 2.5)});
    EXPECT_EQ(eval_text(in, "(setq e (entnext))"), "<Entity name: 7ff700000001>");
    EXPECT_EQ(eval_text(in, "(cdr (assoc 0 (entget (entlast))))"), "\"CIRCLE\"");
    EXPECT_EQ(eval_text(in, "(cdr (assoc 10 (entget e)))"), "(1.0 2.0 3.0)");
    EXPECT_EQ(eval_text(in, "(assoc -3 (entget e))"), "nil");
    EXPECT_EQ(eval_text(in, "(car (cadr (assoc -3 (entget e '(\"*\")))))"), "\"WCRAFT\"");
    EXPECT_EQ(eval_text(in, "(setq ed (entget e)) (setq ed (subst '(8 . \"NEW\") (assoc 8 ed) ed)) "
                            "(not (null (entmod ed)))"),
              "T");
    EXPECT_EQ(group_string(host.entities[line.id], 8), "NEW");
    EXPECT_EQ(eval_text(in, "(entnext (entlast))"), "nil");
    EXPECT_EQ(eval_text(in, "(entmake '((0 . \"POINT\") (10 1.0 1.0 0.0)))"), "((0 . \"POINT\") (10 1.0 1.0 0.0))");
    EXPECT_EQ(host.entities.size(), 3u);
    EXPECT_EQ(eval_text(in, "(entmake '((10 1.0 1.0 0.0)))"), "nil");
    EXPECT_EQ(eval_text(in, "(entdel e)"), "<Entity name: 7ff700000001>");
    EXPECT_EQ(eval_text(in, "(entget e)"), "nil");
    EXPECT_EQ(eval_text(in, "(entmod '((62 . \"x\")))"), "ERR:bad DXF group: (62 . \"x\")");
}

TEST_F(HostSide, SelectionSets) {
    host.add_entity({make_group(0, std::string("LINE"))});
    host.add_entity({make_group(0, std::string("CIRCLE"))});
    host.add_entity({make_group(0, std::string("LINE"))});
    EXPECT_EQ(eval_text(in, "(setq ss (ssget \"X\" '((0 . \"LINE\"))))"), "<Selection set: 1>");
    ASSERT_EQ(host.ssget_requests.size(), 1u);
    EXPECT_EQ(host.ssget_requests[0].mode, "X");
    ASSERT_TRUE(host.ssget_requests[0].filter.has_value());
    EXPECT_EQ(eval_text(in, "(sslength ss)"), "2");
    EXPECT_EQ(eval_text(in, "(ssname ss 1)"), "<Entity name: 7ff700000003>");
    EXPECT_EQ(eval_text(in, "(ssname ss 2)"), "nil");
    EXPECT_EQ(eval_text(in, "(ssget \"_W\" '(0 0) '(10 10))"), "<Selection set: 2>");
    EXPECT_EQ(host.ssget_requests[1].mode, "_W");
    EXPECT_EQ(host.ssget_requests[1].points.size(), 2u);
    EXPECT_EQ(eval_text(in, "(ssget \"WP\" '((0 0) (5 0) (5 5)))"), "<Selection set: 3>");
    EXPECT_EQ(host.ssget_requests[2].points.size(), 3u);
    EXPECT_EQ(eval_text(in, "(setq s2 (ssadd)) (ssadd (entlast) s2) (sslength s2)"), "1");
}

TEST_F(HostSide, CommandReceivesConvertedArguments) {
    EXPECT_EQ(eval_text(in, "(command \"_.LINE\" '(0 0) '(1.5 2 3) \"\" 7 2.5 pause)"), "nil");
    ASSERT_EQ(host.commands.size(), 1u);
    const AdsList& a = host.commands[0];
    ASSERT_EQ(a.size(), 7u);
    EXPECT_EQ(a[0], (AdsValue{rt::Str, std::string("_.LINE")}));
    EXPECT_EQ(a[1], (AdsValue{rt::Point, Point{0, 0, 0, 2}}));
    EXPECT_EQ(a[2], (AdsValue{rt::Point3d, Point{1.5, 2, 3}}));
    EXPECT_EQ(a[3], (AdsValue{rt::Str, std::string("")}));
    EXPECT_EQ(a[4], (AdsValue{rt::Short, int32_t(7)}));
    EXPECT_EQ(a[5], (AdsValue{rt::Real, 2.5}));
    EXPECT_EQ(a[6], (AdsValue{rt::Str, std::string("\\")}));
    EXPECT_EQ(eval_text(in, "(command \"X\" '(1 2 3 4))"), "ERR:bad argument type: 2D/3D point: (1 2 3 4)");
    host.command_status = rs::Cancel;
    EXPECT_EQ(eval_text(in, "(command \"LINE\")"), "ERR:Function cancelled");
}

TEST_F(HostSide, ExternalFunctionRoundTrip) {
    AdsList seen;
    host.external = [&](int app, int code, const AdsList& args) {
        EXPECT_EQ(app, 3);
        EXPECT_EQ(code, 12);
        seen = args;
        // Returns (item-count "ok" (1 . 2.5))
        return ExternalReply{rs::Normal,
                             {{rt::ListBegin, {}},
                              {rt::Short, int32_t(args.size())},
                              {rt::Str, std::string("ok")},
                              {rt::ListBegin, {}},
                              {rt::Short, int32_t(1)},
                              {rt::Real, 2.5},
                              {rt::DotEnd, {}},
                              {rt::ListEnd, {}}}};
    };
    in.define_external("c:appcmd", 3, 12);
    EXPECT_TRUE(in.is_command_defined("C:APPCMD"));
    EXPECT_EQ(eval_text(in, "(type c:appcmd)"), "EXRXSUBR");
    EXPECT_EQ(eval_text(in, "(c:appcmd 70000 '(1.0 2.0) \"s\" nil t '(a 1))"), "(9 \"ok\" (1 . 2.5))");
    AdsList expected = {{rt::Long, int32_t(70000)}, {rt::Point, Point{1, 2, 0, 2}}, {rt::Str, std::string("s")},
                        {rt::Nil, {}},  {rt::T, {}},  {rt::ListBegin, {}}, {rt::Str, std::string("A")},
                        {rt::Short, int32_t(1)}, {rt::ListEnd, {}}};
    EXPECT_EQ(seen.size(), 9u);
    EXPECT_EQ(seen, expected);
    host.external = [](int, int, const AdsList&) { return ExternalReply{rs::Error, {}}; };
    EXPECT_EQ(eval_text(in, "(c:appcmd)"), "ERR:ADS request error");
    EXPECT_TRUE(in.undefine_external("C:APPCMD", 3));
    EXPECT_FALSE(in.is_command_defined("C:APPCMD"));
}

TEST_F(HostSide, RemovingAnApplicationDropsOnlyItsFunctions) {
    in.define_external("one", 1, 1);
    in.define_external("two", 2, 1);
    in.remove_application(1);
    EXPECT_FALSE(in.is_function_defined("ONE"));
    EXPECT_TRUE(in.is_function_defined("TWO"));
    EXPECT_FALSE(in.undefine_external("TWO", 1));  // not its owner
}

TEST_F(HostSide, AdsValuesRoundTripThroughLisp) {
    AdsList chain = {{rt::ListBegin, {}}, {rt::Short, int32_t(1)}, {rt::Point3d, Point{1, 2, 3}},
                     {rt::Ename, EntityRef{4}}, {rt::Picks, SelSet{2}}, {rt::ListBegin, {}},
                     {rt::Str, std::string("k")}, {rt::Long, int32_t(-100000)}, {rt::DotEnd, {}},
                     {rt::Nil, {}}, {rt::ListEnd, {}}};
    auto v = from_ads(chain);
    ASSERT_TRUE(v.ok());
    EXPECT_EQ(print_value(v.value(), PrintStyle::Prin1),
              "(1 (1.0 2.0 3.0) <Entity name: 7ff700000004> <Selection set: 2> (\"k\" . -100000) nil)");
    auto back = to_ads(v.value(), PointRule::RealsOnly);
    ASSERT_TRUE(back.ok());
    EXPECT_EQ(back.value(), chain);
    EXPECT_FALSE(from_ads({{rt::ListBegin, {}}, {rt::Short, int32_t(1)}}).ok());
    EXPECT_FALSE(from_ads({{rt::ListEnd, {}}}).ok());
    EXPECT_FALSE(from_ads({{rt::Str, int32_t(1)}}).ok());
}

TEST_F(HostSide, SymbolsForApplications) {
    ASSERT_TRUE(in.set_symbol("appvar", {{rt::Point3d, Point{1, 2, 3}}}).ok());
    EXPECT_EQ(eval_text(in, "appvar"), "(1.0 2.0 3.0)");
    ASSERT_TRUE(in.eval_string("(setq fromlisp '(\"a\" 2))").ok());
    auto s = in.get_symbol("FROMLISP");
    ASSERT_TRUE(s.ok());
    AdsList expected = {{rt::ListBegin, {}}, {rt::Str, std::string("a")}, {rt::Short, int32_t(2)}, {rt::ListEnd, {}}};
    EXPECT_EQ(s.value(), expected);
    auto unset = in.get_symbol("NOSUCH");
    ASSERT_TRUE(unset.ok());
    EXPECT_EQ(unset.value(), (AdsList{{rt::Nil, {}}}));
}

TEST_F(HostSide, InvokeCallsLispFunctions) {
    ASSERT_TRUE(in.eval_string("(defun add3 (a b c) (+ a b c))").ok());
    auto r = in.invoke({{rt::Str, std::string("add3")}, {rt::Short, int32_t(1)}, {rt::Short, int32_t(2)},
                        {rt::Real, 0.5}});
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.value(), (AdsList{{rt::Real, 3.5}}));
    EXPECT_FALSE(in.invoke({{rt::Str, std::string("nosuch")}}).ok());
    EXPECT_FALSE(in.invoke({{rt::Str, std::string("add3")}}).ok());
    EXPECT_EQ(host.output, "; error: no function definition: NOSUCH\n; error: too few arguments\n");
}

TEST_F(HostSide, InputFunctionsPassArgumentsAndMapAnswers) {
    host.answers = {{InputStatus::Normal, std::string("hello world")},
                    {InputStatus::Normal, Point{1, 2, 3}},
                    {InputStatus::None, {}},
                    {InputStatus::Keyword, std::string("Yes")},
                    {InputStatus::Normal, int32_t(5)},
                    {InputStatus::Cancel, {}}};
    EXPECT_EQ(eval_text(in, "(getstring t \"Name: \")"), "\"hello world\"");
    EXPECT_EQ(host.requests[0].spaces, Spaces::Allowed);
    EXPECT_EQ(host.requests[0].prompt.value_or(""), "Name: ");
    EXPECT_EQ(eval_text(in, "(getpoint '(0 0) \"Next: \")"), "(1.0 2.0 3.0)");
    EXPECT_EQ(host.requests[1].kind, InputKind::Point);
    ASSERT_TRUE(host.requests[1].base.has_value());
    EXPECT_EQ(eval_text(in, "(getdist)"), "nil");
    EXPECT_EQ(eval_text(in, "(initget 1 \"Yes No\") (getkword \"Sure? \")"), "\"Yes\"");
    ASSERT_EQ(host.initgets.size(), 1u);
    EXPECT_EQ(host.initgets[0], (std::pair<int, std::string>(1, "Yes No")));
    EXPECT_EQ(eval_text(in, "(getint)"), "5");
    EXPECT_EQ(eval_text(in, "(getreal)"), "ERR:Function cancelled");
}

TEST_F(HostSide, EntselResultFeedsACommand) {
    host.picks = {{InputStatus::Normal, EntityRef{5}, Point{1, 2, 0}, {}},
                  {InputStatus::None, {}, {}, {}},
                  {InputStatus::Keyword, {}, {}, "Undo"}};
    EXPECT_EQ(eval_text(in, "(setq pick (entsel \"Select: \"))"), "(<Entity name: 7ff700000005> (1.0 2.0 0.0))");
    EXPECT_EQ(eval_text(in, "(command \"_.ERASE\" pick \"\")"), "nil");
    AdsList expected = {{rt::Str, std::string("_.ERASE")}, {rt::ListBegin, {}},       {rt::Ename, EntityRef{5}},
                        {rt::Point3d, Point{1, 2, 0}},      {rt::ListEnd, {}},          {rt::Str, std::string("")}};
    ASSERT_EQ(host.commands.size(), 1u);
    EXPECT_EQ(host.commands[0], expected);
    EXPECT_EQ(eval_text(in, "(entsel)"), "nil");
    EXPECT_EQ(eval_text(in, "(entsel)"), "\"Undo\"");
    EXPECT_EQ(eval_text(in, "(entsel)"), "ERR:Function cancelled");
}

TEST_F(HostSide, RegappAndCallFunctionWithArguments) {
    EXPECT_EQ(eval_text(in, "(regapp \"WCRAFT\")"), "\"WCRAFT\"");
    EXPECT_EQ(eval_text(in, "(regapp \"WCRAFT\")"), "nil");
    ASSERT_TRUE(in.eval_string("(defun s::startup () (setq started t)) (defun pair (a b) (cons a b))").ok());
    ASSERT_TRUE(in.is_function_defined("S::STARTUP"));
    ASSERT_TRUE(in.call_function("S::STARTUP", {}).ok());
    EXPECT_EQ(eval_text(in, "started"), "T");
    auto r = in.call_function("pair", {{rt::ListBegin, {}}, {rt::Short, int32_t(1)}, {rt::ListEnd, {}},
                                       {rt::Str, std::string("x")}});
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(print_value(r.value(), PrintStyle::Prin1), "((1) . \"x\")");
}

TEST_F(HostSide, StartupLoadThenStartupFunction) {
    host.sources["acad"] = "(defun s::startup () (setq ready 'yes))";
    ASSERT_TRUE(in.load("acad").ok());
    ASSERT_TRUE(in.is_function_defined("s::startup"));
    ASSERT_TRUE(in.call_function("S::STARTUP", {}).ok());
    EXPECT_EQ(eval_text(in, "ready"), "YES");
    auto missing = in.load("nothing");
    ASSERT_FALSE(missing.ok());
    EXPECT_EQ(missing.error().message, "LOAD failed: \"nothing\"");
    EXPECT_EQ(host.output, "; error: LOAD failed: \"nothing\"\n");
}

TEST_F(HostSide, SourceErrorsNameTheFile) {
    auto r = in.eval_source("(setq ok 1)\n(car 1)", "tools.lsp");
    ASSERT_FALSE(r.ok());
    EXPECT_EQ(r.error().what(), "tools.lsp: bad argument type: consp 1");
    EXPECT_EQ(eval_text(in, "ok"), "1");
}

TEST_F(HostSide, SystemVariables) {
    host.vars["CLAYER"] = std::string("0");
    host.vars["OSMODE"] = int16_t(33);
    host.vars["INSBASE"] = Point{1, 2, 0};
    EXPECT_EQ(eval_text(in, "(getvar \"clayer\")"), "\"0\"");
    EXPECT_EQ(eval_text(in, "(getvar \"OSMODE\")"), "33");
    EXPECT_EQ(eval_text(in, "(getvar \"INSBASE\")"), "(1.0 2.0 0.0)");
    EXPECT_EQ(eval_text(in, "(getvar \"NOSUCH\")"), "nil");
    EXPECT_EQ(eval_text(in, "(setvar \"osmode\" 0)"), "0");
    EXPECT_EQ(host.vars["OSMODE"], GroupValue(int32_t(0)));
    EXPECT_EQ(eval_text(in, "(setvar \"READONLY\" 1)"), "ERR:setting rejected: READONLY");
}

TEST_F(HostSide, FilesAndLoad) {
    host.files["in.txt"] = {"first", "second"};
    EXPECT_EQ(eval_text(in, "(setq f (open \"in.txt\" \"r\")) (list (read-line f) (read-line f) (read-line f))"),
              "(\"first\" \"second\" nil)");
    EXPECT_EQ(eval_text(in, "(close f)"), "nil");
    EXPECT_EQ(eval_text(in, "(open \"missing.txt\" \"r\")"), "nil");
    EXPECT_EQ(eval_text(in, "(setq o (open \"out.txt\" \"w\")) (write-line \"a\" o) (princ 12 o) (close o)"), "nil");
    EXPECT_EQ(host.files["out.txt"], (std::vector<std::string>{"a", "12"}));
    EXPECT_EQ(eval_text(in, "(open \"x\" \"q\")"), "ERR:bad argument value: q");
    EXPECT_EQ(eval_text(in, "(write-line \"lost\" o)"), "ERR:bad argument type: streamp <File: #2>");
    EXPECT_EQ(eval_text(in, "(princ \"lost\" o)"), "ERR:bad argument type: streamp <File: #2>");
    host.sources["tools"] = "(defun c:tool () 1)\n(setq loaded 'yes)";
    EXPECT_EQ(eval_text(in, "(load \"tools\")"), "YES");
    EXPECT_TRUE(in.is_command_defined("C:TOOL"));
    EXPECT_EQ(eval_text(in, "(load \"missing\" \"fallback\")"), "\"fallback\"");
    host.sources["broken"] = "(setq half 1)\n(defun oops (";
    EXPECT_EQ(eval_text(in, "(load \"broken\")"), "ERR:malformed list on input");
    EXPECT_EQ(eval_text(in, "half"), "1");
    EXPECT_EQ(eval_text(in, "(findfile \"tools\")"), "\"/support/tools\"");
    EXPECT_EQ(eval_text(in, "(findfile \"none\")"), "nil");
}

TEST_F(HostSide, HostExceptionsBecomeLispErrors) {
    struct Throwing : FakeHost {
        int command(const AdsList&) override { throw std::runtime_error("host failure"); }
    } host2;
    Interpreter in2(host2);
    EXPECT_EQ(eval_text(in2, "(setq g 1) (defun f (/ g) (setq g 2) (command \"X\")) (f)"), "ERR:host failure");
    EXPECT_EQ(eval_text(in2, "g"), "1");
    EXPECT_EQ(host2.output, "; error: host failure\n");
}

TEST_F(HostSide, NestedEvaluationOnAnotherThreadKeepsItsOwnStackLimit) {
    // Commands may run their bodies on threads of their own while the caller waits.
    struct Threaded : FakeHost {
        Interpreter* in = nullptr;
        std::string deep, runaway;
        int command(const AdsList&) override {
            std::thread t([this] {
                deep = eval_text(*in, "(cnt 300)");
                runaway = eval_text(*in, "(down)");
            });
            t.join();
            return rs::Normal;
        }
    } host2;
    Interpreter in2(host2);
    host2.in = &in2;
    ASSERT_TRUE(in2.eval_string("(defun cnt (n) (if (= n 0) 0 (+ 1 (cnt (1- n))))) (defun down () (down))").ok());
    EXPECT_EQ(eval_text(in2, "(defun c:run () (command \"X\") 'back) (c:run)"), "BACK");
    EXPECT_EQ(host2.deep, "300");
    EXPECT_EQ(host2.runaway, "ERR:stack overflow");
}

TEST_F(HostSide, CommandFunctionCalledFromTheHostCanReenter) {
    // A command run by the host evaluates Lisp again while the first call is active.
    struct Reentrant : FakeHost {
        Interpreter* in = nullptr;
        int command(const AdsList& args) override {
            FakeHost::command(args);
            auto r = in->eval_string("(setq inner (+ 1 2))");
            return r.ok() ? rs::Normal : rs::Error;
        }
    } host2;
    Interpreter in2(host2);
    host2.in = &in2;
    EXPECT_EQ(eval_text(in2, "(defun c:outer (/ x) (setq x 1) (command \"REDRAW\") (list x inner)) (c:outer)"),
              "(1 3)");
}

}  // namespace cadhost::lisp::test
