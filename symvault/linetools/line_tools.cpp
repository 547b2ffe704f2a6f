// Breaking and mending lines at a symbol through the host's entities.
#include "linetools/line_tools.h"

#include <cmath>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "host/module_state.h"
#include "linetools/line_geometry.h"

namespace symvault {

namespace {

// An entity's list, released when it goes out of scope.
struct EntityList {
    struct resbuf* head = nullptr;
    explicit EntityList(const ads_name e) : head(ads_entget(e)) {}
    ~EntityList() { ads_relrb(head); }
    EntityList(const EntityList&) = delete;
    EntityList& operator=(const EntityList&) = delete;
    const struct resbuf* group(int code) const {
        for (const struct resbuf* rb = head; rb; rb = rb->rbnext)
            if (rb->restype == code) return rb;
        return nullptr;
    }
    std::optional<std::string> text(int code) const {
        const struct resbuf* rb = group(code);
        if (!rb || !rb->resval.rstring) return std::nullopt;
        return std::string(rb->resval.rstring);
    }
    std::optional<Pt3> point(int code) const {
        const struct resbuf* rb = group(code);
        if (!rb) return std::nullopt;
        return Pt3{rb->resval.rpoint[X], rb->resval.rpoint[Y], rb->resval.rpoint[Z]};
    }
    double real(int code, double def) const {
        const struct resbuf* rb = group(code);
        return rb ? rb->resval.rreal : def;
    }
    int integer(int code) const {
        const struct resbuf* rb = group(code);
        return rb ? rb->resval.rint : 0;
    }
};

void append_attribute_points(const ads_name insert, std::vector<Pt3>& out) {
    ads_name e, next;
    ads_name_set(insert, e);
    while (ads_entnext(e, next) == RTNORM) {
        ads_name_set(next, e);
        EntityList a(e);
        std::string type = a.text(0).value_or("");
        if (type != "ATTRIB") break;
        if (a.text(2).value_or("") != "ID") continue;
        auto at = a.point(10);
        if (at) out.push_back(attribute_point(*at, a.point(11), a.integer(72), a.integer(73), a.integer(74)));
    }
}

void append_block_points(const EntityList& insert, std::vector<Pt3>& out) {
    auto name = insert.text(2);
    if (!name) return;
    struct resbuf* block = ads_tblsearch("BLOCK", name->c_str(), 0);
    if (!block) return;
    ads_name e = {0, 0};
    bool found = false;
    InsertPlacement ins;
    for (struct resbuf* rb = block; rb; rb = rb->rbnext) {
        if (rb->restype == -2) ads_name_set(rb->resval.rlname, e), found = true;
        if (rb->restype == 10) ins.base = Pt3{rb->resval.rpoint[X], rb->resval.rpoint[Y], rb->resval.rpoint[Z]};
    }
    ads_relrb(block);
    ins.at = insert.point(10).value_or(Pt3{});
    ins.sx = insert.real(41, 1.0);
    ins.sy = insert.real(42, 1.0);
    ins.rotation = insert.real(50, 0.0);
    for (bool more = found; more;) {
        EntityList p(e);
        if (p.text(0).value_or("") == "POINT" && p.text(8).value_or("") == "ID_POINTS")
            if (auto at = p.point(10)) out.push_back(place_block_point(ins, *at));
        ads_name next;
        more = ads_entnext(e, next) == RTNORM;
        if (more) ads_name_set(next, e);
    }
}

std::vector<Pt3> break_points(const ads_name symbol) {
    std::vector<Pt3> out;
    EntityList insert(symbol);
    if (insert.text(0).value_or("") != "INSERT") return out;
    append_attribute_points(symbol, out);
    append_block_points(insert, out);
    complete_pairs(out);
    return out;
}

// The lines that pass through a point. The window is widened by a hair
// so that points computed through a rotation still meet the line.
bool lines_through(const Pt3& p, ads_name set) {
    double eps = 1e-9 * (1.0 + std::fabs(p.x) + std::fabs(p.y));
    ads_point a = {p.x - eps, p.y - eps, p.z}, b = {p.x + eps, p.y + eps, p.z};
    struct resbuf filter = {};
    filter.restype = 0;
    char line[] = "LINE";
    filter.resval.rstring = line;
    if (ads_ssget("C", a, b, &filter, set) != RTNORM) return false;
    long n = 0;
    if (ads_sslength(set, &n) != RTNORM || n == 0) return ads_ssfree(set), false;
    return true;
}

struct LineData {
    std::string layer;
    Segment seg;
};

std::optional<LineData> line_data(const ads_name e) {
    EntityList l(e);
    auto layer = l.text(8);
    auto s = l.point(10), t = l.point(11);
    if (!layer || !s || !t) return std::nullopt;
    return LineData{*layer, Segment{*s, *t}};
}

// True when the host made the line.
bool make_line(const std::string& layer, const Pt3& a, const Pt3& b) {
    ads_point pa = {a.x, a.y, a.z}, pb = {b.x, b.y, b.z};
    struct resbuf* rb = ads_buildlist(RTDXF0, "LINE", 8, layer.c_str(), 10, pa, 11, pb, 0);
    bool made = rb && ads_entmake(rb) == RTNORM;
    ads_relrb(rb);
    return made;
}

// The line made last, so that a half-made replacement can be taken back.
void delete_last() {
    ads_name e;
    if (ads_entlast(e) == RTNORM) ads_entdel(e);
}

// Cuts the first line through both points; true when one was cut.
bool break_pair(ads_name through_p, const Pt3& p, const Pt3& q) {
    ads_name through_q;
    if (!lines_through(q, through_q)) return false;
    long n = 0;
    ads_sslength(through_p, &n);
    bool cut = false;
    for (long i = 0; i < n && !cut; ++i) {
        ads_name e;
        if (ads_ssname(through_p, i, e) != RTNORM || ads_ssmemb(e, through_q) != RTNORM) continue;
        auto l = line_data(e);
        if (!l) continue;
        auto pieces = cut_line(l->seg, p, q);
        // The line goes only once both pieces stand in its place.
        if (!make_line(l->layer, pieces.first.start, pieces.first.end)) break;
        if (!make_line(l->layer, pieces.second.start, pieces.second.end)) {
            delete_last();
            break;
        }
        ads_entdel(e);
        cut = true;
    }
    ads_ssfree(through_q);
    return cut;
}

// Joins one line through P with one through Q; true when two were joined.
bool fix_pair(ads_name through_p, const Pt3& q) {
    ads_name through_q;
    if (!lines_through(q, through_q)) return false;
    long np = 0, nq = 0;
    ads_sslength(through_p, &np);
    ads_sslength(through_q, &nq);
    bool joined = false;
    for (long i = 0; i < np && !joined; ++i)
        for (long j = 0; j < nq && !joined; ++j) {
            ads_name a, b;
            if (ads_ssname(through_p, i, a) != RTNORM || ads_ssname(through_q, j, b) != RTNORM) continue;
            if (ads_name_equal(a, b)) continue;
            auto la = line_data(a), lb = line_data(b);
            if (!la || !lb || la->layer != lb->layer) continue;
            auto one = joined_line(la->seg, lb->seg);
            if (!one) continue;
            // The pieces go only once the whole line stands in their place.
            if (!make_line(la->layer, one->start, one->end)) return ads_ssfree(through_q), false;
            ads_entdel(a);
            ads_entdel(b);
            joined = true;
        }
    ads_ssfree(through_q);
    return joined;
}

enum Tool { BREAK, FIX };

Reply run_tool(const struct resbuf* args, Tool tool) {
    const char* fn = tool == BREAK ? "SV_BREAKLINE" : "SV_FIXLINE";
    if (!args) return ads_printf("Invalid call request to function %s!\n", fn), Reply::none();
    if (args->restype != RTENAME) return ads_printf("Invalid argument type passed to function %s!\n", fn), Reply::none();
    struct resbuf blip = {};
    bool had_blip = ads_getvar("BLIPMODE", &blip) == RTNORM;
    set_short_var("BLIPMODE", 0);
    set_short_var("CMDECHO", 0);
    ads_name symbol;
    ads_name_set(args->resval.rlname, symbol);
    std::vector<Pt3> points = break_points(symbol);
    bool changed = false;
    for (size_t i = 0; i < points.size(); ++i) {
        for (size_t j = i + 1; j < points.size(); ++j) {
            ads_name through_p;
            // No line through P: its remaining pairs have nothing to do.
            if (!lines_through(points[i], through_p)) break;
            bool done = tool == BREAK ? break_pair(through_p, points[i], points[j]) : fix_pair(through_p, points[j]);
            changed = changed || done;
            ads_ssfree(through_p);
        }
    }
    if (changed || tool == FIX) ads_entupd(symbol);
    if (had_blip) ads_setvar("BLIPMODE", &blip);
    return Reply::none();
}

}  // namespace

Reply sv_breakline(const struct resbuf* args) { return run_tool(args, BREAK); }
Reply sv_fixline(const struct resbuf* args) { return run_tool(args, FIX); }

}  // namespace symvault
