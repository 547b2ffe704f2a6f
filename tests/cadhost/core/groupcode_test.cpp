// Group code typing: the ranges the reader and the application interface rely on.
#include <gtest/gtest.h>

#include "core/groupcode.h"
#include "core/value.h"

using namespace cadhost;

TEST(GroupCode, PointsAndTheirCoordinatesPair) {
    for (int p : {10, 11, 17, 110, 112, 210, 1010, 1013}) {
        EXPECT_EQ(group_type(p), GroupType::Point) << p;
        int y = p == 210 ? 220 : p + 10;
        int z = p == 210 ? 230 : p + 20;
        EXPECT_EQ(coord_of(y).point_code, p) << y;
        EXPECT_EQ(coord_of(y).axis, 1);
        EXPECT_EQ(coord_of(z).point_code, p) << z;
        EXPECT_EQ(coord_of(z).axis, 2);
    }
    EXPECT_EQ(coord_of(10).axis, 0);
    EXPECT_EQ(group_type(38), GroupType::Real);  // elevation is not a Z coordinate
    EXPECT_EQ(group_type(39), GroupType::Real);
}

TEST(GroupCode, ValueTypesOfCommonRanges) {
    EXPECT_EQ(group_type(0), GroupType::String);
    EXPECT_EQ(group_type(5), GroupType::String);
    EXPECT_EQ(group_type(50), GroupType::Angle);
    EXPECT_EQ(group_type(58), GroupType::Angle);
    EXPECT_EQ(group_type(62), GroupType::Int16);
    EXPECT_EQ(group_type(66), GroupType::Int16);
    EXPECT_EQ(group_type(90), GroupType::Int32);
    EXPECT_EQ(group_type(160), GroupType::Int64);
    EXPECT_EQ(group_type(290), GroupType::Bool);
    EXPECT_EQ(group_type(310), GroupType::Hex);
    EXPECT_EQ(group_type(330), GroupType::Pointer);
    EXPECT_EQ(group_type(360), GroupType::Pointer);
    EXPECT_EQ(group_type(390), GroupType::Pointer);
    EXPECT_EQ(group_type(1004), GroupType::Hex);
    EXPECT_EQ(group_type(1005), GroupType::String);
    EXPECT_EQ(group_type(1071), GroupType::Int32);
    EXPECT_EQ(group_type(999), GroupType::Comment);
    EXPECT_EQ(group_type(-1), GroupType::Unknown);
}

TEST(GroupList, ReadersFallBackOnMissingOrMistypedGroups) {
    GroupList l{make_group(0, std::string("LINE")), make_short(62, 3), make_group(40, 2.5)};
    EXPECT_EQ(group_string(l, 0), "LINE");
    EXPECT_EQ(group_string(l, 62, "x"), "x");
    EXPECT_EQ(group_int(l, 62), 3);
    EXPECT_EQ(group_int(l, 8, -1), -1);
    EXPECT_EQ(group_real(l, 40), 2.5);
    EXPECT_EQ(group_real(l, 62, 9.0), 9.0);
}
