// tblsearch / tblnext / tblobjname.
#include "tables.h"

#include "db/ads_form.h"
#include "dxf/value_text.h"

namespace cadhost::db {

namespace {
// Position of tblnext over the BLOCK pseudo-table.
bool is_block_table(const std::string& t) { return dxf::equal_nocase(t, "BLOCK"); }
}  // namespace

// The record's own data: no entity name, handle, owner, subclass markers,
// reactor groups or pointers to other objects.
GroupList TableReader::record_form(uint32_t id) const {
    GroupList all = AdsConverter(m_doc).object_form(id, XdataMode::Skip).groups;
    GroupList out;
    int depth = 0;
    // A DIMSTYLE's handle is its 105; its 5 is the arrow block's name.
    int handle_code = m_doc.type_name(id) == "DIMSTYLE" ? 105 : 5;
    for (auto& g : all) {
        if (g.code == 102) {
            auto s = std::get_if<std::string>(&g.value);
            depth = s && !s->empty() && (*s)[0] == '{' ? 1 : 0;
            continue;
        }
        if (depth || g.code < 0 || g.code == handle_code || g.code >= 100) continue;
        out.push_back(std::move(g));
    }
    return out;
}

GroupList TableReader::block_form(const BlockDef& b) const {
    GroupList all = AdsConverter(m_doc).object_form(b.begin, XdataMode::Skip).groups;
    GroupList out{make_group(0, std::string("BLOCK"))};
    for (int code : {2, 70, 10, 1, 4})
        if (const Group* g = find_group(all, code)) {
            if (code == 1 || code == 4)
                if (auto s = std::get_if<std::string>(&g->value); s && s->empty()) continue;
            out.push_back(*g);
        }
    if (EntityRef first = first_of(b)) out.push_back(make_ref(-2, first));
    return out;
}

EntityRef TableReader::first_of(const BlockDef& b) const {
    for (uint32_t id : m_doc.m_lists[static_cast<size_t>(b.list)].ids)
        if (!m_doc.obj(id).deleted) return EntityRef{id};
    return EntityRef{};
}

std::optional<std::pair<std::optional<Point>, EntityRef>> TableReader::block_start(const std::string& name) const {
    int b = m_doc.find_block(m_doc.m_codec.encode(name));
    if (b < 0) return std::nullopt;
    const BlockDef& def = m_doc.m_blocks[static_cast<size_t>(b)];
    const TagVec& tags = m_doc.obj(def.begin).tags;
    std::optional<Point> base;
    size_t end = xdata_start(tags);
    for (size_t i = 0; i < end; ++i) {
        if (tags[i].code != 10) continue;
        // Only the point's own tags are converted, as the whole list would
        // convert them.
        if (auto g = AdsConverter(m_doc).first_group(tags, i, std::min(end, i + 3)))
            if (auto p = std::get_if<Point>(&g->value)) base = *p;
        break;
    }
    return std::make_pair(base, first_of(def));
}

// Model and paper space definitions are layouts, not blocks applications list.
bool TableReader::listed_block(std::string_view name) {
    std::string n = dxf::upper_ascii(name);
    return n.rfind("*MODEL_SPACE", 0) != 0 && n.rfind("*PAPER_SPACE", 0) != 0 && n != "$MODEL_SPACE" && n != "$PAPER_SPACE";
}

std::optional<GroupList> TableReader::search(const std::string& table, const std::string& name) const {
    if (is_block_table(table)) {
        int b = m_doc.find_block(m_doc.m_codec.encode(name));
        if (b < 0) return std::nullopt;
        return block_form(m_doc.m_blocks[static_cast<size_t>(b)]);
    }
    auto id = m_doc.find_record(table, m_doc.m_codec.encode(name));
    if (!id) return std::nullopt;
    return record_form(*id);
}

std::optional<GroupList> TableReader::next(const std::string& table, bool rewind) {
    if (is_block_table(table)) {
        size_t& cursor = m_doc.m_block_cursor;
        if (rewind) cursor = 0;
        while (cursor < m_doc.m_blocks.size()) {
            const BlockDef& b = m_doc.m_blocks[cursor++];
            if (!b.removed && listed_block(dxf::trim_blanks(m_doc.tag_text(b.begin, 2)))) return block_form(b);
        }
        return std::nullopt;
    }
    Table* t = m_doc.table(table);
    if (!t) return std::nullopt;
    if (rewind) t->cursor = 0;
    while (t->cursor < t->records.size()) {
        uint32_t id = t->records[t->cursor++];
        if (!m_doc.obj(id).deleted) return record_form(id);
    }
    return std::nullopt;
}

EntityRef TableReader::object_name(const std::string& table, const std::string& name) const {
    if (is_block_table(table)) {
        int b = m_doc.find_block(m_doc.m_codec.encode(name));
        return b < 0 ? EntityRef{} : EntityRef{m_doc.m_blocks[static_cast<size_t>(b)].begin};
    }
    auto id = m_doc.find_record(table, m_doc.m_codec.encode(name));
    return id ? EntityRef{*id} : EntityRef{};
}

}  // namespace cadhost::db
