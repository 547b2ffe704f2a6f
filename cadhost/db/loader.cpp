// Structure stage of reading: sections, tables, block definitions, entities.
#include "loader.h"

#include <unordered_set>
#include <vector>

#include "db/editor.h"

#include "db/messages.h"
#include "dxf/value_text.h"

namespace cadhost::db {

using dxf::RawTag;
using dxf::trim_blanks;

namespace {
bool is(const RawTag& t, int code, std::string_view value) { return t.code == code && trim_blanks(t.value) == value; }
}  // namespace

Tag DxfLoader::tag_of(const RawTag& t) const {
    return Tag{t.value.data(), static_cast<uint32_t>(t.value.size()), t.code};
}

Result<bool> DxfLoader::next(RawTag& t) {
    auto r = m_reader.next(t);
    if (!r) return r.error();
    return *r == dxf::ReadState::Tag;
}

Status DxfLoader::load() {
    RawTag t;
    for (;;) {
        if (!CH_TRY(next(t))) break;
        if (is(t, 0, "EOF")) break;
        if (t.code == 999) { m_doc.m_preamble.push_back(tag_of(t)); continue; }
        if (!is(t, 0, "SECTION")) return error(t.line, msg::expected_section);
        CH_TRY(read_section());
    }
    finish();
    return ok_status();
}

Status DxfLoader::read_section() {
    RawTag t;
    long line = m_reader.line();
    if (!CH_TRY(next(t)) || t.code != 2) return error(line, msg::section_without_name);
    std::string name = dxf::upper_ascii(trim_blanks(t.value));
    if (name == "HEADER") return read_header();
    if (name == "TABLES") return read_tables();
    if (name == "BLOCKS") return read_blocks();
    if (name == "ENTITIES") {
        m_doc.ensure_section(SectionKind::Entities, "ENTITIES");
        return read_entities(0);
    }
    if (name == "OBJECTS") return read_objects();
    Section s{name == "CLASSES" ? SectionKind::Classes : SectionKind::Raw, std::string(trim_blanks(t.value)), {}};
    CH_TRY(read_raw(s));
    m_doc.m_sections.push_back(std::move(s));
    return ok_status();
}

Status DxfLoader::read_raw(Section& s) {
    RawTag t;
    for (;;) {
        if (!CH_TRY(next(t))) return end_error();
        if (is(t, 0, "ENDSEC")) return ok_status();
        if (is(t, 0, "SECTION") || is(t, 0, "EOF")) return error(t.line, msg::missing_endsec);
        s.raw.push_back(tag_of(t));
    }
}

Status DxfLoader::read_header() {
    m_doc.ensure_section(SectionKind::Header, "HEADER");  // a second HEADER adds to the first
    RawTag t;
    size_t current = 0;
    for (;;) {
        if (!CH_TRY(next(t))) return end_error();
        if (is(t, 0, "ENDSEC")) return ok_status();
        if (t.code == 0) return error(t.line, is(t, 0, "SECTION") || is(t, 0, "EOF") ? msg::missing_endsec : msg::header_entity);
        if (t.code == 9) {
            std::string name(trim_blanks(t.value));
            auto [it, added] = m_doc.m_header_index.try_emplace(dxf::upper_ascii(name), m_doc.m_header.size());
            if (added) m_doc.m_header.push_back(HeaderVar{name, {}});
            else m_doc.m_header[it->second].tags.clear();  // a repeated variable: the later value wins
            current = it->second;
            continue;
        }
        if (m_doc.m_header.empty()) {
            m_doc.m_header_index[""] = 0;
            m_doc.m_header.push_back(HeaderVar{"", {}});
        }
        m_doc.m_header[current].tags.push_back(tag_of(t));
    }
}

Result<uint32_t> DxfLoader::read_object(const RawTag& first, ObjKind kind) {
    DbObject o;
    o.kind = kind;
    o.tags.reserve(16);
    o.tags.push_back(tag_of(first));
    RawTag t;
    for (;;) {
        if (!CH_TRY(next(t))) return end_error();
        if (t.code == 0) {
            m_reader.unread();
            break;
        }
        o.tags.push_back(tag_of(t));
    }
    return m_doc.add_object(std::move(o));
}

Status DxfLoader::read_tables() {
    m_doc.ensure_section(SectionKind::Tables, "TABLES");
    RawTag t;
    Table* open = nullptr;
    for (;;) {
        if (!CH_TRY(next(t))) return end_error();
        if (is(t, 0, "ENDSEC")) return open ? error(t.line, msg::missing_endtab) : ok_status();
        if (is(t, 0, "ENDTAB")) {
            if (!open) return error(t.line, msg::stray_in_tables);
            open = nullptr;
            CH_TRY(read_object(t, ObjKind::Object));  // ENDTAB carries nothing worth keeping
            m_doc.m_objects.pop_back();
            continue;
        }
        if (is(t, 0, "TABLE")) {
            if (open) return error(t.line, msg::missing_endtab);
            uint32_t id = CH_TRY(read_object(t, ObjKind::TableHead));
            m_doc.obj(id).table = static_cast<int>(m_doc.m_tables.size());
            m_doc.m_tables.push_back(Table{dxf::upper_ascii(trim_blanks(m_doc.tag_text(id, 2))), id, {}, 0});
            open = &m_doc.m_tables.back();
            continue;
        }
        if (t.code != 0 || !open) {
            if (t.code == 0 && (is(t, 0, "SECTION") || is(t, 0, "EOF"))) return error(t.line, msg::missing_endsec);
            if (t.code == 0) return error(t.line, msg::stray_in_tables);
            continue;  // stray tags between records carry nothing
        }
        uint32_t id = CH_TRY(read_object(t, ObjKind::TableRecord));
        m_doc.obj(id).table = static_cast<int>(m_doc.m_tables.size() - 1);
        open->records.push_back(id);
    }
}

Status DxfLoader::read_blocks() {
    m_doc.ensure_section(SectionKind::Blocks, "BLOCKS");
    RawTag t;
    for (;;) {
        if (!CH_TRY(next(t))) return end_error();
        if (is(t, 0, "ENDSEC")) return ok_status();
        if (is(t, 0, "SECTION") || is(t, 0, "EOF")) return error(t.line, msg::missing_endsec);
        if (t.code != 0) continue;
        if (!is(t, 0, "BLOCK")) return error(t.line, msg::stray_in_blocks);
        BlockDef b;
        b.begin = CH_TRY(read_object(t, ObjKind::BlockBegin));
        b.list = static_cast<int>(m_doc.m_lists.size());
        m_doc.m_lists.push_back(EntityList{{}, static_cast<int>(m_doc.m_blocks.size())});
        m_doc.obj(b.begin).list = b.list;
        long line = t.line;
        for (;;) {
            if (!CH_TRY(next(t))) return end_error();
            if (is(t, 0, "ENDBLK")) break;
            if (t.code == 0 && (is(t, 0, "ENDSEC") || is(t, 0, "BLOCK") || is(t, 0, "SECTION") || is(t, 0, "EOF")))
                return error(line, msg::missing_endblk);
            if (t.code != 0) continue;
            uint32_t id = CH_TRY(read_object(t, ObjKind::Entity));
            m_doc.append_to_list(b.list, id);
        }
        b.end = CH_TRY(read_object(t, ObjKind::BlockEnd));
        m_doc.obj(b.end).list = b.list;
        m_doc.m_blocks.push_back(b);
    }
}

Status DxfLoader::read_entities(int list) {
    RawTag t;
    for (;;) {
        if (!CH_TRY(next(t))) return end_error();
        if (is(t, 0, "ENDSEC")) return ok_status();
        if (is(t, 0, "SECTION") || is(t, 0, "EOF")) return error(t.line, msg::missing_endsec);
        if (t.code != 0) continue;  // tags before the first entity belong to none
        uint32_t id = CH_TRY(read_object(t, ObjKind::Entity));
        m_doc.append_to_list(list, id);
    }
}

Status DxfLoader::read_objects() {
    m_doc.ensure_section(SectionKind::Objects, "OBJECTS");
    RawTag t;
    for (;;) {
        if (!CH_TRY(next(t))) return end_error();
        if (is(t, 0, "ENDSEC")) return ok_status();
        if (is(t, 0, "SECTION") || is(t, 0, "EOF")) return error(t.line, msg::missing_endsec);
        if (t.code != 0) continue;
        uint32_t id = CH_TRY(read_object(t, ObjKind::Object));
        m_doc.m_objects_section.push_back(id);
    }
}

// Stage two: version and encoding from the header, handles, complex entities.
void DxfLoader::finish() {
    std::string acadver, codepage;
    if (const HeaderVar* v = m_doc.header("$ACADVER"); v && !v->tags.empty()) acadver = trim_blanks(v->tags[0].text());
    if (const HeaderVar* v = m_doc.header("$DWGCODEPAGE"); v && !v->tags.empty()) codepage = trim_blanks(v->tags[0].text());
    auto ver = version_from_acadver(acadver);
    bool modern_ver = acadver.size() == 6 && acadver >= "AC1012";
    m_doc.m_version = ver ? *ver : modern_ver ? DxfVersion::R2000 : DxfVersion::R12;
    m_doc.m_form = modern_ver ? DataForm::Modern : DataForm::Classic;
    for (const char* kept : {"AC1002", "AC1004", "AC1006", "AC1012", "AC1014"})
        if (acadver == kept) m_doc.m_acadver_kept = acadver;
    m_doc.m_codec = dxf::TextCodec::for_file(acadver, codepage);
    m_doc.assign_handles();
    for (EntityList& l : m_doc.m_lists) m_doc.mark_complex(l);
    add_missing_layers();
    if (m_doc.m_form == DataForm::Modern) add_missing_block_records();
    m_doc.m_dbmod = 0;
}

// R13 and later name each block definition in the BLOCK_RECORD table, and
// readers find the definitions through it; files of some writers (R14
// ones in particular) lack entries for their blocks. Each gets one.
void DxfLoader::add_missing_block_records() {
    EntityEditor editor(m_doc);
    for (size_t b = 0; b < m_doc.m_blocks.size(); ++b) {
        if (m_doc.block_record_of(static_cast<int>(b))) continue;
        std::string_view name = trim_blanks(m_doc.tag_text(m_doc.m_blocks[b].begin, 2));
        if (name.empty()) continue;
        editor.add_record("BLOCK_RECORD", "AcDbBlockTableRecord", m_doc.m_codec.decode(name), {{340, "0"}});
    }
}

// Files from other programs may use layers their LAYER table lacks, or have
// no tables at all. Each such layer, and layer 0, gets a record with the
// defaults, as a new layer would, so that it can be listed, made current
// and changed like any other.
void DxfLoader::add_missing_layers() {
    std::vector<std::string_view> used{"0"};  // in order of first use
    std::unordered_set<std::string_view> seen{"0"};
    for (const DbObject& o : m_doc.m_objects) {
        if (o.kind != ObjKind::Entity && o.kind != ObjKind::BlockBegin && o.kind != ObjKind::BlockEnd) continue;
        for (const Tag& t : o.tags) {
            if (t.code == 1001) break;
            if (t.code != 8) continue;
            std::string_view name = trim_blanks(t.text());
            if (!name.empty() && seen.insert(name).second) used.push_back(name);
            break;
        }
    }
    EntityEditor editor(m_doc);
    for (std::string_view name : used) {
        if (m_doc.find_record("LAYER", name)) continue;
        // New layers draw with CONTINUOUS, which the file must then define.
        (void)editor.add_linetype("CONTINUOUS", "Solid line", {});
        (void)editor.ensure_layer(m_doc.m_codec.decode(name));  // a name no layer can have stays as it is
    }
}

}  // namespace cadhost::db
