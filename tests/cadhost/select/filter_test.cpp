// Selection filter lists: compiling and matching entity lists.
#include <gtest/gtest.h>

#include "select/filter.h"

using namespace cadhost;
using cadhost::select::Filter;

namespace {

Group s(int code, const char* v) { return make_group(code, std::string(v)); }
Group op(const char* v) { return s(-4, v); }

GroupList line(const char* layer, Point a = {0, 0, 0}) {
    return {make_ref(-1, EntityRef{7}), s(0, "LINE"), s(8, layer), make_group(10, a), make_group(11, Point{1, 1, 0})};
}

bool match(const GroupList& filter, const GroupList& ent) {
    auto f = Filter::compile(filter);
    EXPECT_TRUE(f.ok()) << (f.ok() ? "" : f.error().what());
    return f.ok() && f->matches(ent);
}

bool compiles(const GroupList& filter) { return Filter::compile(filter).ok(); }

}  // namespace

TEST(Filter, StringsByWildcardWithoutRegardToCase) {
    EXPECT_TRUE(match({s(0, "line")}, line("WALL")));
    EXPECT_TRUE(match({s(0, "LINE,ARC"), s(8, "w*")}, line("Wall")));
    EXPECT_FALSE(match({s(0, "ARC")}, line("WALL")));
    EXPECT_FALSE(match({s(8, "~W*")}, line("WALL")));
    EXPECT_FALSE(match({s(1, "*")}, line("WALL")));  // a missing group does not match
    EXPECT_TRUE(match({}, line("0")));
}

TEST(Filter, DefaultsForMissingGroups) {
    EXPECT_TRUE(match({make_short(62, 256)}, line("0")));  // colour BYLAYER
    EXPECT_FALSE(match({make_short(62, 1)}, line("0")));
    EXPECT_TRUE(match({s(6, "bylayer")}, line("0")));
    EXPECT_TRUE(match({make_short(67, 0)}, line("0")));      // model space
    EXPECT_FALSE(match({make_short(67, 1)}, line("0")));
    auto red = line("0");
    red.push_back(make_short(62, 1));
    EXPECT_TRUE(match({make_short(62, 1)}, red));
    EXPECT_FALSE(match({make_short(62, 256)}, red));
}

TEST(Filter, RelationalOperatorsOnNumbers) {
    GroupList c{s(0, "CIRCLE"), make_group(10, Point{5, 5, 0}), make_group(40, 2.5)};
    EXPECT_TRUE(match({op(">"), make_group(40, 2.0)}, c));
    EXPECT_FALSE(match({op(">"), make_group(40, 2.5)}, c));
    EXPECT_TRUE(match({op(">="), make_group(40, 2.5)}, c));
    EXPECT_TRUE(match({op("<="), make_group(40, 2.5)}, c));
    EXPECT_FALSE(match({op("<"), make_group(40, 2.5)}, c));
    for (const char* ne : {"/=", "!=", "<>"}) EXPECT_TRUE(match({op(ne), make_group(40, 1.0)}, c)) << ne;
    EXPECT_TRUE(match({op("*"), make_group(40, 99.0)}, c));
    EXPECT_FALSE(match({make_group(40, 2.4999)}, c));  // plain groups: equality
    // Integers of either width compare by value.
    GroupList red{s(0, "LINE"), make_short(62, 3)};
    EXPECT_TRUE(match({op("<"), make_long(62, 4)}, red));
}

TEST(Filter, PointsPerAxis) {
    GroupList c{s(0, "CIRCLE"), make_group(10, Point{5, 5, 0}), make_group(40, 2.5)};
    EXPECT_TRUE(match({make_group(10, Point{5, 5, 0})}, c));
    EXPECT_FALSE(match({make_group(10, Point{5, 5.5, 0})}, c));
    EXPECT_TRUE(match({op(">,>,*"), make_group(10, Point{4, 4, 100})}, c));
    EXPECT_FALSE(match({op(">,<,*"), make_group(10, Point{4, 4, 100})}, c));
    EXPECT_TRUE(match({op("<,<"), make_group(10, Point{6, 6, -50})}, c));  // X and Y only
    EXPECT_FALSE(match({op("<,>"), make_group(10, Point{6, 6, 0})}, c));
    EXPECT_TRUE(match({op("="), make_group(10, Point{5, 5, 0})}, c));
}

TEST(Filter, LogicalGroupingsNest) {
    GroupList orf{op("<OR"), s(8, "WALL"), op("<AND"), s(0, "LINE"), s(8, "DOOR"), op("AND>"), op("OR>")};
    EXPECT_TRUE(match(orf, line("WALL")));
    EXPECT_TRUE(match(orf, line("door")));
    EXPECT_FALSE(match(orf, line("WIN")));
    EXPECT_TRUE(match({op("<NOT"), s(8, "WALL"), op("NOT>")}, line("X")));
    EXPECT_FALSE(match({op("<not"), s(8, "WALL"), op("not>")}, line("WALL")));
    GroupList xorf{op("<XOR"), s(0, "LINE"), s(8, "WALL"), op("XOR>")};
    EXPECT_FALSE(match(xorf, line("WALL")));
    EXPECT_TRUE(match(xorf, line("X")));
    // A relational test inside a grouping.
    GroupList circle{s(0, "CIRCLE"), make_group(40, 3.0)};
    EXPECT_TRUE(match({op("<OR"), op(">"), make_group(40, 2.0), s(8, "Z"), op("OR>")}, circle));
}

TEST(Filter, MalformedListsAreErrors) {
    EXPECT_FALSE(compiles({op("<AND"), s(0, "LINE")}));                   // not closed
    EXPECT_FALSE(compiles({s(0, "LINE"), op("AND>")}));                   // nothing to close
    EXPECT_FALSE(compiles({op("<AND"), s(0, "LINE"), op("OR>")}));        // closed by the wrong name
    EXPECT_FALSE(compiles({op("<NOT"), s(0, "A"), s(8, "B"), op("NOT>")}));
    EXPECT_FALSE(compiles({op("<NOT"), op("NOT>")}));
    EXPECT_FALSE(compiles({op("<XOR"), s(0, "A"), op("XOR>")}));
    EXPECT_FALSE(compiles({op("<OR"), op("OR>")}));
    EXPECT_FALSE(compiles({op("<NAND"), s(0, "A"), op("NAND>")}));
    EXPECT_FALSE(compiles({op("=>"), make_group(40, 1.0)}));
    EXPECT_FALSE(compiles({op(">")}));                                    // nothing to test
    EXPECT_FALSE(compiles({op(">"), op("<AND"), s(0, "A"), op("AND>")}));
    EXPECT_FALSE(compiles({op(">,>,>,>"), make_group(10, Point{})}));     // four axes
    EXPECT_FALSE(compiles({op(">,"), make_group(10, Point{})}));
    EXPECT_FALSE(compiles({op(">,>,>"), make_group(40, 1.0)}));
    EXPECT_FALSE(compiles({make_short(-4, 1)}));
    EXPECT_TRUE(compiles({op("<XOR"), s(0, "A"), op("<NOT"), s(8, "B"), op("NOT>"), op("XOR>")}));
}

TEST(Filter, ExtendedDataByApplication) {
    GroupList with = line("0");
    with.push_back(make_group(-3, std::string()));
    with.push_back(s(1001, "SYMVAULT"));
    with.push_back(s(1000, "tag"));
    with.push_back(s(1001, "OTHER"));
    EXPECT_TRUE(match({make_group(-3, std::string()), s(1001, "symvault")}, with));
    EXPECT_TRUE(match({make_group(-3, std::string()), s(1001, "SYM*")}, with));
    EXPECT_TRUE(match({make_group(-3, std::string()), s(1001, "SYMVAULT"), s(1001, "OTHER")}, with));
    EXPECT_FALSE(match({make_group(-3, std::string()), s(1001, "THIRD")}, with));
    EXPECT_FALSE(match({make_group(-3, std::string()), s(1001, "SYMVAULT")}, line("0")));
    // Groups inside the extended data are not the entity's own groups.
    GroupList layer_in_xdata = line("0");
    layer_in_xdata.push_back(make_group(-3, std::string()));
    layer_in_xdata.push_back(s(1001, "APP"));
    layer_in_xdata.push_back(s(8, "WALL"));
    EXPECT_FALSE(match({s(8, "WALL")}, layer_in_xdata));
}

TEST(Filter, TestsCodeReportsWhatIsLookedAt) {
    auto f = Filter::compile({op("<OR"), make_short(67, 1), s(0, "LINE"), op("OR>")});
    ASSERT_TRUE(f.ok());
    EXPECT_TRUE(f->tests_code(67));
    EXPECT_FALSE(f->tests_code(410));
}

// Whatever the filter decides from the type and layer alone must be what
// matching the whole entity list decides.
TEST(Filter, PreVerdictAgreesWithTheWholeList) {
    using cadhost::select::Verdict;
    const std::vector<GroupList> filters = {
        {s(0, "LINE"), s(8, "WIRES")},
        {s(0, "INSERT"), s(2, "WLINK*"), s(8, "LINKS"), make_short(66, 1)},
        {op("<AND"), op("<OR"), s(0, "POLYLINE"), s(0, "LWPOLYLINE"), op("OR>"), s(8, "ZONE1"), op("AND>")},
        {op("<NOT"), s(8, "W*"), op("NOT>")},
        {op("<OR"), s(8, "0"), make_short(62, 3), op("OR>")},
        {op("<XOR"), s(0, "LINE"), s(8, "A"), op("XOR>")},
        {s(0, "~LINE")},
        {make_group(-4, std::string("!=")), s(8, "wires")},
    };
    const std::vector<GroupList> ents = {line("WIRES"), line("wires"), line("WALL"), line("0"), line("A"),
                                         {make_ref(-1, EntityRef{8}), s(0, "POLYLINE"), s(8, "ZONE1"), make_short(66, 1)},
                                         {make_ref(-1, EntityRef{9}), s(0, "INSERT"), s(8, "LINKS"), s(2, "WLINKU"),
                                          make_short(66, 1)}};
    int decided = 0;
    for (const GroupList& fl : filters) {
        auto f = Filter::compile(fl);
        ASSERT_TRUE(f.ok());
        for (const GroupList& e : ents) {
            std::string type = std::get<std::string>(e[1].value), layer = std::get<std::string>(e[2].value);
            Verdict v = f->pre_match(type, layer);
            if (v == Verdict::Open) continue;
            ++decided;
            EXPECT_EQ(v == Verdict::Yes, f->matches(e)) << type << " on " << layer;
            EXPECT_NE(f->pre_match(type, std::nullopt), v == Verdict::Yes ? Verdict::No : Verdict::Yes)
                << "an unknown layer never flips the answer";
        }
    }
    EXPECT_GT(decided, 20);
}
