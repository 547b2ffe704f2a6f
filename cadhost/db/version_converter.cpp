// Conversion between the R12 and R13+ data forms at write time.
#include "version_converter.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

#include "core/groupcode.h"
#include "db/ads_form.h"
#include "db/classic_forms.h"
#include "db/emitter.h"
#include "db/entity_maker.h"
#include "db/prototype.h"
#include "dxf/value_text.h"

namespace cadhost::db {

using dxf::trim_blanks;

namespace {

constexpr std::string_view classic_types[] = {"LINE",  "POINT",  "CIRCLE", "ARC",    "TRACE",    "SOLID",  "TEXT",
                                              "SHAPE", "INSERT", "ATTDEF", "ATTRIB", "POLYLINE", "VERTEX", "SEQEND",
                                              "3DFACE", "DIMENSION", "VIEWPORT"};

bool classic_type(std::string_view t) {
    for (auto c : classic_types)
        if (c == t) return true;
    return false;
}

// Codes R12 entities and records carry: plain data, extrusion, XDATA.
bool classic_code(int c) { return (c >= 0 && c < 100) || (c >= 210 && c <= 239) || c == 105 || c == 999 || c >= 1000; }

bool space_block(std::string_view name) {
    std::string n = dxf::upper_ascii(name);
    return n.rfind("*MODEL_SPACE", 0) == 0 || n.rfind("*PAPER_SPACE", 0) == 0 || n == "$MODEL_SPACE" || n == "$PAPER_SPACE";
}

const char* record_subclass(std::string_view table) {
    if (table == "LAYER") return "AcDbLayerTableRecord";
    if (table == "LTYPE") return "AcDbLinetypeTableRecord";
    if (table == "STYLE") return "AcDbTextStyleTableRecord";
    if (table == "VIEW") return "AcDbViewTableRecord";
    if (table == "UCS") return "AcDbUCSTableRecord";
    if (table == "VPORT") return "AcDbViewportTableRecord";
    if (table == "APPID") return "AcDbRegAppTableRecord";
    if (table == "DIMSTYLE") return "AcDbDimStyleTableRecord";
    return nullptr;
}

}  // namespace

bool VersionConverter::holds_later_entities(const DrawingImpl& doc) {
    for (uint32_t id = 1; id <= doc.object_count(); ++id) {
        const DbObject& o = doc.obj(id);
        if (o.kind == ObjKind::Entity && !o.deleted && o.committed && !classic_type(doc.type_name(id))) return true;
    }
    return false;
}

std::string VersionConverter::write(DxfVersion version) {
    if (version == DxfVersion::R12) return write_classic();
    DrawingImpl up;
    upgrade(up, version);
    return DxfEmitter(up).write(version);
}

// --- R12 output -----------------------------------------------------------

void VersionConverter::classic_tags(dxf::TagWriter& w, const TagVec& tags, bool entity) {
    TagVec kept;
    kept.reserve(tags.size());
    int depth = 0;
    for (const Tag& t : tags) {
        if (t.code == 102) {
            depth = !t.text().empty() && t.text()[0] == '{' ? 1 : 0;
            continue;
        }
        if (depth || !classic_code(t.code)) continue;
        if (entity && t.code == 67 && trim_blanks(t.text()) == "0") continue;
        kept.push_back(t);
    }
    m_emit.tags(w, kept);
}

// A DIMSTYLE's arrow blocks: names in groups 5, 6 and 7 in R12, handles of
// their block records in 342, 343 and 344 in R2000 and later.
constexpr int kArrowNameCodes[] = {5, 6, 7};
constexpr int kArrowHandleOffset = 337;

// The record's tags with the arrow blocks its handles name given by name,
// for R12, which has no block records (names it holds already stay).
TagVec VersionConverter::classic_dimstyle(const TagVec& tags) const {
    TagVec out = tags;
    for (int code : kArrowNameCodes) {
        bool named = std::any_of(tags.begin(), tags.end(), [code](const Tag& t) { return t.code == code; });
        auto by_handle = std::find_if(tags.begin(), tags.end(),
                                      [code](const Tag& t) { return t.code == code + kArrowHandleOffset; });
        if (named || by_handle == tags.end()) continue;
        auto h = dxf::parse_handle(by_handle->text());
        const DbObject* rec = h ? m_doc.object(m_doc.ref_of_handle(*h)) : nullptr;
        if (!rec || rec->tags.empty() || trim_blanks(rec->tags[0].text()) != "BLOCK_RECORD") continue;
        for (const Tag& t : rec->tags)
            if (t.code == 2) {
                out.insert(out.begin() + static_cast<long>(xdata_start(out)), Tag{t.ptr, t.len, code});
                break;
            }
    }
    return out;
}

void VersionConverter::classic_tables(dxf::TagWriter& w) {
    for (const Table& t : m_doc.m_tables) {
        if (t.name == "BLOCK_RECORD") continue;
        size_t n = 0;
        for (uint32_t id : t.records) n += m_emit.live(id);
        w.tag(0, "TABLE");
        w.tag(2, t.name);
        w.tag(70, dxf::format_int(static_cast<int64_t>(n)));
        for (uint32_t id : t.records) {
            if (!m_emit.live(id)) continue;
            if (t.name == "DIMSTYLE") classic_tags(w, classic_dimstyle(m_doc.obj(id).tags), false);
            else classic_tags(w, m_doc.obj(id).tags, false);
        }
        w.tag(0, "ENDTAB");
    }
}

void VersionConverter::lwpolyline_as_polyline(dxf::TagWriter& w, uint32_t id, bool paper) {
    GroupList l = AdsConverter(m_doc, DefaultsMode::Omit).object_form(id, XdataMode::Skip).groups;
    std::string_view layer_text = trim_blanks(m_doc.tag_text(id, 8));
    std::string layer = layer_text.empty() ? std::string(1, '0') : std::string(layer_text);
    double elevation = group_real(l, 38);
    w.tag(0, "POLYLINE");
    w.tag(5, dxf::format_handle(m_doc.obj(id).handle));
    if (paper) w.tag(67, "1");
    w.tag(8, layer);
    for (const Tag& x : m_doc.obj(id).tags)
        if (x.code == 6 || x.code == 62) w.tag(x.code, x.text());
    w.tag(66, "1");
    w.tag(10, "0.0"); w.tag(20, "0.0"); w.tag(30, dxf::format_real(elevation));
    if (const Group* g = find_group(l, 39)) {
        // A thickness the reader could not read goes on as the file had it.
        auto* text = std::get_if<std::string>(&g->value);
        w.tag(39, text ? *text : dxf::format_real(std::get<double>(g->value)));
    }
    w.tag(70, dxf::format_int(group_int(l, 70) & (1 | 128)));
    double width = group_real(l, 43);
    if (width != 0) { w.tag(40, dxf::format_real(width)); w.tag(41, dxf::format_real(width)); }
    if (const Group* g = find_group(l, 210); g && std::holds_alternative<Point>(g->value)) {
        Point p = std::get<Point>(g->value);
        w.tag(210, dxf::format_real(p.x)); w.tag(220, dxf::format_real(p.y)); w.tag(230, dxf::format_real(p.z));
    }
    bool open = false;
    for (const Group& g : l) {
        if (g.code == 10) {
            Point p = std::holds_alternative<Point>(g.value) ? std::get<Point>(g.value) : Point{};
            w.tag(0, "VERTEX");
            w.tag(5, dxf::format_handle(m_next_handle++));
            if (paper) w.tag(67, "1");
            w.tag(8, layer);
            w.tag(10, dxf::format_real(p.x)); w.tag(20, dxf::format_real(p.y)); w.tag(30, dxf::format_real(elevation));
            open = true;
        } else if (open && (g.code == 40 || g.code == 41 || g.code == 42) && std::holds_alternative<double>(g.value)) {
            double v = std::get<double>(g.value);
            if (v != 0) w.tag(g.code, dxf::format_real(v));
        }
    }
    w.tag(0, "SEQEND");
    w.tag(5, dxf::format_handle(m_next_handle++));
    if (paper) w.tag(67, "1");
    w.tag(8, layer);
}

// The groups every converted entity starts with: type, handle, space,
// layer, colour and linetype.
void VersionConverter::classic_head(dxf::TagWriter& w, const char* type, uint64_t handle, uint32_t source, bool paper) {
    std::string_view layer = trim_blanks(m_doc.tag_text(source, 8));
    w.tag(0, type);
    w.tag(5, dxf::format_handle(handle));
    if (paper) w.tag(67, "1");
    w.tag(8, layer.empty() ? std::string_view("0") : layer);
    for (const Tag& x : m_doc.obj(source).tags) {
        if (x.code == 1001) break;
        if (x.code == 6 || x.code == 62) w.tag(x.code, x.text());
    }
}

// Points as a POLYLINE: 2D at the points' elevation when they lie in a
// plane parallel to XY, else 3D.
void VersionConverter::points_as_polyline(dxf::TagWriter& w, uint32_t id, bool paper, const std::vector<Point>& pts,
                                          bool closed) {
    bool flat = std::all_of(pts.begin(), pts.end(), [&](const Point& p) { return p.z == pts.front().z; });
    double elevation = pts.empty() || !flat ? 0 : pts.front().z;
    classic_head(w, "POLYLINE", m_doc.obj(id).handle, id, paper);
    w.tag(66, "1");
    w.tag(10, "0.0"); w.tag(20, "0.0"); w.tag(30, dxf::format_real(elevation));
    w.tag(70, dxf::format_int((closed ? 1 : 0) | (flat ? 0 : 8)));
    for (const Point& p : pts) {
        classic_head(w, "VERTEX", m_next_handle++, id, paper);
        w.tag(10, dxf::format_real(p.x)); w.tag(20, dxf::format_real(p.y)); w.tag(30, dxf::format_real(flat ? elevation : p.z));
        if (!flat) w.tag(70, "32");
    }
    classic_head(w, "SEQEND", m_next_handle++, id, paper);
}

void VersionConverter::ellipse_as_polyline(dxf::TagWriter& w, uint32_t id, bool paper) {
    GroupList l = AdsConverter(m_doc).object_form(id, XdataMode::Skip).groups;
    auto point = [&](int code, Point fallback) {
        const Group* g = find_group(l, code);
        return g && std::holds_alternative<Point>(g->value) ? std::get<Point>(g->value) : fallback;
    };
    EllipseShape e{point(10, {}), point(11, {1, 0, 0}), point(210, {0, 0, 1}), group_real(l, 40, 1), group_real(l, 41, 0),
                   group_real(l, 42, 2 * M_PI)};
    points_as_polyline(w, id, paper, ellipse_points(e), whole_ellipse(e));
}

void VersionConverter::spline_as_polyline(dxf::TagWriter& w, uint32_t id, bool paper) {
    GroupList l = AdsConverter(m_doc).object_form(id, XdataMode::Skip).groups;
    SplineShape s;
    s.degree = static_cast<int>(group_int(l, 71, 3));
    for (const Group& g : l) {
        auto p = std::get_if<Point>(&g.value);
        auto d = std::get_if<double>(&g.value);
        if (g.code == 10 && p) s.control.push_back(*p);
        if (g.code == 11 && p) s.fit.push_back(*p);
        if (g.code == 40 && d) s.knots.push_back(*d);
        if (g.code == 41 && d) s.weights.push_back(*d);
    }
    std::vector<Point> pts = spline_points(s);
    if (pts.size() < 2) {
        ++m_doc.m_write_report.not_placed["SPLINE"];
        return;
    }
    bool closed = (group_int(l, 70) & 1) != 0 && pts.front() == pts.back();
    if (closed) pts.pop_back();
    points_as_polyline(w, id, paper, pts, closed);
}

// A text group of a converted entity, in the output's encoding.
void VersionConverter::text_tag(dxf::TagWriter& w, int code, const std::string& text) {
    std::string stored = m_doc.m_codec.encode(text);
    m_emit.tags(w, {Tag{stored.data(), static_cast<uint32_t>(stored.size()), code}});
}

// MTEXT as one TEXT a line, each placed as the MTEXT's attachment point
// places its lines, at the standard line spacing.
void VersionConverter::mtext_as_text(dxf::TagWriter& w, uint32_t id, bool paper) {
    GroupList l = AdsConverter(m_doc).object_form(id, XdataMode::Skip).groups;
    std::string text;
    for (const Group& g : l)
        if (g.code == 3) text += std::get_if<std::string>(&g.value) ? std::get<std::string>(g.value) : "";
    text += group_string(l, 1);
    std::vector<std::string> lines = mtext_lines(text);
    const Group* at = find_group(l, 10);
    Point base = at && std::holds_alternative<Point>(at->value) ? std::get<Point>(at->value) : Point{};
    double height = group_real(l, 40, 1), rotation = group_real(l, 50, 0);
    if (const Group* dir = find_group(l, 11); dir && std::holds_alternative<Point>(dir->value))
        rotation = std::atan2(std::get<Point>(dir->value).y, std::get<Point>(dir->value).x);
    int attach = static_cast<int>(group_int(l, 71, 1));
    if (attach < 1 || attach > 9) attach = 1;
    int column = (attach - 1) % 3, row = (attach - 1) / 3;  // row 0 top, 1 middle, 2 bottom
    double spacing = 5.0 / 3.0 * height * group_real(l, 44, 1);
    double n = static_cast<double>(lines.size());
    for (size_t i = 0; i < lines.size(); ++i) {
        double k = static_cast<double>(i);
        double offset = row == 0 ? -k * spacing : row == 1 ? ((n - 1) / 2 - k) * spacing : (n - 1 - k) * spacing;
        Point p{base.x - std::sin(rotation) * offset, base.y + std::cos(rotation) * offset, base.z, 3};
        if (lines[i].empty()) continue;
        classic_head(w, "TEXT", i == 0 ? m_doc.obj(id).handle : m_next_handle++, id, paper);
        w.tag(10, dxf::format_real(p.x)); w.tag(20, dxf::format_real(p.y)); w.tag(30, dxf::format_real(p.z));
        w.tag(40, dxf::format_real(height));
        text_tag(w, 1, lines[i]);
        if (rotation != 0) w.tag(50, dxf::format_real(rotation * 180 / M_PI));
        std::string style = group_string(l, 7);
        if (!style.empty()) text_tag(w, 7, style);
        w.tag(72, dxf::format_int(column));
        w.tag(11, dxf::format_real(p.x)); w.tag(21, dxf::format_real(p.y)); w.tag(31, dxf::format_real(p.z));
        w.tag(73, dxf::format_int(3 - row));
    }
}

// R12 keeps a viewport's view in the ACAD application's MVIEW data, where
// R2000 and later have groups of their own; a viewport that has that data
// already keeps it.
void VersionConverter::viewport_as_classic(dxf::TagWriter& w, uint32_t id, bool paper) {
    const TagVec& tags = m_doc.obj(id).tags;
    size_t xd = xdata_start(tags);
    for (size_t i = xd; i + 1 < tags.size(); ++i)
        if (tags[i].code == 1001 && trim_blanks(tags[i].text()) == "ACAD" && trim_blanks(tags[i + 1].text()) == "MVIEW")
            return classic_tags(w, tags, true);
    GroupList l = AdsConverter(m_doc).object_form(id, XdataMode::Skip).groups;
    auto pt = [&](int code, Point fallback) {
        const Group* g = find_group(l, code);
        return g && std::holds_alternative<Point>(g->value) ? std::get<Point>(g->value) : fallback;
    };
    auto real = [&](int code, double v) { w.tag(code, dxf::format_real(v)); };
    auto point = [&](int code, Point p) { real(code, p.x); real(code + 10, p.y); real(code + 20, p.z); };
    auto num = [&](int v) { w.tag(1070, dxf::format_int(v)); };
    classic_head(w, "VIEWPORT", m_doc.obj(id).handle, id, paper);
    point(10, pt(10, {}));
    real(40, group_real(l, 40));
    real(41, group_real(l, 41));
    w.tag(68, dxf::format_int(group_int(l, 68, 1)));
    w.tag(69, dxf::format_int(group_int(l, 69, 1)));
    long flags = group_int(l, 90);
    Point center = pt(12, {}), base = pt(13, {}), snap = pt(14, {1, 1, 0}), grid = pt(15, {1, 1, 0});
    w.tag(1001, "ACAD");
    w.tag(1000, "MVIEW");
    w.tag(1002, "{");
    num(16);
    point(1010, pt(17, {}));
    point(1010, pt(16, {0, 0, 1}));
    for (double v : {group_real(l, 51) * 180 / M_PI, group_real(l, 45, 1), center.x, center.y, group_real(l, 42, 50),
                     group_real(l, 43), group_real(l, 44)})
        real(1040, v);
    for (long v : {group_int(l, 281), group_int(l, 72, 100), (flags & 0x80) ? 1L : 0L, group_int(l, 74, 3),
                   (flags & 0x100) ? 1L : 0L, (flags & 0x200) ? 1L : 0L, (flags & 0x400) ? 1L : 0L, 0L})
        num(static_cast<int>(v));
    for (double v : {group_real(l, 50) * 180 / M_PI, base.x, base.y, snap.x, snap.y, grid.x, grid.y}) real(1040, v);
    num((flags & 0x800) ? 1 : 0);
    w.tag(1002, "{");
    w.tag(1002, "}");
    w.tag(1002, "}");
    TagVec other(tags.begin() + static_cast<long>(xd), tags.end());
    m_emit.tags(w, other);
}

void VersionConverter::classic_entity(dxf::TagWriter& w, uint32_t id, bool paper) {
    std::string_view type = m_doc.type_name(id);
    if (type == "VIEWPORT") return viewport_as_classic(w, id, paper);
    if (type == "LWPOLYLINE") return lwpolyline_as_polyline(w, id, paper);
    if (type == "MTEXT") return mtext_as_text(w, id, paper);
    if (type == "ELLIPSE") return ellipse_as_polyline(w, id, paper);
    if (type == "SPLINE") return spline_as_polyline(w, id, paper);
    if (!classic_type(type)) {
        if (!m_doc.obj(id).sub) ++m_doc.m_write_report.no_such_type[std::string(type)];
        return;
    }
    if (!paper) return classic_tags(w, m_doc.obj(id).tags, true);
    TagVec tags = m_doc.obj(id).tags;
    bool has_space = false;
    for (const Tag& t : tags) has_space = has_space || t.code == 67;
    if (!has_space) {
        static const char one[] = "1";
        tags.insert(tags.begin() + 1, Tag{one, 1, 67});
    }
    classic_tags(w, tags, true);
}

void VersionConverter::classic_entities(dxf::TagWriter& w, int list, bool paper) {
    // Sub-entities of a complex entity R12 cannot hold go with it.
    bool skipping = false;
    for (uint32_t id : m_doc.m_lists[static_cast<size_t>(list)].ids) {
        const DbObject& o = m_doc.obj(id);
        if (!m_emit.live(id)) continue;
        if (o.sub && skipping) continue;
        if (!o.sub) skipping = !classic_type(m_doc.type_name(id));
        classic_entity(w, id, paper);
    }
}

void VersionConverter::classic_blocks(dxf::TagWriter& w) {
    int paper = m_doc.find_block("*Paper_Space");
    for (const BlockDef& b : m_doc.m_blocks) {
        std::string_view name = trim_blanks(m_doc.tag_text(b.begin, 2));
        if (!b.removed && space_block(name) && &b - m_doc.m_blocks.data() != paper && dxf::upper_ascii(name) != "*MODEL_SPACE")
            for (uint32_t id : m_doc.m_lists[static_cast<size_t>(b.list)].ids)
                if (m_emit.live(id) && !m_doc.obj(id).sub) ++m_doc.m_write_report.other_layouts;
        if (b.removed || space_block(name)) continue;
        classic_tags(w, m_doc.obj(b.begin).tags, true);
        if (!m_doc.external_reference(b)) classic_entities(w, b.list, false);
        classic_tags(w, m_doc.obj(b.end).tags, true);
    }
}

std::string VersionConverter::write_classic() {
    m_next_handle = m_doc.m_next_handle;
    m_emit.prepare(DxfVersion::R12);
    std::string body;
    dxf::TagWriter w(body);
    w.tag(0, "SECTION"); w.tag(2, "TABLES");
    classic_tables(w);
    w.tag(0, "ENDSEC");
    w.tag(0, "SECTION"); w.tag(2, "BLOCKS");
    classic_blocks(w);
    w.tag(0, "ENDSEC");
    w.tag(0, "SECTION"); w.tag(2, "ENTITIES");
    classic_entities(w, 0, false);
    // Paper space entities of the active layout kept in its block move to ENTITIES.
    int paper = m_doc.find_block("*Paper_Space");
    if (paper >= 0) classic_entities(w, m_doc.m_blocks[static_cast<size_t>(paper)].list, true);
    w.tag(0, "ENDSEC");
    w.tag(0, "EOF");
    // The header comes last because LWPOLYLINE conversion takes new handles.
    std::string out;
    out.reserve(body.size() + 65536);
    dxf::TagWriter hw(out);
    m_emit.header(hw, DxfVersion::R12, DataForm::Classic, m_next_handle);
    out += body;
    return out;
}

// --- R13+ output ----------------------------------------------------------

void VersionConverter::copy_tables(DrawingImpl& up) const {
    for (const Table& t : m_doc.m_tables) {
        const char* sub = record_subclass(t.name);
        if (!sub) continue;
        Table& ut = up.ensure_table(t.name);
        uint64_t table_handle = up.obj(ut.head).handle;
        for (uint32_t id : t.records) {
            if (!m_doc.obj(id).committed || m_doc.obj(id).deleted) continue;
            const TagVec& src = m_doc.obj(id).tags;
            std::string_view name = trim_blanks(m_doc.tag_text(id, 2));
            auto existing = up.find_record(t.name, name);
            uint64_t own = m_doc.obj(id).handle;
            uint64_t h = own && !up.m_handles.contains(own) ? own : existing ? up.obj(*existing).handle : up.new_handle();
            TagVec tags = {up.make_tag(0, t.name), up.make_tag(t.name == "DIMSTYLE" ? 105 : 5, dxf::format_handle(h)),
                           up.make_tag(330, dxf::format_handle(table_handle)), up.make_tag(100, "AcDbSymbolTableRecord"),
                           up.make_tag(100, sub)};
            int handle_code = t.name == "DIMSTYLE" ? 105 : 5;  // a DIMSTYLE's 5 is DIMBLK
            for (size_t i = 1; i < src.size(); ++i)
                if (src[i].code != handle_code) tags.push_back(src[i]);
            if (existing) {
                // Records are referred to by name, so the prototype's one can take the source's handle.
                up.m_handles.erase(up.obj(*existing).handle);
                up.obj(*existing).handle = h;
                up.obj(*existing).tags = std::move(tags);
                up.tags_changed(*existing);
                up.index_handle(*existing);
                continue;
            }
            DbObject o;
            o.kind = ObjKind::TableRecord;
            o.table = static_cast<int>(&ut - up.m_tables.data());
            o.tags = std::move(tags);
            o.handle = h;
            uint32_t nid = up.add_object(std::move(o));
            up.index_handle(nid);
            ut.records.push_back(nid);
        }
    }
}

// Blocks are referred to by name, and a block may be defined after an
// INSERT that names it: the maker leaves the check to the whole file.
void VersionConverter::replay_list(DrawingImpl& up, int list) const {
    EntityMaker maker(up);
    maker.allow_blocks_made_later();
    AdsConverter conv(m_doc, DefaultsMode::Omit);
    bool main_failed = false;
    for (uint32_t id : m_doc.m_lists[static_cast<size_t>(list)].ids) {
        if (!m_emit.live(id)) continue;
        const DbObject& o = m_doc.obj(id);
        if (o.sub && main_failed) continue;  // left out with its main entity, which is reported
        GroupList l = conv.object_form(id, XdataMode::Include).groups;
        l.erase(l.begin());  // the -1 group names an entity of the source drawing
        bool made = maker.make_with_handle(l, o.handle).ok();
        if (!o.sub) main_failed = !made;
        if (!made) ++m_doc.m_write_report.not_placed[std::string(m_doc.type_name(id))];
    }
}

// Moves the prototype's own objects to handles above every handle of the
// source drawing, so that the source's handles stay free for its objects.
void VersionConverter::renumber(DrawingImpl& up) const {
    std::unordered_map<uint64_t, uint64_t> moved;
    uint64_t next = std::max(m_doc.m_next_handle, uint64_t{1});
    for (const DbObject& o : up.m_objects)
        if (o.handle) moved[o.handle] = next++;
    for (uint32_t id = 1; id <= up.m_objects.size(); ++id) {
        DbObject& o = up.obj(id);
        for (Tag& t : o.tags) {
            bool handle_code = t.code == 5 || t.code == 105 || group_type(t.code) == GroupType::Pointer;
            if (!handle_code) continue;
            auto h = dxf::parse_handle(t.text());
            if (!h) continue;
            auto it = moved.find(*h);
            if (it != moved.end()) t = up.make_tag(t.code, dxf::format_handle(it->second));
        }
        if (o.handle) o.handle = moved[o.handle];
        up.tags_changed(id);
    }
    up.m_handles.clear();
    up.m_next_handle = next;
    for (uint32_t id = 1; id <= up.m_objects.size(); ++id) up.index_handle(id);
}

// Gives each arrow block a DIMSTYLE names the handle of its block record,
// once the blocks are made; names of blocks the drawing lacks stay names.
void VersionConverter::link_arrow_blocks(DrawingImpl& up) const {
    const Table* t = up.table("DIMSTYLE");
    if (!t) return;
    for (uint32_t id : t->records) {
        TagVec& tags = up.obj(id).tags;
        TagVec handles;
        for (int code : kArrowNameCodes) {
            auto named = std::find_if(tags.begin(), tags.end(), [code](const Tag& x) { return x.code == code; });
            bool linked = std::any_of(tags.begin(), tags.end(),
                                      [code](const Tag& x) { return x.code == code + kArrowHandleOffset; });
            if (named == tags.end() || linked || trim_blanks(named->text()).empty()) continue;
            auto rec = up.find_record("BLOCK_RECORD", trim_blanks(named->text()));
            if (rec) handles.push_back(up.make_tag(code + kArrowHandleOffset, dxf::format_handle(up.obj(*rec).handle)));
        }
        tags.insert(tags.begin() + static_cast<long>(xdata_start(tags)), handles.begin(), handles.end());
        up.tags_changed(id);
    }
}

void VersionConverter::upgrade(DrawingImpl& up, DxfVersion version) const {
    Prototype::build(up, version);
    renumber(up);
    up.m_codec = m_doc.m_codec;  // copied record tags keep the source encoding
    for (const HeaderVar& v : m_doc.m_header) {
        std::string key = dxf::upper_ascii(v.name);
        if (key.empty() || key == "$ACADVER" || key == "$HANDSEED" || key == "$HANDLING") continue;
        up.set_header_tags(v.name, v.tags);
    }
    if (m_doc.m_next_handle > up.m_next_handle) up.m_next_handle = m_doc.m_next_handle;
    copy_tables(up);
    AdsConverter conv(m_doc, DefaultsMode::Omit);
    EntityMaker maker(up);
    for (const BlockDef& b : m_doc.m_blocks) {
        if (b.removed || space_block(trim_blanks(m_doc.tag_text(b.begin, 2)))) continue;
        GroupList begin = conv.object_form(b.begin, XdataMode::Skip).groups;
        begin.erase(begin.begin());
        if (!maker.make_with_handle(begin, m_doc.obj(b.begin).handle)) {
            ++m_doc.m_write_report.not_placed["BLOCK"];
            continue;
        }
        if (!m_doc.external_reference(b)) replay_list(up, b.list);
        GroupList end = conv.object_form(b.end, XdataMode::Skip).groups;
        end.erase(end.begin());
        (void)maker.make_with_handle(end, m_doc.obj(b.end).handle);
    }
    replay_list(up, 0);
    link_arrow_blocks(up);
}

}  // namespace cadhost::db
