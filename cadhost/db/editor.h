// Changes to existing data: entmod, entdel, new layers and header variables.
#pragma once

#include <optional>
#include <string>

#include "core/result.h"
#include "core/value.h"
#include "db/ads_form.h"
#include "db/document.h"

namespace cadhost::db {

class EntityEditor {
public:
    explicit EntityEditor(DrawingImpl& doc) : m_doc(doc) {}
    Status entmod(const GroupList& list);
    Status entdel(EntityRef e);
    Status ensure_layer(const std::string& name);
    // Registers an application name for XDATA (APPID record) when missing.
    Status regapp(const std::string& name);
    Status add_linetype(const std::string& name, const std::string& description, const std::vector<double>& pattern);
    // XDATA may only name registered applications.
    Status check_xdata_apps(const GroupList& list) const;
    Status set_header_var(const std::string& name, const Group& value);
    // Puts back every entity changed since `mark` (a size of the change
    // record) as it was, and drops what the record kept from there on.
    void take_back_changes(size_t mark);
    // Layer names: not empty, none of the characters the host reserves.
    static bool valid_symbol_name(const std::string& name);

    // Appends a table record named `name` (encoded here) with a fresh
    // handle and the given data tags; returns its id.
    uint32_t add_record(const char* table, const char* subclass, const std::string& name, const FileTags& data);

private:
    struct Edit {
        TagSpan span;
        FileTags tags;
        size_t order = 0;  // place in the list the edits were planned from
    };
    // Plans the change of one given group; `j` is the place of the entity's
    // own group it stands for, -1 when the entity has none.
    Result<bool> plan_group(uint32_t id, const AdsForm& old, const Group& g, int j, std::vector<Edit>& edits, FileTags& inserts);
    void apply(uint32_t id, std::vector<Edit>& edits, const FileTags& inserts);
    Result<FileTags> take_vertices(GroupList& list) const;
    void put_vertices(uint32_t id, const FileTags& fresh);
    void replace_xdata(uint32_t id, const GroupList& list, size_t from);
    size_t insert_position(const TagVec& tags, int code) const;
    DrawingImpl& m_doc;
};

}  // namespace cadhost::db
