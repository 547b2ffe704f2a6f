// The model space walk of the plot scene: tables, appearance of entities,
// block references and the dispatch by entity kind.
#include "plot/builder.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace cadhost::plot {

std::string upper(std::string s) {
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

std::optional<Vec2> group_point(const GroupList& g, int code) {
    const Group* p = find_group(g, code);
    if (!p) return std::nullopt;
    if (auto* q = std::get_if<Point>(&p->value)) return Vec2{q->x, q->y};
    return std::nullopt;
}

Affine ocs_of(const GroupList& g) {
    const Group* n = find_group(g, 210);
    const Point* p = n ? std::get_if<Point>(&n->value) : nullptr;
    if (!p) return {};
    double len = std::sqrt(p->x * p->x + p->y * p->y + p->z * p->z);
    if (len == 0) return {};
    double nx = p->x / len, ny = p->y / len, nz = p->z / len;
    if (std::abs(nx) < 1e-12 && std::abs(ny) < 1e-12 && nz > 0) return {};
    // Ax = W x N with W the world Y axis near the poles, else the world Z axis.
    double ax, ay, az;
    if (std::abs(nx) < 1.0 / 64 && std::abs(ny) < 1.0 / 64) ax = nz, ay = 0, az = -nx;
    else ax = -ny, ay = nx, az = 0;
    double al = std::sqrt(ax * ax + ay * ay + az * az);
    ax /= al, ay /= al, az /= al;
    double bx = ny * az - nz * ay, by = nz * ax - nx * az;  // Ay = N x Ax
    return {ax, ay, bx, by, 0, 0};
}

Builder::Builder(db::Drawing& d) : m_d(d) {
    if (auto v = d.header_var("$LTSCALE"))
        if (auto* r = std::get_if<double>(&v->value); r && *r > 0) m_ltscale = *r;
}

void Builder::note(const std::string& text) { ++m_notes[text]; }

bool Builder::room() {
    if (m_scene.items.size() < m_limit) return true;
    note("the plot holds at most " + std::to_string(m_limit) + " drawn pieces; the rest is left out");
    return false;
}

Scene Builder::run() {
    for (EntityRef e = m_d.first_entity(); e; e = m_d.next_entity(e))
        if (m_d.space_of(e) == db::Space::Model) entity(e, Inherit{});
    for (auto& [text, n] : m_notes) m_scene.notes.push_back(n > 1 ? text + " (" + std::to_string(n) + " times)" : text);
    return std::move(m_scene);
}

const Builder::LayerInfo& Builder::layer(const std::string& name) {
    std::string key = upper(name);
    auto it = m_layers.find(key);
    if (it != m_layers.end()) return it->second;
    LayerInfo info;
    if (auto rec = m_d.tblsearch("LAYER", name)) {
        long aci = group_int(*rec, 62, 7);
        info.colour = find_group(*rec, 420) ? packed_colour(static_cast<int32_t>(group_int(*rec, 420)))
                                            : index_colour(static_cast<int>(std::abs(aci)));
        info.ltype = upper(group_string(*rec, 6, "CONTINUOUS"));
        info.frozen = group_int(*rec, 70) & 1;
        info.shown = aci >= 0 && !info.frozen;
    }
    // Definition points of dimensions are seen on the screen but never plotted.
    if (key == "DEFPOINTS") info.shown = false;
    return m_layers.emplace(key, info).first->second;
}

const std::vector<double>& Builder::pattern(const std::string& ltype) {
    auto it = m_patterns.find(ltype);
    if (it != m_patterns.end()) return it->second;
    std::vector<double> dashes;
    if (ltype != "CONTINUOUS" && !ltype.empty()) {
        if (auto rec = m_d.tblsearch("LTYPE", ltype)) {
            for (const Group& grp : *rec)
                if (grp.code == 49)
                    if (auto* d = std::get_if<double>(&grp.value)) dashes.push_back(*d);
        } else {
            note("linetype " + ltype + " is not in the drawing; drawn continuous");
        }
    }
    return m_patterns.emplace(ltype, std::move(dashes)).first->second;
}

const Builder::StyleInfo& Builder::style(const std::string& name) {
    std::string key = upper(name);
    auto it = m_styles.find(key);
    if (it != m_styles.end()) return it->second;
    StyleInfo info;
    if (auto rec = m_d.tblsearch("STYLE", name)) {
        std::string font = upper(group_string(*rec, 3) + " " + group_string(*rec, 4));
        auto has = [&](const char* w) { return font.find(w) != std::string::npos; };
        if (has("MONO") || has("COUR")) info.font = "monospace";
        else if (has("ROMANC") || has("ROMANT") || has("ROMAND") || has("TIMES") || has("SERIF") || has("GOTHIC"))
            info.font = "serif";
        info.height = group_real(*rec, 40);
        info.width_factor = group_real(*rec, 41, 1);
        info.oblique = group_real(*rec, 50);
    }
    return m_styles.emplace(key, info).first->second;
}

std::optional<Look> Builder::look(const GroupList& g, const Inherit& in, bool reference) {
    Look lk;
    lk.layer = group_string(g, 8, "0");
    if (!in.blocks.empty() && lk.layer == "0" && !in.layer.empty()) lk.layer = in.layer;
    const LayerInfo& li = layer(lk.layer);
    // A block reference on a layer that is off still shows what its block
    // holds on other layers; a frozen one shows nothing.
    if (li.frozen || (!li.shown && !reference)) return std::nullopt;
    if (group_int(g, 60) == 1) return std::nullopt;
    long aci = group_int(g, 62, 256);
    Rgb byblock = in.colour.value_or(index_colour(7));
    if (find_group(g, 420)) lk.colour = packed_colour(static_cast<int32_t>(group_int(g, 420)));
    else if (aci == 256) lk.colour = li.colour;
    else if (aci == 0) lk.colour = byblock;
    else lk.colour = index_colour(static_cast<int>(std::abs(aci)));
    lk.ltype = upper(group_string(g, 6, "BYLAYER"));
    if (lk.ltype == "BYLAYER") lk.ltype = li.ltype;
    else if (lk.ltype == "BYBLOCK") lk.ltype = in.ltype.empty() ? "CONTINUOUS" : in.ltype;
    double scale = m_ltscale * group_real(g, 48, 1);
    for (double d : pattern(lk.ltype)) lk.dashes.push_back(d * scale);
    return lk;
}

void Builder::walk_list(EntityRef first, const Inherit& in) {
    for (EntityRef e = first; e; e = m_d.next_entity(e)) entity(e, in);
}

void Builder::entity(EntityRef e, const Inherit& in) {
    std::string_view type = m_d.type_view(e);
    // Parts of complex entities are drawn with the entity they belong to.
    if (type == "ATTRIB" || type == "VERTEX" || type == "SEQEND") return;
    if (!room()) return;
    auto g = m_d.entget(e);
    if (!g) return;
    std::string t(type);
    bool reference = t == "INSERT";
    auto lk = look(*g, in, reference);
    if (!lk) return;
    if (t == "LINE") line(*g, in, *lk);
    else if (t == "CIRCLE" || t == "ARC") circle(*g, in, *lk, t == "ARC");
    else if (t == "ELLIPSE") ellipse(*g, in, *lk);
    else if (t == "LWPOLYLINE") lwpolyline(*g, in, *lk);
    else if (t == "POLYLINE") polyline(e, *g, in, *lk);
    else if (t == "SOLID" || t == "TRACE") solid(*g, in, *lk);
    else if (t == "3DFACE") face(*g, in, *lk);
    else if (t == "LEADER") leader(*g, in, *lk);
    else if (t == "POINT") point(*g, in, *lk);
    else if (t == "TEXT") text(*g, in, *lk, t);
    else if (t == "ATTDEF") {
        // Attribute definitions show their tag in the drawing itself; inside
        // a block they only describe the attributes its references carry.
        if (in.blocks.empty()) text(*g, in, *lk, t);
    } else if (t == "MTEXT") mtext(*g, in, *lk);
    else if (reference) insert(e, *g, in);
    else if (t == "DIMENSION") dimension(*g, in);
    else if (t != "VIEWPORT") note(t + " entities are not plotted");
}

void Builder::insert(EntityRef e, const GroupList& g, const Inherit& in) {
    std::string name = group_string(g, 2);
    auto lk = look(g, in, true);
    if (!lk) return;
    auto start = m_d.block_start(name);
    Inherit child{in.xf, lk->layer, lk->colour, lk->ltype, in.blocks};
    if (!start) {
        note("block " + name + " is not defined in the drawing");
    } else if (std::find(child.blocks.begin(), child.blocks.end(), upper(name)) != child.blocks.end()) {
        note("block " + name + " contains a reference to itself");
    } else if (child.blocks.size() >= 32) {
        note("blocks nested more than 32 deep are left out");
    } else {
        child.blocks.push_back(upper(name));
        Vec2 ins = group_point(g, 10).value_or(Vec2{});
        Vec2 base = start->base ? Vec2{start->base->x, start->base->y} : Vec2{};
        double sx = group_real(g, 41, 1), sy = group_real(g, 42, 1), rot = group_real(g, 50);
        long cols = std::max(1L, group_int(g, 70, 1)), rows = std::max(1L, group_int(g, 71, 1));
        double cs = group_real(g, 44), rs = group_real(g, 45);
        Affine frame = in.xf * ocs_of(g) * Affine::translate(ins.x, ins.y) * Affine::rotate(rot);
        for (long r = 0; r < rows; ++r)
            for (long c = 0; c < cols; ++c) {
                child.xf = frame * Affine::translate(c * cs, r * rs) * Affine::scaling(sx, sy) *
                           Affine::translate(-base.x, -base.y);
                walk_list(start->first, child);
            }
    }
    // The attributes that follow the reference stand in the drawing's own
    // frame; only their BYBLOCK colour and linetype come from the reference.
    Inherit attrs{in.xf, in.layer, lk->colour, lk->ltype, in.blocks};
    for (EntityRef a = m_d.next_entity(e); a && m_d.type_view(a) == "ATTRIB"; a = m_d.next_entity(a)) {
        auto ag = m_d.entget(a);
        if (!ag || (group_int(*ag, 70) & 1)) continue;  // invisible attribute
        if (auto alk = look(*ag, attrs)) text(*ag, attrs, *alk, "ATTRIB");
    }
}

void Builder::dimension(const GroupList& g, const Inherit& in) {
    // A dimension is drawn by its anonymous block, which holds its lines,
    // arrows and text in the drawing's frame.
    std::string name = group_string(g, 2);
    auto start = m_d.block_start(name);
    auto lk = look(g, in, true);
    if (!start || !lk) {
        if (!start) note(name.empty() ? "dimensions without a block of their own" : "dimension block " + name + " is not in the drawing");
        return;
    }
    Vec2 at = group_point(g, 12).value_or(Vec2{});
    Inherit child{in.xf * Affine::translate(at.x, at.y), lk->layer, lk->colour, lk->ltype, in.blocks};
    child.blocks.push_back(upper(name));
    walk_list(start->first, child);
}

Scene build_scene(db::Drawing& drawing) { return Builder(drawing).run(); }

}  // namespace cadhost::plot
