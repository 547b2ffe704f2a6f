// Name validators, keyword prefix matching and the error message table.
#include <gtest/gtest.h>

#include <string>

#include "host/error_table.h"
#include "host/keyword_table.h"
#include "host/validators.h"

using namespace wcraft;

namespace {

int checked_file(std::string& s) { return is_valid_file(s.data()); }
int checked_dir(std::string& s) { return is_valid_dir(s.data()); }

}  // namespace

TEST(Validators, TextAndIdentifier) {
    EXPECT_EQ(is_valid_text("PUSH BUTTON"), 1);
    EXPECT_EQ(is_valid_ident("PUSH BUTTON"), 0);
    EXPECT_EQ(is_valid_text("PH-1"), 0);
    EXPECT_EQ(is_valid_ident("PH-1"), 0);
    EXPECT_EQ(is_valid_ident("WCR_WIRE_0"), 1);
    EXPECT_EQ(is_valid_text(""), 0);
    EXPECT_EQ(is_valid_ident(""), 0);
}

TEST(Validators, Numbers) {
    EXPECT_EQ(is_valid_real("2.5"), 1);
    EXPECT_EQ(is_valid_real("2.5.1"), 0);
    EXPECT_EQ(is_valid_real("-1"), 0);
    EXPECT_EQ(is_valid_real(""), 0);
    EXPECT_EQ(is_valid_real("1e3"), 0);
    EXPECT_EQ(is_valid_int("120"), 1);
    EXPECT_EQ(is_valid_int("+1"), 0);
    EXPECT_EQ(is_valid_int("1.0"), 0);
}

TEST(Validators, FileNamesAreUpperCasedEvenWhenRefused) {
    std::string s = "elect01";
    EXPECT_EQ(checked_file(s), 1);
    EXPECT_EQ(s, "ELECT01");
    s = "elect.dwg";
    EXPECT_EQ(checked_file(s), 0);
    EXPECT_EQ(s, "ELECT.DWG");
    s = "";
    EXPECT_EQ(checked_file(s), 0);
}

TEST(Validators, Directories) {
    std::string s = "c:\\acad\\drawings";
    EXPECT_EQ(checked_dir(s), 1);
    EXPECT_EQ(s, "C:\\ACAD\\DRAWINGS");
    s = "c:\\my drawings";
    EXPECT_EQ(checked_dir(s), 0);
    s = "";
    EXPECT_EQ(checked_dir(s), 1);
    s = "c:/acad";
    EXPECT_EQ(checked_dir(s), 0);
}

TEST(KeywordMatching, EarliestEntryTheInputAbbreviatesWins) {
    auto h = [](ArgCursor&) { return 1; };
    const KeywordEntry entries[] = {{"?", h}, {"PROCESS", h}, {"PROJECT", h}, {"EXIT", h}};
    KeywordTable t{entries, 4};
    auto kw = [&](const char* in) {
        const KeywordEntry* e = match_keyword(t, in);
        return e ? std::string(e->keyword) : std::string("<none>");
    };
    EXPECT_EQ(kw("P"), "PROCESS");
    EXPECT_EQ(kw("PRO"), "PROCESS");
    EXPECT_EQ(kw("PROJ"), "PROJECT");
    EXPECT_EQ(kw("PROJECT"), "PROJECT");
    EXPECT_EQ(kw("PROJECTS"), "<none>");
    EXPECT_EQ(kw("E"), "EXIT");
    EXPECT_EQ(kw("X"), "<none>");
    EXPECT_EQ(kw(""), "?");
}

TEST(ErrorTable, SinglesBlocksAndUndefinedCodes) {
    EXPECT_STREQ(error_message(1052), "Unexpected end of file, config file corrupt");
    EXPECT_STREQ(error_message(1003), "Unexpected result from ARX function");
    EXPECT_STREQ(error_message(1004), "Undefined error code ");
    EXPECT_STREQ(error_message(2000), "Project drawing file names incorrect");
    EXPECT_STREQ(error_message(2009), "Project drawing file names incorrect");
    EXPECT_STREQ(error_message(2045), "Undefined error code ");
    EXPECT_STREQ(error_message(2040), "Undefined error code ");
    EXPECT_STREQ(error_message(2052), "Buildlist failure");
    EXPECT_STREQ(error_message(3069), "Unexpected result from ads_entget");
    EXPECT_STREQ(error_message(3070), "Undefined error code ");
    EXPECT_STREQ(error_message(0), "Undefined error code ");
}

TEST(ErrorTable, ReportLineCarriesTheCodeAndMessageWithoutNewlineAtTheEnd) {
    EXPECT_EQ(error_report_text(2045), "\nError : WCRAFT(2045), Undefined error code ");
    EXPECT_EQ(error_report_text(1050), "\nError : WCRAFT(1050), File open error (w), WCRAFT config file");
}
