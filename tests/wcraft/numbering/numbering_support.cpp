// Command-line capture, the memory log, outcomes and the project generator.
#include "numbering_support.h"

#include <algorithm>
#include <cstdarg>
#include <cstdlib>
#include <cstring>
#include <random>
#include <sstream>

#include "host/host_api.h"
#include "host/module_state.h"

// The one host call the numbering sources make on the way.
int ads_printf(const char* format, ...) {
    char buf[4096];
    va_list ap;
    va_start(ap, format);
    int n = vsnprintf(buf, sizeof buf, format, ap);
    va_end(ap);
    wcraft::test::command_line() += buf;
    return n;
}

// The entity reads of the record helpers, which these tests never reach:
// there is no drawing.
struct resbuf* ads_entget(const ads_name) { return nullptr; }
int ads_entnext(const ads_name, ads_name) { return RTERROR; }

namespace wcraft::test {

std::string& command_line() {
    static std::string text;
    return text;
}

Outcome take_outcome(const std::string& log) {
    Outcome o;
    for (int t = 0; t < kMaxWires; ++t) {
        o.wires[t] = store().wires[t];
        o.nodes[t] = store().nodes[t];
    }
    o.links = store().links;
    o.phantoms = store().phantoms;
    o.log = log;
    return o;
}

namespace {

bool same_xy(const XY& a, const XY& b) { return memcmp(&a, &b, sizeof a) == 0; }

std::string segment_difference(const WireSegment& e, const WireSegment& a) {
    std::ostringstream out;
    auto field = [&out](const char* name, long x, long y) {
        if (x != y) out << name << " expected " << x << " got " << y << "; ";
    };
    field("sheet", e.sheet, a.sheet);
    field("wire_number", e.wire_number, a.wire_number);
    field("state", e.state, a.state);
    field("group", e.group, a.group);
    field("link", e.link, a.link);
    field("user_link", e.user_link, a.user_link);
    field("link_wire_type", e.link_wire_type, a.link_wire_type);
    field("link_pending", e.link_pending, a.link_pending);
    field("label", e.label, a.label);
    if (!same_xy(e.start, a.start) || !same_xy(e.end, a.end)) out << "points differ; ";
    return out.str();
}

std::string link_difference(const WireLink& e, const WireLink& a) {
    std::ostringstream out;
    if (e.sheet != a.sheet || !same_xy(e.point, a.point)) out << "sheet or point differ; ";
    if (e.link != a.link) out << "link expected " << e.link << " got " << a.link << "; ";
    if (e.attached.wire_type != a.attached.wire_type || e.attached.index != a.attached.index)
        out << "attached expected " << e.attached.wire_type << "/" << e.attached.index << " got "
            << a.attached.wire_type << "/" << a.attached.index << "; ";
    if (e.handle.view() != a.handle.view()) out << "handle differs; ";
    return out.str();
}

std::string list_difference(const char* what, const std::vector<WireLink>& e, const std::vector<WireLink>& a) {
    if (e.size() != a.size())
        return std::string(what) + " count expected " + std::to_string(e.size()) + " got " + std::to_string(a.size());
    for (size_t i = 0; i < e.size(); ++i) {
        std::string d = link_difference(e[i], a[i]);
        if (!d.empty()) return std::string(what) + " " + std::to_string(i) + ": " + d;
    }
    return {};
}

}  // namespace

std::string first_difference(const Outcome& e, const Outcome& a) {
    for (int t = 0; t < kMaxWires; ++t) {
        std::string where = "wire type " + std::to_string(t);
        if (e.wires[t].size() != a.wires[t].size()) return where + ": segment count differs";
        for (size_t i = 0; i < e.wires[t].size(); ++i) {
            std::string d = segment_difference(e.wires[t][i], a.wires[t][i]);
            if (!d.empty()) return where + " segment " + std::to_string(i) + ": " + d;
        }
        if (e.nodes[t].size() != a.nodes[t].size())
            return where + ": node count expected " + std::to_string(e.nodes[t].size()) + " got " +
                   std::to_string(a.nodes[t].size());
        for (size_t i = 0; i < e.nodes[t].size(); ++i)
            if (e.nodes[t][i].sheet != a.nodes[t][i].sheet || !same_xy(e.nodes[t][i].point, a.nodes[t][i].point))
                return where + " node " + std::to_string(i) + " differs";
    }
    std::string d = list_difference("wire link", e.links, a.links);
    if (d.empty()) d = list_difference("phantom", e.phantoms, a.phantoms);
    if (d.empty() && e.log != a.log) d = "log expected [" + e.log + "] got [" + a.log + "]";
    return d;
}

// ---- generator

namespace {

class Gen {
public:
    Gen(uint32_t seed, const ProjectShape& shape) : m_rng(seed), m_shape(shape) {}
    void run();

private:
    int pick(int n) { return static_cast<int>(m_rng() % static_cast<uint32_t>(n)); }
    double coord() {
        double v = pick(m_shape.grid + 1);
        return (v == 0.0 && pick(6) == 0) ? -0.0 : v;
    }
    WireSegment segment(int16_t sheet, const std::vector<WireSegment>& same_sheet);
    XY point_near(int16_t sheet);
    void wires();
    void links();
    void components();
    void dirty();

    std::mt19937 m_rng;
    ProjectShape m_shape;
    int m_types = 1;
    std::vector<int16_t> m_sheets;
};

WireSegment Gen::segment(int16_t sheet, const std::vector<WireSegment>& same_sheet) {
    WireSegment s;
    s.sheet = sheet;
    int kind = pick(16);
    if (kind >= 13 && !same_sheet.empty()) {
        s = same_sheet[pick(static_cast<int>(same_sheet.size()))];  // duplicate or collinear overlap
        if (kind == 14) (s.start.x == s.end.x ? s.end.y : s.end.x) += 1 + pick(2);
        if (kind == 15) (s.start.x == s.end.x ? s.start.y : s.start.x) -= 1;
    } else if (kind == 12) {
        s.start.x = s.end.x = coord();
        s.start.y = s.end.y = coord();
    } else if (kind == 11 && pick(5) == 0) {
        s.start = XY{coord(), coord()};
        s.end = XY{s.start.x + 1 + pick(3), s.start.y + 1 + pick(3)};  // sloped: never made by extraction
    } else if (kind % 2 == 0) {
        s.start.y = s.end.y = coord();
        s.start.x = coord();
        s.end.x = coord();
        if (s.start.x == s.end.x) s.end.x += 1 + pick(3);
    } else {
        s.start.x = s.end.x = coord();
        s.start.y = coord();
        s.end.y = coord();
        if (s.start.y == s.end.y) s.end.y += 1 + pick(3);
    }
    if (s.start.y < s.end.y) std::swap(s.start.y, s.end.y);
    if (s.end.x < s.start.x) std::swap(s.start.x, s.end.x);
    return s;
}

void Gen::wires() {
    int sort_rot = config().sheet_rot;
    for (int t = 0; t <= m_types; ++t) {  // the type after the list end is filled too: it must stay untouched
        std::vector<WireSegment>& list = store().wires[t];
        for (int16_t sheet : m_sheets) {
            std::vector<WireSegment> here;
            int n = 1 + pick(m_shape.per_sheet);
            for (int i = 0; i < n; ++i) here.push_back(segment(sheet, here));
            list.insert(list.end(), here.begin(), here.end());
        }
        std::stable_sort(list.begin(), list.end(), [sort_rot](const WireSegment& a, const WireSegment& b) {
            if (a.sheet != b.sheet) return a.sheet < b.sheet;
            if (sort_rot == 0) return a.start.y != b.start.y ? a.start.y > b.start.y : a.start.x < b.start.x;
            return a.start.x != b.start.x ? a.start.x < b.start.x : a.start.y > b.start.y;
        });
        // A sheet read after higher ones can leave its records behind them.
        if (m_sheets.size() > 1 && pick(4) == 0) {
            auto first_sheet_end = std::find_if(list.begin(), list.end(),
                                                [&](const WireSegment& s) { return s.sheet != list.front().sheet; });
            std::rotate(list.begin(), first_sheet_end, list.end());
        }
    }
}

XY Gen::point_near(int16_t sheet) {
    const std::vector<WireSegment>& list = store().wires[pick(m_types)];
    // The sheet's records stand together, though not always in sheet order.
    auto first = std::find_if(list.begin(), list.end(), [&](const WireSegment& w) { return w.sheet == sheet; });
    auto past = std::find_if(first, list.end(), [&](const WireSegment& w) { return w.sheet != sheet; });
    int here = static_cast<int>(past - first);
    if (here == 0 || pick(4) == 0) return XY{coord(), coord()};
    const WireSegment& s = *(first + pick(here));
    switch (pick(3)) {
        case 0: return s.start;
        case 1: return s.end;
        default: return XY{(s.start.x + s.end.x) / 2, (s.start.y + s.end.y) / 2};
    }
}

void Gen::links() {
    static const int kNumbers[] = {1, 2, 3, 5, 6, 7, 9, 12, 102, -1, -5, 0, 10000, -10000, 7, -5};
    int n = pick(2 * static_cast<int>(m_sheets.size()) * m_types + 2);
    for (int i = 0; i < n; ++i) {
        WireLink wl;
        wl.sheet = pick(12) == 0 ? int16_t(99) : m_sheets[pick(static_cast<int>(m_sheets.size()))];
        wl.point = point_near(wl.sheet);
        wl.link = kNumbers[pick(16)];
        wl.handle = "1F";
        store().links.push_back(wl);
    }
}

void Gen::components() {
    static const char* kTags[] = {"TB", "tb", "X1", "MOTOR", "Tb", "K"};
    ProjectConfig& c = config();
    static const char* kTermNames[] = {"TB", "X1", "tb"};
    static const char* kCompNames[] = {"MOTOR", "X1", "motor"};
    for (int kind = 0; kind < 2; ++kind) {
        CompDefn* defs = kind == 0 ? c.term_defs : c.comp_defs;
        int n = pick(4);
        for (int d = 0; d < n; ++d) {
            defs[d].name = kind == 0 ? kTermNames[d] : kCompNames[d];
            defs[d].cont_wire = pick(3) == 0 ? pick(3) : 1;
        }
        defs[n].name = pick(4) == 0 ? "*ND*X" : "*ND*";
        std::vector<Component>& list = kind == 0 ? store().terminals : store().components;
        int records = pick(2 * static_cast<int>(m_sheets.size()) + 1);
        for (int r = 0; r < records; ++r) {
            Component rec;
            rec.sheet = m_sheets[pick(static_cast<int>(m_sheets.size()))];
            rec.tag = kTags[pick(6)];
            int ids = pick(4);
            for (int k = 0; k < ids; ++k) {
                IdPoint id;
                id.point = point_near(rec.sheet);
                rec.ids.push_back(id);
            }
            list.push_back(rec);
        }
    }
}

void Gen::dirty() {
    static const int kStates[] = {0, 0, 0, 1, 2, 9, 10};
    static const int kLinks[] = {0, 0, 3, -2, -10001, -10002, 7};
    for (int t = 0; t < m_types; ++t)
        for (WireSegment& s : store().wires[t]) {
            if (pick(3) != 0) continue;
            s.state = kStates[pick(7)];
            s.link = kLinks[pick(7)];
            s.user_link = pick(3) == 0 ? kLinks[pick(7)] : 0;
            s.link_pending = pick(2);
            s.group = pick(4);
            s.label = pick(2);
            s.wire_number = pick(50);
        }
    store().nodes[0].push_back(NodePoint{m_sheets[0], XY{1, 1}});
    store().phantoms.push_back(WireLink{m_sheets[0], point_near(m_sheets[0]), -10001, SegmentRef{}, HandleText{}});
}

void Gen::run() {
    ProjectConfig& c = config();
    m_types = 1 + pick(std::clamp(m_shape.types, 1, 4));
    static const int kInits[] = {0, 1, 100, 5, 7, 3, -2, 1};
    static const int kIncrs[] = {1, 1, 2, 0, -1, -2, 5, 3};
    for (int t = 0; t < m_types; ++t) {
        WireDefn& w = c.wire_defs[t];
        w.w_name = "W" + std::to_string(t);
        w.init = kInits[pick(8)];
        w.incr = kIncrs[pick(8)];
        w.nodepts = pick(4) == 0 ? pick(3) : 1;
    }
    c.wire_defs[m_types].w_name = pick(4) == 0 ? "*ND*OLD" : "*ND*";
    c.sheet_rot = pick(2);
    for (int i = 1; i <= m_shape.sheets; ++i) {
        if (i == 1 && pick(5) == 0) m_sheets.push_back(0);
        m_sheets.push_back(static_cast<int16_t>(i));
        if (pick(6) == 0) m_sheets.push_back(static_cast<int16_t>(i));  // two drawings with one number
    }
    wires();
    links();
    components();
    if (m_shape.dirty) dirty();
}

}  // namespace

void generate_project(uint32_t seed, const ProjectShape& shape) {
    reset_module_state();
    store().reset();
    Gen(seed, shape).run();
}

}  // namespace wcraft::test
