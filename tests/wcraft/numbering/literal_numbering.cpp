// The reference wire numbering, step by step over the store.
#include "literal_numbering.h"

#include <string_view>
#include <utility>

#include "extract/store.h"
#include "host/module_state.h"

namespace wcraft::test {

namespace {

bool table_end(std::string_view name) { return name.substr(0, 4) == "*ND*"; }

bool same_ignoring_case(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = char(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = char(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

int32_t plus(int32_t a, int32_t b) { return int32_t(uint32_t(a) + uint32_t(b)); }

int touch(double px, double py, double sx, double sy, double ex, double ey, int node_mode, int type, short sheet) {
    double x1 = sx, x2 = ex, y1 = sy, y2 = ey;
    if (x1 > x2) std::swap(x1, x2);
    if (y1 > y2) std::swap(y1, y2);
    if (!(x1 <= px && px <= x2 && y1 <= py && py <= y2)) return 0;
    if (node_mode == 1 && !(px == x1 && py == y1) && !(px == x2 && py == y2)) {
        bool there = false;
        for (const NodePoint& n : store().nodes[type])
            if (n.sheet == sheet && n.point.x == px && n.point.y == py) there = true;
        if (!there) store().nodes[type].push_back(NodePoint{sheet, XY{px, py}});
    }
    return 1;
}

int touch_seg(const XY& p, const WireSegment& s, int node_mode, int type, short sheet) {
    return touch(p.x, p.y, s.start.x, s.start.y, s.end.x, s.end.y, node_mode, type, sheet);
}

bool connected(const WireSegment& a, const WireSegment& b, int node_mode, int type) {
    if (touch_seg(a.start, b, node_mode, type, a.sheet)) return true;
    if (touch_seg(a.end, b, node_mode, type, a.sheet)) return true;
    if (touch_seg(b.start, a, node_mode, type, a.sheet)) return true;
    return touch_seg(b.end, a, node_mode, type, a.sheet) != 0;
}

int type_count() {
    int n = 0;
    while (n < kMaxWires && !table_end(config().wire_defs[n].w_name.view())) ++n;
    return n;
}

bool find_segment(short sheet, const XY& p, int& type, int& index) {
    for (int t = 0; t < type_count(); ++t) {
        std::vector<WireSegment>& list = store().wires[t];
        for (size_t i = 0; i < list.size(); ++i)
            if (list[i].sheet == sheet && touch_seg(p, list[i], 0, t, sheet)) {
                type = t;
                index = int(i);
                return true;
            }
    }
    return false;
}

void phase1() {
    int32_t counter = -10000;
    for (int kind = 0; kind < 2; ++kind) {
        const CompDefn* defs = kind == 0 ? config().term_defs : config().comp_defs;
        std::vector<Component>& list = kind == 0 ? store().terminals : store().components;
        for (int d = 0; d < 100; ++d) {
            if (table_end(defs[d].name.view())) break;
            if (defs[d].cont_wire != 1) continue;
            for (const Component& rec : list) {
                if (!same_ignoring_case(rec.tag.view(), defs[d].name.view()) || rec.ids.empty()) continue;
                counter = plus(counter, -1);
                for (const IdPoint& id : rec.ids)
                    store().phantoms.push_back(WireLink{rec.sheet, id.point, counter, SegmentRef{}, HandleText{}});
            }
        }
    }
}

void phase2(FILE* log) {
    std::vector<WireLink>& phantoms = store().phantoms;
    for (size_t i = 0; i < phantoms.size(); ++i) {
        int t, k;
        if (!find_segment(phantoms[i].sheet, phantoms[i].point, t, k)) {
            fprintf(log, "\n:Warning, Couldn't continue wire number through terminal/component on sheet %d, at x,y(%f, %f)",
                    phantoms[i].sheet, phantoms[i].point.x, phantoms[i].point.y);
            continue;
        }
        WireSegment& seg = store().wires[t][k];
        if (seg.link != 0 && seg.link != phantoms[i].link) {
            int32_t old = phantoms[i].link;
            for (WireLink& q : phantoms)
                if (q.link == old) q.link = seg.link;
        }
        if (seg.link != phantoms[i].link) {
            seg.link = phantoms[i].link;
            seg.link_pending = 1;
            seg.link_wire_type = t;
            seg.label = 1;
        }
    }
}

void phase3(FILE* log) {
    for (WireLink& wl : store().links) {
        int t, k;
        if (!find_segment(wl.sheet, wl.point, t, k)) {
            fprintf(log, "\n:Unattached wire link (%d), on sheet %d, at x,y(%f,%f), ignored!", wl.link, wl.sheet,
                    wl.point.x, wl.point.y);
            continue;
        }
        WireSegment& seg = store().wires[t][k];
        wl.attached = SegmentRef{t, k};
        seg.link_wire_type = t;
        if (wl.link == 0) continue;
        seg.user_link = wl.link;
        if (seg.link == 0 || seg.link == wl.link) {
            seg.link = wl.link;
            seg.link_pending = 1;
        } else if (seg.link < -10000) {
            int32_t phantom = seg.link;
            for (WireSegment& u : store().wires[t])
                if (u.link == phantom) {
                    u.link = wl.link;
                    u.link_pending = 1;
                    u.link_wire_type = t;
                }
        } else {
            fprintf(log, "\n:Warning, conflicting wire link found, link (%d), on sheet %d, at x,y(%f,%f), ignored!",
                    wl.link, wl.sheet, wl.point.x, wl.point.y);
        }
    }
}

void phase4() {
    int32_t group = 0;
    for (int t = 0; t < type_count(); ++t) {
        int mode = config().wire_defs[t].nodepts;
        std::vector<WireSegment>& list = store().wires[t];
        size_t n = list.size();
        for (size_t s = 0; s < n; ++s) {
            if (list[s].state != 0) continue;
            list[s].state = 1;
            ++group;
            for (bool found = true; found;) {
                found = false;
                for (size_t k = s; k < n; ++k) {
                    WireSegment& T = list[k];
                    if (T.state != 1) continue;
                    found = true;
                    if (T.link_pending == 1 && T.user_link > 0)
                        for (WireSegment& u : list)
                            if (u.user_link == T.user_link && u.state == 0) {
                                u.state = 1;
                                u.link_pending = 0;
                            }
                    for (size_t j = s + 1; j < n; ++j) {
                        WireSegment& u = list[j];
                        if (u.sheet == T.sheet && u.state == 0 && connected(T, u, mode, t)) u.state = 1;
                    }
                    T.state = 2;
                }
            }
            for (WireSegment& u : list)
                if (u.state == 2) {
                    u.state = 9;
                    u.group = group;
                }
        }
    }
    for (int t = 0; t < type_count(); ++t)
        for (WireSegment& u : store().wires[t]) u.state = 0;
}

bool link_in_use(const std::vector<WireSegment>& list, int32_t number) {
    for (const WireSegment& u : list)
        if (u.link > 0 && u.link == number) return true;
    return false;
}

void phase5(FILE* log) {
    for (int t = 0; t < type_count(); ++t) {
        const WireDefn& def = config().wire_defs[t];
        std::vector<WireSegment>& list = store().wires[t];
        size_t n = list.size();
        int32_t next_free = def.init;
        for (size_t s = 0; s < n; ++s) {
            if (list[s].state != 0) continue;
            list[s].state = 1;
            for (bool found = true; found;) {
                found = false;
                for (size_t k = s; k < n; ++k) {
                    WireSegment& T = list[k];
                    if (T.state != 1) continue;
                    found = true;
                    if (T.link_pending == 1)
                        for (WireSegment& u : list)
                            if (u.link == T.link && u.state == 0) {
                                u.state = 1;
                                u.link_pending = 0;
                            }
                    for (size_t j = s + 1; j < n; ++j)
                        if (list[j].group == T.group && list[j].state == 0) list[j].state = 1;
                    T.state = 2;
                }
            }
            bool have = false;
            int32_t number = 0;
            for (const WireSegment& u : list) {
                if (u.state != 2 || u.link <= 0) continue;
                if (!have) {
                    number = u.link;
                    have = true;
                } else if (u.link != number) {
                    fprintf(log, "\n:Warning, wire link conflict, link (%d), on sheet %d, ignored!", u.link, u.sheet);
                }
            }
            if (!have) {
                // An increment of 0 steps by 1 past numbers in use (chosen
                // behaviour: the plain search would never end).
                int32_t step = def.incr != 0 ? def.incr : 1;
                number = next_free;
                while (number > 0 && link_in_use(list, number)) number = plus(number, step);
                next_free = plus(number, def.incr);
            }
            for (WireSegment& u : list)
                if (u.state == 2) {
                    u.wire_number = number;
                    u.state = 9;
                }
        }
    }
}

}  // namespace

void literal_number_wires(FILE* log) {
    fprintf(log, "\nCalculating wire numbering...");
    phase1();
    phase2(log);
    phase3(log);
    phase4();
    phase5(log);
}

}  // namespace wcraft::test
