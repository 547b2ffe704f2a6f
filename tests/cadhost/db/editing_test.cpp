// Changing drawings as applications do: entmod, entmake (plain, complex and
// block definitions), entdel, handent, tables and header variables.
#include <algorithm>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "dxf/value_text.h"
#include "test_support.h"

using namespace cadhost;
using namespace cadhost::db;
using namespace cadhost::db::test;

namespace {

std::unique_ptr<Drawing> reread(const Drawing& d, DxfVersion v) {
    auto r = Drawing::read_text(d.write_text(v), "rewritten");
    if (!r) {
        ADD_FAILURE() << r.error().what();
        return nullptr;
    }
    return r.release();
}

EntityRef make(Drawing& d, const GroupList& l) {
    auto r = d.entmake(l);
    if (!r) {
        ADD_FAILURE() << r.error().what();
        return {};
    }
    return *r;
}

GroupList line_list(double x) {
    return {make_group(0, std::string("LINE")), make_group(8, std::string("0")), make_group(10, Point{x, 0, 0}),
            make_group(11, Point{x + 1, 2, 0})};
}

EntityRef find_type(const Drawing& d, const std::string& type) {
    for (EntityRef e = d.first_entity(); e; e = d.next_entity(e))
        if (d.type_of(e) == type) return e;
    return {};
}

}  // namespace

TEST(Entmod, ChangesTheGivenGroupsAndKeepsTheRest) {
    auto d = Drawing::prototype();
    EntityRef e = make(*d, line_list(1));
    GroupList l = *d->entget(e);
    find_group(l, 10)->value = Point{5.5, -2, 0};
    ASSERT_TRUE(d->entmod({l[0], make_group(10, Point{5.5, -2, 0}), make_short(62, 3)}).ok());
    GroupList after = *d->entget(e);
    EXPECT_EQ(std::get<Point>(find_group(after, 10)->value), (Point{5.5, -2, 0}));
    EXPECT_EQ(std::get<Point>(find_group(after, 11)->value), (Point{2, 2, 0}));
    EXPECT_EQ(group_int(after, 62), 3);
    auto back = reread(*d, DxfVersion::R2000);
    EXPECT_EQ(group_int(*back->entget(back->handent(d->handle_of(e))), 62), 3);
    EXPECT_GT(d->dbmod(), 0);
}

TEST(Entmod, ConvertsAnglesBackToDegreesAndRejectsTypeChanges) {
    auto d = Drawing::prototype();
    EntityRef e = make(*d, {make_group(0, std::string("ARC")), make_group(10, Point{0, 0, 0}), make_group(40, 2.0),
                            make_group(50, 0.0), make_group(51, M_PI / 2)});
    std::string text = d->write_text(DxfVersion::R2000);
    EXPECT_NE(text.find(" 51\n90.0\n"), std::string::npos);
    ASSERT_TRUE(d->entmod({make_ref(-1, e), make_group(51, M_PI)}).ok());
    EXPECT_NE(d->write_text(DxfVersion::R2000).find(" 51\n180.0\n"), std::string::npos);
    EXPECT_NEAR(group_real(*d->entget(e), 51), M_PI, 1e-12);
    EXPECT_FALSE(d->entmod({make_ref(-1, e), make_group(0, std::string("CIRCLE"))}).ok());
    EXPECT_FALSE(d->entmod({make_ref(-1, e), make_group(40, std::string("wide"))}).ok());
    EXPECT_FALSE(d->entmod({make_group(0, std::string("ARC"))}).ok());
    EXPECT_EQ(d->type_of(e), "ARC");
}

// Angles are written in degrees to 15 significant digits, which rounds away
// the noise of the conversion from radians, and always as a real.
TEST(Entmake, AnglesAreWrittenAsFifteenDigitDegrees) {
    auto d = Drawing::prototype();
    std::vector<double> angles = {0.0, M_PI / 2, M_PI / 3, -M_PI / 7, 1e-9, 1e-300, 123456.789, 2.5e17, -0.0};
    for (int i = 1; i <= 40; ++i) angles.push_back(std::sin(i * 7.3) * std::pow(10.0, i % 9 - 4));
    for (double a : angles) {
        EntityRef e = make(*d, {make_group(0, std::string("TEXT")), make_group(10, Point{0, 0, 0}),
                                make_group(40, 1.0), make_group(1, std::string("t")), make_group(50, a)});
        char buf[40];
        std::snprintf(buf, sizeof buf, "%.15g", a * (180.0 / M_PI));
        std::string want = buf;
        if (want.find_first_of(".eEn") == std::string::npos) want += ".0";
        std::string text = d->write_text(DxfVersion::R2000);
        std::string handle = d->handle_of(e);
        size_t at = text.find("\n  5\n" + handle + "\n");
        ASSERT_NE(at, std::string::npos);
        size_t angle = text.find("\n 50\n", at);
        ASSERT_NE(angle, std::string::npos);
        size_t from = angle + 5;
        EXPECT_EQ(text.substr(from, text.find('\n', from) - from), want) << "radians " << a;
    }
}

TEST(Entmod, TheKthGroupOfACodeReplacesTheKthVertex) {
    auto d = Drawing::prototype();
    EntityRef e = make(*d, {make_group(0, std::string("LWPOLYLINE")), make_group(10, Point{0, 0, 0, 2}),
                            make_group(10, Point{1, 0, 0, 2}), make_group(10, Point{1, 1, 0, 2})});
    GroupList l = *d->entget(e);
    EXPECT_EQ(group_int(l, 90), 3);
    ASSERT_TRUE(d->entmod({make_ref(-1, e), make_group(10, Point{0, 0, 0, 2}), make_group(10, Point{7, 8, 0, 2})}).ok());
    std::vector<Point> pts;
    GroupList changed = *d->entget(e);
    for (const auto& g : changed)
        if (g.code == 10) pts.push_back(std::get<Point>(g.value));
    ASSERT_EQ(pts.size(), 3u);
    EXPECT_EQ(pts[1], (Point{7, 8, 0, 2}));
    EXPECT_EQ(pts[2], (Point{1, 1, 0, 2}));
}

// A list read back whole, or with a group left out before the vertices:
// either way the k-th vertex given is the k-th vertex changed.
TEST(Entmod, AWholeListOrOneMissingAGroupChangesTheVertexItNames) {
    for (bool drop : {false, true}) {
        auto d = Drawing::prototype();
        EntityRef e = make(*d, {make_group(0, std::string("LWPOLYLINE")), make_group(10, Point{0, 0, 0, 2}),
                                make_group(10, Point{1, 0, 0, 2}), make_group(10, Point{1, 1, 0, 2})});
        GroupList l = *d->entget(e);
        if (drop) l.erase(std::find_if(l.begin(), l.end(), [](const Group& g) { return g.code == 90; }));
        int k = 0;
        for (Group& g : l)
            if (g.code == 10 && k++ == 1) g.value = Point{7, 8, 0, 2};
        ASSERT_TRUE(d->entmod(l).ok()) << drop;
        std::vector<Point> pts;
        GroupList changed = *d->entget(e);
        for (const auto& g : changed)
            if (g.code == 10) pts.push_back(std::get<Point>(g.value));
        EXPECT_EQ(pts, (std::vector<Point>{{0, 0, 0, 2}, {7, 8, 0, 2}, {1, 1, 0, 2}})) << drop;
    }
}

TEST(Entmod, ANewLayerNameCreatesTheLayer) {
    auto d = Drawing::prototype();
    EntityRef e = make(*d, line_list(0));
    ASSERT_TRUE(d->entmod({make_ref(-1, e), make_group(8, std::string("Walls"))}).ok());
    auto rec = d->tblsearch("layer", "WALLS");
    ASSERT_TRUE(rec);
    EXPECT_EQ(group_string(*rec, 0), "LAYER");
    EXPECT_EQ(group_string(*rec, 2), "Walls");
    EXPECT_EQ(group_int(*rec, 62), 7);
    EXPECT_FALSE(d->entmod({make_ref(-1, e), make_group(8, std::string("bad<name"))}).ok());
    EXPECT_EQ(group_string(*d->entget(e), 8), "Walls");
    if (auditor_available()) {
        std::string path = temp_dir() + "/new_layer.dxf";
        ASSERT_TRUE(d->save(path, DxfVersion::R2000).ok());
        EXPECT_EQ(audit_errors(path), 0);
    }
}

TEST(Entmod, AttributeValueOfASampleDrawing) {
    bool tested = false;
    for (const auto& path : sample_files()) {
        auto d = load(path);
        ASSERT_TRUE(d);
        EntityRef attrib = find_type(*d, "ATTRIB");
        if (!attrib) continue;
        GroupList before = *d->entget(attrib);
        ASSERT_TRUE(d->entmod({make_ref(-1, attrib), make_group(1, std::string("Grüße ^ 2"))}).ok());
        auto back = reread(*d, d->version());
        GroupList after = *back->entget(back->handent(d->handle_of(attrib)));
        EXPECT_EQ(group_string(after, 1), "Grüße ^ 2") << path;
        ASSERT_EQ(after.size(), before.size());
        for (size_t i = 2; i < before.size(); ++i)
            if (before[i].code != 1 && !std::holds_alternative<EntityRef>(before[i].value)) {
                EXPECT_EQ(after[i], before[i]) << path;
            }
        tested = true;
    }
    if (!tested) GTEST_SKIP() << "no sample with attributes";
}

TEST(Entmake, TextLineAndInsertGetFreshHandlesAndPassTheAudit) {
    std::vector<std::unique_ptr<Drawing>> drawings;
    drawings.push_back(Drawing::prototype());
    for (const auto& path : sample_files()) drawings.push_back(load(path));
    int n = 0;
    for (auto& d : drawings) {
        ASSERT_TRUE(d);
        std::string seed = std::get<std::string>(d->header_var("$HANDSEED")->value);
        EntityRef line = make(*d, line_list(3));
        EntityRef text = make(*d, {make_group(0, std::string("TEXT")), make_group(10, Point{1, 2, 0}), make_group(40, 2.5),
                                   make_group(1, std::string("Hello")), make_group(50, M_PI / 6)});
        ASSERT_TRUE(d->entmake({make_group(0, std::string("BLOCK")), make_group(2, std::string("PART")), make_group(10, Point{})}).ok());
        make(*d, {make_group(0, std::string("CIRCLE")), make_group(10, Point{}), make_group(40, 1.0)});
        ASSERT_TRUE(d->entmake({make_group(0, std::string("ENDBLK"))}).ok());
        EntityRef ins = make(*d, {make_group(0, std::string("INSERT")), make_group(2, std::string("PART")), make_group(10, Point{4, 4, 0})});
        ASSERT_TRUE(line && text && ins);
        EXPECT_EQ(d->last_entity(), ins);
        EXPECT_GT(std::stoull(d->handle_of(line), nullptr, 16), std::stoull(seed, nullptr, 16) - 1);
        if (d->version() != DxfVersion::R12) {
            GroupList l = *d->entget(line);
            EXPECT_EQ(d->type_of(std::get<EntityRef>(l[2].value)), "BLOCK_RECORD");
        }
        EXPECT_NEAR(group_real(*d->entget(text), 50), M_PI / 6, 1e-12);
        if (auditor_available()) {
            std::string path = temp_dir() + "/made_" + std::to_string(n++) + ".dxf";
            ASSERT_TRUE(d->save(path, d->version()).ok());
            EXPECT_EQ(audit_errors(path), 0);
            auto back = load(path);
            EXPECT_EQ(back->type_of(back->handent(d->handle_of(ins))), "INSERT");
        }
    }
}

TEST(Entmake, InsertWithAttributesAndPolylineSequences) {
    auto d = Drawing::prototype();
    ASSERT_TRUE(d->entmake({make_group(0, std::string("BLOCK")), make_group(2, std::string("TAG")), make_short(70, 2),
                            make_group(10, Point{})}).ok());
    make(*d, {make_group(0, std::string("ATTDEF")), make_group(10, Point{}), make_group(40, 1.0), make_group(1, std::string("?")),
              make_group(3, std::string("Number")), make_group(2, std::string("NUM")), make_short(70, 0)});
    ASSERT_TRUE(d->entmake({make_group(0, std::string("ENDBLK"))}).ok());
    EntityRef ins = make(*d, {make_group(0, std::string("INSERT")), make_short(66, 1), make_group(2, std::string("TAG")),
                              make_group(10, Point{1, 1, 0})});
    EXPECT_FALSE(d->first_entity()) << "an open complex entity stays invisible";
    EntityRef att = make(*d, {make_group(0, std::string("ATTRIB")), make_group(10, Point{1, 1, 0}), make_group(40, 1.0),
                              make_group(1, std::string("42")), make_group(2, std::string("NUM"))});
    EntityRef end = make(*d, {make_group(0, std::string("SEQEND"))});
    EXPECT_EQ(d->first_entity(), ins);
    EXPECT_EQ(d->next_entity(ins), att);
    EXPECT_EQ(d->next_entity(att), end);
    EXPECT_FALSE(d->next_entity(end));
    EXPECT_EQ(std::get<EntityRef>((*d->entget(att))[2].value), ins);
    EXPECT_EQ(d->last_entity(), ins);

    EntityRef pl = make(*d, {make_group(0, std::string("POLYLINE")), make_short(70, 1)});
    make(*d, {make_group(0, std::string("VERTEX")), make_group(10, Point{0, 0, 0})});
    make(*d, {make_group(0, std::string("VERTEX")), make_group(10, Point{3, 0, 0})});
    make(*d, {make_group(0, std::string("SEQEND"))});
    auto ents = walk(*d, pl);
    ASSERT_EQ(ents.size(), 4u);
    EXPECT_EQ(d->type_of(ents[3]), "SEQEND");
    EXPECT_FALSE(d->entmake({make_group(0, std::string("VERTEX")), make_group(10, Point{})}).ok());
    EXPECT_FALSE(d->entmake({make_group(0, std::string("INSERT")), make_group(2, std::string("NOPE")), make_group(10, Point{})}).ok());

    auto blk = d->tblsearch("block", "tag");
    ASSERT_TRUE(blk);
    const Group* first = find_group(*blk, -2);
    ASSERT_TRUE(first);
    EXPECT_EQ(d->type_of(std::get<EntityRef>(first->value)), "ATTDEF");
    EXPECT_FALSE(d->next_entity(std::get<EntityRef>(first->value))) << "walk ends at the end of the block";
    for (DxfVersion v : {DxfVersion::R2000, DxfVersion::R2018}) {
        if (!auditor_available()) break;
        std::string path = temp_dir() + "/complex.dxf";
        ASSERT_TRUE(d->save(path, v).ok());
        EXPECT_EQ(audit_errors(path), 0);
    }
}

// What INSERT reads of a block, without making its list, is what the
// block's list gives: base point, first entity, for the latest definition.
TEST(Tables, BlockStartAgreesWithTheBlockList) {
    auto d = Drawing::prototype();
    auto define = [&](const char* name, Point base, double x) {
        ASSERT_TRUE(d->entmake({make_group(0, std::string("BLOCK")), make_group(2, std::string(name)),
                                make_short(70, 0), make_group(10, base)}).ok());
        make(*d, line_list(x));
        ASSERT_TRUE(d->entmake({make_group(0, std::string("ENDBLK"))}).ok());
    };
    define("DOT", Point{1.5, -2.25, 0.125, 3}, 0);
    define("BAR", Point{4, 5, 0, 3}, 7);
    define("DOT", Point{-3, 8, 0, 3}, 9);  // redefined
    for (const char* name : {"DOT", "bar"}) {
        SCOPED_TRACE(name);
        auto list = d->tblsearch("BLOCK", name);
        auto start = d->block_start(name);
        ASSERT_TRUE(list && start);
        ASSERT_TRUE(start->base);
        Point want = std::get<Point>(find_group(*list, 10)->value);
        EXPECT_EQ(start->base->x, want.x);
        EXPECT_EQ(start->base->y, want.y);
        EXPECT_EQ(start->base->z, want.z);
        EXPECT_EQ(start->first, std::get<EntityRef>(find_group(*list, -2)->value));
    }
    EXPECT_EQ(d->block_start("DOT")->base->x, -3);
    EXPECT_FALSE(d->block_start("NONE"));
}

TEST(Entdel, TogglesAndDeletedEntitiesAreNotWritten) {
    auto d = Drawing::prototype();
    EntityRef a = make(*d, line_list(0));
    EntityRef b = make(*d, line_list(5));
    std::string hb = d->handle_of(b);
    ASSERT_TRUE(d->entdel(a).ok());
    EXPECT_TRUE(d->is_deleted(a));
    EXPECT_FALSE(d->entget(a));
    EXPECT_EQ(d->first_entity(), b);
    EXPECT_EQ(d->handent(d->handle_of(a)), a) << "handent finds deleted entities";
    ASSERT_TRUE(d->entdel(b).ok());
    EXPECT_FALSE(d->last_entity());
    ASSERT_TRUE(d->entdel(b).ok());
    EXPECT_EQ(d->last_entity(), b);
    auto back = reread(*d, DxfVersion::R2000);
    EXPECT_FALSE(back->handent(d->handle_of(a)));
    EXPECT_EQ(back->type_of(back->handent(hb)), "LINE");
}

TEST(Handent, FindsByHandleInAnyCaseAfterSaveAndReopen) {
    auto d = Drawing::prototype();
    EntityRef e = make(*d, line_list(0));
    for (int i = 0; i < 20; ++i) make(*d, line_list(i));
    std::string h = d->handle_of(e);
    std::string path = temp_dir() + "/handent.dxf";
    ASSERT_TRUE(d->save(path, DxfVersion::R2000).ok());
    EXPECT_EQ(d->dbmod(), 0);
    auto back = load(path);
    std::string lower = h;
    for (char& c : lower) c = static_cast<char>(std::tolower(c));
    EntityRef f = back->handent(lower);
    ASSERT_TRUE(f);
    EXPECT_EQ(std::get<Point>(find_group(*back->entget(f), 10)->value), (Point{0, 0, 0}));
    EXPECT_FALSE(back->handent("ZZZ"));
    EXPECT_FALSE(back->handent("FFFFFF"));
}

TEST(Tables, RecordsInTheHostFormAndCaseInsensitiveNames) {
    auto d = Drawing::prototype();
    auto layer = d->tblsearch("LAYER", "0");
    ASSERT_TRUE(layer);
    GroupList expect = {make_group(0, std::string("LAYER")), make_group(2, std::string("0")), make_short(70, 0),
                        make_short(62, 7), make_group(6, std::string("CONTINUOUS"))};
    EXPECT_EQ(GroupList(layer->begin(), layer->begin() + 5), expect);
    EXPECT_TRUE(d->tblsearch("ltype", "continuous"));
    EXPECT_TRUE(d->tblsearch("STYLE", "standard"));
    EXPECT_FALSE(d->tblsearch("LAYER", "missing"));
    int n = 0;
    for (auto r = d->tblnext("LTYPE", true); r; r = d->tblnext("LTYPE", false)) ++n;
    EXPECT_GE(n, 5);
    EXPECT_FALSE(d->tblnext("BLOCK", true)) << "model and paper space are not listed as blocks";
    EXPECT_EQ(d->type_of(d->tblobjname("LAYER", "0")), "LAYER");
}

TEST(Tables, SampleBlocksListTheirFirstEntity) {
    int blocks = 0;
    for (const auto& path : sample_files()) {
        auto d = load(path);
        for (auto r = d->tblnext("BLOCK", true); r; r = d->tblnext("BLOCK", false)) {
            ++blocks;
            auto again = d->tblsearch("BLOCK", group_string(*r, 2));
            ASSERT_TRUE(again) << group_string(*r, 2);
            EXPECT_EQ(*again, *r);
        }
    }
    if (sample_files().empty()) GTEST_SKIP();
    EXPECT_GT(blocks, 0);
}

TEST(HeaderVars, ReadInAdsFormAndSettable) {
    auto d = Drawing::prototype();
    EXPECT_EQ(*d->header_var("$CLAYER"), make_group(8, std::string("0")));
    EXPECT_EQ(*d->header_var("textstyle"), make_group(7, std::string("STANDARD")));
    EXPECT_TRUE(std::holds_alternative<Point>(d->header_var("$EXTMIN")->value));
    EXPECT_EQ(std::get<std::string>(d->header_var("$ACADVER")->value), "AC1015");
    ASSERT_TRUE(d->set_header_var("$USERI1", make_short(70, 12)).ok());
    ASSERT_TRUE(d->set_header_var("$USERS1", make_group(1, std::string("note"))).ok());
    ASSERT_TRUE(d->set_header_var("$ORTHOMODE", make_short(70, 1)).ok());
    EXPECT_EQ(d->dbmod(), 3);
    EXPECT_FALSE(d->set_header_var("$BAD NAME", make_short(70, 1)).ok());
    EXPECT_FALSE(d->set_header_var("$USERR1", make_group(40, std::string("x"))).ok());
    auto back = reread(*d, DxfVersion::R2000);
    EXPECT_EQ(*back->header_var("$USERI1"), make_short(70, 12));
    EXPECT_EQ(*back->header_var("$USERS1"), make_group(1, std::string("note")));
    EXPECT_EQ(*back->header_var("$ORTHOMODE"), make_short(70, 1));
    // The seed cannot be put below handles already given out.
    EntityRef e = make(*d, line_list(0));
    ASSERT_TRUE(d->set_header_var("$HANDSEED", make_group(5, std::string("1"))).ok());
    EntityRef f = make(*d, line_list(1));
    EXPECT_GT(std::stoull(d->handle_of(f), nullptr, 16), std::stoull(d->handle_of(e), nullptr, 16));
}

TEST(Xdata, NeedsARegisteredApplicationAndIsReplacedPerApplication) {
    auto d = Drawing::prototype();
    GroupList l = line_list(0);
    l.push_back(make_group(-3, std::string()));
    l.push_back(make_group(1001, std::string("MYAPP")));
    l.push_back(make_group(1000, std::string("first")));
    l.push_back(make_group(1010, Point{1, 2, 3}));
    EXPECT_FALSE(d->entmake(l).ok()) << "application not registered";
    ASSERT_TRUE(d->regapp("MYAPP").ok());
    EntityRef e = make(*d, l);
    GroupList plain = *d->entget(e);
    EXPECT_FALSE(find_group(plain, 1001)) << "plain entget leaves XDATA out";
    const size_t n = plain.size();
    GroupList with = *d->entget(e, {"myapp"});
    ASSERT_EQ(with.size(), n + 4);
    EXPECT_EQ(with[n].code, -3);
    EXPECT_EQ(with[n + 1], make_group(1001, std::string("MYAPP")));
    EXPECT_EQ(with[n + 3], make_group(1010, Point{1, 2, 3}));
    EXPECT_EQ(d->entget(e, {"OTHER"})->size(), n);
    ASSERT_TRUE(d->entmod({make_ref(-1, e), make_group(-3, std::string()), make_group(1001, std::string("MYAPP")),
                           make_group(1000, std::string("second"))}).ok());
    GroupList after = *d->entget(e, {"*"});
    EXPECT_EQ(group_string(after, 1000), "second");
    EXPECT_FALSE(find_group(after, 1010));
    EXPECT_FALSE(d->entmod({make_ref(-1, e), make_group(-3, std::string()), make_group(1001, std::string("MYAPP")),
                            make_group(1040, std::string("not a number"))}).ok());
    EXPECT_EQ(group_string(*d->entget(e, {"*"}), 1000), "second") << "a refused change leaves the XDATA";
    ASSERT_TRUE(d->entmod({make_ref(-1, e), make_group(-3, std::string()), make_group(1001, std::string("MYAPP"))}).ok());
    EXPECT_FALSE(find_group(*d->entget(e, {"*"}), 1001)) << "naming the application alone removes its XDATA";
    if (auditor_available()) {
        std::string path = temp_dir() + "/xdata.dxf";
        ASSERT_TRUE(d->save(path, DxfVersion::R2010).ok());
        EXPECT_EQ(audit_errors(path), 0);
    }
}

// Names found once are remembered; renaming a record must still make the
// first record of a name the one found, and the old name unknown.
TEST(Tables, LookupsFollowRenamedRecordsAndRedefinedBlocks) {
    auto d = Drawing::prototype();
    ASSERT_TRUE(d->ensure_layer("FIRST").ok());
    ASSERT_TRUE(d->ensure_layer("SECOND").ok());
    EntityRef first = d->tblobjname("LAYER", "FIRST"), second = d->tblobjname("LAYER", "second");
    ASSERT_TRUE(first && second);
    EXPECT_EQ(d->tblobjname("LAYER", "SECOND"), second);
    auto rename = [&](EntityRef rec, const char* to) {
        GroupList l = *d->entget(rec);
        for (Group& g : l)
            if (g.code == 2) g.value = std::string(to);
        ASSERT_TRUE(d->entmod(l).ok());
    };
    rename(first, "SECOND");
    EXPECT_EQ(d->tblobjname("LAYER", "SECOND"), first) << "the first record of the name";
    EXPECT_FALSE(d->tblobjname("LAYER", "FIRST"));
    rename(first, "THIRD");
    EXPECT_EQ(d->tblobjname("LAYER", "second"), second);
    EXPECT_EQ(d->tblobjname("LAYER", "Third"), first);
    // Entities made on a layer go on the record found for it.
    EntityRef e = make(*d, {make_group(0, std::string("LINE")), make_group(8, std::string("THIRD")),
                            make_group(10, Point{0, 0, 0}), make_group(11, Point{1, 0, 0})});
    ASSERT_TRUE(e);
    int thirds = 0;
    for (auto r = d->tblnext("LAYER", true); r; r = d->tblnext("LAYER", false))
        thirds += dxf::equal_nocase(group_string(*r, 2), "THIRD");
    EXPECT_EQ(thirds, 1) << "no second layer made for a name already there";

    auto block = [&](const char* name, double x) {
        ASSERT_TRUE(d->entmake({make_group(0, std::string("BLOCK")), make_group(2, std::string(name)),
                                make_group(10, Point{x, 0, 0})}).ok());
        ASSERT_TRUE(d->entmake(line_list(x)).ok());
        ASSERT_TRUE(d->entmake({make_group(0, std::string("ENDBLK"))}).ok());
    };
    block("PART", 1);
    auto before = d->block_start("part");
    ASSERT_TRUE(before && before->base);
    block("PART", 5);
    auto after = d->block_start("PART");
    ASSERT_TRUE(after && after->base);
    EXPECT_EQ(after->base->x, 5.0) << "the redefinition is found";
    EXPECT_TRUE(make(*d, {make_group(0, std::string("INSERT")), make_group(2, std::string("PART")),
                          make_group(10, Point{0, 0, 0})}));
}

// Files from other programs may use layers their table lacks, or have no
// tables at all: reading gives each such layer (and 0) a record, leaves the
// layers the file defines as they are, and counts as no change.
TEST(Tables, LayersUsedButNotDefinedGetRecordsOnReading) {
    auto r = Drawing::read_text(
        "  0\nSECTION\n  2\nTABLES\n  0\nTABLE\n  2\nLAYER\n 70\n1\n"
        "  0\nLAYER\n  2\nKEPT\n 70\n0\n 62\n3\n  6\nDASHED\n  0\nENDTAB\n  0\nENDSEC\n"
        "  0\nSECTION\n  2\nBLOCKS\n  0\nBLOCK\n  8\n0\n  2\nPART\n 70\n0\n 10\n0\n 20\n0\n 30\n0\n"
        "  0\nCIRCLE\n  8\nINBLOCK\n 10\n0\n 20\n0\n 30\n0\n 40\n1\n  0\nENDBLK\n  8\n0\n  0\nENDSEC\n"
        "  0\nSECTION\n  2\nENTITIES\n"
        "  0\nLINE\n  8\nWIRES\n 10\n0\n 20\n0\n 30\n0\n 11\n1\n 21\n0\n 31\n0\n"
        "  0\nLINE\n  8\nkept\n 10\n0\n 20\n0\n 30\n0\n 11\n1\n 21\n0\n 31\n0\n"
        "  0\nENDSEC\n  0\nEOF\n",
        "foreign.dxf");
    ASSERT_TRUE(r) << r.error().what();
    auto& d = **r;
    for (const char* name : {"0", "WIRES", "INBLOCK"}) {
        auto layer = d.tblsearch("LAYER", name);
        ASSERT_TRUE(layer) << name;
        EXPECT_EQ(group_int(*layer, 62), 7) << name;
    }
    auto kept = d.tblsearch("LAYER", "KEPT");
    ASSERT_TRUE(kept);
    EXPECT_EQ(group_int(*kept, 62), 3);
    EXPECT_EQ(group_string(*kept, 6), "DASHED");
    std::vector<std::string> names;
    for (auto l = d.tblnext("LAYER", true); l; l = d.tblnext("LAYER", false)) names.push_back(group_string(*l, 2));
    // "kept" is KEPT in another case, so it is not added again.
    EXPECT_EQ(names, (std::vector<std::string>{"KEPT", "0", "INBLOCK", "WIRES"}));  // in file order
    EXPECT_TRUE(d.tblsearch("LTYPE", "CONTINUOUS"));
    EXPECT_EQ(d.dbmod(), 0);
    auto back = reread(d, d.version());
    ASSERT_TRUE(back);
    EXPECT_TRUE(back->tblsearch("LAYER", "WIRES"));
}

TEST(Entmake, DrawingWithoutSectionsGetsThemWhenEntitiesAreMade) {
    auto r = Drawing::read_text("  0\nEOF\n", "empty.dxf");
    ASSERT_TRUE(r);
    auto& d = **r;
    EntityRef e = make(d, line_list(0));
    ASSERT_TRUE(e);
    auto back = reread(d, d.version());
    ASSERT_TRUE(back);
    EXPECT_EQ(back->type_of(back->first_entity()), "LINE");
    EXPECT_TRUE(back->tblsearch("LAYER", "0"));
}

TEST(Entmod, MoreLwpolylineVerticesReplaceThemAllAndTheCount) {
    auto d = Drawing::prototype();
    EntityRef e = make(*d, {make_group(0, std::string("LWPOLYLINE")), make_short(70, 1), make_group(10, Point{0, 0, 0, 2}),
                            make_group(10, Point{1, 0, 0, 2})});
    GroupList l = *d->entget(e);
    l.push_back(make_group(10, Point{1, 1, 0, 2}));
    l.push_back(make_group(42, 0.5));
    l.push_back(make_group(10, Point{0, 1, 0, 2}));
    ASSERT_TRUE(d->entmod(l).ok());
    auto back = reread(*d, DxfVersion::R2000);
    GroupList after = *back->entget(back->handent(d->handle_of(e)));
    EXPECT_EQ(group_int(after, 90), 4);
    EXPECT_EQ(group_int(after, 70), 1);
    std::vector<int> codes;
    for (const auto& g : after)
        if (g.code == 10 || g.code == 42) codes.push_back(g.code);
    EXPECT_EQ(codes, (std::vector<int>{10, 10, 10, 42, 10}));
    ASSERT_TRUE(d->entmod({make_ref(-1, e), make_group(10, Point{5, 5, 0, 2})}).ok());
    GroupList fewer = *d->entget(e);
    EXPECT_EQ(group_int(fewer, 90), 4) << "fewer vertices change only the first ones";
    EXPECT_EQ(std::get<Point>(find_group(fewer, 10)->value), (Point{5, 5, 0, 2}));
    EXPECT_TRUE(find_group(fewer, 42));
}

TEST(Entmake, BlockDefinitionsFollowTheHostsRules) {
    auto d = Drawing::prototype();
    auto block = [&](const std::string& name, double radius) {
        EXPECT_TRUE(d->entmake({make_group(0, std::string("BLOCK")), make_group(2, name), make_short(70, name == "*U" ? 1 : 0),
                                make_group(10, Point{})}).ok());
        make(*d, {make_group(0, std::string("CIRCLE")), make_group(10, Point{}), make_group(40, radius)});
        return d->entmake({make_group(0, std::string("ENDBLK"))});
    };
    EXPECT_FALSE(d->entmake({make_group(0, std::string("ENDBLK"))}).ok()) << "ENDBLK without BLOCK";
    EXPECT_FALSE(d->entmake({make_group(0, std::string("BLOCK")), make_group(2, std::string("*Model_Space"))}).ok());
    ASSERT_TRUE(block("WHEEL", 1.0).ok());
    ASSERT_TRUE(block("WHEEL", 2.0).ok()) << "a second definition replaces the first";
    auto rec = d->tblsearch("BLOCK", "wheel");
    ASSERT_TRUE(rec);
    EntityRef first = std::get<EntityRef>(find_group(*rec, -2)->value);
    EXPECT_DOUBLE_EQ(group_real(*d->entget(first), 40), 2.0);
    EXPECT_EQ(d->space_of(first), Space::Block);
    ASSERT_TRUE(block("*U", 3.0).ok());
    ASSERT_TRUE(block("*U", 4.0).ok());
    std::vector<std::string> names;
    for (auto r = d->tblnext("BLOCK", true); r; r = d->tblnext("BLOCK", false)) names.push_back(group_string(*r, 2));
    EXPECT_EQ(names, (std::vector<std::string>{"WHEEL", "*U1", "*U2"}));
    ASSERT_TRUE(d->entmake({make_group(0, std::string("BLOCK")), make_group(2, std::string("OPEN")), make_group(10, Point{})}).ok());
    EXPECT_FALSE(d->entmake({make_group(0, std::string("BLOCK")), make_group(2, std::string("NESTED"))}).ok());
    EXPECT_FALSE(d->tblsearch("BLOCK", "OPEN")) << "a definition appears only at its ENDBLK";
    EXPECT_FALSE(d->entmake({make_group(0, std::string("ENDBLK"))}).ok())
        << "the definition that was refused an entity is dropped whole, leaving none open";
    EXPECT_FALSE(d->tblsearch("BLOCK", "OPEN"));
    if (auditor_available()) {
        std::string path = temp_dir() + "/blocks.dxf";
        ASSERT_TRUE(d->save(path, DxfVersion::R2000).ok());
        EXPECT_EQ(audit_errors(path), 0);
    }
}

TEST(Entmake, AnOpenComplexEntityIsDroppedByTheNextMainEntity) {
    auto d = Drawing::prototype();
    EntityRef pl = make(*d, {make_group(0, std::string("POLYLINE")), make_short(70, 0)});
    make(*d, {make_group(0, std::string("VERTEX")), make_group(10, Point{})});
    EntityRef line = make(*d, line_list(0));
    EXPECT_EQ(d->first_entity(), line);
    EXPECT_FALSE(d->next_entity(line));
    EXPECT_FALSE(d->handent(d->handle_of(pl))) << "the dropped entity has no handle in the drawing";
    EXPECT_FALSE(d->entmake({make_group(0, std::string("SEQEND"))}).ok());
    EXPECT_FALSE(d->entmake({make_group(0, std::string("WIDGET")), make_group(10, Point{})}).ok()) << "unknown type";
    EXPECT_FALSE(d->entmake({make_group(0, std::string("CIRCLE")), make_group(10, Point{})}).ok()) << "radius missing";
    EXPECT_FALSE(d->entmake({make_group(0, std::string("LINE")), make_group(8, std::string("a*b")), make_group(10, Point{}),
                             make_group(11, Point{})}).ok());
}

TEST(Entmake, PaperSpaceEntitiesBelongToThePaperSpaceRecord) {
    auto d = Drawing::prototype();
    GroupList l = line_list(0);
    l.push_back(make_short(67, 1));
    EntityRef e = make(*d, l);
    EXPECT_EQ(d->space_of(e), Space::Paper);
    EntityRef owner = std::get<EntityRef>((*d->entget(e))[2].value);
    EXPECT_EQ(owner, d->tblobjname("BLOCK_RECORD", "*PAPER_SPACE"));
    EXPECT_EQ(d->space_of(make(*d, line_list(1))), Space::Model);
}
