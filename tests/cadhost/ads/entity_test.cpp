// Entity access through the C interface, on the demo drawing and on the
// shared sample drawings from other programs.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <functional>
#include <vector>

#include "host/rbconv.h"
#include "session_fixture.h"

using namespace cadhost;
using namespace cadhost::test;

namespace {
struct Chain {
    struct resbuf* rb;
    explicit Chain(struct resbuf* r) : rb(r) {}
    ~Chain() { ads_relrb(rb); }
    struct resbuf* get() const { return rb; }
};

// The first entity of a type in walk order.
bool find_entity(const char* type, ads_name out) {
    ads_name e;
    if (ads_entnext(nullptr, e) != RTNORM) return false;
    do {
        Chain c(ads_entget(e));
        if (rb_string(c.get(), 0) == type) {
            ads_name_set(e, out);
            return true;
        }
    } while (ads_entnext(e, e) == RTNORM);
    return false;
}
}  // namespace

class EntityWalk : public HostTest {
protected:
    // Opens each shared sample drawing and then the demo, and hands over
    // the entity names of each, in walk order, while it is open.
    template <typename Each>
    void each_drawing(Each each) {
        auto files = samples();
        files.push_back(demo_path());
        for (const auto& f : files) {
            SCOPED_TRACE(f);
            open(f);
            each(walk());
        }
    }
};

TEST_F(EntityWalk, ComplexEntitiesAreFollowedByTheirSubEntitiesAndSeqend) {
    int inserts_with_attribs = 0, polylines = 0;
    each_drawing([&](const std::vector<std::array<long, 2>>& names) {
        for (size_t i = 0; i < names.size(); ++i) {
            ads_name e = {names[i][0], names[i][1]};
            Chain c(ads_entget(e));
            ASSERT_NE(c.get(), nullptr);
            std::string t = rb_string(c.get(), 0);
            const struct resbuf* follows = rb_find(c.get(), 66);
            bool complex = (t == "INSERT" && follows && follows->resval.rint == 1) || t == "POLYLINE";
            if (!complex) continue;
            const char* sub = t == "INSERT" ? "ATTRIB" : "VERTEX";
            (t == "INSERT" ? inserts_with_attribs : polylines)++;
            size_t j = i + 1;
            for (; j < names.size(); ++j) {
                ads_name s = {names[j][0], names[j][1]};
                std::string st = type_of(s);
                if (st == "SEQEND") break;
                ASSERT_EQ(st, sub) << "after " << t;
            }
            ASSERT_LT(j, names.size()) << t << " without SEQEND";
            i = j;
        }
    });
    EXPECT_GT(inserts_with_attribs, 0);
    EXPECT_GT(polylines, 0);
}

// The chain entget makes is the host's entity list group for group, in
// the same order, for every entity of drawings from other programs too.
TEST_F(EntityWalk, EntgetChainsAreTheEntityListsGroupForGroup) {
    size_t compared = 0;
    each_drawing([&](const std::vector<std::array<long, 2>>& names) {
        long serial = session->drawing_serial();
        for (const auto& n : names) {
            ads_name e = {n[0], n[1]};
            auto list = session->drawing().entget(EntityRef{static_cast<uint64_t>(n[0])});
            ASSERT_TRUE(list);
            Chain want(ads::to_chain(*list, serial));
            Chain got(ads_entget(e));
            const struct resbuf *a = want.get(), *b = got.get();
            for (; a && b; a = a->rbnext, b = b->rbnext) {
                ASSERT_EQ(a->restype, b->restype);
                switch (ads::rb_kind(a->restype)) {
                case ads::RbKind::String: EXPECT_STREQ(a->resval.rstring, b->resval.rstring); break;
                case ads::RbKind::Point:
                    for (int k = 0; k < 3; ++k) EXPECT_EQ(a->resval.rpoint[k], b->resval.rpoint[k]);
                    break;
                case ads::RbKind::Real: EXPECT_EQ(a->resval.rreal, b->resval.rreal); break;
                case ads::RbKind::Short: EXPECT_EQ(a->resval.rint, b->resval.rint); break;
                case ads::RbKind::Long: EXPECT_EQ(a->resval.rlong, b->resval.rlong); break;
                case ads::RbKind::Name: EXPECT_TRUE(ads_name_equal(a->resval.rlname, b->resval.rlname)); break;
                default: break;
                }
                ++compared;
            }
            EXPECT_EQ(a, nullptr);
            EXPECT_EQ(b, nullptr);
        }
    });
    EXPECT_GT(compared, 100u);
}

// Reading only some codes gives what the whole list holds of those codes,
// among them a point's Y code, which the whole list holds only where the Y
// stands alone.
TEST_F(EntityWalk, ListsOfSomeCodesAreTheWholeListsGroupsOfThoseCodes) {
    const std::vector<std::vector<int>> code_sets = {{0, 66}, {10}, {20}, {8, 2, 41}, {1, 40, 50, 62}, {-1, 330, 5}};
    size_t compared = 0;
    each_drawing([&](const std::vector<std::array<long, 2>>& names) {
        for (const auto& n : names) {
            EntityRef e{static_cast<uint64_t>(n[0])};
            auto all = session->drawing().entget(e);
            ASSERT_TRUE(all);
            for (const auto& codes : code_sets) {
                struct Some final : db::GroupSink {
                    explicit Some(const std::vector<int>& c) : GroupSink(Codes::Wanted), codes(c) {}
                    bool wants(int c) const override { return std::find(codes.begin(), codes.end(), c) != codes.end(); }
                    void group(Group&& g, db::TagSpan) override {
                        if (wants(g.code)) got.push_back(std::move(g));
                    }
                    const std::vector<int>& codes;
                    GroupList got;
                } some(codes);
                GroupList want;
                for (const Group& g : *all)
                    if (some.wants(g.code)) want.push_back(g);
                ASSERT_TRUE(session->drawing().entget(e, some));
                auto got = std::optional<GroupList>(std::move(some.got));
                EXPECT_EQ(*got, want) << type_of(n.data());
                compared += want.size();
            }
        }
    });
    EXPECT_GT(compared, 100u);
}

TEST_F(EntityWalk, EntitiesCarryNameTypeHandleLayerAndOneGroupPerPoint) {
    open_demo();
    ads_name e;
    ASSERT_TRUE(find_entity("LINE", e));
    Chain c(ads_entget(e));
    const struct resbuf* self = rb_find(c.get(), -1);
    ASSERT_NE(self, nullptr);
    EXPECT_TRUE(ads_name_equal(self->resval.rlname, e));
    EXPECT_EQ(rb_string(c.get(), 8), "WIRES");
    EXPECT_FALSE(rb_string(c.get(), 5).empty());
    const struct resbuf* p = rb_find(c.get(), 10);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->resval.rpoint[X], 20.0);
    EXPECT_EQ(p->resval.rpoint[Y], 100.0);
    EXPECT_EQ(rb_find(c.get(), 20), nullptr) << "Y must be part of the point group";
}

TEST_F(EntityWalk, TextIsDecodedFromTheFile) {
    open_demo();
    ads_name e;
    ASSERT_TRUE(find_entity("TEXT", e));
    Chain c(ads_entget(e));
    EXPECT_EQ(rb_string(c.get(), 1), "Demo control circuit ^24V");  // "^ " is a literal caret
}

// Entities made without a layer go on the current layer, whether its name
// is stored as it reads or needs decoding ("^" and non-ASCII letters).
TEST_F(EntityWalk, EntitiesMadeWithoutALayerGoOnTheCurrentOne) {
    open_demo();
    for (const char* layer : {"WIRES-2", "Stra\xc3\x9f" "e ^1"}) {
        SCOPED_TRACE(layer);
        ASSERT_TRUE(session->drawing().set_header_var("$CLAYER", make_group(8, std::string(layer))));
        ads_point a = {0, 0, 0}, b = {5, 5, 0};
        Chain line(ads_buildlist(RTDXF0, "LINE", 10, a, 11, b, 0));
        ASSERT_EQ(ads_entmake(line.get()), RTNORM);
        ads_name last;
        ASSERT_EQ(ads_entlast(last), RTNORM);
        Chain made(ads_entget(last));
        EXPECT_EQ(rb_string(made.get(), 8), layer);
    }
}

TEST_F(EntityWalk, StaleNamesFromAnEarlierDrawingAreRejected) {
    open_demo();
    ads_name e;
    ASSERT_EQ(ads_entnext(nullptr, e), RTNORM);
    session->new_drawing();
    EXPECT_EQ(ads_entget(e), nullptr);
    ads_name next;
    EXPECT_EQ(ads_entnext(e, next), RTERROR);
}

class EntityEdit : public HostTest {};

TEST_F(EntityEdit, EntmodChangesAnAttributeValueThatSurvivesSaveAndReopen) {
    open_demo();
    ads_name ins, att;
    ASSERT_TRUE(find_entity("INSERT", ins));
    ASSERT_EQ(ads_entnext(ins, att), RTNORM);
    Chain c(ads_entget(att));
    ASSERT_EQ(rb_string(c.get(), 0), "ATTRIB");
    std::string handle = rb_string(c.get(), 5);
    struct resbuf* v = const_cast<struct resbuf*>(rb_find(c.get(), 1));
    free(v->resval.rstring);
    v->resval.rstring = strdup("X9-77");
    ASSERT_EQ(ads_entmod(c.get()), RTNORM);
    Chain again(ads_entget(att));
    EXPECT_EQ(rb_string(again.get(), 1), "X9-77");
    EXPECT_EQ(rb_string(again.get(), 2), "TERM");

    std::string path = (scratch() / "edited.dxf").string();
    ASSERT_TRUE(session->save_drawing(path, session->drawing().version()).ok());
    open(path);
    ads_name found;
    ASSERT_EQ(ads_handent(handle.c_str(), found), RTNORM);
    Chain reread(ads_entget(found));
    EXPECT_EQ(rb_string(reread.get(), 1), "X9-77");
    EXPECT_EQ(ezdxf_audit_errors(path) > 0, false);
}

// Other programs leave groups out at their defaults; the chain an
// application gets holds them all the same.
TEST_F(EntityEdit, AttributeChainsHoldTheGroupsTheFileLeavesOut) {
    std::string path = (scratch() / "sparse.dxf").string();
    FILE* f = fopen(path.c_str(), "w");
    ASSERT_TRUE(f);
    fputs("  0\nSECTION\n  2\nBLOCKS\n  0\nBLOCK\n  8\n0\n  2\nB\n 70\n2\n 10\n0\n 20\n0\n"
          "  0\nATTDEF\n  8\n0\n 10\n0\n 20\n0\n 40\n1\n  1\n?\n  3\nT\n  2\nTAG\n 70\n0\n  0\nENDBLK\n  8\n0\n"
          "  0\nENDSEC\n  0\nSECTION\n  2\nENTITIES\n  0\nINSERT\n  8\n0\n 66\n1\n  2\nB\n 10\n0\n 20\n0\n"
          "  0\nATTRIB\n  8\n0\n 10\n0\n 20\n0\n 40\n1\n  1\nK1\n  2\nTAG\n 70\n0\n  0\nSEQEND\n  8\n0\n"
          "  0\nENDSEC\n  0\nEOF\n", f);
    fclose(f);
    open(path);
    ads_name ins, att;
    ASSERT_TRUE(find_entity("INSERT", ins));
    ASSERT_EQ(ads_entnext(ins, att), RTNORM);
    Chain c(ads_entget(att));
    ASSERT_EQ(rb_string(c.get(), 0), "ATTRIB");
    const struct resbuf* rotation = rb_find(c.get(), 50);
    ASSERT_TRUE(rotation);
    EXPECT_EQ(rotation->restype, 50);
    EXPECT_EQ(rotation->resval.rreal, 0.0);
    ASSERT_TRUE(rb_find(c.get(), 41));
    EXPECT_EQ(rb_find(c.get(), 41)->resval.rreal, 1.0);
    EXPECT_EQ(rb_string(c.get(), 7), "STANDARD");
    for (int code : {71, 72, 73, 74}) {
        ASSERT_TRUE(rb_find(c.get(), code)) << code;
        EXPECT_EQ(rb_find(c.get(), code)->resval.rint, 0) << code;
    }
    Chain scale(ads_entget(ins));
    for (int code : {41, 42, 43}) {
        ASSERT_TRUE(rb_find(scale.get(), code)) << code;
        EXPECT_EQ(rb_find(scale.get(), code)->resval.rreal, 1.0) << code;
    }
}

TEST_F(EntityEdit, EntmakeOfLineTextAndInsertWithAttributes) {
    open_demo();
    ads_point a = {1, 2, 0}, b = {3, 4, 0};
    Chain line(ads_buildlist(RTDXF0, "LINE", 8, "WIRES", 10, a, 11, b, 0));
    ASSERT_EQ(ads_entmake(line.get()), RTNORM);
    ads_name last;
    ASSERT_EQ(ads_entlast(last), RTNORM);
    EXPECT_EQ(type_of(last), "LINE");

    Chain text(ads_buildlist(RTDXF0, "TEXT", 10, a, 40, 2.5, 1, "W101", 50, M_PI / 2, 0));
    ASSERT_EQ(ads_entmake(text.get()), RTNORM);
    ASSERT_EQ(ads_entlast(last), RTNORM);
    Chain t(ads_entget(last));
    EXPECT_EQ(rb_string(t.get(), 1), "W101");
    EXPECT_EQ(rb_string(t.get(), 8), "0") << "no layer given: the current layer";
    EXPECT_DOUBLE_EQ(rb_find(t.get(), 50)->resval.rreal, M_PI / 2);

    Chain ins(ads_buildlist(RTDXF0, "INSERT", 2, "TERMINAL", 66, 1, 10, b, 0));
    Chain att(ads_buildlist(RTDXF0, "ATTRIB", 10, b, 40, 2.5, 1, "X5", 2, "TERM", 70, 0, 0));
    Chain end(ads_buildlist(RTDXF0, "SEQEND", 0));
    ASSERT_EQ(ads_entmake(ins.get()), RTNORM);
    ASSERT_EQ(ads_entmake(att.get()), RTNORM);
    ASSERT_EQ(ads_entmake(end.get()), RTNORM);
    ASSERT_EQ(ads_entlast(last), RTNORM);
    EXPECT_EQ(type_of(last), "INSERT");
    ads_name sub;
    ASSERT_EQ(ads_entnext(last, sub), RTNORM);
    Chain made_att(ads_entget(sub));
    EXPECT_EQ(rb_string(made_att.get(), 1), "X5");

    std::string path = (scratch() / "made.dxf").string();
    ASSERT_TRUE(session->save_drawing(path, session->drawing().version()).ok());
    EXPECT_LE(ezdxf_audit_errors(path), 0);
}

// Extended data comes back only through entgetx, and only that of the
// applications asked for.
TEST_F(EntityEdit, EntgetxGivesTheExtendedDataOfTheApplicationsNamed) {
    open_demo();
    ASSERT_EQ(ads_regapp("PARTS"), RTNORM);
    ASSERT_EQ(ads_regapp("NOTES"), RTNORM);
    ads_point a = {1, 2, 0}, b = {3, 4, 0};
    Chain line(ads_buildlist(RTDXF0, "LINE", 10, a, 11, b, -3, 1001, "PARTS", 1000, "M-12", 1040, 2.5, 1001,
                             "NOTES", 1000, "spare", 0));
    ASSERT_EQ(ads_entmake(line.get()), RTNORM);
    ads_name e;
    ASSERT_EQ(ads_entlast(e), RTNORM);

    Chain plain(ads_entget(e));
    EXPECT_EQ(rb_find(plain.get(), -3), nullptr);
    EXPECT_EQ(rb_find(plain.get(), 1001), nullptr);

    Chain parts_app(ads_buildlist(RTSTR, "parts", 0));
    Chain parts(ads_entgetx(e, parts_app.get()));
    ASSERT_NE(rb_find(parts.get(), -3), nullptr);
    EXPECT_EQ(rb_string(parts.get(), 1001), "PARTS");
    EXPECT_EQ(rb_string(parts.get(), 1000), "M-12");
    ASSERT_NE(rb_find(parts.get(), 1040), nullptr);
    EXPECT_DOUBLE_EQ(rb_find(parts.get(), 1040)->resval.rreal, 2.5);
    int apps = 0;
    for (const struct resbuf* r = parts.get(); r; r = r->rbnext) apps += r->restype == 1001;
    EXPECT_EQ(apps, 1) << "only the application asked for";

    Chain all_apps(ads_buildlist(RTSTR, "*", 0));
    Chain all(ads_entgetx(e, all_apps.get()));
    apps = 0;
    for (const struct resbuf* r = all.get(); r; r = r->rbnext) apps += r->restype == 1001;
    EXPECT_EQ(apps, 2);

    Chain other_app(ads_buildlist(RTSTR, "OTHER", 0));
    Chain none(ads_entgetx(e, other_app.get()));
    ASSERT_NE(none.get(), nullptr);
    EXPECT_EQ(rb_find(none.get(), -3), nullptr) << "no -3 when no application asked for has data";
    EXPECT_EQ(rb_string(none.get(), 0), "LINE");
}

TEST_F(EntityEdit, EntmakeRejectsListsWithoutAType) {
    open_demo();
    ads_point a = {1, 2, 0};
    Chain bad(ads_buildlist(10, a, 0));
    EXPECT_NE(ads_entmake(bad.get()), RTNORM);
    EXPECT_NE(ads_entmake(nullptr), RTNORM);
}

TEST_F(EntityEdit, EntdelTogglesAndDeletedEntitiesAreNotSaved) {
    open_demo();
    ads_name e;
    ASSERT_TRUE(find_entity("TEXT", e));
    Chain c(ads_entget(e));
    std::string handle = rb_string(c.get(), 5);
    EXPECT_EQ(ads_entupd(e), RTNORM);
    ASSERT_EQ(ads_entdel(e), RTNORM);
    EXPECT_EQ(ads_entget(e), nullptr);
    EXPECT_EQ(ads_entupd(e), RTERROR) << "a deleted entity is not there to update";
    ASSERT_EQ(ads_entdel(e), RTNORM);  // undelete
    Chain back(ads_entget(e));
    EXPECT_EQ(rb_string(back.get(), 0), "TEXT");
    EXPECT_EQ(ads_entupd(e), RTNORM);
    ads_name bogus = {e[0] + 1000000, e[1]};
    EXPECT_EQ(ads_entupd(bogus), RTERROR);
    ASSERT_EQ(ads_entdel(e), RTNORM);
    std::string path = (scratch() / "deleted.dxf").string();
    ASSERT_TRUE(session->save_drawing(path, session->drawing().version()).ok());
    open(path);
    ads_name gone;
    EXPECT_EQ(ads_handent(handle.c_str(), gone), RTERROR);
}

class Tables : public HostTest {};

TEST_F(Tables, LayerLookupIgnoresCaseAndBlockDefinitionsAreWalkable) {
    open_demo();
    Chain layer(ads_tblsearch("LAYER", "wires", 0));
    ASSERT_NE(layer.get(), nullptr);
    EXPECT_EQ(rb_string(layer.get(), 2), "WIRES");
    EXPECT_EQ(rb_find(layer.get(), 62)->resval.rint, 1);
    EXPECT_EQ(ads_tblsearch("LAYER", "NOSUCH", 0), nullptr);

    Chain block(ads_tblsearch("BLOCK", "TERMINAL", 0));
    ASSERT_NE(block.get(), nullptr);
    const struct resbuf* first = rb_find(block.get(), -2);
    ASSERT_NE(first, nullptr);
    ads_name e;
    ads_name_set(first->resval.rlname, e);
    std::vector<std::string> types;
    do types.push_back(type_of(e));
    while (ads_entnext(e, e) == RTNORM);
    EXPECT_EQ(types, (std::vector<std::string>{"CIRCLE", "ATTDEF"}));
}

TEST_F(Tables, TblnextVisitsEveryLayerOnce) {
    open_demo();
    std::vector<std::string> names;
    for (struct resbuf* r = ads_tblnext("LAYER", 1); r; r = ads_tblnext("LAYER", 0)) {
        names.push_back(rb_string(r, 2));
        ads_relrb(r);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"0", "WIRES", "TEXT"}));
}

class Variables : public HostTest {};

TEST_F(Variables, DrawingVariablesComeFromTheHeaderAndMarkChanges) {
    open_demo();
    struct resbuf rb;
    ASSERT_EQ(ads_getvar("DBMOD", &rb), RTNORM);
    EXPECT_EQ(rb.resval.rint, 0);
    struct resbuf set;
    set.restype = RTSTR;
    set.resval.rstring = const_cast<char*>("WIRES");
    set.rbnext = nullptr;
    ASSERT_EQ(ads_setvar("clayer", &set), RTNORM);
    ASSERT_EQ(ads_getvar("CLAYER", &rb), RTNORM);
    EXPECT_STREQ(rb.resval.rstring, "WIRES");
    free(rb.resval.rstring);
    ASSERT_EQ(ads_getvar("DBMOD", &rb), RTNORM);
    EXPECT_NE(rb.resval.rint, 0);

    // New entities without a layer go on the current one.
    ads_point a = {0, 0, 0};
    struct resbuf* pt = ads_buildlist(RTDXF0, "POINT", 10, a, 0);
    ASSERT_EQ(ads_entmake(pt), RTNORM);
    ads_relrb(pt);
    ads_name last;
    ASSERT_EQ(ads_entlast(last), RTNORM);
    struct resbuf* got = ads_entget(last);
    EXPECT_EQ(rb_string(got, 8), "WIRES");
    ads_relrb(got);
}

TEST_F(Variables, TypesAndReadOnlyVariablesAreChecked) {
    open_demo();
    struct resbuf v;
    v.rbnext = nullptr;
    v.restype = RTSHORT;
    v.resval.rint = 42;
    ASSERT_EQ(ads_setvar("USERI3", &v), RTNORM);
    struct resbuf got;
    ASSERT_EQ(ads_getvar("USERI3", &got), RTNORM);
    EXPECT_EQ(got.restype, RTSHORT);
    EXPECT_EQ(got.resval.rint, 42);
    EXPECT_EQ(ads_setvar("DWGNAME", &v), RTERROR);
    EXPECT_EQ(ads_setvar("NOSUCHVAR", &v), RTERROR);
    v.restype = RTSTR;
    v.resval.rstring = const_cast<char*>("text");
    EXPECT_EQ(ads_setvar("USERI3", &v), RTERROR);
    ASSERT_EQ(ads_getvar("ACADVER", &got), RTNORM);
    EXPECT_STREQ(got.resval.rstring, "14.0");
    free(got.resval.rstring);
}
