// EXPLODE: each selected block reference is replaced by the entities of its
// block, placed as the reference places them; the new entities become the
// previous selection.
#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <utility>

#include "cmd/commandline.h"
#include "cmd/selectobj.h"
#include "db/drawing.h"

namespace cadhost::cmd {

namespace {

constexpr double kTwoPi = 2 * M_PI;

double normal_angle(double a) {
    a = std::fmod(a, kTwoPi);
    if (a < 0) a += kTwoPi;
    return a == kTwoPi || a == 0 ? 0.0 : a;  // also turns -0.0 into 0.0
}

// cos and sin of an angle, exact at multiples of a right angle, so that a
// reference turned by 90 degrees places its entities at exact coordinates.
std::pair<double, double> turn(double a) {
    double q = a / (M_PI / 2), r = std::round(q);
    if (std::fabs(q - r) < 1e-12) {
        switch (((static_cast<long>(r) % 4) + 4) % 4) {
        case 0: return {1.0, 0.0};
        case 1: return {0.0, 1.0};
        case 2: return {-1.0, 0.0};
        default: return {0.0, -1.0};
        }
    }
    return {std::cos(a), std::sin(a)};
}

struct Vec {
    double x = 0, y = 0;
};
double dot(Vec a, Vec b) { return a.x * b.x + a.y * b.y; }
double cross(Vec a, Vec b) { return a.x * b.y - a.y * b.x; }

// Where a reference puts its block: a block point p goes to
// at + R(rotation) * diag(sx, sy) * (p - base), with Z scaled by sz.
struct Placement {
    Point at, base;
    double sx = 1, sy = 1, sz = 1, rotation = 0;
    double c = 1, s = 0;  // turn(rotation)

    Vec linear(Vec v) const {
        double x = v.x * sx, y = v.y * sy;
        return {x * c - y * s, x * s + y * c};
    }
    Point map(Point p) const {
        Vec v = linear({p.x - base.x, p.y - base.y});
        return Point{at.x + v.x, at.y + v.y, at.z + (p.z - base.z) * sz, p.dims};
    }
    // X and Y only; Z stays (vertices of 2D polylines lie at the polyline's elevation).
    Point map_xy(Point p) const {
        Point q = map(p);
        q.z = p.z;
        return q;
    }
    double map_z(double z) const { return at.z + (z - base.z) * sz; }
    bool uniform() const { return std::fabs(sx) == std::fabs(sy); }
    bool mirrored() const { return (sx < 0) != (sy < 0); }
    // The direction at angle a after placing. Under a uniform scale the
    // angle is found without trigonometry, so that exact turns stay exact.
    double angle(double a) const {
        if (!uniform()) {
            auto [ca, sa] = turn(a);
            Vec d = linear({ca, sa});
            return normal_angle(std::atan2(d.y, d.x));
        }
        double local = sx > 0 ? (sy > 0 ? a : -a) : (sy > 0 ? M_PI - a : a + M_PI);
        return normal_angle(local + rotation);
    }
    // Lengths measured in any direction (radii, widths) under a uniform scale.
    double length_scale() const { return std::fabs(sx); }
    // Widths of polylines: the mean scale by area where it is not uniform.
    double width_scale() const { return uniform() ? std::fabs(sx) : std::sqrt(std::fabs(sx * sy)); }
};

// An elliptical arc p(t) = center + a cos t + b sin t, t from t0 to t1,
// in the form an ELLIPSE entity holds it: major axis, ratio of the minor
// to it, and parameters measured from the major axis, counterclockwise.
GroupList ellipse_groups(Point center, Vec a, Vec b, double t0, double t1, bool full) {
    if (cross(a, b) < 0) {  // clockwise: run the parameter the other way
        b = {-b.x, -b.y};
        std::swap(t0, t1);
        t0 = -t0, t1 = -t1;
    }
    double shift = 0.5 * std::atan2(2 * dot(a, b), dot(a, a) - dot(b, b));
    auto [cs, sn] = turn(shift);
    Vec major{a.x * cs + b.x * sn, a.y * cs + b.y * sn};
    Vec minor{-a.x * sn + b.x * cs, -a.y * sn + b.y * cs};
    double lmaj = std::hypot(major.x, major.y), lmin = std::hypot(minor.x, minor.y);
    if (lmin > lmaj) {  // the other axis is the major one: a quarter turn on
        major = minor;
        std::swap(lmaj, lmin);
        shift += M_PI / 2;
    }
    double start = full ? 0.0 : normal_angle(t0 - shift);
    double end = full ? kTwoPi : normal_angle(t1 - shift);
    if (!full && end <= start) end += kTwoPi;
    return {make_group(0, std::string("ELLIPSE")), make_group(10, center),
            make_group(11, Point{major.x, major.y, 0.0, 3}), make_group(40, lmin / lmaj),
            make_group(41, start), make_group(42, end)};
}

// What a block's entity takes from the reference it is exploded from.
struct Reference {
    GroupList list;  // the INSERT
    std::string layer;
    bool paper = false;
};

bool is_byblock_text(const Group& g) {
    auto* t = std::get_if<std::string>(&g.value);
    return t && host::to_upper(*t) == "BYBLOCK";
}

// Layer 0 and BYBLOCK colour, linetype and lineweight take the reference's
// (dropped when the reference has none, which leaves them BYLAYER).
void apply_reference(GroupList& out, const Group& g, const Reference& ref) {
    bool by_block = (g.code == 8 && std::get_if<std::string>(&g.value) && std::get<std::string>(g.value) == "0") ||
                    (g.code == 62 && std::get_if<int16_t>(&g.value) && std::get<int16_t>(g.value) == 0) ||
                    (g.code == 6 && is_byblock_text(g)) ||
                    (g.code == 370 && std::get_if<int16_t>(&g.value) && std::get<int16_t>(g.value) == -2);
    if (!by_block) return out.push_back(g);
    if (g.code == 8) return out.push_back(make_group(8, ref.layer));
    if (const Group* r = find_group(ref.list, g.code)) out.push_back(*r);
}

// Groups that belong to the block's copy of the entity only: its name,
// handle, owner, subclass markers, reactors and pointers.
bool own_group(const Group& g, int& depth) {
    if (g.code == 102) {
        auto* t = std::get_if<std::string>(&g.value);
        depth += t && !t->empty() && t->front() == '{' ? 1 : -1;
        return true;
    }
    return depth > 0 || g.code == -1 || g.code == 5 || g.code == 100 || g.code == 330 || g.code == 360 ||
           g.code == 67 || std::holds_alternative<EntityRef>(g.value);
}

bool flat_extrusion(const GroupList& l) {
    const Group* g = find_group(l, 210);
    auto* p = g ? std::get_if<Point>(&g->value) : nullptr;
    return !p || (p->x == 0 && p->y == 0 && p->z > 0);
}

using Placed = Result<GroupList>;

// Groups of a curve other than its geometry, kept when it becomes an ELLIPSE.
void keep_other_groups(GroupList& out, const GroupList& in, std::initializer_list<int> geometry) {
    for (const Group& g : in)
        if (std::find(geometry.begin(), geometry.end(), g.code) == geometry.end()) out.push_back(g);
}

// A circle or arc under a scale that is not uniform: an ELLIPSE, keeping
// the entity's own groups other than its geometry.
GroupList arc_as_ellipse(const GroupList& in, const Placement& pl, bool full) {
    double r = group_real(in, 40);
    Point center = std::get<Point>(find_group(in, 10)->value);
    double t0 = full ? 0.0 : group_real(in, 50), t1 = full ? kTwoPi : group_real(in, 51);
    if (!full && t1 <= t0) t1 += kTwoPi;
    GroupList out = ellipse_groups(pl.map(center), pl.linear({r, 0}), pl.linear({0, r}), t0, t1, full);
    keep_other_groups(out, in, {0, 10, 39, 40, 50, 51});
    return out;
}

GroupList placed_ellipse(const GroupList& in, const Placement& pl) {
    Point center = std::get<Point>(find_group(in, 10)->value);
    Point m = std::get<Point>(find_group(in, 11)->value);
    double ratio = group_real(in, 40, 1.0), t0 = group_real(in, 41), t1 = group_real(in, 42, kTwoPi);
    Vec major{m.x, m.y}, minor{-m.y * ratio, m.x * ratio};
    bool full = std::fabs(t1 - t0 - kTwoPi) < 1e-12 || t0 == t1;
    GroupList out;
    if (pl.uniform()) {
        // Axes turn and scale alike: the ratio stays, and a mirror runs
        // the parameters the other way.
        Vec a = pl.linear(major);
        if (pl.mirrored() && !full) {
            double s0 = normal_angle(-t1), s1 = normal_angle(-t0);
            t0 = s0, t1 = s1 <= s0 ? s1 + kTwoPi : s1;
        }
        out = {make_group(0, std::string("ELLIPSE")), make_group(10, pl.map(center)),
               make_group(11, Point{a.x, a.y, 0.0, 3}), make_group(40, ratio), make_group(41, t0),
               make_group(42, t1)};
    } else {
        out = ellipse_groups(pl.map(center), pl.linear(major), pl.linear(minor), t0, t1, full);
    }
    keep_other_groups(out, in, {0, 10, 11, 40, 41, 42});
    return out;
}

// One geometric group of a LINE, POINT, SOLID, TRACE or 3DFACE.
Group placed_corner(const Group& g, const Placement& pl) {
    if (g.code >= 10 && g.code <= 13) return make_group(g.code, pl.map(std::get<Point>(g.value)));
    return g;
}

Group placed_circle_group(const Group& g, const Placement& pl) {
    switch (g.code) {
    case 10: return make_group(10, pl.map(std::get<Point>(g.value)));
    case 40: return make_group(40, std::get<double>(g.value) * pl.length_scale());
    case 50: case 51: {
        // A mirror reverses the arc's direction: its ends change places.
        int code = pl.mirrored() ? 101 - g.code : g.code;
        return make_group(code, pl.angle(std::get<double>(g.value)));
    }
    default: return g;
    }
}

// Texts and attributes: the height follows the Y scale, the width factor
// the ratio of X to Y, and a mirror turns the text upside down, which with
// the turned direction reads as the mirrored text.
void place_text(GroupList& out, const GroupList& in, const Placement& pl) {
    bool justified = group_int(in, 72) != 0 || group_int(in, 73) != 0 || group_int(in, 74) != 0;
    for (Group& g : out) {
        if (g.code == 10 || (g.code == 11 && justified)) g = make_group(g.code, pl.map(std::get<Point>(g.value)));
        else if (g.code == 40) g = make_group(40, std::get<double>(g.value) * std::fabs(pl.sy));
        else if (g.code == 41) g = make_group(41, std::get<double>(g.value) * std::fabs(pl.sx / pl.sy));
        else if (g.code == 50) g = make_group(50, pl.angle(std::get<double>(g.value)));
        else if (g.code == 71 && pl.mirrored()) g = make_short(71, static_cast<int>(std::get<int16_t>(g.value) ^ 4));
    }
    if (!find_group(out, 50)) out.push_back(make_group(50, pl.angle(0.0)));
    if (!find_group(out, 71) && pl.mirrored()) out.push_back(make_short(71, 4));
}

// A nested reference keeps its block: its placement is the outer one
// composed with its own, which another placement can hold unless a
// reference turned by other than right angles sits in one scaled unevenly.
Result<Unit> place_insert(GroupList& out, const GroupList& in, const Placement& pl) {
    double isx = group_real(in, 41, 1), isy = group_real(in, 42, 1), isz = group_real(in, 43, 1);
    double irot = group_real(in, 50);
    double sx = pl.sx * isx, sy = pl.sy * isy, rot;
    if (pl.uniform()) {
        // An even scale passes the inner turn through; a mirror reverses it.
        rot = pl.rotation + (pl.mirrored() ? -irot : irot);
    } else {
        double q = irot / (M_PI / 2), r = std::round(q);
        if (std::fabs(q - r) > 1e-12) return Error{"Cannot explode a turned block inside a non-uniformly scaled one."};
        if (static_cast<long>(r) % 2 != 0) sx = pl.sy * isx, sy = pl.sx * isy;
        rot = pl.rotation + irot;
    }
    if (group_int(in, 70, 1) > 1 || group_int(in, 71, 1) > 1) {
        // The array's spacing is along the block's axes: only a uniform,
        // unmirrored outer placement keeps it an array.
        if (!pl.uniform() || pl.mirrored() || pl.sx < 0) return Error{"Cannot explode a block array placed unevenly."};
    }
    for (Group& g : out) {
        switch (g.code) {
        case 10: g = make_group(10, pl.map(std::get<Point>(g.value))); break;
        case 41: g = make_group(41, sx); break;
        case 42: g = make_group(42, sy); break;
        case 43: g = make_group(43, pl.sz * isz); break;
        case 50: g = make_group(50, normal_angle(rot)); break;
        case 44: case 45: g = make_group(g.code, std::get<double>(g.value) * pl.length_scale()); break;
        default: break;
        }
    }
    for (int code : {41, 42, 43, 50})
        if (!find_group(out, code))
            out.push_back(code == 50 ? make_group(50, normal_angle(rot))
                                     : make_group(code, code == 41 ? sx : code == 42 ? sy : pl.sz * isz));
    return Unit{};
}

// Polylines, light and old style, and their vertices.
Result<Unit> place_polyline(GroupList& out, const std::string& type, const GroupList& in, const Placement& pl) {
    long flags = group_int(in, 70);
    bool spatial = type == "POLYLINE" ? (flags & (8 | 16 | 64)) != 0 : false;
    for (Group& g : out) {
        if (g.code == 42 && std::get<double>(g.value) != 0) {
            if (!pl.uniform()) return Error{"Cannot explode non-uniformly scaled arcs in polylines."};
            if (pl.mirrored()) g = make_group(42, -std::get<double>(g.value));
        } else if (g.code == 10) {
            Point p = std::get<Point>(g.value);
            if (type == "POLYLINE") g = make_group(10, Point{0, 0, pl.map_z(p.z), 3});  // elevation only
            else if (type == "LWPOLYLINE" || !spatial) g = make_group(10, pl.map_xy(p));
            else g = make_group(10, pl.map(p));
        } else if (g.code == 38) {
            g = make_group(38, pl.map_z(std::get<double>(g.value)));
        } else if (g.code == 40 || g.code == 41 || g.code == 43) {
            if (type != "POLYLINE" || g.code != 43)
                g = make_group(g.code, std::get<double>(g.value) * pl.width_scale());
        }
    }
    return Unit{};
}

// The entity a block's entity becomes in the drawing, or why the
// reference cannot be exploded.
Placed placed(const GroupList& in, const Placement& pl, const Reference& ref, bool in_spatial_polyline) {
    std::string type = group_string(in, 0);
    if (!flat_extrusion(in)) return Error{"Cannot explode a block holding entities out of its plane."};
    GroupList out;
    int depth = 0;
    for (const Group& g : in)
        if (!own_group(g, depth)) apply_reference(out, g, ref);
    if (ref.paper && type != "ATTRIB" && type != "VERTEX" && type != "SEQEND") out.push_back(make_short(67, 1));
    if ((type == "CIRCLE" || type == "ARC") && !pl.uniform()) return arc_as_ellipse(out, pl, type == "CIRCLE");
    if (type == "LINE" || type == "POINT" || type == "SOLID" || type == "TRACE" || type == "3DFACE") {
        for (Group& g : out) g = placed_corner(g, pl);
    } else if (type == "CIRCLE" || type == "ARC") {
        for (Group& g : out) g = placed_circle_group(g, pl);
    } else if (type == "ELLIPSE") {
        out = placed_ellipse(out, pl);
    } else if (type == "TEXT" || type == "ATTDEF" || type == "ATTRIB") {
        place_text(out, in, pl);
    } else if (type == "INSERT") {
        CH_TRY(place_insert(out, in, pl));
    } else if (type == "LWPOLYLINE" || type == "POLYLINE") {
        CH_TRY(place_polyline(out, type, in, pl));
    } else if (type == "VERTEX") {
        for (Group& g : out) {
            if (g.code == 10) g = make_group(10, in_spatial_polyline ? pl.map(std::get<Point>(g.value))
                                                                     : pl.map_xy(std::get<Point>(g.value)));
            else if ((g.code == 40 || g.code == 41) && !in_spatial_polyline)
                g = make_group(g.code, std::get<double>(g.value) * pl.width_scale());
            else if (g.code == 42 && std::get<double>(g.value) != 0) {
                if (!pl.uniform()) return Error{"Cannot explode non-uniformly scaled arcs in polylines."};
                if (pl.mirrored()) g = make_group(42, -std::get<double>(g.value));
            }
        }
    } else if (type != "SEQEND") {
        return Error{"Cannot explode a block holding a " + type + "."};
    }
    return out;
}

Placement placement_of(const GroupList& ins, const db::Drawing::BlockStart& blk) {
    Placement pl;
    pl.at = std::get<Point>(find_group(ins, 10)->value);
    pl.base = blk.base.value_or(Point{0, 0, 0});
    pl.sx = group_real(ins, 41, 1), pl.sy = group_real(ins, 42, 1), pl.sz = group_real(ins, 43, 1);
    pl.rotation = group_real(ins, 50);
    std::tie(pl.c, pl.s) = turn(pl.rotation);
    return pl;
}

bool is_sub_entity(const std::string& type) { return type == "ATTRIB" || type == "VERTEX" || type == "SEQEND"; }

// Why an entity's groups cannot be placed: a value the reader kept as text
// where a number belongs, or a point that placing it needs is missing.
Status check_placeable(const GroupList& l) {
    std::string type = group_string(l, 0);
    if (const Group* bad = misread_group(l)) return Error{type + " " + misread_message(*bad)};
    bool needs_center = type == "INSERT" || type == "CIRCLE" || type == "ARC" || type == "ELLIPSE";
    if (needs_center && !find_group(l, 10)) return Error{type + " has no group 10"};
    if (type == "ELLIPSE" && !find_group(l, 11)) return Error{type + " has no group 11"};
    return ok_status();
}

// The entities one reference explodes into, in the order they are made, or
// why it cannot be exploded.
Result<std::vector<GroupList>> exploded_lists(db::Drawing& d, EntityRef e) {
    auto ins = d.entget(e);
    if (!ins) return Error{"The block reference is gone."};
    std::string name = group_string(*ins, 2);
    auto blk = d.block_start(name);
    if (!blk) return Error{"Block " + name + " is not defined."};
    if (auto st = check_placeable(*ins); !st) return Error{"Cannot explode the reference: " + st.error().message + "."};
    if (!flat_extrusion(*ins)) return Error{"Cannot explode a block reference out of the drawing's plane."};
    if (group_int(*ins, 70, 1) > 1 || group_int(*ins, 71, 1) > 1) return Error{"Cannot explode a block array."};
    if (group_real(*ins, 41, 1) == 0 || group_real(*ins, 42, 1) == 0 || group_real(*ins, 43, 1) == 0)
        return Error{"Cannot explode a block reference of zero scale."};
    Reference ref{*ins, group_string(*ins, 8, "0"), d.space_of(e) == db::Space::Paper};
    Placement pl = placement_of(*ins, *blk);
    std::vector<GroupList> out;
    bool spatial = false;
    for (EntityRef b = blk->first; b; b = d.next_entity(b)) {
        auto g = d.entget(b);
        if (!g) continue;
        if (auto st = check_placeable(*g); !st) return Error{"Block " + name + ": " + st.error().message + "."};
        if (group_string(*g, 0) == "POLYLINE") spatial = (group_int(*g, 70) & (8 | 16 | 64)) != 0;
        out.push_back(CH_TRY(placed(*g, pl, ref, spatial)));
    }
    return out;
}

// Makes the lists; on a failure the entities made so far are deleted again.
Result<std::vector<EntityRef>> make_all(db::Drawing& d, const std::vector<GroupList>& lists) {
    std::vector<EntityRef> made;
    for (const GroupList& l : lists) {
        auto r = d.entmake(l);
        if (!r) {
            for (EntityRef m : made) (void)d.entdel(m);  // made above, so they exist
            return Error{"Cannot make " + group_string(l, 0) + ": " + r.error().message};
        }
        if (!is_sub_entity(group_string(l, 0))) made.push_back(*r);
    }
    return made;
}

std::string objects(size_t n) { return std::to_string(n) + (n == 1 ? " object" : " objects"); }

CmdStatus cmd_explode(CommandLine& cl) {
    auto set = select_objects(cl);
    if (!set) return CmdStatus::Cancelled;
    db::Drawing& d = cl.session().drawing();
    std::vector<EntityRef> made;
    size_t refused = 0;
    for (EntityRef e : *set) {
        if (d.is_deleted(e) || d.type_view(e) != "INSERT") {
            ++refused;
            continue;
        }
        auto lists = exploded_lists(d, e);
        auto now = lists ? make_all(d, *lists) : Result<std::vector<EntityRef>>(lists.error());
        if (!now) {
            cl.print(now.error().message + "\n");
            ++refused;
            continue;
        }
        (void)d.entdel(e);  // a selected INSERT that is not deleted
        made.insert(made.end(), now->begin(), now->end());
    }
    if (refused > 0) cl.print(objects(refused) + " could not be exploded.\n");
    if (!made.empty()) cl.set_previous_selection(made);
    return CmdStatus::Done;
}

}  // namespace

void add_explode_command(CommandLine& cl) { cl.add({"EXPLODE", cmd_explode}); }

}  // namespace cadhost::cmd
