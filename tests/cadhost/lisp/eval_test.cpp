// Evaluation: special forms, defun and lambda, dynamic scope, commands
// defined in Lisp, reset between drawings, and resource limits.
#include <gtest/gtest.h>

#include "fake_host.h"

namespace cadhost::lisp::test {

namespace {
struct Case {
    const char* text;
    const char* result;
};

class Eval : public ::testing::Test {
protected:
    void check(const Case* begin, const Case* end) {
        for (const Case* c = begin; c != end; ++c) EXPECT_EQ(eval_text(in, c->text), c->result) << c->text;
    }
    FakeHost host;
    Interpreter in{host};
};
}  // namespace

TEST_F(Eval, SpecialForms) {
    const Case cases[] = {
        {"(setq a 1 b (+ a 1))", "2"},
        {"(list a b)", "(1 2)"},
        {"(quote (a b))", "(A B)"},
        {"'(1 . 2)", "(1 . 2)"},
        {"(if (= a 1) \"one\" \"other\")", "\"one\""},
        {"(if nil 1)", "nil"},
        {"(if nil 1 2)", "2"},
        {"(cond ((= a 2) 'two) ((= a 1) 'one) (t 'none))", "ONE"},
        {"(cond ((member 2 '(1 2 3))))", "(2 3)"},
        {"(cond (nil 1))", "nil"},
        {"(progn 1 2 3)", "3"},
        {"(progn)", "nil"},
        {"(setq i 0 s 0) (while (< i 5) (setq s (+ s i) i (1+ i)))", "5"},
        {"s", "10"},
        {"(setq n 0) (repeat 4 (setq n (+ n 2)))", "8"},
        {"(repeat 0 1)", "nil"},
        {"(setq acc nil) (foreach x '(1 2 3) (setq acc (cons x acc)))", "(3 2 1)"},
        {"(setq x 'outer) (foreach x '(1 2) x) x", "OUTER"},
        {"(and 1 2 nil)", "nil"},
        {"(and)", "T"},
        {"(and 1 \"x\")", "T"},
        {"(or nil 3)", "T"},
        {"(or)", "nil"},
        {"(setq k 0) (or t (setq k 1)) k", "0"},
        {"(eval '(+ 1 2))", "3"},
        {"(set 'zz 5) zz", "5"},
        {"(set (read \"yy\") 6) yy", "6"},
        {"(read \"(1 \\\"a\\\" b)\")", "(1 \"a\" B)"},
        {"(function car)", "CAR"},
    };
    check(std::begin(cases), std::end(cases));
}

TEST_F(Eval, DefunAndLambda) {
    const Case cases[] = {
        {"(defun sq (x) (* x x))", "SQ"},
        {"(sq 7)", "49"},
        {"(defun fact (n) (if (< n 2) 1 (* n (fact (1- n)))))", "FACT"},
        {"(fact 10)", "3628800"},
        {"((lambda (a b) (- a b)) 10 3)", "7"},
        {"(mapcar '(lambda (x) (* x 10)) '(1 2 3))", "(10 20 30)"},
        {"(mapcar (function (lambda (x) (* x 10))) '(1 2))", "(10 20)"},
        {"(apply 'sq '(5))", "25"},
        {"(apply '+ '(1 2 3))", "6"},
        {"(mapcar '+ '(1 2 3) '(10 20))", "(11 22)"},
        {"(defun noargs () 'done) (noargs)", "DONE"},
        {"(defun empty ()) (empty)", "nil"},
        {"(car sq)", "(X)"},  // a defun'd function shows its (args . body) list
        {"(type sq)", "USUBR"},
        {"(setq f sq) (f 3)", "9"},
        {"(defun SQ (x) (+ x x)) (sq 4)", "8"},  // names are not case-sensitive
        {"('((x) (* x 3)) 2)", "6"},             // a plain (args . body) list can be called
        {"(apply '(lambda (a) (list a a)) '(1))", "(1 1)"},
        {"(setq lst '((x / y) (setq y x) y)) (lst 4)", "4"},
    };
    check(std::begin(cases), std::end(cases));
}

TEST_F(Eval, LocalsAndDynamicScope) {
    const Case cases[] = {
        {"(setq v 'global)", "GLOBAL"},
        {"(defun show () v)", "SHOW"},
        {"(defun with-local (/ v) (setq v 'local) (show))", "WITH-LOCAL"},
        {"(with-local)", "LOCAL"},  // the callee sees the caller's binding
        {"v", "GLOBAL"},            // and the binding is gone afterwards
        {"(defun with-arg (v) (show))", "WITH-ARG"},
        {"(with-arg 'argument)", "ARGUMENT"},
        {"v", "GLOBAL"},
        {"(defun uses-unset (/ fresh) fresh) (setq fresh 1) (uses-unset)", "nil"},
        {"(defun leaks () (setq leaked 42)) (leaks) leaked", "42"},
        {"(defun inner (/ tmp) (setq tmp 1)) (setq tmp 'kept) (inner) tmp", "KEPT"},
        {"(defun two (a b / c) (setq c (+ a b)) c) (two 2 3)", "5"},
        {"c", "nil"},
        {"(defun setter (/ w) (defun w () 'inner-fn) (w)) (setter)", "INNER-FN"},
        {"w", "nil"},
    };
    check(std::begin(cases), std::end(cases));
}

TEST_F(Eval, LocalsAreRestoredWhenAnErrorUnwinds) {
    EXPECT_EQ(eval_text(in, "(setq g 1) (defun bad (/ g) (setq g 2) (car 5)) (bad)"), "ERR:bad argument type: consp 5");
    EXPECT_EQ(eval_text(in, "g"), "1");
}

TEST_F(Eval, CommandsDefinedInLisp) {
    EXPECT_FALSE(in.is_command_defined("C:HELLO"));
    ASSERT_EQ(eval_text(in, "(defun c:hello () (princ \"hi\") (princ))"), "C:HELLO");
    EXPECT_TRUE(in.is_command_defined("C:HELLO"));
    EXPECT_TRUE(in.is_command_defined("c:hello"));
    EXPECT_FALSE(in.is_command_defined("HELLO"));
    auto r = in.call_command("C:HELLO");
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(host.output, "hi");
    EXPECT_EQ(print_value(r.value(), PrintStyle::Princ), "");
    EXPECT_FALSE(in.call_command("C:MISSING").ok());
    EXPECT_EQ(eval_text(in, "(setq c:notfn 3)"), "3");
    EXPECT_FALSE(in.is_command_defined("C:NOTFN"));
}

TEST_F(Eval, ResetForgetsUserStateButKeepsBuiltins) {
    in.define_external("appfn", 1, 7);
    ASSERT_EQ(eval_text(in, "(setq a 1) (defun c:x () 1) (setq car 'broken)"), "BROKEN");
    in.reset();
    EXPECT_EQ(eval_text(in, "a"), "nil");
    EXPECT_FALSE(in.is_command_defined("C:X"));
    EXPECT_FALSE(in.is_function_defined("APPFN"));
    EXPECT_EQ(eval_text(in, "(car '(1 2))"), "1");
    EXPECT_EQ(eval_text(in, "(list t pi pause)"), "(T 3.14159 \"\\\\\")");
}

TEST_F(Eval, DeepRecursionReportsStackOverflow) {
    ASSERT_EQ(eval_text(in, "(defun down (n) (+ 1 (down n)))"), "DOWN");
    EXPECT_EQ(eval_text(in, "(down 1)"), "ERR:stack overflow");
    EXPECT_EQ(host.output, "; error: stack overflow\n");
    // The interpreter stays usable and moderate recursion still works.
    EXPECT_EQ(eval_text(in, "(defun cnt (n) (if (= n 0) 0 (+ 1 (cnt (1- n))))) (cnt 1000)"), "1000");
}

TEST_F(Eval, UserBreakStopsRunawayLoops) {
    struct Breaking : FakeHost {
        int polls = 0;
        bool take_break() override { return ++polls == 1000; }
    } host2;
    Interpreter in2(host2);
    EXPECT_EQ(eval_text(in2, "(while t 1)"), "ERR:Function cancelled");
    host2.polls = 0;
    EXPECT_EQ(eval_text(in2, "(repeat 100000000 1)"), "ERR:Function cancelled");
    host2.polls = 0;
    EXPECT_EQ(eval_text(in2, "(defun spin (n) (if (> n 0) (spin (1- n)) 'done)) (spin 5000000)"),
              "ERR:Function cancelled");
    host2.polls = 2000;  // no more breaks
    EXPECT_EQ(eval_text(in2, "(repeat 10 1)"), "1");
}

TEST_F(Eval, LongAndDeepListsAreReleasedWithoutRecursion) {
    EXPECT_EQ(eval_text(in, "(setq l nil) (repeat 300000 (setq l (cons 1 l))) (length l)"), "300000");
    EXPECT_EQ(eval_text(in, "(setq d nil) (repeat 300000 (setq d (list d))) (setq d nil l nil)"), "nil");
    // Printing a very deep nesting is cut off rather than overflowing.
    EXPECT_EQ(eval_text(in, "(setq d nil) (repeat 5000 (setq d (list d))) (length d)"), "1");
    std::string printed = eval_text(in, "d");
    EXPECT_NE(printed.find("(...)"), std::string::npos);
}

}  // namespace cadhost::lisp::test
