// Selecting from a drawing: "X" by drawing order and filter, window and
// crossing boxes over lines, arcs, polylines, text and block references.
#include <gtest/gtest.h>

#include <cmath>

#include "db/drawing.h"
#include "select/geometry.h"

using namespace cadhost;
using namespace cadhost::select;

namespace {

Group s(int code, const char* v) { return make_group(code, std::string(v)); }

class SelectTest : public ::testing::Test {
protected:
    void SetUp() override { d = db::Drawing::prototype(); }
    EntityRef make(GroupList l) {
        auto r = d->entmake(l);
        EXPECT_TRUE(r.ok()) << (r.ok() ? "" : r.error().what());
        return r.ok() ? *r : EntityRef{};
    }
    EntityRef line(Point a, Point b, const char* layer = "0") {
        return make({s(0, "LINE"), s(8, layer), make_group(10, a), make_group(11, b)});
    }
    EntityRef circle(Point c, double r) { return make({s(0, "CIRCLE"), make_group(10, c), make_group(40, r)}); }
    EntityRef arc(Point c, double r, double a0, double a1) {
        return make({s(0, "ARC"), make_group(10, c), make_group(40, r), make_group(50, a0), make_group(51, a1)});
    }
    std::vector<EntityRef> window(Point a, Point b, WindowMode m, const Filter* f = nullptr) {
        return select_window(*d, a, b, m, f);
    }
    std::unique_ptr<db::Drawing> d;
};

using Refs = std::vector<EntityRef>;

}  // namespace

TEST_F(SelectTest, AllTakesModelSpaceMainEntitiesInOrder) {
    EntityRef a = line({0, 0, 0}, {1, 0, 0}, "WALL");
    EntityRef p = make({s(0, "LINE"), make_short(67, 1), make_group(10, Point{}), make_group(11, Point{1, 1, 0})});
    EntityRef b = circle({5, 5, 0}, 1);
    EntityRef gone = line({0, 0, 0}, {2, 0, 0});
    ASSERT_TRUE(d->entdel(gone).ok());
    ASSERT_TRUE(d->entmake({s(0, "BLOCK"), s(2, "PART"), make_group(10, Point{})}).ok());
    ASSERT_TRUE(d->entmake({s(0, "LINE"), make_group(10, Point{}), make_group(11, Point{1, 1, 0})}).ok());
    ASSERT_TRUE(d->entmake({s(0, "ENDBLK")}).ok());
    EXPECT_EQ(select_all(*d, nullptr), (Refs{a, b}));

    auto walls = Filter::compile({s(8, "wall")});
    ASSERT_TRUE(walls.ok());
    EXPECT_EQ(select_all(*d, &*walls), (Refs{a}));
    // Asking for paper space brings its entities in.
    auto paper = Filter::compile({make_short(67, 1)});
    ASSERT_TRUE(paper.ok());
    EXPECT_EQ(select_all(*d, &*paper), (Refs{p}));
}

// A walk keeps what it read of each entity; a change to the entity, or a
// new one, must show in the next walk.
TEST_F(SelectTest, AllFollowsChangesMadeBetweenWalks) {
    EntityRef a = line({0, 0, 0}, {1, 0, 0}, "WALL");
    EntityRef b = line({0, 1, 0}, {1, 1, 0}, "WALL");
    auto walls = Filter::compile({s(0, "LINE"), s(8, "WALL")});
    auto doors = Filter::compile({s(0, "LINE"), s(8, "DOOR")});
    auto paper = Filter::compile({make_short(67, 1)});
    ASSERT_TRUE(walls.ok() && doors.ok() && paper.ok());
    EXPECT_EQ(select_all(*d, &*walls), (Refs{a, b}));

    auto moved = d->entget(a);
    ASSERT_TRUE(moved);
    for (Group& g : *moved)
        if (g.code == 8) g.value = std::string("DOOR");
    ASSERT_TRUE(d->entmod(*moved).ok());
    auto to_paper = d->entget(b);
    ASSERT_TRUE(to_paper);
    to_paper->push_back(make_short(67, 1));
    ASSERT_TRUE(d->entmod(*to_paper).ok());
    EntityRef c = line({0, 2, 0}, {1, 2, 0}, "WALL");

    EXPECT_EQ(select_all(*d, &*walls), (Refs{c}));
    EXPECT_EQ(select_all(*d, &*doors), (Refs{a}));
    EXPECT_EQ(select_all(*d, &*paper), (Refs{b}));
    ASSERT_TRUE(d->entdel(c).ok());
    EXPECT_EQ(select_all(*d, &*walls), Refs{});
}

// Selections read only the entities whose type, layer and space may pass;
// what they give must still be what reading every entity in drawing order
// gives, whatever the mix of keys, deletions and later changes.
TEST_F(SelectTest, AllAgreesWithAWalkOverEveryEntity) {
    const char* layers[] = {"A", "B", "C"};
    auto reference = [&](const Filter& f) {
        bool paper = f.tests_code(67) || f.tests_code(410);
        Refs out;
        for (EntityRef e = d->first_entity(); e; e = d->next_entity(e)) {
            db::Space sp = d->space_of(e);
            auto g = d->entget(e);
            std::string type = group_string(*g, 0);
            if (type == "ATTRIB" || type == "SEQEND") continue;
            if (sp == db::Space::Block || (sp == db::Space::Paper && !paper)) continue;
            if (f.matches(*g)) out.push_back(e);
        }
        return out;
    };
    ASSERT_TRUE(d->entmake({s(0, "BLOCK"), s(2, "TAGGED"), make_short(70, 2), make_group(10, Point{})}).ok());
    ASSERT_TRUE(d->entmake({s(0, "ATTDEF"), make_group(10, Point{}), make_group(40, 1.0), s(1, ""), s(2, "T"),
                            s(3, "T?"), make_short(70, 0)}).ok());
    ASSERT_TRUE(d->entmake({s(0, "ENDBLK")}).ok());
    std::vector<EntityRef> made;
    auto add = [&](int i) {
        const char* layer = layers[(i * 7) % 3];
        GroupList l;
        switch (i % 4) {
        case 0: l = {s(0, "LINE"), s(8, layer), make_group(10, Point{0, double(i), 0}), make_group(11, Point{1, 1, 0})}; break;
        case 1: l = {s(0, "CIRCLE"), s(8, layer), make_group(10, Point{double(i), 0, 0}), make_group(40, 1.0)}; break;
        case 2:
            // Some texts are held encoded in the file's tags.
            l = {s(0, "TEXT"), s(8, layer), make_group(10, Point{}), make_group(40, 1.0),
                 s(1, i % 16 == 2 ? "t\xc3\xa9" : i % 16 == 6 ? "t\t" : "t")};
            break;
        default:
            l = {s(0, "INSERT"), s(8, layer), make_short(66, 1), s(2, "TAGGED"), make_group(10, Point{double(i), 0, 0})};
            // Some without attributes, and so without group 66.
            if (i % 8 == 7) l = {s(0, "INSERT"), s(8, layer), s(2, "TAGGED"), make_group(10, Point{double(i), 0, 0})};
            break;
        }
        if (i % 11 == 5) l.push_back(make_short(67, 1));
        if (i % 8 == 6) l.push_back(make_group(50, M_PI / 2));
        made.push_back(make(l));
        if (i % 4 == 3 && i % 8 != 7) {
            make({s(0, "ATTRIB"), s(8, layer), make_group(10, Point{}), make_group(40, 1.0), s(1, "v"), s(2, "T")});
            make({s(0, "SEQEND")});
        }
    };
    for (int i = 0; i < 120; ++i) add(i);
    std::vector<Filter> filters;
    for (GroupList f : std::vector<GroupList>{
             {s(0, "LINE")},
             {s(8, "B")},
             {s(0, "LINE,TEXT"), s(8, "A,C")},
             {make_group(-4, std::string("<OR")), s(0, "CIRCLE"), s(8, "B"), make_group(-4, std::string("OR>"))},
             {s(0, "INSERT"), make_short(67, 1)},
             {make_group(-4, std::string("<NOT")), s(8, "A"), make_group(-4, std::string("NOT>"))},
             {make_group(40, 1.0)},
             // Text groups only: decided from the entities' own texts where
             // they are plain, by reading them where they are not or lack one.
             {s(0, "INSERT"), s(2, "tag*")},
             {s(1, "t")},
             {s(1, "t\xc3\xa9")},
             {s(1, "t?")},
             {s(0, "TEXT"), make_group(-4, std::string("<NOT")), s(1, "t"), make_group(-4, std::string("NOT>"))},
             {make_group(-4, std::string("<OR")), s(2, "TAGGED"), s(1, "t*"), make_group(-4, std::string("OR>"))},
             // Numbers and angles, which the tags hold as text; a default
             // where the entity lacks the group.
             {s(0, "INSERT"), make_short(66, 1)},
             {s(0, "INSERT"), make_short(66, 0)},
             {make_group(50, M_PI / 2)},
             {make_group(-4, std::string(">")), make_group(40, 0.5), s(1, "t")}}) {
        auto c = Filter::compile(f);
        ASSERT_TRUE(c.ok());
        filters.push_back(std::move(*c));
    }
    auto check = [&](const char* when) {
        for (size_t i = 0; i < filters.size(); ++i)
            EXPECT_EQ(select_all(*d, &filters[i]), reference(filters[i])) << when << ", filter " << i;
    };
    check("as made");
    // Deleted, some brought back, some moved to another layer, more added.
    for (size_t i = 0; i < made.size(); i += 3) ASSERT_TRUE(d->entdel(made[i]).ok());
    for (size_t i = 0; i < made.size(); i += 9) ASSERT_TRUE(d->entdel(made[i]).ok());
    check("after deleting");
    for (size_t i = 1; i < made.size(); i += 10) {
        if (d->is_deleted(made[i])) continue;
        auto g = d->entget(made[i]);
        ASSERT_TRUE(g);
        for (Group& x : *g)
            if (x.code == 8) x.value = std::string("C");
        ASSERT_TRUE(d->entmod(*g).ok());
    }
    for (int i = 120; i < 150; ++i) add(i);
    check("after changes and additions");
}

TEST_F(SelectTest, WindowNeedsWholeEntitiesCrossingAnyPart) {
    EntityRef in = line({1, 1, 0}, {2, 2, 0});
    EntityRef half = line({5, 5, 0}, {15, 5, 0});
    EntityRef through = line({-5, 3, 0}, {15, 3, 0});
    EntityRef out = line({20, 20, 0}, {30, 30, 0});
    (void)out;
    EXPECT_EQ(window({0, 0, 0}, {10, 10, 0}, WindowMode::Window), (Refs{in}));
    EXPECT_EQ(window({10, 10, 0}, {0, 0, 0}, WindowMode::Crossing), (Refs{in, half, through}));
    // Edges count as inside.
    EXPECT_EQ(window({1, 1, 0}, {2, 2, 0}, WindowMode::Window), (Refs{in}));
}

TEST_F(SelectTest, CirclesAndArcsByTheirTrueExtent) {
    EntityRef c = circle({0, 0, 0}, 5);
    EntityRef top = arc({20, 0, 0}, 5, 0, M_PI);  // the upper half only
    // A box holding every point of a 64-chord polygon but cutting the rim.
    EXPECT_TRUE(window({-4.999, -4.999, 0}, {5, 5, 0}, WindowMode::Window).empty());
    EXPECT_EQ(window({-5, -5, 0}, {5, 5, 0}, WindowMode::Window), (Refs{c}));
    // The upper half fits a box that leaves out the lower half of its circle.
    EXPECT_EQ(window({14, 0, 0}, {26, 6, 0}, WindowMode::Window), (Refs{top}));
    EXPECT_TRUE(window({18, -6, 0}, {22, -4, 0}, WindowMode::Crossing).empty());
    // A box inside the circle does not touch it.
    EXPECT_TRUE(window({-1, -1, 0}, {1, 1, 0}, WindowMode::Crossing).empty());
    EXPECT_EQ(window({4, -1, 0}, {6, 1, 0}, WindowMode::Crossing), (Refs{c}));
}

TEST_F(SelectTest, ZeroSizeCrossingSelectsExactlyThroughThePoint) {
    EntityRef diag = line({0, 0, 0}, {4, 4, 0});
    EntityRef c = circle({10, 0, 0}, 5);
    EXPECT_EQ(window({2, 2, 0}, {2, 2, 0}, WindowMode::Crossing), (Refs{diag}));
    EXPECT_TRUE(window({2, 2.0000001, 0}, {2, 2.0000001, 0}, WindowMode::Crossing).empty());
    EXPECT_EQ(window({13, 4, 0}, {13, 4, 0}, WindowMode::Crossing), (Refs{c}));
    EXPECT_TRUE(window({10, 0, 0}, {10, 0, 0}, WindowMode::Crossing).empty());  // the centre is not on it
}

TEST_F(SelectTest, PolylinesWithBulgesAndClosing) {
    // From (0,0) to (10,0) by a counter-clockwise half circle: it passes
    // below, through (5,-5).
    EntityRef pl = make({s(0, "LWPOLYLINE"), make_long(90, 2), make_short(70, 0), make_group(10, Point{0, 0, 0, 2}),
                         make_group(42, 1.0), make_group(10, Point{10, 0, 0, 2})});
    EXPECT_EQ(window({5, -5, 0}, {5, -5, 0}, WindowMode::Crossing), (Refs{pl}));
    EXPECT_TRUE(window({5, 5, 0}, {5, 5, 0}, WindowMode::Crossing).empty());
    EXPECT_TRUE(window({-1, -4, 0}, {11, 1, 0}, WindowMode::Window).empty());
    EXPECT_EQ(window({-1, -5, 0}, {11, 1, 0}, WindowMode::Window), (Refs{pl}));
    // A closed square's closing edge counts.
    EntityRef sq = make({s(0, "LWPOLYLINE"), make_long(90, 4), make_short(70, 1), make_group(10, Point{20, 0, 0, 2}),
                         make_group(10, Point{30, 0, 0, 2}), make_group(10, Point{30, 10, 0, 2}),
                         make_group(10, Point{20, 10, 0, 2})});
    EXPECT_EQ(window({20, 5, 0}, {20, 5, 0}, WindowMode::Crossing), (Refs{sq}));
}

TEST_F(SelectTest, BlockReferencesByTheirTransformedBlock) {
    ASSERT_TRUE(d->entmake({s(0, "BLOCK"), s(2, "BAR"), make_group(10, Point{1, 0, 0})}).ok());
    ASSERT_TRUE(d->entmake({s(0, "LINE"), make_group(10, Point{1, 0, 0}), make_group(11, Point{3, 0, 0})}).ok());
    ASSERT_TRUE(d->entmake({s(0, "ENDBLK")}).ok());
    // Base (1,0) placed at (10,10), scaled 2, turned a quarter: the bar runs
    // from (10,10) to (10,14).
    EntityRef ins = make({s(0, "INSERT"), s(2, "BAR"), make_group(10, Point{10, 10, 0}), make_group(41, 2.0),
                          make_group(42, 2.0), make_group(50, M_PI / 2)});
    EXPECT_EQ(window({9, 9, 0}, {11, 15, 0}, WindowMode::Window), (Refs{ins}));
    EXPECT_TRUE(window({9, 9, 0}, {11, 13, 0}, WindowMode::Window).empty());
    EXPECT_EQ(window({9, 12, 0}, {11, 12, 0}, WindowMode::Crossing), (Refs{ins}));
    EXPECT_TRUE(window({12, 10, 0}, {16, 10, 0}, WindowMode::Crossing).empty());  // where it would lie unturned
}

TEST_F(SelectTest, TextByItsEstimatedBoxAndUnknownTypesByTheirPoints) {
    EntityRef t = make({s(0, "TEXT"), make_group(10, Point{0, 0, 0}), make_group(40, 1.0), s(1, "ABCD")});
    EXPECT_EQ(window({1, 0.5, 0}, {1, 0.5, 0}, WindowMode::Crossing).size(), 0u);  // inside, not on the outline
    EXPECT_EQ(window({-0.1, -0.1, 0}, {2.5, 1.1, 0}, WindowMode::Window), (Refs{t}));
    EXPECT_TRUE(window({-0.1, -0.1, 0}, {2.3, 1.1, 0}, WindowMode::Window).empty());  // 4 x 0.6 wide
    EntityRef pt = make({s(0, "POINT"), make_group(10, Point{50, 50, 0})});
    EXPECT_EQ(window({50, 50, 0}, {50, 50, 0}, WindowMode::Crossing), (Refs{pt}));
}

TEST_F(SelectTest, FilterAppliesToGeometricSelection) {
    EntityRef a = line({0, 0, 0}, {1, 1, 0}, "WALL");
    line({0, 0, 0}, {1, 1, 0}, "DOOR");
    auto f = Filter::compile({s(8, "W*")});
    ASSERT_TRUE(f.ok());
    EXPECT_EQ(window({0, 0, 0}, {1, 1, 0}, WindowMode::Window, &*f), (Refs{a}));
}
