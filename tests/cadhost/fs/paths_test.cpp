// Path splitting and joining, and file-name wildcards.
#include <gtest/gtest.h>

#include "fs/pathsplit.h"

using namespace cadhost::fs;

TEST(SplitPath, FieldsAsTheWindowsRuntimeGivesThem) {
    auto s = split_path("C:\\SYMVAULT\\LIBRARY\\NONAME.LOG");
    EXPECT_EQ(s.drive, "C:");
    EXPECT_EQ(s.dir, "\\SYMVAULT\\LIBRARY\\");
    EXPECT_EQ(s.fname, "NONAME");
    EXPECT_EQ(s.ext, ".LOG");

    s = split_path("c:/x/y.tar.gz");
    EXPECT_EQ(s.dir, "/x/");
    EXPECT_EQ(s.fname, "y.tar");
    EXPECT_EQ(s.ext, ".gz");

    s = split_path("PROJECT\\A.PRJ");
    EXPECT_EQ(s.drive, "");
    EXPECT_EQ(s.dir, "PROJECT\\");

    // A dot in a folder name is not an extension.
    s = split_path("D:\\A.B\\README");
    EXPECT_EQ(s.dir, "\\A.B\\");
    EXPECT_EQ(s.fname, "README");
    EXPECT_EQ(s.ext, "");

    s = split_path("C:");
    EXPECT_EQ(s.drive, "C:");
    EXPECT_EQ(s.dir + s.fname + s.ext, "");

    s = split_path(".cfg");
    EXPECT_EQ(s.fname, "");
    EXPECT_EQ(s.ext, ".cfg");
}

TEST(MakePath, AddsSeparatorsAndDotsOnlyWhenMissing) {
    EXPECT_EQ(make_path("C", "\\DIR", "FILE", "DXF"), "C:\\DIR\\FILE.DXF");
    EXPECT_EQ(make_path("c:", "\\DIR\\", "FILE", ".DXF"), "c:\\DIR\\FILE.DXF");
    EXPECT_EQ(make_path("", "a/", "b", ""), "a/b");
    EXPECT_EQ(make_path("", "", "b", "x"), "b.x");
    auto s = split_path("E:\\P\\Q\\R.S");
    EXPECT_EQ(make_path(s.drive, s.dir, s.fname, s.ext), "E:\\P\\Q\\R.S");
}

TEST(NameMatches, WildcardsWithoutRegardToCase) {
    EXPECT_TRUE(name_matches("drawing.dxf", "*.DXF"));
    EXPECT_TRUE(name_matches("A1.DXF", "A?.dxf"));
    EXPECT_FALSE(name_matches("A12.DXF", "A?.DXF"));
    EXPECT_FALSE(name_matches("x.dxf.bak", "*.dxf"));
    EXPECT_TRUE(name_matches("abcabd", "*ab?"));
    EXPECT_TRUE(name_matches("", "*"));
    EXPECT_FALSE(name_matches("a", ""));
    // "*.*" takes names without a dot too; "*." only those.
    EXPECT_TRUE(name_matches("README", "*.*"));
    EXPECT_TRUE(name_matches("a.b", "*.*"));
    EXPECT_TRUE(name_matches("README", "*."));
    EXPECT_FALSE(name_matches("a.b", "*."));
    EXPECT_TRUE(name_matches("LOG", "LOG.*"));
    EXPECT_FALSE(name_matches("LOGX", "LOG.*"));
}

TEST(PathComponents, BothSeparatorsAndEmptyPartsDropped) {
    EXPECT_EQ(path_components("\\a//b\\c/"), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_TRUE(path_components("").empty());
    EXPECT_TRUE(has_drive("z:x"));
    EXPECT_FALSE(has_drive("1:x"));
}
