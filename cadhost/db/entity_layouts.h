// Group codes of the entity types the host can make, by subclass, in the
// order they are written.
#pragma once

#include <string_view>
#include <vector>

namespace cadhost::db {

struct SubclassLayout {
    const char* marker;      // subclass marker written for R13 and later
    std::vector<int> codes;  // codes belonging to it, in write order
};

struct EntityLayout {
    const char* type;
    std::vector<SubclassLayout> subclasses;
    std::vector<int> required;
};

const EntityLayout* entity_layout(std::string_view type);
// The subclass after AcDbDimension for a dimension of the given 70 flags
// (rotated dimensions are written with AcDbAlignedDimension before it).
SubclassLayout dimension_subclass(int flags);
// Codes of the entity's common properties (AcDbEntity), besides layer and space.
const std::vector<int>& common_entity_codes();

}  // namespace cadhost::db
