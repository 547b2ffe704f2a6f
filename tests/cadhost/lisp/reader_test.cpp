// Reader: numbers, strings and escapes, comments, quote, dotted pairs and
// the completeness check used for line-by-line input.
#include <gtest/gtest.h>

#include "fake_host.h"
#include "lisp/reader.h"

namespace cadhost::lisp::test {

namespace {
struct Case {
    const char* text;
    const char* printed;  // prin1 of the first form read
};

std::string read_first(const std::string& text) {
    Reader r(text);
    ReadOutcome o = r.next();
    if (o.status == ReadStatus::Incomplete) return "INCOMPLETE";
    if (o.status == ReadStatus::Error) return std::string("ERR:") + message_text(o.error);
    if (o.status == ReadStatus::End) return "END";
    return print_value(o.value, PrintStyle::Prin1);
}
}  // namespace

TEST(Reader, FormsPrintBackAsTheHostShowsThem) {
    const Case cases[] = {
        {"42", "42"},
        {"-7", "-7"},
        {"+5", "5"},
        {"2147483647", "2147483647"},
        {"2147483648", "2.14748e+009"},  // beyond 32 bits: a real
        {"-2147483649", "-2.14748e+009"},
        {"1.5", "1.5"},
        {"1.", "1.0"},
        {".5", "0.5"},
        {"1e3", "1000.0"},
        {"1.5e-7", "1.5e-007"},
        {"1+", "1+"},
        {"abc", "ABC"},
        {"nil", "nil"},
        {"NIL", "nil"},
        {"()", "nil"},
        {"t", "T"},
        {"'x", "(QUOTE X)"},
        {"(1 . 2)", "(1 . 2)"},
        {"(1 2 . 3)", "(1 2 . 3)"},
        {"(a .b)", "(A .B)"},
        {"(0 . \"LINE\")", "(0 . \"LINE\")"},
        {"((1 2) (3 (4)))", "((1 2) (3 (4)))"},
        {"\"a\\\\b\"", "\"a\\\\b\""},
        {"\"say \\\"hi\\\"\"", "\"say \\\"hi\\\"\""},
        {"\"tab\\there\"", "\"tab\\there\""},
        {"\"\\101\\102C\"", "\"ABC\""},
        {"\"\\e\"", "\"\\e\""},
        {"\"\\r\\n\"", "\"\\r\\n\""},
        {"\"\\q\"", "\"q\""},
        {"; comment\n 7", "7"},
        {";| block\n comment |; 8", "8"},
        {"(1 ;| inside |; 2)", "(1 2)"},
        {"(1 ; to the end\n 2)", "(1 2)"},
        {"   ", "END"},
    };
    for (const auto& c : cases) EXPECT_EQ(read_first(c.text), c.printed) << c.text;
}

TEST(Reader, MalformedInputIsReportedNotGuessed) {
    const Case cases[] = {
        {"(1 2", "INCOMPLETE"},
        {"\"open", "INCOMPLETE"},
        {";| never closed", "INCOMPLETE"},
        {"'", "INCOMPLETE"},
        {")", "ERR:extra right paren on input"},
        {"( . 1)", "ERR:misplaced dot on input"},
        {"(1 . 2 3)", "ERR:misplaced dot on input"},
        {".", "ERR:misplaced dot on input"},
    };
    for (const auto& c : cases) EXPECT_EQ(read_first(c.text), c.printed) << c.text;
}

TEST(Reader, CompletenessTellsWhenMoreInputIsNeeded) {
    EXPECT_EQ(Reader::completeness("(defun f (x)"), ReadStatus::Incomplete);
    EXPECT_EQ(Reader::completeness("(defun f (x)\n (* x 2))"), ReadStatus::Form);
    EXPECT_EQ(Reader::completeness("(princ \"a)\""), ReadStatus::Incomplete);
    EXPECT_EQ(Reader::completeness("(a))"), ReadStatus::Error);
    EXPECT_EQ(Reader::completeness("; only a comment"), ReadStatus::End);
}

TEST(Reader, FirstFormEndsWhereTheFormCloses) {
    std::string line = "(setq a (+ 1 2)) LINE 0,0";
    Reader::Span s = Reader::first_form(line);
    EXPECT_EQ(s.status, ReadStatus::Form);
    EXPECT_EQ(line.substr(s.end), " LINE 0,0");
    EXPECT_EQ(Reader::first_form("(open").status, ReadStatus::Incomplete);
}

TEST(Reader, DeepNestingIsAnErrorNotACrash) {
    std::string deep(100000, '(');
    EXPECT_EQ(read_first(deep + std::string(100000, ')')), "ERR:stack overflow");
    std::string quotes(100000, '\'');
    EXPECT_EQ(read_first(quotes + "x"), "ERR:stack overflow");
}

TEST(Reader, FeedCollectsLinesUntilTheFormIsComplete) {
    FakeHost host;
    Interpreter in(host);
    EXPECT_EQ(in.feed("(setq a").state, FeedState::NeedMore);
    EXPECT_TRUE(in.has_pending());
    EXPECT_EQ(in.feed("  (+ 1").state, FeedState::NeedMore);
    FeedResult r = in.feed("  2))");
    ASSERT_EQ(r.state, FeedState::Evaluated);
    ASSERT_TRUE(r.value.ok());
    EXPECT_EQ(print_value(r.value.value(), PrintStyle::Prin1), "3");
    EXPECT_FALSE(in.has_pending());
    EXPECT_EQ(in.feed("; nothing").state, FeedState::Empty);
    // A string spanning lines keeps its line break.
    EXPECT_EQ(in.feed("(setq s \"x").state, FeedState::NeedMore);
    EXPECT_EQ(in.feed("y\")").state, FeedState::Evaluated);
    EXPECT_EQ(eval_text(in, "s"), "\"x\\ny\"");
}

TEST(Reader, ExtraParenThroughFeedIsAnError) {
    FakeHost host;
    Interpreter in(host);
    FeedResult r = in.feed("(+ 1 2))");
    ASSERT_EQ(r.state, FeedState::Evaluated);
    ASSERT_FALSE(r.value.ok());
    EXPECT_EQ(r.value.error().message, "extra right paren on input");
    EXPECT_EQ(host.output, "; error: extra right paren on input\n");
    EXPECT_FALSE(in.has_pending());
}

}  // namespace cadhost::lisp::test
