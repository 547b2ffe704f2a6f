// Storage, handle index and structure lookups of the drawing store.
#include "document.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "dxf/value_text.h"

namespace cadhost::db {

using dxf::equal_nocase;

DrawingImpl::DrawingImpl() { m_lists.push_back(EntityList{}); }

std::string_view DrawingImpl::keep(std::string_view s) {
    constexpr size_t kBlock = 16384;
    if (s.empty()) return std::string_view("", 0);
    if (s.size() > kBlock / 4) {
        // A long text gets a block of its own; the current one stays open.
        auto& b = m_arena.blocks.emplace_back(new char[s.size()]);
        std::memcpy(b.get(), s.data(), s.size());
        return {b.get(), s.size()};
    }
    if (m_arena.left < s.size()) {
        m_arena.free = m_arena.blocks.emplace_back(new char[kBlock]).get();
        m_arena.left = kBlock;
    }
    char* p = m_arena.free;
    std::memcpy(p, s.data(), s.size());
    m_arena.free += s.size();
    m_arena.left -= s.size();
    return {p, s.size()};
}

uint32_t DrawingImpl::add_object(DbObject o) {
    m_objects.push_back(std::move(o));
    return static_cast<uint32_t>(m_objects.size());
}

DbObject* DrawingImpl::object(EntityRef e) {
    if (e.id == 0 || e.id > m_objects.size()) return nullptr;
    return &m_objects[e.id - 1];
}

const DbObject* DrawingImpl::object(EntityRef e) const {
    if (e.id == 0 || e.id > m_objects.size()) return nullptr;
    return &m_objects[e.id - 1];
}

EntityRef DrawingImpl::ref_of_handle(uint64_t h) const {
    return EntityRef{m_handles.find(h)};
}

void DrawingImpl::index_handle(uint32_t id) {
    uint64_t h = obj(id).handle;
    m_handles.set(h, id);
    if (h >= m_next_handle) m_next_handle = h + 1;
}

namespace {

bool is_dimstyle(const DbObject& o) { return !o.tags.empty() && dxf::trim_blanks(o.tags[0].text()) == "DIMSTYLE"; }

// The tag carrying an object's handle: 5, or 105 for DIMSTYLE records, whose
// group 5 is the arrow block's name (DIMBLK) in every version. Returns its
// index or -1.
int handle_tag_index(const DbObject& o) {
    int code = is_dimstyle(o) ? 105 : 5;
    for (size_t i = 1; i < o.tags.size(); ++i) {
        int c = o.tags[i].code;
        if (c == code) return static_cast<int>(i);
        if (c == 1001) break;
    }
    return -1;
}

}  // namespace

// Reads every object's handle, then gives handles to objects that have none
// or repeat one already taken, in file order so the result is deterministic.
void DrawingImpl::assign_handles() {
    std::vector<uint32_t> missing;
    m_handles.reserve(m_objects.size() + m_objects.size() / 4);
    for (uint32_t id = 1; id <= m_objects.size(); ++id) {
        DbObject& o = obj(id);
        int i = handle_tag_index(o);
        auto h = i < 0 ? std::nullopt : dxf::parse_handle(o.tags[static_cast<size_t>(i)].text());
        if (h && *h != 0 && !m_handles.contains(*h)) {
            o.handle = *h;
            index_handle(id);
        } else if (o.kind != ObjKind::TableHead || i >= 0 || m_form == DataForm::Modern) {
            missing.push_back(id);
        }
    }
    if (const HeaderVar* seed = header("$HANDSEED"))
        for (const Tag& t : seed->tags)
            if (auto h = dxf::parse_handle(t.text()); h && *h > m_next_handle) m_next_handle = *h;
    for (uint32_t id : missing) {
        DbObject& o = obj(id);
        o.handle = new_handle();
        index_handle(id);
        int i = handle_tag_index(o);
        Tag t = make_tag(5, dxf::format_handle(o.handle));
        if (i >= 0) {
            t.code = o.tags[static_cast<size_t>(i)].code;
            o.tags[static_cast<size_t>(i)] = t;
        } else {
            t.code = is_dimstyle(o) ? 105 : 5;
            o.tags.insert(o.tags.begin() + 1, t);
        }
        tags_changed(id);
    }
}

std::string_view DrawingImpl::type_name(uint32_t id) const {
    const DbObject& o = obj(id);
    return o.tags.empty() ? std::string_view() : dxf::trim_blanks(o.tags[0].text());
}

bool DrawingImpl::external_reference(const BlockDef& b) const {
    auto flags = dxf::parse_int(dxf::trim_blanks(tag_text(b.begin, 70)));
    return flags && (*flags & 4) != 0;
}

std::string_view DrawingImpl::tag_text(uint32_t id, int code) const {
    for (const Tag& t : obj(id).tags)
        if (t.code == code) return t.text();
    return {};
}

Table* DrawingImpl::table(std::string_view name) {
    for (Table& t : m_tables)
        if (equal_nocase(t.name, name)) return &t;
    return nullptr;
}

const Table* DrawingImpl::table(std::string_view name) const {
    for (const Table& t : m_tables)
        if (equal_nocase(t.name, name)) return &t;
    return nullptr;
}

uint32_t DrawingImpl::block_record_of(int block) const {
    if (block < 0) return 0;
    auto r = find_record("BLOCK_RECORD", dxf::trim_blanks(tag_text(m_blocks[static_cast<size_t>(block)].begin, 2)));
    return r ? *r : 0;
}

uint32_t DrawingImpl::space_record(Space s) const {
    auto r = find_record("BLOCK_RECORD", s == Space::Paper ? "*Paper_Space" : "*Model_Space");
    return r ? *r : 0;
}

// Marks the ATTRIBs after an INSERT and the VERTEXes after a POLYLINE, with
// the SEQEND closing them, as sub-entities of that main entity.
void DrawingImpl::mark_complex(EntityList& list) {
    enum class Open { None, Insert, Polyline } open = Open::None;
    for (uint32_t id : list.ids) {
        std::string_view t = type_name(id);
        DbObject& o = obj(id);
        if (open == Open::Insert && t == "ATTRIB") { o.sub = true; continue; }
        if (open == Open::Polyline && t == "VERTEX") { o.sub = true; continue; }
        if (open != Open::None && t == "SEQEND") { o.sub = true; open = Open::None; continue; }
        open = t == "INSERT" ? Open::Insert : t == "POLYLINE" ? Open::Polyline : Open::None;
    }
}

void DrawingImpl::append_to_list(int list, uint32_t id) {
    if (list == 0) ensure_section(SectionKind::Entities, "ENTITIES");
    EntityList& l = m_lists[static_cast<size_t>(list)];
    DbObject& o = obj(id);
    o.list = list;
    o.position = static_cast<uint32_t>(l.ids.size());
    o.committed = true;
    l.ids.push_back(id);
}

HeaderVar* DrawingImpl::header(std::string_view name) {
    return const_cast<HeaderVar*>(std::as_const(*this).header(name));
}

const HeaderVar* DrawingImpl::header(std::string_view name) const {
    // Names mostly come in upper case already, and need no upper-case copy.
    bool upper = std::none_of(name.begin(), name.end(), [](char c) { return c >= 'a' && c <= 'z'; });
    auto it = upper ? m_header_index.find(name) : m_header_index.find(dxf::upper_ascii(name));
    return it == m_header_index.end() ? nullptr : &m_header[it->second];
}

void DrawingImpl::set_header_tags(std::string_view name, TagVec tags) {
    if (HeaderVar* v = header(name)) {
        v->tags = std::move(tags);
        return;
    }
    m_header_index[dxf::upper_ascii(name)] = m_header.size();
    m_header.push_back(HeaderVar{std::string(name), std::move(tags)});
    ensure_section(SectionKind::Header, "HEADER");
}

bool DrawingImpl::has_section(SectionKind k) const {
    for (const Section& s : m_sections)
        if (s.kind == k) return true;
    return false;
}

// Adds a missing section at its place in the usual order.
Section& DrawingImpl::ensure_section(SectionKind k, const char* name) {
    for (Section& s : m_sections)
        if (s.kind == k) return s;
    size_t at = 0;
    while (at < m_sections.size() && m_sections[at].kind != SectionKind::Raw && m_sections[at].kind < k) ++at;
    return *m_sections.insert(m_sections.begin() + static_cast<long>(at), Section{k, name, {}});
}

Table& DrawingImpl::ensure_table(std::string_view name) {
    if (Table* t = table(name)) return *t;
    ensure_section(SectionKind::Tables, "TABLES");
    DbObject head;
    head.kind = ObjKind::TableHead;
    head.table = static_cast<int>(m_tables.size());
    head.tags.push_back(make_tag(0, "TABLE"));
    head.tags.push_back(make_tag(2, std::string(name)));
    if (m_form == DataForm::Modern) {
        head.handle = new_handle();
        head.tags.push_back(make_tag(5, dxf::format_handle(head.handle)));
        head.tags.push_back(make_tag(330, "0"));
        head.tags.push_back(make_tag(100, "AcDbSymbolTable"));
    }
    head.tags.push_back(make_tag(70, "0"));
    uint32_t id = add_object(std::move(head));
    index_handle(id);
    m_tables.push_back(Table{dxf::upper_ascii(name), id, {}, 0});
    return m_tables.back();
}

}  // namespace cadhost::db
