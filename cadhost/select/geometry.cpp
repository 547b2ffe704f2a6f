// Walking a drawing's main entities and keeping those a filter and a box
// accept.
#include "select/geometry.h"

#include <algorithm>
#include <functional>
#include <optional>
#include <unordered_map>

#include "core/groupcode.h"
#include "select/outline.h"

namespace cadhost::select {

namespace {

bool inside(const Outline& o, const Box& b) {
    if (o.empty()) return false;
    for (const auto& s : o.segments)
        if (!b.contains(s.a) || !b.contains(s.b)) return false;
    for (const auto& a : o.arcs) {
        Box e = arc_extent(a);
        if (!b.contains(e.x0, e.y0) || !b.contains(e.x1, e.y1)) return false;
    }
    for (const auto& p : o.points)
        if (!b.contains(p)) return false;
    return true;
}

bool meets(const Outline& o, const Box& b) {
    for (const auto& s : o.segments)
        if (segment_meets_box(s, b)) return true;
    for (const auto& a : o.arcs)
        if (arc_meets_box(a, b)) return true;
    for (const auto& p : o.points)
        if (b.contains(p)) return true;
    return false;
}

// Keeps the entities the filter and `keep` accept. When the filter decides
// from the type and layer alone, an entity it refuses is never read in full,
// nor one it accepts when `keep` needs no groups. Entities of one type and
// layer get one verdict, worked out the first time the pair is met.
enum class KeepNeeds { Groups, Nothing };

class PreVerdicts {
public:
    PreVerdicts(const db::Drawing& d, const Filter& f) : m_drawing(d), m_filter(f) {}
    Verdict of(const db::Drawing::WalkKey& k) {
        if (k.type == 0) return Verdict::Open;
        uint64_t pair = (uint64_t{k.type} << 32) | k.layer;
        auto [it, added] = m_known.try_emplace(pair, Verdict::Open);
        if (added) {
            std::optional<std::string_view> layer;
            if (k.layer) layer = m_drawing.walk_text(k.layer);
            it->second = m_filter.pre_match(m_drawing.walk_text(k.type), layer);
        }
        return it->second;
    }

private:
    const db::Drawing& m_drawing;
    const Filter& m_filter;
    std::unordered_map<uint64_t, Verdict> m_known;
};

template <typename Keep>
std::vector<EntityRef> collect(const db::Drawing& d, const Filter* filter, KeepNeeds needs, Keep keep) {
    std::vector<EntityRef> out;
    if (!filter) {
        for (EntityRef e = d.first_entity(); e; e = d.next_entity(e)) {
            db::Drawing::WalkKey k = d.walk_key(e);
            if (k.sub || k.space != db::Space::Model) continue;
            auto g = d.entget(e);
            if (g && keep(e, *g)) out.push_back(e);
        }
        return out;
    }
    bool paper = filter->tests_code(67) || filter->tests_code(410);
    PreVerdicts verdicts(d, *filter);
    auto candidates = d.main_entities([&](const db::Drawing::WalkKey& k) {
        return (k.space == db::Space::Model || (k.space == db::Space::Paper && paper)) && verdicts.of(k) != Verdict::No;
    });
    // When `keep` needs no groups, only those of the codes the filter tests
    // are read; the filter looks at no others.
    struct Tested final : db::GroupSink {
        explicit Tested(const Filter& f) : GroupSink(Codes::Wanted), filter(f) {}
        // Asked of the filter once per code, when a group of it first comes:
        // an entity holds few of the codes there are.
        bool wants(int code) const override {
            if (code < 0 || code >= kGroupCodes) return filter.tests_code(code);
            int8_t& known = tested[static_cast<size_t>(code)];
            if (known < 0) known = filter.tests_code(code) ? 1 : 0;
            return known == 1;
        }
        void group(Group&& g, db::TagSpan) override {
            if (wants(g.code)) groups.push_back(std::move(g));
        }
        const Filter& filter;
        mutable std::vector<int8_t> tested = std::vector<int8_t>(static_cast<size_t>(kGroupCodes), -1);
        GroupList groups;
    } tested(*filter);
    // A filter of groups that each take one tag (texts, numbers, angles) is
    // answered from those tags when the entity holds each of them once,
    // which is what reading the entity would give for them: the few title
    // blocks among a sheet's hundreds of other block references are found
    // without reading every one.
    std::vector<int> codes;
    bool from_tags = needs == KeepNeeds::Nothing && filter->tested_codes(codes) &&
                     std::all_of(codes.begin(), codes.end(), db::Drawing::lone_group_code);
    GroupList lone;
    auto lone_groups = [&](EntityRef e) {
        lone.clear();
        for (int code : codes) {
            std::optional<Group> g = d.lone_group(e, code);
            if (!g) return false;
            lone.push_back(std::move(*g));
        }
        return true;
    };
    for (EntityRef e : candidates) {
        if (verdicts.of(d.walk_key(e)) == Verdict::Yes && needs == KeepNeeds::Nothing) {
            out.push_back(e);
            continue;
        }
        if (from_tags && lone_groups(e)) {
            if (filter->matches(lone)) out.push_back(e);
            continue;
        }
        std::optional<GroupList> g;
        if (needs == KeepNeeds::Nothing) {
            tested.groups.clear();
            if (d.entget(e, tested)) g = std::move(tested.groups);
        } else {
            g = d.entget(e);
        }
        if (g && filter->matches(*g) && keep(e, *g)) out.push_back(e);
    }
    return out;
}

}  // namespace

std::vector<EntityRef> select_all(const db::Drawing& d, const Filter* filter) {
    return collect(d, filter, KeepNeeds::Nothing, [](EntityRef, const GroupList&) { return true; });
}

std::vector<EntityRef> select_window(const db::Drawing& d, Point c1, Point c2, WindowMode mode, const Filter* filter) {
    Box b{std::min(c1.x, c2.x), std::min(c1.y, c2.y), std::max(c1.x, c2.x), std::max(c1.y, c2.y)};
    OutlineBuilder builder(d);
    return collect(d, filter, KeepNeeds::Groups, [&](EntityRef e, const GroupList& g) {
        Outline o = builder.build(e, g);
        return mode == WindowMode::Window ? inside(o, b) : meets(o, b);
    });
}

}  // namespace cadhost::select
