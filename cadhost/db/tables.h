// Table records in the host's tblsearch/tblnext form, including the
// pseudo-table BLOCK of block definitions.
#pragma once

#include <optional>
#include <string>

#include "core/value.h"
#include "db/document.h"

namespace cadhost::db {

class TableReader {
public:
    explicit TableReader(DrawingImpl& doc) : m_doc(doc) {}
    std::optional<GroupList> search(const std::string& table, const std::string& name) const;
    std::optional<GroupList> next(const std::string& table, bool rewind);
    EntityRef object_name(const std::string& table, const std::string& name) const;
    // A block's base point and first entity, as its BLOCK list gives them
    // in groups 10 and -2, without making the list.
    std::optional<std::pair<std::optional<Point>, EntityRef>> block_start(const std::string& name) const;

private:
    EntityRef first_of(const BlockDef& b) const;
    GroupList record_form(uint32_t id) const;
    GroupList block_form(const BlockDef& b) const;
    static bool listed_block(std::string_view name);
    DrawingImpl& m_doc;
};

}  // namespace cadhost::db
