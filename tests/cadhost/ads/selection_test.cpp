// Selection sets with filters and windows, through the C interface.
#include <array>
#include <vector>

#include "session_fixture.h"

using namespace cadhost;
using namespace cadhost::test;

namespace {
// Number of entities ssget finds, or -1 when it fails.
long count(const char* mode, const double* p1, const double* p2, struct resbuf* filter) {
    ads_name ss;
    int r = ads_ssget(mode, p1, p2, filter, ss);
    ads_relrb(filter);
    if (r != RTNORM) return -1;
    long n = 0;
    ads_sslength(ss, &n);
    ads_ssfree(ss);
    return n;
}
}  // namespace

class Selection : public HostTest {
protected:
    void SetUp() override {
        HostTest::SetUp();
        open_demo();
    }
};

TEST_F(Selection, AllReturnsModelSpaceMainEntitiesInDrawingOrder) {
    ads_name ss;
    ASSERT_EQ(ads_ssget("X", nullptr, nullptr, nullptr, ss), RTNORM);
    long n = 0;
    ASSERT_EQ(ads_sslength(ss, &n), RTNORM);
    EXPECT_EQ(n, 8);  // four lines, two inserts, a text, a polyline: no attributes, vertices or seqends
    std::vector<std::string> types;
    for (long i = 0; i < n; ++i) {
        ads_name e;
        ASSERT_EQ(ads_ssname(ss, i, e), RTNORM);
        types.push_back(type_of(e));
    }
    EXPECT_EQ(types, (std::vector<std::string>{"LINE", "LINE", "LINE", "LINE", "INSERT", "INSERT", "TEXT", "POLYLINE"}));
    ads_name e;
    EXPECT_EQ(ads_ssname(ss, n, e), RTERROR);
    EXPECT_EQ(ads_ssfree(ss), RTNORM);
    EXPECT_EQ(ads_sslength(ss, &n), RTERROR) << "a freed set is gone";
}

TEST_F(Selection, FiltersTestGroupsWithWildcardsIgnoringCase) {
    EXPECT_EQ(count("X", nullptr, nullptr, ads_buildlist(RTDXF0, "LINE", 8, "wires", 0)), 4);
    EXPECT_EQ(count("X", nullptr, nullptr, ads_buildlist(8, "W*,T?XT", 0)), 5);
    EXPECT_EQ(count("X", nullptr, nullptr, ads_buildlist(RTDXF0, "INSERT", 2, "TERM*", 0)), 2);
    EXPECT_EQ(count("X", nullptr, nullptr, ads_buildlist(RTDXF0, "CIRCLE", 0)), -1) << "empty selection fails";
}

TEST_F(Selection, LogicalGroupingsCombineTests) {
    EXPECT_EQ(count("X", nullptr, nullptr,
                    ads_buildlist(-4, "<OR", RTDXF0, "TEXT", RTDXF0, "POLYLINE", -4, "OR>", 0)), 2);
    EXPECT_EQ(count("X", nullptr, nullptr, ads_buildlist(-4, "<NOT", RTDXF0, "LINE", -4, "NOT>", 0)), 4);
    EXPECT_EQ(count("X", nullptr, nullptr,
                    ads_buildlist(-4, "<AND", 8, "0", -4, "<NOT", RTDXF0, "INSERT", -4, "NOT>", -4, "AND>", 0)), 1);
    EXPECT_EQ(count("X", nullptr, nullptr, ads_buildlist(-4, ">", 40, 4.0, 0)), 1);
    EXPECT_EQ(count("X", nullptr, nullptr, ads_buildlist(-4, "<OR", RTDXF0, "TEXT", 0)), -1) << "unbalanced";
}

TEST_F(Selection, ZeroSizeCrossingAtAPointSelectsWhatPassesThroughIt) {
    ads_point p = {60, 100, 0};
    EXPECT_EQ(count("C", p, p, nullptr), 2);  // the top rail and the drop at x=60
    ads_point q = {90, 100, 0};
    EXPECT_EQ(count("C", q, q, nullptr), 1);
    ads_point off = {90, 100.000001, 0};
    EXPECT_EQ(count("C", off, off, nullptr), -1) << "exact comparison, no tolerance";
}

TEST_F(Selection, WindowNeedsWholeEntitiesCrossingTakesTouchedOnes) {
    ads_point a = {50, 10, 0}, b = {70, 110, 0};
    EXPECT_EQ(count("W", a, b, ads_buildlist(RTDXF0, "LINE", 0)), 1);   // the drop at x=60
    EXPECT_EQ(count("C", a, b, ads_buildlist(RTDXF0, "LINE", 0)), 3);   // and both rails
}

// Taking entities out from the front, from the middle and from the end
// leaves the rest in their order.
TEST_F(Selection, DeletingKeepsTheOrderOfTheRest) {
    ads_name ss;
    ASSERT_EQ(ads_ssget("X", nullptr, nullptr, nullptr, ss), RTNORM);
    long n = 0;
    ASSERT_EQ(ads_sslength(ss, &n), RTNORM);
    ASSERT_GE(n, 5);
    std::vector<std::array<long, 2>> all;
    for (long i = 0; i < n; ++i) {
        ads_name e;
        ASSERT_EQ(ads_ssname(ss, i, e), RTNORM);
        all.push_back({e[0], e[1]});
    }
    auto drop = [&](size_t at) {
        ads_name e = {all[at][0], all[at][1]};
        ASSERT_EQ(ads_ssdel(e, ss), RTNORM);
        all.erase(all.begin() + static_cast<long>(at));
    };
    drop(0);
    drop(all.size() / 2);
    drop(all.size() - 1);
    drop(0);
    ASSERT_EQ(ads_sslength(ss, &n), RTNORM);
    ASSERT_EQ(n, static_cast<long>(all.size()));
    for (long i = 0; i < n; ++i) {
        ads_name e;
        ASSERT_EQ(ads_ssname(ss, i, e), RTNORM);
        EXPECT_EQ(e[0], all[static_cast<size_t>(i)][0]) << i;
    }
    ads_name gone = {all.empty() ? 0 : all[0][0], all.empty() ? 0 : all[0][1]};
    ASSERT_EQ(ads_ssdel(gone, ss), RTNORM);
    EXPECT_EQ(ads_ssmemb(gone, ss), RTERROR);
    ads_ssfree(ss);
}

TEST_F(Selection, SetsCanBeBuiltAndEdited) {
    ads_name ss, e, first;
    ASSERT_EQ(ads_entnext(nullptr, first), RTNORM);
    ASSERT_EQ(ads_ssadd(nullptr, nullptr, ss), RTNORM);
    long n = -1;
    ASSERT_EQ(ads_sslength(ss, &n), RTNORM);
    EXPECT_EQ(n, 0);
    ASSERT_EQ(ads_ssadd(first, ss, ss), RTNORM);
    ASSERT_EQ(ads_ssadd(first, ss, ss), RTNORM);  // no duplicates
    ads_sslength(ss, &n);
    EXPECT_EQ(n, 1);
    EXPECT_EQ(ads_ssmemb(first, ss), RTNORM);
    ASSERT_EQ(ads_ssname(ss, 0, e), RTNORM);
    EXPECT_TRUE(ads_name_equal(e, first));
    ASSERT_EQ(ads_ssdel(first, ss), RTNORM);
    EXPECT_EQ(ads_ssmemb(first, ss), RTERROR);
    EXPECT_EQ(ads_ssdel(first, ss), RTERROR);
    EXPECT_EQ(ads_sslength(first, &n), RTERROR) << "an entity name is not a selection set";
    ads_ssfree(ss);
}
