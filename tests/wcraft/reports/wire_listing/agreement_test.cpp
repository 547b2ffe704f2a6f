// The listing of random projects is exactly what the step-by-step rules
// give: the whole report file, the log, and every ID point's three flags.

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>

#include "listing_support.h"
#include "../../../tools/scratch.h"

namespace wcraft::test {
namespace {

// How much of the interesting ground the projects covered.
struct Coverage {
    size_t projects = 0, internal_rows = 0, interzone_rows = 0, external_rows = 0, unconnected = 0;
    size_t no_schedule = 0, repeated_entries = 0;
    GenerationNotes notes;
    void add(const Outcome& o, const GenerationNotes& n) {
        ++projects;
        Sections s = sections_of(o.report);
        internal_rows += s.internal_rows;
        interzone_rows += s.interzone_rows;
        external_rows += s.external_rows;
        unconnected += s.unconnected;
        no_schedule += o.report.find("Breakdown of zone levels") == std::string::npos;
        std::vector<int> order = literal_zone_order();
        std::sort(order.begin(), order.end());
        repeated_entries += std::adjacent_find(order.begin(), order.end()) != order.end();
        notes.orphan_zones += n.orphan_zones;
        notes.repeated_zones += n.repeated_zones;
        notes.deep_levels += n.deep_levels;
        notes.ulp_misses += n.ulp_misses;
        notes.negative_zeros += n.negative_zeros;
    }
};

class ListingAgreement : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        m_drive = std::filesystem::temp_directory_path() / ("wcraft-wl-" + std::to_string(getpid())) / info->name();
        fresh_module(m_drive);
    }
    void TearDown() override { test_tools::remove_scratch(m_drive); }

    Coverage compare_seeds(uint32_t first, int count, const ListingShape& shape) {
        Coverage cover;
        for (uint32_t seed = first; seed < first + static_cast<uint32_t>(count); ++seed) {
            generate_listing_project(seed, shape);
            Outcome expected = run_listing(true);
            GenerationNotes notes = generate_listing_project(seed, shape);
            Outcome actual = run_listing(false);
            std::string diff = first_difference(expected, actual);
            if (!diff.empty()) {
                ADD_FAILURE() << "seed " << seed << ": " << diff;
                break;
            }
            cover.add(actual, notes);
        }
        return cover;
    }

    std::filesystem::path m_drive;
};

TEST_F(ListingAgreement, SmallProjectsWithCrowdedPoints) {
    ListingShape shape;
    shape.grid = 3;
    Coverage c = compare_seeds(1, 600, shape);
    EXPECT_GT(c.internal_rows, 600u);
    EXPECT_GT(c.interzone_rows, 150u);
    EXPECT_GT(c.external_rows, 2000u);
    EXPECT_GT(c.unconnected, 1000u);
    EXPECT_GT(c.no_schedule, 40u);
    EXPECT_GT(c.notes.orphan_zones, 300u);
    EXPECT_GT(c.repeated_entries, 10u);
    EXPECT_GT(c.notes.deep_levels, 15u);
    EXPECT_GT(c.notes.ulp_misses, 1000u);
    EXPECT_GT(c.notes.negative_zeros, 2000u);
}

TEST_F(ListingAgreement, ProjectsWithManyZonesAndGroups) {
    ListingShape shape;
    shape.sheets = 6;
    shape.records = 8;
    shape.zones = 30;
    shape.types = 4;
    shape.groups = 10;
    shape.grid = 6;
    shape.wires = 14;
    Coverage c = compare_seeds(5001, 120, shape);
    EXPECT_GT(c.internal_rows, 250u);
    EXPECT_GT(c.interzone_rows, 180u);
    EXPECT_GT(c.external_rows, 1500u);
}

TEST_F(ListingAgreement, PointsThatComeInWithFlagsSet) {
    ListingShape shape;
    shape.grid = 3;
    shape.dirty = true;
    Coverage c = compare_seeds(9001, 300, shape);
    EXPECT_GT(c.interzone_rows + c.internal_rows, 300u);
    EXPECT_GT(c.external_rows, 800u);
}

}  // namespace
}  // namespace wcraft::test
