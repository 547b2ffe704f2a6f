// Entity lists hold the groups of their type that files leave out at their
// defaults; the files themselves keep only what they had, unless an
// application changes such a group, which then lands in its subclass.
#include <gtest/gtest.h>

#include <cmath>
#include <deque>
#include <random>

#include "db/entity_defaults.h"
#include "test_support.h"

using namespace cadhost;
using namespace cadhost::db;
using namespace cadhost::db::test;

namespace {

using Tags = std::vector<std::pair<int, std::string>>;

// DXF text as the host writes it: codes right-aligned in three columns.
std::string dxf_text(const Tags& tags) {
    std::string out;
    for (const auto& [code, text] : tags) {
        std::string c = std::to_string(code);
        out += std::string(c.size() < 3 ? 3 - c.size() : 0, ' ') + c + "\n" + text + "\n";
    }
    return out;
}

// An R12 drawing as other programs write it: an attributed block inserted
// once with its attribute and once without (and without group 66), a
// three-cornered SOLID and a TEXT, each with only the groups that differ
// from their defaults.
const Tags r12_tags = {
    {0, "SECTION"}, {2, "HEADER"}, {9, "$ACADVER"}, {1, "AC1009"}, {9, "$HANDLING"}, {70, "1"},
    {9, "$HANDSEED"}, {5, "100"}, {0, "ENDSEC"},
    {0, "SECTION"}, {2, "TABLES"},
    {0, "TABLE"}, {2, "LTYPE"}, {70, "1"},
    {0, "LTYPE"}, {5, "10"}, {2, "CONTINUOUS"}, {70, "0"}, {3, "Solid line"}, {72, "65"}, {73, "0"}, {40, "0.0"},
    {0, "ENDTAB"},
    {0, "TABLE"}, {2, "LAYER"}, {70, "1"},
    {0, "LAYER"}, {5, "11"}, {2, "0"}, {70, "0"}, {62, "7"}, {6, "CONTINUOUS"},
    {0, "ENDTAB"}, {0, "ENDSEC"},
    {0, "SECTION"}, {2, "BLOCKS"},
    {0, "BLOCK"}, {5, "20"}, {8, "0"}, {2, "TAG"}, {70, "2"}, {10, "0.0"}, {20, "0.0"}, {30, "0.0"},
    {0, "ATTDEF"}, {5, "21"}, {8, "0"}, {10, "0.0"}, {20, "0.0"}, {30, "0.0"}, {40, "2.5"}, {1, "?"},
    {3, "Number"}, {2, "NUM"}, {70, "0"},
    {0, "ENDBLK"}, {5, "22"}, {8, "0"},
    {0, "ENDSEC"},
    {0, "SECTION"}, {2, "ENTITIES"},
    {0, "INSERT"}, {5, "30"}, {8, "0"}, {2, "TAG"}, {10, "5.0"}, {20, "5.0"}, {30, "0.0"},
    {0, "ATTRIB"}, {5, "31"}, {8, "0"}, {10, "5.0"}, {20, "5.0"}, {30, "0.0"}, {40, "2.5"}, {1, "K1"},
    {2, "NUM"}, {70, "0"},
    {0, "SEQEND"}, {5, "32"}, {8, "0"},
    {0, "INSERT"}, {5, "33"}, {8, "0"}, {2, "TAG"}, {10, "1.0"}, {20, "1.0"}, {30, "0.0"}, {50, "30.0"},
    {0, "SOLID"}, {5, "34"}, {8, "0"}, {10, "0.0"}, {20, "0.0"}, {30, "0.0"}, {11, "4.0"}, {21, "0.0"},
    {31, "0.0"}, {12, "0.0"}, {22, "3.0"}, {32, "0.0"},
    {0, "TEXT"}, {5, "35"}, {8, "0"}, {10, "1.0"}, {20, "2.0"}, {30, "0.0"}, {40, "3.0"}, {1, "hello"},
    {0, "ENDSEC"}, {0, "EOF"},
};

std::unique_ptr<Drawing> read(const std::string& text) {
    auto r = Drawing::read_text(text, "defaults.dxf");
    if (!r) {
        ADD_FAILURE() << r.error().what();
        return nullptr;
    }
    return r.release();
}

std::vector<int> codes_of(const GroupList& l) {
    std::vector<int> out;
    for (const Group& g : l) out.push_back(g.code);
    return out;
}

const Group& group(const GroupList& l, int code) {
    static const Group none{-9999, std::string("missing")};
    const Group* g = find_group(l, code);
    EXPECT_TRUE(g) << "no group " << code;
    return g ? *g : none;
}

void set(GroupList& l, Group g) {
    Group* at = find_group(l, g.code);
    ASSERT_TRUE(at) << "no group " << g.code;
    *at = std::move(g);
}

Point point_of(const GroupList& l, int code) {
    auto p = std::get_if<Point>(&group(l, code).value);
    return p ? *p : Point{NAN, NAN, NAN};
}

size_t count_of(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t p = text.find(what); p != std::string::npos; p = text.find(what, p + 1)) ++n;
    return n;
}

// The entity whose handle ezdxf reports, or an empty one.
ReadBack read_back(const std::vector<ReadBack>& all, const std::string& handle) {
    for (const ReadBack& e : all)
        if (e.handle == handle) return e;
    ADD_FAILURE() << "ezdxf reads no entity " << handle;
    return {};
}

}  // namespace

TEST(Defaults, AttributeListsHoldTheTextGroupsInWriteOrderAndTheFileStaysAsItWas) {
    std::string text = dxf_text(r12_tags);
    auto d = read(text);
    ASSERT_TRUE(d);
    EntityRef attrib = d->handent("31");
    GroupList l = *d->entget(attrib);
    // The groups the file left out come where the type writes them: the
    // text groups before the attribute's tag, its own after its flags.
    EXPECT_EQ(codes_of(l), (std::vector<int>{-1, 0, 5, 8, 10, 40, 1, 50, 41, 51, 7, 71, 72, 11, 210, 2, 70, 73, 74}));
    EXPECT_EQ(std::get<double>(group(l, 50).value), 0.0);
    EXPECT_EQ(std::get<double>(group(l, 41).value), 1.0);
    EXPECT_EQ(group_string(l, 7), "STANDARD");
    EXPECT_EQ(point_of(l, 210), (Point{0, 0, 1}));
    for (int code : {71, 72, 73, 74}) EXPECT_EQ(group(l, code).value, GroupValue(int16_t(0))) << code;

    GroupList t = *d->entget(d->handent("35"));
    EXPECT_EQ(codes_of(t), (std::vector<int>{-1, 0, 5, 8, 10, 40, 1, 50, 41, 51, 7, 71, 72, 11, 210, 73}));
    auto block = d->tblsearch("BLOCK", "TAG");
    ASSERT_TRUE(block);
    GroupList def = *d->entget(std::get<EntityRef>(group(*block, -2).value));
    EXPECT_EQ(group_string(def, 3), "Number") << "the file's own value stays";
    EXPECT_EQ(group(def, 74).value, GroupValue(int16_t(0)));

    EXPECT_EQ(d->write_text(d->version()), text) << "reading and writing adds nothing";
    EXPECT_EQ(d->dbmod(), 0);
}

TEST(Defaults, InsertsSayWhetherAttributesFollowAndGiveScaleAndSpacing) {
    auto d = read(dxf_text(r12_tags));
    ASSERT_TRUE(d);
    GroupList with = *d->entget(d->handent("30"));
    GroupList without = *d->entget(d->handent("33"));
    EXPECT_EQ(group(with, 66).value, GroupValue(int16_t(1))) << "attributes follow though the file has no 66";
    EXPECT_EQ(group(without, 66).value, GroupValue(int16_t(0)));
    for (int code : {41, 42, 43}) EXPECT_EQ(std::get<double>(group(without, code).value), 1.0) << code;
    for (int code : {44, 45}) EXPECT_EQ(std::get<double>(group(without, code).value), 0.0) << code;
    for (int code : {70, 71}) EXPECT_EQ(group(without, code).value, GroupValue(int16_t(1))) << code;
    EXPECT_DOUBLE_EQ(std::get<double>(group(without, 50).value), M_PI / 6) << "the file's rotation stays";
    std::vector<int> codes = codes_of(without);
    EXPECT_EQ(std::count(codes.begin(), codes.end(), 50), 1);
}

TEST(Defaults, ASolidOfThreeCornersRepeatsTheThirdAsTheFourth) {
    auto d = read(dxf_text(r12_tags));
    ASSERT_TRUE(d);
    GroupList l = *d->entget(d->handent("34"));
    EXPECT_EQ(point_of(l, 13), (Point{0, 3, 0}));
    EXPECT_EQ(point_of(l, 210), (Point{0, 0, 1}));
}

// Takes the groups of one code only, leaving the others unread.
struct CodeSink final : GroupSink {
    explicit CodeSink(int c) : GroupSink(Codes::Wanted), code(c) {}
    bool wants(int c) const override { return c == code; }
    void group(Group&& g, TagSpan) override {
        if (g.code == code) got.push_back(std::move(g));
    }
    int code;
    GroupList got;
};

TEST(Defaults, ReadersOfSomeCodesAndTheWholeListAgree) {
    auto d = read(dxf_text(r12_tags));
    ASSERT_TRUE(d);
    for (EntityRef e = d->first_entity(); e; e = d->next_entity(e)) {
        GroupList all = *d->entget(e);
        for (int code : {50, 66, 13, 74, 7, 210}) {
            CodeSink some(code);
            ASSERT_TRUE(d->entget(e, some));
            GroupList expected;
            for (const Group& g : all)
                if (g.code == code) expected.push_back(g);
            EXPECT_EQ(some.got, expected) << d->type_of(e) << " " << code;
        }
        struct Sink final : GroupSink {
            void group(Group&& g, TagSpan) override { got.push_back(std::move(g)); }
            void text(int code, std::string_view t, TagSpan) override { got.push_back(make_group(code, std::string(t))); }
            GroupList got;
        } sink;
        ASSERT_TRUE(d->entget(e, sink));
        EXPECT_EQ(sink.got, all) << d->type_of(e);
    }
}

// In R13+ files each group belongs to a subclass; a default an application
// changes must land in the right one, or other readers do not see it.
TEST(Defaults, AChangedDefaultIsWrittenInItsSubclassAndOnlyIt) {
    auto made = Drawing::prototype(DxfVersion::R2000);
    ASSERT_TRUE(made->entmake({make_group(0, std::string("BLOCK")), make_group(2, std::string("TAG")), make_short(70, 2),
                               make_group(10, Point{})}).ok());
    ASSERT_TRUE(made->entmake({make_group(0, std::string("ATTDEF")), make_group(10, Point{}), make_group(40, 1.0),
                               make_group(1, std::string("?")), make_group(3, std::string("N")),
                               make_group(2, std::string("NUM")), make_short(70, 0)}).ok());
    ASSERT_TRUE(made->entmake({make_group(0, std::string("ENDBLK"))}).ok());
    ASSERT_TRUE(made->entmake({make_group(0, std::string("INSERT")), make_short(66, 1), make_group(2, std::string("TAG")),
                               make_group(10, Point{1, 1, 0})}).ok());
    ASSERT_TRUE(made->entmake({make_group(0, std::string("ATTRIB")), make_group(10, Point{1, 1, 0}), make_group(40, 1.0),
                               make_group(1, std::string("42")), make_group(2, std::string("NUM"))}).ok());
    ASSERT_TRUE(made->entmake({make_group(0, std::string("SEQEND"))}).ok());
    ASSERT_TRUE(made->entmake({make_group(0, std::string("TEXT")), make_group(10, Point{2, 2, 0}), make_group(40, 1.0),
                               make_group(1, std::string("hi"))}).ok());
    std::string text = made->write_text(DxfVersion::R2000);
    auto d = read(text);
    ASSERT_TRUE(d);
    EntityRef insert = d->first_entity(), attrib = d->next_entity(insert);
    EntityRef txt = d->next_entity(d->next_entity(attrib));
    ASSERT_EQ(d->type_of(attrib), "ATTRIB");
    ASSERT_EQ(d->type_of(txt), "TEXT");

    // Handing back the whole list unchanged changes nothing.
    for (EntityRef e : {insert, attrib, txt}) ASSERT_TRUE(d->entmod(*d->entget(e)).ok());
    EXPECT_EQ(d->write_text(DxfVersion::R2000), text);
    EXPECT_EQ(d->dbmod(), 0);

    GroupList a = *d->entget(attrib);
    set(a, make_group(50, M_PI / 2));
    set(a, make_short(74, 2));
    set(a, make_short(72, 1));
    ASSERT_TRUE(d->entmod(a).ok());
    GroupList t = *d->entget(txt);
    set(t, make_short(73, 3));
    set(t, make_group(7, std::string("Standard")));
    ASSERT_TRUE(d->entmod(t).ok());
    GroupList i = *d->entget(insert);
    set(i, make_group(41, 2.0));
    ASSERT_TRUE(d->entmod(i).ok());

    // Through the entity API.
    GroupList a2 = *d->entget(attrib);
    EXPECT_DOUBLE_EQ(std::get<double>(group(a2, 50).value), M_PI / 2);
    EXPECT_EQ(group(a2, 74).value, GroupValue(int16_t(2)));
    EXPECT_EQ(codes_of(a2), codes_of(a)) << "changed defaults keep their places in the list";
    EXPECT_EQ(group(*d->entget(txt), 73).value, GroupValue(int16_t(3)));

    std::string out = d->write_text(DxfVersion::R2000);
    EXPECT_EQ(count_of(out, "\n 50\n"), count_of(text, "\n 50\n") + 1) << "only the changed groups are added";
    EXPECT_EQ(count_of(out, "\n 51\n"), count_of(text, "\n 51\n"));
    // Each in its own subclass: 50 and 72 with the text groups, 74 after
    // the attribute marker, TEXT's 73 after its second marker.
    auto at = [&](const std::string& s) { return out.find(s); };
    size_t attrib_at = at("\n  0\nATTRIB\n"), attrib_marker = out.find("AcDbAttribute\n", attrib_at);
    EXPECT_LT(out.find("\n 50\n90.0\n", attrib_at), attrib_marker);
    EXPECT_LT(out.find("\n 72\n1\n", attrib_at), attrib_marker);
    EXPECT_GT(out.find("\n 74\n2\n", attrib_at), attrib_marker);

    std::string path = temp_dir() + "/changed_defaults.dxf";
    ASSERT_TRUE(d->save(path, DxfVersion::R2000).ok());
    auto back = ezdxf_read(path);
    if (!back) GTEST_SKIP() << "ezdxf not installed";
    ReadBack ra = read_back(*back, d->handle_of(attrib));
    EXPECT_EQ(ra["rotation"], "90.0");
    EXPECT_EQ(ra["valign"], "2");
    EXPECT_EQ(ra["halign"], "1");
    ReadBack rt = read_back(*back, d->handle_of(txt));
    EXPECT_EQ(rt["valign"], "3");
    EXPECT_EQ(rt["style"], "Standard");
    EXPECT_EQ(read_back(*back, d->handle_of(insert))["xscale"], "2.0");
}

namespace {

// Tags of a made-up entity of `type`: its markers, or none as in R12
// files, and a random choice of its layout's codes, mostly in write order.
struct MadeTags {
    std::vector<std::string> texts;
    TagVec tags;
};

MadeTags made_tags(const EntityLayout& layout, std::mt19937& rng, bool markers, bool blank_marker) {
    std::vector<std::pair<int, std::string>> groups{{0, layout.type}, {5, "1F"}, {8, "0"}};
    auto chance = [&rng](int in) { return std::uniform_int_distribution<int>(0, in - 1)(rng) == 0; };
    if (markers) groups.insert(groups.begin() + 2, {100, blank_marker ? "  AcDbEntity " : "AcDbEntity"});
    for (const SubclassLayout& s : layout.subclasses) {
        if (markers && s.marker) groups.push_back({100, s.marker});
        for (int c : s.codes)
            if (!chance(2)) groups.push_back({c, "1"});
    }
    if (groups.size() > 4 && chance(3)) std::swap(groups[3], groups[groups.size() - 1]);
    if (chance(4)) groups.push_back({999, "comment"});
    MadeTags m;
    m.texts.reserve(groups.size());
    for (const auto& [code, text] : groups) {
        m.texts.push_back(text);
        m.tags.push_back(Tag{m.texts.back().data(), static_cast<uint32_t>(m.texts.back().size()), code});
    }
    return m;
}

void expect_same(const MissingDefaults& got, const MissingDefaults& want, const std::string& what) {
    ASSERT_EQ(got.count, want.count) << what;
    for (size_t k = 0; k < want.count; ++k) {
        EXPECT_EQ(got.at[k].before, want.at[k].before) << what << " default " << k;
        EXPECT_EQ(got.at[k].source, want.at[k].source) << what << " default " << k;
        EXPECT_EQ(got.at[k].index, want.at[k].index) << what << " default " << k;
    }
}

}  // namespace

// The defaults an entity lacks are remembered by the shape of its tags;
// every answer must be the one worked out afresh, whether the shape was
// seen before, pushed out by others, too long to be remembered, or the
// same codes with an entity marker written differently.
TEST(Defaults, RememberedAnswersAreTheOnesWorkedOutAfresh) {
    std::mt19937 rng(7);
    const char* types[] = {"ATTRIB", "INSERT", "SOLID", "LWPOLYLINE", "TEXT", "LINE", "VERTEX", "MTEXT"};
    std::deque<MadeTags> seen;  // tags point into their texts, which stay in place
    for (int round = 0; round < 3000; ++round) {
        bool again = seen.size() >= 200 || (!seen.empty() && round % 3 == 0);
        if (!again) {
            const TypeDefaults* d = type_defaults(types[round % std::size(types)]);
            ASSERT_NE(d, nullptr) << types[round % std::size(types)];
            seen.push_back(made_tags(d->layout(), rng, round % 2 == 0, round % 5 == 0));
        }
        const MadeTags& m = again ? seen[static_cast<size_t>(round * 7919) % seen.size()] : seen.back();
        const char* type = m.tags[0].ptr;
        const TypeDefaults* d = type_defaults(type);
        std::string what = std::string(type) + " round " + std::to_string(round);
        expect_same(missing_defaults(*d, m.tags, m.tags.size()), work_out_missing_defaults(*d, m.tags, m.tags.size()),
                    what);
        // Only the tags before an entity's extended data are looked at.
        size_t part = m.tags.size() / 2;
        expect_same(missing_defaults(*d, m.tags, part), work_out_missing_defaults(*d, m.tags, part), what + " part");
        if (::testing::Test::HasFatalFailure()) return;
    }
    // A marker that is not the entity's own, in the place of one that is, or
    // the entity's own marker written twice or second: the same codes,
    // lacking defaults elsewhere.
    const TypeDefaults* attrib = type_defaults("ATTRIB");
    std::vector<std::string> marker_texts = {"ATTRIB", "AcDbEntity", "AcDbText", "AcDbAttribute"};
    const std::pair<const char*, const char*> markers[] = {{"AcDbEntity", "AcDbText"},   {"AcDbOther", "AcDbText"},
                                                           {"AcDbOther", "AcDbEntity"},  {"AcDbEntity", "AcDbEntity"},
                                                           {"AcDbEntity", "AcDbText"},   {"AcDbOther", "AcDbEntity"}};
    for (const auto& [first, second] : markers) {
        marker_texts[1] = first;
        marker_texts[2] = second;
        TagVec tags;
        int codes[] = {0, 100, 100, 10, 100, 2};
        size_t text = 0;
        for (int c : codes) {
            const std::string& s = c == 100 || c == 0 ? marker_texts[text++] : marker_texts[0];
            tags.push_back(Tag{s.data(), static_cast<uint32_t>(s.size()), c});
        }
        expect_same(missing_defaults(*attrib, tags, tags.size()), work_out_missing_defaults(*attrib, tags, tags.size()),
                    std::string("markers ") + first + ", " + second);
    }
    // More tags than a remembered shape holds.
    MadeTags big = made_tags(attrib->layout(), rng, true, false);
    while (big.tags.size() < 100) big.tags.push_back(Tag{"x", 1, 999});
    expect_same(missing_defaults(*attrib, big.tags, big.tags.size()),
                work_out_missing_defaults(*attrib, big.tags, big.tags.size()), "long entity");
}
