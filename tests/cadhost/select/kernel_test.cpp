// The exact geometry tests of selection.
#include <gtest/gtest.h>

#include <cmath>

#include "select/kernel.h"

using namespace cadhost;
using namespace cadhost::select;

TEST(Kernel, PointOnSegmentIsExact) {
    Segment s{{0, 0, 0}, {3, 3, 0}};
    EXPECT_TRUE(point_on_segment({1, 1, 0}, s));
    EXPECT_TRUE(point_on_segment({0, 0, 0}, s));
    EXPECT_TRUE(point_on_segment({3, 3, 0}, s));
    EXPECT_FALSE(point_on_segment({4, 4, 0}, s));                      // on the line, past the end
    EXPECT_FALSE(point_on_segment({1, std::nextafter(1.0, 2.0), 0}, s));  // no tolerance
    Segment v{{2, -1, 0}, {2, 5, 0}};
    EXPECT_TRUE(point_on_segment({2, 0, 0}, v));
    EXPECT_FALSE(point_on_segment({2.0000001, 0, 0}, v));
    Segment dot{{1, 1, 0}, {1, 1, 0}};
    EXPECT_TRUE(point_on_segment({1, 1, 0}, dot));
    EXPECT_FALSE(point_on_segment({1, 2, 0}, dot));
}

TEST(Kernel, SegmentsMeetIncludingTouchingAndCollinear) {
    EXPECT_TRUE(segments_meet({{0, 0, 0}, {2, 2, 0}}, {{0, 2, 0}, {2, 0, 0}}));
    EXPECT_FALSE(segments_meet({{0, 0, 0}, {1, 1, 0}}, {{0, 2, 0}, {0.9, 1.1, 0}}));
    EXPECT_TRUE(segments_meet({{0, 0, 0}, {2, 0, 0}}, {{1, 0, 0}, {1, 5, 0}}));  // T touch
    EXPECT_TRUE(segments_meet({{0, 0, 0}, {2, 0, 0}}, {{1, 0, 0}, {3, 0, 0}}));  // overlap
    EXPECT_FALSE(segments_meet({{0, 0, 0}, {1, 0, 0}}, {{2, 0, 0}, {3, 0, 0}})); // collinear apart
}

TEST(Kernel, SegmentAgainstBox) {
    Box b{0, 0, 10, 10};
    EXPECT_TRUE(segment_meets_box({{1, 1, 0}, {2, 2, 0}}, b));          // inside
    EXPECT_TRUE(segment_meets_box({{-5, 5, 0}, {15, 5, 0}}, b));        // through, no end inside
    EXPECT_TRUE(segment_meets_box({{-5, 10, 0}, {15, 10, 0}}, b));      // along an edge
    EXPECT_TRUE(segment_meets_box({{-1, 11, 0}, {1, 9, 0}}, b));        // across a corner
    EXPECT_FALSE(segment_meets_box({{-1, 12, 0}, {12, 12, 0}}, b));
    EXPECT_FALSE(segment_meets_box({{11, 0, 0}, {20, -9, 0}}, b));
    Box p{1, 1, 1, 1};
    EXPECT_TRUE(segment_meets_box({{0, 0, 0}, {2, 2, 0}}, p));
    EXPECT_FALSE(segment_meets_box({{0, 0, 0}, {2, 2.0000001, 0}}, p));
}

TEST(Kernel, ArcExtentFollowsTheSweep) {
    Arc quarter{{0, 0, 0}, 2, 0, M_PI / 2};
    Box e = arc_extent(quarter);
    EXPECT_NEAR(e.x0, 0, 1e-12);
    EXPECT_NEAR(e.y0, 0, 1e-12);
    EXPECT_EQ(e.x1, 2);
    EXPECT_EQ(e.y1, 2);
    Arc top{{0, 0, 0}, 1, M_PI / 4, 3 * M_PI / 4};  // passes the top only
    e = arc_extent(top);
    EXPECT_EQ(e.y1, 1);
    EXPECT_NEAR(e.y0, std::sqrt(0.5), 1e-12);
    EXPECT_NEAR(e.x1, std::sqrt(0.5), 1e-12);
    Arc wrap{{0, 0, 0}, 1, 3 * M_PI / 2, 5 * M_PI / 2};  // through angle 0 across the turn
    e = arc_extent(wrap);
    EXPECT_EQ(e.x1, 1);
    EXPECT_NEAR(e.x0, 0, 1e-12);
    Arc full{{5, 5, 0}, 1, 0, 2 * M_PI};
    e = arc_extent(full);
    EXPECT_EQ(e.x0, 4);
    EXPECT_EQ(e.y1, 6);
}

TEST(Kernel, ArcAgainstBox) {
    Arc circle{{0, 0, 0}, 5, 0, 2 * M_PI};
    EXPECT_FALSE(arc_meets_box(circle, {-1, -1, 1, 1}));   // box inside the circle, clear of it
    EXPECT_TRUE(arc_meets_box(circle, {4, -1, 6, 1}));     // across the rim
    EXPECT_TRUE(arc_meets_box(circle, {-10, -10, 10, 10}));
    EXPECT_FALSE(arc_meets_box(circle, {6, 6, 8, 8}));
    // The upper half does not reach a box below the centre.
    Arc upper{{0, 0, 0}, 5, 0, M_PI};
    EXPECT_FALSE(arc_meets_box(upper, {-1, -6, 1, -4}));
    EXPECT_TRUE(arc_meets_box(upper, {-1, 4, 1, 6}));
    // Zero-size box: exactly on the rim or not.
    EXPECT_TRUE(arc_meets_box(circle, {3, 4, 3, 4}));
    EXPECT_FALSE(arc_meets_box(circle, {3, 4.0000001, 3, 4.0000001}));
    EXPECT_FALSE(arc_meets_box(upper, {3, -4, 3, -4}));
    EXPECT_TRUE(point_on_arc({0, -5, 0}, circle));
    EXPECT_FALSE(point_on_arc({0, -5, 0}, upper));
}
