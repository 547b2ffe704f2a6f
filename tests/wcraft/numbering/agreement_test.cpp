// Numbering of random projects gives exactly what the step-by-step rules
// give: every segment field, node points, phantom and wire links, the log.

#include <gtest/gtest.h>

#include "literal_numbering.h"
#include "numbering/wire_numbering.h"
#include "numbering_support.h"

namespace wcraft::test {
namespace {

Outcome numbered(uint32_t seed, const ProjectShape& shape, bool literal) {
    generate_project(seed, shape);
    MemoryLog log;
    if (literal)
        literal_number_wires(log.file());
    else
        number_wires(log.file());
    return take_outcome(log.text());
}

// How much of the interesting ground the projects covered.
struct Coverage {
    size_t nodes = 0, phantoms = 0, merged = 0, conflicts = 0, unattached = 0, labels = 0, cleared = 0;
    void add(const Outcome& o) {
        for (int t = 0; t < kMaxWires; ++t) {
            nodes += o.nodes[t].size();
            for (const WireSegment& s : o.wires[t]) {
                labels += s.label;
                cleared += s.user_link != 0 && s.link_pending == 0;
            }
        }
        phantoms += o.phantoms.size();
        for (size_t i = 1; i < o.phantoms.size(); ++i) merged += o.phantoms[i].link > o.phantoms[i - 1].link;
        for (size_t p = 0; (p = o.log.find("wire link conflict", p)) != std::string::npos; ++p) ++conflicts;
        for (size_t p = 0; (p = o.log.find("Unattached", p)) != std::string::npos; ++p) ++unattached;
    }
};

Coverage compare_seeds(uint32_t first, int count, const ProjectShape& shape) {
    Coverage cover;
    for (uint32_t seed = first; seed < first + static_cast<uint32_t>(count); ++seed) {
        Outcome expected = numbered(seed, shape, true);
        Outcome actual = numbered(seed, shape, false);
        std::string diff = first_difference(expected, actual);
        if (!diff.empty()) {
            ADD_FAILURE() << "seed " << seed << ": " << diff;
            break;
        }
        cover.add(actual);
    }
    return cover;
}

TEST(NumberingAgreement, SmallProjectsOnACoarseGrid) {
    ProjectShape shape;
    shape.sheets = 3;
    shape.per_sheet = 10;
    shape.grid = 5;
    Coverage c = compare_seeds(1, 400, shape);
    EXPECT_GT(c.nodes, 50u);
    EXPECT_GT(c.phantoms, 100u);
    EXPECT_GT(c.merged, 5u);
    EXPECT_GT(c.conflicts, 5u);
    EXPECT_GT(c.unattached, 5u);
    EXPECT_GT(c.labels, 50u);
}

TEST(NumberingAgreement, SmallProjectsOnAFineGrid) {
    ProjectShape shape;
    shape.sheets = 4;
    shape.per_sheet = 14;
    shape.grid = 14;
    compare_seeds(1001, 300, shape);
}

TEST(NumberingAgreement, MediumProjects) {
    ProjectShape shape;
    shape.sheets = 10;
    shape.per_sheet = 60;
    shape.grid = 16;
    shape.types = 4;
    Coverage c = compare_seeds(5001, 30, shape);
    EXPECT_GT(c.nodes, 100u);
    EXPECT_GT(c.cleared, 10u);
}

TEST(NumberingAgreement, SegmentsThatComeInWithWorkingFieldsSet) {
    ProjectShape shape;
    shape.sheets = 3;
    shape.per_sheet = 10;
    shape.grid = 5;
    shape.dirty = true;
    compare_seeds(9001, 300, shape);
}

}  // namespace
}  // namespace wcraft::test
