// The host's input sources: a Lisp expression read whole across answers.
#include <gtest/gtest.h>

#include "host/input.h"

using cadhost::host::Input;
using cadhost::host::ReadMode;

namespace {

std::string expression_of(const std::string& script, ReadMode mode) {
    Input in;
    in.start_script(script, "t.scr");
    return in.read_balanced(in.read(mode).text).value_or("(cancelled)");
}

TEST(InputExpressions, TheBlankThatEndedTheFirstAnswerIsKept) {
    EXPECT_EQ(expression_of("(setq a\n1)\nNEXT\n", ReadMode::Line), "(setq a 1)");
    EXPECT_EQ(expression_of("(setq a 1)\nNEXT\n", ReadMode::Token), "(setq a 1)");
    EXPECT_EQ(expression_of("(setq a 1", ReadMode::Token), "(setq a 1");
}

TEST(InputExpressions, AnExpressionCutShortByTheEndOfTheTextGainsNothing) {
    EXPECT_EQ(expression_of("(setq", ReadMode::Token), "(setq");
    EXPECT_EQ(expression_of("(setq a ", ReadMode::Line), "(setq a ");
    EXPECT_EQ(expression_of("(setq\r", ReadMode::Line), "(setq");
}

}  // namespace
