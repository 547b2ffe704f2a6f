// What the drawing remembers for its lookups answers as a fresh look would,
// after every kind of change: many random edits, each followed by the
// drawing's own check and by comparisons with answers worked out here from
// the entity lists and tables alone.
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "db/drawing.h"
#include "dxf/value_text.h"

using namespace cadhost;
using namespace cadhost::db;

namespace {

const char* const kLayers[] = {"0", "WIRE", "wire", "Coil", "TEXTS", "T2"};
const char* const kBlocks[] = {"PART", "part", "TERM"};

Group text_group(int code, const std::string& s) { return make_group(code, s); }
Group point_group(int code, double x, double y) { return make_group(code, Point{x, y, 0}); }

class Edits {
public:
    Edits(std::unique_ptr<Drawing> d, unsigned seed) : m_d(std::move(d)), m_rng(seed) {
        for (EntityRef e = m_d->first_entity(); e; e = m_d->next_entity(e))
            if (!sub_type(m_d->type_of(e))) m_made.push_back(m_d->handle_of(e));
    }
    Drawing& d() { return *m_d; }

    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_rng); }
    const char* layer() { return kLayers[pick(static_cast<int>(std::size(kLayers)))]; }

    // Main entities in list order, deleted ones too: the ones edits work on.
    std::vector<EntityRef> mains() const {
        std::vector<EntityRef> out;
        for (const std::string& h : m_made)
            if (EntityRef e = m_d->handent(h)) out.push_back(e);
        return out;
    }

    void step() {
        switch (pick(9)) {
        case 0: make_line(); break;
        case 1: make_polyline(); break;
        case 2: move_to_layer(); break;
        case 3: toggle_delete(); break;
        case 4: rename_layer(); break;
        case 5: define_block(); break;
        case 6: insert_block(); break;
        case 7: take_back_edits(); break;
        default: ask(); break;
        }
    }

    // The answers main_entities, walk_key and the name lookups give now,
    // against answers worked out from entget and tblnext.
    void compare(const std::string& when) {
        std::vector<EntityRef> live;
        for (EntityRef e = m_d->first_entity(); e; e = m_d->next_entity(e))
            if (!sub_type(m_d->type_of(e))) live.push_back(e);
        std::string want_layer = layer();
        std::vector<EntityRef> want;
        for (EntityRef e : live)
            if (layer_of(e) == want_layer) want.push_back(e);
        auto got = m_d->main_entities([&](const Drawing::WalkKey& k) { return m_d->walk_text(k.layer) == want_layer; });
        EXPECT_EQ(got, want) << when << ": main entities on " << want_layer;
        for (EntityRef e : live) {
            Drawing::WalkKey k = m_d->walk_key(e);
            EXPECT_EQ(m_d->walk_text(k.type), m_d->type_of(e)) << when;
            EXPECT_EQ(m_d->walk_text(k.layer), layer_of(e)) << when;
            EXPECT_EQ(k.space, m_d->space_of(e)) << when;
        }
        // The record found for a name is the first of that name in table
        // order; records of one name differ in their stored spelling
        // ("WIRE", "wire"), which tells them apart.
        for (const char* name : kLayers) {
            std::string first;
            for (auto r = m_d->tblnext("LAYER", true); r && first.empty(); r = m_d->tblnext("LAYER", false))
                if (dxf::equal_nocase(group_text(*r, 2), name)) first = group_text(*r, 2);
            EntityRef found = m_d->tblobjname("LAYER", name);
            EXPECT_EQ(found ? group_text(*m_d->entget(found), 2) : std::string(), first) << when << ": layer " << name;
        }
        auto stale = m_d->stale_lookups();
        EXPECT_TRUE(stale.empty()) << when << ": " << (stale.empty() ? "" : stale.front());
    }

private:
    static bool sub_type(const std::string& t) { return t == "ATTRIB" || t == "VERTEX" || t == "SEQEND"; }
    static std::string group_text(const GroupList& l, int code) {
        for (const Group& g : l)
            if (g.code == code)
                if (auto s = std::get_if<std::string>(&g.value)) return *s;
        return {};
    }
    std::string layer_of(EntityRef e) const { return group_text(*m_d->entget(e), 8); }

    void made(Result<EntityRef> r) {
        ASSERT_TRUE(r.ok()) << r.error().message;
        m_made.push_back(m_d->handle_of(*r));
    }
    void make_line() {
        double x = pick(100);
        GroupList l = {text_group(0, "LINE"), text_group(8, layer()), point_group(10, x, 0), point_group(11, x, 5)};
        if (pick(4) == 0) l.push_back(make_short(67, 1));
        made(m_d->entmake(l));
    }
    void make_polyline() {
        std::string on = layer();
        auto head = m_d->entmake({text_group(0, "POLYLINE"), text_group(8, on), make_short(66, 1), make_short(70, 0)});
        ASSERT_TRUE(head.ok());
        for (int i = 0; i < 2; ++i)
            ASSERT_TRUE(m_d->entmake({text_group(0, "VERTEX"), text_group(8, on), point_group(10, i, i)}).ok());
        made(m_d->entmake({text_group(0, "SEQEND"), text_group(8, on)}));
        m_made.back() = m_d->handle_of(*head);
    }
    void move_to_layer() {
        auto all = mains();
        if (all.empty()) return;
        EntityRef e = all[static_cast<size_t>(pick(static_cast<int>(all.size())))];
        if (m_d->is_deleted(e)) return;
        GroupList l = *m_d->entget(e);
        for (Group& g : l)
            if (g.code == 8) g.value = std::string(layer());
        ASSERT_TRUE(m_d->entmod(l).ok());
    }
    void toggle_delete() {
        auto all = mains();
        if (all.empty()) return;
        ASSERT_TRUE(m_d->entdel(all[static_cast<size_t>(pick(static_cast<int>(all.size())))]).ok());
    }
    // A record renamed in place may become, or stop being, the first of a name.
    void rename_layer() {
        std::vector<EntityRef> records;
        for (auto r = m_d->tblnext("LAYER", true); r; r = m_d->tblnext("LAYER", false))
            if (group_text(*r, 2) != "0") records.push_back(m_d->tblobjname("LAYER", group_text(*r, 2)));
        if (records.empty()) {
            ASSERT_TRUE(m_d->ensure_layer(layer()).ok());
            return;
        }
        EntityRef rec = records[static_cast<size_t>(pick(static_cast<int>(records.size())))];
        GroupList l = *m_d->entget(rec);
        std::string to = layer();
        if (to == "0") return;
        for (Group& g : l)
            if (g.code == 2) g.value = to;
        (void)m_d->entmod(l);  // a name already taken may be refused; either way nothing may go stale
    }
    void define_block() {
        const char* name = kBlocks[pick(static_cast<int>(std::size(kBlocks)))];
        ASSERT_TRUE(m_d->entmake({text_group(0, "BLOCK"), text_group(2, name), make_short(70, 0), point_group(10, 0, 0)}).ok());
        ASSERT_TRUE(m_d->entmake({text_group(0, "LINE"), text_group(8, layer()), point_group(10, 0, 0), point_group(11, pick(9), 1)}).ok());
        ASSERT_TRUE(m_d->entmake({text_group(0, "ENDBLK")}).ok());
    }
    void insert_block() {
        const char* name = kBlocks[pick(static_cast<int>(std::size(kBlocks)))];
        if (!m_d->block_start(name)) return;
        made(m_d->entmake({text_group(0, "INSERT"), text_group(2, name), text_group(8, layer()), point_group(10, pick(50), 0)}));
    }
    // Edits made under a mark and taken back leave the drawing, and what it
    // remembers of it, as before them.
    void take_back_edits() {
        size_t mark = m_d->mark_changes();
        for (int i = 0; i < 3; ++i) {
            if (pick(2)) move_to_layer();
            else rename_layer();
        }
        m_d->end_mark(mark, pick(2) ? Drawing::MarkEnd::TakeBack : Drawing::MarkEnd::Keep);
    }
    void ask() {
        (void)m_d->tblobjname("LAYER", layer());
        (void)m_d->block_start(kBlocks[pick(static_cast<int>(std::size(kBlocks)))]);
        auto all = mains();
        if (!all.empty()) (void)m_d->walk_key(all[static_cast<size_t>(pick(static_cast<int>(all.size())))]);
    }

    std::unique_ptr<Drawing> m_d;
    std::mt19937 m_rng;
    std::vector<std::string> m_made;  // handles of the main entities made, in list order
};

TEST(Lookups, AnswerAsAFreshLookAfterEveryKindOfEdit) {
    for (unsigned seed : {1u, 2u, 3u, 4u}) {
        for (DxfVersion v : {DxfVersion::R12, DxfVersion::R2000}) {
            Edits e(Drawing::prototype(v), seed);
            for (int i = 0; i < 300; ++i) {
                e.step();
                if (::testing::Test::HasFatalFailure()) return;
                if (i % 7 == 0) e.compare("seed " + std::to_string(seed) + " step " + std::to_string(i));
            }
            e.compare("seed " + std::to_string(seed) + " end");
        }
    }
}

// A drawing read back from its own text starts with nothing remembered; the
// same answers come out of it once it has been asked again.
TEST(Lookups, ARereadDrawingGivesTheSameAnswers) {
    Edits e(Drawing::prototype(DxfVersion::R12), 9);
    for (int i = 0; i < 200; ++i) e.step();
    e.compare("before");
    auto again = Drawing::read_text(e.d().write_text(DxfVersion::R12), "again.dxf");
    ASSERT_TRUE(again.ok()) << again.error().message;
    Edits reread(std::move(*again), 9);
    for (int i = 0; i < 100; ++i) reread.step();
    reread.compare("after reading and editing");
}

}  // namespace
