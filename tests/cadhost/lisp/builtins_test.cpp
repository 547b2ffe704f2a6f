// Built-in functions by family: math, strings, lists, predicates, output.
#include <gtest/gtest.h>

#include "fake_host.h"
#include "lisp/units.h"

namespace cadhost::lisp::test {

namespace {
struct Case {
    const char* text;
    const char* result;
};

class Builtins : public ::testing::Test {
protected:
    template <size_t N>
    void check(const Case (&cases)[N]) {
        for (const auto& c : cases) EXPECT_EQ(eval_text(in, c.text), c.result) << c.text;
    }
    FakeHost host;
    Interpreter in{host};
};
}  // namespace

TEST_F(Builtins, Math) {
    const Case cases[] = {
        {"(+ 1 2 3)", "6"},
        {"(+)", "0"},
        {"(+ 1 2.0)", "3.0"},
        {"(- 10 4 1)", "5"},
        {"(- 5)", "-5"},
        {"(- 2.5)", "-2.5"},
        {"(* 2 3 4)", "24"},
        {"(*)", "0"},
        {"(/ 7 2)", "3"},
        {"(/ -7 2)", "-3"},
        {"(/ 7 2.0)", "3.5"},
        {"(/ 7.0 2)", "3.5"},
        {"(/ 8)", "8"},
        {"(+ 2147483647 1)", "-2147483648"},
        {"(* 65536 65536)", "0"},
        {"(- -2147483648 1)", "2147483647"},
        {"(/ -2147483648 -1)", "-2147483648"},
        {"(1+ 5)", "6"},
        {"(1- 5.5)", "4.5"},
        {"(abs -3)", "3"},
        {"(abs -3.5)", "3.5"},
        {"(min 3 1 2)", "1"},
        {"(max 3 1.0 2)", "3.0"},
        {"(rem 7 3)", "1"},
        {"(rem -7 3)", "-1"},
        {"(rem 7.5 2)", "1.5"},
        {"(fix 3.7)", "3"},
        {"(fix -3.7)", "-3"},
        {"(fix 1e10)", "1.0e+010"},
        {"(float 3)", "3.0"},
        {"(= 1 1.0)", "T"},
        {"(= 1 1 2)", "nil"},
        {"(= \"a\" \"a\")", "T"},
        {"(/= 1 2)", "T"},
        {"(/= 1 1)", "nil"},
        {"(< 1 2 3)", "T"},
        {"(< 1 3 2)", "nil"},
        {"(< \"abc\" \"abd\")", "T"},
        {"(> 3 2 1)", "T"},
        {"(<= 1 1 2)", "T"},
        {"(>= 2 2 3)", "nil"},
        {"(zerop 0.0)", "T"},
        {"(zerop 1)", "nil"},
        {"(minusp -1)", "T"},
        {"(minusp 0)", "nil"},
        {"(sqrt 16)", "4.0"},
        {"(expt 2 10)", "1024"},
        {"(expt 2.0 0.5)", "1.41421"},
        {"(atan 1 1)", "0.785398"},
        {"(logand 12 10)", "8"},
        {"(logior 12 3)", "15"},
        {"(expt 3 40)", "689956897"},  // 3^40 modulo 2^32, as wrapping integer products give
        {"(expt 2 31)", "-2147483648"},
        {"(expt 2 -1)", "0.5"},
        {"(~ 5)", "-6"},
        {"(lsh 1 4)", "16"},
        {"(lsh 16 -2)", "4"},
        {"(lsh 1 40)", "0"},
        {"(gcd 12 18)", "6"},
        {"(distance '(0 0) '(3 4))", "5.0"},
        {"(distance '(0 0 0) '(1 2 2))", "3.0"},
        {"(angle '(0 0) '(0 -1))", "4.71239"},
        {"(polar '(1.0 1.0 0.0) 0 2)", "(3.0 1.0 0.0)"},
        {"pi", "3.14159"},
        {"1234567.0", "1.23457e+006"},
        {"0.000012", "1.2e-005"},
        {"100.0", "100.0"},
    };
    check(cases);
}

TEST_F(Builtins, Strings) {
    const Case cases[] = {
        {"(strcat \"ab\" \"cd\" \"\")", "\"abcd\""},
        {"(strcat)", "\"\""},
        {"(strlen \"hello\")", "5"},
        {"(strlen \"ab\" \"c\")", "3"},
        {"(substr \"hello\" 2 3)", "\"ell\""},
        {"(substr \"hello\" 2)", "\"ello\""},
        {"(substr \"hello\" 1 0)", "\"\""},
        {"(substr \"hello\" 9)", "\"\""},
        {"(substr \"hello\" 4 99)", "\"lo\""},
        {"(strcase \"MiXed\")", "\"MIXED\""},
        {"(strcase \"MiXed\" t)", "\"mixed\""},
        {"(itoa -42)", "\"-42\""},
        {"(atoi \"12abc\")", "12"},
        {"(atoi \"  -7\")", "-7"},
        {"(atoi \"abc\")", "0"},
        {"(atoi \"3.9\")", "3"},
        {"(atof \"2.5x\")", "2.5"},
        {"(atof \"x\")", "0.0"},
        {"(ascii \"A\")", "65"},
        {"(ascii \"\")", "0"},
        {"(chr 66)", "\"B\""},
        {"(rtos 1.5 2 2)", "\"1.50\""},
        {"(rtos 2.0 2 0)", "\"2\""},
        {"(rtos -0.001 2 2)", "\"0.00\""},
        {"(rtos 15.0 1 4)", "\"1.5000E+01\""},
        {"(rtos 15.5 3 2)", "\"1'-3.50\\\"\""},
        {"(rtos 15.5 4 2)", "\"1'-3 1/2\\\"\""},
        {"(rtos 11.999 4 2)", "\"1'-0\\\"\""},
        {"(rtos 15.5 5 2)", "\"15 1/2\""},
        {"(rtos 0.25 5 3)", "\"1/4\""},
        {"(rtos 1e20 5 2)", "\"100000000000000000000.00\""},
        {"(distof \"1.25\")", "1.25"},
        {"(distof \"1'-3 1/2\\\"\" 4)", "15.5"},
        {"(distof \"1'3.5\" 3)", "15.5"},
        {"(distof \"15 1/2\" 5)", "15.5"},
        {"(distof \"1.5E+01\" 1)", "15.0"},
        {"(distof \"abc\")", "nil"},
        {"(distof \"1/0\")", "nil"},
        {"(wcmatch \"LINE\" \"L*\")", "T"},
        {"(wcmatch \"ARC\" \"L*\")", "nil"},
        {"(vl-string-search \"lo\" \"hello lo\")", "3"},
        {"(vl-string-search \"lo\" \"hello lo\" 4)", "6"},
        {"(vl-string-search \"z\" \"hello\")", "nil"},
    };
    check(cases);
}

TEST_F(Builtins, RtosUsesUnitVariablesByDefault) {
    host.vars["LUNITS"] = int16_t(2);
    host.vars["LUPREC"] = int16_t(3);
    EXPECT_EQ(eval_text(in, "(rtos 2)"), "\"2.000\"");
    host.vars["LUNITS"] = int16_t(4);
    host.vars["LUPREC"] = int16_t(1);
    EXPECT_EQ(eval_text(in, "(rtos 30.5)"), "\"2'-6 1/2\\\"\"");
}

TEST_F(Builtins, UnitsRoundTripThroughText) {
    for (double v : {0.0, 1.5, 15.5, 123.25, -42.75}) {
        for (int mode = 1; mode <= 5; ++mode) {
            std::string text = Units::format(v, mode, 4);
            auto back = Units::parse(text);
            ASSERT_TRUE(back.has_value()) << text;
            EXPECT_NEAR(*back, v, 1e-9) << text;
        }
    }
}

TEST_F(Builtins, Lists) {
    const Case cases[] = {
        {"(car '(1 2 3))", "1"},
        {"(cdr '(1 2 3))", "(2 3)"},
        {"(car nil)", "nil"},
        {"(cdr '(1 . 2))", "2"},
        {"(cadr '(1 2 3))", "2"},
        {"(caddr '(1 2 3))", "3"},
        {"(cddr '(1 2 3))", "(3)"},
        {"(caar '((1) 2))", "1"},
        {"(cdar '((1 5) 2))", "(5)"},
        {"(cadar '((1 5) 2))", "5"},
        {"(cons 1 '(2))", "(1 2)"},
        {"(cons 1 2)", "(1 . 2)"},
        {"(cons 'a nil)", "(A)"},
        {"(list 1 \"a\" 'b)", "(1 \"a\" B)"},
        {"(list)", "nil"},
        {"(append '(1 2) '(3) nil '(4))", "(1 2 3 4)"},
        {"(append)", "nil"},
        {"(length '(1 2 3))", "3"},
        {"(length nil)", "0"},
        {"(nth 1 '(a b c))", "B"},
        {"(nth 5 '(a b c))", "nil"},
        {"(assoc 8 '((0 . \"LINE\") (8 . \"0\")))", "(8 . \"0\")"},
        {"(assoc \"b\" '((\"a\" 1) (\"b\" 2)))", "(\"b\" 2)"},
        {"(assoc 9 '((0 . \"LINE\")))", "nil"},
        {"(member 'c '(a b c d))", "(C D)"},
        {"(member '(1) '(0 (1) 2))", "((1) 2)"},
        {"(reverse '(1 2 3))", "(3 2 1)"},
        {"(last '(1 2 3))", "3"},
        {"(last nil)", "nil"},
        {"(subst 'x 'b '(a b (b) b))", "(A X (B) X)"},
        {"(subst '(8 . \"NEW\") '(8 . \"0\") '((0 . \"LINE\") (8 . \"0\")))", "((0 . \"LINE\") (8 . \"NEW\"))"},
        {"(mapcar 'strlen '(\"a\" \"bb\"))", "(1 2)"},
    };
    check(cases);
}

TEST_F(Builtins, Predicates) {
    const Case cases[] = {
        {"(not nil)", "T"},
        {"(null '(1))", "nil"},
        {"(atom 'a)", "T"},
        {"(atom '(1))", "nil"},
        {"(atom nil)", "T"},
        {"(listp nil)", "T"},
        {"(listp '(1))", "T"},
        {"(listp 1)", "nil"},
        {"(numberp 1.5)", "T"},
        {"(numberp \"1\")", "nil"},
        {"(type 1)", "INT"},
        {"(type 1.0)", "REAL"},
        {"(type \"s\")", "STR"},
        {"(type 'a)", "SYM"},
        {"(type '(1))", "LIST"},
        {"(type nil)", "nil"},
        {"(type car)", "SUBR"},
        {"(type setq)", "SUBR"},
        {"(type (lambda (x) x))", "USUBR"},
        {"(boundp 'undefined-thing)", "nil"},
        {"(setq bound 1) (boundp 'bound)", "T"},
        {"(eq 'a 'a)", "T"},
        {"(eq '(1) '(1))", "nil"},
        {"(setq q '(1)) (eq q q)", "T"},
        {"(equal '(1 (2 \"x\")) '(1 (2 \"x\")))", "T"},
        {"(equal 1 1.0)", "T"},
        {"(equal 1.0 1.05 0.1)", "T"},
        {"(equal '(1.0 2.0) '(1.01 2.0) 0.1)", "T"},
        {"(equal '(1 . 2) '(1 . 3))", "nil"},
        {"(equal \"a\" \"A\")", "nil"},
    };
    check(cases);
}

TEST_F(Builtins, OutputGoesThroughTheHost) {
    EXPECT_EQ(eval_text(in, "(princ \"a\\nb\")"), "\"a\\nb\"");
    EXPECT_EQ(eval_text(in, "(prin1 \"a\\nb\")"), "\"a\\nb\"");
    EXPECT_EQ(eval_text(in, "(print 'x)"), "X");
    EXPECT_EQ(eval_text(in, "(prompt \"p> \")"), "nil");
    EXPECT_EQ(eval_text(in, "(terpri)"), "nil");
    EXPECT_EQ(eval_text(in, "(princ '(1 \"s\" 2.5))"), "(1 \"s\" 2.5)");
    EXPECT_EQ(host.output, "a\nb\"a\\nb\"\nX p> \n(1 s 2.5)");
}

}  // namespace cadhost::lisp::test
