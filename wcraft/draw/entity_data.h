// One entity's data list held for the lister, with the few items it reads.
#pragma once

#include <string>

#include "extract/store.h"
#include "host/host_api.h"

namespace wcraft {

class EntityData {
public:
    explicit EntityData(const ads_name ent) : m_ed(ads_entget(ent)) {}
    ~EntityData() {
        if (m_ed) ads_relrb(m_ed);
    }
    EntityData(const EntityData&) = delete;
    EntityData& operator=(const EntityData&) = delete;

    bool ok() const { return m_ed != nullptr; }
    const resbuf* list() const { return m_ed; }
    // The last group `code` string; false when there is none.
    bool text(int code, std::string& out) const;
    // The first group `code` point.
    bool point(int code, XY& out) const;

private:
    resbuf* m_ed;
};

// The entity type, printing the lister's message when it cannot be read.
bool entity_type_of(const EntityData& ed, std::string& type);
// The block name and insertion point of an INSERT, with the same messages.
bool block_name_of(const EntityData& ed, std::string& name);
bool insertion_point_of(const EntityData& ed, XY& at);

}  // namespace wcraft
