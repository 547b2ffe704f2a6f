// Conversion between the R12 and R13+ data forms at write time.
#include "version_converter.h"

#include <algorithm>
#include <unordered_map>

#include "core/groupcode.h"
#include "db/ads_form.h"
#include "db/emitter.h"
#include "db/entity_maker.h"
#include "db/prototype.h"
#include "dxf/value_text.h"

namespace cadhost::db {

using dxf::trim_blanks;

namespace {

constexpr std::string_view classic_types[] = {"LINE",  "POINT",  "CIRCLE", "ARC",    "TRACE",    "SOLID",  "TEXT",
                                              "SHAPE", "INSERT", "ATTDEF", "ATTRIB", "POLYLINE", "VERTEX", "SEQEND",
                                              "3DFACE", "DIMENSION"};

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

void VersionConverter::classic_tables(dxf::TagWriter& w) {
    for (const Table& t : m_doc.m_tables) {
        if (t.name == "BLOCK_RECORD") continue;
        size_t n = 0;
        for (uint32_t id : t.records) n += m_emit.live(id);
        w.tag(0, "TABLE");
        w.tag(2, t.name);
        w.tag(70, dxf::format_int(static_cast<int64_t>(n)));
        for (uint32_t id : t.records)
            if (m_emit.live(id)) classic_tags(w, m_doc.obj(id).tags, false);
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
    if (const Group* g = find_group(l, 39)) w.tag(39, dxf::format_real(std::get<double>(g->value)));
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

void VersionConverter::classic_entity(dxf::TagWriter& w, uint32_t id, bool paper) {
    std::string_view type = m_doc.type_name(id);
    if (type == "LWPOLYLINE") return lwpolyline_as_polyline(w, id, paper);
    if (!classic_type(type)) return;  // R12 has no such entity
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
        if (!o.sub) skipping = !classic_type(m_doc.type_name(id)) && m_doc.type_name(id) != "LWPOLYLINE";
        if (skipping) continue;
        classic_entity(w, id, paper);
    }
}

void VersionConverter::classic_blocks(dxf::TagWriter& w) {
    for (const BlockDef& b : m_doc.m_blocks) {
        if (b.removed || space_block(trim_blanks(m_doc.tag_text(b.begin, 2)))) continue;
        classic_tags(w, m_doc.obj(b.begin).tags, true);
        classic_entities(w, b.list, false);
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
            for (size_t i = 1; i < src.size(); ++i)
                if (src[i].code != 5 && src[i].code != 105) tags.push_back(src[i]);
            if (existing) {
                // Records are referred to by name, so the prototype's one can take the source's handle.
                up.m_handles.erase(up.obj(*existing).handle);
                up.obj(*existing).handle = h;
                up.obj(*existing).tags = std::move(tags);
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

void VersionConverter::replay_list(DrawingImpl& up, int list) const {
    EntityMaker maker(up);
    AdsConverter conv(m_doc, DefaultsMode::Omit);
    for (uint32_t id : m_doc.m_lists[static_cast<size_t>(list)].ids) {
        if (!m_emit.live(id)) continue;
        GroupList l = conv.object_form(id, XdataMode::Include).groups;
        l.erase(l.begin());  // the -1 group names an entity of the source drawing
        // Entities the prototype form cannot make are left out, sub-entities with them.
        (void)maker.make_with_handle(l, m_doc.obj(id).handle);
    }
}

// Moves the prototype's own objects to handles above every handle of the
// source drawing, so that the source's handles stay free for its objects.
void VersionConverter::renumber(DrawingImpl& up) const {
    std::unordered_map<uint64_t, uint64_t> moved;
    uint64_t next = std::max(m_doc.m_next_handle, uint64_t{1});
    for (const DbObject& o : up.m_objects)
        if (o.handle) moved[o.handle] = next++;
    for (DbObject& o : up.m_objects) {
        for (Tag& t : o.tags) {
            bool handle_code = t.code == 5 || t.code == 105 || group_type(t.code) == GroupType::Pointer;
            if (!handle_code) continue;
            auto h = dxf::parse_handle(t.text());
            if (!h) continue;
            auto it = moved.find(*h);
            if (it != moved.end()) t = up.make_tag(t.code, dxf::format_handle(it->second));
        }
        if (o.handle) o.handle = moved[o.handle];
    }
    up.m_handles.clear();
    up.m_next_handle = next;
    for (uint32_t id = 1; id <= up.m_objects.size(); ++id) up.index_handle(id);
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
        if (!maker.make_with_handle(begin, m_doc.obj(b.begin).handle)) continue;
        replay_list(up, b.list);
        GroupList end = conv.object_form(b.end, XdataMode::Skip).groups;
        end.erase(end.begin());
        (void)maker.make_with_handle(end, m_doc.obj(b.end).handle);
    }
    replay_list(up, 0);
}

}  // namespace cadhost::db
