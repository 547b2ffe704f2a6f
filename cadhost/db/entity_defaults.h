// The groups an entity list always holds for the entity's type, with the
// values an entity has when its file leaves them out, and where such a group
// goes among the entity's tags when it is missing.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "core/value.h"
#include "db/document.h"
#include "db/entity_layouts.h"

namespace cadhost::db {

// How a missing group gets its value.
enum class DefaultRule : uint8_t {
    Value,            // `value` as it stands
    SameAs,           // the value of the entity's group `same_as` (a SOLID's fourth corner)
    SubEntitiesFollow // 1 when sub-entities (attributes, vertices) follow the entity, else 0
};

struct DefaultGroup {
    int code = 0;
    GroupValue value;
    DefaultRule rule = DefaultRule::Value;
    int same_as = 0;
    uint8_t subclass = 0;  // index into the layout's subclasses
    uint16_t rank = 0;     // position of the code in the layout's write order
};

// A type's default groups, in write order, with lookups by code.
class TypeDefaults {
public:
    static constexpr size_t kMax = 32;  // default groups a type can have
    static constexpr int kCodes = 256;  // every code placed by a layout is below this

    TypeDefaults(const EntityLayout& layout, std::vector<DefaultGroup> groups);
    const EntityLayout& layout() const { return *m_layout; }
    const std::vector<DefaultGroup>& groups() const { return m_groups; }
    // Index into groups() of a code's default; -1 for none.
    int slot(int code) const { return code >= 0 && code < kCodes ? m_slot[static_cast<size_t>(code)] : -1; }
    // Position of a code in the layout's write order; -1 for codes the layout does not place.
    int rank(int code) const { return code >= 0 && code < kCodes ? m_rank[static_cast<size_t>(code)] : -1; }

private:
    const EntityLayout* m_layout;
    std::vector<DefaultGroup> m_groups;
    std::array<int8_t, kCodes> m_slot;
    std::array<int16_t, kCodes> m_rank;
};

// The defaults of an entity type; nullptr for types without any.
const TypeDefaults* type_defaults(std::string_view type);

// A default group an object's tags lack: it goes before tag `before` (at
// most the end of the tags looked at), and for DefaultRule::SameAs takes its
// value from the group at tag `source` (UINT32_MAX when that is missing too).
// Plain data, set whole where it is made: a list of them is made for every
// entity list handed out, and only its first `count` entries are used.
struct MissingDefault {
    uint32_t before;
    uint32_t source;  // UINT32_MAX when there is none
    uint8_t index;    // into TypeDefaults::groups()
};

struct MissingDefaults {
    uint8_t count = 0;
    std::array<MissingDefault, TypeDefaults::kMax> at;  // [0, count): ordered by `before`, then write order
};

// The defaults the tags [0, end) lack. A missing group goes where the
// layout's write order puts it within its subclass (the tags after the
// subclass's marker up to the next marker; the whole entity in files without
// markers), before the first tag of a code the layout writes after it.
//
// Entities of a type read from one file mostly have the same codes in the
// same order (every attribute of a block written by one program) and so
// lack the same defaults at the same places: the last answers are
// remembered by the codes and markers they were worked out from.
MissingDefaults missing_defaults(const TypeDefaults& d, const TagVec& tags, size_t end);
// The same, always worked out afresh.
MissingDefaults work_out_missing_defaults(const TypeDefaults& d, const TagVec& tags, size_t end);

}  // namespace cadhost::db
