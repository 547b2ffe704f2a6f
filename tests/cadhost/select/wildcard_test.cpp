// The host's wildcard pattern language.
#include <gtest/gtest.h>

#include "select/wildcard.h"

using cadhost::select::CaseMode;
using cadhost::select::wcmatch;

namespace {
bool cs(const char* t, const char* p) { return wcmatch(t, p, CaseMode::Sensitive); }
bool ci(const char* t, const char* p) { return wcmatch(t, p, CaseMode::Insensitive); }
}  // namespace

TEST(Wildcard, CharacterClasses) {
    EXPECT_TRUE(cs("A1", "@#"));
    EXPECT_FALSE(cs("AA", "@#"));
    EXPECT_FALSE(cs("11", "@#"));
    EXPECT_TRUE(cs("A-1", "@.#"));
    EXPECT_TRUE(cs("A 1", "@.#"));
    EXPECT_FALSE(cs("AB1", "@.#"));  // "." is not any character
    EXPECT_TRUE(cs("x", "?"));
    EXPECT_FALSE(cs("", "?"));
    EXPECT_FALSE(cs("xy", "?"));
}

TEST(Wildcard, StarsBacktrack) {
    EXPECT_TRUE(cs("", "*"));
    EXPECT_TRUE(cs("WALL-1", "WALL*"));
    EXPECT_TRUE(cs("WALL", "WALL*"));
    EXPECT_TRUE(cs("abcbcd", "*bcd"));
    EXPECT_TRUE(cs("aXbXc", "a*b*c"));
    EXPECT_FALSE(cs("aXbXd", "a*b*c"));
    EXPECT_TRUE(cs("L12x", "*##?"));
    EXPECT_FALSE(cs("L1x", "*##?"));
    EXPECT_FALSE(cs("abc", ""));
    EXPECT_TRUE(cs("", ""));
}

TEST(Wildcard, SetsRangesAndNegatedSets) {
    EXPECT_TRUE(cs("b", "[abc]"));
    EXPECT_FALSE(cs("d", "[abc]"));
    EXPECT_TRUE(cs("m", "[a-z]"));
    EXPECT_FALSE(cs("M", "[a-z]"));
    EXPECT_TRUE(ci("M", "[a-z]"));
    EXPECT_TRUE(cs("7", "[~a-z]"));
    EXPECT_FALSE(cs("q", "[~a-z]"));
    EXPECT_TRUE(cs("]", "[]a]"));    // a leading "]" is a member
    EXPECT_TRUE(cs("-", "[a-]"));    // a trailing "-" is a member
    EXPECT_TRUE(cs("L3", "L[1-5]"));
    EXPECT_FALSE(cs("L33", "L[1-5]"));
    EXPECT_TRUE(cs("[x", "[x"));     // no closing bracket: a plain "["
}

TEST(Wildcard, NegationAlternativesAndEscapes) {
    EXPECT_FALSE(cs("ABC", "~A*"));
    EXPECT_TRUE(cs("XBC", "~A*"));
    EXPECT_TRUE(cs("DOOR", "WALL*,DOOR*"));
    EXPECT_FALSE(cs("WIN", "WALL*,DOOR*"));
    EXPECT_TRUE(cs("a*b", "a`*b"));
    EXPECT_FALSE(cs("axb", "a`*b"));
    EXPECT_TRUE(cs("1,2", "1`,2"));
    EXPECT_FALSE(cs("1", "1`,2"));
    EXPECT_TRUE(cs("#", "`#"));
    EXPECT_FALSE(cs("5", "`#"));
    EXPECT_TRUE(cs("~x", "`~x"));
    EXPECT_TRUE(cs(",", "[,]"));     // commas inside a set do not separate
    EXPECT_TRUE(cs("", ","));        // an empty alternative matches the empty text
}

TEST(Wildcard, CaseModes) {
    EXPECT_FALSE(cs("wall", "WALL"));
    EXPECT_TRUE(ci("wall", "WALL"));
    EXPECT_TRUE(ci("Wall-2", "w*-#"));
    EXPECT_FALSE(cs("a", "`A"));
    EXPECT_TRUE(ci("a", "`A"));
}

TEST(Wildcard, Utf8CharactersCountAsOne) {
    EXPECT_TRUE(cs("\xC3\xA4", "?"));            // ä
    EXPECT_TRUE(cs("\xE2\x82\xAC" "5", "?#"));   // €5
    EXPECT_TRUE(cs("\xC3\xA4", "@"));            // a letter
    EXPECT_FALSE(cs("\xE2\x82\xAC", "@"));       // a sign
    EXPECT_TRUE(cs("\xE2\x82\xAC", "."));
    EXPECT_TRUE(cs("x\xC3\xA4y", "x[\xC3\xA4\xC3\xB6]y"));
    EXPECT_TRUE(cs("\xFF\xFE", "??"));           // stray bytes are characters too
}
