// entmake and the composition of new entities' tags.
#include "entity_maker.h"

#include <algorithm>

#include "db/ads_form.h"
#include "db/editor.h"
#include "db/messages.h"
#include "dxf/value_text.h"

namespace cadhost::db {

namespace {

std::string upper_type(const GroupList& list) { return dxf::upper_ascii(group_string(list, 0)); }

bool has(const GroupList& list, int code) { return find_group(list, code) != nullptr; }

bool skipped_code(int c) { return c < 0 || c == 0 || c == 5 || c == 100 || c == 102 || c == 330 || c == 8 || c == 67 || c == 105; }

const char* polyline_subclass(int flags) {
    return flags & 8 ? "AcDb3dPolyline" : flags & 16 ? "AcDbPolygonMesh" : flags & 64 ? "AcDbPolyFaceMesh" : "AcDb2dPolyline";
}

const char* vertex_subclass(int flags) {
    return flags & 8    ? "AcDb3dPolylineVertex"
           : flags & 16 ? "AcDbPolygonMeshVertex"
           : flags & 64 ? "AcDbPolyFaceMeshVertex"
                        : "AcDb2dVertex";
}

}  // namespace

Status EntityMaker::add_groups(TagVec& tags, const GroupList& list, const std::vector<int>& codes, Used& used,
                               int vertex_dims) {
    AdsConverter conv(m_doc);
    for (size_t i = 0; i < list.size() && list[i].code != -3; ++i) {
        if (used[i] || std::find(codes.begin(), codes.end(), list[i].code) == codes.end()) continue;
        used[i] = true;
        // Z is written for every point but LWPOLYLINE vertices; only a point
        // whose dimension changes is copied.
        const Group* g = &list[i];
        Group adjusted;
        if (auto p = std::get_if<Point>(&g->value)) {
            int dims = g->code == 10 && vertex_dims == 2 ? 2 : p->dims == 2 ? 3 : p->dims;
            if (dims != p->dims) {
                adjusted = *g;
                std::get<Point>(adjusted.value).dims = dims;
                g = &adjusted;
            }
        }
        CH_TRY(add_file_tags(tags, conv, *g));
    }
    return ok_status();
}

Status EntityMaker::add_file_tags(TagVec& tags, const AdsConverter& conv, const Group& g) {
    auto put = [&](int code, std::string_view text) { tags.push_back(m_doc.make_tag(code, text)); };
    return conv.put_file_tags(g, TagSink(put));
}

Result<TagVec> EntityMaker::compose(std::string_view type, const GroupList& list, uint64_t handle, uint64_t owner,
                                    DataForm form, int polyline_flags) {
    const EntityLayout* layout = entity_layout(type);
    bool modern = form == DataForm::Modern;
    TagVec tags;
    // Points take three tags, and the header and subclass markers a few more.
    tags.reserve(3 * list.size() + 8);
    char buf[dxf::kNumberText];
    tags.push_back(m_doc.make_tag(0, type));
    tags.push_back(m_doc.make_tag(5, std::string_view(buf, dxf::format_handle_to(handle, buf))));
    if (modern) {
        tags.push_back(m_doc.make_tag(330, std::string_view(buf, dxf::format_handle_to(owner, buf))));
        tags.push_back(m_doc.make_tag(100, "AcDbEntity"));
    }
    if (group_int(list, 67) == 1) tags.push_back(m_doc.make_tag(67, "1"));
    std::string layer = group_string(list, 8, "0");
    tags.push_back(m_doc.make_tag(8, m_doc.m_codec.encode(layer)));
    Used used(list.size());
    for (size_t i = 0; i < list.size(); ++i) used[i] = skipped_code(list[i].code);
    CH_TRY(add_groups(tags, list, common_entity_codes(), used, 3));
    int dims = type == "LWPOLYLINE" ? 2 : 3;
    if (layout) {
        for (const auto& sc : layout->subclasses) {
            const char* marker = sc.marker;
            if (type == "POLYLINE") marker = polyline_subclass(polyline_flags);
            if (type == "VERTEX" && std::string_view(marker) != "AcDbVertex") marker = vertex_subclass(polyline_flags);
            if (modern) tags.push_back(m_doc.make_tag(100, marker));
            CH_TRY(add_groups(tags, list, sc.codes, used, dims));
        }
        if (type == "DIMENSION") {
            SubclassLayout sub = dimension_subclass(static_cast<int>(group_int(list, 70)));
            if (modern && std::string_view(sub.marker) == "AcDbRotatedDimension") tags.push_back(m_doc.make_tag(100, "AcDbAlignedDimension"));
            if (modern) tags.push_back(m_doc.make_tag(100, sub.marker));
            CH_TRY(add_groups(tags, list, sub.codes, used, dims));
        }
    }
    // Groups the type table does not place go at the end of the last subclass.
    AdsConverter conv(m_doc);
    for (size_t i = 0; i < list.size() && list[i].code != -3; ++i)
        if (!used[i]) CH_TRY(add_file_tags(tags, conv, list[i]));
    auto x = std::find_if(list.begin(), list.end(), [](const Group& g) { return g.code == -3; });
    for (auto it = x == list.end() ? x : x + 1; it != list.end(); ++it) CH_TRY(add_file_tags(tags, conv, *it));
    return tags;
}

uint64_t EntityMaker::take_handle() {
    uint64_t h = m_wanted;
    m_wanted = 0;
    if (h && !m_doc.m_handles.contains(h)) {
        if (h >= m_doc.m_next_handle) m_doc.m_next_handle = h + 1;
        return h;
    }
    return m_doc.new_handle();
}

Result<EntityRef> EntityMaker::make_with_handle(const GroupList& list, uint64_t handle) {
    m_wanted = handle;
    auto r = make(list);
    m_wanted = 0;
    return r;
}

uint32_t EntityMaker::new_entity(TagVec tags, uint64_t handle, ObjKind kind) {
    DbObject o;
    o.tags = std::move(tags);
    o.handle = handle;
    o.kind = kind;
    o.committed = false;
    uint32_t id = m_doc.add_object(std::move(o));
    m_doc.index_handle(id);
    return id;
}

int EntityMaker::target_list() const { return m_doc.m_block_build.active ? m_doc.m_block_build.list : 0; }

uint64_t EntityMaker::owner_for(const GroupList& list) const {
    if (m_doc.m_block_build.active) return m_doc.m_block_build.record ? m_doc.obj(m_doc.m_block_build.record).handle : 0;
    uint32_t rec = m_doc.space_record(group_int(list, 67) == 1 ? Space::Paper : Space::Model);
    return rec ? m_doc.obj(rec).handle : 0;
}

// A complex entity left open by a new main entity is discarded, as the host does.
void EntityMaker::cancel_complex() {
    for (uint32_t id : m_doc.m_complex.ids) {
        DbObject& o = m_doc.obj(id);
        o.deleted = true;
        m_doc.m_handles.erase(o.handle);
    }
    m_doc.m_complex = {};
}

void EntityMaker::abandon_unfinished() {
    if (!m_doc.m_complex.ids.empty()) cancel_complex();
    auto& bb = m_doc.m_block_build;
    if (!bb.active) return;
    // Entities of a definition are seen only once ENDBLK ends it; its record,
    // still uncommitted, stays out of the table.
    std::vector<uint32_t> ids = m_doc.m_lists[static_cast<size_t>(bb.list)].ids;
    ids.push_back(bb.begin);
    for (uint32_t id : ids) {
        DbObject& o = m_doc.obj(id);
        o.deleted = true;
        m_doc.m_handles.erase(o.handle);
    }
    bb = {};
}

Result<EntityRef> EntityMaker::make(const GroupList& list) {
    std::string type = upper_type(list);
    if (type.empty()) return fail(msg::missing_group + std::string(" (0)"));
    CH_TRY(EntityEditor(m_doc).check_xdata_apps(list));
    if (type == "BLOCK") return begin_block(list);
    if (type == "ENDBLK") return end_block(list);
    if (type == "ATTRIB" || type == "VERTEX" || type == "SEQEND") return make_sub(type, list);
    return make_plain(type, list);
}

Result<EntityRef> EntityMaker::make_plain(const std::string& type, const GroupList& list) {
    const EntityLayout* layout = entity_layout(type);
    bool has_markers = has(list, 100);
    if (!layout && !has_markers && m_doc.m_form == DataForm::Modern) return fail(msg::unknown_type + std::string(": ") + type);
    if (layout)
        for (int c : layout->required)
            if (!has(list, c)) return fail(msg::missing_group + std::string(" (") + std::to_string(c) + ") " + type);
    if (type == "INSERT" && !m_blocks_later && m_doc.find_block(m_doc.m_codec.encode(group_string(list, 2))) < 0) return fail(msg::no_block + std::string(": ") + group_string(list, 2));
    CH_TRY(EntityEditor(m_doc).ensure_layer(group_string(list, 8, "0")));
    if (!m_doc.m_complex.ids.empty()) cancel_complex();
    bool complex = type == "POLYLINE" || (type == "INSERT" && group_int(list, 66) == 1);
    int flags = static_cast<int>(group_int(list, 70));
    // Only polylines get groups of their own added; other lists are
    // composed as given.
    GroupList own;
    const GroupList* lp = &list;
    if (type == "POLYLINE") {
        own = list;
        if (!has(own, 66)) own.insert(own.begin() + 1, make_short(66, 1));
        if (!has(own, 10)) own.push_back(make_group(10, Point{0, 0, 0, 3}));
        lp = &own;
    }
    if (type == "LWPOLYLINE") {
        own = list;
        own.erase(std::remove_if(own.begin(), own.end(), [](const Group& g) { return g.code == 90; }), own.end());
        auto n = std::count_if(own.begin(), own.end(), [](const Group& g) { return g.code == 10; });
        own.insert(own.begin() + 1, make_long(90, static_cast<int32_t>(n)));
        lp = &own;
    }
    const GroupList& l = *lp;
    uint64_t h = take_handle();
    TagVec tags = CH_TRY(compose(type, l, h, owner_for(l), m_doc.m_form, flags));
    uint32_t id = new_entity(std::move(tags), h, ObjKind::Entity);
    if (complex) {
        m_doc.m_complex.ids = {id};
        m_doc.m_complex.polyline_flags = type == "POLYLINE" ? flags : 0;
    } else {
        m_doc.append_to_list(target_list(), id);
    }
    ++m_doc.m_dbmod;
    return EntityRef{id};
}

Result<EntityRef> EntityMaker::make_sub(const std::string& type, const GroupList& list) {
    auto& cx = m_doc.m_complex;
    std::string_view main = cx.ids.empty() ? std::string_view() : m_doc.type_name(cx.ids[0]);
    bool fits = (type == "ATTRIB" && main == "INSERT") || (type == "VERTEX" && main == "POLYLINE") || (type == "SEQEND" && !main.empty());
    if (!fits) return fail(msg::sub_without_parent);
    if (const EntityLayout* layout = entity_layout(type))
        for (int c : layout->required)
            if (!has(list, c)) return fail(msg::missing_group + std::string(" (") + std::to_string(c) + ") " + type);
    GroupList l = list;
    // Sub-entities share the layer of their main entity unless given one.
    if (!has(l, 8)) l.push_back(make_group(8, std::string(dxf::trim_blanks(m_doc.tag_text(cx.ids[0], 8)))));
    CH_TRY(EntityEditor(m_doc).ensure_layer(group_string(l, 8, "0")));
    uint64_t h = take_handle();
    TagVec tags = CH_TRY(compose(type, l, h, m_doc.obj(cx.ids[0]).handle, m_doc.m_form, cx.polyline_flags));
    uint32_t id = new_entity(std::move(tags), h, ObjKind::Entity);
    m_doc.obj(id).sub = true;
    cx.ids.push_back(id);
    if (type == "SEQEND") {
        int list_index = target_list();
        for (uint32_t x : cx.ids) m_doc.append_to_list(list_index, x);
        cx = {};
    }
    ++m_doc.m_dbmod;
    return EntityRef{id};
}

std::string EntityMaker::unique_anonymous_name(char letter) const {
    long best = 0;
    for (const BlockDef& b : m_doc.m_blocks) {
        std::string_view n = dxf::trim_blanks(m_doc.tag_text(b.begin, 2));
        if (n.size() > 2 && n[0] == '*' && (n[1] == letter || n[1] == letter + 32))
            if (auto v = dxf::parse_int(n.substr(2)); v && *v > best) best = *v;
    }
    return std::string("*") + letter + std::to_string(best + 1);
}

}  // namespace cadhost::db

namespace cadhost::db {

// The block record of a new definition; it joins its table at ENDBLK.
uint32_t EntityMaker::new_block_record(const std::string& name) {
    Table& t = m_doc.ensure_table("BLOCK_RECORD");
    uint64_t rh = m_doc.new_handle();
    TagVec rt = {m_doc.make_tag(0, "BLOCK_RECORD"), m_doc.make_tag(5, dxf::format_handle(rh)),
                 m_doc.make_tag(330, dxf::format_handle(m_doc.obj(t.head).handle)),
                 m_doc.make_tag(100, "AcDbSymbolTableRecord"), m_doc.make_tag(100, "AcDbBlockTableRecord"),
                 m_doc.make_tag(2, m_doc.m_codec.encode(name)), m_doc.make_tag(340, "0")};
    int table = static_cast<int>(&t - m_doc.m_tables.data());
    uint32_t id = new_entity(std::move(rt), rh, ObjKind::TableRecord);
    m_doc.obj(id).table = table;
    return id;
}

// BLOCK starts a definition: entities made until ENDBLK go into it. The
// definition becomes visible (and replaces one of the same name) at ENDBLK.
Result<EntityRef> EntityMaker::begin_block(const GroupList& list) {
    auto& bb = m_doc.m_block_build;
    if (bb.active) return fail(msg::nested_block);
    std::string name = group_string(list, 2);
    if (name.empty()) return fail(msg::missing_group + std::string(" (2) BLOCK"));
    if (!m_doc.m_complex.ids.empty()) cancel_complex();
    int flags = static_cast<int>(group_int(list, 70));
    if (name.size() <= 2 && name[0] == '*') name = unique_anonymous_name(name.size() == 2 ? static_cast<char>(std::toupper(name[1])) : 'U');
    if (name[0] != '*' && !EntityEditor::valid_symbol_name(name)) return fail(msg::bad_value + std::string(" (2) ") + name);
    std::string upper = dxf::upper_ascii(name);
    if (upper.rfind("*MODEL_SPACE", 0) == 0 || upper.rfind("*PAPER_SPACE", 0) == 0)
        return fail(msg::bad_value + std::string(" (2) ") + name);  // layouts are not redefined as blocks
    CH_TRY(EntityEditor(m_doc).ensure_layer(group_string(list, 8, "0")));
    bb = {};
    bb.name = name;
    bb.replaces = m_doc.find_block(m_doc.m_codec.encode(name));
    if (m_doc.m_form == DataForm::Modern) {
        auto rec = m_doc.find_record("BLOCK_RECORD", m_doc.m_codec.encode(name));
        bb.record = rec ? *rec : new_block_record(name);
    }
    GroupList l = list;
    if (Group* g = find_group(l, 2)) g->value = name;
    if (!has(l, 70)) l.push_back(make_short(70, flags));
    if (!has(l, 10)) l.push_back(make_group(10, Point{}));
    if (!has(l, 3)) l.push_back(make_group(3, name));
    if (!has(l, 1) && m_doc.m_form == DataForm::Modern) l.push_back(make_group(1, std::string()));
    bb.active = true;  // owner_for now answers the new block record
    uint64_t h = take_handle();
    auto tags = compose("BLOCK", l, h, owner_for(l), m_doc.m_form, 0);
    if (!tags) {
        bb = {};
        return tags.error();
    }
    bb.begin = new_entity(std::move(*tags), h, ObjKind::BlockBegin);
    bb.list = static_cast<int>(m_doc.m_lists.size());
    m_doc.m_lists.push_back(EntityList{{}, -1});
    m_doc.obj(bb.begin).list = bb.list;
    ++m_doc.m_dbmod;
    return EntityRef{bb.begin};
}

Result<EntityRef> EntityMaker::end_block(const GroupList& list) {
    auto& bb = m_doc.m_block_build;
    if (!bb.active) return fail(msg::endblk_without_block);
    if (!m_doc.m_complex.ids.empty()) cancel_complex();
    GroupList l = list;
    if (!has(l, 8)) l.push_back(make_group(8, std::string(dxf::trim_blanks(m_doc.tag_text(bb.begin, 8)))));
    uint64_t h = take_handle();
    TagVec tags = CH_TRY(compose("ENDBLK", l, h, owner_for(l), m_doc.m_form, 0));
    uint32_t end = new_entity(std::move(tags), h, ObjKind::BlockEnd);
    m_doc.obj(end).list = bb.list;
    m_doc.obj(end).committed = true;
    m_doc.obj(bb.begin).committed = true;
    BlockDef def{bb.begin, end, bb.list, false};
    m_doc.ensure_section(SectionKind::Blocks, "BLOCKS");
    int index;
    if (bb.replaces >= 0) {
        // The old definition's entities go with it.
        BlockDef& old = m_doc.m_blocks[static_cast<size_t>(bb.replaces)];
        for (uint32_t id : m_doc.m_lists[static_cast<size_t>(old.list)].ids) m_doc.obj(id).deleted = true;
        old = def;
        index = bb.replaces;
    } else {
        index = static_cast<int>(m_doc.m_blocks.size());
        m_doc.m_blocks.push_back(def);
    }
    m_doc.m_lists[static_cast<size_t>(bb.list)].block = index;
    if (bb.record && !m_doc.obj(bb.record).committed) {
        DbObject& rec = m_doc.obj(bb.record);
        rec.committed = true;
        m_doc.m_tables[static_cast<size_t>(rec.table)].records.push_back(bb.record);
    }
    bb = {};
    ++m_doc.m_dbmod;
    return EntityRef{end};
}

}  // namespace cadhost::db
