// Error messages as the host prints them, and the *error* handler.
#include <gtest/gtest.h>

#include <random>

#include "fake_host.h"

namespace cadhost::lisp::test {

namespace {
struct Case {
    const char* text;
    const char* message;
};
}  // namespace

TEST(Errors, MessagesMatchTheHost) {
    const Case cases[] = {
        {"(+ 1 \"a\")", "bad argument type: numberp: \"a\""},
        {"(+ 1 nil)", "bad argument type: numberp: nil"},
        {"(strcat \"a\" nil)", "bad argument type: stringp nil"},
        {"(strlen 1)", "bad argument type: stringp 1"},
        {"(itoa 1.5)", "bad argument type: fixnump: 1.5"},
        {"(car 5)", "bad argument type: consp 5"},
        {"(length 5)", "bad argument type: listp 5"},
        {"(length '(1 . 2))", "bad list: 2"},
        {"(set 1 2)", "bad argument type: symbolp 1"},
        {"(setq 1 2)", "bad argument type: symbolp 1"},
        {"(entget \"x\")", "bad argument type: lentityp \"x\""},
        {"(sslength nil)", "bad argument type: lselsetp nil"},
        {"(read-line \"f\")", "bad argument type: streamp \"f\""},
        {"(foo 1)", "no function definition: FOO"},
        {"(setq n 3) (n)", "bad function: 3"},
        {"(1 2)", "bad function: 1"},
        {"(\"s\")", "bad function: \"s\""},
        {"(mapcar 'nothing '(1))", "no function definition: NOTHING"},
        {"(car)", "too few arguments"},
        {"(car '(1) '(2))", "too many arguments"},
        {"(defun two (a b) a) (two 1)", "too few arguments"},
        {"(two 1 2 3)", "too many arguments"},
        {"(if)", "too few arguments"},
        {"(if 1 2 3 4)", "too many arguments"},
        {"(setq a)", "too few arguments"},
        {"(/ 1 0)", "divide by zero"},
        {"(/ 1.0 0)", "divide by zero"},
        {"(rem 5 0)", "divide by zero"},
        {"(sqrt -1)", "function undefined for argument: -1"},
        {"(+ 1 2", "malformed list on input"},
        {"(princ \"abc)", "malformed string on input"},
        {"(+ 1 2))", "extra right paren on input"},
        {"(exit)", "quit / exit abort"},
        {"(substr \"abc\" 0)", "bad argument value: 0"},
        {"(load \"nowhere\")", "LOAD failed: \"nowhere\""},
        {"(wcmatch 1 \"*\")", "bad argument type: stringp 1"},
    };
    for (const auto& c : cases) {
        FakeHost host;
        Interpreter in(host);
        (void)in.eval_string("(defun two (a b) a)");
        EXPECT_EQ(eval_text(in, c.text), std::string("ERR:") + c.message) << c.text;
        EXPECT_EQ(host.output, std::string("; error: ") + c.message + "\n") << c.text;
    }
}

TEST(Errors, WcmatchWithoutHostSupportIsAnError) {
    struct Bare : Host {
        std::string out;
        void print(const std::string& t) override { out += t; }
    } host;
    Interpreter in(host);
    EXPECT_EQ(eval_text(in, "(wcmatch \"a\" \"*\")"), "ERR:not available: wcmatch");
}

TEST(Errors, ErrorHandlerReceivesTheMessage) {
    FakeHost host;
    Interpreter in(host);
    ASSERT_EQ(eval_text(in, "(defun *error* (msg) (princ (strcat \"caught: \" msg)))"), "*ERROR*");
    EXPECT_EQ(eval_text(in, "(car 1)"), "ERR:bad argument type: consp 1");
    EXPECT_EQ(host.output, "caught: bad argument type: consp 1");
    host.output.clear();
    (void)in.eval_string("(exit)");
    EXPECT_EQ(host.output, "caught: quit / exit abort");
}

TEST(Errors, LocalErrorHandlerRunsBeforeLocalsUnwind) {
    FakeHost host;
    Interpreter in(host);
    const char* program =
        "(defun c:tool (/ *error* state)"
        "  (defun *error* (msg) (princ (strcat \"cleanup \" state \": \" msg)))"
        "  (setq state \"busy\")"
        "  (/ 1 0))";
    ASSERT_TRUE(in.eval_string(program).ok());
    auto r = in.call_command("C:TOOL");
    ASSERT_FALSE(r.ok());
    EXPECT_EQ(r.error().message, "divide by zero");
    EXPECT_EQ(host.output, "cleanup busy: divide by zero");
    // Outside the command the handler is gone again: the default message prints.
    host.output.clear();
    (void)in.eval_string("(/ 1 0)");
    EXPECT_EQ(host.output, "; error: divide by zero\n");
}

TEST(Errors, FailingHandlerDoesNotLoop) {
    FakeHost host;
    Interpreter in(host);
    (void)in.eval_string("(defun *error* (msg) (car msg))");
    EXPECT_EQ(eval_text(in, "(undefined-fn)"), "ERR:no function definition: UNDEFINED-FN");
    EXPECT_EQ(host.output, "; error: bad argument type: consp \"no function definition: UNDEFINED-FN\"\n");
}

TEST(Errors, HandlerRunsAfterStackOverflow) {
    FakeHost host;
    Interpreter in(host);
    (void)in.eval_string("(defun *error* (msg) (princ (strcat \"[\" msg \"]\")))");
    (void)in.eval_string("(defun down () (down))");
    EXPECT_EQ(eval_text(in, "(down)"), "ERR:stack overflow");
    EXPECT_EQ(host.output, "[stack overflow]");
}

TEST(Errors, RandomInputNeverCrashesTheInterpreter) {
    // Token soup from a fixed seed: every outcome must be a value or an error.
    const char* tokens[] = {"(", ")", "(", ")", "'", ".", "1", "-2", "2.5", "\"s\"", "nil", "t", "x", "car",
                            "cdr", "cons", "list", "+", "/", "0", "setq", "defun", "f", "lambda", "if", "cond",
                            "apply", "mapcar", "strcat", "substr", "nth", "assoc", "*error*", "exit", "(f)",
                            "(setq x '(1 . 2))", "\"\\", ";|", "|;", ";", "\n", "rtos", "distof", "eval",
                            "read", "\"(((\"", "equal", "reverse", "append", "length", "princ", "entget"};
    std::mt19937 rng(20240611);
    FakeHost host;
    Interpreter in(host);
    for (int round = 0; round < 3000; ++round) {
        std::string text;
        size_t n = 1 + rng() % 24;
        for (size_t i = 0; i < n; ++i) {
            text += tokens[rng() % std::size(tokens)];
            text += ' ';
        }
        (void)in.eval_string(text);
        (void)in.feed(text);
        if (round % 100 == 0) in.reset();
    }
    const std::string chars = "()'\"\\;|. 0123e+-abcfx\n";
    for (int round = 0; round < 3000; ++round) {
        std::string text;
        for (size_t i = 0, n = rng() % 40; i < n; ++i) text += chars[rng() % chars.size()];
        (void)in.eval_string(text);
    }
    host.output.clear();
    in.clear_pending();
    in.reset();
    EXPECT_EQ(eval_text(in, "(+ 1 2)"), "3");
}

}  // namespace cadhost::lisp::test
