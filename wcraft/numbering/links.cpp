// Pass-through phantom links and attaching phantom and wire links to the
// first segment their point touches.
#include <algorithm>
#include <cstdarg>
#include <new>
#include <string>
#include <string_view>
#include <unordered_map>

#include "host/error_report.h"
#include "host/module_state.h"
#include "numbering/forest.h"
#include "numbering/messages.h"
#include "numbering/numbering_steps.h"
#include "postproc/progress.h"

namespace wcraft {

namespace {


int defined_count(const CompDefn* defs, int slots) {
    int n = 0;
    while (n < slots && !is_list_end(defs[n].name.view())) ++n;
    return n;
}

// Names compare ignoring the case of ASCII letters.
std::string folded(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

using TagMap = std::unordered_map<std::string, std::vector<int32_t>>;

// The records with connection points, by folded TAG, in list order.
TagMap records_by_tag(const std::vector<Component>& list) {
    TagMap map;
    for (size_t i = 0; i < list.size(); ++i) {
        progress_tick();
        if (!list[i].ids.empty()) map[folded(list[i].tag.view())].push_back(static_cast<int32_t>(i));
    }
    return map;
}

void add_phantoms(const Component& rec, int32_t number) {
    for (const IdPoint& id : rec.ids) {
        progress_tick();
        try {
            store().phantoms.push_back(WireLink{rec.sheet, id.point, number, SegmentRef{}, HandleText{}});
        } catch (const std::bad_alloc&) {
            fatal_alloc(nmsg::kFnCalcWires, 1);
        }
    }
}

struct Found {
    int type = -1;
    int32_t seg = -1;
};

// The first segment on the sheet that the point touches: wire types in
// table order, each list in list order.
Found find_segment(const std::vector<SegmentIndex>& index, int types, int16_t sheet, const XY& p) {
    for (int t = 0; t < types; ++t) {
        int32_t seg = index[t].first_touched(store().wires[t], sheet, p.x, p.y);
        if (seg >= 0) return Found{t, seg};
    }
    return Found{};
}

// The link numbers of the phantom list while groups of phantoms are merged:
// each phantom belongs to a class, each class has one number, and renaming
// a number onto one already in use joins the two classes.
class PhantomNumbers {
public:
    explicit PhantomNumbers(const std::vector<WireLink>& phantoms) {
        m_class.reserve(phantoms.size());
        for (const WireLink& p : phantoms) {
            auto [it, fresh] = m_by_number.try_emplace(p.link, static_cast<int32_t>(m_number.size()));
            if (fresh) {
                m_number.push_back(p.link);
                m_parent.push_back(it->second);
            }
            m_class.push_back(it->second);
        }
    }
    int32_t number(size_t phantom) { return m_number[root(m_class[phantom])]; }
    // Every phantom numbered `from` is numbered `to` from now on.
    void rename(int32_t from, int32_t to) {
        auto f = m_by_number.find(from);
        if (f == m_by_number.end() || from == to) return;
        int32_t c = f->second;
        m_by_number.erase(f);
        auto [g, fresh] = m_by_number.try_emplace(to, c);
        if (fresh)
            m_number[c] = to;
        else
            m_parent[c] = g->second;
    }

private:
    int32_t root(int32_t c) { return forest_root(m_parent, c); }
    std::vector<int32_t> m_class;   // per phantom
    std::vector<int32_t> m_parent;  // per class
    std::vector<int32_t> m_number;  // per class root
    std::unordered_map<int32_t, int32_t> m_by_number;
};

// The segments of each wire type that carry a phantom-range number, so that
// a wire link can renumber them all without walking the list. Made for a
// wire type when first needed, then kept up to date.
class PhantomCarriers {
public:
    explicit PhantomCarriers(int types) : m_built(types, 0), m_sets(types) {}
    void link_set(int type, int32_t seg, int32_t was, int32_t now) {
        if (!m_built[type] || was == now || now >= kPhantomBase) return;
        m_sets[type][now].push_back(seg);
    }
    // Gives every segment of the type numbered `from` the number `to`.
    void renumber(int type, int32_t from, int32_t to) {
        build(type);
        auto& sets = m_sets[type];
        auto it = sets.find(from);
        if (it == sets.end()) return;
        std::vector<int32_t> members = std::move(it->second);
        sets.erase(it);
        std::vector<WireSegment>& list = store().wires[type];
        for (int32_t seg : members) {
            progress_tick();
            list[seg].link = to;
            list[seg].link_pending = 1;
            list[seg].link_wire_type = type;
        }
        if (to >= kPhantomBase) return;
        std::vector<int32_t>& dest = sets[to];
        if (dest.size() < members.size()) std::swap(dest, members);
        dest.insert(dest.end(), members.begin(), members.end());
    }

private:
    void build(int type) {
        if (m_built[type]) return;
        m_built[type] = 1;
        const std::vector<WireSegment>& list = store().wires[type];
        for (size_t i = 0; i < list.size(); ++i)
            if (list[i].link < kPhantomBase) m_sets[type][list[i].link].push_back(static_cast<int32_t>(i));
    }
    std::vector<char> m_built;
    std::vector<std::unordered_map<int32_t, std::vector<int32_t>>> m_sets;
};

}  // namespace

int numbered_wire_types() {
    int n = 0;
    while (n < kMaxWires && !is_list_end(config().wire_defs[n].w_name.view())) ++n;
    return n;
}

void make_phantoms() {
    int32_t counter = kPhantomBase;
    const ProjectConfig& c = config();
    struct Source {
        const CompDefn* defs;
        int slots;
        const std::vector<Component>* list;
    };
    const Source sources[] = {{c.term_defs, kMaxTermDefs, &store().terminals},
                              {c.comp_defs, kMaxCompDefs, &store().components}};
    for (const Source& src : sources) {
        int n = defined_count(src.defs, src.slots);
        TagMap by_tag;
        bool mapped = false;
        for (int d = 0; d < n; ++d) {
            if (src.defs[d].cont_wire != 1) continue;
            if (!mapped) by_tag = records_by_tag(*src.list), mapped = true;
            auto it = by_tag.find(folded(src.defs[d].name.view()));
            if (it == by_tag.end()) continue;
            for (int32_t rec : it->second) {
                counter = add_wrapping(counter, -1);
                add_phantoms((*src.list)[rec], counter);
            }
        }
    }
}

void attach_phantoms(FILE* log, const std::vector<SegmentIndex>& index, int types) {
    std::vector<WireLink>& phantoms = store().phantoms;
    PhantomNumbers numbers(phantoms);
    for (size_t i = 0; i < phantoms.size(); ++i) {
        progress_tick();
        const WireLink& p = phantoms[i];
        Found f = find_segment(index, types, p.sheet, p.point);
        if (f.seg < 0) {
            log_printf(log, nmsg::kNoContinue, p.sheet, p.point.x, p.point.y);
            continue;
        }
        WireSegment& seg = store().wires[f.type][f.seg];
        int32_t mine = numbers.number(i);
        if (seg.link != 0 && seg.link != mine) {
            numbers.rename(mine, seg.link);
            mine = seg.link;
        }
        if (seg.link != mine) {
            seg.link = mine;
            seg.link_pending = 1;
            seg.link_wire_type = f.type;
            seg.label = 1;
        }
    }
    for (size_t i = 0; i < phantoms.size(); ++i) phantoms[i].link = numbers.number(i);
}

void attach_links(FILE* log, const std::vector<SegmentIndex>& index, int types) {
    PhantomCarriers carriers(types);
    for (WireLink& wl : store().links) {
        progress_tick();
        Found f = find_segment(index, types, wl.sheet, wl.point);
        if (f.seg < 0) {
            log_printf(log, nmsg::kUnattached, wl.link, wl.sheet, wl.point.x, wl.point.y);
            continue;
        }
        wl.attached = SegmentRef{f.type, f.seg};
        WireSegment& seg = store().wires[f.type][f.seg];
        seg.link_wire_type = f.type;
        if (wl.link == 0) continue;
        seg.user_link = wl.link;
        if (seg.link == 0 || seg.link == wl.link) {
            carriers.link_set(f.type, f.seg, seg.link, wl.link);
            seg.link = wl.link;
            seg.link_pending = 1;
        } else if (seg.link < kPhantomBase) {
            carriers.renumber(f.type, seg.link, wl.link);
        } else {
            log_printf(log, nmsg::kLinkConflict, wl.link, wl.sheet, wl.point.x, wl.point.y);
        }
    }
}

}  // namespace wcraft
